#include "model/LevelRules.h"

#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRules.h"
#include "model/HotelTables.h"
#include "model/ModelSeams.h"
#include "model/PriceCatalog.h"
#include "model/RoomRecord.h"
#include "store/NoticeHold.h"

#include <algorithm>
#include <cstdint>

using namespace HotelRules;

TLevelRules::TLevelRules(THotelTables &tables, TPriceCatalog &catalog, TModelSeams &seams)
    : tables_(tables), catalog_(catalog), seams_(seams)
{
}

int TLevelRules::FloorLoad(int storey)
{
    TvekMemTable &tRoom = tables_.tRoom;
    TRoomRecord room(tRoom);
    TNoticeHold hold(tRoom);
    int load = 0;
    for (tRoom.First(); !tRoom.AtEnd(); tRoom.Next())
        if (room.Status() == RoomStatus::Occupied && room.Storey() == storey)
            load += room.Type();
    return load;
}

void TLevelRules::UpdateLevel(int kind, int gain, bool randomDrop)
{
    TvekMemTable &tFloor = tables_.tFloor;
    TFloorRecord floor(tFloor);
    TRandomSource &random = seams_.Random();
    THotelEvents &events = seams_.Events();
    TNoticeHold hold(tFloor);
    for (tFloor.First(); !tFloor.AtEnd(); tFloor.Next()) {
        const int storey = floor.Storey();
        const int load = FloorLoad(storey);
        int drop = load;
        if (randomDrop) {
            drop = random.Random(load);
            if (drop > RandomDropRedrawAbove)
                drop = random.Random(load);
        }
        const int workers = floor.Station(kind);
        if (workers > 0) {
            // In 64 bits: a large catalog wage times five workers must not wrap.
            const std::int64_t wage =
                std::int64_t{catalog_.Income(CatalogRow::Station(kind))} * workers;
            // Each wage is checked against the money left at this moment.
            if (wage < tables_.GetMoney()) {
                drop -= gain * workers;
                tables_.AddMoney(-wage);
                events.WagePaid(storey, kind, workers, THotelTables::ClampedToMoney(wage));
            } else {
                events.WageUnpaid(storey, kind, workers, THotelTables::ClampedToMoney(wage),
                                  tables_.GetMoney());
            }
        }
        tFloor.Edit();
        floor.SetLevel(kind, std::clamp(floor.Level(kind) - drop, LevelMin, LevelMax));
        tFloor.Post();
    }
}

void TLevelRules::UpdateFire()
{
    if (tables_.GetHour() % FirePeriod == 0)
        UpdateLevel(StationKind::Fire, FireGainPerWorker, true);
}

void TLevelRules::UpdatePolice()
{
    if (tables_.GetHour() % PolicePeriod == 0)
        UpdateLevel(StationKind::Police, PoliceGainPerWorker, true);
}

void TLevelRules::UpdateDirt()
{
    if (tables_.GetHour() % CleanPeriod == 0)
        UpdateLevel(StationKind::Clean, CleanGainPerWorker, false);
}
