#include "scene/DrawSurface.h"

#include <algorithm>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

constexpr std::uint32_t Opaque = 0xff000000u;
constexpr std::uint32_t RgbMask = 0x00ffffffu;

// Short rows (a room's 50 pixels, the occupant's runs) are copied inline: a library call per
// row would cost more than the copy itself.
inline void CopyRow(std::uint32_t *d, const std::uint32_t *s, int n)
{
    if (n >= 128) {
        std::memcpy(d, s, std::size_t(n) * sizeof(std::uint32_t));
        return;
    }
    int i = 0;
#ifdef __SSE2__
    for (; i + 4 <= n; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i)));
#endif
    for (; i < n; ++i)
        d[i] = s[i];
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

// A clipped 1:1 copy: rows rows of n pixels; strides in pixels.
struct TBlock
{
    std::uint32_t *d;
    qsizetype dStride;
    const std::uint32_t *s;
    qsizetype sStride;
    int n;
    int rows;
};

// The columns of one row, relative to a block's first column, that a keyed copy must visit.
struct TSpan
{
    int begin, end;
};

bool WideKernels = true;

#if defined(__x86_64__) || defined(__i386__)

// The same formulas eight pixels at a time, for processors with AVX2; the whole block runs in
// one call so that no row pays for the dispatch.
__attribute__((target("avx2"))) void CopyBlockAvx2(const TBlock &b)
{
    for (int y = 0; y < b.rows; ++y) {
        std::uint32_t *d = b.d + y * b.dStride;
        const std::uint32_t *s = b.s + y * b.sStride;
        if (b.n >= 128) {
            std::memcpy(d, s, std::size_t(b.n) * sizeof(std::uint32_t));
            continue;
        }
        int i = 0;
        for (; i + 8 <= b.n; i += 8)
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + i),
                                _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + i)));
        for (; i < b.n; ++i)
            d[i] = s[i];
    }
}

__attribute__((target("avx2"))) void BlendBlockAvx2(const TBlock &b, int alpha, bool keyed,
                                                    std::uint32_t key)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i a = _mm256_set1_epi16(short(alpha));
    const __m256i ia = _mm256_set1_epi16(short(255 - alpha));
    const __m256i opaque = _mm256_set1_epi32(int(Opaque));
    const __m256i mask = _mm256_set1_epi32(int(RgbMask));
    const __m256i k = _mm256_set1_epi32(int(key & RgbMask));
    for (int y = 0; y < b.rows; ++y) {
        std::uint32_t *d = b.d + y * b.dStride;
        const std::uint32_t *s = b.s + y * b.sStride;
        int i = 0;
        for (; i + 8 <= b.n; i += 8) {
            const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + i));
            const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(d + i));
            // Unpacking and packing work within 128-bit lanes, so the pixel order comes back.
            const __m256i lo = _mm256_srli_epi16(
                _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(sv, zero), a),
                                 _mm256_mullo_epi16(_mm256_unpacklo_epi8(dv, zero), ia)),
                8);
            const __m256i hi = _mm256_srli_epi16(
                _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(sv, zero), a),
                                 _mm256_mullo_epi16(_mm256_unpackhi_epi8(dv, zero), ia)),
                8);
            __m256i out = _mm256_or_si256(_mm256_packus_epi16(lo, hi), opaque);
            if (keyed) {
                const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(sv, mask), k);
                out = _mm256_blendv_epi8(out, dv, isKey);
            }
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + i), out);
        }
        for (; i < b.n; ++i)
            if (!keyed || ((s[i] ^ key) & RgbMask) != 0)
                d[i] = BlendPixel(s[i], d[i], std::uint32_t(alpha));
    }
}

// A keyed 1:1 copy. With spans it visits only each row's span (the occupant's figure, not the key
// around it); without, whole rows.
__attribute__((target("avx2"))) void KeyedSpansAvx2(const TBlock &b, const TSpan *spans,
                                                    std::uint32_t key)
{
    const __m256i mask = _mm256_set1_epi32(int(RgbMask));
    const __m256i k = _mm256_set1_epi32(int(key & RgbMask));
    for (int y = 0; y < b.rows; ++y) {
        std::uint32_t *d = b.d + y * b.dStride;
        const std::uint32_t *s = b.s + y * b.sStride;
        int i = spans ? spans[y].begin : 0;
        const int end = spans ? spans[y].end : b.n;
        for (; i + 8 <= end; i += 8) {
            const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + i));
            const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(d + i));
            const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(sv, mask), k);
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + i),
                                _mm256_blendv_epi8(sv, dv, isKey));
        }
        for (; i < end; ++i)
            if (((s[i] ^ key) & RgbMask) != 0)
                d[i] = s[i];
    }
}

