#pragma once

#include "store/TableStreamTag.h"

#include <cstdint>
#include <string>
#include <string_view>

// Reads the tagged values of a table file from bytes held in memory. Every
// length is checked against the bytes left before anything is taken, so a
// damaged file ends in EReadError: "Stream read error" when it ends inside a
// value, "Invalid property value" when a value has the wrong tag.
class TTableStreamReader
{
public:
    explicit TTableStreamReader(std::string_view bytes) : bytes(bytes) {}

    std::size_t Position() const { return position; }
    std::size_t BytesLeft() const { return bytes.size() - position; }

    // "Invalid stream format" unless the bytes start with "TPF0".
    void ReadSignature();
    TValueTag NextValue() const;
    TValueTag ReadValue();
    void ReadListBegin();
    void ReadListEnd();
    // True when the next value is TagNull; consumes nothing.
    bool EndOfList() const { return NextValue() == TagNull; }
    std::int32_t ReadInteger();
    // TagTrue is true; any other tag byte is false.
    bool ReadBoolean() { return ReadValue() == TagTrue; }
    // TagExtended or an integer tag.
    double ReadFloat();
    // Any of the four text tags, converted to the 8-bit code page.
    std::string ReadString();

    [[noreturn]] static void PropertyValueError();
    [[noreturn]] static void ReadError();

private:
    const std::uint8_t *Take(std::size_t size);
    std::uint32_t ReadLittleEndian(int size);
    std::int32_t ReadIntegerValue(TValueTag tag);

    std::string_view bytes;
    std::size_t position = 0;
};
