#include "scene/StuffSprite.h"

TStuffSprite::TStuffSprite(TArena &arena) : TGeneralSprite(arena)
{
    SetImageName(QStringLiteral("Stuff"));
    SetZ(50);
}