bool UseAvx2()
{
    static const bool supported = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return WideKernels && supported;
}
#else
// Never called: UseAvx2 answers false where these have no wide version.
void CopyBlockAvx2(const TBlock &) {}
void BlendBlockAvx2(const TBlock &, int, bool, std::uint32_t) {}
void KeyedSpansAvx2(const TBlock &, const TSpan *, std::uint32_t) {}
bool UseAvx2()
{
    return false;
}
#endif

} // namespace

// The clipped work of one copy: target columns [x0, x1) and rows [y0, y1), each mapped to its
// source column and row by 16.16 fixed-point steps from the target's origin. Row addresses come
// from one base pointer per surface, so no row costs a call into QImage.
struct TBlitter
{
    // Settles both surfaces and takes their base addresses once per copy.
    TBlitter(const TDrawSurface &source, TDrawSurface &dest, QRect sourceRect, const QRect &target)
        : Source(source), Dest(dest), Target(target)
    {
        if (Source.IsEmpty() || Dest.IsEmpty() || target.isEmpty())
            return;
        // A source rectangle reaching outside its picture is cut to it, so no step reads outside.
        sourceRect = sourceRect.intersected(Source.Rect());
        if (sourceRect.isEmpty())
            return;
        Valid = true;
        SourceRect = sourceRect;
        stepX = (std::int64_t(sourceRect.width()) << 16) / target.width();
        stepY = (std::int64_t(sourceRect.height()) << 16) / target.height();
        oneToOne = stepX == 0x10000;
        sourceTop = sourceRect.top();
        Source.Settle();
        Dest.Settle();
        destBits = Dest.image_.bits();
        destStride = Dest.image_.bytesPerLine();
        sourceBits = Source.image_.constBits();
        sourceStride = Source.image_.bytesPerLine();
    }

    // Clips the target to one clip rectangle; false when nothing of it is left.
    bool Plan(const QRect &clip)
    {
        if (!Valid)
            return false;
        x0 = std::max(Target.left(), clip.left());
        x1 = std::min(Target.left() + Target.width(), clip.left() + clip.width());
        y0 = std::max(Target.top(), clip.top());
        y1 = std::min(Target.top() + Target.height(), clip.top() + clip.height());
        if (x0 >= x1 || y0 >= y1)
            return false;
        if (oneToOne) {
            sourceLeft = SourceRect.left() + (x0 - Target.left());
        } else {
            columns.resize(x1 - x0);
            std::int64_t pos = (x0 - Target.left()) * stepX;
            for (int &column : columns) {
                column = SourceRect.left() + int(pos >> 16);
                pos += stepX;
            }
        }
        rowPos = (y0 - Target.top()) * stepY;
        return true;
    }

    // Whether the planned copy is 1:1 in both directions, so it can run as one block.
    bool IsBlock() const { return oneToOne && stepY == 0x10000; }
    TBlock Block() const
    {
        const int sy = sourceTop + int(rowPos >> 16);
        return TBlock{DestRow(y0) + x0, destStride / 4, SourceRow(sy) + sourceLeft,
                      sourceStride / 4, x1 - x0,        y1 - y0};
    }

    // Whether a keyed 1:1 copy can move the source's listed runs instead of testing pixels.
    bool CanUseRuns(QRgb key) const
    {
        return oneToOne && Source.colourKey_ && ((*Source.colourKey_ ^ key) & RgbMask) == 0;
    }

    std::uint32_t *DestRow(int y) const
    {
        return reinterpret_cast<std::uint32_t *>(destBits + y * destStride);
    }
    const std::uint32_t *SourceRow(int y) const
    {
        return reinterpret_cast<const std::uint32_t *>(sourceBits + y * sourceStride);
    }

    // op(target, source, count) once per clipped target row.
    template <typename Op> void EachRow(Op op)
    {
        const int n = x1 - x0;
        std::vector<std::uint32_t> gathered(oneToOne ? 0 : n);
        std::int64_t pos = rowPos;
        for (int y = y0; y < y1; ++y, pos += stepY) {
            const std::uint32_t *s = SourceRow(sourceTop + int(pos >> 16));
            if (oneToOne) {
                op(DestRow(y) + x0, s + sourceLeft, n);
            } else {
                for (int i = 0; i < n; ++i)
                    gathered[i] = s[columns[i]];
                op(DestRow(y) + x0, gathered.data(), n);
            }
        }
    }

