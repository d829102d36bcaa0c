// The journal, the help and the explanations through the real window: a saved
// hotel opened at 09:00 gets its first morning report in the left panel after
// 08:00 the next day, J shows the whole journal, a tool explains itself on
// hover, and F1 shows how to play. Screenshots of each go to e2e-shots/.
#include "support/x/GameDriver.h"

#include <QElapsedTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const std::string kShots = GameDriver::ShotsDir();

// The journal's part of the left panel, in window coordinates.
const QRect kJournalLines(8, 246, 170, 148);

// Writes a table file from JSON lines with the table tool.
void WriteTable(GameDriver &game, const std::string &table, const std::string &records)
{
    const std::string input = game.Dir() + "/" + table + ".jsonl";
    std::ofstream(input) << records;
    const std::string command = "'" + game.BinDir() + "hotel-tables' write '" + game.Dir() + "/" +
                                table + ".dht' --schema " + table + " < '" + input + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// A hotel at 09:00 whose next day has something of every kind: rooms that fill,
// guests who leave a floor whose police is 18, a room that breaks at 22:00, a
// ventilation with no day left, a suite that is finished at noon, paid wages.
void WriteHotel(GameDriver &game)
{
    WriteTable(game, "tHotel",
               R"({"HOTEL_ID": 1, "NAME": "Tamsel Palace", "MONEY": 20000, "ID": 20, )"
               R"("DATE": "2026-03-12", "TIME": 9})"
               "\n");
    WriteTable(game, "tFloor",
               R"({"ID": 1, "HOTEL_ID": 1, "FLOOR_ID": 0, "DIRTY": 90, "DIRTY_STATION": 2, )"
               R"("POLICY": 80, "POLICY_STATION": 1, "FIRE": 85, "FIRE_STATION": 1, )"
               R"("STUFF": "1100", "COMFORT": 76, "STUF_WEAR": "25000000"})"
               "\n"
               R"({"ID": 2, "HOTEL_ID": 1, "FLOOR_ID": 1, "DIRTY": 60, "POLICY": 18, )"
               R"("FIRE": 70, "STUFF": "0010", "COMFORT": 43, "STUF_WEAR": "00003000"})"
               "\n"
               R"({"ID": 3, "HOTEL_ID": 1, "FLOOR_ID": 2, "COMFORT": 75})"
               "\n");
    WriteTable(
        game, "tRoom",
        R"({"ID": 10, "HOTEL_ID": 1, "FLOOR_ID": 0, "POSIT": 0, "TYPE": 1, "STATUS": 1, "WEAR": 1, "ALPHA": 255})"
        "\n"
        R"({"ID": 11, "HOTEL_ID": 1, "FLOOR_ID": 0, "POSIT": 1, "TYPE": 2, "STATUS": 0, "WEAR": 24, "ALPHA": 255})"
        "\n"
        R"({"ID": 12, "HOTEL_ID": 1, "FLOOR_ID": 0, "POSIT": 3, "TYPE": 4, "STATUS": 1, "WEAR": 10, "ALPHA": 255})"
        "\n"
        R"({"ID": 13, "HOTEL_ID": 1, "FLOOR_ID": 0, "POSIT": 4, "TYPE": 5, "STATUS": 1, "WEAR": 12, "ALPHA": 255})"
        "\n"
        R"({"ID": 14, "HOTEL_ID": 1, "FLOOR_ID": 1, "POSIT": 0, "TYPE": 2, "STATUS": 1, "WEAR": 20, "ALPHA": 255})"
        "\n"
        R"({"ID": 15, "HOTEL_ID": 1, "FLOOR_ID": 1, "POSIT": 2, "TYPE": 1, "STATUS": 1, "WEAR": 5, "ALPHA": 255})"
        "\n"
        R"({"ID": 16, "HOTEL_ID": 1, "FLOOR_ID": 2, "POSIT": 0, "TYPE": 3, "STATUS": -3, "WEAR": 28, "ALPHA": 145})"
        "\n"
        R"({"ID": 17, "HOTEL_ID": 1, "FLOOR_ID": 2, "POSIT": 4, "TYPE": 1, "STATUS": 0, "WEAR": 20, "ALPHA": 255})"
        "\n");
}

int DifferentPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

// Whether a window has painted: most of its area is no longer black.
bool Painted(XSession &x, const QRect &area)
{
    const QImage shot = x.Grab(area);
    int black = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int px = 0; px < shot.width(); ++px)
            black += (shot.pixel(px, y) & 0xffffff) == 0 ? 1 : 0;
    return black < shot.width() * shot.height() / 2;
}

