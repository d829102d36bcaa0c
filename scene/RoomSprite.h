#pragma once

#include "scene/GeneralSprite.h"

class TMickySprite;

// A built room with its occupant. Status (RoomStatus): under construction, free, occupied
// (occupant shown) or broken (damaged pattern).
class TRoomSprite : public TGeneralSprite
{
public:
    explicit TRoomSprite(TArena &arena);
    ~TRoomSprite() override;

    void SetRoomType(int roomType);
    void SetCell(int cell);
    void SetFloor(int floor);
    void SetID(int id);
    void SetStatus(int status);
    // Kills the occupant too.
    void Kill() override;

    int RoomType = 0;
    int Floor = 0;
    int Cell = 0;
    int Status = 0;
    TMickySprite *Micky = nullptr; // empty only once the occupant was freed on its own

protected:
    void PartDestroyed(TGeneralSprite &part) override;
};