    // op(target, source, count) once per run of non-key source pixels inside the clip (1:1 only).
    template <typename Op> void EachRun(Op op)
    {
        const int left = sourceLeft;
        const int right = sourceLeft + (x1 - x0);
        std::int64_t pos = rowPos;
        for (int y = y0; y < y1; ++y, pos += stepY) {
            const int sy = sourceTop + int(pos >> 16);
            const std::uint32_t *s = SourceRow(sy);
            std::uint32_t *d = DestRow(y) + x0;
            const auto *last = Source.runs_.data() + Source.rowRuns_[sy + 1];
            const auto *run =
                std::partition_point(Source.runs_.data() + Source.rowRuns_[sy], last,
                                     [left](const TDrawSurface::TRun &r) { return r.end <= left; });
            for (; run != last && run->begin < right; ++run) {
                const int begin = std::max(run->begin, left);
                const int end = std::min(run->end, right);
                op(d + (begin - left), s + begin, end - begin);
            }
        }
    }

    // For a keyed block: op(block, spans) per chunk of rows, each row's span covering its
    // runs, widened to whole groups of eight pixels where the clip allows.
    template <typename Op> void EachSpanChunk(Op op)
    {
        constexpr int Chunk = 64;
        TSpan spans[Chunk];
        const int n = x1 - x0;
        const int firstRow = sourceTop + int(rowPos >> 16);
        for (int y = y0; y < y1; y += Chunk) {
            const int rows = std::min(Chunk, y1 - y);
            for (int i = 0; i < rows; ++i) {
                const int sy = firstRow + (y - y0) + i;
                int begin = n;
                int end = 0;
                // A picture row holds the runs of all its patterns: skip to the first one that
                // reaches into the clipped columns.
                const auto *run = std::partition_point(
                    Source.runs_.data() + Source.rowRuns_[sy],
                    Source.runs_.data() + Source.rowRuns_[sy + 1],
                    [this](const TDrawSurface::TRun &r) { return r.end <= sourceLeft; });
                const auto *last = Source.runs_.data() + Source.rowRuns_[sy + 1];
                for (; run != last && run->begin - sourceLeft < n; ++run) {
                    begin = std::min(begin, std::max(run->begin - sourceLeft, 0));
                    end = std::max(end, std::min(run->end - sourceLeft, n));
                }
                if (begin < end) {
                    const int width = (end - begin + 7) & ~7;
                    if (width >= n) {
                        begin = 0;
                        end = n;
                    } else {
                        end = std::min(begin + width, n);
                        begin = end - width;
                    }
                } else {
                    begin = end = 0;
                }
                spans[i] = {begin, end};
            }
            op(TBlock{DestRow(y) + x0, destStride / 4, SourceRow(firstRow + (y - y0)) + sourceLeft,
                      sourceStride / 4, n, rows},
               spans);
        }
    }

    const TDrawSurface &Source;
    TDrawSurface &Dest;
    QRect Target;
    QRect SourceRect;
    bool Valid = false;
    std::int64_t stepX = 0;
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    bool oneToOne = false;
    int sourceLeft = 0;       // source column of target column x0 when oneToOne
    std::vector<int> columns; // source column per target column when scaling
    int sourceTop = 0;
    std::int64_t rowPos = 0; // 16.16 offset of row y0 below sourceTop
    std::int64_t stepY = 0;
    uchar *destBits = nullptr;
    qsizetype destStride = 0;
    const uchar *sourceBits = nullptr;
    qsizetype sourceStride = 0;
};

TDrawSurface::TDrawSurface(int width, int height)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)
{
    Fill(0);
}

TDrawSurface::TDrawSurface(const QImage &picture)
    : image_(picture.convertToFormat(QImage::Format_RGB32))
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
    ++version_;
    pendingFill_ = pixel;
}

namespace {

void FillRect(uchar *bits, qsizetype stride, const QRect &rect, std::uint32_t pixel)
{
    const std::uint8_t byte = pixel & 0xff;
    const bool sameBytes = pixel == byte * 0x01010101u;
    for (int y = rect.top(); y < rect.top() + rect.height(); ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(bits + y * stride) + rect.left();
        if (sameBytes)
            std::memset(row, byte, std::size_t(rect.width()) * 4);
        else
            std::fill_n(row, rect.width(), pixel);
    }
}

} // namespace

