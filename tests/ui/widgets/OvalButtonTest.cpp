#include "ui/widgets/OvalButton.h"

#include <QPointer>
#include <QTest>
#include <QWidget>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// A window that counts the presses that reach it rather than a child.
class Backdrop : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

// Clicks through the window system's path, so masks and child lookup apply.
void ClickInWindow(QWidget *window, QPoint point)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
}

struct Window
{
    std::unique_ptr<Backdrop> backdrop = std::make_unique<Backdrop>();
    Window()
    {
        backdrop->resize(400, 200);
        backdrop->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(backdrop.get()));
    }
};

TEST(OvalButton, DefaultsToAWhite100By40ButtonWithoutAGroup)
{
    TOvalButton button;
    EXPECT_EQ(button.size(), QSize(100, 40));
    EXPECT_EQ(button.Color(), QColor(255, 255, 255));
    EXPECT_EQ(button.GroupIndex(), 0);
    EXPECT_FALSE(button.Down());
}

TEST(OvalButton, OnlyTheEllipseBelongsToTheButton)
{
    Window window;
    auto *button = new TOvalButton(window.backdrop.get());
    button->setGeometry(50, 60, 100, 40);
    button->show();
    int clicks = 0;
    button->OnClick = [&](QObject *) { ++clicks; };

    // Corners of the rectangle, outside the ellipse, reach the window behind.
    const std::array corners = {QPoint(50, 60),  QPoint(149, 60), QPoint(50, 99),
                                QPoint(149, 99), QPoint(55, 63),  QPoint(145, 97)};
    for (QPoint corner : corners) {
        ClickInWindow(window.backdrop.get(), corner);
        EXPECT_EQ(clicks, 0) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(window.backdrop->presses, int(corners.size()));

    ClickInWindow(window.backdrop.get(), QPoint(100, 80));
    ClickInWindow(window.backdrop.get(), QPoint(52, 80)); // left end of the ellipse
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(window.backdrop->presses, int(corners.size()));
}

TEST(OvalButton, ShowsPressedWhileHeldAndRunsTheHandlerOnRelease)
{
    TOvalButton button;
    std::vector<bool> pressedInHandler;
    button.OnClick = [&](QObject *sender) {
        EXPECT_EQ(sender, &button);
        pressedInHandler.push_back(button.LooksPressed());
    };
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_TRUE(button.LooksPressed());
    EXPECT_TRUE(pressedInHandler.empty());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_EQ(pressedInHandler.size(), 1u);
    EXPECT_FALSE(button.LooksPressed());
    EXPECT_FALSE(button.Down());
}

TEST(OvalButton, ReleaseOutsideOrDisabledOrHiddenRunsNoHandler)
{
    Window window;
    auto *button = new TOvalButton(window.backdrop.get());
    button->move(10, 10);
    button->show();
    int clicks = 0;
    button->OnClick = [&](QObject *) { ++clicks; };

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(50, 20));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(2, 2)); // corner, outside
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->LooksPressed());

    button->setEnabled(false);
    ClickInWindow(window.backdrop.get(), QPoint(60, 30));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->LooksPressed());

    button->setEnabled(true);
    button->hide();
    ClickInWindow(window.backdrop.get(), QPoint(60, 30));
    EXPECT_EQ(clicks, 0);
}

struct Group
{
    QWidget parent;
    std::array<TOvalButton *, 5> buttons{};
    std::vector<int> calls;
    // Down of every button as the handler saw it.
    std::vector<std::array<bool, 5>> seen;

    explicit Group(bool allowAllUp = false)
    {
        for (int i = 0; i < 5; ++i) {
            buttons[i] = new TOvalButton(&parent);
            buttons[i]->SetGroupIndex(1);
            buttons[i]->SetAllowAllUp(allowAllUp);
            buttons[i]->OnClick = [this, i](QObject *) {
                calls.push_back(i);
                seen.push_back(DownStates());
            };
        }
    }
    std::array<bool, 5> DownStates() const
    {
        std::array<bool, 5> states{};
        for (int i = 0; i < 5; ++i)
            states[i] = buttons[i]->Down();
        return states;
    }
    void Click(int i) { QTest::mouseClick(buttons[i], Qt::LeftButton, {}, QPoint(50, 20)); }
};

