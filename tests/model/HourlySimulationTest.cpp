// The hourly rules: clock, construction, levels, wages, occupancy, income, wear.
#include "ModelFixture.h"

class HourlyTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        OpenNewHotel();
        data->BuildFloor();
        scene.Calls.clear();
    }

    // Levels and items of storey 0, posted together.
    void SetLevels(int dirty, int policy, int fire, const char *stuff)
    {
        ASSERT_TRUE(data->tFloor.Locate("FLOOR_ID", 0));
        data->tFloor.Edit();
        data->tFloor.FieldNamed("DIRTY").SetAsInteger(dirty);
        data->tFloor.FieldNamed("POLICY").SetAsInteger(policy);
        data->tFloor.FieldNamed("FIRE").SetAsInteger(fire);
        data->tFloor.FieldNamed("STUFF").SetAsString(stuff);
        data->tFloor.Post();
    }
};

TEST_F(HourlyTest, MidnightStartsTheNextDayAndRunsFirePoliceDirt)
{
    AddRoom(2, 0, 1);
    AddRoom(3, 2, 1); // load 5
    SetHour(23);
    const double day = data->tHotel.FieldNamed("DATE").AsDateTime();
    random.Script = {3, 4};
    data->HourTick();
    EXPECT_EQ(data->GetHour(), 0);
    EXPECT_EQ(data->tHotel.FieldNamed("DATE").AsDateTime(), day + 1);
    EXPECT_EQ(random.Requests, (std::vector<int>{5, 5}));
    EXPECT_EQ(FloorValue(0, "FIRE"), 97) << "fire draws first";
    EXPECT_EQ(FloorValue(0, "POLICY"), 96);
    EXPECT_EQ(FloorValue(0, "DIRTY"), 95) << "dirt drops by the load, without a draw";
    EXPECT_EQ(Get(data->tCurrFloor, "DIRTY"), 95) << "the copy shows the new hour";
}

TEST_F(HourlyTest, ComfortFollowsTheLevelsAndItemsAtEveryPost)
{
    struct Case
    {
        int dirty, policy, fire;
        const char *stuff;
        int comfort;
    };
    const Case cases[] = {
        {100, 100, 100, "0000", 75}, {100, 100, 100, "0100", 81}, {100, 100, 100, "1111", 100},
        {100, 100, 100, "", 75},     {0, 0, 0, "0000", 0},        {0, 0, 1, "1000", 6},
        {21, 21, 21, "1100", 28},    {50, 50, 50, "0011", 50},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stuff);
        SetLevels(c.dirty, c.policy, c.fire, c.stuff);
        EXPECT_EQ(Get(data->tFloor, "COMFORT"), c.comfort);
    }
}

TEST_F(HourlyTest, ConstructionFadesInWithAlpha85To255ForBuild4)
{
    SetHour(8);
    data->BuildRoom(1, 0); // BUILD 4
    const int id = data->RoomID;
    const std::string room = std::to_string(id);
    data->RunHours(4);
    EXPECT_EQ(scene.Calls,
              (std::vector<std::string>{"alpha " + room + " 85", "alpha " + room + " 115",
                                        "alpha " + room + " 145", "status " + room + " 0",
                                        "alpha " + room + " 255"}));
    EXPECT_EQ(RoomValue(id, "STATUS"), 0);
    EXPECT_EQ(RoomValue(id, "ALPHA"), 255);
}

TEST_F(HourlyTest, ConstructionCountsOnlyWorkingHours)
{
    SetHour(19);
    data->BuildRoom(4, 0); // BUILD 1, built at 20:00
    const int id = data->RoomID;
    data->RunHours(1);
    data->RunHours(12); // to 8:00 next day
    EXPECT_EQ(RoomValue(id, "STATUS"), -1);
    EXPECT_TRUE(scene.Calls.empty());
    data->RunHours(1); // 9:00
    EXPECT_EQ(RoomValue(id, "STATUS"), 0);
}

TEST_F(HourlyTest, EmptyFloorKeepsItsDirtDrawsNothingAndWorkersRaiseLevels)
{
    SetFloor(0, "FIRE", 50);
    SetFloor(0, "POLICY", 99);
    SetFloor(0, "DIRTY", 60);
    SetFloor(0, "FIRE_STATION", 5);
    SetFloor(0, "POLICY_STATION", 1);
    SetHour(19);
    random.Script = {7, 7, 7};
    data->HourTick(); // 20:00: fire and police
    EXPECT_EQ(FloorValue(0, "FIRE"), 60);
    EXPECT_EQ(FloorValue(0, "POLICY"), 100) << "capped at 100";
    EXPECT_EQ(FloorValue(0, "DIRTY"), 60);
    EXPECT_EQ(random.Requests, (std::vector<int>{0, 0}));
    EXPECT_EQ(data->GetMoney(), 40000 - 5 * 12 - 11);
}

