// The saved hotels judged as outside input: which hotels are held back and why,
// and which floors and rooms belong to no hotel.
#include "model/LoadedRecordCheck.h"

#include "ModelFixture.h"
#include "common/HotelCodes.h"
#include "model/HotelTables.h"
#include "model/ModelSeams.h"

#include <functional>
#include <gmock/gmock.h>

namespace {

using ::testing::HasSubstr;

// A record by field name; a field not named stays empty.
using TRecord = std::map<std::string, TFieldValue>;

struct TSavedHotels
{
    std::vector<TRecord> hotels;
    std::vector<TRecord> floors;
    std::vector<TRecord> rooms;
};

constexpr std::int32_t kSeaView = 0;
constexpr std::int32_t kHillTop = 1;

// Two sound hotels. Sea View has two floors and four rooms that reach every
// edge the rules allow: rooms that touch on either side, a room that ends
// on the last cell, stations from none to five workers, the counter equal to
// the highest ID. Hill Top reuses Sea View's IDs, which is fine in another
// hotel, and sits on the last hour, the last date and the highest counter.
// Room widths are those of the test catalog: type 1 -> 1, 2 -> 2, 3 -> 3, 4 -> 1, 5 -> 2.
TSavedHotels SoundHotels()
{
    const double day = DateFromYmd(2026, 12, 9);
    TSavedHotels s;
    s.hotels = {
        {{"HOTEL_ID", kSeaView},
         {"NAME", "Sea View"},
         {"MONEY", 50000},
         {"ID", 9},
         {"DATE", day},
         {"TIME", 0}},
        {{"HOTEL_ID", kHillTop},
         {"NAME", "Hill Top"},
         {"MONEY", 0},
         {"ID", 1 << 30},
         {"DATE", DateFromYmd(9998, 12, 31)},
         {"TIME", 23}},
    };
    const TRecord plainFloor{
        {"DIRTY", 100},         {"DIRTY_STATION", -1}, {"POLICY", 100},
        {"POLICY_STATION", -1}, {"FIRE", 100},         {"FIRE_STATION", -1},
        {"STUFF", "0000"},      {"COMFORT", 75},       {"STUF_WEAR", "00000000"}};
    TRecord ground = plainFloor;
    ground.insert({{"ID", 1}, {"HOTEL_ID", kSeaView}, {"FLOOR_ID", 0}});
    TRecord first = plainFloor;
    first.insert({{"ID", 2}, {"HOTEL_ID", kSeaView}, {"FLOOR_ID", 1}});
    first["DIRTY"] = 0;
    first["DIRTY_STATION"] = 5;
    first["POLICY_STATION"] = 0;
    first["STUFF"] = "1010";
    first["STUF_WEAR"] = "12000399";
    TRecord hillGround = plainFloor;
    hillGround.insert({{"ID", 1}, {"HOTEL_ID", kHillTop}, {"FLOOR_ID", 0}});
    s.floors = {ground, first, hillGround};

    auto room = [](int id, int hotel, int storey, int cell, int type, int status, int wear,
                   int alpha) {
        return TRecord{{"ID", id},     {"HOTEL_ID", hotel}, {"FLOOR_ID", storey}, {"POSIT", cell},
                       {"TYPE", type}, {"STATUS", status},  {"WEAR", wear},       {"ALPHA", alpha}};
    };
    s.rooms = {
        room(3, kSeaView, 0, 0, 3, RoomStatus::Occupied, 5, 255), // cells 0..2
        room(5, kSeaView, 0, 3, 2, -4, 5, 55),                    // cells 3..4
        room(7, kSeaView, 1, 8, 5, RoomStatus::Broken, 0, 255),   // cells 8..9
        room(9, kSeaView, 1, 7, 4, RoomStatus::Free, 5, 0),       // cell 7
        room(2, kHillTop, 0, 9, 1, RoomStatus::Free, 5, 255),     // cell 9
    };
    return s;
}

TRecord &FindRecord(std::vector<TRecord> &records, std::int32_t hotelId, std::int32_t id)
{
    for (TRecord &record : records)
        if (record.at("HOTEL_ID") == TFieldValue{hotelId} && record.at("ID") == TFieldValue{id})
            return record;
    throw std::logic_error("no record with ID " + std::to_string(id));
}

// A floor or room of Sea View by its ID.
TRecord &Floor(TSavedHotels &s, std::int32_t id)
{
    return FindRecord(s.floors, kSeaView, id);
}
TRecord &Room(TSavedHotels &s, std::int32_t id)
{
    return FindRecord(s.rooms, kSeaView, id);
}

std::map<int, int> CatalogWidths()
{
    std::map<int, int> widths;
    for (const TCatalogRow &row : TestCatalog())
        if (CatalogRow::IsRoomType(row.ID))
            widths[row.ID] = row.WIDTH;
    return widths;
}

void Append(TvekMemTable &table, const TRecord &record, std::int32_t status = 0)
{
    std::vector<TFieldValue> values;
    for (int i = 0; i < table.FieldCount(); ++i) {
        const auto found = record.find(table.Fields(i).FieldName);
        values.push_back(found == record.end() ? TFieldValue{} : found->second);
    }
    table.RawAppendRecord(values, status);
}

class LoadedRecordCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (TvekMemTable *table : {&tables.tHotel, &tables.tFloor, &tables.tRoom})
            table->Open();
    }

    void Load(const TSavedHotels &saved)
    {
        for (const TRecord &record : saved.hotels)
            Append(tables.tHotel, record);
        for (const TRecord &record : saved.floors)
            Append(tables.tFloor, record);
        for (const TRecord &record : saved.rooms)
            Append(tables.tRoom, record);
    }

    TRecordCheckResult Check(const std::map<int, int> &widths = CatalogWidths())
    {
        return TLoadedRecordCheck::Check(tables, widths);
    }

    TModelSeams seams;
    THotelTables tables{seams};
};

