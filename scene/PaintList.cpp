#include "scene/PaintList.h"

#include "scene/SpriteEngine.h"

bool TPaintList::Collect(const TSprite &root, const QRect &surfaceRect)
{
    steps_.clear();
    if (Add(root, surfaceRect))
        return true;
    steps_.clear();
    return false;
}

bool TPaintList::Add(const TSprite &sprite, const QRect &surfaceRect)
{
    if (!sprite.Visible)
        return true;
    if (sprite.Engine && TSprite::RectsOverlap(sprite.GetBounds(), surfaceRect)) {
        TPaintStep step;
        if (!sprite.PaintStepNow(step))
            return false;
        if (step.picture)
            steps_.push_back(step);
    }
    for (const TSprite *child : sprite.DrawOrderList())
        if (!Add(*child, surfaceRect))
            return false;
    return true;
}
