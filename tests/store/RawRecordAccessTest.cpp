#include "MemTableRecorder.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class RawRecordAccessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddHotelFields(table);
        table.Open();
    }
    // What the table-file reader does with the records of one file.
    void Read(const std::vector<std::vector<TFieldValue>> &records, std::int32_t status = 0)
    {
        table.SuspendNotifications();
        table.RawResetAutoIncCounter();
        for (const auto &values : records)
            table.RawAppendRecord(values, status);
        table.ResumeNotifications();
        table.RawResync();
    }

    TvekMemTable table{"tHotel"};
};

TEST_F(RawRecordAccessTest, ReadingIntoAFreshTableSendsTwoNoticesAndGoesToTheFirstRecord)
{
    TMemTableRecorder recorder(table);
    Read({{0, std::string("Sea View"), 50000, 0, 38353.0, 10},
          {5, std::string("Harbour"), 100, 3, std::monostate{}, 22}});
    EXPECT_EQ(recorder.Take(), (Log{"nkDataSetChange", "nkDataSetChange"}));
    EXPECT_EQ(table.FieldNamed("NAME").AsString(), "Sea View");
    EXPECT_FALSE(table.AtEnd());
    EXPECT_EQ(table.RawRecordCount(), 2u);
    EXPECT_EQ(table.RawValue(1, 1), TFieldValue(std::string("Harbour")));
    EXPECT_TRUE(table.RawIsNull(1, 4));
    EXPECT_EQ(table.RawInteger(0, 2), 50000);
    EXPECT_EQ(table.RawString(0, 1), "Sea View");
    EXPECT_EQ(table.RawDate(0, 4), 38353.0);
    EXPECT_EQ(table.RawRecordStatus(0), 0);
    EXPECT_EQ(table.AutoIncCounter(), 5);
}

TEST_F(RawRecordAccessTest, RecordsAlreadyThereStayFirstAndCurrent)
{
    AddRecord(table, {{"MONEY", 1}});
    AddRecord(table, {{"MONEY", 2}});
    table.First();
    Read({{7, std::string("Read"), 3, 0, std::monostate{}, 10}});
    EXPECT_EQ(table.FieldNamed("MONEY").AsInteger(), 1);
    EXPECT_EQ(Column(table, "MONEY"), (std::vector<int>{1, 2, 3}));
}

TEST_F(RawRecordAccessTest, ValuesTakeTheirFieldsStoredForm)
{
    const std::string longName(60, 'n');
    Read({{1, longName, 2, 3, 38353.75, 4}});
    table.First();
    EXPECT_EQ(table.FieldNamed("NAME").AsString(), std::string(50, 'n'));
    EXPECT_EQ(table.FieldNamed("DATE").AsDateTime(), 38353.0);
    // A number for a text field and a text for a number field take the field's form.
    Read({{2, std::int32_t{12}, std::string("17"), 3, std::monostate{}, 4}});
    EXPECT_EQ(table.RawString(1, 1), "12");
    EXPECT_EQ(table.RawInteger(1, 2), 17);
    EXPECT_THROW(table.RawAppendRecord(std::vector<TFieldValue>{1, 2}), EDatabaseError);
    EXPECT_THROW(
        table.RawAppendRecord(std::vector<TFieldValue>{1, std::string("x"), 2, 3, 1e300, 4}),
        EDatabaseError);
    EXPECT_EQ(table.RawRecordCount(), 2u);
}

TEST_F(RawRecordAccessTest, DeletedStatusIsKeptButNeverVisible)
{
    Read({{1, std::string("Gone"), 0, 0, std::monostate{}, 0}}, 3);
    Read({{2, std::string("Here"), 0, 0, std::monostate{}, 0}});
    EXPECT_EQ(table.RawRecordCount(), 2u);
    EXPECT_FALSE(table.RawRecordVisible(0));
    EXPECT_TRUE(table.RawRecordVisible(1));
    EXPECT_EQ(Column(table, "HOTEL_ID"), (std::vector<int>{2}));
    EXPECT_FALSE(table.Locate("HOTEL_ID", 1));
}

TEST_F(RawRecordAccessTest, VisibilityFollowsTheFilter)
{
    Read({{1, std::string("A"), 0, 0, std::monostate{}, 0},
          {2, std::string("B"), 0, 0, std::monostate{}, 0}});
    table.SetFilter("HOTEL_ID = 2");
    table.SetFiltered(true);
    EXPECT_FALSE(table.RawRecordVisible(0));
    EXPECT_TRUE(table.RawRecordVisible(1));
}

TEST_F(RawRecordAccessTest, FieldDefinitionsOfAFile)
{
    TvekMemTable t{"tNew"};
    EXPECT_NE(t.AddFieldOfType(ftAutoInc, "ID", 0), nullptr);
    TField *name = t.AddFieldOfType(ftString, "NAME", 30);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Size, 30);
    EXPECT_EQ(t.AddFieldOfType(ftDate, "DAY", 0)->DataType(), ftDate);
    EXPECT_EQ(t.AddFieldOfType(ftInteger, "N", 0)->DataType(), ftInteger);
    EXPECT_EQ(t.AddFieldOfType(ftBlob, "B", 0), nullptr);
    EXPECT_EQ(t.FieldCount(), 4);
    t.Open();
    EXPECT_THROW(t.AddFieldOfType(ftInteger, "LATE", 0), EDatabaseError);
    t.Close();
    t.ClearFields();
    EXPECT_EQ(t.FieldCount(), 0);
}

