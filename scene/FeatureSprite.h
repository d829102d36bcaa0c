#pragma once

#include "scene/GeneralSprite.h"

class TStuffSprite;

// A comfort item on a floor's strip: lift (1), ventilation (2), refrigerator (3), TV cable (4).
class TFeatureSprite : public TGeneralSprite
{
public:
    TFeatureSprite(TArena &arena, TStuffSprite &stuff);

    void SetNumber(int number);

    int Number = 0;
    TStuffSprite &Stuff;
};
