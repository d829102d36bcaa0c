#include "scene/PictureItem.h"

int TPictureItem::GetPatternWidth() const
{
    return PatternWidth > 0 ? PatternWidth : Picture.width();
}

int TPictureItem::GetPatternHeight() const
{
    return PatternHeight > 0 ? PatternHeight : Picture.height();
}

QRect TPictureItem::PatternRect(int pattern) const
{
    if (pattern < 0 || pattern >= PatternCount())
        return QRect();
    return patterns_[pattern];
}

void TPictureItem::Initialize()
{
    surface_ = std::make_unique<TDrawSurface>(Picture);
    if (Transparent)
        surface_->SetColourKey(TransparentColor);
    patterns_.clear();
    const int w = GetPatternWidth();
    const int h = GetPatternHeight();
    const int pictureWidth = Picture.width();
    const int pictureHeight = Picture.height();
    if (w <= 0 || h <= 0)
        return;
    if (w == pictureWidth && h == pictureHeight) {
        patterns_.push_back(QRect(0, 0, w, h));
        return;
    }
    const int rows = pictureHeight / h;
    const int columns = pictureWidth / w;
    for (int k = 0; k < rows * columns; ++k)
        patterns_.push_back(QRect(w * (k % columns), h * (k / columns), w, h));
}

void TPictureItem::Finalize()
{
    surface_.reset();
    patterns_.clear();
}

void TPictureItem::DrawStretched(TDrawSurface &surface, const QRect &rect, int pattern) const
{
    if (!surface_ || pattern < 0 || pattern >= PatternCount() || rect.isEmpty())
        return;
    surface.Draw(*surface_, patterns_[pattern], rect,
                 Transparent ? std::optional<QRgb>(TransparentColor) : std::nullopt);
}

void TPictureItem::DrawBlended(TDrawSurface &surface, const QRect &rect, int pattern,
                               int alpha) const
{
    if (!surface_ || pattern < 0 || pattern >= PatternCount() || rect.isEmpty())
        return;
    surface.DrawBlended(*surface_, patterns_[pattern], rect, alpha,
                        Transparent ? std::optional<QRgb>(TransparentColor) : std::nullopt);
}
