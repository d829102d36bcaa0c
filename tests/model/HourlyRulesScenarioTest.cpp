// Worked scenarios of the hourly rules on a hotel of two floors, with rooms in
// every state on each, so that a rule which looks at the wrong rooms, the wrong
// floor or the wrong hour gives a different figure.
#include "ModelFixture.h"
#include "model/HotelEvents.h"

#include <fstream>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct RoomPlan
{
    int storey, type, cell, status;
};

// Storey 0: a suite (type 3, income 30) occupied, a single (type 1) free, a
// cell (type 4) broken and a double (type 2) under construction.
// Storey 1: a cell (type 4, income 10, WEAR 1) and a single (income 10)
// occupied, a suite free.
// Occupied load: storey 0 is 3, storey 1 is 4 + 1 = 5.
const RoomPlan kRooms[] = {
    {0, 3, 0, 1}, {0, 1, 3, 0}, {0, 4, 4, 2}, {0, 2, 5, -3},
    {1, 4, 0, 1}, {1, 1, 1, 1}, {1, 3, 2, 0},
};
// The rules' events about wages and broken rooms, one line each.
class RecordedEvents : public THotelEvents
{
public:
    void WagePaid(int storey, int station, int workers, int wage) override
    {
        Lines.push_back("paid " + Figures({storey, station, workers, wage}));
    }
    void WageUnpaid(int storey, int station, int workers, int wage, int) override
    {
        Lines.push_back("unpaid " + Figures({storey, station, workers, wage}));
    }
    void RoomBroken(int roomId, int, int) override
    {
        Lines.push_back("broken " + std::to_string(roomId));
    }
    std::vector<std::string> Lines;

private:
    static std::string Figures(std::initializer_list<int> figures)
    {
        std::string text;
        for (int figure : figures)
            text += (text.empty() ? "" : " ") + std::to_string(figure);
        return text;
    }
};

enum RoomName
{
    Suite0,
    Single0,
    Broken0,
    Building0,
    Cell1,
    Single1,
    Suite1,
    RoomCount
};

} // namespace

class TwoFloorHotelTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        OpenNewHotel();
        SetMoney(1000000);
        data->BuildFloor();
        data->BuildFloor();
        for (int r = 0; r < RoomCount; ++r) {
            data->SelectFloor(kRooms[r].storey);
            ids[r] = AddRoom(kRooms[r].type, kRooms[r].cell, kRooms[r].status);
        }
        data->SelectFloor(0);
        data->SelectRoom(-1);
        scene.Calls.clear();
    }

    void SetFloorText(int storey, const char *field, const char *text)
    {
        ASSERT_TRUE(data->tFloor.Locate("FLOOR_ID", storey));
        data->tFloor.Edit();
        data->tFloor.FieldNamed(field).SetAsString(text);
        data->tFloor.Post();
    }
    std::string Call(const char *what, int room, int value) const
    {
        return std::string(what) + " " + std::to_string(room) + " " + std::to_string(value);
    }

    int ids[RoomCount] = {};
};

TEST_F(TwoFloorHotelTest, FloorLoadAddsTheTypesOfTheOccupiedRoomsOfThatStoreyOnly)
{
    struct Case
    {
        int storey, load;
    };
    const Case cases[] = {{0, 3}, {1, 5}, {2, 0}, {-1, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.storey);
        EXPECT_EQ(data->FloorLoad(c.storey), c.load);
    }
}

TEST_F(TwoFloorHotelTest, DirtDropsByEachFloorsOwnLoad)
{
    SetHour(2);
    data->HourTick(); // 3:00: dirt only
    EXPECT_EQ(FloorValue(0, "DIRTY"), 97);
    EXPECT_EQ(FloorValue(1, "DIRTY"), 95);
    EXPECT_EQ(FloorValue(0, "FIRE"), 100);
    EXPECT_TRUE(random.Requests.empty()) << "dirt draws nothing";
    EXPECT_EQ(FloorValue(0, "COMFORT"), (97 + 100 + 100) / 4);
}

TEST_F(TwoFloorHotelTest, FireAndPoliceDrawBelowEachFloorsLoadFloorByFloor)
{
    SetHour(19);
    random.Script = {2, 4, 1, 3};
    data->HourTick(); // 20:00: fire, then police
    EXPECT_EQ(random.Requests, (std::vector<int>{3, 5, 3, 5}));
    EXPECT_EQ(FloorValue(0, "FIRE"), 98);
    EXPECT_EQ(FloorValue(1, "FIRE"), 96);
    EXPECT_EQ(FloorValue(0, "POLICY"), 99);
    EXPECT_EQ(FloorValue(1, "POLICY"), 97);
    EXPECT_EQ(FloorValue(0, "DIRTY"), 100);
}

