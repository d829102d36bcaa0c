// journal-preview: plays a small hotel on the model for 30 game days with the
// shipped catalog, keeping its journal, and renders the journal window (the
// reports and the chart of money and occupied rooms) to a picture.
//
//   journal-preview OUT.png [days]
#include "common/HotelCodes.h"
#include "model/EAbort.h"
#include "model/FloorRecord.h"
#include "model/HotelJournal.h"
#include "model/HotelRecord.h"
#include "model/RoomRecord.h"
#include "model/SeededRandom.h"
#include "model/TD_Data.h"
#include "model/TableFields.h"
#include "tests/support/CatalogSource.h"
#include "ui/JournalWindow.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const int kSeed = 7;
// Money kept back for wages: nothing is bought that would leave less.
const int kReserve = 3000;
const int kCleaners = 3;
const int kPolice = 2;

// A purchase the model refuses, or one that would eat the reserve, is skipped.
template <class F> void Try(TD_Data &data, int price, F purchase)
{
    if (data.GetMoney() - price < kReserve)
        return;
    try {
        purchase();
    } catch (const EAbort &) {
    }
}

// Floor by floor as money allows: rooms, a cleaning and a police station with
// workers; broken rooms are pulled down and built again.
void PlayMorning(TD_Data &data, int day)
{
    const int floors = day < 4 ? 1 : day < 12 ? 2 : 3;
    for (int storey = 0; storey < floors; ++storey) {
        if (!data.tFloor.Locate(FloorField::Storey, storey))
            Try(data, data.CatalogPrice(10), [&] { data.BuildFloor(); });
        if (!data.tFloor.Locate(FloorField::Storey, storey))
            return;
        data.SelectFloor(storey);
        const TFloorRecord floor(data.tFloor);
        Try(data, data.CatalogPrice(11), [&] { data.BuildStation(1); });
        if (floor.Station(StationKind::Clean) >= 0 && floor.Station(StationKind::Clean) < kCleaners)
            Try(data, 0, [&] { data.ChangeWorkers(1, +1); });
        Try(data, data.CatalogPrice(12), [&] { data.BuildStation(2); });
        if (floor.Station(StationKind::Police) >= 0 && floor.Station(StationKind::Police) < kPolice)
            Try(data, 0, [&] { data.ChangeWorkers(2, +1); });
        Try(data, data.CatalogPrice(13), [&] { data.BuildStation(3); });
        if (floor.Station(StationKind::Fire) == 0)
            Try(data, 0, [&] { data.ChangeWorkers(3, +1); });
        const int types[] = {1, 2, 4, 1, 2};
        const int cells[] = {0, 1, 3, 4, 5};
        for (int k = 0; k < 5; ++k)
            if (!data.tRoom.Locate(RoomField::StoreyAndCell, {storey, cells[k]}))
                Try(data, data.CatalogPrice(types[k]), [&] { data.BuildRoom(types[k], cells[k]); });
    }
    const TRoomRecord room(data.tRoom);
    for (data.tRoom.First(); !data.tRoom.AtEnd();) {
        if (room.Status() != RoomStatus::Broken) {
            data.tRoom.Next();
            continue;
        }
        data.SelectFloor(room.Storey());
        data.SelectRoom(room.Id());
        data.DemolishRoom();
        data.tRoom.First();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [days]\n", argv[0]);
        return 2;
    }
    const int days = argc > 2 ? std::atoi(argv[2]) : TJournalWindow::ChartDays;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tamsel-journal-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::vector<TCatalogRow> rows = ShippedCatalog();
    WriteCatalogFile(rows, (dir / "tRooms.dht").string());
    THotelJournal journal;
    THotelJournal::TNames names;
    for (const TCatalogRow &row : rows)
        names[row.ID] = row.NAME;
    journal.SetNames(names);
    {
        TD_Data data(dir.string());
        TSeededRandom random(kSeed);
        data.SetRandom(&random);
        data.SetHotelEvents(&journal);
        data.NewHotel("Tamsel Palace");
        data.SelectHotel(THotelRecord(data.tHotel).HotelId());
        data.StartClock();
        PlayMorning(data, 0);
        for (int day = 1; day <= days; ++day) {
            data.RunHours(24);
            PlayMorning(data, day);
        }
        data.CloseHotel();
        data.SetHotelEvents(nullptr);
    }
    std::filesystem::remove_all(dir);

    TJournalWindow window;
    window.SetJournal(&journal, "Tamsel Palace");
    window.resize(820, 620);
    window.show();
    QApplication::processEvents();
    // The newest reports, as a reader who follows the journal sees it.
    window.Refresh();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "journal-preview: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