struct FaultCase
{
    const char *name;
    std::function<void(TSavedHotels &)> change;
    const char *reason;
    const char *held = "Sea View";
};

void PrintTo(const FaultCase &c, std::ostream *out)
{
    *out << c.name;
}

const FaultCase kFaultCases[] = {
    // ---- The hotel record ----
    {"NegativeHotelId",
     [](TSavedHotels &s) {
         s.hotels[0]["HOTEL_ID"] = -1;
         for (auto *records : {&s.floors, &s.rooms})
             for (TRecord &record : *records)
                 if (record["HOTEL_ID"] == TFieldValue{kSeaView})
                     record["HOTEL_ID"] = -1;
     },
     "its hotel ID is -1, below 0"},
    {"NegativeMoney", [](TSavedHotels &s) { s.hotels[0]["MONEY"] = -1; },
     "its money is -1, below 0"},
    {"LastDateOfTheField", [](TSavedHotels &s) { s.hotels[0]["DATE"] = DateFromYmd(9999, 12, 31); },
     "its date is 9999-12-31; dates go up to 9998-12-31"},
    {"DateInTheLastYear", [](TSavedHotels &s) { s.hotels[0]["DATE"] = DateFromYmd(9999, 1, 1); },
     "its date is 9999-01-01"},
    {"HourOfTheNextDay", [](TSavedHotels &s) { s.hotels[0]["TIME"] = 24; },
     "its hour is 24; hours go from 0 to 23"},
    {"NegativeHour", [](TSavedHotels &s) { s.hotels[0]["TIME"] = -1; }, "its hour is -1"},
    {"NegativeCounter", [](TSavedHotels &s) { s.hotels[0]["ID"] = -1; },
     "its ID counter is -1; it goes from 0 to 1073741824"},
    {"CounterNearOverflow", [](TSavedHotels &s) { s.hotels[0]["ID"] = (1 << 30) + 1; },
     "its ID counter is 1073741825"},

    // ---- Identifiers of floors and rooms ----
    {"CounterBelowARoomId", [](TSavedHotels &s) { s.hotels[0]["ID"] = 8; },
     "room ID 9 is above the hotel's ID counter 8"},
    {"CounterBelowAFloorId", [](TSavedHotels &s) { Floor(s, 2)["ID"] = 10; },
     "floor ID 10 is above the hotel's ID counter 9"},
    {"NegativeFloorId", [](TSavedHotels &s) { Floor(s, 1)["ID"] = -1; }, "floor ID -1 is below 0"},
    {"NegativeRoomId", [](TSavedHotels &s) { Room(s, 5)["ID"] = -1; }, "room ID -1 is below 0"},
    {"TwoFloorsShareAnId", [](TSavedHotels &s) { Floor(s, 2)["ID"] = 1; },
     "floor ID 1 is also the ID of another floor"},
    {"RoomSharesAFloorsId", [](TSavedHotels &s) { Room(s, 3)["ID"] = 2; },
     "room ID 2 is also the ID of a floor"},
    {"TwoRoomsShareAnId", [](TSavedHotels &s) { Room(s, 5)["ID"] = 3; },
     "room ID 3 is also the ID of another room"},

    // ---- Floors ----
    {"Storey99", [](TSavedHotels &s) { Floor(s, 2)["FLOOR_ID"] = 98; },
     "floor ID 2 is on storey 99; storeys go from 1 to 10"},
    {"StoreyAboveTheTop", [](TSavedHotels &s) { Floor(s, 2)["FLOOR_ID"] = 10; },
     "floor ID 2 is on storey 11"},
    {"StoreyBelowTheGround", [](TSavedHotels &s) { Floor(s, 1)["FLOOR_ID"] = -1; },
     "floor ID 1 is on storey 0"},
    {"TwoFloorsOnOneStorey", [](TSavedHotels &s) { Floor(s, 2)["FLOOR_ID"] = 0; },
     "floor ID 2 is on storey 1, as floor ID 1 is"},
    {"FloorAboveAMissingStorey", [](TSavedHotels &s) { Floor(s, 2)["FLOOR_ID"] = 9; },
     "floor ID 2 is on storey 10, but no floor is on storey 2"},
    {"NoGroundFloor", [](TSavedHotels &s) { Floor(s, 1)["FLOOR_ID"] = 2; },
     "floor ID 2 is on storey 2, but no floor is on storey 1"},
    {"CleanLevelAboveFull", [](TSavedHotels &s) { Floor(s, 1)["DIRTY"] = 101; },
     "floor ID 1 has a clean level of 101; levels go from 0 to 100"},
    {"NegativePoliceLevel", [](TSavedHotels &s) { Floor(s, 1)["POLICY"] = -1; },
     "floor ID 1 has a police level of -1"},
    {"FireLevelAboveFull", [](TSavedHotels &s) { Floor(s, 2)["FIRE"] = 101; },
     "floor ID 2 has a fire level of 101"},
    {"NegativeComfort", [](TSavedHotels &s) { Floor(s, 2)["COMFORT"] = -1; },
     "floor ID 2 has a comfort level of -1"},
    {"Station99", [](TSavedHotels &s) { Floor(s, 1)["DIRTY_STATION"] = 99; },
     "floor ID 1 has a cleaning station of 99 workers; a station has 0 to 5 workers, or -1 for "
     "none"},
    {"SixPolice", [](TSavedHotels &s) { Floor(s, 1)["POLICY_STATION"] = 6; },
     "floor ID 1 has a police station of 6 workers"},
    {"FireStationBelowNone", [](TSavedHotels &s) { Floor(s, 2)["FIRE_STATION"] = -2; },
     "floor ID 2 has a fire station of -2 workers"},
    {"ItemMarkOtherThan0Or1", [](TSavedHotels &s) { Floor(s, 2)["STUFF"] = "1020"; },
     "floor ID 2 has comfort items other than 4 marks of 0 or 1"},
    {"ShortItemMarks", [](TSavedHotels &s) { Floor(s, 2)["STUFF"] = "101"; },
     "floor ID 2 has comfort items other than"},
    {"ItemDaysNotDigits", [](TSavedHotels &s) { Floor(s, 1)["STUF_WEAR"] = "0000 0x0"; },
     "floor ID 1 has its items' days left other than 8 digits"},
    {"ShortItemDays", [](TSavedHotels &s) { Floor(s, 2)["STUF_WEAR"] = "1200039"; },
     "floor ID 2 has its items' days left other than 8 digits"},

    // ---- Rooms ----
    {"RoomOnAStoreyWithoutFloor", [](TSavedHotels &s) { Room(s, 3)["FLOOR_ID"] = 2; },
     "room ID 3 is on storey 3, where the hotel has no floor"},
    {"RoomBelowTheGround", [](TSavedHotels &s) { Room(s, 3)["FLOOR_ID"] = -1; },
     "room ID 3 is on storey 0, where the hotel has no floor"},
    {"RoomOnAStoreyOnlyAnotherHotelHas",
     [](TSavedHotels &s) { FindRecord(s.rooms, kHillTop, 2)["FLOOR_ID"] = 1; },
     "room ID 2 is on storey 2, where the hotel has no floor", "Hill Top"},
    {"CellPastTheFloor", [](TSavedHotels &s) { Room(s, 3)["POSIT"] = 10; },
     "room ID 3 begins at cell 11; cells go from 1 to 10"},
    {"NegativeCell", [](TSavedHotels &s) { Room(s, 3)["POSIT"] = -1; },
     "room ID 3 begins at cell 0"},
    {"RoomType7", [](TSavedHotels &s) { Room(s, 3)["TYPE"] = 7; },
     "room ID 3 has type 7, which is not a room type"},
    {"RoomTypeAfterTheLast", [](TSavedHotels &s) { Room(s, 9)["TYPE"] = 6; },
     "room ID 9 has type 6, which is not a room type"},
    {"RoomWithoutType", [](TSavedHotels &s) { Room(s, 9).erase("TYPE"); },
     "room ID 9 has type 0, which is not a room type"},
    {"WideRoomAtCell9",
     [](TSavedHotels &s) {
         Room(s, 5)["POSIT"] = 8;
         Room(s, 5)["TYPE"] = 3;
     },
     "room ID 5 at cell 9 is 3 cells wide, past the floor's 10 cells"},
    {"WideRoomAtTheLastCell",
     [](TSavedHotels &s) {
         Room(s, 9)["POSIT"] = 9;
         Room(s, 9)["TYPE"] = 2;
     },
     "room ID 9 at cell 10 is 2 cells wide"},
    {"Status3", [](TSavedHotels &s) { Room(s, 3)["STATUS"] = 3; },
     "room ID 3 has status 3; a room is free (0), occupied (1), broken (2) or being built (below "
     "0)"},
    {"NegativeDaysLeft", [](TSavedHotels &s) { Room(s, 5)["WEAR"] = -1; },
     "room ID 5 has -1 days left, below 0"},
    {"OpacityAboveFull", [](TSavedHotels &s) { Room(s, 5)["ALPHA"] = 256; },
     "room ID 5 has an opacity of 256; opacities go from 0 to 255"},
    {"NegativeOpacity", [](TSavedHotels &s) { Room(s, 5)["ALPHA"] = -1; },
     "room ID 5 has an opacity of -1"},
    {"TwoRoomsOnTheSameCells", [](TSavedHotels &s) { Room(s, 9)["POSIT"] = 9; },
     "room ID 9 covers cell 10 of storey 2, as room ID 7 does"},
    {"RoomReachingIntoTheNext", [](TSavedHotels &s) { Room(s, 5)["POSIT"] = 2; },
     "room ID 5 covers cell 3 of storey 1, as room ID 3 does"},
    {"RoomReachingIntoTheOneAfter",
     [](TSavedHotels &s) {
         Room(s, 9)["POSIT"] = 7;
         Room(s, 9)["TYPE"] = 2;
     },
     "room ID 9 covers cell 9 of storey 2, as room ID 7 does"},
};

