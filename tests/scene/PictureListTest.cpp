#include "scene/PictureList.h"

#include "scene/DrawSurface.h"

#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct TPictureRow
{
    const char *name;
    int width, height, patternWidth, patternHeight, patterns;
    bool transparent;
};

// The game's picture table: order, sizes, pattern layouts and transparency.
constexpr TPictureRow Table[] = {
    {"Room01", 100, 50, 50, 50, 2, false},   {"Room02", 200, 50, 100, 50, 2, false},
    {"Room03", 300, 50, 150, 50, 2, false},  {"Room04", 100, 50, 50, 50, 2, false},
    {"Room05", 200, 50, 100, 50, 2, false},  {"Floor", 500, 50, 500, 50, 1, false},
    {"Stuff", 200, 50, 200, 50, 1, false},   {"Stuff01", 25, 50, 25, 50, 1, false},
    {"Stuff02", 25, 16, 25, 16, 1, false},   {"Stuff03", 25, 16, 25, 16, 1, false},
    {"Stuff04", 25, 16, 25, 16, 1, false},   {"Station01", 50, 50, 50, 50, 1, false},
    {"Station02", 50, 50, 50, 50, 1, false}, {"Station03", 50, 50, 50, 50, 1, false},
    {"Micky", 300, 50, 50, 50, 6, true},
};

class PictureListTest : public ::testing::Test
{
protected:
    PictureListTest() : Surface(761, 535)
    {
        Pictures.LoadStandard();
        Pictures.SceneViewInitialized(Surface);
    }
    TDrawSurface Surface;
    TPictureList Pictures;
};

TEST_F(PictureListTest, FifteenPicturesInTheirOrderWithTheirLayouts)
{
    ASSERT_EQ(Pictures.Items.Count(), 15);
    for (int i = 0; i < 15; ++i) {
        const TPictureRow &row = Table[i];
        const TPictureItem &item = Pictures.Items.Item(i);
        SCOPED_TRACE(row.name);
        EXPECT_EQ(item.Name, QString::fromLatin1(row.name));
        EXPECT_EQ(item.Picture.size(), QSize(row.width, row.height));
        EXPECT_EQ(item.GetPatternWidth(), row.patternWidth);
        EXPECT_EQ(item.GetPatternHeight(), row.patternHeight);
        EXPECT_EQ(item.PatternCount(), row.patterns);
        EXPECT_EQ(item.Transparent, row.transparent);
        EXPECT_EQ(item.TransparentColor, row.transparent ? qRgb(102, 0, 0) : qRgb(0, 0, 0));
        EXPECT_FALSE(item.SystemMemory);
    }
    // Patterns are cut left to right: broken room type 2 is the right half of its picture.
    EXPECT_EQ(Pictures.Items.Item(1).PatternRect(1), QRect(100, 0, 100, 50));
    EXPECT_EQ(Pictures.Items.Item(14).PatternRect(5), QRect(250, 0, 50, 50));
    EXPECT_TRUE(Pictures.Items.Item(14).PatternRect(6).isEmpty());
}

// Each resource is a 24-bit uncompressed bitmap whose colours reach the surface copy unchanged.
TEST_F(PictureListTest, PicturesAre24BitBitmapsKeptExactly)
{
    for (const TPictureRow &row : Table) {
        SCOPED_TRACE(row.name);
        QFile file(QStringLiteral(":/sprites/%1.bmp").arg(QString::fromLatin1(row.name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        auto u16 = [&bytes](int at) {
            return int(quint8(bytes[at])) | int(quint8(bytes[at + 1])) << 8;
        };
        auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(u16(28), 24); // bits per pixel
        EXPECT_EQ(u32(30), 0);  // no compression
        const int offset = u32(10);
        const int stride = (row.width * 3 + 3) & ~3;
        ASSERT_EQ(bytes.size(), offset + stride * row.height);
        const TDrawSurface copy(Pictures.Items.FindItem(QString::fromLatin1(row.name)).Picture);
        for (int y = 0; y < row.height; ++y)
            for (int x = 0; x < row.width; ++x) {
                const int at = offset + (row.height - 1 - y) * stride + 3 * x;
                const QRgb expected =
                    qRgb(quint8(bytes[at + 2]), quint8(bytes[at + 1]), quint8(bytes[at]));
                ASSERT_EQ(copy.Pixel(x, y), expected) << x << "," << y;
            }
    }
}

TEST_F(PictureListTest, TheOccupantStandsOnTheColourKey)
{
    const TPictureItem &micky = Pictures.Items.FindItem(QStringLiteral("Micky"));
    for (int frame = 0; frame < 6; ++frame) {
        const QRect rect = micky.PatternRect(frame);
        EXPECT_EQ(micky.Picture.pixel(rect.topLeft()), qRgb(102, 0, 0));
        EXPECT_EQ(micky.Picture.pixel(rect.bottomRight()), qRgb(102, 0, 0));
    }
}

TEST_F(PictureListTest, FindItemIgnoresCaseAndNamesWhatItMisses)
{
    EXPECT_EQ(&Pictures.Items.FindItem(QStringLiteral("room03")), &Pictures.Items.Item(2));
    EXPECT_EQ(&Pictures.Items.FindItem(QStringLiteral("MICKY")), &Pictures.Items.Item(14));
    try {
        Pictures.Items.FindItem(QStringLiteral("Room06"));
        FAIL();
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "Image 'Room06' not found");
    }
}

TEST_F(PictureListTest, ItemsPaintOnlyWhileTheSurfaceIsInitialised)
{
    TPictureItem &floor = Pictures.Items.FindItem(QStringLiteral("Floor"));
    Pictures.SceneViewFinalized();
    floor.DrawStretched(Surface, QRect(0, 0, 500, 50), 0);
    EXPECT_EQ(Surface.Pixel(10, 10), 0u);
    Pictures.SceneViewInitialized(Surface);
    floor.DrawStretched(Surface, QRect(0, 0, 500, 50), 0);
    EXPECT_EQ(Surface.Pixel(10, 10), floor.Picture.pixel(10, 10));
    floor.DrawStretched(Surface, QRect(0, 100, 500, 50), 1); // no such pattern
    EXPECT_EQ(Surface.Pixel(10, 110), 0u);
}

} // namespace
