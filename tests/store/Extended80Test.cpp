#include "store/Extended80.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TExtended80::TBytes Bytes(std::initializer_list<int> values)
{
    TExtended80::TBytes bytes{};
    std::size_t i = 0;
    for (int value : values) {
        bytes[i++] = static_cast<std::uint8_t>(value);
    }
    return bytes;
}

struct TKnownValue
{
    const char *name;
    double value;
    TExtended80::TBytes bytes;
};

class Extended80Known : public testing::TestWithParam<TKnownValue>
{
};

TEST_P(Extended80Known, EncodesAndDecodesExactly)
{
    const TKnownValue &known = GetParam();
    EXPECT_EQ(TExtended80::Encode(known.value), known.bytes);
    const double decoded = TExtended80::Decode(known.bytes.data());
    EXPECT_EQ(decoded, known.value);
    EXPECT_EQ(std::signbit(decoded), std::signbit(known.value));
}

INSTANTIATE_TEST_SUITE_P(
    Values, Extended80Known,
    testing::Values(TKnownValue{"Zero", 0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
                    TKnownValue{"NegativeZero", -0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80})},
                    TKnownValue{"One", 1.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
                    TKnownValue{"MinusTwo", -2.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0})},
                    TKnownValue{"NewYear2005", 38353.0,
                                Bytes({0, 0, 0, 0, 0, 0, 0xD1, 0x95, 0x0E, 0x40})},
                    TKnownValue{"Half", 0.5, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F})},
                    TKnownValue{"SmallestSubnormal", std::numeric_limits<double>::denorm_min(),
                                Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B})},
                    TKnownValue{"Infinity", std::numeric_limits<double>::infinity(),
                                Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})}),
    [](const testing::TestParamInfo<TKnownValue> &info) { return info.param.name; });

TEST(Extended80, RoundTripsDoublesOfEveryMagnitude)
{
    for (double value : {1e-310, 2.2250738585072014e-308, 0.1, 1.0 / 3.0, 38353.5, -693594.0,
                         2958465.999, 1e300, std::numeric_limits<double>::max()}) {
        const TExtended80::TBytes bytes = TExtended80::Encode(value);
        EXPECT_EQ(TExtended80::Decode(bytes.data()), value) << value;
    }
}

TEST(Extended80, DecodesWhatADoubleCannotHold)
{
    // Exponent far above a double's range, far below it, a NaN and a denormal.
    EXPECT_TRUE(
        std::isinf(TExtended80::Decode(Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F}).data())));
    EXPECT_EQ(TExtended80::Decode(Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}).data()), 0.0);
    EXPECT_TRUE(
        std::isnan(TExtended80::Decode(Bytes({1, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F}).data())));
    EXPECT_EQ(TExtended80::Decode(
                  Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x3E, 0x40}).data()),
              18446744073709551616.0);
}

} // namespace
