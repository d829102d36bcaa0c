#include "model/HourlyRules.h"

#include "common/HotelCodes.h"
#include "model/HotelRecord.h"
#include "model/HotelRules.h"
#include "model/HotelTables.h"
#include "model/ModelSeams.h"
#include "model/PriceCatalog.h"
#include "model/RoomRecord.h"
#include "model/SceneCallbacks.h"
#include "store/NoticeHold.h"

#include <algorithm>
#include <cmath>

using namespace HotelRules;

THourlyRules::THourlyRules(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams)
    : tables_(tables), catalog_(catalog), seams_(seams), levels_(tables, catalog, seams),
      guests_(tables, catalog, seams), wear_(tables, seams)
{
}

void THourlyRules::RunHours(int hours)
{
    for (int i = 0; i < hours; ++i)
        HourTick();
}

void THourlyRules::HourTick()
{
    // The rules need an open hotel and a catalog they can trust; without them
    // the clock stands still instead of guessing.
    TvekMemTable &tHotel = tables_.tHotel;
    if (tables_.HotelID < 0 || tHotel.IsEmpty() || !catalog_.Ready())
        return;
    THotelRecord hotel(tHotel);
    int hour = tables_.GetHour() + 1;
    tHotel.Edit();
    if (hour >= HoursPerDay) {
        hotel.SetDate(hotel.Date() + 1);
        hour = 0;
    }
    hotel.SetHour(hour);
    tHotel.Post();
    seams_.Events().HourBegan(static_cast<int>(std::floor(hotel.Date())), hour);

    AdvanceConstruction();
    levels_.UpdateFire();
    levels_.UpdatePolice();
    levels_.UpdateDirt();
    wear_.WearRooms();
    guests_.UpdateOccupancy();
    guests_.CollectIncome();
    wear_.WearStuff();

    tables_.SelectFloor(tables_.FloorID);
    tables_.SelectRoom(tables_.RoomID);
}

void THourlyRules::AdvanceConstruction()
{
    const int hour = tables_.GetHour();
    if (hour < FirstWorkingHour || hour > LastWorkingHour)
        return;
    TvekMemTable &tRoom = tables_.tRoom;
    TRoomRecord room(tRoom);
    TSceneCallbacks *scene = seams_.Scene();
    TNoticeHold hold(tRoom);
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next()) {
        int status = room.Status();
        if (!RoomStatus::UnderConstruction(status))
            continue;
        const int build = catalog_.Locate(room.Type()) ? catalog_.Row().Build() : 0;
        tRoom.Edit();
        status += 1;
        // A type whose catalog row now says it needs no building is finished at once.
        if (build <= 0)
            status = RoomStatus::Free;
        double x = AlphaFinished - AlphaAtStart;
        if (RoomStatus::UnderConstruction(status))
            x = static_cast<double>((1.0L - static_cast<long double>(-status) / build) *
                                    static_cast<long double>(AlphaBuildSpan));
        // A room begun under a longer BUILD than the catalog's now starts below AlphaAtStart.
        const int alpha = std::clamp(static_cast<int>(std::nearbyint(x)) + AlphaAtStart,
                                     AlphaAtStart, AlphaFinished);
        room.SetStatus(status);
        room.SetAlpha(alpha);
        tRoom.Post();
        const int id = room.Id();
        if (status == RoomStatus::Free && scene != nullptr)
            scene->SetRoomStatus(id, RoomStatus::Free);
        if (status == RoomStatus::Free)
            seams_.Events().ConstructionFinished(id, room.Storey(), room.Type());
        if (scene != nullptr)
            scene->SetRoomAlpha(id, alpha);
    }
}