TEST_F(HourlyTest, WagesArePaidOnlyWhenBelowTheMoneyLeft)
{
    struct Case
    {
        int money;
        int dirty; // after one cleaning run of 2 workers with load 3
        int moneyAfter;
    };
    const Case cases[] = {
        {20, 97, 20}, // wage 20 equal to the money: not paid, workers idle
        {21, 100, 1}, // paid: the level rises by 4 per worker
        {0, 97, 0},   // nothing to pay with
    };
    AddRoom(3, 0, 1);
    SetFloor(0, "DIRTY_STATION", 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.money);
        SetFloor(0, "DIRTY", 100);
        SetMoney(c.money);
        SetHour(2);
        data->HourTick(); // 3:00: dirt only
        EXPECT_EQ(FloorValue(0, "DIRTY"), c.dirty);
        EXPECT_EQ(data->GetMoney(), c.moneyAfter);
    }
}

TEST_F(HourlyTest, EachWageIsCheckedAgainstTheMoneyLeftThen)
{
    data->BuildFloor(); // storey 1, bought after storey 0
    SetFloor(0, "DIRTY_STATION", 5);
    SetFloor(1, "DIRTY_STATION", 5);
    SetFloor(0, "DIRTY", 50);
    SetFloor(1, "DIRTY", 50);
    SetMoney(60);
    SetHour(2);
    data->HourTick();
    EXPECT_EQ(FloorValue(0, "DIRTY"), 70) << "the lower floor is paid first";
    EXPECT_EQ(FloorValue(1, "DIRTY"), 50) << "50 left is not enough for 50";
    EXPECT_EQ(data->GetMoney(), 10);
}

TEST_F(HourlyTest, SecondDrawStandsWhateverItIs)
{
    struct Case
    {
        std::deque<int> script;
        int fire;
        std::size_t draws;
    };
    const Case cases[] = {
        {{10}, 90, 1},     // 10 is not above 10: one draw
        {{11, 3}, 97, 2},  // redrawn lower
        {{15, 18}, 82, 2}, // redrawn higher: it stands
    };
    AddRoom(5, 0, 1);
    AddRoom(5, 2, 1);
    AddRoom(5, 4, 1);
    AddRoom(5, 6, 1); // load 20
    for (const Case &c : cases) {
        SetFloor(0, "FIRE", 100);
        random.Script = c.script;
        random.Requests.clear();
        SetHour(4);
        data->HourTick(); // 5:00: fire only
        EXPECT_EQ(FloorValue(0, "FIRE"), c.fire);
        EXPECT_EQ(random.Requests.size(), c.draws);
    }
}

TEST_F(HourlyTest, IncomeRoundsHalfToEvenPerFloor)
{
    struct Case
    {
        int type; // one occupied room of this type on a floor of comfort 75
        int income;
    };
    const Case cases[] = {{3, 22}, {1, 8}, {2, 15}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        const int id = AddRoom(c.type, 0, 1);
        SetMoney(0);
        SetHour(7);
        data->HourTick(); // 8:00
        EXPECT_EQ(data->GetMoney(), c.income);
        SetRoom(id, "STATUS", 0);
        data->SelectRoom(id);
        data->DemolishRoom();
    }
}

TEST_F(HourlyTest, RoomsFillEmptyAndBreakAtTheirHours)
{
    const int worn = AddRoom(4, 0, 0); // WEAR 1
    const int free = AddRoom(1, 1, 0);
    SetRoom(free, "WEAR", 0); // a free room without wear never fills
    SetHour(9);
    data->HourTick(); // 10:00
    EXPECT_EQ(RoomValue(worn, "STATUS"), 1);
    EXPECT_EQ(RoomValue(free, "STATUS"), 0);
    data->RunHours(12); // 22:00
    EXPECT_EQ(RoomValue(worn, "STATUS"), 2);
    EXPECT_EQ(RoomValue(worn, "WEAR"), 0);
    const std::string id = std::to_string(worn);
    EXPECT_EQ(scene.Calls,
              (std::vector<std::string>{"status " + id + " 1", "status " + id + " 2"}));
    data->RunHours(24 * 3);
    EXPECT_EQ(RoomValue(worn, "STATUS"), 2) << "broken is final";
}