TEST_F(TwoFloorHotelTest, StationWorkersArePaidPerFloorAndRaiseOnlyTheirFloor)
{
    // Fire at 5:00: storey 0 has 3 fire workers (wage 3 x 12 = 36), storey 1 none.
    SetFloor(0, "FIRE", 90);
    SetFloor(1, "FIRE", 90);
    SetFloor(0, "FIRE_STATION", 3);
    SetFloor(1, "FIRE_STATION", 0);
    SetMoney(100);
    SetHour(4);
    random.Script = {1, 2};
    RecordedEvents events;
    data->SetHotelEvents(&events);
    data->HourTick();
    data->SetHotelEvents(nullptr);
    EXPECT_EQ(FloorValue(0, "FIRE"), 90 - 1 + 2 * 3);
    EXPECT_EQ(FloorValue(1, "FIRE"), 90 - 2);
    EXPECT_EQ(data->GetMoney(), 100 - 36);
    // A station without workers pays no wage and is not reported as paid.
    EXPECT_EQ(events.Lines, std::vector<std::string>{"paid 0 3 3 36"});
}

TEST_F(TwoFloorHotelTest, IncomeCountsOccupiedRoomsAndIsRoundedOnEachFloor)
{
    // Storey 0, comfort 75: the occupied suite pays 0.75 x 30 = 22.5, which rounds to 22.
    // Storey 1, a ventilation makes comfort (300 + 25) / 4 = 81: 0.81 x (10 + 10) = 16.2, so 16.
    // Rounded once on the total, 38.7 would give 39.
    SetFloorText(1, "STUFF", "0100");
    ASSERT_EQ(FloorValue(1, "COMFORT"), 81);
    SetMoney(0);
    SetHour(7);
    data->HourTick(); // 8:00
    EXPECT_EQ(data->GetMoney(), 22 + 16);
}

TEST_F(TwoFloorHotelTest, WagesOfTheHourArePaidBeforeTheIncomeComesIn)
{
    // At 8:00 the police are paid before the income comes in: with no money
    // the one worker of storey 0 (wage 11) goes unpaid.
    SetFloor(0, "POLICY_STATION", 1);
    SetFloor(0, "POLICY", 90);
    SetMoney(0);
    SetHour(7);
    data->HourTick();
    // Storey 0's comfort is now (100 + 90 + 100) / 4 = 72: 0.72 x 30 = 21.6, so 22.
    // Storey 1's is 75: 0.75 x 20 = 15.
    EXPECT_EQ(data->GetMoney(), 22 + 15);
    EXPECT_EQ(FloorValue(0, "POLICY"), 90) << "unpaid workers do not act";
}

TEST_F(TwoFloorHotelTest, ConstructionEndsBeforeOccupancyFillsTheRoomAtTen)
{
    SetRoom(ids[Building0], "STATUS", -1);
    SetHour(9);
    data->HourTick(); // 10:00
    const std::vector<std::string> expected{
        Call("status", ids[Building0], 0), Call("alpha", ids[Building0], 255),
        Call("status", ids[Single0], 1),   Call("status", ids[Building0], 1),
        Call("status", ids[Suite1], 1),
    };
    EXPECT_EQ(scene.Calls, expected);
    EXPECT_EQ(RoomValue(ids[Building0], "STATUS"), 1);
    EXPECT_EQ(RoomValue(ids[Broken0], "STATUS"), 2) << "broken is final";
}

TEST_F(TwoFloorHotelTest, OccupancyLooksAtTheLevelsOfTheRoomsOwnFloor)
{
    // Storey 1 is dirty: its occupied rooms empty and its free suite stays
    // free, while storey 0's free single fills.
    SetFloor(1, "DIRTY", 19);
    SetHour(9);
    data->HourTick(); // 10:00
    const std::vector<std::string> expected{
        Call("alpha", ids[Building0], 115), // -3 to -2 of 4 hours: 60 + 55
        Call("status", ids[Single0], 1),
        Call("status", ids[Cell1], 0),
        Call("status", ids[Single1], 0),
    };
    EXPECT_EQ(scene.Calls, expected);
    EXPECT_EQ(RoomValue(ids[Suite0], "STATUS"), 1);
    EXPECT_EQ(RoomValue(ids[Suite1], "STATUS"), 0);
}

