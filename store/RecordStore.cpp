#include "store/RecordStore.h"

#include <cassert>

void TRecordStore::Reset(std::vector<Kind> kinds)
{
    columns_.assign(kinds.size(), Column{});
    for (std::size_t i = 0; i < kinds.size(); ++i)
        columns_[i].kind = kinds[i];
    status_.clear();
}

void TRecordStore::Clear()
{
    for (Column &column : columns_) {
        column.nulls.clear();
        column.integers.clear();
        column.dates.clear();
        column.texts.clear();
    }
    status_.clear();
}

void TRecordStore::Reserve(std::size_t records)
{
    for (Column &c : columns_) {
        c.nulls.reserve(records);
        switch (c.kind) {
        case Kind::Integer:
            c.integers.reserve(records);
            break;
        case Kind::Date:
            c.dates.reserve(records);
            break;
        case Kind::Text:
            c.texts.reserve(records);
            break;
        }
    }
    status_.reserve(records);
}

TFieldValue TRecordStore::Value(std::size_t record, std::size_t column) const
{
    const Column &c = columns_[column];
    if (c.nulls[record] != 0)
        return std::monostate{};
    switch (c.kind) {
    case Kind::Integer:
        return c.integers[record];
    case Kind::Date:
        return c.dates[record];
    case Kind::Text:
        return c.texts[record];
    }
    return std::monostate{};
}

bool TRecordStore::Equals(std::size_t record, std::size_t column, const TFieldValue &value) const
{
    const Column &c = columns_[column];
    if (c.nulls[record] != 0)
        return std::holds_alternative<std::monostate>(value);
    switch (c.kind) {
    case Kind::Integer: {
        const auto *integer = std::get_if<std::int32_t>(&value);
        return integer != nullptr && *integer == c.integers[record];
    }
    case Kind::Date: {
        const auto *date = std::get_if<double>(&value);
        return date != nullptr && *date == c.dates[record];
    }
    case Kind::Text: {
        const auto *text = std::get_if<std::string>(&value);
        return text != nullptr && *text == c.texts[record];
    }
    }
    return false;
}

void TRecordStore::Append(std::span<const TFieldValue> values, std::int32_t status)
{
    assert(values.size() == columns_.size());
    const std::size_t record = AppendNull(status);
    for (std::size_t i = 0; i < columns_.size(); ++i)
        Put(columns_[i], record, values[i]);
}

std::size_t TRecordStore::AppendNull(std::int32_t status)
{
    for (Column &c : columns_) {
        c.nulls.push_back(1);
        switch (c.kind) {
        case Kind::Integer:
            c.integers.push_back(0);
            break;
        case Kind::Date:
            c.dates.push_back(0);
            break;
        case Kind::Text:
            c.texts.emplace_back();
            break;
        }
    }
    status_.push_back(status);
    return status_.size() - 1;
}

void TRecordStore::Extend(std::size_t records)
{
    const std::size_t count = status_.size();
    try {
        Resize(count + records);
    } catch (...) {
        // Columns of unequal length would misplace every later record.
        Resize(count);
        throw;
    }
}

void TRecordStore::Truncate(std::size_t count)
{
    if (count < status_.size())
        Resize(count);
}

void TRecordStore::Resize(std::size_t count)
{
    for (Column &c : columns_) {
        c.nulls.resize(count);
        switch (c.kind) {
        case Kind::Integer:
            c.integers.resize(count);
            break;
        case Kind::Date:
            c.dates.resize(count);
            break;
        case Kind::Text:
            c.texts.resize(count);
            break;
        }
    }
    status_.resize(count);
}

void TRecordStore::Set(std::size_t record, std::span<const TFieldValue> values)
{
    assert(values.size() == columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i)
        Put(columns_[i], record, values[i]);
}

void TRecordStore::Put(Column &column, std::size_t record, const TFieldValue &value)
{
    // A value of the wrong alternative cannot come from a field's conversion;
    // it is stored as null rather than misread.
    bool null = true;
    switch (column.kind) {
    case Kind::Integer:
        if (const auto *integer = std::get_if<std::int32_t>(&value)) {
            column.integers[record] = *integer;
            null = false;
        }
        break;
    case Kind::Date:
        if (const auto *date = std::get_if<double>(&value)) {
            column.dates[record] = *date;
            null = false;
        }
        break;
    case Kind::Text:
        if (const auto *text = std::get_if<std::string>(&value)) {
            column.texts[record] = *text;
            null = false;
        } else {
            column.texts[record].clear();
        }
        break;
    }
    assert(null == std::holds_alternative<std::monostate>(value));
    column.nulls[record] = null ? 1 : 0;
}

void TRecordStore::Erase(std::size_t record)
{
    const auto at = static_cast<std::ptrdiff_t>(record);
    for (Column &c : columns_) {
        c.nulls.erase(c.nulls.begin() + at);
        switch (c.kind) {
        case Kind::Integer:
            c.integers.erase(c.integers.begin() + at);
            break;
        case Kind::Date:
            c.dates.erase(c.dates.begin() + at);
            break;
        case Kind::Text:
            c.texts.erase(c.texts.begin() + at);
            break;
        }
    }
    status_.erase(status_.begin() + at);
}
