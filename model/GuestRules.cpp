#include "model/GuestRules.h"

#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRules.h"
#include "model/HotelTables.h"
#include "model/ModelSeams.h"
#include "model/PriceCatalog.h"
#include "model/RoomRecord.h"
#include "model/SceneCallbacks.h"
#include "model/TableFields.h"
#include "store/NoticeHold.h"

#include <cmath>
#include <cstdint>

using namespace HotelRules;

TGuestRules::TGuestRules(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams)
    : tables_(tables), catalog_(catalog), seams_(seams)
{
}

void TGuestRules::UpdateOccupancy()
{
    if (tables_.GetHour() != GuestHour)
        return;
    TvekMemTable &tRoom = tables_.tRoom;
    TvekMemTable &tFloor = tables_.tFloor;
    TRoomRecord room(tRoom);
    TFloorRecord floor(tFloor);
    TNoticeHold hold(tRoom);
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next()) {
        const int status = room.Status();
        if (status != RoomStatus::Free && status != RoomStatus::Occupied)
            continue;
        if (status == RoomStatus::Free && room.Wear() <= 0)
            continue;
        // A room whose floor is gone stays as it is.
        if (!tFloor.Locate(FloorField::Storey, room.Storey()))
            continue;
        const TFloorLevels levels{floor.Comfort(), floor.Level(StationKind::Clean),
                                  floor.Level(StationKind::Police), floor.Level(StationKind::Fire)};
        int next = status;
        if (status == RoomStatus::Free && levels.Comfort > GuestComfort &&
            levels.Dirty > GuestLevel && levels.Policy > GuestLevel && levels.Fire > GuestLevel)
            next = RoomStatus::Occupied;
        else if (status == RoomStatus::Occupied &&
                 (levels.Comfort < GuestComfort || levels.Dirty < GuestLevel ||
                  levels.Policy < GuestLevel || levels.Fire < GuestLevel))
            next = RoomStatus::Free;
        if (next == status)
            continue;
        tRoom.Edit();
        room.SetStatus(next);
        tRoom.Post();
        const int id = room.Id();
        if (TSceneCallbacks *scene = seams_.Scene())
            scene->SetRoomStatus(id, next);
        if (next == RoomStatus::Occupied)
            seams_.Events().GuestArrived(id, room.Storey(), room.Type());
        else
            seams_.Events().GuestLeft(id, room.Storey(), room.Type(), levels);
    }
}

void TGuestRules::CollectIncome()
{
    if (tables_.GetHour() != IncomeHour)
        return;
    TvekMemTable &tRoom = tables_.tRoom;
    TvekMemTable &tFloor = tables_.tFloor;
    TRoomRecord room(tRoom);
    TFloorRecord floor(tFloor);
    std::int64_t total = 0;
    int occupied = 0; // told to the listener only
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next()) {
        const int storey = floor.Storey();
        std::int64_t rates = 0;
        {
            TNoticeHold hold(tRoom);
            for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next())
                if (room.Storey() == storey && room.Status() == RoomStatus::Occupied) {
                    rates += catalog_.Income(room.Type());
                    ++occupied;
                }
        }
        // The comfort is a percentage of the full income.
        const long double share = static_cast<long double>(floor.Comfort()) / LevelMax * rates;
        total += static_cast<std::int64_t>(std::nearbyintl(share));
    }
    tables_.AddMoney(total);
    seams_.Events().IncomeCollected(THotelTables::ClampedToMoney(total), tables_.GetMoney(),
                                    occupied);
}
