// The history of backups over an hour of play, on a game clock that faketime runs forty times
// real speed: it reaches back across the hour instead of holding the last few minutes, starts
// without play leave it as it is, and Restore from the hotel list brings a chosen backup back
// while keeping what it replaces.
#include "support/x/GameDriver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

constexpr int ClockRate = 40;
constexpr long HourOfPlay =
    59 * 60; // seconds of the game's clock between the first backup and the last

struct TBackup
{
    std::string folder;
    long written;
};

// The backups as the game stamped them, newest first.
std::vector<TBackup> History(const GameDriver &game)
{
    std::vector<TBackup> backups;
    std::error_code error;
    for (const auto &entry : fs::directory_iterator(game.Dir() + "/backup", error)) {
        const std::string name = entry.path().filename().string();
        struct stat info
        {
        };
        if (name.front() == '.' || ::stat(entry.path().c_str(), &info) != 0)
            continue;
        backups.push_back({entry.path().string() + "/", long(info.st_mtim.tv_sec)});
    }
    std::sort(backups.begin(), backups.end(),
              [](const TBackup &a, const TBackup &b) { return a.written > b.written; });
    return backups;
}

long Span(const std::vector<TBackup> &backups)
{
    return backups.empty() ? 0 : backups.front().written - backups.back().written;
}

std::string FileBytes(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(e2eHistory, AnHourOfPlayReachesBackAndStartsWithoutPlayChangeNothingAndRestoreKeepsAll)
{
    GameDriver game("history");
    game.RunOnClock("+0 x" + std::to_string(ClockRate));
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    ASSERT_TRUE(game.NewHotel("Timeless")) << "see " << game.Log();
    game.Click(GameDriver::ListRow(0));
    game.Click(GameDriver::Load());
    // The open hotel's clock changes it every game hour, so every autosave keeps a backup; with
    // only the newest few kept, the history would never span the hour.
    EXPECT_TRUE(game.Await([&] { return Span(History(game)) >= HourOfPlay; }, 200s))
        << "the backups span " << Span(History(game)) << " s; see " << game.Log();
    ASSERT_EQ(game.Quit(), 0) << "see " << game.Log();
    const std::vector<TBackup> afterPlay = History(game);
    ASSERT_GE(Span(afterPlay), 30 * 60) << "no backup half an hour old";
    std::printf("after the hour: %zu backups reaching back %ld s of the game's clock\n",
                afterPlay.size(), Span(afterPlay));
    // Five newest, the oldest of each hour touched, the oldest of the day: a handful, not sixty.
    EXPECT_LE(afterPlay.size(), 8u);

    // Each run under faketime starts from the real time again: the later ones run from where the
    // played hour ended, as a player's clock would.
    const long ahead = afterPlay.front().written - long(std::time(nullptr)) + 60;
    game.RunOnClock("+" + std::to_string(std::max(ahead, 0L)));
    for (int start = 0; start < 10; ++start) {
        ASSERT_TRUE(game.Start()) << "start " << start << "; see " << game.Log();
        ASSERT_EQ(game.Quit(), 0);
    }
    const std::vector<TBackup> afterStarts = History(game);
    ASSERT_EQ(afterStarts.size(), afterPlay.size());
    for (std::size_t i = 0; i < afterStarts.size(); ++i)
        EXPECT_EQ(afterStarts[i].folder, afterPlay[i].folder);

    // Restore the oldest backup from the hotel list, by keyboard.
    const std::string current = FileBytes(game.Dir() + "/tHotel.dht");
    const std::string chosen = FileBytes(afterStarts.back().folder + "tHotel.dht");
    ASSERT_NE(current, chosen);
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    game.Click({185 + 66, 362});
    XSession::TopWindow restore;
    ASSERT_TRUE(game.X().WaitWindow("Restore", restore, 10s)) << "see " << game.Log();
    game.X().Focus(restore);
    game.X().Key("End");
    game.X().Key("Return");
    ASSERT_TRUE(game.X().WaitNoWindow("Restore", 10s));
    ASSERT_EQ(game.Quit(), 0) << "see " << game.Log();
    EXPECT_EQ(FileBytes(game.Dir() + "/tHotel.dht"), chosen);
    const std::vector<TBackup> afterRestore = History(game);
    ASSERT_EQ(afterRestore.size(), afterStarts.size() + 1) << "nothing leaves by a restore";
    EXPECT_EQ(FileBytes(afterRestore.front().folder + "tHotel.dht"), current)
        << "the set it replaced is the newest backup";
}