bool HasPixel(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff))
                return true;
    return false;
}

} // namespace

TEST(e2eJournal, TheMorningReportAppearsAfterEightAndJAndF1OpenTheirWindows)
{
    std::filesystem::create_directories(kShots);
    GameDriver game("journal");
    WriteHotel(game);
    ASSERT_TRUE(game.Start()) << "no main window; see " << game.Log();
    XSession::TopWindow box;
    ASSERT_FALSE(game.ErrorBox(box)) << "an error box at start-up";

    game.Click(GameDriver::ListRow(0));
    game.Click(GameDriver::Load());
    ASSERT_TRUE(game.Await([&] { return game.GrabScene().pixel(380, 490) != qRgb(0, 0, 0); }, 5s))
        << "the hotel's floors are not drawn";
    QElapsedTimer clock;
    clock.start();
    const QImage hint = game.GrabWindow().copy(kJournalLines);

    // A building tool explains itself under the mouse: the tooltip's pale box
    // appears below the pointer.
    game.Move(GameDriver::Tool(2));
    const QRect below(GameDriver::Tool(2).x(), GameDriver::Tool(2).y() + 4, 300, 120);
    ASSERT_TRUE(game.Await(
        [&] { return HasPixel(game.GrabWindow().copy(below), qRgb(255, 255, 220)); }, 10s))
        << "no tooltip on the tool";
    game.X().SaveScreenshot(QRect(game.Main().geometry.topLeft(), QSize(560, 679)),
                            kShots + "journal-tooltip.png");
    game.Move(GameDriver::Scene(700, 30));

    // 09:00 to 08:00 the next morning is 23 game hours at one a second.
    ASSERT_TRUE(game.Await(
        [&] { return DifferentPixels(game.GrabWindow().copy(kJournalLines), hint) > 200; }, 60s))
        << "no report in the left panel";
    EXPECT_GE(clock.elapsed(), 15000) << "the report came before 08:00";
    game.Shot(kShots + "journal-play.png");

    // J: the whole journal with its chart, beside the game, which goes on.
    game.X().Focus(game.Main());
    game.X().Key("j");
    XSession::TopWindow journal;
    ASSERT_TRUE(game.X().WaitWindowWhere(
        [](const XSession::TopWindow &w) { return w.title.rfind("Hotel journal", 0) == 0; },
        journal, 5s))
        << "J opened no journal window";
    EXPECT_NE(journal.title.find("Tamsel Palace"), std::string::npos) << journal.title;
    EXPECT_TRUE(game.Await([&] { return Painted(game.X(), journal.geometry); }, 5s));
    game.X().SaveScreenshot(journal.geometry, kShots + "journal-window.png");

    // F1: how to play.
    game.X().Focus(game.Main());
    game.X().Key("F1");
    XSession::TopWindow help;
    ASSERT_TRUE(game.X().WaitWindow("How to play", help, 5s)) << "F1 opened no help";
    EXPECT_TRUE(game.Await([&] { return Painted(game.X(), help.geometry); }, 5s));
    game.X().SaveScreenshot(help.geometry, kShots + "journal-help.png");

    EXPECT_EQ(game.Quit(), 0) << "see " << game.Log();
}
