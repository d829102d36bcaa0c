#include "scene/MickySprite.h"

#include "scene/Arena.h"

#include <random>

TMickySprite::TMickySprite(TArena &arena) : TGeneralSprite(arena)
{
    SetImageName(QStringLiteral("Micky"));
    SetZ(120);
    Looping = true;
    FrameSpeed = 0.005;
    FrameCount = 6;
    // Each occupant starts at its own frame, so they do not wave in step.
    FramePos = std::uniform_int_distribution<int>(0, 5)(arena.Random);
    FrameBase = 0;
}
