#include "store/StringField.h"

#include "store/DatabaseError.h"
#include "store/DateTime.h"
#include "store/IntegerField.h"

#include <cmath>

TFieldValue TStringField::FromInteger(std::int32_t value) const
{
    return FromText(std::to_string(value));
}

TFieldValue TStringField::FromText(const std::string &text) const
{
    std::size_t length = text.find('\0');
    if (length == std::string::npos)
        length = text.size();
    // A size of 0 or less comes only from a damaged field definition; keeping
    // the whole text loses nothing.
    if (Size > 0 && length > static_cast<std::size_t>(Size))
        length = static_cast<std::size_t>(Size);
    return text.substr(0, length);
}

TFieldValue TStringField::FromDateTime(double value) const
{
    if (!std::isfinite(value) || value < MinDateTime || value >= MaxDateTime + 1)
        InvalidValue();
    return FromText(FormatShortDate(value));
}

std::int32_t TStringField::ToInteger(const TFieldValue &stored) const
{
    const std::string text = ToText(stored);
    if (text.empty())
        return 0;
    if (const auto value = TIntegerField::ParseDecimal(text))
        return *value;
    throw EDatabaseError("'" + text + "' is not a valid integer value for field '" + FieldName +
                         "'");
}

std::string TStringField::ToText(const TFieldValue &stored) const
{
    const auto *text = std::get_if<std::string>(&stored);
    return text != nullptr ? *text : std::string();
}

double TStringField::ToDateTime(const TFieldValue &stored) const
{
    const std::string text = ToText(stored);
    if (text.empty())
        return 0;
    if (const auto value = ParseShortDate(text))
        return *value;
    InvalidValue();
}
