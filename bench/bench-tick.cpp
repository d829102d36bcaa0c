// bench-tick: one HourTick of a full hotel (10 floors, every station with 5
// workers, all comfort items, 60 occupied rooms), hour after hour, while the
// tables also hold 0 and then 1,000 other saved hotels of the same size. The
// open hotel's walks should not pay for the others: ends with the line
// "others/none R", the time per tick with 1,000 others over the time with none.
#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRecord.h"
#include "model/RoomRecord.h"
#include "model/SeededRandom.h"
#include "model/TD_Data.h"
#include "model/TableFields.h"
#include "tests/support/CatalogSource.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Room types and first cells that fill a floor: 1, 2, 3, 1, 2, 1 cells.
constexpr int kRoomTypes[] = {1, 2, 3, 1, 2, 1};
constexpr int kRoomCells[] = {0, 1, 3, 6, 7, 9};

// Changes the current record of the table through its view.
template <typename Record, typename Change> void Put(TvekMemTable &table, Change change)
{
    Record record(table);
    table.Edit();
    change(record);
    table.Post();
}

// Appends copies of the open hotel's records for hotel `hotel`, as a saved game
// of the same size would lie in the tables; hotelFieldName names the table's HOTEL_ID.
void CopyHotel(TvekMemTable &table, const char *hotelFieldName, int hotel)
{
    const int hotelField = table.FieldNamed(hotelFieldName).Index();
    const std::size_t count = table.RawRecordCount();
    std::vector<TFieldValue> values(static_cast<std::size_t>(table.FieldCount()));
    for (std::size_t r = 0; r < count; ++r) {
        if (std::get<std::int32_t>(table.RawValue(r, hotelField)) != 0)
            continue;
        for (int f = 0; f < table.FieldCount(); ++f)
            values[static_cast<std::size_t>(f)] = table.RawValue(r, f);
        values[static_cast<std::size_t>(hotelField)] = hotel;
        table.RawAppendRecord(values);
    }
}

class FullHotel
{
public:
    explicit FullHotel(int others)
        : dir_(fs::temp_directory_path() /
               ("tamsel-bench-tick-" + std::to_string(getpid()) + "-" + std::to_string(others)))
    {
        fs::create_directories(dir_);
        WriteCatalogFile(ShippedCatalog(), (dir_ / "tRooms.dht").string());
        data_ = std::make_unique<TD_Data>(dir_.string());
        data_->SetRandom(&random_);
        TD_Data &d = *data_;
        d.NewHotel("Bench");
        d.SelectHotel(0);
        Put<THotelRecord>(d.tHotel, [](THotelRecord &h) { h.SetMoney(1000000000); });
        for (int storey = 0; storey < 10; ++storey) {
            d.BuildFloor();
            for (int kind = 1; kind <= 3; ++kind) {
                d.BuildStation(kind);
                for (int n = 0; n < 5; ++n)
                    d.ChangeWorkers(kind, +1);
            }
            for (int item = 1; item <= 4; ++item)
                d.BuyStuff(item);
            for (int k = 0; k < 6; ++k) {
                d.BuildRoom(kRoomTypes[k], kRoomCells[k]);
                Put<TRoomRecord>(d.tRoom,
                                 [](TRoomRecord &r) { r.SetStatus(RoomStatus::Occupied); });
                // occupied for the whole run
                Put<TRoomRecord>(d.tRoom, [](TRoomRecord &r) { r.SetWear(1000000); });
            }
        }
        // The saved hotels: same records, other HOTEL_IDs.
        d.CloseHotel();
        for (int hotel = 1; hotel <= others; ++hotel) {
            std::vector<TFieldValue> record{hotel, std::string("Saved"), 50000, 100, 46000.0, 10};
            d.tHotel.RawAppendRecord(record);
            CopyHotel(d.tFloor, FloorField::HotelId, hotel);
            CopyHotel(d.tRoom, RoomField::HotelId, hotel);
        }
        for (TvekMemTable *table : {&d.tHotel, &d.tFloor, &d.tRoom})
            table->RawResync();
        d.SelectHotel(0);
        d.StartClock();
    }

    ~FullHotel()
    {
        data_.reset();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    TD_Data &Data() { return *data_; }

    // Keeps the comfort items from wearing out during a long run.
    void RenewItems()
    {
        TvekMemTable &floors = data_->tFloor;
        TFloorRecord floor(floors);
        for (floors.First(); !floors.AtEnd(); floors.Next()) {
            TComfortItems items = floor.Items();
            for (int item = 1; item <= TComfortItems::Count; ++item)
                items.SetDaysLeft(item, TComfortItems::MaxDaysLeft);
            floors.Edit();
            floor.SetItemDays(items);
            floors.Post();
        }
    }

private:
    fs::path dir_;
    TSeededRandom random_{2026};
    std::unique_ptr<TD_Data> data_;
};

FullHotel &Hotel(int others)
{
    static std::map<int, std::unique_ptr<FullHotel>> hotels;
    auto &hotel = hotels[others];
    if (!hotel)
        hotel = std::make_unique<FullHotel>(others);
    return *hotel;
}

void BM_HourTick(benchmark::State &state)
{
    FullHotel &hotel = Hotel(static_cast<int>(state.range(0)));
    TD_Data &data = hotel.Data();
    int ticks = 0;
    for (auto _ : state) {
        data.HourTick();
        if (++ticks % 24 == 0) {
            state.PauseTiming();
            hotel.RenewItems();
            state.ResumeTiming();
        }
    }
    state.counters["hotels"] = static_cast<double>(state.range(0) + 1);
}
BENCHMARK(BM_HourTick)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Keeps the time per tick of each run for the summary line.
class TickReporter : public benchmark::ConsoleReporter
{
public:
    TickReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                perTick[static_cast<int>(run.per_family_instance_index)] =
                    run.GetAdjustedRealTime();
    }
    // By run: 0 with no other hotel, 1 with 1,000.
    std::map<int, double> perTick;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    TickReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.perTick.count(0) && reporter.perTick.count(1) && reporter.perTick[0] > 0)
        std::printf("others/none %.2f\n", reporter.perTick[1] / reporter.perTick[0]);
    benchmark::Shutdown();
    return 0;
}
