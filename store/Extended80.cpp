#include "store/Extended80.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace {

constexpr int DoubleBias = 1023;
constexpr int ExtendedBias = 16383;
constexpr std::uint64_t LeadingBit = std::uint64_t{1} << 63;

} // namespace

TExtended80::TBytes TExtended80::Encode(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);

    std::uint64_t significand = 0;
    int biased = 0;
    if (exponent == 0x7FF) {
        biased = 0x7FFF;
        significand = LeadingBit | (fraction << 11);
    } else if (exponent != 0) {
        biased = exponent - DoubleBias + ExtendedBias;
        significand = LeadingBit | (fraction << 11);
    } else if (fraction != 0) {
        // A subnormal double is a normal extended number: shift its highest set
        // bit up to the explicit leading bit.
        const int shift = std::countl_zero(fraction);
        significand = fraction << shift;
        biased = ExtendedBias + 63 - 1074 - shift;
    }

    TBytes bytes{};
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    }
    const unsigned top = static_cast<unsigned>(biased) | (negative ? 0x8000u : 0u);
    bytes[8] = static_cast<std::uint8_t>(top);
    bytes[9] = static_cast<std::uint8_t>(top >> 8);
    return bytes;
}

double TExtended80::Decode(const std::uint8_t *bytes)
{
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i) {
        significand = (significand << 8) | bytes[i];
    }
    const unsigned top = bytes[8] | (unsigned{bytes[9]} << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int biased = static_cast<int>(top & 0x7FFFu);

    double magnitude = 0.0;
    if (biased == 0x7FFF) {
        magnitude = (significand << 1) == 0 ? HUGE_VAL : std::nan("");
    } else if (significand != 0) {
        // Denormals (exponent 0) share the exponent of the smallest normal.
        const int power = (biased == 0 ? 1 : biased) - ExtendedBias - 63;
        magnitude = std::ldexp(static_cast<double>(significand), power);
    }
    return negative ? -magnitude : magnitude;
}
