#pragma once

#include <optional>
#include <string>

// Date-time numbers: days since 1899-12-30 00:00 as a floating value, the
// fraction being the time of day. The short date format of the program is the
// ISO form "YYYY-MM-DD", fixed so that texts do not depend on the locale.

// The date-time number of a day of the proleptic Gregorian calendar.
double DateFromYmd(int year, int month, int day);
struct TYmd
{
    int Year;
    int Month;
    int Day;
};
// The day of a date-time number (its integer part toward zero); all zero
// outside 0001-01-01 to 9999-12-31.
TYmd YmdFromDate(double dateTime);
// "YYYY-MM-DD" of the day of a date-time number.
std::string FormatShortDate(double dateTime);
// The date-time number of a "YYYY-MM-DD" text (month and day may have one
// digit, blanks around are ignored); nothing when it is no valid day from
// 0001-01-01 to 9999-12-31.
std::optional<double> ParseShortDate(const std::string &text);
// First and last day that a date field keeps.
inline constexpr double MinDateTime = -693593.0; // 0001-01-01
inline constexpr double MaxDateTime = 2958465.0; // 9999-12-31