void TDrawSurface::Settle() const
{
    if (!pendingFill_)
        return;
    const std::uint32_t pixel = *pendingFill_;
    pendingFill_.reset();
    const std::uint8_t byte = pixel & 0xff;
    uchar *bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    if (pixel == byte * 0x01010101u && stride == qsizetype(Width()) * 4)
        std::memset(bits, byte, std::size_t(stride) * Height());
    else
        FillRect(bits, stride, image_.rect(), pixel);
}

void TDrawSurface::FillOnly(const QRect *rects, int count)
{
    if (!pendingFill_)
        return;
    ++version_;
    const std::uint32_t pixel = *pendingFill_;
    pendingFill_.reset();
    uchar *bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int i = 0; i < count; ++i)
        FillRect(bits, stride, rects[i].intersected(image_.rect()), pixel);
}

void TDrawSurface::SetClip(const QRect *rects, int count)
{
    clip_ = rects;
    clipCount_ = count;
}

void TDrawSurface::ClearClip()
{
    clip_ = nullptr;
    clipCount_ = 0;
}

void TDrawSurface::SetColourKey(std::optional<QRgb> key)
{
    colourKey_ = key;
    rowRuns_.clear();
    runs_.clear();
    if (!key)
        return;
    for (int y = 0; y < Height(); ++y) {
        rowRuns_.push_back(int(runs_.size()));
        const std::uint32_t *row = Row(y);
        for (int x = 0; x < Width();) {
            if (((row[x] ^ *key) & RgbMask) == 0) {
                ++x;
                continue;
            }
            const int begin = x;
            while (x < Width() && ((row[x] ^ *key) & RgbMask) != 0)
                ++x;
            runs_.push_back({begin, x});
        }
    }
    rowRuns_.push_back(int(runs_.size()));
}

void TDrawSurface::Draw(const TDrawSurface &source, const QRect &sourceRect, const QRect &target,
                        std::optional<QRgb> colourKey)
{
    ++version_;
    const QRect whole = Rect();
    const QRect *clips = clip_ ? clip_ : &whole;
    const int clipCount = clip_ ? clipCount_ : 1;
    auto copy = [](std::uint32_t *d, const std::uint32_t *s, int n) { CopyRow(d, s, n); };
    TBlitter blit(source, *this, sourceRect, target);
    for (int c = 0; c < clipCount; ++c) {
        if (!blit.Plan(clips[c]))
            continue;
        const bool wide = blit.IsBlock() && UseAvx2();
        if (!colourKey) {
            if (wide)
                CopyBlockAvx2(blit.Block());
            else
                blit.EachRow(copy);
        } else if (blit.CanUseRuns(*colourKey)) {
            if (wide) {
                const std::uint32_t key = *colourKey;
                blit.EachSpanChunk([key](const TBlock &block, const TSpan *spans) {
                    KeyedSpansAvx2(block, spans, key);
                });
            } else {
                blit.EachRun(copy);
            }
        } else if (wide) {
            KeyedSpansAvx2(blit.Block(), nullptr, *colourKey);
        } else {
            const std::uint32_t key = *colourKey;
            blit.EachRow([key](std::uint32_t *d, const std::uint32_t *s, int n) {
                CopyKeyedRow(d, s, n, key);
            });
        }
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
    ++version_;
    const QRect whole = Rect();
    const QRect *clips = clip_ ? clip_ : &whole;
    const int clipCount = clip_ ? clipCount_ : 1;
    const bool keyed = colourKey.has_value();
    const std::uint32_t key = keyed ? *colourKey : 0;
    TBlitter blit(source, *this, sourceRect, target);
    for (int c = 0; c < clipCount; ++c) {
        if (!blit.Plan(clips[c]))
            continue;
        if (keyed && blit.CanUseRuns(key)) {
            blit.EachRun([alpha](std::uint32_t *d, const std::uint32_t *s, int n) {
                BlendRow(d, s, n, alpha, false, 0);
            });
        } else if (blit.IsBlock() && UseAvx2()) {
            BlendBlockAvx2(blit.Block(), alpha, keyed, key);
        } else {
            blit.EachRow([alpha, keyed, key](std::uint32_t *d, const std::uint32_t *s, int n) {
                BlendRow(d, s, n, alpha, keyed, key);
            });
        }
    }
}

void TDrawSurface::SetWideKernels(bool enabled)
{
    WideKernels = enabled;
}
