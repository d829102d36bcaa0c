#include "MemTableRecorder.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class LocateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddField<TIntegerField>("ID");
        table.AddField<TIntegerField>("HOTEL_ID");
        table.AddField<TIntegerField>("FLOOR_ID");
        table.AddField<TStringField>("NAME", 10);
        table.AddField<TDateField>("DATE");
        table.Open();
        const int rows[][3] = {{1, 0, 0}, {2, 0, 1}, {3, 1, 0}, {4, 1, 1}, {5, 0, 1}};
        for (const auto &row : rows)
            AddRecord(table, {{"ID", row[0]}, {"HOTEL_ID", row[1]}, {"FLOOR_ID", row[2]}});
        table.First();
    }
    int CurrentId() { return table.FieldNamed("ID").AsInteger(); }

    TvekMemTable table{"tFloor"};
};

TEST_F(LocateTest, FindsTheFirstMatchInTableOrder)
{
    table.Locate("ID", 5);
    TMemTableRecorder recorder(table);
    EXPECT_TRUE(table.Locate("FLOOR_ID", 1));
    EXPECT_EQ(recorder.Take(), (Log{"BeforeScroll", "nkDataSetChange", "AfterScroll"}));
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_FALSE(table.AtEnd());
}

TEST_F(LocateTest, SeveralKeyFields)
{
    EXPECT_TRUE(table.Locate("hotel_id;Floor_ID", {1, 1}));
    EXPECT_EQ(CurrentId(), 4);
    EXPECT_TRUE(table.Locate(" HOTEL_ID ; FLOOR_ID ;", TVariant::List{0, 1}));
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_TRUE(table.Locate("ID", {3}));
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_TRUE(table.Locate("ID", "4")) << "a text key is converted to the field's type";
    EXPECT_EQ(CurrentId(), 4);
}

TEST_F(LocateTest, WithoutAMatchTheCursorStays)
{
    table.Next();
    table.Next();
    table.Next();
    table.Next();
    table.Next();
    ASSERT_TRUE(table.AtEnd());
    TMemTableRecorder recorder(table);
    EXPECT_FALSE(table.Locate("ID", 9));
    EXPECT_EQ(recorder.Take(), (Log{"BeforeScroll"}));
    EXPECT_EQ(CurrentId(), 5);
    EXPECT_TRUE(table.AtEnd());
}

TEST_F(LocateTest, NeverFindsARecordTheFilterHides)
{
    table.SetFilter("HOTEL_ID = 1");
    table.SetFiltered(true);
    EXPECT_FALSE(table.Locate("ID", 2));
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_TRUE(table.Locate("FLOOR_ID", 1));
    EXPECT_EQ(CurrentId(), 4);
}

TEST_F(LocateTest, NullAndOtherTypes)
{
    EXPECT_TRUE(table.Locate("NAME", TVariant()));
    EXPECT_EQ(CurrentId(), 1);
    table.Edit();
    table.FieldNamed("NAME").SetAsString("Lobby");
    table.FieldNamed("DATE").SetAsDateTime(38353);
    table.Post();
    table.First();
    table.Next();
    EXPECT_TRUE(table.Locate("NAME", "Lobby"));
    EXPECT_EQ(CurrentId(), 1);
    table.Next();
    EXPECT_TRUE(table.Locate("DATE", 38353.4));
    EXPECT_EQ(CurrentId(), 1);
    EXPECT_FALSE(table.Locate("NAME", "lobby"));
}

