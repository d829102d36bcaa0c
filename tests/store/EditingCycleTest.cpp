#include "MemTableRecorder.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class EditingCycleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddField<TAutoIncField>("ID");
        table.AddField<TIntegerField>("HOTEL_ID");
        table.AddField<TIntegerField>("VALUE");
        table.Open();
        for (int hotel : {0, 1, 0, 1, 0})
            AddRecord(table, {{"HOTEL_ID", hotel}, {"VALUE", 100}});
    }

    int CurrentId() { return table.FieldNamed("ID").AsInteger(); }

    TvekMemTable table{"tRoom"};
};

TEST_F(EditingCycleTest, EditThenPostKeepsTheRecordCurrentAndInPlace)
{
    table.Locate("ID", 2);
    TMemTableRecorder recorder(table);
    table.Edit();
    EXPECT_EQ(recorder.Take(), (Log{"BeforeEdit", "nkUpdateState", "nkRecordChange", "AfterEdit"}));
    EXPECT_FALSE(table.Modified());
    table.Edit();
    EXPECT_TRUE(recorder.Take().empty()) << "Edit while editing does nothing";
    table.FieldNamed("VALUE").SetAsInteger(7);
    EXPECT_TRUE(table.Modified());
    table.Post();
    EXPECT_EQ(recorder.Take(),
              (Log{"nkFieldChange:VALUE", "nkUpdateRecord", "nkCheckBrowseMode", "BeforePost",
                   "nkUpdateState", "nkDataSetChange", "AfterPost"}));
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_EQ(table.FieldNamed("VALUE").AsInteger(), 7);
    EXPECT_EQ(Column(table, "ID"), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(EditingCycleTest, PostOfAnAppendedRecordMakesItCurrent)
{
    table.First();
    table.Append();
    table.FieldNamed("VALUE").SetAsInteger(1);
    table.Post();
    EXPECT_EQ(CurrentId(), 5);
    EXPECT_FALSE(table.AtEnd());
    table.Next();
    EXPECT_TRUE(table.AtEnd());
}

TEST_F(EditingCycleTest, BeforePostThatRaisesLeavesTheRecordUnstored)
{
    struct Refused
    {
    };
    bool refuse = true;
    table.BeforePost = [&](TDataSet &) {
        if (refuse)
            throw Refused{};
    };
    table.Append();
    table.FieldNamed("VALUE").SetAsInteger(9);
    table.FieldNamed("ID").SetAsInteger(40);
    EXPECT_THROW(table.Post(), Refused);
    EXPECT_EQ(table.State(), tsInsert);
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(table.FieldNamed("VALUE").AsInteger(), 9);
    EXPECT_EQ(table.RawRecordCount(), 5u);
    EXPECT_EQ(table.AutoIncCounter(), 4);

    // The next step that leaves the edit state posts again.
    EXPECT_THROW(table.First(), Refused);
    EXPECT_EQ(table.State(), tsInsert);
    refuse = false;
    table.First();
    EXPECT_EQ(table.RawRecordCount(), 6u);
    EXPECT_EQ(table.AutoIncCounter(), 40);

    refuse = true;
    table.Edit();
    table.FieldNamed("VALUE").SetAsInteger(1);
    EXPECT_THROW(table.Post(), Refused);
    EXPECT_EQ(table.State(), tsEdit);
    table.Cancel();
    EXPECT_EQ(table.FieldNamed("VALUE").AsInteger(), 100);
}

TEST_F(EditingCycleTest, CancelRestoresTheStoredValues)
{
    table.Locate("ID", 3);
    table.Edit();
    table.FieldNamed("VALUE").SetAsInteger(1);
    TMemTableRecorder recorder(table);
    table.Cancel();
    EXPECT_EQ(recorder.Take(), (Log{"nkCheckBrowseMode", "BeforeCancel", "nkUpdateState",
                                    "nkDataSetChange", "AfterCancel"}));
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(table.FieldNamed("VALUE").AsInteger(), 100);
    table.Cancel();
    EXPECT_TRUE(recorder.Take().empty()) << "Cancel in tsBrowse does nothing";
}

TEST_F(EditingCycleTest, CancelOfANewRecordGoesToTheLastRecord)
{
    table.First();
    table.Append();
    table.FieldNamed("VALUE").SetAsInteger(1);
    table.Cancel();
    EXPECT_EQ(table.RawRecordCount(), 5u);
    EXPECT_EQ(CurrentId(), 4);
    EXPECT_FALSE(table.AtEnd());
}

TEST_F(EditingCycleTest, DeleteMakesTheFollowingRecordCurrent)
{
    struct Case
    {
        const char *name;
        int deleted;
        int current; // -1: the view is empty
    };
    const Case cases[] = {
        {"first", 0, 1},
        {"middle", 2, 3},
        {"last", 4, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable t{"tRoom"};
        t.AddField<TAutoIncField>("ID");
        t.Open();
        for (int i = 0; i < 5; ++i)
            AddRecord(t, {});
        ASSERT_TRUE(t.Locate("ID", c.deleted));
        TMemTableRecorder recorder(t);
        t.Delete();
        EXPECT_EQ(recorder.Take(), (Log{"nkCheckBrowseMode", "BeforeDelete", "BeforeScroll",
                                        "nkDataSetChange", "AfterDelete", "AfterScroll"}));
        EXPECT_EQ(t.FieldNamed("ID").AsInteger(), c.current);
        EXPECT_FALSE(t.AtEnd());
        EXPECT_EQ(t.RawRecordCount(), 4u);
    }
}

TEST_F(EditingCycleTest, DeletingTheOnlyRecordEmptiesTheView)
{
    TvekMemTable t{"tRoom"};
    t.AddField<TIntegerField>("ID");
    t.Open();
    AddRecord(t, {{"ID", 1}});
    t.Delete();
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.AtEnd());
    EXPECT_EQ(ErrorOf([&] { t.Delete(); }),
              "tRoom: Cannot perform this operation on an empty dataset");
}

TEST_F(EditingCycleTest, DeleteDuringAppendOnlyCancels)
{
    table.Append();
    table.FieldNamed("VALUE").SetAsInteger(3);
    table.Delete();
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(table.RawRecordCount(), 5u);
}

TEST_F(EditingCycleTest, DeleteDuringEditDropsTheChange)
{
    table.Locate("ID", 1);
    table.Edit();
    table.FieldNamed("VALUE").SetAsInteger(3);
    TMemTableRecorder recorder(table);
    table.Delete();
    EXPECT_EQ(recorder.Take(),
              (Log{"nkCheckBrowseMode", "BeforeDelete", "BeforeScroll", "nkUpdateState",
                   "nkDataSetChange", "AfterDelete", "AfterScroll"}));
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_EQ(table.AutoIncCounter(), 4) << "Delete never lowers the counter";
}

TEST_F(EditingCycleTest, AWalkThatDeletesEveryRecordOfOneHotel)
{
    table.Locate("ID", 3); // the cursor stands anywhere before the walk
    table.First();
    while (!table.AtEnd()) {
        if (table.FieldNamed("HOTEL_ID").AsInteger() == 0)
            table.Delete();
        else
            table.Next();
    }
    EXPECT_EQ(Column(table, "ID"), (std::vector<int>{1, 3}));
}

TEST_F(EditingCycleTest, FailureMessagesNameTheTable)
{
    table.First();
    EXPECT_EQ(ErrorOf([&] { table.FieldNamed("VALUE").SetAsInteger(1); }),
              "tRoom: Dataset is not in edit mode.");
    EXPECT_EQ(ErrorOf([&] { table.FieldNamed("VALUE").Clear(); }),
              "tRoom: Dataset is not in edit mode.");
    EXPECT_EQ(ErrorOf([&] { table.Post(); }), "tRoom: Dataset not in edit or insert mode");
    EXPECT_EQ(table.FieldNamed("VALUE").AsInteger(), 100);
}

TEST_F(EditingCycleTest, ErrorsFromBeforeHandlersStopBeforeAnyChange)
{
    struct Refused
    {
    };
    table.First();
    table.BeforeEdit = [](TDataSet &) { throw Refused{}; };
    EXPECT_THROW(table.Edit(), Refused);
    EXPECT_EQ(table.State(), tsBrowse);
    table.BeforeInsert = [](TDataSet &) { throw Refused{}; };
    EXPECT_THROW(table.Append(), Refused);
    EXPECT_EQ(table.State(), tsBrowse);
    table.BeforeDelete = [](TDataSet &) { throw Refused{}; };
    EXPECT_THROW(table.Delete(), Refused);
    EXPECT_EQ(table.RawRecordCount(), 5u);
    EXPECT_EQ(CurrentId(), 0);
}

} // namespace
