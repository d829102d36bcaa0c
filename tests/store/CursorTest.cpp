#include "MemTableRecorder.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class CursorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddField<TIntegerField>("ID");
        table.AddField<TIntegerField>("HOTEL_ID");
        table.Open();
    }

    TvekMemTable table{"tFloor"};
};

TEST_F(CursorTest, AFreshlyOpenedTableHasAnEmptyView)
{
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_TRUE(table.AtEnd());
    EXPECT_TRUE(table.FieldNamed("ID").IsNull());
    EXPECT_EQ(table.FieldNamed("ID").AsInteger(), 0);
    EXPECT_EQ(table.FieldNamed("ID").AsString(), "");
    table.First();
    EXPECT_TRUE(table.AtEnd());
    EXPECT_TRUE(table.IsEmpty());
}

TEST_F(CursorTest, NextOnTheLastRecordSetsAtEndAndKeepsIt)
{
    for (int id : {1, 2, 3})
        AddRecord(table, {{"ID", id}});
    TMemTableRecorder recorder(table);
    table.First();
    EXPECT_EQ(recorder.Take(), (Log{"BeforeScroll", "nkDataSetChange", "AfterScroll"}));
    EXPECT_EQ(table.FieldNamed("ID").AsInteger(), 1);
    table.Next();
    table.Next();
    EXPECT_EQ(table.FieldNamed("ID").AsInteger(), 3);
    EXPECT_FALSE(table.AtEnd());
    recorder.Take();

    table.Next();
    EXPECT_TRUE(table.AtEnd());
    EXPECT_FALSE(table.IsEmpty());
    EXPECT_EQ(table.FieldNamed("ID").AsInteger(), 3);
    EXPECT_EQ(recorder.Take(), (Log{"BeforeScroll", "nkDataSetScroll", "AfterScroll"}));

    table.Next();
    EXPECT_TRUE(table.AtEnd());
    EXPECT_EQ(table.FieldNamed("ID").AsInteger(), 3);
    EXPECT_EQ(recorder.Take(), (Log{"BeforeScroll"}));
}

TEST_F(CursorTest, WalkVisitsRecordsInTableOrder)
{
    for (int id : {5, 3, 9})
        AddRecord(table, {{"ID", id}});
    EXPECT_EQ(Column(table, "ID"), (std::vector<int>{5, 3, 9}));
}

TEST_F(CursorTest, CloseDiscardsRecordsAndKeepsTheFilter)
{
    AddRecord(table, {{"ID", 1}, {"HOTEL_ID", 0}});
    table.SetFilter("HOTEL_ID = 0");
    table.SetFiltered(true);
    TMemTableRecorder recorder(table);
    table.Close();
    EXPECT_EQ(recorder.Take(), (Log{"BeforeClose", "nkUpdateState", "AfterClose"}));
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(table.State(), tsInactive);
    EXPECT_EQ(table.Filter(), "HOTEL_ID = 0");
    EXPECT_TRUE(table.Filtered());
    EXPECT_EQ(table.RawRecordCount(), 0u) << "a closed table holds no record";
    table.Open();
    EXPECT_EQ(recorder.Take(), (Log{"BeforeOpen", "nkUpdateState", "AfterOpen"}));
    EXPECT_TRUE(table.IsEmpty());
    table.Open();
    table.Close();
    table.Close();
    EXPECT_EQ(recorder.Take(), (Log{"BeforeClose", "nkUpdateState", "AfterClose"}));
}

TEST_F(CursorTest, CloseDropsAnEditInProgress)
{
    AddRecord(table, {{"ID", 1}});
    table.Edit();
    table.FieldNamed("ID").SetAsInteger(2);
    TMemTableRecorder recorder(table);
    table.Close();
    EXPECT_EQ(recorder.Take(),
              (Log{"nkCheckBrowseMode", "BeforeCancel", "nkUpdateState", "nkDataSetChange",
                   "AfterCancel", "BeforeClose", "nkUpdateState", "AfterClose"}));
}

TEST_F(CursorTest, CloseDropsANewRecordInProgress)
{
    AddRecord(table, {{"ID", 1}});
    table.Append();
    table.FieldNamed("ID").SetAsInteger(2);
    TMemTableRecorder recorder(table);
    table.Close();
    EXPECT_EQ(recorder.Take(), (Log{"nkCheckBrowseMode", "BeforeCancel", "BeforeScroll",
                                    "nkUpdateState", "nkDataSetChange", "AfterCancel",
                                    "AfterScroll", "BeforeClose", "nkUpdateState", "AfterClose"}));
    table.Open();
    EXPECT_TRUE(table.IsEmpty());
}

TEST_F(CursorTest, OperationsOnAClosedTableFail)
{
    table.Close();
    const std::string closed = "tFloor: Cannot perform this operation on a closed dataset";
    const std::function<void()> operations[] = {
        [&] { table.First(); },  [&] { table.Next(); },   [&] { table.Edit(); },
        [&] { table.Append(); }, [&] { table.Delete(); }, [&] { table.Locate("ID", 1); },
    };
    for (const auto &operation : operations) {
        EXPECT_EQ(ErrorOf([&] { operation(); }), closed);
    }
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_TRUE(table.AtEnd());
}

} // namespace
