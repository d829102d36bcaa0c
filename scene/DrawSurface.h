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
// rectangle to its surface. A colour key, when given, leaves the target pixel untouched wherever
// the source pixel's RGB equals the key's RGB.
class TDrawSurface
{
public:
    // A surface of the given size filled with pixel value 0 (black).
    TDrawSurface(int width, int height);
    // A surface holding the picture's colours exactly (alpha forced opaque).
    explicit TDrawSurface(const QImage &picture);

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    QRect Rect() const { return FImage.rect(); }
    bool IsEmpty() const { return FImage.isNull() || Width() == 0 || Height() == 0; }

    // The pixels, Format_RGB32; paint it 1:1 to present the surface.
    const QImage &Image() const { return FImage; }
    QImage &Image() { return FImage; }

    std::uint32_t *Row(int y) { return reinterpret_cast<std::uint32_t *>(FImage.scanLine(y)); }
    const std::uint32_t *Row(int y) const
    {
        return reinterpret_cast<const std::uint32_t *>(FImage.constScanLine(y));
    }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }

    // Sets every pixel to the raw value (0 is black).
    void Fill(std::uint32_t pixel);

    // Gives this surface, as a source, a colour key: the runs of other pixels are listed once per
    // row, so keyed 1:1 copies move only those runs. Call it again after changing the pixels.
    void SetColourKey(std::optional<QRgb> key);
    std::optional<QRgb> ColourKey() const { return FColourKey; }

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

    QImage FImage;
    std::optional<QRgb> FColourKey;
    std::vector<int> FRowRuns; // row y's runs are FRuns[FRowRuns[y] .. FRowRuns[y + 1])
    std::vector<TRun> FRuns;

    friend struct TBlitter;
};