TEST_F(TwoFloorHotelTest, OnlyOccupiedRoomsWearAtTwentyTwo)
{
    SetHour(21);
    data->HourTick(); // 22:00
    struct Case
    {
        RoomName room;
        int wear, status;
    };
    // Built with the WEAR of their type: 5 for types 1 to 3, 1 for type 4.
    const Case cases[] = {
        {Suite0, 4, 1}, {Single0, 5, 0}, {Broken0, 1, 2}, {Building0, 5, -3},
        {Cell1, 0, 2},  {Single1, 4, 1}, {Suite1, 5, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.room);
        EXPECT_EQ(RoomValue(ids[c.room], "WEAR"), c.wear);
        EXPECT_EQ(RoomValue(ids[c.room], "STATUS"), c.status);
    }
    EXPECT_EQ(scene.Calls, std::vector<std::string>{Call("status", ids[Cell1], 2)});
}

// A room breaks at the wear hour that wears its last day, not the one before; a room already at
// no days left breaks and stays at 0.
TEST_F(TwoFloorHotelTest, AnOccupiedRoomBreaksWhenItsLastDayIsWornNotBefore)
{
    SetRoom(ids[Suite0], "WEAR", 2);
    SetRoom(ids[Single1], "WEAR", 0);
    RecordedEvents events;
    data->SetHotelEvents(&events);
    SetHour(21);
    data->HourTick(); // 22:00
    data->SetHotelEvents(nullptr);
    EXPECT_EQ(RoomValue(ids[Suite0], "WEAR"), 1);
    EXPECT_EQ(RoomValue(ids[Suite0], "STATUS"), 1);
    EXPECT_EQ(RoomValue(ids[Cell1], "WEAR"), 0);
    EXPECT_EQ(RoomValue(ids[Cell1], "STATUS"), 2);
    EXPECT_EQ(RoomValue(ids[Single1], "WEAR"), 0);
    EXPECT_EQ(RoomValue(ids[Single1], "STATUS"), 2);
    EXPECT_EQ(events.Lines, (std::vector<std::string>{"broken " + std::to_string(ids[Cell1]),
                                                      "broken " + std::to_string(ids[Single1])}));
}

// Money is a 32-bit field: an income that would carry it past the limit leaves it at the limit,
// where it stays through the rest of the day's wages and income.
TEST_F(TwoFloorHotelTest, MoneyAtTheLimitStaysThereInsteadOfWrapping)
{
    const int limit = std::numeric_limits<int>::max();
    SetMoney(limit - 5);
    SetHour(7);
    data->HourTick(); // 8:00: the income, 30 + 10 + 10 at full comfort
    EXPECT_EQ(data->GetMoney(), limit);
    data->RunHours(24);
    EXPECT_GT(data->GetMoney(), limit - 1000) << "it wrapped";
}

TEST_F(TwoFloorHotelTest, TheStepsRunOnlyAtTheirHours)
{
    // Through a whole day from 0:00, counting what each step changed.
    SetFloor(0, "FIRE_STATION", 1);   // wage 12 at 0, 5, 10, 15, 20
    SetFloor(0, "POLICY_STATION", 1); // wage 11 at 0, 4, 8, 12, 16, 20
    SetFloor(0, "DIRTY_STATION", 1);  // wage 10 at 0, 3, 6, ..., 21
    SetMoney(100000);
    SetHour(23);
    data->RunHours(24); // 0:00 to 23:00
    const int wages = 5 * 12 + 6 * 11 + 8 * 10;
    // Income once at 8:00: storey 0 at the comfort of that hour, storey 1 at 75
    // (its levels only drop by scripted draws of 0 and by its dirt).
    // Storey 1's dirt falls by 5 at each of 0, 3 and 6: 85, comfort (85 + 200) / 4 = 71,
    // 0.71 x 20 = 14.2, so 14. Storey 0's workers keep its levels at 100: 22.5, so 22.
    EXPECT_EQ(data->GetMoney(), 100000 - wages + 22 + 14);
    // Occupancy at 10:00 fills storey 1's suite: its load grows from 5 to 8,
    // so its dirt falls by 5 at 0, 3, 6 and 9 and by 8 at 12, 15, 18 and 21.
    EXPECT_EQ(FloorValue(1, "DIRTY"), 100 - 4 * 5 - 4 * 8);
    EXPECT_EQ(RoomValue(ids[Suite1], "STATUS"), 1);
    EXPECT_EQ(FloorValue(0, "DIRTY"), 100) << "one paid cleaner outweighs a load of 3 or 4";
    EXPECT_EQ(RoomValue(ids[Building0], "STATUS"), 0) << "3 hours of building from 9:00";
    EXPECT_EQ(RoomValue(ids[Cell1], "STATUS"), 2) << "WEAR 1 runs out at 22:00";
}

