#pragma once

#include "store/FieldTypes.h"

#include <cstdint>
#include <string>

class TDataSet;

// One column of a table. A field is created by its table
// (table.AddField<TIntegerField>("MONEY")) and lives as long as the table
// keeps it.
//
// Value access reads the edit buffer while the table is in tsEdit or tsInsert,
// else the current record; with no current record (an empty view, a closed
// table) every field reads as null: AsInteger 0, AsString "", AsDateTime 0.
// Writing needs tsEdit or tsInsert and otherwise throws EDatabaseError
// "<table>: Dataset is not in edit mode.".
class TField
{
public:
    virtual ~TField() = default;
    TField(const TField &) = delete;
    TField &operator=(const TField &) = delete;

    // Compared without regard to letter case; unique within a table.
    std::string FieldName;
    // Assigned as text on every Append, before OnNewRecord; empty for none.
    std::string DefaultExpression;
    bool Visible = true;
    TFieldKind FieldKind = fkData;
    // The most characters a string field keeps; 0 for the other types.
    int Size = 0;
    // Properties a field definition in a table file may carry; the table does
    // not act on them.
    std::string DisplayLabel;
    std::string EditMask;
    int DisplayWidth = 0;
    bool Required = false;
    bool ReadOnly = false;

    virtual TFieldType DataType() const = 0;
    TDataSet *DataSet() const { return dataSet_; }
    // Position in the table's field order.
    int Index() const { return index_; }

    std::int32_t AsInteger() const;
    void SetAsInteger(std::int32_t value);
    std::string AsString() const;
    void SetAsString(const std::string &text);
    double AsDateTime() const;
    void SetAsDateTime(double value);
    bool IsNull() const;
    void Clear();
    // The stored value itself; SetValue converts from any alternative of
    // TFieldValue as the As... setters do.
    TFieldValue Value() const;
    void SetValue(const TFieldValue &value);

    // ---- Conversions, without touching any record ----
    // Each returns the value this field stores for the given input, or throws
    // the field's conversion error.
    virtual TFieldValue FromInteger(std::int32_t value) const = 0;
    virtual TFieldValue FromText(const std::string &text) const = 0;
    virtual TFieldValue FromDateTime(double value) const = 0;
    // Brings a value of any alternative to this field's stored form.
    TFieldValue Normalize(const TFieldValue &value) const;
    virtual std::int32_t ToInteger(const TFieldValue &stored) const = 0;
    virtual std::string ToText(const TFieldValue &stored) const = 0;
    virtual double ToDateTime(const TFieldValue &stored) const = 0;

protected:
    TField() = default;
    // "Invalid value for field '<name>'".
    [[noreturn]] void InvalidValue() const;

private:
    void SetStored(TFieldValue value);

    friend class TDataSet;
    TDataSet *dataSet_ = nullptr;
    int index_ = -1;
};
