#pragma once

#include <cstdint>

// The one-byte tag in front of every value of a table file.
enum TValueTag : std::uint8_t
{
    TagNull = 0,
    TagList = 1,
    TagInt8 = 2,
    TagInt16 = 3,
    TagInt32 = 4,
    TagExtended = 5,
    TagString = 6,
    TagFalse = 8,
    TagTrue = 9,
    TagLongString = 12,
    TagWideString = 18,
    TagUtf8String = 20,
};
