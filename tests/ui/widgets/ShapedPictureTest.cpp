#include "ui/widgets/ShapedPicture.h"

#include "ui/widgets/OvalButton.h"

#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QRgb kBack = qRgb(0, 0, 255);
const QRgb kInk = qRgb(200, 30, 30);
const QRgb kCaption = qRgb(0, 0, 255);

// 6 x 5, background blue ('.'), anything else a picture pixel.
QImage Picture(const char *const rows[5])
{
    QImage image(6, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, rows[y][x] == '.' ? kBack : kInk);
    return image;
}

QRegion UnionOf(std::initializer_list<QRect> rects)
{
    QRegion region;
    for (const QRect &rect : rects)
        region += rect;
    return region;
}

TEST(ShapedPicture, RegionIsTheUnionOfEveryRowsRuns)
{
    const char *const rows[5] = {
        "......", //
        ".##.#.", //
        ".##.#.", //
        "######", //
        "#....#",
    };
    const QRegion region = TShapedPicture::PictureRegion(Picture(rows), QPoint(10, 20));
    const QRegion expected =
        UnionOf({QRect(11, 21, 2, 1), QRect(14, 21, 1, 1), QRect(11, 22, 2, 1), QRect(14, 22, 1, 1),
                 QRect(10, 23, 6, 1), QRect(10, 24, 1, 1), QRect(15, 24, 1, 1)});
    EXPECT_TRUE((region ^ expected).isEmpty());
    // The rows with the same runs are joined into one band.
    const QList<QRect> rects(region.begin(), region.end());
    EXPECT_EQ(rects, QList<QRect>({QRect(11, 21, 2, 2), QRect(14, 21, 1, 2), QRect(10, 23, 6, 1),
                                   QRect(10, 24, 1, 1), QRect(15, 24, 1, 1)}));
}

TEST(ShapedPicture, BackgroundIsTheTopLeftPixelsColour)
{
    const char *const rows[5] = {
        "#....#", //
        "#....#", //
        "......", //
        "......", //
        "......",
    };
    // With a picture pixel in the top-left corner, blue becomes the shape.
    const QRegion region = TShapedPicture::PictureRegion(Picture(rows));
    EXPECT_TRUE((region ^ UnionOf({QRect(1, 0, 4, 2), QRect(0, 2, 6, 3)})).isEmpty());
    EXPECT_TRUE(TShapedPicture::PictureRegion(QImage()).isEmpty());
}

struct ShapedWindow
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TShapedPicture *picture = new TShapedPicture(window.get());
    explicit ShapedWindow(const QImage &image, QPoint at = QPoint(0, 0))
    {
        window->setWindowFlags(Qt::Window);
        window->resize(40, 30);
        picture->move(at);
        picture->SetAutoSize(true);
        picture->SetPicture(image);
    }
    // Shapes the window and shows it on the screen.
    bool ShowShaped()
    {
        picture->SetActive(true);
        window->move(100, 100);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
};

const char *const kRing[5] = {
    "......", //
    ".####.", //
    ".#..#.", //
    ".####.", //
    "......",
};

TEST(ShapedPicture, ActiveShapesTheWindowAndRemovesItsFrame)
{
    ShapedWindow w(Picture(kRing).scaled(30, 25), QPoint(4, 3));
    EXPECT_EQ(w.picture->size(), QSize(30, 25));
    w.picture->SetActive(true);
    EXPECT_TRUE(w.window->windowFlags() & Qt::FramelessWindowHint);
    const QRegion mask = w.window->mask();
    EXPECT_EQ(mask, TShapedPicture::PictureRegion(w.picture->Picture(), QPoint(4, 3)));
    EXPECT_TRUE(mask.contains(QPoint(4 + 7, 3 + 7)));
    EXPECT_FALSE(mask.contains(QPoint(4 + 12, 3 + 12))); // the hole of the ring
    EXPECT_FALSE(mask.contains(QPoint(4, 3)));

    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    w.picture->move(0, 0);
    EXPECT_EQ(w.window->mask(), TShapedPicture::PictureRegion(w.picture->Picture()));

    w.picture->SetActive(false);
    EXPECT_TRUE(w.window->mask().isEmpty());
    EXPECT_FALSE(w.window->windowFlags() & Qt::FramelessWindowHint);
}

// Presses and moves through the window system's path, as the player's are.
void Press(QWidget *window, QPoint at)
{
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, at);
}
// The mouse goes to the window point 'to' and stays there on the screen while
// the window follows it.
void MoveAndRelease(QWidget *window, QPoint to)
{
    QWindow *handle = window->windowHandle();
    const QPoint screenPoint = handle->mapToGlobal(to);
    QTest::mouseMove(handle, to);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(screenPoint));
}

TEST(ShapedPicture, AlwaysMoveDragsTheWindowByAnyPixel)
{
    ShapedWindow w(Picture(kRing).scaled(30, 25));
    w.picture->SetAlwaysMove(true);
    ASSERT_TRUE(w.ShowShaped());
    const QPoint start = w.window->pos();
    Press(w.window.get(), QPoint(7, 7));
    MoveAndRelease(w.window.get(), QPoint(7 + 30, 7 + 15));
    EXPECT_EQ(w.window->pos(), start + QPoint(30, 15));
}

TEST(ShapedPicture, WithoutAlwaysMoveOnlyTheCaptionColourDrags)
{
    QImage image = Picture(kRing).scaled(30, 25);
    image.setPixel(12, 7, kCaption); // a caption pixel inside the ring's frame
    image.setPixel(0, 0, qRgb(0, 255, 0));
    ShapedWindow w(image);
    w.picture->SetCaptionColor(QColor(kCaption));
    ASSERT_TRUE(w.ShowShaped());
    const QPoint start = w.window->pos();
    Press(w.window.get(), QPoint(7, 7));
    MoveAndRelease(w.window.get(), QPoint(27, 7));
    EXPECT_EQ(w.window->pos(), start);
    Press(w.window.get(), QPoint(12, 7));
    MoveAndRelease(w.window.get(), QPoint(12, 17));
    EXPECT_EQ(w.window->pos(), start + QPoint(0, 10));
}

TEST(ShapedPicture, AControlOnTopGetsItsOwnPressAndDoesNotDrag)
{
    ShapedWindow w(Picture(kRing).scaled(30, 25));
    w.picture->SetAlwaysMove(true);
    auto *button = new TOvalButton(w.window.get()); // on the ring's upper edge
    button->setGeometry(5, 3, 20, 10);
    int clicks = 0;
    button->OnClick = [&](QObject *) { ++clicks; };
    ASSERT_TRUE(w.ShowShaped());
    const QPoint start = w.window->pos();
    Press(w.window.get(), QPoint(15, 8));
    MoveAndRelease(w.window.get(), QPoint(16, 9));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(w.window->pos(), start);
}

} // namespace
