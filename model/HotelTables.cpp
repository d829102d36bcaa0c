#include "model/HotelTables.h"

#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRecord.h"
#include "model/HotelRules.h"
#include "model/ModelSeams.h"
#include "model/RoomRecord.h"
#include "model/TableFields.h"
#include "model/TableSchemas.h"

#include <algorithm>
#include <limits>

namespace {

// Deletes every record of the hotel; Delete leaves the cursor on the
// following record, so only a kept record moves on.
void DeleteRecordsOf(TvekMemTable &table, const char *hotelField, int hotel)
{
    table.First();
    while (!table.AtEnd()) {
        if (table.FieldNamed(hotelField).AsInteger() == hotel)
            table.Delete();
        else
            table.Next();
    }
}

} // namespace

THotelTables::THotelTables(TModelSeams &seams)
    : tHotel("tHotel"), tFloor("tFloor"), tRoom("tRoom"), tRooms("tRooms"),
      tCurrFloor("tCurrFloor"), tCurrRoom("tCurrRoom"), seams_(seams)
{
    for (TvekMemTable *table : {&tHotel, &tFloor, &tRoom, &tRooms, &tCurrFloor, &tCurrRoom})
        DefineGameTableFields(*table, table->Name);
    const auto floorRecord = [this](TDataSet &dataSet) { FloorNewRecord(dataSet); };
    const auto roomRecord = [this](TDataSet &dataSet) { RoomNewRecord(dataSet); };
    tFloor.OnNewRecord = floorRecord;
    tCurrFloor.OnNewRecord = floorRecord;
    tRoom.OnNewRecord = roomRecord;
    tCurrRoom.OnNewRecord = roomRecord;
    tFloor.BeforePost = [](TDataSet &dataSet) { FloorBeforePost(dataSet); };
}

void THotelTables::FilterTable(TvekMemTable &table)
{
    table.SetFilter(std::string(HotelField::HotelId) + " = " + std::to_string(HotelID));
    table.SetFiltered(HotelID >= 0);
}

void THotelTables::FilterTables()
{
    FilterTable(tHotel);
    FilterTable(tFloor);
    FilterTable(tRoom);
}

void THotelTables::SelectHotel(int hotelId)
{
    HotelID = hotelId;
    FilterTables();
    SelectFloor(0);
}

int THotelTables::NextID()
{
    // Edit on an empty view would append a hotel record; with no hotel there is
    // no counter to advance. With no hotel open, the copy that closing a hotel
    // makes would otherwise advance the counter of whichever hotel the list
    // shows first, changing a hotel the player is not playing.
    if (tHotel.IsEmpty() || HotelID < 0)
        return 0;
    THotelRecord hotel(tHotel);
    const int id = hotel.Counter() + 1;
    tHotel.Edit();
    hotel.SetCounter(id);
    tHotel.Post();
    return id;
}

// A copy into tCurrFloor or tCurrRoom appends a record too, so every refresh
// draws one identifier, which the copied ID then overwrites.
void THotelTables::FloorNewRecord(TDataSet &dataSet)
{
    TFloorRecord floor(dataSet);
    floor.SetId(NextID());
    floor.SetHotelId(HotelID);
}

void THotelTables::RoomNewRecord(TDataSet &dataSet)
{
    TRoomRecord room(dataSet);
    room.SetId(NextID());
    room.SetHotelId(HotelID);
}

void THotelTables::FloorBeforePost(TDataSet &dataSet)
{
    using namespace HotelRules;
    TFloorRecord floor(dataSet);
    const int levels = floor.Level(StationKind::Clean) + floor.Level(StationKind::Police) +
                       floor.Level(StationKind::Fire);
    floor.SetComfort((levels + ComfortPerItem * floor.Items().InstalledCount()) / ComfortParts);
}

void THotelTables::SelectFloor(int storey)
{
    FloorID = storey;
    tFloor.Locate(FloorField::Storey, storey);
    RefreshCurrFloor();
}

void THotelTables::RefreshCurrFloor()
{
    tCurrFloor.Close();
    tCurrFloor.Open();
    tCurrFloor.CopyRecordsFrom(&tFloor, 1);
}

void THotelTables::SelectRoom(int roomId)
{
    RoomID = roomId;
    if (tRoom.Locate(RoomField::Id, roomId))
        RefreshCurrRoom();
}

void THotelTables::RefreshCurrRoom()
{
    tCurrRoom.Close();
    tCurrRoom.Open();
    if (RoomID >= 0)
        tCurrRoom.CopyRecordsFrom(&tRoom, 1);
}

int THotelTables::GetMoney()
{
    return THotelRecord(tHotel).Money();
}

int THotelTables::ClampedToMoney(std::int64_t amount)
{
    return static_cast<int>(std::clamp<std::int64_t>(amount, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

void THotelTables::AddMoney(std::int64_t amount)
{
    THotelRecord hotel(tHotel);
    tHotel.Edit();
    hotel.SetMoney(ClampedToMoney(std::int64_t{hotel.Money()} + amount));
    tHotel.Post();
}

int THotelTables::GetHour()
{
    return THotelRecord(tHotel).Hour();
}

namespace {

// The highest HOTEL_ID that a floor or room names, hotel or not; below 0 when none does.
std::int64_t HighestOwner(const TvekMemTable &table)
{
    std::int64_t highest = -1;
    const int field = table.FieldNamed(HotelField::HotelId).Index();
    for (std::size_t record = 0; record < table.RawRecordCount(); ++record) {
        const TFieldValue value = table.RawValue(record, field);
        if (const auto *owner = std::get_if<std::int32_t>(&value))
            highest = std::max<std::int64_t>(highest, *owner);
    }
    return highest;
}

} // namespace

void THotelTables::NewHotel(const std::string &name)
{
    THotelRecord hotel(tHotel);
    tHotel.Append();
    // Floors or rooms of a hotel that is gone (a damaged or edited file) must not become the new
    // hotel's: its ID is above every one they name.
    const std::int64_t taken = std::max(HighestOwner(tFloor), HighestOwner(tRoom));
    if (taken >= hotel.HotelId() && taken < std::numeric_limits<std::int32_t>::max())
        tHotel.FieldNamed(HotelField::HotelId).SetAsInteger(static_cast<int>(taken + 1));
    hotel.SetName(name);
    hotel.SetDate(seams_.Dates().Now());
    tHotel.Post();
}

void THotelTables::DeleteHotel()
{
    if (tHotel.IsEmpty())
        return;
    const int hotel = THotelRecord(tHotel).HotelId();
    DeleteRecordsOf(tFloor, FloorField::HotelId, hotel);
    DeleteRecordsOf(tRoom, RoomField::HotelId, hotel);
    tHotel.Delete();
}

void THotelTables::CloseHotel()
{
    seams_.Timer().Stop();
    SelectHotel(-1);
}

void THotelTables::StartClock()
{
    seams_.Timer().Start();
}
