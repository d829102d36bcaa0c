#include "scene/StationSprite.h"

#include "scene/Arena.h"
#include "scene/StuffSprite.h"

TStationSprite::TStationSprite(TArena &arena, TStuffSprite &stuff)
    : TGeneralSprite(arena), Stuff(stuff)
{
    SetZ(100);
    Y = Stuff.Y;
}

void TStationSprite::SetNumber(int number)
{
    Number = number;
    SetImageName(QStringLiteral("Station0%1").arg(number));
    X = Stuff.X + number * TArena::CellWidth; // one cell per station
}
