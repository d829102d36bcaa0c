#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/RockerSwitch.h"

#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(RockerSwitch, SettingStateOnByProgramRunsNoHandler)
{
    TRockerSwitch rocker;
    int clicks = 0;
    rocker.OnClick = [&](QObject *) { ++clicks; };
    EXPECT_FALSE(rocker.StateOn());
    rocker.SetStateOn(true);
    EXPECT_TRUE(rocker.StateOn());
    rocker.SetStateOn(false);
    EXPECT_EQ(clicks, 0);
}

TEST(RockerSwitch, APressFlipsItAndTheHandlerRunsOnRelease)
{
    TRockerSwitch rocker;
    std::vector<bool> seen;
    rocker.OnClick = [&](QObject *sender) {
        EXPECT_EQ(sender, &rocker);
        seen.push_back(rocker.StateOn());
    };
    QTest::mousePress(&rocker, Qt::LeftButton, {}, QPoint(16, 24));
    EXPECT_TRUE(rocker.StateOn());
    EXPECT_TRUE(seen.empty());
    QTest::mouseRelease(&rocker, Qt::LeftButton, {}, QPoint(16, 24));
    EXPECT_EQ(seen, std::vector<bool>({true}));

    QTest::mouseClick(&rocker, Qt::LeftButton, {}, QPoint(16, 24));
    EXPECT_EQ(seen, std::vector<bool>({true, false}));
}

TEST(RockerSwitch, ReleasedAwayItStaysFlippedWithoutAHandler)
{
    TRockerSwitch rocker;
    int clicks = 0;
    rocker.OnClick = [&](QObject *) { ++clicks; };
    QTest::mousePress(&rocker, Qt::LeftButton, {}, QPoint(16, 24));
    QTest::mouseRelease(&rocker, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(rocker.StateOn());
    EXPECT_EQ(clicks, 0);
}

TEST(RockerSwitch, DisabledOrRightButtonDoesNothing)
{
    TRockerSwitch rocker;
    int clicks = 0;
    rocker.OnClick = [&](QObject *) { ++clicks; };
    QTest::mouseClick(&rocker, Qt::RightButton, {}, QPoint(16, 24));
    rocker.setEnabled(false);
    QTest::mouseClick(&rocker, Qt::LeftButton, {}, QPoint(16, 24));
    EXPECT_FALSE(rocker.StateOn());
    EXPECT_EQ(clicks, 0);
}

TEST(RockerSwitch, DrawsTheStateAndAGreyedPictureWhenDisabled)
{
    TRockerSwitch rocker;
    auto hasRed = [&rocker] {
        const QImage image = rocker.grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                    return true;
            }
        return false;
    };
    EXPECT_FALSE(hasRed());
    rocker.SetStateOn(true);
    EXPECT_TRUE(hasRed()); // the lamp
    rocker.setEnabled(false);
    EXPECT_FALSE(hasRed()); // greyed
}

struct CheckBox
{
    TGlyphCheckBox box;
    std::vector<bool> seen;
    void Attach()
    {
        box.OnClick = [this](QObject *sender) {
            EXPECT_EQ(sender, &box);
            seen.push_back(box.Checked());
        };
    }
};

TEST(GlyphCheckBox, AttachedHandlerRunsOnEveryChangeByProgram)
{
    CheckBox c;
    c.Attach();
    c.box.SetChecked(true);
    c.box.SetChecked(true); // no change
    c.box.SetChecked(false);
    EXPECT_EQ(c.seen, std::vector<bool>({true, false}));
}

TEST(GlyphCheckBox, DetachedHandlerDoesNotRun)
{
    CheckBox c;
    c.Attach();
    c.box.OnClick = nullptr;
    c.box.SetChecked(true);
    EXPECT_TRUE(c.box.Checked());
    EXPECT_TRUE(c.seen.empty());
    c.Attach();
    c.box.SetChecked(false);
    EXPECT_EQ(c.seen, std::vector<bool>({false}));
}

TEST(GlyphCheckBox, ClickAndSpaceToggleThenRunTheHandler)
{
    CheckBox c;
    c.Attach();
    QTest::mouseClick(&c.box, Qt::LeftButton, {}, QPoint(9, 9));
    EXPECT_EQ(c.seen, std::vector<bool>({true}));
    QTest::keyClick(&c.box, Qt::Key_Space);
    EXPECT_EQ(c.seen, std::vector<bool>({true, false}));
    QTest::keyClick(&c.box, Qt::Key_A);
    EXPECT_EQ(c.seen.size(), 2u);
}

TEST(GlyphCheckBox, DisabledIgnoresThePlayerButNotTheProgram)
{
    CheckBox c;
    c.Attach();
    c.box.setEnabled(false);
    QTest::mouseClick(&c.box, Qt::LeftButton, {}, QPoint(9, 9));
    QTest::keyClick(&c.box, Qt::Key_Space);
    EXPECT_FALSE(c.box.Checked());
    c.box.SetChecked(true);
    EXPECT_EQ(c.seen, std::vector<bool>({true}));
}

TEST(GlyphCheckBox, DrawsTheGlyphCentredWithADotWhenChecked)
{
    TGlyphCheckBox box;
    box.resize(30, 30);
    auto at = [&box](int x, int y) { return box.grab().toImage().pixelColor(x, y); };
    // The glyph's 18 x 18 square starts at (6, 6).
    const QColor face = at(8, 8);
    EXPECT_GT(face.green(), 200);
    EXPECT_LT(face.red(), 100);
    EXPECT_EQ(at(15, 15), face);
    box.SetChecked(true);
    EXPECT_EQ(at(15, 15), QColor(0, 0, 0));
    box.setEnabled(false);
    const QColor dark = at(8, 8);
    EXPECT_LT(dark.green(), 160);
    EXPECT_GT(dark.green(), dark.red() + 40);
}

} // namespace
