#pragma once

#include "scene/BlendSprite.h"
#include "scene/PictureItem.h"
#include "scene/Sprite.h"

#include <QImage>
#include <QRect>
#include <optional>

// The plain formula, one pixel at a time with Qt's pixel accessors: what the fast blitters must
// reproduce bit for bit. Alpha 255 or more copies; the target is clipped pixel by pixel.
inline void ReferenceDraw(QImage &dest, const QImage &source, const QRect &sourceRect,
                          const QRect &target, int alpha, std::optional<QRgb> key)
{
    if (alpha <= 0 || target.isEmpty() || sourceRect.isEmpty())
        return;
    const long long stepX = (static_cast<long long>(sourceRect.width()) << 16) / target.width();
    const long long stepY = (static_cast<long long>(sourceRect.height()) << 16) / target.height();
    for (int ty = 0; ty < target.height(); ++ty) {
        const int y = target.top() + ty;
        if (y < 0 || y >= dest.height())
            continue;
        const int sy = sourceRect.top() + static_cast<int>((ty * stepY) >> 16);
        for (int tx = 0; tx < target.width(); ++tx) {
            const int x = target.left() + tx;
            if (x < 0 || x >= dest.width())
                continue;
            const int sx = sourceRect.left() + static_cast<int>((tx * stepX) >> 16);
            const QRgb s = source.pixel(sx, sy);
            if (key && (s & 0xffffff) == (*key & 0xffffff))
                continue;
            if (alpha >= 255) {
                dest.setPixel(x, y, s);
                continue;
            }
            const QRgb d = dest.pixel(x, y);
            auto mix = [alpha](int sc, int dc) { return (sc * alpha + dc * (255 - alpha)) / 256; };
            dest.setPixel(
                x, y,
                qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d))));
        }
    }
}

// Paints a sprite tree the way the engine's Render does, through ReferenceDraw.
inline void ReferenceRender(QImage &dest, const TSprite &sprite)
{
    if (!sprite.Visible)
        return;
    const auto *blend = dynamic_cast<const TBlendSprite *>(&sprite);
    if (blend && blend->Picture && blend->Alpha > 0) {
        const QRect pattern = blend->Picture->PatternRect(blend->CurrentPattern());
        const QRect target(static_cast<int>(blend->AbsoluteX()),
                           static_cast<int>(blend->AbsoluteY()), blend->Width, blend->Height);
        if (!pattern.isEmpty())
            ReferenceDraw(dest, blend->Picture->Picture, pattern, target, blend->Alpha,
                          blend->Picture->Transparent
                              ? std::optional<QRgb>(blend->Picture->TransparentColor)
                              : std::nullopt);
    }
    for (const TSprite *child : sprite.DrawOrderList())
        ReferenceRender(dest, *child);
}
