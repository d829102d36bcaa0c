#pragma once

#include "scene/DrawSurface.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

// One named picture cut into equal patterns. It paints only while it has its surface copy,
// which the picture list makes when the drawing surface is initialised.
class TPictureItem
{
public:
    QString Name;
    int PatternWidth = 0;  // 0: the whole picture's width
    int PatternHeight = 0; // 0: the whole picture's height
    QImage Picture;
    bool SystemMemory = false;
    bool Transparent = false;
    QRgb TransparentColor = qRgb(0, 0, 0);

    int GetPatternWidth() const;
    int GetPatternHeight() const;
    int PatternCount() const { return static_cast<int>(patterns_.size()); }
    // The pattern's rectangle in the picture; empty outside 0..PatternCount() - 1.
    QRect PatternRect(int pattern) const;

    // Makes the surface copy and cuts the patterns (rows from the top, each left to right).
    void Initialize();
    // Releases the surface copy; the item paints nothing until the next Initialize.
    void Finalize();
    bool HasSurface() const { return surface_ != nullptr; }

    // Copies the pattern into rect of surface (scaled to fit), clipped, skipping the colour key
    // when the item is Transparent.
    void DrawStretched(TDrawSurface &surface, const QRect &rect, int pattern) const;
    // Blends the pattern into rect with alpha 1..254; 255 copies, 0 or less draws nothing.
    void DrawBlended(TDrawSurface &surface, const QRect &rect, int pattern, int alpha) const;

private:
    std::unique_ptr<TDrawSurface> surface_;
    std::vector<QRect> patterns_;
};
