#pragma once

#include <string>

class TDataSet;

// The current record of tHotel, read and written by field through one typed
// view. The view writes into the record as it stands: the caller puts the
// table into Edit or Append and posts it.
class THotelRecord
{
public:
    explicit THotelRecord(const TDataSet &table) : table_(table) {}

    int HotelId() const;
    std::string Name() const;
    void SetName(const std::string &name);
    int Money() const;
    void SetMoney(int money);
    // The counter that each new floor and room draws its ID from.
    int Counter() const;
    void SetCounter(int counter);
    // The game date as a day number (whole days since the table's epoch).
    double Date() const;
    void SetDate(double date);
    // The date, hour and money as the table prints them, for labels.
    std::string DateText() const;
    std::string TimeText() const;
    std::string MoneyText() const;
    int Hour() const;
    void SetHour(int hour);

private:
    const TDataSet &table_;
};
