#include "store/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, ConvertsWindows1252ToUtf8AndBack)
{
    const std::string ansi = "Caf\xE9 \x80 \x9F\xFF";
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC \xC5\xB8\xC3\xBF";
    EXPECT_EQ(TCodePage::ToUtf8(ansi), utf8);
    EXPECT_EQ(TCodePage::FromUtf8(utf8), ansi);
}

TEST(CodePage, KeepsTheBytesTheCodePageLeavesUndefined)
{
    const std::string ansi = "a\x81"
                             "b\x8D\x8F\x90\x9D";
    EXPECT_EQ(TCodePage::FromUtf8(TCodePage::ToUtf8(ansi)), ansi);
}

TEST(CodePage, EveryByteRoundTrips)
{
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(TCodePage::FromUtf8(TCodePage::ToUtf8(all)), all);
}

struct TForeignText
{
    const char *name;
    std::string utf8;
    std::string expected;
};

class CodePageForeign : public testing::TestWithParam<TForeignText>
{
};

TEST_P(CodePageForeign, BecomesQuestionMarks)
{
    EXPECT_EQ(TCodePage::FromUtf8(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageForeign,
    testing::Values(TForeignText{"Cyrillic", "\xD0\x9C\xD0\xB8\xD1\x80", "???"},
                    TForeignText{"Emoji", "a\xF0\x9F\x8F\xA8z", "a?z"},
                    TForeignText{"MixedWithLatin", "\xC3\xA9\xE4\xB8\xAD\xC3\xA9", "\xE9?\xE9"},
                    TForeignText{"InvalidByte", "a\xFFz", "a?z"},
                    TForeignText{"TruncatedAtEnd", "ab\xE2\x82", "ab?"},
                    TForeignText{"LoneContinuation", "\x80x", "?x"},
                    TForeignText{"EncodedSurrogate", "\xED\xA0\x80!",
                                 "?"
                                 "?"
                                 "?!"},
                    // A sequence cut short is one "?" wherever it stands.
                    TForeignText{"CutShortBeforeText", "ab\xE2\x82z", "ab?z"},
                    TForeignText{"FourByteCutShortBeforeText", "a\xF0\x9F\x98z", "a?z"},
                    TForeignText{"FourByteCutShortAtEnd", "a\xF0\x9F\x98", "a?"},
                    TForeignText{"CutShortThenAWholeOne", "\xE2\x82\xE2\x82\xAC", "?\x80"},
                    TForeignText{"LeadThenLead", "\xC3\xC3\xA9", "?\xE9"},
                    // Bytes that start no well-formed sequence are one "?" each.
                    TForeignText{"OverlongNul", "a\xC0\x80z", "a??z"},
                    TForeignText{"OverlongThreeBytes", "a\xE0\x80\xAFz", "a???z"},
                    TForeignText{"BeyondTheLastCodePoint", "a\xF4\x90\x80\x80z", "a????z"},
                    TForeignText{"FiveByteForm", "a\xF8\x88\x80\x80\x80z", "a?????z"}),
    [](const testing::TestParamInfo<TForeignText> &info) { return info.param.name; });

TEST(CodePage, ReadsSixteenBitText)
{
    const std::string utf16("S\0\xE9\0\xAC\x20\x1C\x04\x3D\xD8\xE8\xDF!\0", 14);
    EXPECT_EQ(TCodePage::FromUtf16(utf16), "S\xE9\x80?"
                                           "?!");
    EXPECT_EQ(TCodePage::FromUtf16(std::string("\x00\xD8", 2)), "?");
    EXPECT_EQ(TCodePage::FromUtf16(std::string("A\0B", 3)), "A?");
    EXPECT_EQ(TCodePage::FromUtf16(std::string("\x81\0", 2)), "\x81");
}

TEST(CodePage, DetectsAscii)
{
    EXPECT_TRUE(TCodePage::IsAscii("Sea View\x7F"));
    EXPECT_FALSE(TCodePage::IsAscii("Sea Vi\xE9w"));
}

} // namespace

// What a hotel name would lose: each character the code page cannot hold, once.
TEST(CodePage, NamesTheCharactersItCannotHold)
{
    const struct
    {
        const char *text;
        const char *missing;
    } cases[] = {
        {"Grand Hotel", ""},
        {"H\u00f4tel \u20ac? \u00c5", ""}, // ô, € and Å are in the code page; "?" is itself
        {"\U0001F600 Inn", "\U0001F600"},
        {"\u0641\u0646\u062f\u0642 \u0641", "\u0641\u0646\u062f\u0642"},
        {"Caf\u00e9 \u2603 \u2603 \U0001F600", "\u2603\U0001F600"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TCodePage::Unencodable(c.text), c.missing) << c.text;
}
