// The player's keys on the real window in a private X server: Space stops
// and restarts the clock, 3 and 1 change its pace, Escape releases a building
// tool, H switches the high-contrast colours, and Escape in the question
// after Delete keeps the hotel.
#include "support/x/GameDriver.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const std::string kShots = std::string(TAMSEL_BINARY_DIR) + "/e2e-shots/";

// Places in the left panel, in window coordinates.
const QRect kTimeLabel(72, 80, 105, 25);
const QRect kPausedLabel(16, 136, 161, 25);
const QRect kToolPicture(0, 629, 185, 50);
const QRgb kPanelGrey = 0x808080;

int CountPixels(const QImage &shot, const QRect &area, const std::function<bool(QRgb)> &test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(shot.pixel(x, y) & 0xffffff))
                ++count;
    return count;
}

bool PausedShows(GameDriver &game)
{
    // "Paused" is written in yellow.
    return CountPixels(game.GrabWindow(), kPausedLabel, [](QRgb p) { return p == 0xffff00; }) > 20;
}

bool ToolPictureShows(GameDriver &game)
{
    return CountPixels(game.GrabWindow(), kToolPicture, [](QRgb p) { return p != kPanelGrey; }) >
           100;
}

QImage TimeLabel(GameDriver &game)
{
    return game.GrabWindow().copy(kTimeLabel);
}

// Whether the time label moves on by `hours` hours before the deadline: at one
// hour a second that takes more than hours - 1 seconds, at four an hour a
// quarter of that, so a deadline between the two tells the speeds apart however
// slowly a loaded machine draws.
bool ClockMoves(GameDriver &game, int hours, XSession::Millis deadline)
{
    int changes = 0;
    QImage last = TimeLabel(game);
    return game.X().WaitUntil(
        [&] {
            const QImage now = TimeLabel(game);
            if (now != last) {
                ++changes;
                last = now;
            }
            return changes >= hours;
        },
        deadline);
}

} // namespace

TEST(e2eControls, PauseSpeedEscapeHighContrastAndTheQuestionBeforeDelete)
{
    std::filesystem::create_directories(kShots);
    GameDriver game("controls");
    ASSERT_TRUE(game.Start()) << "no main window; see " << game.Log();
    ASSERT_TRUE(game.NewHotel("Keys"));
    ASSERT_TRUE(game.Await(
        [&] { return (game.GrabWindow().pixel(GameDriver::ListRow(0)) & 0xffffff) != kPanelGrey; },
        5s))
        << "the list shows no row";
    game.Click(GameDriver::Load());
    ASSERT_TRUE(game.Await([&] { return game.GrabScene().pixel(380, 490) == qRgb(0, 0, 0); }, 5s));

    // The clock runs.
    QImage before = TimeLabel(game);
    ASSERT_TRUE(game.Await([&] { return TimeLabel(game) != before; }, 5s)) << "the clock stands";

    // Space: "Paused" shows and the hour stands still.
    game.X().Key("space");
    ASSERT_TRUE(game.Await([&] { return PausedShows(game); }, 5s)) << "no \"Paused\"";
    game.Shot(kShots + "controls-paused.png");
    before = TimeLabel(game);
    EXPECT_FALSE(game.X().WaitUntil([&] { return TimeLabel(game) != before; }, 3s))
        << "the hour moved while paused";
    EXPECT_TRUE(PausedShows(game)) << "\"Paused\" shows steadily";

    // Space again: the clock goes on.
    game.X().Key("space");
    ASSERT_TRUE(game.Await([&] { return !PausedShows(game); }, 5s));
    ASSERT_TRUE(game.Await([&] { return TimeLabel(game) != before; }, 5s))
        << "the clock did not resume";

    // 3 then 1: four hours a second, then one. Four hours within 2.9 s are out
    // of reach at one an hour (three changes at most) and take about 1 s at four.
    constexpr int kHours = 4;
    constexpr auto kDeadline = 2900ms;
    game.X().Key("3");
    EXPECT_TRUE(ClockMoves(game, kHours, kDeadline)) << "x4 is not four hours a second";
    game.X().Key("1");
    EXPECT_FALSE(ClockMoves(game, kHours, kDeadline)) << "x1 runs faster than an hour a second";

    // Escape releases a chosen tool: its picture leaves the tools' page.
    game.Click(GameDriver::Tool(1));
    ASSERT_TRUE(game.Await([&] { return ToolPictureShows(game); }, 5s)) << "no tool chosen";
    game.X().Key("Escape");
    EXPECT_TRUE(game.Await([&] { return !ToolPictureShows(game); }, 5s)) << "the tool stayed";

    // H: the grey panels turn black, and back.
    game.X().Key("h");
    EXPECT_TRUE(game.Await(
        [&] {
            return (game.PixelAt({182, 150}) & 0xffffff) == 0x000000;
        },
        5s))
        << "no high contrast";
    game.Shot(kShots + "controls-high-contrast.png");
    game.X().Key("h");
    EXPECT_TRUE(game.Await(
        [&] {
            return (game.PixelAt({182, 150}) & 0xffffff) == kPanelGrey;
        },
        5s));

    // Delete asks; Escape keeps the hotel.
    game.Click(GameDriver::MainMenu());
    ASSERT_TRUE(game.Await(
        [&] {
            return (game.PixelAt({600, 400}) & 0xffffff) == kPanelGrey;
        },
        5s));
    game.Click(GameDriver::Delete());
    XSession::TopWindow question;
    ASSERT_TRUE(game.X().WaitWindow("Delete", question, 5s)) << "Delete asked nothing";
    game.X().SaveScreenshot(question.geometry, kShots + "controls-delete-question.png");
    game.X().Focus(question);
    game.X().Key("Escape");
    ASSERT_TRUE(game.X().WaitNoWindow("Delete", 5s));
    game.X().Focus(game.Main());
    EXPECT_NE(game.GrabWindow().pixel(GameDriver::ListRow(0)) & 0xffffff, kPanelGrey)
        << "the hotel left the list";

    ASSERT_EQ(game.Quit(), 0) << "see " << game.Log();
    const auto hotels = game.Dump("tHotel");
    ASSERT_EQ(hotels.size(), 1u);
    EXPECT_EQ(hotels[0].at("NAME"), "Keys");
}
