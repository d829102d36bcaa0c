// balance: plays scripted strategies for 60 game days on the hotel model with
// the shipped catalog and prints, per week, the money, the occupancy and the
// floors' levels. It shows whether the catalog makes a game worth playing: a
// hotel run with care grows, a neglected one declines.
//
//   balance [days] [seed]
#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRecord.h"
#include "model/RoomRecord.h"
#include "model/SeededRandom.h"
#include "model/TD_Data.h"
#include "tests/support/CatalogSource.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// What a player sees of one floor.
struct FloorView
{
    int storey = 0;
    int dirty = 0, policy = 0, fire = 0, comfort = 0;
    int stations[4] = {0, -1, -1, -1}; // by kind 1..3
    std::string stuff;
    int load = 0;    // occupied weight now
    int planned = 0; // weight if every room were occupied
    bool cells[10] = {};
};

struct RoomView
{
    int id, storey, type, status;
};

class TPlayer
{
public:
    TPlayer(TD_Data &data, const std::map<int, TCatalogRow> &catalog)
        : data_(data), catalog_(catalog)
    {
    }

    std::vector<FloorView> Floors()
    {
        std::vector<FloorView> floors;
        TvekMemTable &f = data_.tFloor;
        for (f.First(); !f.AtEnd(); f.Next()) {
            const TFloorRecord floor(f);
            FloorView v;
            v.storey = floor.Storey();
            v.dirty = floor.Level(StationKind::Clean);
            v.policy = floor.Level(StationKind::Police);
            v.fire = floor.Level(StationKind::Fire);
            v.comfort = floor.Comfort();
            for (int kind = StationKind::Clean; kind <= StationKind::Fire; ++kind)
                v.stations[kind] = floor.Station(kind);
            v.stuff = floor.Items().StuffText();
            floors.push_back(v);
        }
        std::sort(floors.begin(), floors.end(),
                  [](const FloorView &a, const FloorView &b) { return a.storey < b.storey; });
        for (const RoomView &room : Rooms()) {
            FloorView &v = floors.at(static_cast<std::size_t>(room.storey));
            const TCatalogRow &row = catalog_.at(room.type);
            for (int k = 0; k < row.WIDTH; ++k)
                v.cells[RoomCell(room) + k] = true;
            if (room.status == RoomStatus::Occupied)
                v.load += room.type;
            if (room.status != RoomStatus::Broken)
                v.planned += room.type;
        }
        return floors;
    }

    std::vector<RoomView> Rooms()
    {
        std::vector<RoomView> rooms;
        TvekMemTable &r = data_.tRoom;
        for (r.First(); !r.AtEnd(); r.Next()) {
            const TRoomRecord room(r);
            rooms.push_back({room.Id(), room.Storey(), room.Type(), room.Status()});
            cells_[rooms.back().id] = room.Cell();
        }
        return rooms;
    }

    int RoomCell(const RoomView &room) const { return cells_.at(room.id); }

    // Each command as the window gives it; a refusal is a normal answer.
    bool Try(const std::function<void()> &command)
    {
        const int money = data_.GetMoney();
        try {
            command();
        } catch (const EAbort &) {
            return false;
        }
        spent_ += std::max(0, money - data_.GetMoney());
        return true;
    }

    bool BuildFloor()
    {
        return Try([&] { data_.BuildFloor(); });
    }
    bool BuildRoom(int storey, int type, int cell)
    {
        return Try([&] {
            data_.SelectFloor(storey);
            data_.BuildRoom(type, cell);
        });
    }
    void BuildStation(int storey, int kind)
    {
        Try([&] {
            data_.SelectFloor(storey);
            data_.BuildStation(kind);
        });
    }
    void SetWorkers(const FloorView &floor, int kind, int wanted)
    {
        data_.SelectFloor(floor.storey);
        for (int n = floor.stations[kind]; n < wanted; ++n)
            data_.ChangeWorkers(kind, +1);
        for (int n = floor.stations[kind]; n > wanted; --n)
            data_.ChangeWorkers(kind, -1);
    }
    void BuyStuff(int storey, int item)
    {
        Try([&] {
            data_.SelectFloor(storey);
            data_.BuyStuff(item);
        });
    }
    void Demolish(int storey, int id)
    {
        data_.SelectFloor(storey);
        data_.SelectRoom(id);
        data_.DemolishRoom();
    }
    // The first cell where a room of this type fits.
    int FreeCell(const FloorView &floor, int type) const
    {
        const int width = catalog_.at(type).WIDTH;
        for (int cell = 0; cell + width <= 10; ++cell) {
            bool free = true;
            for (int k = 0; k < width; ++k)
                free = free && !floor.cells[cell + k];
            if (free)
                return cell;
        }
        return -1;
    }
    int Price(int id) const { return catalog_.at(id).PRICE; }
    int Income(int id) const { return catalog_.at(id).INCOME; }
    int Money() { return data_.GetMoney(); }
    long long Spent() const { return spent_; }

private:
    static int Int(TvekMemTable &t, const char *field) { return t.FieldNamed(field).AsInteger(); }

