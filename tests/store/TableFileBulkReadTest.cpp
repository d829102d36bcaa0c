// Files of many integer records, which the reader takes in place record by
// record: whatever is out of the ordinary deep inside such a file must end as
// it does in a small one.
#include "TableFileTestSupport.h"
#include "store/AutoIncField.h"
#include "store/IntegerField.h"
#include "store/MemTable.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

using TMaybe = std::optional<std::int32_t>;

// An integer with its tag, in the smallest form that holds it.
std::string Integer(std::int32_t value)
{
    std::string bytes;
    auto put = [&](char tag, int size) {
        bytes += tag;
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
        }
    };
    if (value >= -128 && value <= 127) {
        put('\x02', 1);
    } else if (value >= -32768 && value <= 32767) {
        put('\x03', 2);
    } else {
        put('\x04', 4);
    }
    return bytes;
}

std::string Group(TMaybe value)
{
    return value ? "\x08" + Integer(*value) : std::string("\x09");
}

// K (autoincrement), A, B.
struct TRow
{
    std::int32_t status;
    TMaybe k, a, b;
};

std::string RecordBytes(const TRow &row)
{
    return "\x01" + Integer(row.status) + Group(row.k) + Group(row.a) + Group(row.b) +
           std::string(1, '\0');
}

// Signature, version 251, no field or index definitions, the record list begun.
const std::string Head = BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01");
const std::string End(1, '\0');

TRow RowOf(int i)
{
    // Every integer form, negative values and nulls, one in 50 records deleted.
    const std::int32_t wide = i % 7 == 0 ? 2000000000 - i : (i % 7 == 1 ? -40000 - i : i % 250);
    return TRow{i % 50 == 0 ? 3 : i % 3, i % 11 == 0 ? TMaybe() : TMaybe(i + 1),
                i % 13 == 0 ? TMaybe() : TMaybe(i % 3), wide};
}

class TableFileBulk : public TScratchTest
{
protected:
    void SetUp() override
    {
        table.Name = "tBulk";
        table.AddField<TAutoIncField>("K");
        table.AddField<TIntegerField>("A");
        table.AddField<TIntegerField>("B");
        table.Open();
    }

    std::string ReadInto(const std::string &bytes) { return TScratchTest::ReadInto(table, bytes); }

    void ExpectRow(std::size_t record, const TRow &row)
    {
        EXPECT_EQ(table.RawRecordStatus(record), row.status) << record;
        const TMaybe values[] = {row.k, row.a, row.b};
        for (int field = 0; field < 3; ++field) {
            const TMaybe &value = values[field];
            ASSERT_EQ(table.RawIsNull(record, field), !value) << record << " " << field;
            if (value) {
                EXPECT_EQ(table.RawInteger(record, field), *value) << record << " " << field;
            }
        }
    }

    TvekMemTable table;
};

TEST_F(TableFileBulk, ManyRecordsComeBackWholeAfterThoseThere)
{
    table.RawAppendRecord(std::vector<TFieldValue>{7, 1, 2});
    std::string bytes = Head;
    constexpr int Count = 10000;
    for (int i = 0; i < Count; ++i) {
        bytes += RecordBytes(RowOf(i));
    }
    ASSERT_EQ(ReadInto(bytes + End), "");
    ASSERT_EQ(table.RawRecordCount(), Count + 1u);
    ExpectRow(0, TRow{0, 7, 1, 2});
    for (int i = 0; i < Count; ++i) {
        ExpectRow(static_cast<std::size_t>(i) + 1, RowOf(i));
    }
    EXPECT_EQ(table.AutoIncCounter(), Count - 1); // the last K is null
    EXPECT_EQ(table.NotificationSuspendCount(), 0);
}

// Files of a few records up to a few batches: the records the reader takes in
// place before the last ones, which are too near the end for that, may be a
// single one, a batch exactly, or a batch and one more.
TEST_F(TableFileBulk, EveryCountOfRecordsComesBackWhole)
{
    for (const int count : {1, 2, 3, 4, 255, 256, 257, 258, 4095, 4096, 4097, 4098, 4353}) {
        SCOPED_TRACE(count);
        table.Close();
        table.Open();
        std::string bytes = Head;
        for (int i = 0; i < count; ++i) {
            bytes += RecordBytes(RowOf(i));
        }
        ASSERT_EQ(ReadInto(bytes + End), "");
        ASSERT_EQ(table.RawRecordCount(), static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            ExpectRow(static_cast<std::size_t>(i), RowOf(i));
        }
    }
}

// Record 5000 of 9000 replaced by other bytes.
struct TDeepRecord
{
    const char *name;
    std::string bytes;
    const char *message; // empty: read whole
    std::size_t recordsKept;
    std::int32_t counter;
    std::optional<TRow> row = std::nullopt; // what the record holds, when it is kept
};

class TableFileDeepRecord : public TableFileBulk, public testing::WithParamInterface<TDeepRecord>
{
};

TEST_P(TableFileDeepRecord, EndsAsInASmallFile)
{
    constexpr int Count = 9000;
    constexpr int Damaged = 5000;
    std::string bytes = Head;
    for (int i = 0; i < Count; ++i) {
        bytes += i == Damaged ? GetParam().bytes : RecordBytes(TRow{0, i + 1, 1, 2});
    }
    EXPECT_EQ(ReadInto(bytes + End), GetParam().message);
    ASSERT_EQ(table.RawRecordCount(), GetParam().recordsKept);
    EXPECT_EQ(table.AutoIncCounter(), GetParam().counter);
    EXPECT_EQ(table.NotificationSuspendCount(), 0);
    for (std::size_t record = 0; record < GetParam().recordsKept; ++record) {
        if (record != Damaged) {
            ExpectRow(record, TRow{0, static_cast<std::int32_t>(record) + 1, 1, 2});
        } else if (GetParam().row) {
            ExpectRow(record, *GetParam().row);
        }
    }
}

