#pragma once

#include "scene/PictureSprite.h"

// A picture sprite painted opaque at Alpha 255 (or more), blended at 1..254, not at all at 0.
class TBlendSprite : public TPictureSprite
{
public:
    explicit TBlendSprite(TSprite *parent) : TPictureSprite(parent) {}

    void Paint() override;
    // The whole surface: blend sprites are never skipped by the bounds test.
    QRect GetBounds() const override;
    // The picture, rectangle, pattern and alpha Paint uses; no picture when it paints nothing.
    bool PaintStepNow(TPaintStep &step) const override;

    int Alpha = 255;
};
