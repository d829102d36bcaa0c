#pragma once

#include "store/TableStreamTag.h"

#include <cstdint>
#include <string>
#include <string_view>

// Builds the tagged values of a table file in memory, each in its shortest form.
class TTableStreamWriter
{
public:
    void Reserve(std::size_t size) { bytes.reserve(size); }

    void WriteSignature();
    void WriteListBegin() { bytes += static_cast<char>(TagList); }
    void WriteListEnd() { bytes += static_cast<char>(TagNull); }
    // TagInt8, TagInt16 or TagInt32, whichever is the smallest that holds value.
    void WriteInteger(std::int32_t value);
    void WriteBoolean(bool value) { bytes += static_cast<char>(value ? TagTrue : TagFalse); }
    void WriteFloat(double value);
    // Text in the 8-bit code page: pure ASCII as TagString or TagLongString,
    // anything else converted to UTF-8 as TagUtf8String.
    void WriteString(std::string_view text);

    const std::string &Bytes() const { return bytes; }

private:
    void WriteLittleEndian(std::uint32_t value, int size);

    std::string bytes;
};
