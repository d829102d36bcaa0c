#pragma once

#include "store/IntegerField.h"

// An integer whose value the table assigns on Append: the autoincrement
// counter + 1. Only the first autoincrement field of a table is counted.
class TAutoIncField : public TIntegerField
{
public:
    TFieldType DataType() const override { return ftAutoInc; }
};
