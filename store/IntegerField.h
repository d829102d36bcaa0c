#pragma once

#include "store/Field.h"

#include <optional>

// A 32-bit signed integer. As text: decimal digits, "-" before a negative
// value; an empty text makes the field null; other text fails with
// "'<text>' is not a valid integer value for field '<name>'".
class TIntegerField : public TField
{
public:
    TFieldType DataType() const override { return ftInteger; }
    TFieldValue FromInteger(std::int32_t value) const override;
    TFieldValue FromText(const std::string &text) const override;
    TFieldValue FromDateTime(double value) const override;
    std::int32_t ToInteger(const TFieldValue &stored) const override;
    std::string ToText(const TFieldValue &stored) const override;
    double ToDateTime(const TFieldValue &stored) const override;

    // An optional sign and decimal digits that fit 32 bits; nothing else.
    static std::optional<std::int32_t> ParseDecimal(const std::string &text);
};