TEST_F(LocateTest, EachKeyValueIsConvertedToItsFieldsType)
{
    // Record ID 2 gets a name of digits and the day 2005-01-01 (day number 38353).
    table.Locate("ID", 2);
    table.Edit();
    table.FieldNamed("NAME").SetAsString("12");
    table.FieldNamed("DATE").SetAsDateTime(38353);
    table.Post();
    struct Case
    {
        const char *keys;
        TVariant value;
        int foundId; // 0: no match
    };
    const Case cases[] = {
        {"DATE", 38353, 2},        // an integer is a day number
        {"DATE", 38353.99, 2},     // a time of day is dropped
        {"DATE", "2005-01-01", 2}, // a text is a short date
        {"DATE", 38354, 0},        // the next day
        {"NAME", 12, 2},           // an integer is its decimal text
        {"NAME", "12", 2},         //
        {"ID", "4", 4},            // a text is a decimal number
        {"ID", 4.0, 4},            // a whole floating value
        {"ID", 2147483647LL, 0},   // the largest integer a field holds
        {"ID", -2147483648LL, 0},  // the smallest
        {"ID;NAME", {2, 12}, 2},   //
        {"ID;NAME", {3, 12}, 0},   //
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " #" + std::to_string(&c - cases));
        table.Locate("ID", 5);
        EXPECT_EQ(table.Locate(c.keys, c.value), c.foundId != 0);
        EXPECT_EQ(CurrentId(), c.foundId != 0 ? c.foundId : 5);
    }
}

TEST_F(LocateTest, KeyValuesTheirFieldCannotHoldFail)
{
    struct Case
    {
        const char *keys;
        TVariant value;
        const char *message;
    };
    const Case cases[] = {
        {"ID", 2147483648LL, "'2147483648' is not a valid integer value for field 'ID'"},
        {"ID", -2147483649LL, "'-2147483649' is not a valid integer value for field 'ID'"},
        {"ID", 4.5, "Invalid value for field 'ID'"},
        {"DATE", 2147483647LL, "Invalid value for field 'DATE'"},
        {"DATE", "2005-13-01", "Invalid value for field 'DATE'"},
    };
    table.Locate("ID", 3);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ErrorOf([&] { table.Locate(c.keys, c.value); }), c.message);
        EXPECT_EQ(CurrentId(), 3);
    }
}

TEST_F(LocateTest, LeavesTheEditStateFirst)
{
    table.Edit();
    table.FieldNamed("FLOOR_ID").SetAsInteger(7);
    EXPECT_TRUE(table.Locate("FLOOR_ID", 7));
    EXPECT_EQ(table.State(), tsBrowse);
    EXPECT_EQ(CurrentId(), 1);
}

TEST_F(LocateTest, Failures)
{
    table.Locate("ID", 3);
    struct Case
    {
        const char *keys;
        TVariant values;
        const char *message;
        bool memTableError;
    };
    const Case cases[] = {
        {"MISSING", 1, "tFloor: Field 'MISSING' not found", false},
        {"ID;NOPE", TVariant::List{1, 2}, "tFloor: Field 'NOPE' not found", false},
        {"ID", TVariant::List{TVariant(TVariant::List{1})},
         "Values variant array has invalid dimension count", true},
        {"ID;HOTEL_ID", 1, "More fields than values", true},
        {"ID;HOTEL_ID", TVariant::List{1}, "More fields than values", true},
        {"", 1, "There must be at least one field", true},
        {" ; ", 1, "There must be at least one field", true},
        {"ID", "x", "'x' is not a valid integer value for field 'ID'", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys);
        try {
            table.Locate(c.keys, c.values);
            ADD_FAILURE() << "no error";
        } catch (const EMemTableError &error) {
            EXPECT_TRUE(c.memTableError);
            EXPECT_STREQ(error.what(), c.message);
        } catch (const EDatabaseError &error) {
            EXPECT_FALSE(c.memTableError);
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(CurrentId(), 3);
    }
}

TEST_F(LocateTest, AFieldThatIsNoDataFieldCannotBeAKey)
{
    table.Close();
    table.FieldNamed("NAME").FieldKind = fkCalculated;
    table.Open();
    EXPECT_EQ(ErrorOf([&] { table.Locate("NAME", "x"); }), "Can't index on field NAME");
}

} // namespace
