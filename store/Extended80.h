#pragma once

#include <array>
#include <cstdint>

// The 80-bit extended-precision float of table files: a 64-bit significand with
// its leading bit stored, then the sign and a 15-bit exponent biased by 16383,
// little-endian. Converted bit by bit so that files do not depend on what the
// compiler makes of long double.
class TExtended80
{
public:
    using TBytes = std::array<std::uint8_t, 10>;

    static TBytes Encode(double value);
    // Rounds to the nearest double; infinities and NaNs come back as such.
    static double Decode(const std::uint8_t *bytes);
};
