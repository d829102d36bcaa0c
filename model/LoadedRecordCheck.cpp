#include "model/LoadedRecordCheck.h"

#include "common/ComfortItems.h"
#include "common/HotelCodes.h"
#include "model/HotelRules.h"
#include "model/HotelTables.h"
#include "model/TableFields.h"
#include "model/TableSchemas.h"
#include "store/CustomMemTable.h"
#include "store/DateTime.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <variant>

namespace {

using namespace HotelRules;

// Every refresh of the current floor or room draws a number from the counter,
// at least once per game hour, so a saved counter must leave a long game's
// worth of numbers below the 32-bit limit.
constexpr std::int32_t kMaxCounter = std::int32_t{1} << 30;
// ALPHA is an opacity of the drawing, from none to opaque (AlphaFinished).
constexpr int kLeastAlpha = 0;
constexpr int kLastHour = HoursPerDay - 1;
constexpr std::size_t kStuffLength = TComfortItems::Count;
constexpr std::size_t kStuffWearLength = 2 * TComfortItems::Count;

// The clock adds a day at midnight, and a date field keeps no day after
// 9999-12-31: a saved game must leave at least a year to be played on. The
// field keeps no day before 0001-01-01 either, so only the end needs a bound.
double LastDate()
{
    return DateFromYmd(9998, 12, 31);
}

// Storeys and cells as the player counts them, from 1.
std::string Shown(std::int32_t number)
{
    return std::to_string(std::int64_t{number} + 1);
}

std::string Text(std::int32_t number)
{
    return std::to_string(number);
}

bool OnlyOf(const std::string &text, std::string_view allowed)
{
    return text.find_first_not_of(allowed) == std::string::npos;
}

// One field of a loaded table, read by record position without moving the
// cursor, as the game reads it: an empty value is 0 or an empty text. A field
// the table lacks reads as empty; the load refuses such a table on its own.
class TColumn
{
public:
    TColumn(const TvekCustomMemTable &table, const char *name) : table_(table)
    {
        if (const TField *field = table.FindField(name))
            index_ = field->Index();
    }

    std::int32_t Integer(std::size_t record) const
    {
        const TFieldValue value = Value(record);
        const auto *integer = std::get_if<std::int32_t>(&value);
        return integer != nullptr ? *integer : 0;
    }
    std::string String(std::size_t record) const
    {
        TFieldValue value = Value(record);
        auto *text = std::get_if<std::string>(&value);
        return text != nullptr ? std::move(*text) : std::string();
    }
    double Date(std::size_t record) const
    {
        const TFieldValue value = Value(record);
        const auto *date = std::get_if<double>(&value);
        return date != nullptr ? *date : 0.0;
    }

private:
    TFieldValue Value(std::size_t record) const
    {
        return index_ < 0 ? TFieldValue{} : table_.RawValue(record, index_);
    }

