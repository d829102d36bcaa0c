// Saved records the game cannot play soundly hold their own hotel and no other: it is named with
// the first fault at start, cannot be opened or deleted, and its records stay in the files as
// they were while the other hotels play a day and are saved.
#include "ModelFixture.h"
#include "model/HotelSaves.h"
#include "model/TableSchemas.h"

#include <functional>
#include <map>

namespace {

namespace fs = std::filesystem;

// Changes one field of the first record of a hotel in a table file, as an editor or a damaged
// disk might.
void Craft(const std::string &fileName, const std::string &table, int hotelId,
           const std::string &field, const std::string &value)
{
    TvekMemTable records(table);
    DefineGameTableFields(records, table);
    records.Open();
    records.ReadTableFile(fileName);
    for (records.First(); !records.AtEnd(); records.Next())
        if (records.FieldNamed("HOTEL_ID").AsInteger() == hotelId)
            break;
    records.Edit();
    records.FieldNamed(field).SetAsString(value);
    records.Post();
    records.WriteTableFile(fileName);
}

struct TCraftCase
{
    const char *name;
    const char *table;
    const char *field;
    const char *value;
    // What the start-up text says of the hotel, after its name.
    const char *said;
};

void PrintTo(const TCraftCase &c, std::ostream *out)
{
    *out << c.name;
}

class HeldHotelTest : public ModelTest, public testing::WithParamInterface<TCraftCase>
{
protected:
    // Two hotels of a floor and a three-cell room each, saved.
    void SetUp() override
    {
        ModelTest::SetUp();
        good = MakeHotel("Good");
        held = MakeHotel("Held");
        data.reset();
    }

    int MakeHotel(const std::string &name)
    {
        const int id = OpenNewHotel(name);
        SetMoney(100000);
        data->BuildFloor();
        data->SelectFloor(0);
        AddRoom(3, 0, 0);
        data->CloseHotel();
        return id;
    }

