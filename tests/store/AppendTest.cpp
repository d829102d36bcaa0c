#include "MemTableRecorder.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class AppendTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddHotelFields(table);
        table.Open();
    }

    TvekMemTable table{"tHotel"};
};

TEST_F(AppendTest, StepsRunInTheirOrder)
{
    TMemTableRecorder recorder(table);
    table.OnNewRecord = [&](TDataSet &) {
        recorder.log.push_back("OnNewRecord");
        // The defaults are in place, the autoincrement value is not yet.
        EXPECT_EQ(table.FieldNamed("MONEY").AsInteger(), 50000);
        EXPECT_TRUE(table.FieldNamed("HOTEL_ID").IsNull());
        table.FieldNamed("HOTEL_ID").SetAsInteger(77);
    };
    table.Append();
    EXPECT_EQ(recorder.Take(),
              (Log{"BeforeInsert", "BeforeScroll", "nkUpdateState", "nkFieldChange:MONEY",
                   "nkFieldChange:ID", "nkFieldChange:TIME", "OnNewRecord",
                   "nkFieldChange:HOTEL_ID", "nkDataSetChange", "AfterInsert", "AfterScroll"}));
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_FALSE(table.Modified());
    EXPECT_EQ(table.FieldNamed("HOTEL_ID").AsInteger(), 0) << "the counter + 1 overwrites";
    EXPECT_EQ(table.FieldNamed("MONEY").AsInteger(), 50000);
    EXPECT_EQ(table.FieldNamed("ID").AsInteger(), 0);
    EXPECT_FALSE(table.FieldNamed("ID").IsNull());
    EXPECT_EQ(table.FieldNamed("TIME").AsInteger(), 10);
    EXPECT_TRUE(table.FieldNamed("NAME").IsNull());
    EXPECT_TRUE(table.FieldNamed("DATE").IsNull());
    EXPECT_FALSE(table.IsEmpty());
}

TEST_F(AppendTest, DefaultsAreTakenLiterally)
{
    TvekMemTable floors{"tFloor"};
    floors.AddField<TStringField>("STUFF", 4).DefaultExpression = "0000";
    floors.AddField<TIntegerField>("DIRTY_STATION").DefaultExpression = "-1";
    floors.AddField<TStringField>("SUM", 10).DefaultExpression = "1+1";
    floors.AddField<TDateField>("DAY").DefaultExpression = "2005-01-01";
    floors.Open();
    floors.Append();
    EXPECT_EQ(floors.FieldNamed("STUFF").AsString(), "0000");
    EXPECT_EQ(floors.FieldNamed("DIRTY_STATION").AsInteger(), -1);
    EXPECT_EQ(floors.FieldNamed("SUM").AsString(), "1+1");
    EXPECT_EQ(floors.FieldNamed("DAY").AsDateTime(), 38353.0);
}

TEST_F(AppendTest, ADefaultThatDoesNotConvertFailsAndAddsNothing)
{
    table.FieldNamed("TIME").DefaultExpression = "ten";
    TMemTableRecorder recorder(table);
    EXPECT_EQ(ErrorOf([&] { table.Append(); }), "Invalid value for field 'TIME'");
    EXPECT_EQ(recorder.Take(),
              (Log{"BeforeInsert", "BeforeScroll", "nkUpdateState", "nkFieldChange:MONEY",
                   "nkFieldChange:ID", "nkUpdateState", "nkDataSetChange"}));
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_FALSE(table.Modified()) << "the defaults assigned went with the record";
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_EQ(table.RawRecordCount(), 0u);
}

TEST_F(AppendTest, AnErrorFromOnNewRecordDropsTheRecordAndKeepsTheCounter)
{
    AddRecord(table, {});
    struct Abort
    {
    };
    table.OnNewRecord = [](TDataSet &) { throw Abort{}; };
    EXPECT_THROW(table.Append(), Abort);
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_FALSE(table.Modified());
    EXPECT_EQ(table.RawRecordCount(), 1u);
    EXPECT_EQ(table.FieldNamed("HOTEL_ID").AsInteger(), 0) << "the view was re-read";
    EXPECT_FALSE(table.AtEnd());
    table.OnNewRecord = nullptr;
    table.Append();
    EXPECT_EQ(table.FieldNamed("HOTEL_ID").AsInteger(), 1);
}

TEST_F(AppendTest, LeavingWithoutAChangeDropsTheNewRecord)
{
    AddRecord(table, {{"MONEY", 1}});
    table.Append();
    TMemTableRecorder recorder(table);
    table.First();
    EXPECT_EQ(recorder.Take(),
              (Log{"nkCheckBrowseMode", "nkCheckBrowseMode", "BeforeCancel", "BeforeScroll",
                   "nkUpdateState", "nkDataSetChange", "AfterCancel", "AfterScroll", "BeforeScroll",
                   "nkDataSetChange", "AfterScroll"}));
    EXPECT_EQ(table.RawRecordCount(), 1u);
}

TEST_F(AppendTest, LeavingAfterAChangePostsTheNewRecordFirst)
{
    table.Append();
    table.FieldNamed("NAME").SetAsString("Sea View");
    TMemTableRecorder recorder(table);
    table.Append();
    const Log log = recorder.Take();
    const Log head(log.begin(), log.begin() + 7);
    EXPECT_EQ(head, (Log{"nkCheckBrowseMode", "nkUpdateRecord", "nkCheckBrowseMode", "BeforePost",
                         "nkUpdateState", "nkDataSetChange", "AfterPost"}));
    EXPECT_EQ(table.RawRecordCount(), 1u);
    EXPECT_EQ(table.FieldNamed("HOTEL_ID").AsInteger(), 1);
}

TEST_F(AppendTest, EditOnAnEmptyViewBeginsANewRecord)
{
    int newRecords = 0;
    table.OnNewRecord = [&](TDataSet &) { ++newRecords; };
    table.Edit();
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_EQ(newRecords, 1);
    table.FieldNamed("NAME").SetAsString("Harbour");
    table.Post();
    EXPECT_EQ(table.RawRecordCount(), 1u);
    EXPECT_EQ(table.FieldNamed("NAME").AsString(), "Harbour");
}

} // namespace
