// The kill -9 soak behind tools/kill-nine-soak: one long play session of the
// real program in a private X server, cut by kill -9 at random moments (while
// it builds, while it saves at Main menu, while the game clock runs) and
// started again each time. After every kill the files on disk are judged as
// the next start judges them, on a copy: the count of sets that were not one
// whole generation is the figure (the goal is 0).
// Usage: e2e-kill-soak [KILLS] [SEED]
#include "tests/support/x/GameDriver.h"
#include "model/TD_Data.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

// Why the set in the directory is not one whole generation; empty when it is.
std::string JudgeSet(const std::string &gameDir, const std::string &scratch)
{
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    for (const auto &entry : fs::directory_iterator(gameDir)) {
        const std::string name = entry.path().filename().string();
        if (name == "tamsel-hotel" || name == "game.log")
            continue;
        fs::copy(entry.path(), scratch + "/" + name,
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
    TD_Data data(scratch);
    if (!data.SaveSetCheck().Damaged.empty())
        return data.LoadErrorText();
    std::map<int, int> counters;
    for (data.tHotel.First(); !data.tHotel.AtEnd(); data.tHotel.Next())
        counters[data.tHotel.FieldNamed("HOTEL_ID").AsInteger()] =
            data.tHotel.FieldNamed("ID").AsInteger();
    if (counters.size() != data.tHotel.RawRecordCount())
        return "two hotels share a HOTEL_ID";
    std::set<std::pair<int, int>> ids;
    std::set<std::pair<int, int>> storeys;
    for (data.tFloor.First(); !data.tFloor.AtEnd(); data.tFloor.Next())
        storeys.insert({data.tFloor.FieldNamed("HOTEL_ID").AsInteger(),
                        data.tFloor.FieldNamed("FLOOR_ID").AsInteger()});
    for (TvekMemTable *table : {&data.tFloor, &data.tRoom}) {
        for (table->First(); !table->AtEnd(); table->Next()) {
            const int hotel = table->FieldNamed("HOTEL_ID").AsInteger();
            const int id = table->FieldNamed("ID").AsInteger();
            if (!counters.count(hotel))
                return table->Name + " holds a record of no hotel";
            if (!ids.insert({hotel, id}).second)
                return table->Name + " repeats an ID within a hotel";
            // Records newer than the hotel's counter come from a later save.
            if (id > counters[hotel])
                return table->Name + " holds an ID its hotel never handed out";
            if (table == &data.tRoom &&
                !storeys.count({hotel, table->FieldNamed("FLOOR_ID").AsInteger()}))
                return "a room stands on a floor its hotel does not have";
        }
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    const int kills = argc > 1 ? std::atoi(argv[1]) : 100;
    const unsigned seed =
        argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> lifeMs(300, 4000);
    std::uniform_int_distribution<int> action(0, 9);
    std::uniform_int_distribution<int> cell(0, 9);
    GameDriver game("killsoak");
    const std::string scratch = game.Dir() + "-judged";
    int notWhole = 0;
    int messagesAtStart = 0;
    int starts = 0;
    std::printf("kill -9 soak: %d kills, seed %u, in %s\n", kills, seed, game.Dir().c_str());
    for (int k = 0; k < kills; ++k) {
        game.Launch();
        XSession::TopWindow box;
        // A message at start means the set was found damaged.
        const bool main = game.X().WaitWindowWhere(
            [&](const XSession::TopWindow &w) {
                return w.title == "Error" || w.title == "TAMSEL HOTEL";
            },
            box, 30s);
        if (main && box.title == "Error") {
            ++messagesAtStart;
            game.X().Focus(box);
            game.X().Key("Return");
        }
        if (!game.WaitMain()) {
            std::fprintf(stderr, "start %d: no main window; see %s\n", k, game.Log().c_str());
            return 2;
        }
        ++starts;
        if (k == 0)
            game.NewHotel("Soak");
        game.Click(GameDriver::ListRow(0));
        game.Click(GameDriver::Load());
        const auto end =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(lifeMs(random));
        while (std::chrono::steady_clock::now() < end) {
            XSession::TopWindow message;
            if (game.MessageWindow(message)) {
                game.CloseMessage(message);
                continue;
            }
            switch (action(random)) {
            case 0:
                game.Click(GameDriver::FloorButton());
                break;
            case 1:
            case 2:
                game.Click(GameDriver::Tool(1 + cell(random) % 5));
                game.Click(GameDriver::Cell(cell(random) % 3, cell(random)));
                break;
            case 3:
                game.Click(GameDriver::Info(1 + cell(random) % 4));
                break;
            default:
                // Main menu saves; Load opens the hotel again at once.
                game.Click(GameDriver::MainMenu());
                game.Click(GameDriver::Load());
                break;
            }
        }
        ::kill(game.Pid(), SIGKILL);
        game.X().WaitExit(game.Pid(), 10s);
        const std::string why = JudgeSet(game.Dir(), scratch);
        if (!why.empty()) {
            ++notWhole;
            std::printf("kill %d: not one whole generation: %s\n", k + 1, why.c_str());
        }
        if ((k + 1) % 10 == 0)
            std::printf("%d kills, %d sets not whole, %d messages at start\n", k + 1, notWhole,
                        messagesAtStart);
        std::fflush(stdout);
    }
    fs::remove_all(scratch);
    std::printf("result: %d kills, %d sets on disk not one whole generation, %d start-up "
                "messages, %d starts\n",
                kills, notWhole, messagesAtStart, starts);
    return notWhole == 0 ? 0 : 1;
}
