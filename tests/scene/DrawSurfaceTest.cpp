#include "scene/DrawSurface.h"

#include "support/ReferenceDraw.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <utility>

namespace {

QImage RandomPicture(std::mt19937 &random, int width, int height, QRgb key)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xffffff);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, percent(random) < 20 ? key : (0xff000000u | colour(random)));
    return image;
}

TEST(DrawSurfaceTest, BlendOfAlpha55OverBlackIsSourceTimes55Div256)
{
    QImage picture(1, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 128, 7));
    const TDrawSurface source(picture);
    TDrawSurface dest(3, 3);
    dest.DrawBlended(source, QRect(0, 0, 1, 1), QRect(1, 1, 1, 1), 55);
    EXPECT_EQ(dest.Pixel(1, 1), qRgb(255 * 55 / 256, 128 * 55 / 256, 7 * 55 / 256));
    EXPECT_EQ(dest.Pixel(1, 1), qRgb(54, 27, 1));
    EXPECT_EQ(dest.Pixel(0, 0), 0u);
}

TEST(DrawSurfaceTest, AlphaZeroLeavesTheTargetAndAlpha255CopiesExactly)
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    picture.setPixel(1, 0, qRgb(250, 251, 252));
    const TDrawSurface source(picture);
    TDrawSurface dest(2, 1);
    dest.Fill(qRgb(9, 9, 9));
    dest.DrawBlended(source, QRect(0, 0, 2, 1), QRect(0, 0, 2, 1), 0);
    dest.DrawBlended(source, QRect(0, 0, 2, 1), QRect(0, 0, 2, 1), -5);
    EXPECT_EQ(dest.Pixel(0, 0), qRgb(9, 9, 9));
    EXPECT_EQ(dest.Pixel(1, 0), qRgb(9, 9, 9));
    dest.DrawBlended(source, QRect(0, 0, 2, 1), QRect(0, 0, 2, 1), 255);
    EXPECT_EQ(dest.Pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(dest.Pixel(1, 0), qRgb(250, 251, 252));
}

TEST(DrawSurfaceTest, ColourKeyIsNeverCopiedOpaqueOrBlended)
{
    const QRgb key = qRgb(102, 0, 0);
    QImage picture(8, 1, QImage::Format_RGB32);
    picture.fill(key);
    picture.setPixel(3, 0, qRgb(10, 20, 30));
    const TDrawSurface source(picture);
    for (int alpha : {255, 128}) {
        TDrawSurface dest(8, 1);
        dest.Fill(qRgb(0, 0, 200));
        dest.DrawBlended(source, QRect(0, 0, 8, 1), QRect(0, 0, 8, 1), alpha, key);
        for (int x = 0; x < 8; ++x) {
            if (x != 3) {
                EXPECT_EQ(dest.Pixel(x, 0), qRgb(0, 0, 200)) << "alpha " << alpha << " x " << x;
            }
        }
        EXPECT_NE(dest.Pixel(3, 0), qRgb(0, 0, 200));
    }
}

TEST(DrawSurfaceTest, FillAndClippingStayInsideTheSurface)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(1, 1, 1));
    const TDrawSurface source(picture);
    TDrawSurface dest(4, 4);
    dest.Fill(0x00123456);
    EXPECT_EQ(dest.Pixel(3, 3), 0x00123456u);
    dest.Fill(0);
    dest.Draw(source, QRect(0, 0, 4, 4), QRect(-2, 2, 4, 4));
    EXPECT_EQ(dest.Pixel(1, 2), qRgb(1, 1, 1));
    EXPECT_EQ(dest.Pixel(2, 2), 0u);
    EXPECT_EQ(dest.Pixel(1, 1), 0u);
    dest.Draw(source, QRect(0, 0, 4, 4), QRect(10, 10, 4, 4)); // wholly outside: nothing
    dest.Draw(source, QRect(0, 0, 4, 4), QRect(0, 0, 0, 4));   // empty target: nothing
    EXPECT_EQ(dest.Pixel(3, 0), 0u);
}

