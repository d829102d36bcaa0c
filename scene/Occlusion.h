#pragma once

#include <QRect>
#include <utility>
#include <vector>

class TSprite;
class TDrawSurface;

// Paints a sprite tree exactly as TSprite::Render does, but writes no pixel that a later opaque
// sprite paints over, and carries out the surface's pending Fill only where no opaque sprite
// lands. The surface is cut into horizontal bands at every sprite's top and bottom edge, so
// the bookkeeping costs a few steps per sprite and band, not per pixel row.
class TOcclusion
{
public:
    void Render(TSprite &root, TDrawSurface &surface);

private:
    struct TEntry
    {
        TSprite *sprite;
        QRect area;
        bool known;
        bool opaque;
        int first = 0, last = 0; // its visible pieces in pieces_
    };
    struct TBand
    {
        int top, bottom;
        std::vector<std::pair<int, int>> covered; // sorted, disjoint, not touching
    };

    void Collect(TSprite &sprite, const QRect &surfaceRect);
    void MakeBands(const QRect &surfaceRect);
    void Uncovered(const TBand &band, int left, int right, std::vector<QRect> &out) const;
    static void Cover(TBand &band, int left, int right);
    int MergeDown(int first);

    std::vector<TEntry> entries_;
    std::vector<int> edges_;
    std::vector<TBand> bands_;
    std::vector<QRect> pieces_;
    std::vector<QRect> fillPieces_;
};