TEST_F(RawRecordAccessTest, AClosedTableTakesNoRecord)
{
    table.Close();
    EXPECT_THROW(table.RawAppendRecord(std::vector<TFieldValue>(6)), EDatabaseError);
    TMemTableRecorder recorder(table);
    table.RawResync();
    EXPECT_FALSE(table.Active());
    EXPECT_TRUE(recorder.Take().empty()) << "nothing to re-read, nothing to tell";
}

TEST_F(RawRecordAccessTest, ABulkAppendAddsTheRecordsItKeeps)
{
    // Fields: HOTEL_ID (autoincrement), NAME (50), MONEY, ID, DATE, TIME.
    enum
    {
        HotelId,
        Name,
        Money,
        Id,
        Date,
        Time
    };
    AddRecord(table, {{"MONEY", 100}}); // HOTEL_ID 0
    table.SetFilter("MONEY = 100");
    table.SetFiltered(true);
    ASSERT_EQ(Column(table, "HOTEL_ID"), (std::vector<int>{0}));
    struct Row
    {
        int hotelId;
        int money;
        TFieldValue name;
        TFieldValue date;
        bool keep;
    };
    const Row rows[] = {
        {7, 100, std::string("Sea View"), 38353.5, true},
        {3, 200, std::int32_t{12}, std::string("2005-01-01"), true},
        {5, 100, std::monostate{}, std::monostate{}, true},
        {50, 100, std::string("Dropped"), 1.0, false},
    };
    {
        TvekCustomMemTable::TRawBulkAppend bulk(table);
        EXPECT_EQ(bulk.Next(), 1u);
        for (const Row &row : rows) {
            ASSERT_GE(bulk.MakeRoom(1), 1u);
            const std::size_t record = bulk.Next();
            bulk.Statuses()[record] = 0;
            for (int field : {HotelId, Money, Id, Time})
                bulk.Nulls(field)[record] = field == Id ? 1 : 0;
            bulk.Integers(HotelId)[record] = row.hotelId;
            bulk.Integers(Money)[record] = row.money;
            bulk.Integers(Time)[record] = 10;
            bulk.Put(Name, row.name);
            bulk.Put(Date, row.date);
            if (row.keep)
                bulk.Keep();
        }
        EXPECT_EQ(bulk.Next(), 4u);
        EXPECT_EQ(ErrorOf([&] { bulk.Put(Date, std::string("x")); }),
                  "Invalid value for field 'DATE'");
    }
    EXPECT_EQ(table.RawRecordCount(), 4u) << "the record not kept is dropped";
    EXPECT_EQ(table.AutoIncCounter(), 7) << "the largest kept value, not 50";
    EXPECT_EQ(table.RawString(1, Name), "Sea View");
    EXPECT_EQ(table.RawDate(1, Date), 38353.0) << "a date keeps its whole day";
    EXPECT_EQ(table.RawString(2, Name), "12") << "an integer becomes its text";
    EXPECT_EQ(table.RawDate(2, Date), 38353.0) << "a text becomes its day";
    EXPECT_TRUE(table.RawIsNull(3, Name));
    EXPECT_TRUE(table.RawIsNull(3, Date));
    EXPECT_TRUE(table.RawIsNull(3, Id));
    table.RawResync();
    EXPECT_EQ(Column(table, "HOTEL_ID"), (std::vector<int>{0, 7, 5}))
        << "kept records join the filtered view";
}

// Integer fields are written through Integers() by the reader, but a value
// put through Put lands in them as RawAppendRecord would store it.
TEST_F(RawRecordAccessTest, ABulkAppendPutsAnyValueIntoAnIntegerField)
{
    const int hotelId = 0, name = 1, money = 2, id = 3, date = 4, time = 5;
    {
        TvekCustomMemTable::TRawBulkAppend bulk(table);
        ASSERT_GE(bulk.MakeRoom(2), 2u);
        for (const TFieldValue &value : {TFieldValue{std::int32_t{4500}}, TFieldValue{}}) {
            const std::size_t record = bulk.Next();
            bulk.Statuses()[record] = 0;
            bulk.Put(hotelId, std::int32_t{9});
            bulk.Put(money, value);
            bulk.Put(id, std::string("17"));
            bulk.Put(time, 10.0);
            bulk.Put(name, std::monostate{});
            bulk.Put(date, std::monostate{});
            bulk.Keep();
        }
    }
    ASSERT_EQ(table.RawRecordCount(), 2u);
    EXPECT_EQ(table.RawInteger(0, hotelId), 9);
    EXPECT_EQ(table.RawInteger(0, money), 4500);
    EXPECT_TRUE(table.RawIsNull(1, money));
    EXPECT_EQ(table.RawInteger(0, id), 17) << "a text becomes its number";
    EXPECT_EQ(table.RawInteger(0, time), 10) << "a whole real number becomes the integer";
    EXPECT_EQ(table.AutoIncCounter(), 9);
}

TEST_F(RawRecordAccessTest, ABulkAppendNeedsAnOpenTable)
{
    table.Close();
    EXPECT_EQ(ErrorOf([&] { TvekCustomMemTable::TRawBulkAppend bulk(table); }),
              "tHotel: Cannot perform this operation on a closed dataset");
}

TEST(SaveFlagsTest, ASetOfFlags)
{
    TvekMemTableSaveFlags flags{sfSaveData, sfSaveDef};
    EXPECT_TRUE(flags.Contains(sfSaveData));
    EXPECT_TRUE(flags.Contains(sfSaveDef));
    EXPECT_FALSE(flags.Contains(sfSaveAppend));
    EXPECT_EQ(flags.Bits(), 0x21u);
    flags.Exclude(sfSaveDef);
    EXPECT_EQ(flags, TvekMemTableSaveFlags{sfSaveData});
    EXPECT_EQ(TvekMemTable().SaveOptions, TvekMemTableSaveFlags{sfSaveData});
}

} // namespace
