#pragma once

#include "scene/GeneralSprite.h"

class TStuffSprite;

// A cleaning (1), police (2) or fire (3) station on a floor's strip.
class TStationSprite : public TGeneralSprite
{
public:
    TStationSprite(TArena &arena, TStuffSprite &stuff);

    void SetNumber(int number);

    int Number = 0;
    TStuffSprite &Stuff;
};