    TD_Data &data_;
    const std::map<int, TCatalogRow> &catalog_;
    std::map<int, int> cells_;
    long long spent_ = 0;
};

// Fills free cells with rooms of the given types, keeping a reserve.
void FillRooms(TPlayer &player, const std::vector<int> &types, int reserve)
{
    for (const FloorView &floor : player.Floors())
        for (int type : types)
            while (player.Money() >= player.Price(type) + reserve) {
                const int cell = player.FreeCell(player.Floors().at(floor.storey), type);
                if (cell < 0 || !player.BuildRoom(floor.storey, type, cell))
                    break;
            }
}

// Runs the hotel with care: repairs, staff sized to the floor's load, comfort
// items on full floors, a new floor once the others are full.
void Careful(TPlayer &player, const std::vector<int> &types, bool items = true)
{
    if (player.Floors().empty())
        player.BuildFloor();
    for (const RoomView &room : player.Rooms())
        if (room.status == RoomStatus::Broken)
            player.Demolish(room.storey, room.id);
    int wagesPerDay = 0;
    for (const FloorView &floor : player.Floors()) {
        // Stations come with the floor, so that rooms never open unguarded.
        for (int kind = 1; kind <= 3; ++kind)
            if (floor.stations[kind] < 0)
                player.BuildStation(floor.storey, kind);
        if (floor.planned == 0)
            continue;
        // Cleaning gains 4 per worker against the load every third hour; police
        // and fire gain 2 against a random drop of about half the load. Short of
        // money, one worker each: workers whose wage is not below the money do nothing.
        const int levels[] = {0, floor.dirty, floor.policy, floor.fire};
        const int base[] = {0, (floor.planned + 3) / 4, (floor.planned + 5) / 5,
                            (floor.planned + 5) / 5};
        for (int kind = 1; kind <= 3; ++kind) {
            int wanted = std::clamp(base[kind] + (levels[kind] < 80 ? 1 : 0), 1, 5);
            if (player.Money() < 3000)
                wanted = 1;
            player.SetWorkers(player.Floors().at(floor.storey), kind, wanted);
            const int runsPerDay[] = {0, 8, 6, 5};
            wagesPerDay += wanted * player.Income(10 + kind) * runsPerDay[kind];
        }
    }
    const int reserve = 3000 + 2 * wagesPerDay;
    FillRooms(player, types, reserve);
    auto floors = player.Floors();
    const bool allFull = std::all_of(floors.begin(), floors.end(),
                                     [&](const FloorView &f) { return player.FreeCell(f, 1) < 0; });
    if (allFull && player.Money() >= player.Price(10) + 20000 + reserve)
        player.BuildFloor();
    for (const FloorView &floor : player.Floors())
        if (items && player.FreeCell(floor, 1) < 0)
            for (int item = 1; item <= 4; ++item)
                if (floor.stuff.size() < 4 || floor.stuff[item - 1] != '1')
                    if (player.Money() >= player.Price(20 + item) + 2 * reserve)
                        player.BuyStuff(floor.storey, item);
}

// Builds once, hires a fixed staff and then leaves the hotel alone: no repairs,
// no staff changes, no items, no new floors.
void Neglectful(TPlayer &player)
{
    if (player.Floors().empty()) {
        player.BuildFloor();
        for (int kind = 1; kind <= 3; ++kind) {
            player.BuildStation(0, kind);
            player.SetWorkers(player.Floors().at(0), kind, 2);
        }
    }
    FillRooms(player, {3, 2, 1}, 0);
}

// Rooms only: never a station.
void NoStaff(TPlayer &player)
{
    if (player.Floors().empty())
        player.BuildFloor();
    FillRooms(player, {3, 2, 1}, 0);
}

