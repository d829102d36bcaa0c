#include "store/DateField.h"

#include "store/DateTime.h"

#include <cmath>

TFieldValue TDateField::FromInteger(std::int32_t value) const
{
    return FromDateTime(value);
}

TFieldValue TDateField::FromText(const std::string &text) const
{
    if (text.empty())
        return std::monostate{};
    if (const auto value = ParseShortDate(text))
        return *value;
    InvalidValue();
}

TFieldValue TDateField::FromDateTime(double value) const
{
    if (!std::isfinite(value))
        InvalidValue();
    // Whole milliseconds first, so that 23:59:59.9996 counts as the next day;
    // then the day, toward zero.
    constexpr double msPerDay = 86400000.0;
    const double day = std::trunc(std::round(value * msPerDay) / msPerDay);
    if (day < MinDateTime || day > MaxDateTime)
        InvalidValue();
    // Adding 0 turns -0 into 0, which a table file would otherwise keep.
    return day + 0.0;
}

std::int32_t TDateField::ToInteger(const TFieldValue &stored) const
{
    const auto *value = std::get_if<double>(&stored);
    return value != nullptr ? static_cast<std::int32_t>(*value) : 0;
}

std::string TDateField::ToText(const TFieldValue &stored) const
{
    const auto *value = std::get_if<double>(&stored);
    return value != nullptr ? FormatShortDate(*value) : std::string();
}

double TDateField::ToDateTime(const TFieldValue &stored) const
{
    const auto *value = std::get_if<double>(&stored);
    return value != nullptr ? *value : 0.0;
}
