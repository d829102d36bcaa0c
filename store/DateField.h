#pragma once

#include "store/Field.h"

// One calendar day, held as the date-time number of the day. An assigned
// date-time number is rounded to whole milliseconds and its integer part
// (toward zero) is kept, so 38353.75 reads back as 38353. As text the day is
// written and parsed in the short date format "YYYY-MM-DD"; an empty text
// makes the field null; days outside 0001-01-01 to 9999-12-31 and texts that
// are no date fail with "Invalid value for field '<name>'".
class TDateField : public TField
{
public:
    TFieldType DataType() const override { return ftDate; }
    TFieldValue FromInteger(std::int32_t value) const override;
    TFieldValue FromText(const std::string &text) const override;
    TFieldValue FromDateTime(double value) const override;
    std::int32_t ToInteger(const TFieldValue &stored) const override;
    std::string ToText(const TFieldValue &stored) const override;
    double ToDateTime(const TFieldValue &stored) const override;
};
