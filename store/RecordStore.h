#pragma once

#include "store/FieldTypes.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Leaves the numbers of a column unset when it grows, so that a bulk load
// does not pay for zeroing what it overwrites at once.
template <typename T> struct TUninitializedAllocator : std::allocator<T>
{
    template <typename U> struct rebind
    {
        using other = TUninitializedAllocator<U>;
    };
    TUninitializedAllocator() = default;
    template <typename U> TUninitializedAllocator(const TUninitializedAllocator<U> &) noexcept {}
    template <typename U> void construct(U *place) noexcept
    {
        ::new (static_cast<void *>(place)) U;
    }
    template <typename U, typename... Args> void construct(U *place, Args &&...args)
    {
        ::new (static_cast<void *>(place)) U(std::forward<Args>(args)...);
    }
};

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
    std::size_t Count() const { return status_.size(); }
    std::size_t ColumnCount() const { return columns_.size(); }
    Kind ColumnKind(std::size_t column) const { return columns_[column].kind; }

    bool IsNull(std::size_t record, std::size_t column) const
    {
        return columns_[column].nulls[record] != 0;
    }
    std::int32_t Integer(std::size_t record, std::size_t column) const
    {
        return columns_[column].integers[record];
    }
    double Date(std::size_t record, std::size_t column) const
    {
        return columns_[column].dates[record];
    }
    const std::string &Text(std::size_t record, std::size_t column) const
    {
        return columns_[column].texts[record];
    }
    std::int32_t Status(std::size_t record) const { return status_[record]; }
    TFieldValue Value(std::size_t record, std::size_t column) const;
    bool Equals(std::size_t record, std::size_t column, const TFieldValue &value) const;

    void Append(std::span<const TFieldValue> values, std::int32_t status);
    // Adds a record with every value null, to be filled with Put; used where
    // a whole record arrives value by value. Returns its position.
    std::size_t AppendNull(std::int32_t status);
    void Put(std::size_t record, std::size_t column, const TFieldValue &value)
    {
        Put(columns_[column], record, value);
    }
    void PutInteger(std::size_t record, std::size_t column, std::int32_t value)
    {
        Column &c = columns_[column];
        c.integers[record] = value;
        c.nulls[record] = 0;
    }
    // Makes the record null, as AppendNull leaves it.
    void PutNull(std::size_t record, std::size_t column)
    {
        Column &c = columns_[column];
        c.nulls[record] = 1;
        switch (c.kind) {
        case Kind::Integer:
            c.integers[record] = 0;
            break;
        case Kind::Date:
            c.dates[record] = 0;
            break;
        case Kind::Text:
            c.texts[record].clear();
            break;
        }
    }
    void Set(std::size_t record, std::span<const TFieldValue> values);
    void Erase(std::size_t record);

    // For a bulk load: Extend adds records whose status, null flags and
    // numbers are unset (texts are empty); the loader writes every one of
    // them through the pointers below before anything reads the record, and
    // Truncate drops the records it did not fill. The pointers hold until the
    // next Extend.
    void Extend(std::size_t records);
    void Truncate(std::size_t count);
    std::int32_t *StatusData() { return status_.data(); }
    std::uint8_t *NullsData(std::size_t column) { return columns_[column].nulls.data(); }
    std::int32_t *IntegersData(std::size_t column) { return columns_[column].integers.data(); }

private:
    template <typename T> using Numbers = std::vector<T, TUninitializedAllocator<T>>;
    struct Column
    {
        Kind kind = Kind::Integer;
        Numbers<std::uint8_t> nulls;
        Numbers<std::int32_t> integers;
        Numbers<double> dates;
        std::vector<std::string> texts;
    };
    void Put(Column &column, std::size_t record, const TFieldValue &value);
    void Resize(std::size_t count);

    std::vector<Column> columns_;
    Numbers<std::int32_t> status_;
};