TEST_F(HourlyTest, OccupancyThresholdsAt50And20)
{
    struct Case
    {
        const char *name;
        int dirty, policy, fire;
        const char *stuff;
        int freeAfter, occupiedAfter;
    };
    // Comfort = (d + p + f + 25 * items) / 4.
    const Case cases[] = {
        {"comfort 50 keeps but does not fill", 50, 50, 50, "0011", 0, 1},
        {"comfort 51 fills", 54, 50, 50, "0011", 1, 1},
        {"comfort 49 empties", 46, 50, 50, "0011", 0, 0},
        // Each level in turn at 19, 20 and 21, the others at 100 (comfort 79 to 80).
        {"dirt 19 empties", 19, 100, 100, "1111", 0, 0},
        {"dirt 20 keeps but does not fill", 20, 100, 100, "1111", 0, 1},
        {"dirt 21 fills", 21, 100, 100, "1111", 1, 1},
        {"police 19 empties", 100, 19, 100, "1111", 0, 0},
        {"police 20 keeps but does not fill", 100, 20, 100, "1111", 0, 1},
        {"police 21 fills", 100, 21, 100, "1111", 1, 1},
        {"fire 19 empties", 100, 100, 19, "1111", 0, 0},
        {"fire 20 keeps but does not fill", 100, 100, 20, "1111", 0, 1},
        {"fire 21 fills", 100, 100, 21, "1111", 1, 1},
    };
    const int freeRoom = AddRoom(1, 0, 0);
    const int occupied = AddRoom(1, 1, 1);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetRoom(freeRoom, "STATUS", 0);
        SetRoom(occupied, "STATUS", 1);
        SetLevels(c.dirty, c.policy, c.fire, c.stuff);
        SetHour(10);
        data->UpdateOccupancy();
        EXPECT_EQ(RoomValue(freeRoom, "STATUS"), c.freeAfter);
        EXPECT_EQ(RoomValue(occupied, "STATUS"), c.occupiedAfter);
    }
}

TEST_F(HourlyTest, ItemsWearOutAtTheNPlusFirst1500)
{
    SetMoney(100000);
    data->BuyStuff(1); // life 0
    data->BuyStuff(3); // life 1
    data->BuyStuff(2); // life 7
    data->BuyStuff(4); // life 12
    EXPECT_EQ(FloorText(0, "STUF_WEAR"), "00070112");
    SetHour(14);
    std::vector<std::string> seen;
    for (int day = 1; day <= 8; ++day) {
        scene.Calls.clear();
        data->HourTick(); // 15:00
        for (const std::string &call : scene.Calls)
            seen.push_back("day " + std::to_string(day) + " " + call);
        if (day == 1) {
            EXPECT_EQ(FloorText(0, "STUFF"), "0111");
            EXPECT_EQ(FloorText(0, "STUF_WEAR"), "00060011");
        }
        data->RunHours(23);
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"day 1 stuff 0 1", "day 2 stuff 0 3", "day 8 stuff 0 2"}));
    EXPECT_EQ(FloorText(0, "STUFF"), "0001");
    EXPECT_EQ(FloorText(0, "STUF_WEAR"), "00000004");
    EXPECT_EQ(FloorValue(0, "COMFORT"), 81);
}

TEST_F(HourlyTest, WalksThatChangeEveryRecordNotifyTheirPanelsOnce)
{
    for (int storey = 1; storey < 4; ++storey)
        data->BuildFloor();
    data->SelectFloor(0);
    SetMoney(100000);
    data->BuyStuff(1);
    AddRoom(1, 0, 1);
    AddRoom(1, 1, -3);
    int floorNotices = 0, roomNotices = 0;
    TDataSource floors(&data->tFloor), rooms(&data->tRoom);
    floors.OnDataChange = [&](TDataSource &, TField *) { ++floorNotices; };
    rooms.OnDataChange = [&](TDataSource &, TField *) { ++roomNotices; };
    struct Step
    {
        const char *name;
        int hour;
        void (TD_Data::*run)();
        int *notices;
    };
    const Step steps[] = {
        {"UpdateDirt", 3, &TD_Data::UpdateDirt, &floorNotices},
        {"UpdateFire", 5, &TD_Data::UpdateFire, &floorNotices},
        {"UpdatePolice", 4, &TD_Data::UpdatePolice, &floorNotices},
        {"WearStuff", 15, &TD_Data::WearStuff, &floorNotices},
        {"AdvanceConstruction", 9, &TD_Data::AdvanceConstruction, &roomNotices},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        SetHour(step.hour);
        floorNotices = roomNotices = 0;
        (data.get()->*step.run)();
        EXPECT_EQ(*step.notices, 1);
    }
}
