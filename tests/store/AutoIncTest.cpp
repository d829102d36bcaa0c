#include "MemTableRecorder.h"

#include <gtest/gtest.h>

namespace {

class AutoIncTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddHotelFields(table);
        table.Open();
    }
    int AppendHotel()
    {
        table.Append();
        const int id = table.FieldNamed("HOTEL_ID").AsInteger();
        table.FieldNamed("NAME").SetAsString("Hotel");
        table.Post();
        return id;
    }

    TvekMemTable table{"tHotel"};
};

TEST_F(AutoIncTest, NumbersStartAtZeroAndRise)
{
    EXPECT_EQ(table.AutoIncCounter(), -1);
    EXPECT_EQ(AppendHotel(), 0);
    EXPECT_EQ(AppendHotel(), 1);
    EXPECT_EQ(AppendHotel(), 2);
}

TEST_F(AutoIncTest, DeleteNeverLowersTheCounter)
{
    AppendHotel();
    AppendHotel();
    table.Delete();
    EXPECT_EQ(AppendHotel(), 2);
}

TEST_F(AutoIncTest, APostedLargerValueRaisesTheCounter)
{
    table.Append();
    table.FieldNamed("HOTEL_ID").SetAsInteger(41);
    table.Post();
    EXPECT_EQ(AppendHotel(), 42);
    table.Append();
    table.FieldNamed("HOTEL_ID").SetAsInteger(5);
    table.Post();
    EXPECT_EQ(AppendHotel(), 43) << "a smaller posted value leaves the counter";
    table.Append();
    table.FieldNamed("HOTEL_ID").Clear();
    table.Post();
    EXPECT_EQ(AppendHotel(), 44);
}

TEST_F(AutoIncTest, AnUnpostedNewRecordDoesNotCount)
{
    table.Append();
    table.Cancel();
    EXPECT_EQ(AppendHotel(), 0);
}

TEST_F(AutoIncTest, CloseAndOpenStartAgainAtZero)
{
    AppendHotel();
    AppendHotel();
    table.Close();
    table.Open();
    EXPECT_EQ(AppendHotel(), 0);
}

TEST_F(AutoIncTest, RecordsReadFromAFileSetTheCounterToTheirLargest)
{
    // What the table-file reader does with a file whose largest HOTEL_ID is 5.
    AppendHotel();
    table.RawResetAutoIncCounter();
    for (int id : {3, 5, 1}) {
        const TFieldValue values[] = {id, std::string("H"), 50000, 0, std::monostate{}, 10};
        table.RawAppendRecord(values);
    }
    EXPECT_EQ(AppendHotel(), 6);
}

TEST_F(AutoIncTest, OnlyTheFirstAutoIncrementFieldIsCounted)
{
    TvekMemTable t{"tTwo"};
    t.AddField<TAutoIncField>("A");
    t.AddField<TAutoIncField>("B");
    t.Open();
    t.Append();
    EXPECT_EQ(t.FieldNamed("A").AsInteger(), 0);
    EXPECT_TRUE(t.FieldNamed("B").IsNull());
}

TEST_F(AutoIncTest, AutoIncMinValueSetsTheStart)
{
    TvekMemTable t{"tStart"};
    t.AddField<TAutoIncField>("ID");
    t.AutoIncMinValue = 100;
    t.Open();
    t.Append();
    EXPECT_EQ(t.FieldNamed("ID").AsInteger(), 100);
}

} // namespace
