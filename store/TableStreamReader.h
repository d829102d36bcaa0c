#pragma once

#include "store/TableStreamTag.h"

#include <cstdint>
#include <string>
#include <string_view>

// Reads the tagged values of a table file from bytes held in memory. Every
// length is checked against the bytes left before anything is taken, so a
// damaged file ends in EReadError: "Stream read error" when it ends inside a
// value, "Invalid property value" when a value has the wrong tag. The reader
// only views the bytes: they must outlive it.
class TTableStreamReader
{
public:
    explicit TTableStreamReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Position() const { return position_; }
    std::size_t BytesLeft() const { return bytes_.size() - position_; }
    // The whole bytes, for a caller that reads a run of values in place and
    // then moves past them with Skip.
    std::string_view Bytes() const { return bytes_; }
    void Skip(std::size_t size)
    {
        if (size > BytesLeft()) {
            ReadError();
        }
        position_ += size;
    }

    // "Invalid stream format" unless the bytes start with "TPF0".
    void ReadSignature();
    TValueTag NextValue() const
    {
        if (position_ == bytes_.size()) {
            ReadError();
        }
        return static_cast<TValueTag>(bytes_[position_]);
    }
    TValueTag ReadValue()
    {
        const TValueTag tag = NextValue();
        ++position_;
        return tag;
    }
    void ReadListBegin()
    {
        if (ReadValue() != TagList) {
            PropertyValueError();
        }
    }
    void ReadListEnd()
    {
        if (ReadValue() != TagNull) {
            PropertyValueError();
        }
    }
    // True when the next value is TagNull; consumes nothing.
    bool EndOfList() const { return NextValue() == TagNull; }
    std::int32_t ReadInteger() { return ReadIntegerValue(ReadValue()); }
    // TagTrue is true; any other tag byte is false.
    bool ReadBoolean() { return ReadValue() == TagTrue; }
    // One value group of an integer field: the null flag and, unless it says
    // null, the integer. False for null. Checks the bytes left once for the
    // whole group where it can, since files hold millions of these.
    bool ReadIntegerGroup(std::int32_t &value)
    {
        if (BytesLeft() >= 6) {
            const auto *group = reinterpret_cast<const std::uint8_t *>(bytes_.data() + position_);
            if (group[0] == TagTrue) {
                ++position_;
                return false;
            }
            switch (group[1]) {
            case TagInt8:
                value = static_cast<std::int8_t>(group[2]);
                position_ += 3;
                return true;
            case TagInt16:
                value = static_cast<std::int16_t>(group[2] | group[3] << 8);
                position_ += 4;
                return true;
            case TagInt32:
                value = static_cast<std::int32_t>(
                    std::uint32_t{group[2]} | std::uint32_t{group[3]} << 8 |
                    std::uint32_t{group[4]} << 16 | std::uint32_t{group[5]} << 24);
                position_ += 6;
                return true;
            default:
                break;
            }
        }
        if (ReadBoolean()) {
            return false;
        }
        value = ReadInteger();
        return true;
    }
    // TagExtended or an integer tag.
    double ReadFloat();
    // Any of the four text tags, converted to the 8-bit code page.
    std::string ReadString();

    [[noreturn]] static void PropertyValueError();
    [[noreturn]] static void ReadError();

private:
    const std::uint8_t *Take(std::size_t size)
    {
        if (size > BytesLeft()) {
            ReadError();
        }
        const auto *start = reinterpret_cast<const std::uint8_t *>(bytes_.data() + position_);
        position_ += size;
        return start;
    }
    std::uint32_t ReadLittleEndian(int size)
    {
        const std::uint8_t *data = Take(static_cast<std::size_t>(size));
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = (value << 8) | data[i];
        }
        return value;
    }
    std::int32_t ReadIntegerValue(TValueTag tag)
    {
        switch (tag) {
        case TagInt8:
            return static_cast<std::int8_t>(ReadLittleEndian(1));
        case TagInt16:
            return static_cast<std::int16_t>(ReadLittleEndian(2));
        case TagInt32:
            return static_cast<std::int32_t>(ReadLittleEndian(4));
        default:
            PropertyValueError();
        }
    }

    std::string_view bytes_;
    std::size_t position_ = 0;
};
