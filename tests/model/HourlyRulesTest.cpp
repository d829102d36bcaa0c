#include "ModelFixture.h"
#include "common/HotelCodes.h"
#include "store/DataSource.h"

#include <functional>
#include <stdexcept>

namespace {

// A floor whose levels let guests in, with two rooms of the given status.
class HourlyRulesTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        OpenNewHotel();
        SetMoney(1000000);
        data->BuildFloor();
        for (const char *level : {"DIRTY", "POLICY", "FIRE"})
            SetFloor(0, level, 100);
    }

    // Counts the change notices a panel bound to tRoom receives during the step.
    int NoticesDuring(const std::function<void()> &step)
    {
        int notices = 0;
        TDataSource panel;
        panel.SetDataSet(&data->tRoom);
        panel.OnDataChange = [&](TDataSource &, TField *) { ++notices; };
        step();
        return notices;
    }
};

// A walk over the rooms that changes each of them refreshes the panels once.
TEST_F(HourlyRulesTest, EachWalkOverTheRoomsSendsOneNotice)
{
    struct Case
    {
        const char *name;
        int status; // of both rooms
        int hour;
        std::function<void(TD_Data &)> step;
        int statusAfter;
    };
    const Case cases[] = {
        {"occupancy", RoomStatus::Free, 10, [](TD_Data &d) { d.UpdateOccupancy(); },
         RoomStatus::Occupied},
        {"room wear", RoomStatus::Occupied, 22, [](TD_Data &d) { d.WearRooms(); },
         RoomStatus::Occupied},
        {"construction", -3, 12, [](TD_Data &d) { d.AdvanceConstruction(); }, -2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        data->tRoom.First();
        while (!data->tRoom.AtEnd())
            data->tRoom.Delete();
        const int first = AddRoom(1, 0, c.status);
        const int second = AddRoom(1, 1, c.status);
        SetHour(c.hour);
        EXPECT_EQ(NoticesDuring([&] { c.step(*data); }), 1);
        EXPECT_EQ(data->tRoom.NotificationSuspendCount(), 0);
        EXPECT_EQ(RoomValue(first, "STATUS"), c.statusAfter);
        EXPECT_EQ(RoomValue(second, "STATUS"), c.statusAfter);
    }
}

// A scene callback that fails ends the walk, but the panels still hear of it.
TEST_F(HourlyRulesTest, ANoticeFollowsAWalkThatFails)
{
    class FailingScene : public FakeSceneCallbacks
    {
    public:
        void SetRoomStatus(int, int) override { throw std::runtime_error("scene failed"); }
    } failing;
    const int room = AddRoom(1, 0, RoomStatus::Free);
    SetHour(10);
    data->SetSceneCallbacks(&failing);
    const int notices =
        NoticesDuring([&] { EXPECT_THROW(data->UpdateOccupancy(), std::runtime_error); });
    EXPECT_EQ(data->tRoom.NotificationSuspendCount(), 0);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(RoomValue(room, "STATUS"), RoomStatus::Occupied);
}

// Building goes on from 9:00 to 18:00, both included.
TEST_F(HourlyRulesTest, ConstructionAdvancesInTheWorkingHoursOnly)
{
    struct Case
    {
        int hour;
        int statusAfter; // of a room at -3 of type 1 (4 building hours)
    };
    const Case cases[] = {{8, -3}, {9, -2}, {18, -2}, {19, -3}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hour);
        const int room = AddRoom(1, 0, -3);
        SetHour(c.hour);
        data->AdvanceConstruction();
        EXPECT_EQ(RoomValue(room, "STATUS"), c.statusAfter);
        data->SelectRoom(room);
        data->DemolishRoom();
    }
}

// A room begun while its type took building hours, whose catalog row now
// says none, is finished at its next building hour and fully drawn.
TEST_F(HourlyRulesTest, ARoomWhoseTypeNowNeedsNoBuildingIsFinishedAtOnce)
{
    const int room = AddRoom(5, 0, -3); // type 5 takes 0 building hours
    SetHour(12);
    scene.Calls.clear();
    data->AdvanceConstruction();
    EXPECT_EQ(RoomValue(room, "STATUS"), RoomStatus::Free);
    EXPECT_EQ(RoomValue(room, "ALPHA"), 255);
    const std::string id = std::to_string(room);
    EXPECT_EQ(scene.Calls,
              (std::vector<std::string>{"status " + id + " 0", "alpha " + id + " 255"}));
}

// The new hour is stored at once, also in a hotel with nothing else to change.
TEST_F(ModelTest, HourTickStoresTheNewHourAtOnce)
{
    OpenNewHotel();
    SetHour(11);
    data->HourTick();
    EXPECT_EQ(data->tHotel.State(), tsBrowse);
    EXPECT_EQ(data->GetHour(), 12);
}

} // namespace
