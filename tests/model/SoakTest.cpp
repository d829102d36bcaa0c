// A busy hotel under a seeded random player for 20,000 game hours, with the
// model's invariants checked after every hour.
#include "ModelFixture.h"
#include "model/SeededRandom.h"

#include <cstdio>
#include <map>
#include <set>

namespace {

// Checks the open hotel through raw record access, so that the check moves no cursor.
void CheckInvariants(TD_Data &data, const std::map<int, int> &widths, int hour)
{
    SCOPED_TRACE("hour " + std::to_string(hour));
    ASSERT_GE(data.GetMoney(), 0);
    std::set<int> ids;
    TvekMemTable &floors = data.tFloor;
    auto value = [](TvekMemTable &table, std::size_t r, const char *field) {
        const TFieldValue v = table.RawValue(r, table.FieldNamed(field).Index());
        return std::holds_alternative<std::int32_t>(v) ? std::get<std::int32_t>(v) : 0;
    };
    auto text = [](TvekMemTable &table, std::size_t r, const char *field) {
        const TFieldValue v = table.RawValue(r, table.FieldNamed(field).Index());
        return std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : std::string();
    };
    for (std::size_t r = 0; r < floors.RawRecordCount(); ++r) {
        if (!floors.RawRecordVisible(r))
            continue;
        const int levels[] = {value(floors, r, "DIRTY"), value(floors, r, "POLICY"),
                              value(floors, r, "FIRE")};
        for (int level : levels) {
            ASSERT_GE(level, 0);
            ASSERT_LE(level, 100);
        }
        const std::string stuff = text(floors, r, "STUFF");
        int items = 0;
        for (char c : stuff)
            items += c == '1';
        ASSERT_EQ(value(floors, r, "COMFORT"),
                  (levels[0] + levels[1] + levels[2] + 25 * items) / 4);
        ASSERT_TRUE(ids.insert(value(floors, r, "ID")).second) << "floor ID used twice";
    }
    std::set<std::pair<int, int>> cells;
    TvekMemTable &rooms = data.tRoom;
    for (std::size_t r = 0; r < rooms.RawRecordCount(); ++r) {
        if (!rooms.RawRecordVisible(r))
            continue;
        ASSERT_TRUE(ids.insert(value(rooms, r, "ID")).second) << "room ID used twice";
        const int alpha = value(rooms, r, "ALPHA");
        ASSERT_GE(alpha, 55);
        ASSERT_LE(alpha, 255);
        const int start = value(rooms, r, "POSIT");
        const int width = widths.at(value(rooms, r, "TYPE"));
        ASSERT_GE(start, 0);
        ASSERT_LE(start + width, 10);
        for (int cell = start; cell < start + width; ++cell)
            ASSERT_TRUE(cells.insert({value(rooms, r, "FLOOR_ID"), cell}).second)
                << "two rooms share floor " << value(rooms, r, "FLOOR_ID") << " cell " << cell;
    }
}

int FloorCount(TD_Data &data)
{
    int count = 0;
    for (std::size_t r = 0; r < data.tFloor.RawRecordCount(); ++r)
        count += data.tFloor.RawRecordVisible(r) ? 1 : 0;
    return count;
}

} // namespace

TEST(SoakTest, BusyHotelKeepsItsInvariantsFor20000Hours)
{
    TempDir dir;
    const auto catalog = ShippedCatalog();
    WriteCatalogFile(catalog, dir.Path + "tRooms.dht");
    std::map<int, int> widths;
    for (const TCatalogRow &row : catalog)
        widths[row.ID] = row.WIDTH;

    TD_Data data(dir.Path);
    TSeededRandom rules(20000);
    TSeededRandom player(77);
    FakeMessageWindow messages;
    FakeSceneCallbacks scene;
    data.SetRandom(&rules);
    data.SetMessageWindow(&messages);
    data.SetSceneCallbacks(&scene);
    data.NewHotel("Soak");
    data.SelectHotel(data.tHotel.FieldNamed("HOTEL_ID").AsInteger());
    data.StartClock();
    int refusals = 0;
    int maxRooms = 0;
    long occupiedRoomHours = 0;

    for (int hour = 0; hour < 20000; ++hour) {
        // Every week a new budget, now and then a poor one, so that wages go
        // unpaid some of the time.
        if (hour % (24 * 7) == 0) {
            data.tHotel.Edit();
            data.tHotel.FieldNamed("MONEY").SetAsInteger(
                player.Random(4) == 0 ? player.Random(300) : 100000 + player.Random(100000));
            data.tHotel.Post();
        }
        // A few commands every hour, many of them refused; the player keeps the
        // hotel busy, hires and dismisses, and pulls down what breaks.
        for (int k = 0; k < 3; ++k) {
            try {
                switch (player.Random(8)) {
                case 0:
                    data.BuildFloor();
                    break;
                case 1:
                case 2:
                    data.SelectFloor(player.Random(FloorCount(data)));
                    data.BuildRoom(1 + player.Random(5), player.Random(11) - 1);
                    break;
                case 3:
                    data.SelectFloor(player.Random(FloorCount(data)));
                    data.BuildStation(1 + player.Random(3));
                    break;
                case 4:
                    data.SelectFloor(player.Random(FloorCount(data)));
                    data.ChangeWorkers(1 + player.Random(3), player.Random(3) == 0 ? -1 : 1);
                    break;
                case 5:
                    data.SelectFloor(player.Random(FloorCount(data)));
                    data.BuyStuff(1 + player.Random(4));
                    break;
                case 6: {
                    // Pull down a broken room, or now and then any room.
                    const bool any = player.Random(20) == 0;
                    for (data.tRoom.First(); !data.tRoom.AtEnd(); data.tRoom.Next())
                        if (any || data.tRoom.FieldNamed("STATUS").AsInteger() == 2) {
                            data.SelectRoom(data.tRoom.FieldNamed("ID").AsInteger());
                            data.DemolishRoom();
                            break;
                        }
                    break;
                }
                default:
                    break;
                }
            } catch (const EAbort &) {
                ++refusals;
            }
        }
        data.gmTimerTimer();
        maxRooms = std::max<int>(maxRooms, static_cast<int>(data.tRoom.RawRecordCount()));
        const int status = data.tRoom.FieldNamed("STATUS").Index();
        for (std::size_t r = 0; r < data.tRoom.RawRecordCount(); ++r)
            occupiedRoomHours += data.tRoom.RawValue(r, status) == TFieldValue(1) ? 1 : 0;
        CheckInvariants(data, widths, hour);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(refusals, 1000);
    EXPECT_GT(maxRooms, 40) << "the hotel was busy";
    EXPECT_GT(occupiedRoomHours, 20000L * 10) << "with guests";
    std::printf("rooms at most %d, occupied room-hours %ld, refusals %d\n", maxRooms,
                occupiedRoomHours, refusals);
    EXPECT_TRUE(data.gmTimer().Enabled());
}
