#include "store/Field.h"

#include "store/DataSet.h"
#include "store/DatabaseError.h"

std::int32_t TField::AsInteger() const
{
    return ToInteger(Value());
}

void TField::SetAsInteger(std::int32_t value)
{
    SetStored(FromInteger(value));
}

std::string TField::AsString() const
{
    return ToText(Value());
}

void TField::SetAsString(const std::string &text)
{
    SetStored(FromText(text));
}

double TField::AsDateTime() const
{
    return ToDateTime(Value());
}

void TField::SetAsDateTime(double value)
{
    SetStored(FromDateTime(value));
}

bool TField::IsNull() const
{
    return std::holds_alternative<std::monostate>(Value());
}

void TField::Clear()
{
    SetStored(std::monostate{});
}

TFieldValue TField::Value() const
{
    if (dataSet_ == nullptr)
        return std::monostate{};
    return dataSet_->GetFieldValue(*this);
}

void TField::SetValue(const TFieldValue &value)
{
    SetStored(Normalize(value));
}

TFieldValue TField::Normalize(const TFieldValue &value) const
{
    if (const auto *integer = std::get_if<std::int32_t>(&value))
        return FromInteger(*integer);
    if (const auto *dateTime = std::get_if<double>(&value))
        return FromDateTime(*dateTime);
    if (const auto *text = std::get_if<std::string>(&value))
        return FromText(*text);
    return std::monostate{};
}

void TField::InvalidValue() const
{
    throw EDatabaseError("Invalid value for field '" + FieldName + "'");
}

void TField::SetStored(TFieldValue value)
{
    if (dataSet_ == nullptr)
        throw EDatabaseError("Field '" + FieldName + "' has no table");
    dataSet_->SetFieldValue(*this, std::move(value));
}
