#include "scene/FeatureSprite.h"

#include "scene/StuffSprite.h"

TFeatureSprite::TFeatureSprite(TArena &arena, TStuffSprite &stuff)
    : TGeneralSprite(arena), Stuff(stuff)
{
    SetZ(100);
    Y = Stuff.Y;
}

void TFeatureSprite::SetNumber(int number)
{
    Number = number;
    SetImageName(QStringLiteral("Stuff0%1").arg(number));
    // The lift fills the strip's first column; the three bars stack in the second.
    if (number == 1) {
        X = Stuff.X;
        Y = Stuff.Y;
    } else {
        X = Stuff.X + 25;
        Y = Stuff.Y + 1 + (number - 2) * 16;
    }
}
