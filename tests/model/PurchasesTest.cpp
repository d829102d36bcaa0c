// The player's purchases: their checks, their refusals and what they change.
#include "ModelFixture.h"

#include <functional>

namespace {

// Every stored value of the hotel, floor and room tables, with their states,
// plus the clock: what a refused command must leave as it was.
struct Snapshot
{
    std::vector<std::vector<TFieldValue>> records;
    std::vector<int> states;
    bool clockEnabled = false;
    bool operator==(const Snapshot &) const = default;
};

Snapshot Take(TD_Data &data)
{
    Snapshot snapshot;
    for (TvekMemTable *table : {&data.tHotel, &data.tFloor, &data.tRoom}) {
        snapshot.states.push_back(table->State());
        for (std::size_t r = 0; r < table->RawRecordCount(); ++r) {
            std::vector<TFieldValue> record;
            for (int f = 0; f < table->FieldCount(); ++f)
                record.push_back(table->RawValue(r, f));
            snapshot.records.push_back(record);
        }
    }
    snapshot.clockEnabled = data.gmTimer().Enabled();
    return snapshot;
}

} // namespace

class PurchasesTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        OpenNewHotel();
        data->BuildFloor();
    }
};

TEST_F(PurchasesTest, MoneyEqualToThePriceBuysAndLeavesZero)
{
    SetMoney(10000);
    data->BuildFloor();
    EXPECT_EQ(data->GetMoney(), 0);
    EXPECT_EQ(data->FloorID, 1);
    EXPECT_EQ(Get(data->tFloor, "FLOOR_ID"), 1);
    EXPECT_EQ(Get(data->tCurrFloor, "FLOOR_ID"), 1);
    EXPECT_EQ(Get(data->tCurrFloor, "COMFORT"), 75) << "a new floor posts its comfort";
    EXPECT_TRUE(messages.Messages.empty());
}

struct Refusal
{
    const char *name;
    std::function<void(ModelTest &, TD_Data &)> prepare;
    std::function<void(TD_Data &)> command;
    const char *message;
};

class RefusalTest : public PurchasesTest, public ::testing::WithParamInterface<Refusal>
{
public:
    // Lets the prepare steps reach the fixture's helpers.
    void Money(int money) { SetMoney(money); }
    void Room(int type, int cell) { AddRoom(type, cell, 0); }
    void BrokenRoom(int type, int cell) { AddRoom(type, cell, 2); }
    void Floors(int count)
    {
        for (int i = 0; i < count; ++i) {
            SetMoney(1000000);
            data->BuildFloor();
        }
    }
};

TEST_P(RefusalTest, LeavesTablesMoneyAndClockAsBefore)
{
    const Refusal &c = GetParam();
    c.prepare(*this, *data);
    data->SelectFloor(0);
    const Snapshot before = Take(*data);
    const int starts = clock.Starts();
    EXPECT_THROW(c.command(*data), EAbort);
    EXPECT_EQ(messages.Messages, std::vector<std::string>{c.message});
    EXPECT_FALSE(messages.ClockRanDuringMessage);
    EXPECT_TRUE(clock.Enabled());
    EXPECT_EQ(clock.Starts(), starts + 1);
    EXPECT_TRUE(Take(*data) == before);
}

