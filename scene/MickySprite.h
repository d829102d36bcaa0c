#pragma once

#include "scene/GeneralSprite.h"

// The animated occupant of a room, standing in the room's last cell.
class TMickySprite : public TGeneralSprite
{
public:
    explicit TMickySprite(TArena &arena);

    int Floor = 0;
    int RoomID = 0;
};