    int good = 0;
    int held = 0;
};

TEST_P(HeldHotelTest, HoldsItsHotelAloneAndKeepsItsRecordsAsTheyWere)
{
    const TCraftCase &c = GetParam();
    Craft(dir.Path + c.table + ".dht", c.table, held, c.field, c.value);
    std::map<std::string, std::vector<std::string>> before;
    for (const char *table : {"tHotel", "tFloor", "tRoom"})
        before[table] = RecordsOf(dir.Path + table + ".dht", table, good);

    StartModel();
    const std::string text = data->LoadErrorText();
    const auto line = text.find("Held: ");
    ASSERT_NE(line, std::string::npos) << text;
    EXPECT_NE(text.substr(line, text.find('\n', line) - line).find(c.said), std::string::npos)
        << text;
    EXPECT_EQ(text.find("Good:"), std::string::npos) << text;
    ASSERT_EQ(data->HeldHotels().size(), 1u);
    EXPECT_EQ(data->HeldHotels()[0].HotelId, held);

    // The held hotel is refused with its reason, for opening and for deleting.
    EXPECT_THROW(data->RefuseHeldHotel(held, "opened"), EAbort);
    ASSERT_FALSE(messages.Messages.empty());
    EXPECT_NE(messages.Messages.back().find("\"Held\" cannot be opened"), std::string::npos);
    EXPECT_THROW(data->RefuseHeldHotel(held, "deleted"), EAbort);

    // The other plays a day and is saved; the held one's records are untouched on disk.
    EXPECT_NO_THROW(data->RefuseHeldHotel(good, "opened"));
    data->SelectHotel(good);
    data->StartClock();
    data->RunHours(24);
    data->CloseHotel();
    data.reset();
    for (const char *table : {"tHotel", "tFloor", "tRoom"})
        EXPECT_EQ(RecordsOf(dir.Path + table + ".dht", table, good), before[table]) << table;
}

INSTANTIATE_TEST_SUITE_P(
    CraftedRecords, HeldHotelTest,
    testing::Values(
        TCraftCase{"RoomPastTheFloorsEnd", "tRoom", "POSIT", "9",
                   "at cell 10 is 3 cells wide, past the floor's 10 cells"},
        TCraftCase{"StoreyNinetyNine", "tFloor", "FLOOR_ID", "99",
                   "is on storey 100; storeys go from 1 to 10"},
        TCraftCase{"NinetyNineWorkers", "tFloor", "POLICY_STATION", "99",
                   "has a police station of 99 workers"},
        TCraftCase{"RoomTypeSeven", "tRoom", "TYPE", "7", "has type 7, which is not a room type"},
        TCraftCase{"TheLastDate", "tHotel", "DATE", "9999-12-31", "its date is"},
        TCraftCase{"NegativeMoney", "tHotel", "MONEY", "-5", "its money is -5, below 0"},
        TCraftCase{"HourTwentyFive", "tHotel", "TIME", "25", "its hour is 25"},
        TCraftCase{"LevelAboveAHundred", "tFloor", "DIRTY", "101", "has a clean level of 101"},
        TCraftCase{"ItemsNotMarks", "tFloor", "STUFF", "01x0",
                   "has comfort items other than 4 marks"},
        TCraftCase{"ItemDaysNotDigits", "tFloor", "STUF_WEAR", "0000zz00",
                   "has its items' days left other than 8 digits"},
        TCraftCase{"StatusThree", "tRoom", "STATUS", "3", "has status 3"}),
    [](const testing::TestParamInfo<TCraftCase> &info) { return std::string(info.param.name); });

// Two hotels that share one HOTEL_ID would share floors and rooms, and deleting one would
// delete the other's: both are held, and neither can be deleted.
TEST_F(ModelTest, HotelsSharingAnIdAreBothHeldAndNeitherCanBeDeleted)
{
    const int first = OpenNewHotel("First");
    data->CloseHotel();
    const int second = OpenNewHotel("Second");
    data->CloseHotel();
    data.reset();
    Craft(dir.Path + "tHotel.dht", "tHotel", second, "HOTEL_ID", std::to_string(first));
    StartModel();
    ASSERT_EQ(data->HeldHotels().size(), 2u);
    EXPECT_NE(data->LoadErrorText().find("First: another hotel has the same hotel ID " +
                                         std::to_string(first)),
              std::string::npos)
        << data->LoadErrorText();
    EXPECT_THROW(data->RefuseHeldHotel(first, "deleted"), EAbort);
}

} // namespace

namespace {

// A floor whose hotel is gone is named at start, and a new hotel does not take it over by
// drawing the ID it names.
TEST_F(ModelTest, ANewHotelDoesNotInheritTheFloorsOfAHotelThatIsGone)
{
    OpenNewHotel("Stays");
    data->CloseHotel();
    const int gone = OpenNewHotel("Gone");
    SetMoney(100000);
    data->BuildFloor();
    data->CloseHotel();
    data.reset();
    // The last hotel's record is lost; its floor stays behind, and the highest hotel ID left is
    // the one before it, so the table alone would give the new hotel the lost one's ID.
    {
        TvekMemTable hotels("tHotel");
        DefineGameTableFields(hotels, "tHotel");
        hotels.Open();
        hotels.ReadTableFile(dir.Path + "tHotel.dht");
        hotels.First();
        hotels.Next();
        ASSERT_EQ(hotels.FieldNamed("HOTEL_ID").AsInteger(), gone);
        hotels.Delete();
        hotels.WriteTableFile(dir.Path + "tHotel.dht");
    }
    StartModel();
    EXPECT_NE(
        data->LoadErrorText().find("tFloor.dht holds a floor of hotel ID " + std::to_string(gone)),
        std::string::npos)
        << data->LoadErrorText();
    data->NewHotel("New");
    data->tHotel.First();
    int newId = -1;
    for (data->tHotel.First(); !data->tHotel.AtEnd(); data->tHotel.Next())
        if (data->tHotel.FieldNamed("NAME").AsString() == "New")
            newId = data->tHotel.FieldNamed("HOTEL_ID").AsInteger();
    EXPECT_GT(newId, gone);
    data->SelectHotel(newId);
    EXPECT_TRUE(data->tFloor.IsEmpty()) << "the new hotel took over the lost one's floor";
}

} // namespace
