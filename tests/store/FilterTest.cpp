#include "MemTableRecorder.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;
using Ids = std::vector<int>;

class FilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddField<TIntegerField>("ID");
        table.AddField<TIntegerField>("HOTEL_ID");
        table.AddField<TStringField>("CODE", 8);
        table.Open();
        const int hotels[] = {0, 1, 0, -1, 1, 0};
        for (int i = 0; i < 6; ++i)
            AddRecord(table, {{"ID", i + 1}, {"HOTEL_ID", hotels[i]}});
    }
    int CurrentId() { return table.FieldNamed("ID").AsInteger(); }

    TvekMemTable table{"tRoom"};
};

TEST_F(FilterTest, AcceptedTexts)
{
    struct Case
    {
        const char *text;
        Ids visible;
    };
    const Case cases[] = {
        {"HOTEL_ID = 0", {1, 3, 6}}, {"HOTEL_ID=1", {2, 5}},   {"  hotel_id =  -1 ", {4}},
        {"HOTEL_ID\t=\r\n-1", {4}},  {"HOTEL_ID = 7", {}},     {"HOTEL_ID = 99999999999", {}},
        {"ID = 0006", {6}},          {"", {1, 2, 3, 4, 5, 6}}, {"   ", {1, 2, 3, 4, 5, 6}},
    };
    table.SetFiltered(true);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        table.SetFilter(c.text);
        EXPECT_EQ(table.Filter(), c.text);
        EXPECT_EQ(Column(table, "ID"), c.visible);
    }
}

TEST_F(FilterTest, RefusedTexts)
{
    struct Case
    {
        const char *text;
        const char *message;
    };
    const Case cases[] = {
        {"HOTEL_ID <> 1", "Invalid filter expression character: '<'"},
        {"HOTEL_ID = 1.5", "Invalid filter expression character: '.'"},
        {"HOTEL_ID = '1'", "Invalid filter expression character: '''"},
        {"HOTEL_ID = - 1", "Invalid filter expression character: '-'"},
        {"-1 = HOTEL_ID", "Invalid filter expression character: '-'"},
        {"HOTEL_ID = \xe9", "Invalid filter expression character: '\xe9'"},
        {"MISSING = 1", "tRoom: Field 'MISSING' not found"},
        {"HOTEL_ID = ", "Invalid filter expression: 'HOTEL_ID ='"},
        {"HOTEL_ID 1", "Invalid filter expression: 'HOTEL_ID 1'"},
        {"1 = HOTEL_ID", "Invalid filter expression: '1 = HOTEL_ID'"},
        {"HOTEL_ID = 1 2", "Invalid filter expression: 'HOTEL_ID = 1 2'"},
    };
    table.SetFilter("HOTEL_ID = 1");
    table.SetFiltered(true);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ErrorOf([&] { table.SetFilter(c.text); }), c.message);
        EXPECT_EQ(table.Filter(), "HOTEL_ID = 1") << "the filter in force stays";
        EXPECT_EQ(Column(table, "ID"), (Ids{2, 5}));
    }
}

TEST_F(FilterTest, AFilterIsOnlyInForceWhileFiltered)
{
    table.SetFilter("HOTEL_ID = -1");
    EXPECT_FALSE(table.Filtered());
    EXPECT_EQ(Column(table, "ID"), (Ids{1, 2, 3, 4, 5, 6}));
    table.SetFiltered(true);
    EXPECT_EQ(CurrentId(), 4);
    table.SetFiltered(false);
    EXPECT_EQ(CurrentId(), 1);
}

TEST_F(FilterTest, ChangingTheFilterGoesToTheFirstVisibleRecord)
{
    table.SetFiltered(true);
    table.Locate("ID", 6);
    TMemTableRecorder recorder(table);
    table.SetFilter("HOTEL_ID = 1");
    EXPECT_EQ(recorder.Take(), (Log{"BeforeScroll", "nkDataSetChange", "AfterScroll"}));
    EXPECT_EQ(CurrentId(), 2);
    table.SetFiltered(false);
    table.Locate("ID", 6);
    recorder.Take();
    table.SetFilter("HOTEL_ID = 0");
    EXPECT_TRUE(recorder.Take().empty()) << "an unfiltered table does not move";
    EXPECT_EQ(CurrentId(), 6);
}

TEST_F(FilterTest, AFilterSetOnAClosedTableIsParsedAtOpen)
{
    table.Close();
    table.SetFilter("NOWHERE = 1");
    table.SetFiltered(true);
    EXPECT_THROW(table.Open(), EDatabaseError);
    EXPECT_FALSE(table.Active());
    table.SetFilter("HOTEL_ID = 2");
    table.Open();
    AddRecord(table, {{"ID", 1}, {"HOTEL_ID", 2}});
    AddRecord(table, {{"ID", 2}, {"HOTEL_ID", 3}});
    EXPECT_EQ(Column(table, "ID"), (Ids{1}));
}

TEST_F(FilterTest, APostedRecordThatFailsTheFilterStaysCurrentUntilTheCursorMoves)
{
    table.SetFilter("HOTEL_ID = 0");
    table.SetFiltered(true);
    table.Next(); // ID 3
    table.Edit();
    table.FieldNamed("HOTEL_ID").SetAsInteger(1);
    table.Post();
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_FALSE(table.AtEnd());
    table.Next();
    EXPECT_EQ(CurrentId(), 6);
    table.First();
    EXPECT_EQ(CurrentId(), 1);

    table.Append();
    table.FieldNamed("ID").SetAsInteger(7);
    table.FieldNamed("HOTEL_ID").SetAsInteger(5);
    table.Post();
    EXPECT_EQ(CurrentId(), 7) << "the appended record is current though hidden";
    EXPECT_EQ(Column(table, "ID"), (Ids{1, 6}));
}

TEST_F(FilterTest, DeleteOnAFilteredViewGoesToTheNextVisibleRecord)
{
    table.SetFilter("HOTEL_ID = 0");
    table.SetFiltered(true);
    table.Delete(); // ID 1; ID 2 follows in table order but is hidden
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_FALSE(table.AtEnd());
    table.Locate("ID", 6);
    table.Delete();
    EXPECT_EQ(CurrentId(), 3) << "no visible record follows: the last visible one";
    table.Delete();
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_TRUE(table.AtEnd());
    table.SetFiltered(false);
    EXPECT_EQ(Column(table, "ID"), (Ids{2, 4, 5}));
}

TEST_F(FilterTest, NullAndTextFields)
{
    table.Append();
    table.FieldNamed("ID").SetAsInteger(8);
    table.FieldNamed("CODE").SetAsString("12");
    table.Post();
    table.SetFiltered(true);
    table.SetFilter("CODE = 12");
    EXPECT_EQ(Column(table, "ID"), (Ids{8}));
    table.SetFilter("HOTEL_ID = 0");
    EXPECT_EQ(Column(table, "ID"), (Ids{1, 3, 6})) << "a null field never passes";
}

} // namespace
