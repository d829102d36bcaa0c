// bench-tables: writes and reads back a tRoom file of 500,000 records, and sets
// both against the I/O floor of the same run: one read() / one write() of the
// same bytes. Ends with the line "read/floor R write/floor W".
#include "model/TableSchemas.h"
#include "store/MemTable.h"
#include "store/TableFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t RecordCount = 500000;

const fs::path &Directory()
{
    static const fs::path directory = [] {
        fs::path path = fs::temp_directory_path() / ("tamsel-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return directory;
}

std::string FilePath(const char *name)
{
    return (Directory() / name).string();
}

// A hotel's worth of rooms, many times over: values spread over every integer tag.
void FillRooms(TvekMemTable &rooms)
{
    DefineGameTableFields(rooms, "tRoom");
    rooms.Open();
    std::vector<TFieldValue> values(8);
    for (std::int64_t i = 0; i < RecordCount; ++i) {
        values[0] = static_cast<std::int32_t>(i + 1);
        values[1] = static_cast<std::int32_t>(i / 300);
        values[2] = static_cast<std::int32_t>(i % 10);
        values[3] = static_cast<std::int32_t>(i % 10);
        values[4] = static_cast<std::int32_t>(1 + i % 5);
        values[5] = static_cast<std::int32_t>(i % 4 == 0 ? -(i % 40) : i % 3);
        values[6] = static_cast<std::int32_t>(i % 7 == 0 ? 40000 + i : 30);
        values[7] = static_cast<std::int32_t>(55 + i % 200);
        rooms.RawAppendRecord(values, 0);
    }
}

std::string ReadAll(const std::string &path)
{
    const int handle = ::open(path.c_str(), O_RDONLY);
    std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(handle, bytes.data() + done, bytes.size() - done);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(handle);
    return bytes;
}

void WriteAll(const std::string &path, const std::string &bytes, bool sync)
{
    const int handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            break;
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (sync) {
        ::fsync(handle);
    }
    ::close(handle);
}

TvekMemTable *SharedRooms = nullptr;

void BM_WriteTableFile(benchmark::State &state)
{
    const std::string path = FilePath("tRoom.dht");
    for (auto _ : state) {
        SharedRooms->WriteTableFile(path);
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

void BM_ReadTableFile(benchmark::State &state)
{
    const std::string path = FilePath("tRoom.dht");
    SharedRooms->WriteTableFile(path);
    TvekMemTable rooms("tRoom");
    DefineGameTableFields(rooms, "tRoom");
    for (auto _ : state) {
        // As the game loads a table: close, open, read; only the read is timed.
        state.PauseTiming();
        rooms.Close();
        rooms.Open();
        state.ResumeTiming();
        rooms.ReadTableFile(path);
    }
    if (rooms.RawRecordCount() != static_cast<std::size_t>(RecordCount)) {
        state.SkipWithError("the file did not read back whole");
    }
    state.SetItemsProcessed(state.iterations() * RecordCount);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

void BM_ReadFloor(benchmark::State &state)
{
    const std::string path = FilePath("tRoom.dht");
    SharedRooms->WriteTableFile(path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAll(path));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

void BM_WriteFloor(benchmark::State &state)
{
    const std::string source = FilePath("tRoom.dht");
    SharedRooms->WriteTableFile(source);
    const std::string bytes = ReadAll(source);
    const std::string path = FilePath("floor.dht");
    const bool sync = state.range(0) != 0;
    for (auto _ : state) {
        WriteAll(path, bytes, sync);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// Keeps the mean real time of every run, to set the table file against its floor.
class TRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds[run.benchmark_name()] = run.real_accumulated_time / run.iterations;
                cpuSeconds[run.benchmark_name()] = run.cpu_accumulated_time / run.iterations;
            }
        }
    }
    std::map<std::string, double> seconds;
    std::map<std::string, double> cpuSeconds;
};

} // namespace

BENCHMARK(BM_WriteTableFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteFloor)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteFloor)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadTableFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadFloor)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    TvekMemTable rooms("tRoom");
    FillRooms(rooms);
    SharedRooms = &rooms;

    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fs::remove_all(Directory());

    const char *const write = "BM_WriteTableFile/min_time:2.000";
    const char *const writeFloor = "BM_WriteFloor/0/min_time:2.000";
    const char *const syncedFloor = "BM_WriteFloor/1/min_time:2.000";
    const char *const read = "BM_ReadTableFile/min_time:2.000";
    const char *const readFloor = "BM_ReadFloor/min_time:2.000";
    auto &real = reporter.seconds;
    auto &cpu = reporter.cpuSeconds;
    for (const char *name : {write, writeFloor, syncedFloor, read, readFloor}) {
        if (real[name] <= 0 || cpu[name] <= 0) {
            std::fprintf(stderr, "%s did not run; run every benchmark for the ratios\n", name);
            return 1;
        }
    }
    std::printf("records per second: write %.0f, read %.0f\n", RecordCount / real[write],
                RecordCount / real[read]);
    // The save flushes to disk, which a bare write() does not: this is the peer
    // that does the same.
    std::printf("write/(write()+fsync()) %.2f\n", real[write] / real[syncedFloor]);
    // On a shared machine the processor time shows the cost without the waits.
    std::printf("cpu time: read/floor %.2f write/floor %.2f\n", cpu[read] / cpu[readFloor],
                cpu[write] / cpu[writeFloor]);
    std::printf("read/floor %.2f write/floor %.2f\n", real[read] / real[readFloor],
                real[write] / real[writeFloor]);
    return 0;
}
