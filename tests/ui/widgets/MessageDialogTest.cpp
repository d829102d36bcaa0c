#include "ui/TF_Dialog.h"
#include "ui/widgets/GameArt.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/ShapedPicture.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs look(dialog) while the message window is up, then presses its "OK"
// button as the player would.
void WhileShown(const std::function<void(TF_Dialog *)> &look, QPointer<TF_Dialog> *seen = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<TF_Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (seen)
            *seen = dialog;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        look(dialog);
        const QPoint ok = dialog->OvalButton1->geometry().center();
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, ok);
    });
}

struct MainWindow
{
    QWidget window;
    MainWindow()
    {
        window.setGeometry(200, 150, 900, 650);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

TEST(MessageDialog, ShowsTheTextCentredOverTheMainWindowAndClosesOnOK)
{
    MainWindow main;
    QPointer<TF_Dialog> seen;
    bool looked = false;
    WhileShown(
        [&](TF_Dialog *dialog) {
            looked = true;
            EXPECT_EQ(dialog->edMesage->Caption(), QStringLiteral("You cannot build here"));
            EXPECT_EQ(dialog->size(), QSize(410, 400));
            EXPECT_TRUE(dialog->isModal());
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
            const QPoint centre = main.window.frameGeometry().center();
            EXPECT_LE((dialog->frameGeometry().center() - centre).manhattanLength(), 2);
            EXPECT_EQ(dialog->mask(), TShapedPicture::PictureRegion(MessagePicture()));
        },
        &seen);
    ShowDialog(&main.window, QStringLiteral("You cannot build here"));
    EXPECT_TRUE(looked);
    EXPECT_TRUE(seen.isNull()); // freed when it returned
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(MessageDialog, ControlsAsTheWindowIsDefined)
{
    TF_Dialog dialog;
    EXPECT_EQ(dialog.ShapedPicture1->geometry(), QRect(0, 0, 410, 400));
    EXPECT_TRUE(dialog.ShapedPicture1->Active());
    EXPECT_TRUE(dialog.ShapedPicture1->AlwaysMove());
    EXPECT_EQ(dialog.ShapedPicture1->CaptionColor(), QColor(0, 0, 255));
    EXPECT_EQ(dialog.edMesage->geometry(), QRect(128, 120, 233, 193));
    EXPECT_EQ(dialog.edMesage->font().pixelSize(), 16);
    EXPECT_TRUE(dialog.edMesage->font().bold());
    EXPECT_EQ(dialog.edMesage->FontColor(), QColor(0, 0, 0));
    EXPECT_TRUE(dialog.edMesage->Transparent());
    EXPECT_TRUE(dialog.edMesage->WordWrap());
    EXPECT_EQ(dialog.OvalButton1->geometry(), QRect(272, 360, 41, 33));
    EXPECT_EQ(dialog.OvalButton1->Caption(), QStringList{QStringLiteral("OK")});
    EXPECT_EQ(dialog.OvalButton1->Color(), QColor(0, 0, 0));
    EXPECT_EQ(dialog.OvalButton1->FontColor(), QColor(255, 255, 0));
    EXPECT_EQ(dialog.OvalButton1->font().pixelSize(), 11);
    EXPECT_FALSE(dialog.OvalButton1->font().bold());
}

TEST(MessageDialog, LongMessageWrapsInsideTheBoardAndStaysCentred)
{
    MainWindow main;
    const QString text = QStringLiteral(
        "You don't have enough money! Sell something, wait for the morning's income or "
        "close a station before you buy this.");
    WhileShown([&](TF_Dialog *dialog) {
        const TShadowLabel *label = dialog->edMesage;
        const QRect textRect = label->TextRect();
        EXPECT_GT(textRect.height(), 3 * QFontMetrics(label->font()).height());
        EXPECT_LE(textRect.height(), 193);
        EXPECT_NEAR(textRect.center().y(), 193 / 2, 1);
        // What is drawn stays inside the board's face: nothing dark outside
        // the label's rectangle, something dark inside it.
        const QImage image = dialog->grab().toImage();
        const QRect labelRect = label->geometry();
        bool inkInside = false;
        for (int y = 110; y < 345; ++y)
            for (int x = 122; x < 387; ++x) {
                const bool dark = qGray(image.pixel(x, y)) < 100;
                if (labelRect.contains(x, y))
                    inkInside |= dark;
                else
                    EXPECT_FALSE(dark) << x << "," << y;
            }
        EXPECT_TRUE(inkInside);
    });
    ShowDialog(&main.window, text);
}

TEST(MessageDialog, AnEmptyMessageShowsTheBareBoard)
{
    MainWindow main;
    WhileShown([](TF_Dialog *dialog) {
        const QImage image = dialog->grab().toImage();
        const QRect labelRect = dialog->edMesage->geometry();
        for (int y = labelRect.top(); y <= labelRect.bottom(); ++y)
            for (int x = labelRect.left(); x <= labelRect.right(); ++x)
                ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 204)) << x << "," << y;
    });
    ShowDialog(&main.window, QString());
}

TEST(MessageDialog, EscapeClosesItAsOkDoesAndOtherKeysDoNot)
{
    MainWindow main;
    bool stayedOnOtherKeys = false;
    WhileShown([&](TF_Dialog *dialog) {
        QTest::keyClick(dialog, Qt::Key_Space);
        QTest::keyClick(dialog, Qt::Key_A);
        stayedOnOtherKeys = dialog->isVisible();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    // ShowDialog returns only once the window has closed.
    ShowDialog(&main.window, QStringLiteral("Escape"));
    EXPECT_TRUE(stayedOnOtherKeys);
}

TEST(MessageDialog, DraggingTheBoardMovesTheWholeWindow)
{
    MainWindow main;
    WhileShown([](TF_Dialog *dialog) {
        QWindow *handle = dialog->windowHandle();
        const QPoint start = dialog->pos();
        const QPoint grip(200, 370); // the board's lower frame
        const QPoint screenPoint = handle->mapToGlobal(grip + QPoint(-40, 25));
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(-40, 25));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(screenPoint));
        EXPECT_EQ(dialog->pos(), start + QPoint(-40, 25));
        // The button moved with it: it is still where the window puts it.
        EXPECT_EQ(dialog->OvalButton1->geometry(), QRect(272, 360, 41, 33));
    });
    ShowDialog(&main.window, QStringLiteral("Drag me"));
}

} // namespace
