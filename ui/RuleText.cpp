#include "ui/RuleText.h"

#include <array>

namespace RuleText {

QString Hour(int hour)
{
    return QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0'));
}

QString Ordinal(int n)
{
    const int lastTwo = n % 100;
    const char *suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        switch (n % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return QString::number(n) + suffix;
}

QString EveryHour(int period)
{
    return "every " + Ordinal(period) + " hour";
}

QString NumberWord(int n)
{
    static constexpr std::array<const char *, 21> words{
        "zero",     "one",     "two",     "three",     "four",     "five",     "six",
        "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",   "thirteen",
        "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen", "twenty"};
    if (n < 0 || n >= static_cast<int>(words.size()))
        return QString::number(n);
    return words[static_cast<std::size_t>(n)];
}

} // namespace RuleText
