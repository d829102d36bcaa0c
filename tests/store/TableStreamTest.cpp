#include "TableFileTestSupport.h"
#include "store/TableStreamError.h"
#include "store/TableStreamReader.h"
#include "store/TableStreamWriter.h"

#include <gtest/gtest.h>

namespace {

struct TIntegerCase
{
    std::int32_t value;
    const char *bytes;
};

class StreamInteger : public testing::TestWithParam<TIntegerCase>
{
};

TEST_P(StreamInteger, UsesTheSmallestTagAndReadsBack)
{
    TTableStreamWriter writer;
    writer.WriteInteger(GetParam().value);
    EXPECT_EQ(HexOf(writer.Bytes()), GetParam().bytes);
    TTableStreamReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadInteger(), GetParam().value);
    EXPECT_EQ(reader.BytesLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, StreamInteger,
    testing::Values(TIntegerCase{0, "02 00"}, TIntegerCase{127, "02 7F"},
                    TIntegerCase{128, "03 80 00"}, TIntegerCase{-128, "02 80"},
                    TIntegerCase{-129, "03 7F FF"}, TIntegerCase{32767, "03 FF 7F"},
                    TIntegerCase{32768, "04 00 80 00 00"}, TIntegerCase{-32768, "03 00 80"},
                    TIntegerCase{-32769, "04 FF 7F FF FF"}, TIntegerCase{50000, "04 50 C3 00 00"},
                    TIntegerCase{INT32_MIN, "04 00 00 00 80"}));

TEST(TableStream, WritesTextsWithTheirTags)
{
    TTableStreamWriter writer;
    writer.WriteString("Sea View");
    writer.WriteString("");
    writer.WriteString("Caf\xE9");
    EXPECT_EQ(HexOf(writer.Bytes()), "06 08 53 65 61 20 56 69 65 77 06 00 "
                                     "14 05 00 00 00 43 61 66 C3 A9");

    TTableStreamReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadString(), "Sea View");
    EXPECT_EQ(reader.ReadString(), "");
    EXPECT_EQ(reader.ReadString(), "Caf\xE9");
}

TEST(TableStream, LongAsciiTextTakesTheLongTagFrom256Bytes)
{
    for (std::size_t length : {255u, 256u}) {
        TTableStreamWriter writer;
        writer.WriteString(std::string(length, 'x'));
        const auto tag = static_cast<unsigned char>(writer.Bytes()[0]);
        EXPECT_EQ(tag, length == 255 ? TagString : TagLongString);
        EXPECT_EQ(writer.Bytes().size(), length + (length == 255 ? 2 : 5));
        TTableStreamReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadString(), std::string(length, 'x'));
    }
}

TEST(TableStream, ReadsSixteenBitText)
{
    const std::string bytes("\x12\x02\0\0\0H\0\xE9\0", 9);
    TTableStreamReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "H\xE9");
}

TEST(TableStream, ReadsDatesAsExtendedOrInteger)
{
    TTableStreamWriter writer;
    writer.WriteFloat(38353);
    EXPECT_EQ(HexOf(writer.Bytes()), "05 00 00 00 00 00 00 D1 95 0E 40");
    writer.WriteInteger(38354);
    TTableStreamReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadFloat(), 38353.0);
    EXPECT_EQ(reader.ReadFloat(), 38354.0);
}

TEST(TableStream, TakesOnlyTagTrueAsTrue)
{
    const std::string bytes("\x09\x08\x00\x02\x63", 5);
    TTableStreamReader reader(bytes);
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
}

TEST(TableStream, SignatureMustBeTpf0)
{
    EXPECT_NO_THROW(TTableStreamReader("TPF0").ReadSignature());
    for (const char *bytes : {"TPF", "TPF1", "tpf0", "X"}) {
        TTableStreamReader reader(bytes);
        try {
            reader.ReadSignature();
            ADD_FAILURE() << bytes;
        } catch (const EReadError &error) {
            EXPECT_STREQ(error.what(), "Invalid stream format");
        }
    }
}