// A double that needs 16 building hours: its alpha steps by 7.5, so every
// other hour lands on an exact half.
class ConstructionAlphaTest : public ModelTest
{
protected:
    void SetUp() override
    {
        std::vector<TCatalogRow> rows = TestCatalog();
        for (TCatalogRow &row : rows)
            if (row.ID == 2)
                row.BUILD = 16;
        WriteCatalogFile(rows, dir.Path + "tRooms.dht");
        StartModel();
        OpenNewHotel();
        data->BuildFloor();
    }
};

TEST_F(ConstructionAlphaTest, HalvesRoundToTheEvenNeighbour)
{
    struct Case
    {
        int statusBefore;
        int alpha; // (1 - hours left / 16) x 120, rounded, + 55
    };
    const Case cases[] = {
        {-16, 63},  // 7.5 rounds up to 8
        {-14, 77},  // 22.5 rounds down to 22
        {-12, 93},  // 37.5 rounds up to 38
        {-10, 107}, // 52.5 rounds down to 52
        {-5, 145},  // 90 exactly
        {-2, 167},  // 112.5 rounds down to 112
        {-1, 255},  // finished
    };
    SetMoney(100000);
    data->BuildRoom(2, 0);
    const int id = data->RoomID;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.statusBefore);
        SetRoom(id, "STATUS", c.statusBefore);
        SetHour(8);
        data->HourTick(); // 9:00
        EXPECT_EQ(RoomValue(id, "STATUS"), c.statusBefore + 1);
        EXPECT_EQ(RoomValue(id, "ALPHA"), c.alpha);
    }
}

class RefusalOrderTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        OpenNewHotel();
        data->BuildFloor();
    }
};

TEST_F(RefusalOrderTest, MoneyIsCheckedBeforeThePlaceOfTheRoom)
{
    struct Case
    {
        const char *name;
        int type, cell;
    };
    AddRoom(1, 4, 0);
    const Case cases[] = {
        {"past the right end", 3, 8},
        {"left of the floor", 1, -1},
        {"over a room that begins later", 2, 3},
        {"on the cell of a room", 1, 4},
    };
    SetMoney(0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        messages.Messages.clear();
        EXPECT_THROW(data->BuildRoom(c.type, c.cell), EAbort);
        EXPECT_EQ(messages.Messages, std::vector<std::string>{"You don't have enough money!"});
    }
}

TEST_F(RefusalOrderTest, ARefusalLeavesAStoppedClockStopped)
{
    data->CloseHotel();
    data->SelectHotel(Get(data->tHotel, "HOTEL_ID"));
    ASSERT_FALSE(clock.Enabled());
    const int starts = clock.Starts();
    SetMoney(0);
    EXPECT_THROW(data->BuildFloor(), EAbort);
    EXPECT_EQ(messages.Messages, std::vector<std::string>{"You don't have enough money!"});
    EXPECT_FALSE(clock.Enabled());
    EXPECT_EQ(clock.Starts(), starts);
}

// A message window that fails lets its own error through, and a running clock still runs on;
// a stopped one stays stopped.
TEST_F(RefusalOrderTest, AFailingMessageWindowPassesItsErrorOnAndLeavesTheClockAsItWas)
{
    struct TFailingWindow : TMessageWindow
    {
        void ShowDialog(const std::string &) override { throw std::runtime_error("no display"); }
    } failing;
    data->SetMessageWindow(&failing);
    SetMoney(0);
    for (const bool running : {true, false}) {
        SCOPED_TRACE(running ? "running" : "stopped");
        if (running)
            data->StartClock();
        else
            clock.Stop();
        EXPECT_THROW(data->BuildFloor(), std::runtime_error);
        EXPECT_EQ(clock.Enabled(), running);
    }
    data->SetMessageWindow(&messages);
}

