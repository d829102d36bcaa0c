#pragma once

#include "store/Field.h"

// Text of at most Size single-byte (Windows-1252) characters. A longer text
// keeps its first Size characters and a text also ends at a NUL character; an
// empty text is a value, not null.
class TStringField : public TField
{
public:
    TStringField() { Size = 20; }
    TFieldType DataType() const override { return ftString; }
    TFieldValue FromInteger(std::int32_t value) const override;
    TFieldValue FromText(const std::string &text) const override;
    TFieldValue FromDateTime(double value) const override;
    std::int32_t ToInteger(const TFieldValue &stored) const override;
    std::string ToText(const TFieldValue &stored) const override;
    double ToDateTime(const TFieldValue &stored) const override;
};
