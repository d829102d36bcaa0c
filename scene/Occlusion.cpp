#include "scene/Occlusion.h"

#include "scene/DrawSurface.h"
#include "scene/Sprite.h"

#include <algorithm>

void TOcclusion::Render(TSprite &root, TDrawSurface &surface)
{
    const QRect surfaceRect = surface.Rect();
    entries_.clear();
    pieces_.clear();
    Collect(root, surfaceRect);
    MakeBands(surfaceRect);

    // From the top sprite down: what a sprite may still change is its area minus everything
    // opaque painted after it.
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (!entry->known)
            continue;
        entry->first = static_cast<int>(pieces_.size());
        const int right = entry->area.left() + entry->area.width();
        const int bottom = entry->area.top() + entry->area.height();
        auto band = std::lower_bound(bands_.begin(), bands_.end(), entry->area.top(),
                                     [](const TBand &b, int top) { return b.top < top; });
        for (; band != bands_.end() && band->top < bottom; ++band) {
            Uncovered(*band, entry->area.left(), right, pieces_);
            if (entry->opaque)
                Cover(*band, entry->area.left(), right);
        }
        entry->last = MergeDown(entry->first);
    }

    fillPieces_.clear();
    for (const TBand &band : bands_)
        Uncovered(band, surfaceRect.left(), surfaceRect.left() + surfaceRect.width(), fillPieces_);
    surface.FillOnly(fillPieces_.data(), static_cast<int>(fillPieces_.size()));

    for (const TEntry &entry : entries_) {
        if (!entry.known) {
            entry.sprite->Paint();
        } else if (entry.first < entry.last) {
            surface.SetClip(pieces_.data() + entry.first, entry.last - entry.first);
            entry.sprite->Paint();
            surface.ClearClip();
        }
    }
}

// Joins each piece from first on to the piece right above it when both span the same columns,
// so a sprite cut by other sprites' band edges is still copied in one go. Returns the new end.
int TOcclusion::MergeDown(int first)
{
    int end = first;
    for (int i = first; i < static_cast<int>(pieces_.size()); ++i) {
        const QRect piece = pieces_[i];
        bool joined = false;
        for (int j = end - 1; j >= first && !joined; --j) {
            QRect &above = pieces_[j];
            if (above.left() == piece.left() && above.width() == piece.width() &&
                above.top() + above.height() == piece.top()) {
                above.setHeight(above.height() + piece.height());
                joined = true;
            }
        }
        if (!joined)
            pieces_[end++] = piece;
    }
    pieces_.resize(end);
    return end;
}

// The same walk and tests as TSprite::Render.
void TOcclusion::Collect(TSprite &sprite, const QRect &surfaceRect)
{
    if (!sprite.Visible)
        return;
    if (sprite.Engine && TSprite::RectsOverlap(sprite.GetBounds(), surfaceRect)) {
        TEntry entry{&sprite, QRect(), false, false};
        entry.known = sprite.PaintArea(entry.area, entry.opaque);
        if (entry.known)
            entry.area = entry.area.intersected(surfaceRect);
        if (!entry.known || !entry.area.isEmpty())
            entries_.push_back(entry);
    }
    for (TSprite *child : sprite.DrawOrderList())
        Collect(*child, surfaceRect);
}

void TOcclusion::MakeBands(const QRect &surfaceRect)
{
    edges_.clear();
    edges_.push_back(surfaceRect.top());
    edges_.push_back(surfaceRect.top() + surfaceRect.height());
    for (const TEntry &entry : entries_)
        if (entry.known) {
            edges_.push_back(entry.area.top());
            edges_.push_back(entry.area.top() + entry.area.height());
        }
    std::sort(edges_.begin(), edges_.end());
    edges_.erase(std::unique(edges_.begin(), edges_.end()), edges_.end());
    // Keep the bands' interval vectors from frame to frame; only their contents change.
    bands_.resize(edges_.size() - 1);
    for (std::size_t i = 0; i + 1 < edges_.size(); ++i) {
        bands_[i].top = edges_[i];
        bands_[i].bottom = edges_[i + 1];
        bands_[i].covered.clear();
    }
}

void TOcclusion::Uncovered(const TBand &band, int left, int right, std::vector<QRect> &out) const
{
    const int height = band.bottom - band.top;
    int x = left;
    for (const auto &[begin, end] : band.covered) {
        if (end <= x)
            continue;
        if (begin >= right)
            break;
        if (begin > x)
            out.push_back(QRect(x, band.top, begin - x, height));
        x = std::max(x, end);
        if (x >= right)
            return;
    }
    if (x < right)
        out.push_back(QRect(x, band.top, right - x, height));
}

void TOcclusion::Cover(TBand &band, int left, int right)
{
    auto &covered = band.covered;
    // The first interval that touches or follows [left, right).
    auto first = std::lower_bound(covered.begin(), covered.end(), left,
                                  [](const std::pair<int, int> &c, int x) { return c.second < x; });
    auto last = first;
    while (last != covered.end() && last->first <= right) {
        left = std::min(left, last->first);
        right = std::max(right, last->second);
        ++last;
    }
    if (first == last) {
        covered.insert(first, {left, right});
    } else {
        *first = {left, right};
        covered.erase(first + 1, last);
    }
}