namespace {
RefusalTest &Fix(ModelTest &test)
{
    return static_cast<RefusalTest &>(test);
}
const char *const kMoney = "You don't have enough money!";
const char *const kHere = "You cannot build here";
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Purchases, RefusalTest,
    ::testing::Values(
        Refusal{"FloorWithoutMoney", [](ModelTest &t, TD_Data &) { Fix(t).Money(9999); },
                [](TD_Data &d) { d.BuildFloor(); }, kMoney},
        Refusal{"EleventhFloor", [](ModelTest &t, TD_Data &) { Fix(t).Floors(9); },
                [](TD_Data &d) { d.BuildFloor(); }, "No more build floor."},
        Refusal{"EleventhFloorWithoutMoneyGetsTheMoneyMessage",
                [](ModelTest &t, TD_Data &) {
                    Fix(t).Floors(9);
                    Fix(t).Money(5);
                },
                [](TD_Data &d) { d.BuildFloor(); }, kMoney},
        Refusal{"RoomWithoutMoney", [](ModelTest &t, TD_Data &) { Fix(t).Money(2999); },
                [](TD_Data &d) { d.BuildRoom(3, 0); }, kMoney},
        Refusal{"RoomPastTheRightEnd", [](ModelTest &, TD_Data &) {},
                [](TD_Data &d) { d.BuildRoom(3, 8); }, kHere},
        Refusal{"RoomLeftOfTheFloor", [](ModelTest &, TD_Data &) {},
                [](TD_Data &d) { d.BuildRoom(1, -1); }, kHere},
        Refusal{"RoomOverARoomThatBeginsLater", [](ModelTest &t, TD_Data &) { Fix(t).Room(1, 4); },
                [](TD_Data &d) { d.BuildRoom(2, 3); }, kHere},
        Refusal{"RoomOnACellARoomCovers", [](ModelTest &t, TD_Data &) { Fix(t).Room(2, 2); },
                [](TD_Data &d) { d.BuildRoom(1, 3); }, kHere},
        Refusal{"StationWithoutMoney", [](ModelTest &t, TD_Data &) { Fix(t).Money(1199); },
                [](TD_Data &d) { d.BuildStation(3); }, kMoney},
        Refusal{"ItemWithoutMoney", [](ModelTest &t, TD_Data &) { Fix(t).Money(0); },
                [](TD_Data &d) { d.BuyStuff(1); }, kMoney},
        Refusal{"RebuildOfARoomInUse", [](ModelTest &t, TD_Data &) { Fix(t).Room(2, 0); },
                [](TD_Data &d) { d.RebuildRoom(); }, "Only a broken room can be rebuilt"},
        Refusal{"RebuildWithoutMoney",
                [](ModelTest &t, TD_Data &) {
                    Fix(t).BrokenRoom(3, 0);
                    Fix(t).Money(2999);
                },
                [](TD_Data &d) { d.RebuildRoom(); }, kMoney}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PurchasesTest, RoomsFitTheFloorAndOnlyRoomsOfTheSameFloorCount)
{
    data->BuildRoom(3, 7);
    EXPECT_EQ(Get(data->tRoom, "POSIT"), 7);
    data->BuildRoom(1, 2);
    data->BuildRoom(2, 3); // the neighbour at 2 is one cell wide
    EXPECT_EQ(Get(data->tRoom, "POSIT"), 3);
    // On another floor the same cells are free.
    data->BuildFloor();
    data->BuildRoom(2, 3);
    data->BuildRoom(3, 7);
    EXPECT_EQ(data->tRoom.RawRecordCount(), 5u);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(PurchasesTest, NewRoomStartsUnderConstruction)
{
    data->BuildRoom(2, 0);
    EXPECT_EQ(Get(data->tRoom, "STATUS"), -4);
    EXPECT_EQ(Get(data->tRoom, "WEAR"), 5);
    EXPECT_EQ(Get(data->tRoom, "ALPHA"), 55);
    EXPECT_EQ(Get(data->tRoom, "FLOOR_ID"), 0);
    EXPECT_EQ(Get(data->tRoom, "TYPE"), 2);
    EXPECT_EQ(Get(data->tCurrRoom, "ID"), data->RoomID);
    EXPECT_EQ(data->GetMoney(), 50000 - 10000 - 2000);
    data->BuildRoom(5, 4); // BUILD 0: free at once
    EXPECT_EQ(Get(data->tRoom, "STATUS"), 0);
}

TEST_F(PurchasesTest, StationsAndWorkers)
{
    data->BuildStation(2);
    EXPECT_EQ(Get(data->tCurrFloor, "POLICY_STATION"), 0);
    EXPECT_EQ(data->GetMoney(), 40000 - 1100);
    data->ChangeWorkers(2, -1); // below 0: ignored
    EXPECT_EQ(Get(data->tCurrFloor, "POLICY_STATION"), 0);
    for (int i = 0; i < 7; ++i)
        data->ChangeWorkers(2, +1);
    EXPECT_EQ(Get(data->tCurrFloor, "POLICY_STATION"), 5);
    data->ChangeWorkers(2, -1);
    EXPECT_EQ(Get(data->tCurrFloor, "POLICY_STATION"), 4);
    // No station: no workers to hire. A station bought twice is bought once.
    data->ChangeWorkers(1, +1);
    EXPECT_EQ(Get(data->tCurrFloor, "DIRTY_STATION"), -1);
    data->BuildStation(2);
    EXPECT_EQ(Get(data->tCurrFloor, "POLICY_STATION"), 4);
    EXPECT_EQ(data->GetMoney(), 40000 - 1100) << "hiring costs nothing";
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(PurchasesTest, BuyingAnItemSetsItsCounterAndComfort)
{
    data->BuyStuff(2);
    EXPECT_EQ(data->tCurrFloor.FieldNamed("STUFF").AsString(), "0100");
    EXPECT_EQ(data->tCurrFloor.FieldNamed("STUF_WEAR").AsString(), "00070000");
    EXPECT_EQ(Get(data->tCurrFloor, "COMFORT"), 81);
    data->BuyStuff(4);
    EXPECT_EQ(data->tCurrFloor.FieldNamed("STUF_WEAR").AsString(), "00070012");
    data->BuyStuff(4); // already installed
    EXPECT_EQ(data->GetMoney(), 40000 - 600 - 800);
}

TEST_F(PurchasesTest, DemolishingRefundsNothing)
{
    data->BuildRoom(3, 0);
    const int money = data->GetMoney();
    data->DemolishRoom();
    EXPECT_EQ(data->RoomID, -1);
    EXPECT_EQ(data->tRoom.RawRecordCount(), 0u);
    EXPECT_EQ(data->GetMoney(), money);
    // With no room selected nothing is deleted.
    data->BuildRoom(1, 0);
    data->SelectRoom(-1);
    data->DemolishRoom();
    EXPECT_EQ(data->tRoom.RawRecordCount(), 1u);
}

// A broken room comes back as a new one of its type on its cells, exactly as demolishing it and
// building it by hand would make it, on its own storey whichever floor is chosen.
TEST_F(PurchasesTest, RebuildReplacesABrokenRoomAsBuildingItByHandWould)
{
    const int broken = AddRoom(3, 2, 2);
    AddRoom(1, 6, 1); // a neighbour on the same floor stays as it is
    SetMoney(1000000);
    data->BuildFloor();
    data->SelectFloor(1);
    data->SelectRoom(broken);
    SetMoney(10000);
    data->RebuildRoom();
    EXPECT_EQ(data->GetMoney(), 10000 - 3000);
    EXPECT_EQ(data->tRoom.RawRecordCount(), 2u);
    EXPECT_FALSE(data->tRoom.Locate("ID", broken));
    const int rebuilt = data->RoomID;
    EXPECT_GT(rebuilt, broken);
    EXPECT_EQ(RoomValue(rebuilt, "FLOOR_ID"), 0);
    EXPECT_EQ(RoomValue(rebuilt, "POSIT"), 2);
    EXPECT_EQ(RoomValue(rebuilt, "TYPE"), 3);
    EXPECT_EQ(RoomValue(rebuilt, "STATUS"), -4) << "four working hours, as the catalog says";
    EXPECT_EQ(RoomValue(rebuilt, "WEAR"), 5);
    EXPECT_EQ(RoomValue(rebuilt, "ALPHA"), 55);
    EXPECT_EQ(Get(data->tCurrRoom, "ID"), rebuilt);
    // Money equal to the price is enough, as for building by hand.
    SetRoom(rebuilt, "STATUS", 2);
    SetMoney(3000);
    data->RebuildRoom();
    EXPECT_EQ(data->GetMoney(), 0);
    EXPECT_NE(data->RoomID, rebuilt);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(PurchasesTest, ARoomMayEndRightWhereTheNextRoomBegins)
{
    data->BuildRoom(3, 7); // cells 7 to 9
    data->BuildRoom(2, 5); // cells 5 and 6
    EXPECT_EQ(Get(data->tRoom, "POSIT"), 5);
    EXPECT_EQ(data->tRoom.RawRecordCount(), 2u);
    EXPECT_TRUE(messages.Messages.empty());
}
