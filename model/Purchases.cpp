#include "model/Purchases.h"

#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRules.h"
#include "model/HotelTables.h"
#include "model/PriceCatalog.h"
#include "model/RoomRecord.h"
#include "model/TableFields.h"
#include "store/NoticeHold.h"

#include <algorithm>
#include <stdexcept>

namespace {

const char *const kNoMoney = "You don't have enough money!";
const char *const kNoMoreFloors = "No more build floor.";
const char *const kCannotBuild = "You cannot build here";
const char *const kNotBroken = "Only a broken room can be rebuilt";

void RequireStationKind(int kind)
{
    if (kind < StationKind::Clean || kind > StationKind::Fire)
        throw std::out_of_range("There is no station kind " + std::to_string(kind) + ".");
}

} // namespace

TPurchases::TPurchases(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams)
    : tables_(tables), catalog_(catalog), refusal_(seams)
{
}

void TPurchases::GameError(const std::string &message) const
{
    refusal_.Refuse(message);
}

void TPurchases::RequireCatalog() const
{
    if (!catalog_.Ready())
        GameError(catalog_.Problem());
}

void TPurchases::BuildFloor()
{
    RequireCatalog();
    if (catalog_.Price(CatalogRow::Floor) > tables_.GetMoney())
        GameError(kNoMoney);
    TvekMemTable &tFloor = tables_.tFloor;
    TFloorRecord floor(tFloor);
    TNoticeHold hold(tFloor);
    int top = -1;
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next())
        top = std::max(top, floor.Storey());
    if (top + 1 >= HotelRules::MaxStoreys) {
        hold.Release();
        GameError(kNoMoreFloors);
    }
    tFloor.Append();
    floor.SetStorey(top + 1);
    tFloor.Post();
    hold.Release();
    tables_.SelectFloor(top + 1);
    tables_.AddMoney(-catalog_.Price(CatalogRow::Floor));
}

void TPurchases::BuildRoom(int type, int cell)
{
    if (!CatalogRow::IsRoomType(type))
        throw std::out_of_range("There is no room type " + std::to_string(type) + ".");
    RequireCatalog();
    if (catalog_.Price(type) > tables_.GetMoney())
        GameError(kNoMoney);
    TvekMemTable &tRoom = tables_.tRoom;
    const int storey = tables_.FloorID;
    // A storey the hotel does not have gets no room.
    if (!tables_.tFloor.Locate(FloorField::Storey, storey))
        return;
    catalog_.Locate(type);
    const int width = catalog_.Row().Width();
    if (cell < 0 || cell + width > HotelRules::CellsPerFloor)
        GameError(kCannotBuild);
    for (int k = 1; k <= width - 1; ++k)
        if (tRoom.Locate(RoomField::StoreyAndCell, {storey, cell + k}))
            GameError(kCannotBuild);
    TRoomRecord room(tRoom);
    // The window never offers a cell that a room covers, but the model keeps
    // rooms apart on its own too: no room of this floor may cover a new cell.
    {
        bool overlap = false;
        TNoticeHold hold(tRoom);
        for (tRoom.First(); !tRoom.AtEnd() && !overlap; tRoom.Next()) {
            if (room.Storey() != storey)
                continue;
            const int start = room.Cell();
            const int end = start + (catalog_.Locate(room.Type()) ? catalog_.Row().Width() : 1);
            overlap = start < cell + width && cell < end;
        }
        hold.Release();
        if (overlap)
            GameError(kCannotBuild);
    }
    catalog_.Locate(type);
    const int build = catalog_.Row().Build();
    const int wear = catalog_.Row().Wear();
    tRoom.Append();
    room.SetStorey(storey);
    room.SetType(type);
    room.SetCell(cell);
    room.SetStatus(-build);
    room.SetWear(wear);
    tRoom.Post();
    tables_.SelectRoom(room.Id());
    tables_.AddMoney(-catalog_.Price(type));
}

void TPurchases::BuildStation(int kind)
{
    RequireStationKind(kind);
    RequireCatalog();
    if (catalog_.Price(CatalogRow::Station(kind)) > tables_.GetMoney())
        GameError(kNoMoney);
    TvekMemTable &tFloor = tables_.tFloor;
    TFloorRecord floor(tFloor);
    // A floor that is missing or already has this station buys nothing.
    if (!tFloor.Locate(FloorField::Storey, tables_.FloorID) || floor.HasStation(kind))
        return;
    tFloor.Edit();
    floor.SetStation(kind, 0);
    tFloor.Post();
    tables_.AddMoney(-catalog_.Price(CatalogRow::Station(kind)));
    tables_.RefreshCurrFloor();
}

void TPurchases::ChangeWorkers(int kind, int delta)
{
    RequireStationKind(kind);
    TvekMemTable &tFloor = tables_.tFloor;
    TFloorRecord floor(tFloor);
    if (!tFloor.Locate(FloorField::Storey, tables_.FloorID))
        return;
    const int workers = floor.Station(kind);
    // No station has no workers to change; a step outside 0..MaxWorkers is ignored.
    if (!floor.HasStation(kind) || workers + delta < 0 || workers + delta > HotelRules::MaxWorkers)
        return;
    tFloor.Edit();
    floor.SetStation(kind, workers + delta);
    tFloor.Post();
    tables_.SelectFloor(tables_.FloorID);
}

void TPurchases::BuyStuff(int item)
{
    if (item < 1 || item > HotelRules::ItemsPerFloor)
        throw std::out_of_range("There is no comfort item " + std::to_string(item) + ".");
    RequireCatalog();
    if (catalog_.Price(CatalogRow::Item(item)) > tables_.GetMoney())
        GameError(kNoMoney);
    const int life = catalog_.Wear(CatalogRow::Item(item));
    TvekMemTable &tFloor = tables_.tFloor;
    TFloorRecord floor(tFloor);
    if (!tFloor.Locate(FloorField::Storey, tables_.FloorID))
        return;
    TComfortItems items = floor.Items();
    if (items.Installed(item))
        return; // already installed: nothing to buy
    items.Install(item, life);
    tFloor.Edit();
    floor.SetItems(items);
    tFloor.Post();
    tables_.AddMoney(-catalog_.Price(CatalogRow::Item(item)));
    tables_.RefreshCurrFloor();
}

void TPurchases::DemolishRoom()
{
    // Only the selected room goes; with none selected nothing is deleted.
    if (tables_.RoomID >= 0 && tables_.tRoom.Locate(RoomField::Id, tables_.RoomID))
        tables_.tRoom.Delete();
    tables_.SelectRoom(-1);
}

void TPurchases::RebuildRoom()
{
    TvekMemTable &tRoom = tables_.tRoom;
    if (tables_.RoomID < 0 || !tRoom.Locate(RoomField::Id, tables_.RoomID))
        return;
    const TRoomRecord room(tRoom);
    if (room.Status() != RoomStatus::Broken)
        GameError(kNotBroken);
    const int type = room.Type();
    const int storey = room.Storey();
    const int cell = room.Cell();
    RequireCatalog();
    // Refused before anything changes: a rebuild never leaves the cells empty.
    if (catalog_.Price(type) > tables_.GetMoney())
        GameError(kNoMoney);
    tRoom.Delete();
    tables_.SelectRoom(-1);
    tables_.SelectFloor(storey);
    BuildRoom(type, cell);
}
