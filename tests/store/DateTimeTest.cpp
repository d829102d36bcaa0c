#include "store/DateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTimeTest, DaysCountFrom18991230)
{
    struct Case
    {
        int year, month, day;
        double number;
        const char *text;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, "1899-12-30"},   {1899, 12, 29, -1, "1899-12-29"},
        {1900, 1, 1, 2, "1900-01-01"},     {1900, 3, 1, 61, "1900-03-01"},
        {2005, 1, 1, 38353, "2005-01-01"}, {2000, 2, 29, 36585, "2000-02-29"},
        {1, 1, 1, -693593, "0001-01-01"},  {9999, 12, 31, 2958465, "9999-12-31"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DateFromYmd(c.year, c.month, c.day), c.number);
        // Before 1899-12-30 the time of day counts away from zero.
        const TYmd ymd = YmdFromDate(c.number + (c.number < 0 ? -0.75 : 0.75));
        EXPECT_EQ(ymd.Year, c.year);
        EXPECT_EQ(ymd.Month, c.month);
        EXPECT_EQ(ymd.Day, c.day);
        EXPECT_EQ(FormatShortDate(c.number), c.text);
        EXPECT_EQ(ParseShortDate(c.text), c.number);
    }
}

TEST(DateTimeTest, ParsingRefusesWhatIsNoDay)
{
    for (const char *text : {"", "2005", "2005-13-01", "2005-00-10", "1900-02-29", "0000-01-01",
                             "2005-01-32", "2005/01/01", "2005-01-01 10:00", "12345-01-01"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseShortDate(text).has_value());
    }
    EXPECT_EQ(ParseShortDate(" 2005-1-1 "), 38353.0);
}

} // namespace
