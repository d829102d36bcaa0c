#include "ui/widgets/GameArt.h"

#include "ui/widgets/GameFont.h"
#include "ui/widgets/ShapedPicture.h"

#include <QFontInfo>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

TEST(GameArt, MessagePictureHasABlueBackgroundAndAPaleYellowFaceUnderTheMessage)
{
    const QImage picture = MessagePicture();
    ASSERT_EQ(picture.size(), QSize(410, 400));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 255));
    for (int y = 120; y < 120 + 193; ++y)
        for (int x = 128; x < 128 + 233; ++x)
            ASSERT_EQ(picture.pixel(x, y), qRgb(255, 255, 204)) << x << "," << y;
    // The "OK" button lies on the board, not on the cut-away background.
    const QRegion shape = TShapedPicture::PictureRegion(picture);
    EXPECT_TRUE(shape.contains(QRect(272, 360, 41, 33)));
    // The figure stands on the left; the corners are cut away.
    EXPECT_TRUE(shape.contains(QPoint(60, 300)));
    for (QPoint corner : {QPoint(0, 0), QPoint(409, 0), QPoint(0, 40), QPoint(409, 60)})
        EXPECT_FALSE(shape.contains(corner));
}

TEST(GameArt, MultiDragCursorPointsWithItsTopLeftPixel)
{
    const QCursor cursor = MultiDragCursor();
    EXPECT_EQ(cursor.hotSpot(), QPoint(0, 0));
    const QImage image = cursor.pixmap().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
}

TEST(GameArt, WindowIconComesInTheUsualSizes)
{
    const QIcon icon = WindowIcon();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(size, size);
        EXPECT_EQ(pixmap.size(), QSize(size, size));
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    }
}

TEST(GameFont, IsLiberationSansAtTheGivenPixelSize)
{
    ASSERT_TRUE(LoadGameFont());
    EXPECT_EQ(GameFontFamily(), QStringLiteral("Liberation Sans"));
    for (int size : {11, 13, 16, 32}) {
        const QFont font = GameFont(size, size == 16);
        EXPECT_EQ(font.pixelSize(), size);
        EXPECT_EQ(font.bold(), size == 16);
        const QFontInfo info(font);
        EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(info.pixelSize(), size);
        EXPECT_EQ(info.bold(), size == 16);
    }
}

} // namespace