    const TvekCustomMemTable &table_;
    int index_ = -1;
};

// The fields of each table that the check reads, found once per walk.
struct THotelColumns
{
    explicit THotelColumns(const TvekCustomMemTable &t)
        : HotelId(t, HotelField::HotelId), Name(t, HotelField::Name), Money(t, HotelField::Money),
          Counter(t, HotelField::Counter), Date(t, HotelField::Date), Time(t, HotelField::Time)
    {
    }
    TColumn HotelId, Name, Money, Counter, Date, Time;
};

// A level or station of a floor, with the name the floor panel gives it.
struct TNamedColumn
{
    const char *Name;
    TColumn Column;
};

struct TFloorColumns
{
    explicit TFloorColumns(const TvekCustomMemTable &t)
        : Id(t, FloorField::Id), HotelId(t, FloorField::HotelId), Storey(t, FloorField::Storey),
          Levels{TNamedColumn{"clean", TColumn(t, FloorField::Dirty)},
                 TNamedColumn{"police", TColumn(t, FloorField::Policy)},
                 TNamedColumn{"fire", TColumn(t, FloorField::Fire)},
                 TNamedColumn{"comfort", TColumn(t, FloorField::Comfort)}},
          Stations{TNamedColumn{"cleaning", TColumn(t, FloorField::DirtyStation)},
                   TNamedColumn{"police", TColumn(t, FloorField::PolicyStation)},
                   TNamedColumn{"fire", TColumn(t, FloorField::FireStation)}},
          Stuff(t, FloorField::Stuff), StuffWear(t, FloorField::StuffWear)
    {
    }
    TColumn Id, HotelId, Storey;
    // The level of each station's kind, then the overall level.
    TNamedColumn Levels[CatalogRow::StationCount + 1];
    TNamedColumn Stations[CatalogRow::StationCount];
    TColumn Stuff, StuffWear;
};

struct TRoomColumns
{
    explicit TRoomColumns(const TvekCustomMemTable &t)
        : Id(t, RoomField::Id), HotelId(t, RoomField::HotelId), Storey(t, RoomField::Storey),
          Cell(t, RoomField::Cell), Type(t, RoomField::Type), Status(t, RoomField::Status),
          Wear(t, RoomField::Wear), Alpha(t, RoomField::Alpha)
    {
    }
    TColumn Id, HotelId, Storey, Cell, Type, Status, Wear, Alpha;
};

// The records of the hotels that share one HOTEL_ID (normally a single one),
// as far as the walk has come.
struct THotelRecords
{
    // Positions in the walk's hotel list.
    std::vector<std::size_t> Hotels;
    std::int32_t Counter = 0;
    std::map<std::int32_t, std::int32_t> FloorIdOfStorey;
    // Every floor and room ID met, with the kind of record that holds it.
    std::map<std::int32_t, std::string_view> KindOfId;
    struct TSpan
    {
        std::int32_t RoomId;
        std::int32_t Storey;
        std::int64_t First;
        std::int64_t End; // one past the last cell
    };
    std::vector<TSpan> Rooms;
};

struct TStray
{
    std::string File;
    std::string_view Kind;
    std::int32_t HotelId;
    int Count;
};

// One walk over the three tables: the hotels first, then their floors, then
// their rooms, so that each record is judged against the records it depends on.
class TRecordWalk
{
public:
    explicit TRecordWalk(const std::map<int, int> &roomWidths) : roomWidths_(roomWidths) {}

    void WalkHotels(const TvekCustomMemTable &tHotel);
    void WalkFloors(const TvekCustomMemTable &tFloor);
    void CheckStoreys();
    void WalkRooms(const TvekCustomMemTable &tRoom);
    TRecordCheckResult Result() const;

private:
    static std::string HotelFault(const THotelColumns &c, std::size_t record, bool shared);
    static std::string FloorFault(const TFloorColumns &c, std::size_t record, THotelRecords &hotel);
    std::string RoomFault(const TRoomColumns &c, std::size_t record, THotelRecords &hotel) const;
    static std::string IdFault(std::string_view kind, std::int32_t id, THotelRecords &hotel);
    std::optional<std::int64_t> WidthOf(std::int32_t type) const;
    // The records of the hotel with this ID, or null when no hotel has it.
    THotelRecords *HotelOf(std::int32_t hotelId);
    void Hold(THotelRecords &hotel, const std::string &reason);
    void Stray(const TvekCustomMemTable &table, std::string_view kind, std::int32_t hotelId);

