#pragma once

#include "scene/Sprite.h"

#include <QRect>
#include <vector>

// What rendering a sprite tree puts on its surface: the paint steps of the sprites that Render
// paints, in painting order. Over the same fill, equal lists make equal pictures, so comparing
// two lists tells whether a frame changes a pixel without looking at any.
class TPaintList
{
public:
    // Takes the tree's steps by the walk and tests of TSprite::Render. False (and an empty list)
    // when some sprite on the walk cannot tell what it paints.
    bool Collect(const TSprite &root, const QRect &surfaceRect);
    void Clear() { steps_.clear(); }
    int Count() const { return static_cast<int>(steps_.size()); }

    bool operator==(const TPaintList &other) const { return steps_ == other.steps_; }

private:
    bool Add(const TSprite &sprite, const QRect &surfaceRect);

    std::vector<TPaintStep> steps_;
};
