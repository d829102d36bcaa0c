#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

// A 32-bit RGB pixel buffer (0xffRRGGBB, QImage::Format_RGB32) with the exact blitters the
// scene paints with. The window presents Image() 1:1; pictures keep their 24-bit colours.
//
// Every copy takes a source rectangle and a target rectangle; when their sizes differ the
// source is stepped in 16.16 fixed point. The target is clipped to this surface, the source
// rectangle to its surface. A colour key, when given, leaves the
// target pixel untouched wherever the source pixel's RGB equals the key's RGB.
//
// Fill is deferred until the pixels are next used, so that the sprite engine knows a frame was
// drawn over one uniform background (PendingFill); every accessor settles it first.
class TDrawSurface
{
public:
    // A surface of the given size filled with pixel value 0 (black).
    TDrawSurface(int width, int height);
    // A surface holding the picture's colours exactly (alpha forced opaque).
    explicit TDrawSurface(const QImage &picture);

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    QRect Rect() const { return image_.rect(); }
    bool IsEmpty() const { return image_.isNull() || Width() == 0 || Height() == 0; }

    // The pixels, Format_RGB32; paint it 1:1 to present the surface.
    const QImage &Image() const
    {
        Settle();
        return image_;
    }
    QImage &Image()
    {
        Settle();
        ++version_;
        return image_;
    }

    std::uint32_t *Row(int y)
    {
        Settle();
        ++version_;
        return reinterpret_cast<std::uint32_t *>(image_.scanLine(y));
    }
    const std::uint32_t *Row(int y) const
    {
        Settle();
        return reinterpret_cast<const std::uint32_t *>(image_.constScanLine(y));
    }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }

    // Sets every pixel to the raw value (0 is black), as soon as the pixels are next used.
    void Fill(std::uint32_t pixel);
    // Whether a Fill is still to be carried out, and with which pixel value.
    bool FillPending() const { return pendingFill_.has_value(); }
    std::optional<std::uint32_t> PendingFill() const { return pendingFill_; }
    // Carries out a pending Fill now; the pixels' version stays, since the picture it stands for
    // does not change.
    void Settle() const;

    // Changes whenever the pixels may have changed: every fill, copy and writable access counts.
    // Reading through the const accessors leaves it alone, so a presenter does not count.
    std::uint64_t Version() const { return version_; }

    // Gives this surface, as a source, a colour key: the runs of other pixels are listed once per
    // row, so keyed 1:1 copies move only those runs. Call it again after changing the pixels.
    void SetColourKey(std::optional<QRgb> key);
    std::optional<QRgb> ColourKey() const { return colourKey_; }

    // Copies (scaling if the sizes differ) source's sourceRect into target, clipped.
    void Draw(const TDrawSurface &source, const QRect &sourceRect, const QRect &target,
              std::optional<QRgb> colourKey = std::nullopt);

    // Blends source's sourceRect into target: every channel becomes
    // (source * alpha + destination * (255 - alpha)) div 256. Alpha <= 0 draws nothing,
    // alpha >= 255 copies unchanged.
    void DrawBlended(const TDrawSurface &source, const QRect &sourceRect, const QRect &target,
                     int alpha, std::optional<QRgb> colourKey = std::nullopt);

private:
    struct TRun
    {
        int begin, end; // columns [begin, end) holding no key pixel
    };

    mutable QImage image_;
    mutable std::optional<std::uint32_t> pendingFill_;
    std::uint64_t version_ = 0;
    std::optional<QRgb> colourKey_;
    std::vector<int> rowRuns_; // row y's runs are runs_[rowRuns_[y] .. rowRuns_[y + 1])
    std::vector<TRun> runs_;

    friend struct TBlitter;
};
