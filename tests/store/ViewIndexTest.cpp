#include "MemTableRecorder.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The table answers First, Next and Locate from an index of the visible
// records. After any mix of changes the answers must equal what testing
// every record in table order gives.
class ViewIndexTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddField<TAutoIncField>("ID");
        table.AddField<TIntegerField>("HOTEL_ID");
        table.AddField<TIntegerField>("FLOOR_ID");
        table.Open();
    }

    std::vector<int> ExpectedWalk()
    {
        std::vector<int> ids;
        for (std::size_t r = 0; r < table.RawRecordCount(); ++r)
            if (table.RawRecordVisible(r))
                ids.push_back(table.RawInteger(r, 0));
        return ids;
    }

    // The ID of the first visible record with this FLOOR_ID, -1 for none.
    int ExpectedLocate(int floor)
    {
        for (std::size_t r = 0; r < table.RawRecordCount(); ++r)
            if (table.RawRecordVisible(r) && !table.RawIsNull(r, 2) &&
                table.RawInteger(r, 2) == floor)
                return table.RawInteger(r, 0);
        return -1;
    }

    TvekMemTable table{"tRoom"};
};

TEST_F(ViewIndexTest, AnswersEqualATestOfEveryRecord)
{
    std::mt19937 random(20261209);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        switch (pick(9)) {
        case 0:
        case 1:
            AddRecord(table, {{"HOTEL_ID", pick(4) - 1}, {"FLOOR_ID", pick(5)}});
            break;
        case 2:
            if (!table.IsEmpty()) {
                table.Edit();
                table.FieldNamed(pick(2) ? "HOTEL_ID" : "FLOOR_ID").SetAsInteger(pick(4) - 1);
                table.Post();
            }
            break;
        case 3:
            if (!table.IsEmpty())
                table.Delete();
            break;
        case 4:
            table.SetFilter("HOTEL_ID = " + std::to_string(pick(4) - 1));
            break;
        case 5:
            table.SetFiltered(pick(3) != 0);
            break;
        case 6: {
            const TFieldValue values[] = {pick(100), pick(4) - 1, pick(5)};
            table.SuspendNotifications();
            table.RawAppendRecord(values, pick(4) == 0 ? 3 : 0);
            table.ResumeNotifications();
            table.RawResync();
            break;
        }
        case 7: {
            const int floor = pick(5);
            const int expected = ExpectedLocate(floor);
            EXPECT_EQ(table.Locate("FLOOR_ID", floor), expected >= 0);
            if (expected >= 0) {
                EXPECT_EQ(table.FieldNamed("ID").AsInteger(), expected);
            }
            break;
        }
        case 8:
            if (!table.AtEnd())
                table.Next();
            break;
        }
        if (step % 50 == 0) {
            ASSERT_EQ(Column(table, "ID"), ExpectedWalk());
            if (pick(20) == 0) {
                table.Close();
                table.Open();
            }
        }
    }
}

} // namespace
