#pragma once

#include "store/FieldTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The records of a memory table in table order, kept column by column so
// that the filter and Locate scan contiguous values. Values handed in must
// already be in the stored form of their column (see TFieldValue).
class TRecordStore
{
public:
    enum class Kind
    {
        Integer,
        Text,
        Date
    };

    // Drops every record and sets up one column per kind.
    void Reset(std::vector<Kind> kinds);
    void Clear();
    void Reserve(std::size_t records);
    std::size_t Count() const { return m_status.size(); }
    std::size_t ColumnCount() const { return m_columns.size(); }
    Kind ColumnKind(std::size_t column) const { return m_columns[column].kind; }

    bool IsNull(std::size_t record, std::size_t column) const
    {
        return m_columns[column].nulls[record] != 0;
    }
    std::int32_t Integer(std::size_t record, std::size_t column) const
    {
        return m_columns[column].integers[record];
    }
    double Date(std::size_t record, std::size_t column) const
    {
        return m_columns[column].dates[record];
    }
    const std::string &Text(std::size_t record, std::size_t column) const
    {
        return m_columns[column].texts[record];
    }
    std::int32_t Status(std::size_t record) const { return m_status[record]; }
    TFieldValue Value(std::size_t record, std::size_t column) const;
    bool Equals(std::size_t record, std::size_t column, const TFieldValue &value) const;

    void Append(std::span<const TFieldValue> values, std::int32_t status);
    // Adds a record with every value null, to be filled with Put; used where
    // a whole record arrives value by value. Returns its position.
    std::size_t AppendNull(std::int32_t status);
    void Put(std::size_t record, std::size_t column, const TFieldValue &value)
    {
        Put(m_columns[column], record, value);
    }
    void PutInteger(std::size_t record, std::size_t column, std::int32_t value)
    {
        Column &c = m_columns[column];
        c.integers[record] = value;
        c.nulls[record] = 0;
    }
    void Set(std::size_t record, std::span<const TFieldValue> values);
    void Erase(std::size_t record);

private:
    struct Column
    {
        Kind kind = Kind::Integer;
        std::vector<std::uint8_t> nulls;
        std::vector<std::int32_t> integers;
        std::vector<double> dates;
        std::vector<std::string> texts;
    };
    void Put(Column &column, std::size_t record, const TFieldValue &value);

    std::vector<Column> m_columns;
    std::vector<std::int32_t> m_status;
};