class LoadedRecordCheckFault : public LoadedRecordCheckTest,
                               public ::testing::WithParamInterface<FaultCase>
{
};

} // namespace

TEST_P(LoadedRecordCheckFault, HoldsThatHotelAloneWithItsReason)
{
    TSavedHotels saved = SoundHotels();
    GetParam().change(saved);
    Load(saved);
    const TRecordCheckResult result = Check();
    ASSERT_EQ(result.Held.size(), 1u) << "the other hotel is sound and is not held";
    const TRecord &hotel = saved.hotels[GetParam().held == std::string("Sea View") ? 0 : 1];
    EXPECT_EQ(result.Held[0].Name, GetParam().held);
    EXPECT_EQ(TFieldValue{result.Held[0].HotelId}, hotel.at("HOTEL_ID"));
    EXPECT_THAT(result.Held[0].Reason, HasSubstr(GetParam().reason));
    EXPECT_TRUE(result.Strays.empty());
}

INSTANTIATE_TEST_SUITE_P(LoadedRecords, LoadedRecordCheckFault, ::testing::ValuesIn(kFaultCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadedRecordCheckTest, SoundHotelsHoldNothing)
{
    Load(SoundHotels());
    const TRecordCheckResult result = Check();
    EXPECT_TRUE(result.Held.empty()) << result.Held[0].Name << ": " << result.Held[0].Reason;
    EXPECT_TRUE(result.Strays.empty());
}

// An empty value reads as 0 or as an empty text, which the game plays: a hotel
// without a date or hour, a floor with no levels, stations or items yet, a room
// with no status or opacity.
TEST_F(LoadedRecordCheckTest, EmptyValuesHoldNothing)
{
    Load({{{{"ID", 1}}}, {{}}, {{{"ID", 1}, {"TYPE", 1}}}});
    const TRecordCheckResult result = Check();
    EXPECT_TRUE(result.Held.empty()) << result.Held[0].Reason;
    EXPECT_TRUE(result.Strays.empty());
}

TEST_F(LoadedRecordCheckTest, HotelsSharingAnIdAreBothHeld)
{
    TSavedHotels saved = SoundHotels();
    saved.hotels[1]["HOTEL_ID"] = kSeaView;
    Load(saved);
    const TRecordCheckResult result = Check();
    ASSERT_EQ(result.Held.size(), 2u);
    EXPECT_EQ(result.Held[0].Name, "Sea View");
    EXPECT_EQ(result.Held[1].Name, "Hill Top");
    for (const THeldHotel &held : result.Held) {
        EXPECT_EQ(held.HotelId, kSeaView);
        EXPECT_EQ(held.Reason, "another hotel has the same hotel ID 0");
    }
    // Hill Top's floor and room still name its old ID.
    EXPECT_EQ(result.Strays, (std::vector<std::string>{
                                 "tFloor.dht holds a floor of hotel ID 1, which no hotel has",
                                 "tRoom.dht holds a room of hotel ID 1, which no hotel has"}));
}

TEST_F(LoadedRecordCheckTest, StrayFloorsAndRoomsHoldNoHotel)
{
    TSavedHotels saved = SoundHotels();
    // Faulty as well, but no hotel plays them.
    saved.floors.push_back({{"ID", 1}, {"HOTEL_ID", 7}, {"FLOOR_ID", 0}, {"DIRTY", 500}});
    saved.floors.push_back({{"ID", 1}, {"HOTEL_ID", 7}, {"FLOOR_ID", 0}});
    saved.rooms.push_back({{"ID", 2}, {"HOTEL_ID", 7}, {"TYPE", 9}});
    saved.rooms.push_back({{"ID", 2}, {"HOTEL_ID", -3}, {"TYPE", 1}});
    Load(saved);
    const TRecordCheckResult result = Check();
    EXPECT_TRUE(result.Held.empty());
    EXPECT_EQ(result.Strays, (std::vector<std::string>{
                                 "tFloor.dht holds 2 floors of hotel ID 7, which no hotel has",
                                 "tRoom.dht holds a room of hotel ID 7, which no hotel has",
                                 "tRoom.dht holds a room of hotel ID -3, which no hotel has"}));
}

// The reason is the first fault met: the hotel's own record, then its floors
// in table order, then the storeys as a whole, then its rooms.
TEST_F(LoadedRecordCheckTest, AHotelKeepsItsFirstFault)
{
    const FaultCase cases[] = {
        {"hotel before floor",
         [](TSavedHotels &s) {
             Floor(s, 1)["DIRTY"] = 101;
             s.hotels[0]["MONEY"] = -1;
         },
         "its money is -1, below 0"},
        {"first field of a hotel",
         [](TSavedHotels &s) {
             s.hotels[0]["TIME"] = 24;
             s.hotels[0]["DATE"] = DateFromYmd(9999, 6, 1);
         },
         "its date is 9999-06-01"},
        {"floors in table order",
         [](TSavedHotels &s) {
             Floor(s, 2)["FIRE"] = -1;
             Floor(s, 1)["FIRE_STATION"] = 6;
         },
         "floor ID 1 has a fire station of 6 workers"},
        {"floor before room",
         [](TSavedHotels &s) {
             Room(s, 3)["TYPE"] = 7;
             Floor(s, 2)["STUFF"] = "2";
         },
         "floor ID 2 has comfort items"},
        {"storey gap before room",
         [](TSavedHotels &s) {
             Floor(s, 2)["FLOOR_ID"] = 3;
             Room(s, 3)["WEAR"] = -1;
         },
         "floor ID 2 is on storey 4, but no floor is on storey 2"},
        {"rooms in table order",
         [](TSavedHotels &s) {
             Room(s, 9)["ALPHA"] = 300;
             Room(s, 5)["STATUS"] = 4;
         },
         "room ID 5 has status 4"},
    };
    for (const FaultCase &c : cases) {
        SCOPED_TRACE(c.name);
        TSavedHotels saved = SoundHotels();
        c.change(saved);
        tables.tHotel.Close();
        tables.tFloor.Close();
        tables.tRoom.Close();
        SetUp();
        Load(saved);
        const TRecordCheckResult result = Check();
        ASSERT_EQ(result.Held.size(), 1u);
        EXPECT_THAT(result.Held[0].Reason, HasSubstr(c.reason));
    }
}

// A record kept as deleted (status 3) is never shown, so never played.
TEST_F(LoadedRecordCheckTest, RecordsKeptAsDeletedArePassedOver)
{
    TSavedHotels saved = SoundHotels();
    Load(saved);
    constexpr std::int32_t deleted = 3;
    TRecord hotel = saved.hotels[0];
    hotel["NAME"] = "Gone";
    Append(tables.tHotel, hotel, deleted);
    TRecord floor = Floor(saved, 1);
    floor["DIRTY"] = 101;
    Append(tables.tFloor, floor, deleted);
    Append(tables.tFloor, {{"HOTEL_ID", 7}}, deleted);
    TRecord room = Room(saved, 3);
    room["TYPE"] = 7;
    Append(tables.tRoom, room, deleted);
    const TRecordCheckResult result = Check();
    EXPECT_TRUE(result.Held.empty()) << result.Held[0].Reason;
    EXPECT_TRUE(result.Strays.empty());
}

// While the catalog is not ready the widths are unknown: a room is judged as
// one cell wide, and only the types from 1 to 5 count.
TEST_F(LoadedRecordCheckTest, WithoutACatalogEveryRoomTypeIsOneCellWide)
{
    TSavedHotels saved = SoundHotels();
    Room(saved, 3)["POSIT"] = 9; // type 3: three cells wide in the catalog
    Room(saved, 7)["POSIT"] = 7; // type 5 on the cell of room 9
    FindRecord(saved.rooms, kHillTop, 2)["TYPE"] = 6;
    Load(saved);
    const TRecordCheckResult result = Check({});
    ASSERT_EQ(result.Held.size(), 2u);
    EXPECT_EQ(result.Held[0].Reason, "room ID 9 covers cell 8 of storey 2, as room ID 7 does");
    EXPECT_EQ(result.Held[1].Reason, "room ID 2 has type 6, which is not a room type");

    const TRecordCheckResult withCatalog = Check();
    ASSERT_EQ(withCatalog.Held.size(), 2u);
    EXPECT_EQ(withCatalog.Held[0].Reason,
              "room ID 3 at cell 10 is 3 cells wide, past the floor's 10 cells");
}

// The load refuses a table without one of the game's fields; should one be
// missing all the same, its values read as empty, as the record views read them.
TEST_F(LoadedRecordCheckTest, AMissingFieldReadsAsEmpty)
{
    TvekMemTable rooms("tRoom");
    for (const char *name : {"ID", "HOTEL_ID", "FLOOR_ID", "POSIT", "TYPE", "WEAR", "ALPHA"})
        rooms.AddField<TIntegerField>(name);
    rooms.Open();
    const TSavedHotels saved = SoundHotels();
    Load(saved);
    for (const TRecord &record : saved.rooms)
        Append(rooms, record);
    const TRecordCheckResult result =
        TLoadedRecordCheck::Check(tables.tHotel, tables.tFloor, rooms, CatalogWidths());
    EXPECT_TRUE(result.Held.empty()) << result.Held[0].Reason;
}

TEST_F(LoadedRecordCheckTest, ATypeMissingFromTheCatalogIsNoRoomType)
{
    Load(SoundHotels());
    std::map<int, int> widths = CatalogWidths();
    widths.erase(4);
    const TRecordCheckResult result = Check(widths);
    ASSERT_EQ(result.Held.size(), 1u);
    EXPECT_EQ(result.Held[0].Reason, "room ID 9 has type 4, which is not a room type");
}

// A table file brings its own field list, so the fields may stand in another order.
TEST_F(LoadedRecordCheckTest, FieldsAreFoundByName)
{
    TvekMemTable rooms("tRoom");
    for (const char *name :
         {"ALPHA", "WEAR", "STATUS", "TYPE", "POSIT", "FLOOR_ID", "HOTEL_ID", "ID"})
        rooms.AddField<TIntegerField>(name);
    rooms.Open();
    TSavedHotels saved = SoundHotels();
    Room(saved, 5)["ALPHA"] = 300;
    Load(saved);
    for (const TRecord &record : saved.rooms)
        Append(rooms, record);
    const TRecordCheckResult result =
        TLoadedRecordCheck::Check(tables.tHotel, tables.tFloor, rooms, CatalogWidths());
    ASSERT_EQ(result.Held.size(), 1u);
    EXPECT_EQ(result.Held[0].Reason, "room ID 5 has an opacity of 300; opacities go from 0 to 255");
}

// What the game itself writes passes: a hotel bought, built and played for a
// few days, saved at exit and loaded at the next start.
using LoadedRecordCheckPlayTest = ModelTest;

TEST_F(LoadedRecordCheckPlayTest, AHotelThePlayerBuiltPasses)
{
    OpenNewHotel("Played");
    SetMoney(1000000);
    data->BuildFloor();
    data->BuildRoom(3, 0);
    data->BuildRoom(2, 3);
    data->BuildStation(StationKind::Police);
    data->ChangeWorkers(StationKind::Police, +1);
    data->BuyStuff(2);
    data->BuildFloor();
    data->BuildRoom(5, 8);
    data->RunHours(3 * 24);
    data->BuildRoom(1, 5);
    data->CloseHotel();
    OpenNewHotel("Empty");
    data->CloseHotel();
    StartModel();
    ASSERT_EQ(data->tHotel.RawRecordCount(), 2u);
    ASSERT_EQ(data->tRoom.RawRecordCount(), 4u);
    const TRecordCheckResult result =
        TLoadedRecordCheck::Check(data->tHotel, data->tFloor, data->tRoom, CatalogWidths());
    EXPECT_TRUE(result.Held.empty()) << result.Held[0].Reason;
    EXPECT_TRUE(result.Strays.empty());
}