TEST_F(RefusalOrderTest, ThingsTheGameDoesNotHaveAreRejectedAndCostNothing)
{
    struct Case
    {
        const char *name;
        void (*command)(TD_Data &);
    };
    const Case cases[] = {
        {"room type 0", [](TD_Data &d) { d.BuildRoom(0, 0); }},
        {"room type 6", [](TD_Data &d) { d.BuildRoom(6, 0); }},
        {"item 0", [](TD_Data &d) { d.BuyStuff(0); }},
        {"item 5", [](TD_Data &d) { d.BuyStuff(5); }},
        {"station kind 0", [](TD_Data &d) { d.BuildStation(0); }},
        {"station kind 4", [](TD_Data &d) { d.BuildStation(4); }},
        {"workers of station kind 4", [](TD_Data &d) { d.ChangeWorkers(4, 1); }},
    };
    SetMoney(100000);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.command(*data), std::out_of_range);
        EXPECT_EQ(data->GetMoney(), 100000);
        EXPECT_EQ(data->tRoom.RawRecordCount(), 0u);
    }
    EXPECT_EQ(FloorText(0, "STUFF"), "0000");
    EXPECT_TRUE(messages.Messages.empty());
}

// Comfort items whose lives have one digit, two digits, and the most two digits hold.
class ItemLifeTest : public ModelTest
{
protected:
    void SetUp() override
    {
        std::vector<TCatalogRow> rows = TestCatalog();
        for (TCatalogRow &row : rows) {
            if (row.ID == 21)
                row.WEAR = 9;
            if (row.ID == 22)
                row.WEAR = 10;
            if (row.ID == 23)
                row.WEAR = 99;
        }
        WriteCatalogFile(rows, dir.Path + "tRooms.dht");
        StartModel();
        OpenNewHotel();
        data->BuildFloor();
    }
};

TEST_F(ItemLifeTest, CountersAreTwoDigitsAndCountDownAtFifteen)
{
    data->BuyStuff(1);
    data->BuyStuff(2);
    data->BuyStuff(3);
    EXPECT_EQ(FloorText(0, "STUFF"), "1110");
    EXPECT_EQ(FloorText(0, "STUF_WEAR"), "09109900");
    EXPECT_EQ(FloorValue(0, "COMFORT"), (300 + 75) / 4);
    SetHour(14);
    data->HourTick(); // 15:00
    EXPECT_EQ(FloorText(0, "STUF_WEAR"), "08099800");
    data->RunHours(24);
    EXPECT_EQ(FloorText(0, "STUF_WEAR"), "07089700");
    EXPECT_TRUE(scene.Calls.empty());
}

