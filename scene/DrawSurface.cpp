#include "scene/DrawSurface.h"

#include <algorithm>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t Opaque = 0xff000000u;
constexpr std::uint32_t RgbMask = 0x00ffffffu;

// The clipped work of one copy: target columns [x0, x1) and rows [y0, y1), and for each the
// source column or row found by 16.16 fixed-point stepping from the target's origin.
struct TCopyPlan
{
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    bool oneToOne = false;
    int sourceLeft = 0;             // source column of target column x0 when oneToOne
    std::vector<int> sourceColumns; // per target column when scaling
    int sourceTop = 0;
    std::int64_t rowPos = 0; // 16.16 offset of row y0 below sourceTop
    std::int64_t stepY = 0;
};

bool MakePlan(const TDrawSurface &source, QRect sourceRect, const QRect &target,
              const TDrawSurface &dest, TCopyPlan &plan)
{
    if (source.IsEmpty() || dest.IsEmpty() || target.isEmpty())
        return false;
    // A source rectangle reaching outside its picture is cut to it, so no step reads outside.
    sourceRect = sourceRect.intersected(source.Rect());
    if (sourceRect.isEmpty())
        return false;
    plan.x0 = std::max(target.left(), 0);
    plan.x1 = std::min(target.left() + target.width(), dest.Width());
    plan.y0 = std::max(target.top(), 0);
    plan.y1 = std::min(target.top() + target.height(), dest.Height());
    if (plan.x0 >= plan.x1 || plan.y0 >= plan.y1)
        return false;

    const std::int64_t stepX = (std::int64_t(sourceRect.width()) << 16) / target.width();
    const std::int64_t stepY = (std::int64_t(sourceRect.height()) << 16) / target.height();
    plan.oneToOne = stepX == 0x10000;
    if (plan.oneToOne) {
        plan.sourceLeft = sourceRect.left() + (plan.x0 - target.left());
    } else {
        plan.sourceColumns.resize(plan.x1 - plan.x0);
        std::int64_t pos = (plan.x0 - target.left()) * stepX;
        for (int &column : plan.sourceColumns) {
            column = sourceRect.left() + int(pos >> 16);
            pos += stepX;
        }
    }
    plan.sourceTop = sourceRect.top();
    plan.stepY = stepY;
    plan.rowPos = (plan.y0 - target.top()) * stepY;
    return true;
}

void CopyKeyedRow(std::uint32_t *d, const std::uint32_t *s, int n, std::uint32_t key)
{
    int i = 0;
#ifdef __SSE2__
    const __m128i mask = _mm_set1_epi32(int(RgbMask));
    const __m128i k = _mm_set1_epi32(int(key & RgbMask));
    for (; i + 4 <= n; i += 4) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i));
        const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(sv, mask), k);
        const __m128i out = _mm_or_si128(_mm_and_si128(isKey, dv), _mm_andnot_si128(isKey, sv));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + i), out);
    }
#endif
    for (; i < n; ++i)
        if (((s[i] ^ key) & RgbMask) != 0)
            d[i] = s[i];
}

inline std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::uint32_t a)
{
    // Red and blue share one multiply: each product stays below 2^16, so the lanes never carry.
    const std::uint32_t ia = 255 - a;
    const std::uint32_t rb = (((s & 0xff00ffu) * a + (d & 0xff00ffu) * ia) >> 8) & 0xff00ffu;
    const std::uint32_t g = (((s & 0x00ff00u) * a + (d & 0x00ff00u) * ia) >> 8) & 0x00ff00u;
    return Opaque | rb | g;
}

