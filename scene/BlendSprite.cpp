#include "scene/BlendSprite.h"

#include "scene/PictureItem.h"
#include "scene/SpriteEngine.h"

void TBlendSprite::Paint()
{
    if (!Picture || !Engine || !Engine->Surface)
        return;
    const QRect target(static_cast<int>(AbsoluteX()), static_cast<int>(AbsoluteY()), Width, Height);
    if (Alpha < 255)
        Picture->DrawBlended(*Engine->Surface, target, CurrentPattern(), Alpha);
    else
        Picture->DrawStretched(*Engine->Surface, target, CurrentPattern());
}

QRect TBlendSprite::GetBounds() const
{
    return Engine ? Engine->SurfaceRect : QRect();
}

bool TBlendSprite::PaintStepNow(TPaintStep &step) const
{
    step = TPaintStep();
    if (!Picture || !Engine || !Engine->Surface || Alpha <= 0 || !Picture->HasSurface())
        return true;
    const int pattern = CurrentPattern();
    const QRect target(static_cast<int>(AbsoluteX()), static_cast<int>(AbsoluteY()), Width, Height);
    if (Picture->PatternRect(pattern).isEmpty() || !target.intersects(Engine->Surface->Rect()))
        return true;
    step.picture = Picture;
    step.target = target;
    step.pattern = pattern;
    step.alpha = Alpha < 255 ? Alpha : 255;
    step.keyed = Picture->Transparent;
    step.key = Picture->Transparent ? Picture->TransparentColor : 0;
    return true;
}