TEST_F(ModelTest, CatalogLimitsHoldAtTheirEdges)
{
    struct Case
    {
        const char *name;
        int id;
        int width, wear; // -1 keeps the test catalog's value
        bool ready;
    };
    const Case cases[] = {
        {"a room of 10 cells", 5, 10, -1, true},
        {"a room of 11 cells", 5, 11, -1, false},
        {"the last room type without width", 5, 0, -1, false},
        {"a floor row without width", 10, 0, -1, true},
        {"the first item living 99 days", 21, -1, 99, true},
        {"the first item living 100 days", 21, -1, 100, false},
        {"a station row with a wear of 100", 13, -1, 100, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TCatalogRow> rows = TestCatalog();
        for (TCatalogRow &row : rows) {
            if (row.ID != c.id)
                continue;
            if (c.width >= 0)
                row.WIDTH = c.width;
            if (c.wear >= 0)
                row.WEAR = c.wear;
        }
        data.reset();
        WriteCatalogFile(rows, dir.Path + "tRooms.dht");
        StartModel();
        EXPECT_EQ(data->CatalogReady(), c.ready);
    }
}

// A catalog wage of a billion for five workers is five billion: more than any money, so the
// workers go unpaid, rather than the product wrapping to a wage the hotel can pay.
TEST_F(ModelTest, AWageBeyondThirtyTwoBitsIsNotPaid)
{
    data.reset();
    auto rows = TestCatalog();
    rows[6].INCOME = 1000000000; // a cleaner's wage
    WriteCatalogFile(rows, dir.Path + "tRooms.dht");
    StartModel();
    OpenNewHotel();
    data->BuildFloor();
    SetFloor(0, "DIRTY_STATION", 5);
    SetMoney(2000000000);
    SetHour(2);
    data->HourTick(); // 3:00: cleaning
    EXPECT_EQ(data->GetMoney(), 2000000000);
}

TEST_F(ModelTest, LoadingAgainForgetsTheTablesThatFailedBefore)
{
    data.reset();
    {
        std::ofstream damaged(dir.Path + "tRooms.dht", std::ios::binary);
        damaged << "not a table";
    }
    StartModel();
    ASSERT_FALSE(data->CatalogReady());
    ASSERT_EQ(data->LoadErrors().size(), 1u);
    WriteCatalogFile(TestCatalog(), dir.Path + "tRooms.dht");
    data->LoadTables();
    EXPECT_TRUE(data->LoadErrors().empty());
    EXPECT_TRUE(data->CatalogReady());
    EXPECT_EQ(data->CatalogProblem(), "");

    // And the other way: a catalog that was ready is judged afresh, refused or unreadable.
    auto refused = TestCatalog();
    refused[0].PRICE = -1;
    WriteCatalogFile(refused, dir.Path + "tRooms.dht");
    data->LoadTables();
    EXPECT_FALSE(data->CatalogReady());
    {
        std::ofstream damaged(dir.Path + "tRooms.dht", std::ios::binary);
        damaged << "not a table";
    }
    data->LoadTables();
    EXPECT_FALSE(data->CatalogReady());
    EXPECT_NE(data->LoadErrorText().find("These tables start empty"), std::string::npos)
        << "an unreadable catalog after a refused one is no longer called refused";
    WriteCatalogFile(TestCatalog(), dir.Path + "tRooms.dht");
    data->LoadTables();
    EXPECT_TRUE(data->CatalogReady());
    EXPECT_EQ(data->LoadErrorText(), "");
}

TEST_F(RefusalOrderTest, ANewFloorsPanelsAreLiveAgainBeforeTheMoneyIsTaken)
{
    int floorNoticesHeld = -1;
    TDataSource hotel(&data->tHotel);
    hotel.OnDataChange = [&](TDataSource &, TField *) {
        floorNoticesHeld = data->tFloor.NotificationSuspendCount();
    };
    SetMoney(100000);
    floorNoticesHeld = -1;
    data->BuildFloor();
    EXPECT_EQ(data->GetMoney(), 90000);
    EXPECT_EQ(floorNoticesHeld, 0);
}

TEST_F(ModelTest, ACatalogWithoutAnyOfTheRowsTheGameReadsIsRefused)
{
    for (const int missing : {1, 2, 3, 4, 5, 10, 11, 12, 13, 21, 22, 23, 24}) {
        SCOPED_TRACE(missing);
        std::vector<TCatalogRow> rows;
        for (const TCatalogRow &row : TestCatalog())
            if (row.ID != missing)
                rows.push_back(row);
        data.reset();
        WriteCatalogFile(rows, dir.Path + "tRooms.dht");
        StartModel();
        EXPECT_FALSE(data->CatalogReady());
        ASSERT_EQ(data->LoadErrors().size(), 1u);
        EXPECT_NE(data->LoadErrors()[0].Message.find("no row " + std::to_string(missing)),
                  std::string::npos)
            << data->LoadErrors()[0].Message;
    }
}

TEST_F(RefusalOrderTest, BreakingAnItemClearsItsOwnCounterOnly)
{
    SetMoney(100000);
    data->BuyStuff(2); // life 7
    data->BuyStuff(4); // life 12
    ASSERT_EQ(FloorText(0, "STUF_WEAR"), "00070012");
    ASSERT_TRUE(data->tFloor.Locate("FLOOR_ID", 0));
    data->BreakStuff(2);
    EXPECT_EQ(FloorText(0, "STUFF"), "0001");
    EXPECT_EQ(FloorText(0, "STUF_WEAR"), "00000012");
    EXPECT_EQ(FloorValue(0, "COMFORT"), (300 + 25) / 4);
    EXPECT_EQ(scene.Calls, std::vector<std::string>{"stuff 0 2"});
}

TEST_F(RefusalOrderTest, TheCopiesHoldOnlyTheLastSelectedFloorAndRoom)
{
    SetMoney(1000000);
    data->BuildFloor(); // storey 1
    const int first = AddRoom(1, 0, 0);
    const int second = AddRoom(3, 2, 1);
    data->SelectRoom(first);
    data->SelectRoom(second);
    data->SelectFloor(0);
    data->SelectFloor(1);
    EXPECT_EQ(data->tCurrRoom.RawRecordCount(), 1u);
    EXPECT_EQ(Get(data->tCurrRoom, "ID"), second);
    EXPECT_EQ(Get(data->tCurrRoom, "TYPE"), 3);
    EXPECT_EQ(data->tCurrFloor.RawRecordCount(), 1u);
    EXPECT_EQ(Get(data->tCurrFloor, "FLOOR_ID"), 1);
}