enum class TRead
{
    Integer,
    Float,
    String,
    ListBegin,
    ListEnd,
    Boolean,
    Peek
};

struct TBadValue
{
    const char *name;
    std::string bytes;
    TRead read;
    const char *message;
};

class StreamBadValue : public testing::TestWithParam<TBadValue>
{
};

TEST_P(StreamBadValue, FailsWithTheStoreMessage)
{
    TTableStreamReader reader(GetParam().bytes);
    try {
        switch (GetParam().read) {
        case TRead::Integer:
            reader.ReadInteger();
            break;
        case TRead::Float:
            reader.ReadFloat();
            break;
        case TRead::String:
            reader.ReadString();
            break;
        case TRead::ListBegin:
            reader.ReadListBegin();
            break;
        case TRead::ListEnd:
            reader.ReadListEnd();
            break;
        case TRead::Boolean:
            reader.ReadBoolean();
            break;
        case TRead::Peek:
            reader.EndOfList();
            break;
        }
        ADD_FAILURE() << "no error";
    } catch (const EReadError &error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

const char *const ReadError = "Stream read error";
const char *const ValueError = "Invalid property value";

INSTANTIATE_TEST_SUITE_P(
    Malformed, StreamBadValue,
    testing::Values(
        TBadValue{"EmptyInteger", "", TRead::Integer, ReadError},
        TBadValue{"TruncatedInt16", "\x03\x01", TRead::Integer, ReadError},
        TBadValue{"TruncatedInt32", std::string("\x04\0\0\0", 4), TRead::Integer, ReadError},
        TBadValue{"TextForInteger",
                  "\x06\x01"
                  "a",
                  TRead::Integer, ValueError},
        TBadValue{"Int64ForInteger", "\x13\x01\x02\x03\x04\x05\x06\x07\x08", TRead::Integer,
                  ValueError},
        TBadValue{"ExtendedForInteger", std::string("\x05", 1) + std::string(10, '\0'),
                  TRead::Integer, ValueError},
        TBadValue{"TruncatedExtended", std::string("\x05\0\0\0", 4), TRead::Float, ReadError},
        TBadValue{"TextForFloat", "\x06\x00", TRead::Float, ValueError},
        TBadValue{"MissingStringLength", "\x06", TRead::String, ReadError},
        TBadValue{"ShortString",
                  "\x06\x05"
                  "abc",
                  TRead::String, ReadError},
        TBadValue{"HugeLongString",
                  "\x0C\xFF\xFF\xFF\x7F"
                  "abc",
                  TRead::String, ReadError},
        TBadValue{"NegativeLongString", "\x0C\xFF\xFF\xFF\xFF", TRead::String, ReadError},
        TBadValue{"HugeUtf8String", "\x14\x00\x00\x00\x80", TRead::String, ReadError},
        TBadValue{"HugeWideString",
                  "\x12\xFF\xFF\xFF\xFF"
                  "ab",
                  TRead::String, ReadError},
        TBadValue{"OddWideString",
                  "\x12\x02\x00\x00\x00"
                  "abc",
                  TRead::String, ReadError},
        TBadValue{"IntegerForString", "\x02\x05", TRead::String, ValueError},
        TBadValue{"NullForString", std::string("\0", 1), TRead::String, ValueError},
        TBadValue{"ListBeginMissing", "\x02\x00", TRead::ListBegin, ValueError},
        TBadValue{"ListEndMissing", "\x01", TRead::ListEnd, ValueError},
        TBadValue{"ListEndAtEnd", "", TRead::ListEnd, ReadError},
        TBadValue{"BooleanAtEnd", "", TRead::Boolean, ReadError},
        TBadValue{"PeekAtEnd", "", TRead::Peek, ReadError}),
    [](const testing::TestParamInfo<TBadValue> &info) { return info.param.name; });

} // namespace