    const std::map<int, int> &roomWidths_;
    std::vector<THeldHotel> hotels_;
    std::map<std::int32_t, THotelRecords> byId_;
    std::vector<TStray> strays_;
};

THotelRecords *TRecordWalk::HotelOf(std::int32_t hotelId)
{
    const auto found = byId_.find(hotelId);
    return found == byId_.end() ? nullptr : &found->second;
}

// A hotel keeps the first fault found (an empty reason holds nothing); hotels
// that share an ID share their floors and rooms, and so their faults.
void TRecordWalk::Hold(THotelRecords &hotel, const std::string &reason)
{
    for (const std::size_t position : hotel.Hotels)
        if (hotels_[position].Reason.empty())
            hotels_[position].Reason = reason;
}

void TRecordWalk::Stray(const TvekCustomMemTable &table, std::string_view kind,
                        std::int32_t hotelId)
{
    const std::string file = table.Name + ".dht";
    for (TStray &stray : strays_)
        if (stray.File == file && stray.HotelId == hotelId) {
            ++stray.Count;
            return;
        }
    strays_.push_back({file, kind, hotelId, 1});
}

void TRecordWalk::WalkHotels(const TvekCustomMemTable &tHotel)
{
    const THotelColumns c(tHotel);
    std::vector<std::size_t> records;
    for (std::size_t record = 0; record < tHotel.RawRecordCount(); ++record) {
        if (!tHotel.RawRecordVisible(record))
            continue;
        const std::int32_t hotelId = c.HotelId.Integer(record);
        const auto [entry, first] = byId_.try_emplace(hotelId);
        entry->second.Hotels.push_back(hotels_.size());
        if (first)
            entry->second.Counter = c.Counter.Integer(record);
        hotels_.push_back({hotelId, c.Name.String(record), {}});
        records.push_back(record);
    }
    for (std::size_t position = 0; position < hotels_.size(); ++position) {
        THeldHotel &hotel = hotels_[position];
        hotel.Reason = HotelFault(c, records[position], byId_.at(hotel.HotelId).Hotels.size() > 1);
    }
}

std::string TRecordWalk::HotelFault(const THotelColumns &c, std::size_t record, bool shared)
{
    // A negative HOTEL_ID is how the game says "no hotel": opening one would
    // lift the filter and play every hotel at once.
    const std::int32_t hotelId = c.HotelId.Integer(record);
    if (hotelId < 0)
        return "its hotel ID is " + Text(hotelId) + ", below 0";
    if (shared)
        return "another hotel has the same hotel ID " + Text(hotelId);
    const std::int32_t money = c.Money.Integer(record);
    if (money < 0)
        return "its money is " + Text(money) + ", below 0";
    const double day = c.Date.Date(record);
    if (day > LastDate())
        return "its date is " + FormatShortDate(day) + "; dates go up to " +
               FormatShortDate(LastDate());
    const std::int32_t hour = c.Time.Integer(record);
    if (hour < 0 || hour > kLastHour)
        return "its hour is " + Text(hour) + "; hours go from 0 to " + Text(kLastHour);
    const std::int32_t counter = c.Counter.Integer(record);
    if (counter < 0 || counter > kMaxCounter)
        return "its ID counter is " + Text(counter) + "; it goes from 0 to " + Text(kMaxCounter);
    return {};
}

// Floors and rooms of a hotel draw their IDs from one counter: each ID is
// handed out once, never above the counter, and the scene finds a floor's or
// a room's sprites by it. A negative ID would read as "no room selected".
std::string TRecordWalk::IdFault(std::string_view kind, std::int32_t id, THotelRecords &hotel)
{
    const std::string name = std::string(kind) + " ID " + Text(id);
    if (id < 0)
        return name + " is below 0";
    if (id > hotel.Counter)
        return name + " is above the hotel's ID counter " + Text(hotel.Counter);
    const auto [holder, first] = hotel.KindOfId.try_emplace(id, kind);
    if (!first)
        return name + " is also the ID of " + (holder->second == kind ? "another " : "a ") +
               std::string(holder->second);
    return {};
}

void TRecordWalk::WalkFloors(const TvekCustomMemTable &tFloor)
{
    const TFloorColumns c(tFloor);
    for (std::size_t record = 0; record < tFloor.RawRecordCount(); ++record) {
        if (!tFloor.RawRecordVisible(record))
            continue;
        const std::int32_t hotelId = c.HotelId.Integer(record);
        if (THotelRecords *hotel = HotelOf(hotelId))
            Hold(*hotel, FloorFault(c, record, *hotel));
        else
            Stray(tFloor, "floor", hotelId);
    }
}

std::string TRecordWalk::FloorFault(const TFloorColumns &c, std::size_t record,
                                    THotelRecords &hotel)
{
    const std::int32_t id = c.Id.Integer(record);
    if (std::string fault = IdFault("floor", id, hotel); !fault.empty())
        return fault;
    const std::string name = "floor ID " + Text(id);

    const std::int32_t storey = c.Storey.Integer(record);
    if (storey < 0 || storey >= MaxStoreys)
        return name + " is on storey " + Shown(storey) + "; storeys go from 1 to " +
               Text(MaxStoreys);
    if (const auto [other, first] = hotel.FloorIdOfStorey.try_emplace(storey, id); !first)
        return name + " is on storey " + Shown(storey) + ", as floor ID " + Text(other->second) +
               " is";

    for (const TNamedColumn &levels : c.Levels) {
        const std::int32_t level = levels.Column.Integer(record);
        if (level < LevelMin || level > LevelMax)
            return name + " has a " + levels.Name + " level of " + Text(level) +
                   "; levels go from " + Text(LevelMin) + " to " + Text(LevelMax);
    }
    for (const TNamedColumn &station : c.Stations) {
        const std::int32_t workers = station.Column.Integer(record);
        if (workers < kNoStation || workers > MaxWorkers)
            return name + " has a " + station.Name + " station of " + Text(workers) +
                   " workers; a station has 0 to " + Text(MaxWorkers) + " workers, or " +
                   Text(kNoStation) + " for none";
    }

    // The game reads an empty text as no items; any other must be whole, since
    // the drawing and the rules would read a short or odd one differently.
    const std::string stuff = c.Stuff.String(record);
    if (!stuff.empty() && (stuff.size() != kStuffLength || !OnlyOf(stuff, "01")))
        return name + " has comfort items other than " + std::to_string(kStuffLength) +
               " marks of 0 or 1";
    const std::string wear = c.StuffWear.String(record);
    if (!wear.empty() && (wear.size() != kStuffWearLength || !OnlyOf(wear, "0123456789")))
        return name + " has its items' days left other than " + std::to_string(kStuffWearLength) +
               " digits";
    return {};
}

// Floors are bought from the bottom up, so a hotel's storeys have no gap: a
// floor above a missing storey would hang in the air, and opening the hotel
// selects the ground floor.
void TRecordWalk::CheckStoreys()
{
    for (auto &[hotelId, hotel] : byId_) {
        // The storeys come in order: the first that is not the next one up
        // stands above a gap.
        std::int32_t missing = 0;
        auto floor = hotel.FloorIdOfStorey.begin();
        while (floor != hotel.FloorIdOfStorey.end() && floor->first == missing) {
            ++floor;
            ++missing;
        }
        if (floor != hotel.FloorIdOfStorey.end())
            Hold(hotel, "floor ID " + Text(floor->second) + " is on storey " + Shown(floor->first) +
                            ", but no floor is on storey " + Shown(missing));
    }
}

std::optional<std::int64_t> TRecordWalk::WidthOf(std::int32_t type) const
{
    if (!CatalogRow::IsRoomType(type))
        return std::nullopt;
    if (roomWidths_.empty())
        return 1;
    const auto found = roomWidths_.find(type);
    if (found == roomWidths_.end())
        return std::nullopt;
    return found->second;
}

void TRecordWalk::WalkRooms(const TvekCustomMemTable &tRoom)
{
    const TRoomColumns c(tRoom);
    for (std::size_t record = 0; record < tRoom.RawRecordCount(); ++record) {
        if (!tRoom.RawRecordVisible(record))
            continue;
        const std::int32_t hotelId = c.HotelId.Integer(record);
        if (THotelRecords *hotel = HotelOf(hotelId))
            Hold(*hotel, RoomFault(c, record, *hotel));
        else
            Stray(tRoom, "room", hotelId);
    }
}

std::string TRecordWalk::RoomFault(const TRoomColumns &c, std::size_t record,
                                   THotelRecords &hotel) const
{
    const std::int32_t id = c.Id.Integer(record);
    if (std::string fault = IdFault("room", id, hotel); !fault.empty())
        return fault;
    const std::string name = "room ID " + Text(id);

    const std::int32_t storey = c.Storey.Integer(record);
    if (!hotel.FloorIdOfStorey.contains(storey))
        return name + " is on storey " + Shown(storey) + ", where the hotel has no floor";
    const std::int32_t cell = c.Cell.Integer(record);
    if (cell < 0 || cell >= CellsPerFloor)
        return name + " begins at cell " + Shown(cell) + "; cells go from 1 to " +
               Text(CellsPerFloor);
    const std::int32_t type = c.Type.Integer(record);
    const std::optional<std::int64_t> width = WidthOf(type);
    if (!width)
        return name + " has type " + Text(type) + ", which is not a room type";
    const std::int64_t end = cell + *width;
    if (end > CellsPerFloor)
        return name + " at cell " + Shown(cell) + " is " + std::to_string(*width) +
               " cells wide, past the floor's " + Text(CellsPerFloor) + " cells";

    const std::int32_t status = c.Status.Integer(record);
    if (status > RoomStatus::Broken)
        return name + " has status " + Text(status) + "; a room is free (" +
               Text(RoomStatus::Free) + "), occupied (" + Text(RoomStatus::Occupied) +
               "), broken (" + Text(RoomStatus::Broken) + ") or being built (below 0)";
    const std::int32_t wear = c.Wear.Integer(record);
    if (wear < 0)
        return name + " has " + Text(wear) + " days left, below 0";
    const std::int32_t alpha = c.Alpha.Integer(record);
    if (alpha < kLeastAlpha || alpha > AlphaFinished)
        return name + " has an opacity of " + Text(alpha) + "; opacities go from " +
               Text(kLeastAlpha) + " to " + Text(AlphaFinished);

    for (const THotelRecords::TSpan &other : hotel.Rooms)
        if (other.Storey == storey && other.First < end && cell < other.End)
            return name + " covers cell " +
                   std::to_string(std::max<std::int64_t>(cell, other.First) + 1) + " of storey " +
                   Shown(storey) + ", as room ID " + Text(other.RoomId) + " does";
    hotel.Rooms.push_back({id, storey, cell, end});
    return {};
}
TRecordCheckResult TRecordWalk::Result() const
{
    TRecordCheckResult result;
    for (const THeldHotel &hotel : hotels_)
        if (!hotel.Reason.empty())
            result.Held.push_back(hotel);
    for (const TStray &stray : strays_) {
        const std::string what =
            stray.Count == 1 ? "a " + std::string(stray.Kind)
                             : std::to_string(stray.Count) + " " + std::string(stray.Kind) + "s";
        result.Strays.push_back(stray.File + " holds " + what + " of hotel ID " +
                                Text(stray.HotelId) + ", which no hotel has");
    }
    return result;
}

} // namespace

TRecordCheckResult TLoadedRecordCheck::Check(const TvekCustomMemTable &tHotel,
                                             const TvekCustomMemTable &tFloor,
                                             const TvekCustomMemTable &tRoom,
                                             const std::map<int, int> &roomWidths)
{
    TRecordWalk walk(roomWidths);
    walk.WalkHotels(tHotel);
    walk.WalkFloors(tFloor);
    walk.CheckStoreys();
    walk.WalkRooms(tRoom);
    return walk.Result();
}

TRecordCheckResult TLoadedRecordCheck::Check(const THotelTables &tables,
                                             const std::map<int, int> &roomWidths)
{
    return Check(tables.tHotel, tables.tFloor, tables.tRoom, roomWidths);
}
