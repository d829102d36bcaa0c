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
    TVariant(int value) : value_(std::int64_t{value}) {}
    TVariant(long value) : value_(std::int64_t{value}) {}
    TVariant(long long value) : value_(std::int64_t{value}) {}
    TVariant(double value) : value_(value) {}
    TVariant(const char *text) : value_(std::string(text)) {}
    TVariant(std::string text) : value_(std::move(text)) {}
    TVariant(List list) : value_(std::move(list)) {}
    TVariant(std::initializer_list<TVariant> list) : value_(List(list)) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsList() const { return std::holds_alternative<List>(value_); }
    const List &AsList() const { return std::get<List>(value_); }

    using Storage = std::variant<std::monostate, std::int64_t, double, std::string, List>;
    const Storage &Data() const { return value_; }

private:
    Storage value_;
};