TEST(OvalButton, GroupOfFiveClickingTheThirdTwice)
{
    Group group;
    group.buttons[0]->SetDown(true);

    group.Click(2);
    // The handler ran before the group changed.
    ASSERT_EQ(group.calls, std::vector<int>({2}));
    EXPECT_EQ(group.seen[0], (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_EQ(group.DownStates(), (std::array<bool, 5>{false, false, true, false, false}));

    group.Click(2);
    EXPECT_EQ(group.calls, std::vector<int>({2, 2}));
    EXPECT_EQ(group.DownStates(), (std::array<bool, 5>{false, false, true, false, false}));
    EXPECT_TRUE(group.buttons[2]->LooksPressed());
}

TEST(OvalButton, AllowAllUpReleasesTheDownButtonOnASecondClick)
{
    Group group(true);
    group.Click(3);
    group.Click(3);
    EXPECT_EQ(group.calls, std::vector<int>({3, 3}));
    EXPECT_EQ(group.DownStates(), (std::array<bool, 5>{}));
}

TEST(OvalButton, SettingDownByProgramRunsNoHandler)
{
    Group group;
    group.buttons[1]->SetDown(true);
    EXPECT_EQ(group.DownStates(), (std::array<bool, 5>{false, true, false, false, false}));
    group.buttons[4]->SetDown(true); // pressing releases the others of the group
    EXPECT_EQ(group.DownStates(), (std::array<bool, 5>{false, false, false, false, true}));
    group.buttons[4]->SetDown(false);
    EXPECT_EQ(group.DownStates(), (std::array<bool, 5>{}));
    group.buttons[4]->SetDown(false); // the value it has: nothing
    EXPECT_TRUE(group.calls.empty());
}

TEST(OvalButton, GroupsAreSeparateAndOnlyAmongSiblings)
{
    QWidget parent;
    QWidget otherParent;
    TOvalButton a(&parent), b(&parent), c(&parent), d(&otherParent);
    a.SetGroupIndex(1);
    b.SetGroupIndex(2);
    c.SetGroupIndex(1);
    d.SetGroupIndex(1);
    a.SetDown(true);
    b.SetDown(true);
    d.SetDown(true);
    c.SetDown(true);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    EXPECT_TRUE(c.Down());
    EXPECT_TRUE(d.Down());
}

TEST(OvalButton, AButtonWithoutAGroupIsNeverDown)
{
    TOvalButton button;
    button.SetDown(true);
    EXPECT_FALSE(button.Down());
    button.SetGroupIndex(3);
    button.SetDown(true);
    EXPECT_TRUE(button.Down());
    button.SetGroupIndex(0);
    EXPECT_FALSE(button.Down());
}

TEST(OvalButton, AHandlerThatFreesItsButtonIsSafe)
{
    QWidget parent;
    auto *button = new TOvalButton(&parent);
    button->SetGroupIndex(1);
    button->OnClick = [button](QObject *) { delete button; };
    QPointer<TOvalButton> watch(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_TRUE(watch.isNull());
}

TEST(OvalButton, PressedCaptionMovesOnePixelDownAndRight)
{
    QWidget parent;
    QFont font(parent.font().family(), 12);
    font.setStyleStrategy(QFont::NoAntialias); // letters of exactly the caption colour
    parent.setFont(font);
    TOvalButton released(&parent), pressed(&parent);
    for (TOvalButton *button : {&released, &pressed}) {
        button->SetCaption(QStringLiteral("I"));
        button->SetColor(QColor(255, 255, 255));
        button->SetFontColor(QColor(255, 0, 0));
        button->SetGroupIndex(1 + (button == &pressed));
    }
    pressed.SetDown(true);
    auto redBox = [](const QImage &image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == QColor(255, 0, 0))
                    box |= QRect(x, y, 1, 1);
            }
        return box;
    };
    const QRect up = redBox(released.grab().toImage());
    const QRect down = redBox(pressed.grab().toImage());
    ASSERT_FALSE(up.isEmpty());
    EXPECT_EQ(down, up.translated(1, 1));
}

} // namespace
