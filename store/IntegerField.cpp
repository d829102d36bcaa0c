#include "store/IntegerField.h"

#include "store/DatabaseError.h"

#include <cmath>
#include <limits>

std::optional<std::int32_t> TIntegerField::ParseDecimal(const std::string &text)
{
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

TFieldValue TIntegerField::FromInteger(std::int32_t value) const
{
    return value;
}

TFieldValue TIntegerField::FromText(const std::string &text) const
{
    if (text.empty())
        return std::monostate{};
    if (const auto value = ParseDecimal(text))
        return *value;
    throw EDatabaseError("'" + text + "' is not a valid integer value for field '" + FieldName +
                         "'");
}

TFieldValue TIntegerField::FromDateTime(double value) const
{
    if (!std::isfinite(value) || value != std::trunc(value) ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        InvalidValue();
    return static_cast<std::int32_t>(value);
}

std::int32_t TIntegerField::ToInteger(const TFieldValue &stored) const
{
    const auto *value = std::get_if<std::int32_t>(&stored);
    return value != nullptr ? *value : 0;
}

std::string TIntegerField::ToText(const TFieldValue &stored) const
{
    const auto *value = std::get_if<std::int32_t>(&stored);
    return value != nullptr ? std::to_string(*value) : std::string();
}

double TIntegerField::ToDateTime(const TFieldValue &stored) const
{
    return ToInteger(stored);
}
