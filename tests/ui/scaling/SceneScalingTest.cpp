// The scene on a high-density screen (run with QT_SCALE_FACTOR set): every device pixel of the
// presented scene is exactly one pixel of the 1x picture, never a mix (at a ratio of 2 each
// scene pixel is an exact 2 x 2 square), and a mouse event at a device pixel reports the scene
// pixel that device pixel shows, so a click lands on the cell it shows. The view stands at a
// left offset of 185 like the scene in the window, which at 1.5 puts it between device pixels.
#include "scene/HotelScene.h"
#include "scene/RoomSprite.h"
#include "ui/PaintBox.h"
#include "ui/SceneView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int ViewLeft = 185;
constexpr int ViewTop = 3;

// The scene pixel a device pixel shows: the one under the device pixel's centre, the left or upper
// one when the centre lies on their edge. The view's device pixels are those the mouse reaches it
// on: from its origin on (at 1.5 the origin may lie between two device pixels); -1 for the others.
int ScenePixel(int device, double origin, double ratio, int size)
{
    if (device < origin || device >= origin + size * ratio)
        return -1;
    return static_cast<int>(std::ceil((device + 0.5 - origin) / ratio)) - 1;
}

class SceneScaling : public ::testing::Test
{
protected:
    SceneScaling()
    {
        view = new TSceneView(&frame);
        view->move(ViewLeft, ViewTop);
        frame.resize(ViewLeft + view->width(), ViewTop + view->height());
        frame.show();
        view->Initialize();
        scene.Attach(view->Surface());
        scene.Arena.Random.seed(3);
        scene.Arena.AddFloor(1, 0, 0, 0, 0, TComfortItems("1111", ""));
        scene.Arena.AddFloor(2, 1, -1, 1, -1, TComfortItems("0101", ""));
        scene.Arena.AddRoom(10, 1, 0, 0, 0, 255); // x 40 .. 89
        scene.Arena.AddRoom(11, 4, 0, 1, 0, 255); // x 90 .. 139
        scene.Arena.AddRoom(12, 3, 1, 2, -2, 90); // translucent
        scene.Arena.AddRoom(13, 2, 1, 6, 1, 255); // occupied
        scene.Frame(16);
        view->Present();
        ratio = frame.devicePixelRatioF();
    }
    ~SceneScaling() override { scene.Detach(); }

    QWidget frame;
    TSceneView *view = nullptr;
    THotelScene scene;
    double ratio = 1;
};

TEST_F(SceneScaling, RunsAtTheRatioAsked)
{
    const char *asked = std::getenv("QT_SCALE_FACTOR");
    ASSERT_NE(asked, nullptr) << "run with QT_SCALE_FACTOR";
    EXPECT_DOUBLE_EQ(ratio, std::atof(asked));
}

