#include "common/ComfortItems.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// How odd texts in STUFF and STUF_WEAR read.
TEST(ComfortItemsTest, ReadsOddTextsAsPaddedWithZeros)
{
    struct Case
    {
        const char *name;
        const char *stuff;
        const char *wear;
        int installed[4]; // 1 for installed, item 1..4
        int days[4];
    };
    const Case cases[] = {
        {"both empty", "", "", {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"one character each", "1", "7", {1, 0, 0, 0}, {70, 0, 0, 0}},
        {"only '1' installs", "2 1x", "12345678", {0, 0, 1, 0}, {12, 34, 56, 78}},
        {"no digit counts 0", "1111", "a5x9-- 3", {1, 1, 1, 1}, {5, 9, 0, 3}},
        {"longer texts", "111100", "0102030405", {1, 1, 1, 1}, {1, 2, 3, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TComfortItems items(c.stuff, c.wear);
        int count = 0;
        for (int item = 1; item <= 4; ++item) {
            EXPECT_EQ(items.Installed(item), c.installed[item - 1] == 1) << "item " << item;
            EXPECT_EQ(items.DaysLeft(item), c.days[item - 1]) << "item " << item;
            count += c.installed[item - 1];
        }
        EXPECT_EQ(items.InstalledCount(), count);
    }
}

// A change writes its item's characters and leaves every other character as read.
TEST(ComfortItemsTest, WritesBackOnlyWhatChanged)
{
    {
        TComfortItems items("", "");
        items.Install(2, 7);
        EXPECT_EQ(items.StuffText(), "0100");
        EXPECT_EQ(items.WearText(), "00070000");
    }
    {
        TComfortItems items("1111", "99999999");
        items.Remove(1);
        EXPECT_EQ(items.StuffText(), "0111");
        EXPECT_EQ(items.WearText(), "00999999");
    }
    {
        TComfortItems items("2 1x9", "a5x9-- 3Z");
        items.SetDaysLeft(3, 40);
        items.SetDaysLeft(4, 99);
        EXPECT_EQ(items.StuffText(), "2 1x9");
        EXPECT_EQ(items.WearText(), "a5x94099Z");
        items.Install(4, 0);
        EXPECT_EQ(items.StuffText(), "2 119");
        EXPECT_EQ(items.WearText(), "a5x94000Z");
    }
}

} // namespace
