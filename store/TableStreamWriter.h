#pragma once

#include "store/TableStreamTag.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

// Builds the tagged values of a table file in memory, each in its shortest form.
// Values go straight into a buffer that grows in large steps, since a table of
// many records is written value by value.
class TTableStreamWriter
{
public:
    void Reserve(std::size_t size)
    {
        if (size > capacity_) {
            Grow(size);
        }
    }

    void WriteSignature() { Append("TPF0", 4); }
    void WriteListBegin() { PutTag(TagList); }
    void WriteListEnd() { PutTag(TagNull); }
    // TagInt8, TagInt16 or TagInt32, whichever is the smallest that holds value.
    void WriteInteger(std::int32_t value)
    {
        char *out = Room(5);
        std::size_t size = 4;
        TValueTag tag = TagInt32;
        if (value >= -128 && value <= 127) {
            tag = TagInt8;
            size = 1;
        } else if (value >= -32768 && value <= 32767) {
            tag = TagInt16;
            size = 2;
        }
        out[0] = static_cast<char>(tag);
        // All four bytes go out, little-endian; only `size` of them are kept.
        auto raw = static_cast<std::uint32_t>(value);
        if constexpr (std::endian::native == std::endian::big) {
            raw =
                ((raw & 0xFF) << 24) | ((raw & 0xFF00) << 8) | ((raw >> 8) & 0xFF00) | (raw >> 24);
        }
        std::memcpy(out + 1, &raw, 4);
        used_ += 1 + size;
    }
    void WriteBoolean(bool value) { PutTag(value ? TagTrue : TagFalse); }
    void WriteFloat(double value);
    // Text in the 8-bit code page: pure ASCII as TagString or TagLongString,
    // anything else converted to UTF-8 as TagUtf8String.
    void WriteString(std::string_view text);

    std::string_view Bytes() const { return {buffer_.get(), used_}; }

private:
    char *Room(std::size_t size)
    {
        if (capacity_ - used_ < size) {
            Grow(std::max(capacity_ * 2, used_ + size + 64));
        }
        return buffer_.get() + used_;
    }
    void Grow(std::size_t size);
    void PutTag(TValueTag tag)
    {
        *Room(1) = static_cast<char>(tag);
        ++used_;
    }
    void Append(const char *data, std::size_t size)
    {
        std::memcpy(Room(size), data, size);
        used_ += size;
    }
    void WriteLength(TValueTag tag, std::uint32_t length, int size);

    // Not a std::string: growing one would clear every byte first.
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
};
