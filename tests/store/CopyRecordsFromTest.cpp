#include "MemTableRecorder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

void AddFloorFields(TvekMemTable &table)
{
    table.AddField<TIntegerField>("ID");
    table.AddField<TIntegerField>("HOTEL_ID");
    table.AddField<TIntegerField>("FLOOR_ID");
    table.AddField<TIntegerField>("DIRTY").DefaultExpression = "100";
    table.AddField<TStringField>("STUFF", 4).DefaultExpression = "0000";
}

class CopyRecordsFromTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddFloorFields(tFloor);
        AddFloorFields(tCurrFloor);
        tFloor.Open();
        tCurrFloor.Open();
        for (int storey : {0, 1, 2}) {
            tFloor.Append();
            tFloor.FieldNamed("ID").SetAsInteger(storey + 10);
            tFloor.FieldNamed("FLOOR_ID").SetAsInteger(storey);
            tFloor.FieldNamed("DIRTY").SetAsInteger(50 + storey);
            tFloor.FieldNamed("STUFF").SetAsString("1010");
            tFloor.Post();
        }
    }

    TvekMemTable tFloor{"tFloor"};
    TvekMemTable tCurrFloor{"tCurrFloor"};
};

TEST_F(CopyRecordsFromTest, CopiesTheCurrentRecordAndMovesTheSourceOn)
{
    ASSERT_TRUE(tFloor.Locate("FLOOR_ID", 1));
    TMemTableRecorder recorder(tCurrFloor);
    int nextId = 100;
    tCurrFloor.OnNewRecord = [&](TDataSet &) {
        recorder.log.push_back("OnNewRecord");
        tCurrFloor.FieldNamed("ID").SetAsInteger(nextId++);
    };
    EXPECT_EQ(tCurrFloor.CopyRecordsFrom(&tFloor, 1), 1);
    EXPECT_EQ(nextId, 101) << "the copy appends, so a new-record handler runs";
    EXPECT_EQ(tCurrFloor.FieldNamed("ID").AsInteger(), 11) << "the copied ID overwrites";
    EXPECT_EQ(tCurrFloor.FieldNamed("FLOOR_ID").AsInteger(), 1);
    EXPECT_EQ(tCurrFloor.FieldNamed("DIRTY").AsInteger(), 51);
    EXPECT_EQ(tCurrFloor.FieldNamed("STUFF").AsString(), "1010");
    EXPECT_TRUE(tCurrFloor.FieldNamed("HOTEL_ID").IsNull()) << "null stays null";
    EXPECT_EQ(tCurrFloor.State(), tsBrowse);
    EXPECT_EQ(tFloor.FieldNamed("FLOOR_ID").AsInteger(), 2);
    EXPECT_FALSE(tFloor.AtEnd());
    const Log log = recorder.Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "BeforePost"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "OnNewRecord"), 1);
}

TEST_F(CopyRecordsFromTest, CopyingTheLastRecordSetsTheSourceAtEnd)
{
    tFloor.Locate("FLOOR_ID", 2);
    EXPECT_EQ(tCurrFloor.CopyRecordsFrom(&tFloor, 1), 1);
    EXPECT_TRUE(tFloor.AtEnd());
    EXPECT_EQ(tFloor.FieldNamed("FLOOR_ID").AsInteger(), 2) << "the last record stays current";
    EXPECT_EQ(tCurrFloor.CopyRecordsFrom(&tFloor, 1), 0) << "nothing when AtEnd is true";
    EXPECT_EQ(tCurrFloor.RawRecordCount(), 1u);
}

TEST_F(CopyRecordsFromTest, LimitAndTheSourcesFilter)
{
    tFloor.First();
    EXPECT_EQ(tCurrFloor.CopyRecordsFrom(&tFloor, 0), 3);
    tFloor.SetFilter("FLOOR_ID = 1");
    tFloor.SetFiltered(true);
    EXPECT_EQ(tCurrFloor.CopyRecordsFrom(&tFloor, -1), 1);
    EXPECT_EQ(Column(tCurrFloor, "FLOOR_ID"), (std::vector<int>{0, 1, 2, 1}))
        << "the target is not emptied first";
}

