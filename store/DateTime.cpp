#include "store/DateTime.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

// Days between 1899-12-30 and 1970-01-01.
constexpr long long EpochOffset = 25569;

// Days since 1970-01-01 of a proleptic Gregorian day.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

TYmd CivilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

} // namespace

double DateFromYmd(int year, int month, int day)
{
    return static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        EpochOffset);
}

TYmd YmdFromDate(double dateTime)
{
    if (!std::isfinite(dateTime))
        return {0, 0, 0};
    const double day = std::trunc(dateTime);
    if (day < MinDateTime || day > MaxDateTime)
        return {0, 0, 0};
    return CivilFromDays(static_cast<long long>(day) - EpochOffset);
}

std::string FormatShortDate(double dateTime)
{
    const TYmd day = YmdFromDate(dateTime);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.Year, day.Month, day.Day);
    return text;
}

std::optional<double> ParseShortDate(const std::string &text)
{
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ')
            ++at;
    };
    const auto number = [&](std::size_t maxDigits) -> std::optional<int> {
        const std::size_t start = at;
        int value = 0;
        while (at < text.size() && at - start < maxDigits &&
               std::isdigit(static_cast<unsigned char>(text[at]))) {
            value = value * 10 + (text[at] - '0');
            ++at;
        }
        if (at == start)
            return std::nullopt;
        return value;
    };
    skipBlanks();
    const auto year = number(4);
    if (!year || at >= text.size() || text[at++] != '-')
        return std::nullopt;
    const auto month = number(2);
    if (!month || at >= text.size() || text[at++] != '-')
        return std::nullopt;
    const auto day = number(2);
    skipBlanks();
    if (!day || at != text.size())
        return std::nullopt;
    if (*year < 1 || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month))
        return std::nullopt;
    return DateFromYmd(*year, *month, *day);
}