struct Strategy
{
    const char *name;
    std::function<void(TPlayer &)> act;
};

void Play(const Strategy &strategy, const std::vector<TCatalogRow> &rows, int days,
          std::uint32_t seed)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tamsel-balance-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    WriteCatalogFile(rows, (dir / "tRooms.dht").string());
    std::map<int, TCatalogRow> catalog;
    for (const TCatalogRow &row : rows)
        catalog[row.ID] = row;
    {
        TD_Data data(dir.string());
        if (!data.CatalogReady()) {
            std::fprintf(stderr, "balance: %s\n%s\n", data.CatalogProblem().c_str(),
                         data.LoadErrorText().c_str());
            std::exit(1);
        }
        TSeededRandom random(seed);
        data.SetRandom(&random);
        data.NewHotel(strategy.name);
        data.SelectHotel(THotelRecord(data.tHotel).HotelId());
        data.StartClock();
        TPlayer player(data, catalog);

        std::printf("\n%s\n", strategy.name);
        std::printf("%4s %8s %8s %6s %5s %6s %5s %6s %5s %6s %5s %5s\n", "day", "money", "earned",
                    "floors", "rooms", "broken", "staff", "occup", "dirt", "police", "fire",
                    "comf");
        int lastMoney = data.GetMoney();
        long long lastSpent = 0;
        int occupiedHours = 0, roomHours = 0;
        for (int hour = 1; hour <= days * 24; ++hour) {
            if (data.GetHour() == 11)
                strategy.act(player);
            data.gmTimerTimer();
            for (const RoomView &room : player.Rooms()) {
                roomHours += room.status >= 0 ? 1 : 0;
                occupiedHours += room.status == 1 ? 1 : 0;
            }
            if (hour % (7 * 24) != 0 && hour != days * 24)
                continue;
            const auto floors = player.Floors();
            double dirt = 0, police = 0, fire = 0, comfort = 0;
            int staff = 0, broken = 0;
            for (const RoomView &room : player.Rooms())
                broken += room.status == 2 ? 1 : 0;
            for (const FloorView &f : floors) {
                for (int kind = 1; kind <= 3; ++kind)
                    staff += std::max(0, f.stations[kind]);
                dirt += f.dirty;
                police += f.policy;
                fire += f.fire;
                comfort += f.comfort;
            }
            const double n = floors.empty() ? 1 : double(floors.size());
            // Earned: the money the hotel made after wages, before purchases.
            const long long earned = data.GetMoney() - lastMoney + player.Spent() - lastSpent;
            std::printf("%4d %8d %8lld %6zu %5zu %6d %5d %5.0f%% %5.0f %6.0f %5.0f %5.0f\n",
                        hour / 24, data.GetMoney(), earned, floors.size(), player.Rooms().size(),
                        broken, staff, roomHours ? 100.0 * occupiedHours / roomHours : 0.0,
                        dirt / n, police / n, fire / n, comfort / n);
            lastMoney = data.GetMoney();
            lastSpent = player.Spent();
            occupiedHours = roomHours = 0;
        }
        data.CloseHotel();
        // Nothing of the balance run is saved.
    }
    std::filesystem::remove_all(dir);
}

} // namespace

int main(int argc, char **argv)
{
    const int days = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const std::uint32_t seed =
        argc > 2 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 2026;
    const std::vector<TCatalogRow> rows = ShippedCatalog();
    std::printf("Balance of the shipped catalog: %d game days, seed %u. Weekly: money at the end "
                "of the week, earned (after wages, before purchases), floors, rooms, occupancy "
                "of finished rooms, average levels.\n",
                days, seed);
    const Strategy strategies[] = {
        {"careful (family suites, doubles, singles)",
         [](TPlayer &p) {
             Careful(p, {3, 2, 1});
         }},
        {"careful, but no comfort items",
         [](TPlayer &p) {
             Careful(p, {3, 2, 1}, false);
         }},
        {"careful, but luxury rooms only (honeymoon suites, brass-bed rooms)",
         [](TPlayer &p) {
             Careful(p, {5, 4, 1});
         }},
        {"neglectful (fixed staff of 2, no repairs)", Neglectful},
        {"no staff", NoStaff},
    };
    for (const Strategy &strategy : strategies)
        Play(strategy, rows, days, seed);
    return 0;
}
