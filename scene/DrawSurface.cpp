#include "scene/DrawSurface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t Opaque = 0xff000000u;
constexpr std::uint32_t RgbMask = 0x00ffffffu;

// Plain per-pixel loops, left to the compiler: hand-written vector kernels gained too little over
// them on a whole frame to be worth their code.
void CopyRow(std::uint32_t *d, const std::uint32_t *s, int n)
{
    for (int i = 0; i < n; ++i)
        d[i] = s[i];
}

void CopyKeyedRow(std::uint32_t *d, const std::uint32_t *s, int n, std::uint32_t key)
{
    for (int i = 0; i < n; ++i)
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

void BlendRow(std::uint32_t *d, const std::uint32_t *s, int n, int alpha)
{
    for (int i = 0; i < n; ++i)
        d[i] = BlendPixel(s[i], d[i], std::uint32_t(alpha));
}

void BlendKeyedRow(std::uint32_t *d, const std::uint32_t *s, int n, int alpha, std::uint32_t key)
{
    for (int i = 0; i < n; ++i)
        if (((s[i] ^ key) & RgbMask) != 0)
            d[i] = BlendPixel(s[i], d[i], std::uint32_t(alpha));
}

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

    // Clips the target to the destination surface; false when nothing of it is left.
    bool Plan()
    {
        if (!Valid)
            return false;
        x0 = std::max(Target.left(), 0);
        x1 = std::min(Target.left() + Target.width(), Dest.Width());
        y0 = std::max(Target.top(), 0);
        y1 = std::min(Target.top() + Target.height(), Dest.Height());
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

    // op(target, source, count) once per run of non-key source pixels inside the target (1:1 only).
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

    // Plans the copy and runs it: unkeyed rows through plain, a keyed source's runs through plain
    // too (they hold no key pixel), any other keyed copy through keyed(target, source, count,
    // key). Lambdas rather than functions, so that each row loop is inlined into its walk.
    template <typename Plain, typename Keyed>
    void Run(std::optional<QRgb> colourKey, Plain plain, Keyed keyed)
    {
        if (!Plan())
            return;
        if (!colourKey) {
            EachRow(plain);
        } else if (CanUseRuns(*colourKey)) {
            EachRun(plain);
        } else {
            const std::uint32_t key = *colourKey;
            EachRow([&keyed, key](std::uint32_t *d, const std::uint32_t *s, int n) {
                keyed(d, s, n, key);
            });
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

void TDrawSurface::Settle() const
{
    if (!pendingFill_)
        return;
    const std::uint32_t pixel = *pendingFill_;
    pendingFill_.reset();
    // Black, the scene's background, is one byte repeated: a memset is the fastest fill there is.
    const std::uint8_t byte = pixel & 0xff;
    if (pixel == byte * 0x01010101u) {
        std::memset(image_.bits(), byte, std::size_t(image_.sizeInBytes()));
        return;
    }
    for (int y = 0; y < Height(); ++y)
        std::fill_n(reinterpret_cast<std::uint32_t *>(image_.scanLine(y)), Width(), pixel);
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
    TBlitter blit(source, *this, sourceRect, target);
    blit.Run(
        colourKey, [](std::uint32_t *d, const std::uint32_t *s, int n) { CopyRow(d, s, n); },
        [](std::uint32_t *d, const std::uint32_t *s, int n, std::uint32_t key) {
            CopyKeyedRow(d, s, n, key);
        });
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
    TBlitter blit(source, *this, sourceRect, target);
    blit.Run(
        colourKey,
        [alpha](std::uint32_t *d, const std::uint32_t *s, int n) { BlendRow(d, s, n, alpha); },
        [alpha](std::uint32_t *d, const std::uint32_t *s, int n, std::uint32_t key) {
            BlendKeyedRow(d, s, n, alpha, key);
        });
}
