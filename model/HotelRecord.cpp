#include "model/HotelRecord.h"

#include "model/TableFields.h"
#include "store/DataSet.h"

int THotelRecord::HotelId() const
{
    return table_.FieldNamed(HotelField::HotelId).AsInteger();
}

std::string THotelRecord::Name() const
{
    return table_.FieldNamed(HotelField::Name).AsString();
}

void THotelRecord::SetName(const std::string &name)
{
    table_.FieldNamed(HotelField::Name).SetAsString(name);
}

int THotelRecord::Money() const
{
    return table_.FieldNamed(HotelField::Money).AsInteger();
}

void THotelRecord::SetMoney(int money)
{
    table_.FieldNamed(HotelField::Money).SetAsInteger(money);
}

int THotelRecord::Counter() const
{
    return table_.FieldNamed(HotelField::Counter).AsInteger();
}

void THotelRecord::SetCounter(int counter)
{
    table_.FieldNamed(HotelField::Counter).SetAsInteger(counter);
}

double THotelRecord::Date() const
{
    return table_.FieldNamed(HotelField::Date).AsDateTime();
}

void THotelRecord::SetDate(double date)
{
    table_.FieldNamed(HotelField::Date).SetAsDateTime(date);
}

std::string THotelRecord::DateText() const
{
    return table_.FieldNamed(HotelField::Date).AsString();
}

std::string THotelRecord::TimeText() const
{
    return table_.FieldNamed(HotelField::Time).AsString();
}

std::string THotelRecord::MoneyText() const
{
    return table_.FieldNamed(HotelField::Money).AsString();
}

int THotelRecord::Hour() const
{
    return table_.FieldNamed(HotelField::Time).AsInteger();
}

void THotelRecord::SetHour(int hour)
{
    table_.FieldNamed(HotelField::Time).SetAsInteger(hour);
}