TEST_F(CopyRecordsFromTest, NothingFromItselfOrFromNoTable)
{
    tFloor.First();
    EXPECT_EQ(tFloor.CopyRecordsFrom(&tFloor, 1), 0);
    EXPECT_EQ(tFloor.CopyRecordsFrom(nullptr, 1), 0);
    EXPECT_EQ(tFloor.RawRecordCount(), 3u);
}

TEST_F(CopyRecordsFromTest, FieldsMatchByNameAndConvertAcrossClasses)
{
    TvekMemTable other{"tOther"};
    other.AddField<TAutoIncField>("id");
    other.AddField<TStringField>("floor_id", 5);
    other.AddField<TIntegerField>("STUFF");
    other.AddField<TIntegerField>("ONLY_HERE");
    other.Open();
    other.Append();
    other.FieldNamed("ID").SetAsInteger(500);
    other.Post();
    tFloor.First();
    EXPECT_EQ(other.CopyRecordsFrom(&tFloor, 1), 1);
    EXPECT_EQ(other.FieldNamed("ID").AsInteger(), 501)
        << "an autoincrement target keeps its own number";
    EXPECT_EQ(other.FieldNamed("FLOOR_ID").AsString(), "0");
    EXPECT_EQ(other.FieldNamed("STUFF").AsInteger(), 1010);
    EXPECT_TRUE(other.FieldNamed("ONLY_HERE").IsNull());
}

TEST(CopyRecordsFromValuesTest, SameClassByValueOtherClassAsText)
{
    // Each source field meets a target field of the same name: of its own
    // class it is copied by value, so null stays null; of another class as
    // text, so a null integer or date becomes an empty text in a string field.
    TvekMemTable source{"tSource"};
    source.AddField<TStringField>("NAME", 10);
    source.AddField<TIntegerField>("NUMBER");
    source.AddField<TDateField>("DAY");
    source.AddField<TStringField>("DAY_TEXT", 10);
    TvekMemTable target{"tTarget"};
    target.AddField<TStringField>("NAME", 10);
    target.AddField<TStringField>("NUMBER", 10);
    target.AddField<TStringField>("DAY", 10);
    target.AddField<TDateField>("DAY_TEXT");
    source.Open();
    target.Open();
    source.Append();
    source.FieldNamed("NAME").SetAsString("x");
    source.FieldNamed("NAME").Clear();
    source.Post();
    source.Append();
    source.FieldNamed("NAME").SetAsString("Lobby");
    source.FieldNamed("NUMBER").SetAsInteger(-42);
    source.FieldNamed("DAY").SetAsDateTime(38353); // 2005-01-01
    source.FieldNamed("DAY_TEXT").SetAsString("2005-01-01");
    source.Post();
    source.First();
    ASSERT_EQ(target.CopyRecordsFrom(&source, 0), 2);

    struct Case
    {
        const char *field;
        bool null[2];
        const char *text[2];
    };
    const Case cases[] = {
        {"NAME", {true, false}, {"", "Lobby"}},
        {"NUMBER", {false, false}, {"", "-42"}},
        {"DAY", {false, false}, {"", "2005-01-01"}},
        {"DAY_TEXT", {true, false}, {"", "2005-01-01"}},
    };
    for (const Case &c : cases) {
        target.First();
        for (int record = 0; record < 2; ++record, target.Next()) {
            SCOPED_TRACE(std::string(c.field) + " of record " + std::to_string(record));
            EXPECT_EQ(target.FieldNamed(c.field).IsNull(), c.null[record]);
            EXPECT_EQ(target.FieldNamed(c.field).AsString(), c.text[record]);
        }
    }
}

} // namespace