void BlendRow(std::uint32_t *d, const std::uint32_t *s, int n, int alpha, bool keyed,
              std::uint32_t key)
{
    int i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(short(alpha));
    const __m128i ia = _mm_set1_epi16(short(255 - alpha));
    const __m128i opaque = _mm_set1_epi32(int(Opaque));
    const __m128i mask = _mm_set1_epi32(int(RgbMask));
    const __m128i k = _mm_set1_epi32(int(key & RgbMask));
    for (; i + 4 <= n; i += 4) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i));
        // Every channel in its own 16-bit lane: s * a + d * (255 - a) stays below 2^16.
        const __m128i lo =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(sv, zero), a),
                                         _mm_mullo_epi16(_mm_unpacklo_epi8(dv, zero), ia)),
                           8);
        const __m128i hi =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(sv, zero), a),
                                         _mm_mullo_epi16(_mm_unpackhi_epi8(dv, zero), ia)),
                           8);
        __m128i out = _mm_or_si128(_mm_packus_epi16(lo, hi), opaque);
        if (keyed) {
            const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(sv, mask), k);
            out = _mm_or_si128(_mm_and_si128(isKey, dv), _mm_andnot_si128(isKey, out));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + i), out);
    }
#endif
    for (; i < n; ++i)
        if (!keyed || ((s[i] ^ key) & RgbMask) != 0)
            d[i] = BlendPixel(s[i], d[i], std::uint32_t(alpha));
}

// The general path: one source pixel per target pixel through the plan's column table.
template <typename Op>
void ForEachScaledRow(const TDrawSurface &source, TDrawSurface &dest, const TCopyPlan &plan, Op op)
{
    const int n = plan.x1 - plan.x0;
    std::vector<std::uint32_t> gathered(plan.oneToOne ? 0 : n);
    std::int64_t pos = plan.rowPos;
    for (int y = plan.y0; y < plan.y1; ++y, pos += plan.stepY) {
        const std::uint32_t *s = source.Row(plan.sourceTop + int(pos >> 16));
        if (plan.oneToOne) {
            op(dest.Row(y) + plan.x0, s + plan.sourceLeft, n);
        } else {
            for (int i = 0; i < n; ++i)
                gathered[i] = s[plan.sourceColumns[i]];
            op(dest.Row(y) + plan.x0, gathered.data(), n);
        }
    }
}

} // namespace

TDrawSurface::TDrawSurface(int width, int height)
    : FImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)
{
    Fill(0);
}

TDrawSurface::TDrawSurface(const QImage &picture)
    : FImage(picture.convertToFormat(QImage::Format_RGB32))
{
    // Keep the picture's 24-bit colours exactly; only the unused byte is set.
    for (int y = 0; y < Height(); ++y) {
        std::uint32_t *row = Row(y);
        for (int x = 0; x < Width(); ++x)
            row[x] |= Opaque;
    }
}

void TDrawSurface::Fill(std::uint32_t pixel)
{
    if (IsEmpty())
        return;
    for (int y = 0; y < Height(); ++y)
        std::fill_n(Row(y), Width(), pixel);
}

void TDrawSurface::Draw(const TDrawSurface &source, const QRect &sourceRect, const QRect &target,
                        std::optional<QRgb> colourKey)
{
    TCopyPlan plan;
    if (!MakePlan(source, sourceRect, target, *this, plan))
        return;
    if (colourKey) {
        const std::uint32_t key = *colourKey;
        ForEachScaledRow(
            source, *this, plan,
            [key](std::uint32_t *d, const std::uint32_t *s, int n) { CopyKeyedRow(d, s, n, key); });
    } else {
        ForEachScaledRow(source, *this, plan, [](std::uint32_t *d, const std::uint32_t *s, int n) {
            std::memcpy(d, s, std::size_t(n) * sizeof(std::uint32_t));
        });
    }
}

void TDrawSurface::DrawBlended(const TDrawSurface &source, const QRect &sourceRect,
                               const QRect &target, int alpha, std::optional<QRgb> colourKey)
{
    if (alpha <= 0)
        return;
    if (alpha >= 255) {
        Draw(source, sourceRect, target, colourKey);
        return;
    }
    TCopyPlan plan;
    if (!MakePlan(source, sourceRect, target, *this, plan))
        return;
    const bool keyed = colourKey.has_value();
    const std::uint32_t key = keyed ? *colourKey : 0;
    ForEachScaledRow(source, *this, plan,
                     [alpha, keyed, key](std::uint32_t *d, const std::uint32_t *s, int n) {
                         BlendRow(d, s, n, alpha, keyed, key);
                     });
}
