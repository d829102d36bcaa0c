#pragma once

#include "scene/GeneralSprite.h"

// The equipment strip beside a floor, carrying its stations and comfort items.
class TStuffSprite : public TGeneralSprite
{
public:
    explicit TStuffSprite(TArena &arena);
};
