#include "model/WearRules.h"

#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRules.h"
#include "model/HotelTables.h"
#include "model/ModelSeams.h"
#include "model/RoomRecord.h"
#include "model/SceneCallbacks.h"
#include "store/NoticeHold.h"

using namespace HotelRules;

TWearRules::TWearRules(THotelTables &tables, TModelSeams &seams) : tables_(tables), seams_(seams) {}

void TWearRules::WearRooms()
{
    if (tables_.GetHour() != RoomWearHour)
        return;
    TvekMemTable &tRoom = tables_.tRoom;
    TRoomRecord room(tRoom);
    TNoticeHold hold(tRoom);
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next()) {
        if (room.Status() != RoomStatus::Occupied)
            continue;
        tRoom.Edit();
        const int wear = room.Wear() - 1;
        room.SetWear(wear);
        if (wear <= 0) {
            room.SetWear(0);
            room.SetStatus(RoomStatus::Broken);
            if (TSceneCallbacks *scene = seams_.Scene())
                scene->SetRoomStatus(room.Id(), RoomStatus::Broken);
        }
        tRoom.Post();
        if (wear <= 0)
            seams_.Events().RoomBroken(room.Id(), room.Storey(), room.Type());
    }
}

void TWearRules::WearStuff()
{
    if (tables_.GetHour() != ItemWearHour)
        return;
    TvekMemTable &tFloor = tables_.tFloor;
    TFloorRecord floor(tFloor);
    TNoticeHold hold(tFloor);
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next()) {
        // Read once per floor: an item that breaks below rewrites the record,
        // but leaves the days of the others as they are here.
        TComfortItems items = floor.Items();
        for (int item = 1; item <= ItemsPerFloor; ++item) {
            if (!items.Installed(item))
                continue;
            const int days = items.DaysLeft(item);
            // A counter of "00" is still a working day: the item goes at the next wear hour.
            if (days - 1 < 0) {
                BreakStuff(item);
                continue;
            }
            items.SetDaysLeft(item, days - 1);
            tFloor.Edit();
            floor.SetItemDays(items);
            tFloor.Post();
        }
    }
}

void TWearRules::BreakStuff(int item)
{
    TvekMemTable &tFloor = tables_.tFloor;
    TFloorRecord floor(tFloor);
    TComfortItems items = floor.Items();
    items.Remove(item);
    tFloor.Edit();
    floor.SetItems(items);
    tFloor.Post();
    if (TSceneCallbacks *scene = seams_.Scene())
        scene->RemoveFloorStuff(floor.Storey(), item);
    seams_.Events().StuffWornOut(floor.Storey(), item);
}
