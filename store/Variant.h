#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

// A key value for Locate: null, an integer, a floating value, a text, or a
// list of such values (one per key field). A list whose elements are lists has
// more than one dimension, which Locate refuses.
//
//   table.Locate("FLOOR_ID", 3);
//   table.Locate("HOTEL_ID;ID", {0, 12});
class TVariant
{
public:
    using List = std::vector<TVariant>;

    TVariant() = default; // null
    TVariant(std::nullptr_t) {}
    TVariant(int value) : m_value(std::int64_t{value}) {}
    TVariant(long value) : m_value(std::int64_t{value}) {}
    TVariant(long long value) : m_value(std::int64_t{value}) {}
    TVariant(double value) : m_value(value) {}
    TVariant(const char *text) : m_value(std::string(text)) {}
    TVariant(std::string text) : m_value(std::move(text)) {}
    TVariant(List list) : m_value(std::move(list)) {}
    TVariant(std::initializer_list<TVariant> list) : m_value(List(list)) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(m_value); }
    bool IsList() const { return std::holds_alternative<List>(m_value); }
    const List &AsList() const { return std::get<List>(m_value); }

    using Storage = std::variant<std::monostate, std::int64_t, double, std::string, List>;
    const Storage &Data() const { return m_value; }

private:
    Storage m_value;
};