TEST_F(SceneScaling, EveryDevicePixelIsExactlyTheScenePixelUnderIt)
{
    const QImage shown = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage &picture = std::as_const(view->Surface()).Image();
    const double originX = ViewLeft * ratio;
    const double originY = ViewTop * ratio;
    int checked = 0;
    int wrong = 0;
    for (int dy = 0; dy < shown.height(); ++dy) {
        const int sy = ScenePixel(dy, originY, ratio, picture.height());
        if (sy < 0 || sy >= picture.height())
            continue;
        const auto *row = reinterpret_cast<const QRgb *>(shown.constScanLine(dy));
        const auto *source = reinterpret_cast<const QRgb *>(picture.constScanLine(sy));
        for (int dx = 0; dx < shown.width(); ++dx) {
            const int sx = ScenePixel(dx, originX, ratio, picture.width());
            if (sx < 0 || sx >= picture.width())
                continue;
            ++checked;
            if (((row[dx] ^ source[sx]) & 0xffffff) != 0 && wrong++ < 5)
                ADD_FAILURE() << "device pixel " << dx << "," << dy << " shows " << std::hex
                              << row[dx] << ", scene pixel " << std::dec << sx << "," << sy
                              << " is " << std::hex << source[sx];
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GE(checked, int(761 * 535 * ratio * ratio) - int(2 * (761 + 535) * ratio) - 4);
}

TEST_F(SceneScaling, AClickOrMoveAtADevicePixelReportsTheScenePixelItShows)
{
    int reportedX = -1;
    int reportedY = -1;
    int movedX = -1;
    int movedY = -1;
    view->OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        reportedX = x;
        reportedY = y;
    };
    // The tool cursor follows what the mouse moves over, through the same mapping.
    view->OnMouseMove = [&](Qt::KeyboardModifiers, int x, int y) {
        movedX = x;
        movedY = y;
    };
    const double originX = ViewLeft * ratio;
    const double originY = ViewTop * ratio;
    // Across the edge between the two rooms, and along the floor's top edge.
    const int deviceY = static_cast<int>(std::ceil(originY + 470 * ratio));
    for (int deviceX = static_cast<int>(originX + 87 * ratio);
         deviceX <= static_cast<int>(originX + 92 * ratio); ++deviceX) {
        // Qt hands the widget the device position divided by the ratio.
        const QPointF local(deviceX / ratio - ViewLeft, deviceY / ratio - ViewTop);
        QMouseEvent release(QEvent::MouseButtonRelease, local, view->mapToGlobal(local),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &release);
        QMouseEvent move(QEvent::MouseMove, local, view->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &move);
        EXPECT_EQ(movedX, reportedX);
        EXPECT_EQ(movedY, reportedY);
        EXPECT_EQ(reportedX, ScenePixel(deviceX, originX, ratio, 761))
            << "device column " << deviceX;
        EXPECT_EQ(reportedY, ScenePixel(deviceY, originY, ratio, 535)) << "device row " << deviceY;

        // A click builds on the cell of the room whose picture the player sees there: the left
        // room's cell 0 up to scene column 89, the right room's cell 1 from column 90 on.
        const int shownX = ScenePixel(deviceX, originX, ratio, 761);
        EXPECT_EQ((reportedX - scene.Arena.LeftMargin()) / 50, shownX < 90 ? 0 : 1)
            << "device column " << deviceX << " shows scene column " << shownX;
    }
}

// The leader lines are whole scene-sized pixels too: at any ratio they cover exactly the device
// pixels whose centres lie in the pixels the 1x line covers.
TEST_F(SceneScaling, LeaderLinesCoverTheDevicePixelsOfTheirOneTimesPixels)
{
    TPaintBox box;
    box.resize(81, 183);
    box.OnPaint = [](TPaintBox &b, QPainter &painter) { b.DrawLeader(painter, 99, b.height()); };
    QImage once(box.size(), QImage::Format_RGB32);
    once.fill(Qt::black);
    {
        QPainter painter(&once);
        box.DrawLeader(painter, 99, box.height());
    }
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(shown.width(), static_cast<int>(81 * ratio));
    int wrong = 0;
    for (int dy = 0; dy < shown.height(); ++dy)
        for (int dx = 0; dx < shown.width(); ++dx) {
            const int sx = ScenePixel(dx, 0, ratio, once.width());
            const int sy = ScenePixel(dy, 0, ratio, once.height());
            if (sx < 0 || sy < 0)
                continue;
            const bool lit = qRed(shown.pixel(dx, dy)) > 128 && qBlue(shown.pixel(dx, dy)) < 128;
            const bool litOnce = once.pixel(sx, sy) == qRgb(255, 255, 0);
            if (lit != litOnce && wrong++ < 5)
                ADD_FAILURE() << "device pixel " << dx << "," << dy << (lit ? " lit" : " dark")
                              << ", its 1x pixel " << sx << "," << sy
                              << (litOnce ? " lit" : " dark");
        }
    EXPECT_EQ(wrong, 0);
}

TEST(LeaderLine, IsTheOnePixelPolylineOfTheOneTimesScreen)
{
    struct TCase
    {
        int width, height, y0, yEnd;
    };
    // The building tools' box (the line ends below the box) and the floor panel's (up or down).
    for (const TCase c : {TCase{81, 183, 99, 183}, TCase{60, 40, 30, 15}, TCase{60, 40, 3, 15}}) {
        TPaintBox box;
        box.resize(c.width, c.height);
        QImage filled(box.size(), QImage::Format_RGB32);
        QImage stroked(box.size(), QImage::Format_RGB32);
        filled.fill(Qt::black);
        stroked.fill(Qt::black);
        {
            QPainter painter(&filled);
            box.DrawLeader(painter, c.y0, c.yEnd);
        }
        {
            QPainter painter(&stroked);
            painter.setPen(QPen(QColor(255, 255, 0), 1));
            const QPoint points[] = {
                {0, c.y0}, {c.width / 2, c.y0}, {c.width / 2, c.yEnd}, {c.width, c.yEnd}};
            painter.drawPolyline(points, 4);
        }
        EXPECT_EQ(filled, stroked) << c.width << "x" << c.height << " from " << c.y0;
    }
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
