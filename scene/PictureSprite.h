#pragma once

#include "scene/Sprite.h"

class TPictureItem;

// A sprite showing one pattern of a picture, with a frame animation driven by the lag count.
class TPictureSprite : public TSprite
{
public:
    explicit TPictureSprite(TSprite *parent) : TSprite(parent) {}

    void Step(int lagCount) override;
    // Truncated FramePos plus FrameBase.
    int CurrentPattern() const;

    int FrameCount = 0;
    bool Looping = false;
    double FramePos = 0;
    double FrameSpeed = 0;
    int FrameBase = 0;
    const TPictureItem *Picture = nullptr;
};