// The row loops (copy, key select, blend, the keyed source's runs, the scaled gather) against the
// reference on random pictures, rectangles, scales, clip positions and alphas.
TEST(DrawSurfaceTest, BlittersMatchThePlainPerPixelFormula)
{
    std::mt19937 random(20261209);
    const QRgb key = qRgb(102, 0, 0);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int alphas[] = {1, 54, 55, 127, 128, 200, 254, 255, 256};
    for (int round = 0; round < 1500; ++round) {
        const QImage picture = RandomPicture(random, between(1, 70), between(1, 40), key);
        const QRect sourceRect(between(0, picture.width() - 1), between(0, picture.height() - 1), 0,
                               0);
        const QRect cut(sourceRect.topLeft(),
                        QSize(between(1, picture.width() - sourceRect.left()),
                              between(1, picture.height() - sourceRect.top())));
        const bool oneToOne = between(0, 2) != 0;
        const QSize size = oneToOne ? cut.size() : QSize(between(1, 90), between(1, 50));
        const int destWidth = between(1, 80);
        const int destHeight = between(1, 60);
        const QRect target(between(-size.width() - 5, destWidth + 5),
                           between(-size.height() - 5, destHeight + 5), size.width(),
                           size.height());
        const int alpha = between(0, 3) == 0 ? between(-2, 300) : alphas[between(0, 8)];
        const std::optional<QRgb> colourKey =
            between(0, 1) ? std::optional<QRgb>(key) : std::nullopt;

        TDrawSurface dest(destWidth, destHeight);
        QImage expected = RandomPicture(random, destWidth, destHeight, qRgb(0, 0, 0));
        dest.Image() = expected.copy();
        TDrawSurface source(picture);
        if (between(0, 1)) // a keyed source moves its runs of other pixels
            source.SetColourKey(key);
        if (between(0, 1) && alpha >= 255)
            dest.Draw(source, cut, target, colourKey);
        else
            dest.DrawBlended(source, cut, target, alpha, colourKey);
        ReferenceDraw(expected, picture, cut, target, alpha, colourKey);
        ASSERT_EQ(dest.Image(), expected)
            << "round " << round << " picture " << picture.width() << "x" << picture.height()
            << " cut " << cut.x() << "," << cut.y() << " " << cut.width() << "x" << cut.height()
            << " target " << target.x() << "," << target.y() << " " << target.width() << "x"
            << target.height() << " alpha " << alpha << " keyed " << colourKey.has_value()
            << " runs " << source.ColourKey().has_value();
    }
}

// A source rectangle reaching past its picture is cut to the picture, which is then stretched
// over the whole target: nothing outside the picture is read.
TEST(DrawSurfaceTest, ASourceRectanglePastThePictureIsCutToIt)
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(10, 0, 0));
    picture.setPixel(1, 0, qRgb(20, 0, 0));
    const TDrawSurface source(picture);
    TDrawSurface dest(4, 1);
    dest.Draw(source, QRect(0, 0, 4, 1), QRect(0, 0, 4, 1));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(dest.Pixel(x, 0), x < 2 ? qRgb(10, 0, 0) : qRgb(20, 0, 0)) << x;
}

// Every write moves the version on, so an unchanged frame is never taken for the one on screen;
// reading does not.
TEST(DrawSurfaceTest, EveryWriteMovesTheVersionOnAndReadingDoesNot)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(qRgb(40, 50, 60));
    const TDrawSurface source(picture);
    TDrawSurface dest(4, 4);
    const QRect whole(0, 0, 2, 2);
    struct Case
    {
        const char *name;
        std::function<void()> step;
        bool writes;
    };
    const Case cases[] = {
        {"fill", [&] { dest.Fill(0); }, true},
        {"copy", [&] { dest.Draw(source, whole, whole); }, true},
        {"blend", [&] { dest.DrawBlended(source, whole, whole, 128); }, true},
        {"writable row", [&] { dest.Row(0); }, true},
        {"reading", [&] { (void)std::as_const(dest).Pixel(0, 0); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint64_t before = dest.Version();
        c.step();
        EXPECT_EQ(dest.Version() != before, c.writes);
    }
}

TEST(DrawSurfaceTest, PictureColoursAreKeptExactly)
{
    QImage picture(2, 1, QImage::Format_RGB888);
    picture.setPixel(0, 0, qRgb(1, 254, 77));
    picture.setPixel(1, 0, qRgb(102, 0, 0));
    const TDrawSurface surface(picture);
    EXPECT_EQ(surface.Pixel(0, 0), qRgb(1, 254, 77));
    EXPECT_EQ(surface.Pixel(1, 0), qRgb(102, 0, 0));
    EXPECT_EQ(surface.Image().format(), QImage::Format_RGB32);
}

// A picture that is RGB32 already is taken as it is by the conversion, unused byte and all: the
// surface still holds it opaque in every column.
TEST(DrawSurfaceTest, AnRgb32PictureIsHeldOpaque)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(picture.scanLine(y));
        for (int x = 0; x < 3; ++x)
            row[x] = 0x00123456u + std::uint32_t(x);
    }
    const TDrawSurface surface(picture);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(surface.Pixel(x, y), 0xff123456u + std::uint32_t(x)) << x << "," << y;
}

// After its pixels change, a keyed source lists its runs anew: a keyed copy then moves what the
// picture holds now.
TEST(DrawSurfaceTest, AColourKeySetAgainFollowsTheChangedPixels)
{
    const QRgb key = qRgb(102, 0, 0);
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(key);
    TDrawSurface source(picture);
    source.SetColourKey(key);
    source.Row(1)[2] = qRgb(7, 8, 9);
    source.SetColourKey(key);
    TDrawSurface dest(4, 2);
    dest.Draw(source, source.Rect(), source.Rect(), key);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dest.Pixel(x, y), x == 2 && y == 1 ? qRgb(7, 8, 9) : 0u) << x << "," << y;
}

} // namespace