const char *const ReadError = "Stream read error";
const char *const ValueError = "Invalid property value";
// K of the damaged record: the counter shows whether it was kept.
const std::string Big = Integer(1000000);

INSTANTIATE_TEST_SUITE_P(
    Records, TableFileDeepRecord,
    testing::Values(
        TDeepRecord{"OlderVersionsFollow",
                    BytesOf("01 02 00 08") + Big + BytesOf("08 02 01 08 02 02 02 01 09 09 09 00"),
                    "", 9000, 1000000},
        TDeepRecord{"AnyFlagButTrueIsAValue",
                    BytesOf("01 02 00 00") + Big + BytesOf("07 02 01 FF 02 02 00"), "", 9000,
                    1000000, TRow{0, 1000000, 1, 2}},
        // K null, then A's flag is the byte 02 and its value the int8 9.
        TDeepRecord{"NullThenAFlagThatLooksLikeAnIntegerTag",
                    BytesOf("01 02 00 09 02 02 09 08 02 05 00"), "", 9000, 9000,
                    TRow{0, std::nullopt, 9, 5}},
        TDeepRecord{"SmallValuesAndAStatusOfTwoBytes",
                    BytesOf("01 03 2C 01 08 02 05 08 03 00 01 08 02 80 00"), "", 9000, 9000,
                    TRow{300, 5, 256, -128}},
        // A text where A belongs, with four bytes after its tag as an int32 would have.
        TDeepRecord{"TextAmongSmallIntegers", BytesOf("01 02 00 08 02 05 08 06 01 41 42 43 09 00"),
                    ValueError, 5000, 5000},
        // The true tag is no integer, wherever a value belongs.
        TDeepRecord{"TrueTagAsTheFirstValue", BytesOf("01 02 00 08 09 09 02 05 00"), ValueError,
                    5000, 5000},
        TDeepRecord{"TrueTagAsTheSecondValue", BytesOf("01 02 00 08 02 05 08 09 00"), ValueError,
                    5000, 5000},
        TDeepRecord{"StatusAsText", BytesOf("01 06 01 41 08") + Big + BytesOf("08 02 01 09 00"),
                    ValueError, 5000, 5000},
        TDeepRecord{"ValueAsDate",
                    BytesOf("01 02 00 08") + Big +
                        BytesOf("08 05 00 00 00 00 00 00 D1 95 0E 40 09 00"),
                    ValueError, 5000, 5000},
        TDeepRecord{"OneGroupTooFew", BytesOf("01 02 00 08") + Big + BytesOf("09 00"), ValueError,
                    5000, 5000},
        TDeepRecord{"OneGroupTooMany", BytesOf("01 02 00 08") + Big + BytesOf("09 09 09 00"),
                    ValueError, 5000, 5000},
        TDeepRecord{"NoListTag", BytesOf("02 00 08") + Big + BytesOf("09 09 00"), ValueError, 5000,
                    5000},
        TDeepRecord{"ListEndsEarly", End, "", 5000, 5000},
        TDeepRecord{"ValueAsLongText",
                    BytesOf("01 02 00 08") + Big + BytesOf("08 0C FF FF FF 7F 41"), ValueError,
                    5000, 5000}),
    [](const testing::TestParamInfo<TDeepRecord> &info) { return info.param.name; });

TEST_F(TableFileBulk, FileCutInsideTheLastRecord)
{
    std::string bytes = Head;
    for (int i = 0; i < 3000; ++i) {
        bytes += RecordBytes(TRow{0, i + 1, 1, 2});
    }
    const std::string last = RecordBytes(TRow{0, 1000000, 100000, 2});
    for (std::size_t cut = 1; cut < last.size(); ++cut) {
        table.Close();
        table.Open();
        EXPECT_EQ(ReadInto(bytes + last.substr(0, cut)), ReadError) << cut;
        EXPECT_EQ(table.RawRecordCount(), 3000u) << cut;
        EXPECT_EQ(table.AutoIncCounter(), 3000) << cut;
    }
}

TEST_F(TableFileBulk, FilteredViewInUseFollowsTheRead)
{
    table.SetFilter("A = 1");
    table.SetFiltered(true);
    table.RawAppendRecord(std::vector<TFieldValue>{1, 1, 0});
    table.First();
    std::string bytes = Head;
    for (int i = 0; i < 6000; ++i) {
        bytes += RecordBytes(RowOf(i));
    }
    ASSERT_EQ(ReadInto(bytes + End), "");
    int expected = 1;
    for (int i = 0; i < 6000; ++i) {
        const TRow row = RowOf(i);
        expected += row.status != 3 && row.a == 1 ? 1 : 0;
    }
    int visible = 0;
    for (table.First(); !table.AtEnd(); table.Next()) {
        EXPECT_EQ(table.FieldNamed("A").AsInteger(), 1);
        ++visible;
    }
    EXPECT_EQ(visible, expected);
}

TEST_F(TableFileBulk, ClosedTableRefusesTheFirstRecordOnly)
{
    table.Close();
    EXPECT_EQ(ReadInto(Head + End), "");
    EXPECT_EQ(ReadInto(Head + RecordBytes(TRow{0, 1, 1, 2}) + End),
              "tBulk: Cannot perform this operation on a closed dataset");
    EXPECT_FALSE(table.Active());
}

} // namespace
