// How the rules' numbers read in the explanations.
#include "ui/RuleText.h"

#include <gtest/gtest.h>

TEST(RuleText, HoursReadAsTheClockShowsThem)
{
    const struct
    {
        int hour;
        const char *text;
    } cases[] = {{0, "00:00"},  {8, "08:00"},  {9, "09:00"},
                 {10, "10:00"}, {18, "18:00"}, {22, "22:00"}};
    for (const auto &c : cases)
        EXPECT_EQ(RuleText::Hour(c.hour), c.text) << c.hour;
}

TEST(RuleText, PeriodsReadAsOrdinals)
{
    const struct
    {
        int n;
        const char *text;
    } cases[] = {{1, "1st"},   {2, "2nd"},     {3, "3rd"},    {4, "4th"},   {5, "5th"},
                 {11, "11th"}, {12, "12th"},   {13, "13th"},  {21, "21st"}, {22, "22nd"},
                 {23, "23rd"}, {111, "111th"}, {101, "101st"}};
    for (const auto &c : cases)
        EXPECT_EQ(RuleText::Ordinal(c.n), c.text) << c.n;
    EXPECT_EQ(RuleText::EveryHour(4), "every 4th hour");
}

TEST(RuleText, SmallCountsReadAsWordsAndLargerOnesAsDigits)
{
    const struct
    {
        int n;
        const char *text;
    } cases[] = {{0, "zero"},      {1, "one"},     {2, "two"}, {4, "four"}, {10, "ten"},
                 {13, "thirteen"}, {20, "twenty"}, {21, "21"}, {-1, "-1"}};
    for (const auto &c : cases)
        EXPECT_EQ(RuleText::NumberWord(c.n), c.text) << c.n;
}
