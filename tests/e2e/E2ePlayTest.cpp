// One game played through the real window in a private X server: a new hotel
// typed into the list, loaded, a floor, a room built by clicking its cell, a
// station and a comfort item, game hours passing, a refused purchase, the main
// menu, and a close by the window manager's message. The saved tables must
// hold what was played.
#include "support/x/GameDriver.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const std::string kShots = GameDriver::ShotsDir();

bool SceneShows(GameDriver &game, QPoint at, const QImage &picture, const QRect &source,
                double share)
{
    const QImage scene = game.GrabScene();
    return CountEqualPixels(scene, at, picture, source) >= share * source.width() * source.height();
}

std::map<std::string, std::string> Only(const std::vector<std::map<std::string, std::string>> &rows)
{
    EXPECT_EQ(rows.size(), 1u);
    return rows.empty() ? std::map<std::string, std::string>{} : rows.front();
}

} // namespace

TEST(e2ePlay, BuildAHotelAndFindItSaved)
{
    std::filesystem::create_directories(kShots);
    GameDriver game("play");
    ASSERT_TRUE(game.Start()) << "no main window; see " << game.Log();
    XSession::TopWindow box;
    ASSERT_FALSE(game.ErrorBox(box)) << "an error box at start-up";
    game.Shot(kShots + "01-empty-list.png");

    // New hotel, typed in the input box; it shows in the list and is current.
    ASSERT_TRUE(game.NewHotel("Grand Budapest"));
    ASSERT_TRUE(game.Await(
        [&] { return (game.GrabWindow().pixel(GameDriver::ListRow(0)) & 0xffffff) != 0x808080; },
        5s))
        << "the list shows no row";
    game.Shot(kShots + "02-list-with-hotel.png");

    // Load: the play screen, with a black, empty scene.
    game.Click(GameDriver::Load());
    const QImage floor = SpritePicture("Floor");
    const QImage room2 = SpritePicture("Room02");
    ASSERT_TRUE(game.Await([&] { return game.GrabScene().pixel(380, 490) == qRgb(0, 0, 0); }, 5s));

    // A floor: storey 0 at y 465.
    game.Click(GameDriver::FloorButton());
    ASSERT_TRUE(game.Await(
        [&] {
            return SceneShows(game, {40, 465}, floor, floor.rect(), 0.99);
        },
        5s))
        << "the floor was not drawn";

    // A two-cell room on cell 2: translucent while it is being built.
    game.Click(GameDriver::Tool(2));
    game.Click(GameDriver::Cell(0, 2));
    const QRect leftHalf(0, 0, 50, 50);
    ASSERT_TRUE(game.Await(
        [&] {
            const QImage scene = game.GrabScene();
            return CountEqualPixels(scene, {140, 465}, room2, leftHalf) < 250 &&
                   CountEqualPixels(scene, {140, 465}, floor, QRect(100, 0, 50, 50)) < 250;
        },
        5s))
        << "no translucent room";
    game.Shot(kShots + "03-room-under-construction.png");

    // A cleaning station and a lift for the floor.
    game.Click(GameDriver::Info(1));
    game.Click(GameDriver::StationSwitch());
    const QImage station = SpritePicture("Station01");
    ASSERT_TRUE(game.Await(
        [&] {
            return SceneShows(game, {592, 465}, station, station.rect(), 0.99);
        },
        5s))
        << "no cleaning station";
    game.Click(GameDriver::Info(4));
    game.Click(GameDriver::Comfort(1));
    const QImage lift = SpritePicture("Stuff01");
    ASSERT_TRUE(game.Await(
        [&] {
            return SceneShows(game, {542, 465}, lift, lift.rect(), 0.99);
        },
        5s))
        << "no lift";

    // Game hours pass: the room is finished and drawn opaque.
    ASSERT_TRUE(game.Await(
        [&] {
            return SceneShows(game, {140, 465}, room2, leftHalf, 0.99);
        },
        60s))
        << "the room did not become opaque";
    game.Shot(kShots + "04-room-finished.png");

    // A refused purchase: a three-cell room does not fit at cell 8. The message
    // window comes up, the clock stands still under it, and OK closes it.
    game.Click(GameDriver::Tool(3));
    game.Click(GameDriver::Cell(0, 8));
    XSession::TopWindow message;
    ASSERT_TRUE(game.Await([&] { return game.MessageWindow(message); }, 5s)) << "no message window";
    game.X().SaveScreenshot(message.geometry, kShots + "05-message.png");
    const QRect clockLabel(72, 80, 105, 25);
    const QImage before = game.GrabWindow().copy(clockLabel);
    EXPECT_FALSE(
        XSession::WaitUntil([&] { return game.GrabWindow().copy(clockLabel) != before; }, 2500ms))
        << "the clock ran while the message was up";
    game.CloseMessage(message);
    ASSERT_TRUE(game.Await([&] { return !game.MessageWindow(message); }, 5s));
    EXPECT_TRUE(
        XSession::WaitUntil([&] { return game.GrabWindow().copy(clockLabel) != before; }, 5s))
        << "the clock did not run again";
    EXPECT_FALSE(game.ErrorBox(box));

    // Main menu: back to the list.
    game.Click(GameDriver::MainMenu());
    ASSERT_TRUE(
        game.Await([&] { return (game.GrabWindow().pixel(600, 400) & 0xffffff) == 0x808080; }, 5s));
    game.Shot(kShots + "06-back-in-list.png");

    ASSERT_EQ(game.Quit(), 0) << "see " << game.Log();

    const auto hotel = Only(game.Dump("tHotel"));
    EXPECT_EQ(hotel.at("NAME"), "Grand Budapest");
    const int spent = 8000 + 4500 + 2500 + 3000;
    // What was bought is paid; a guest may have paid one night since.
    EXPECT_LE(std::stoi(hotel.at("MONEY")), 50000 - spent + 480);
    EXPECT_GE(std::stoi(hotel.at("MONEY")), 0);
    const auto floorRecord = Only(game.Dump("tFloor"));
    EXPECT_EQ(floorRecord.at("FLOOR_ID"), "0");
    EXPECT_EQ(floorRecord.at("DIRTY_STATION"), "0");
    EXPECT_EQ(floorRecord.at("STUFF").substr(0, 1), "1");
    const auto roomRecord = Only(game.Dump("tRoom"));
    EXPECT_EQ(roomRecord.at("TYPE"), "2");
    EXPECT_EQ(roomRecord.at("POSIT"), "2");
    EXPECT_GE(std::stoi(roomRecord.at("STATUS")), 0);
    EXPECT_EQ(game.Dump("tRooms").size(), 13u);
}

TEST(e2ePlay, ADamagedTableIsReportedAtStartAndTheGameGoesOn)
{
    GameDriver game("damaged");
    const std::string damaged = game.Dir() + "/tHotel.dht";
    const std::string garbage = "this is no table file";
    std::ofstream(damaged) << garbage;
    game.Launch();
    XSession::TopWindow box;
    ASSERT_TRUE(game.X().WaitWindow("Error", box, 20s)) << "no error box; see " << game.Log();
    std::filesystem::create_directories(kShots);
    game.X().SaveScreenshot(box.geometry, kShots + "07-load-error.png");
    game.X().Focus(box);
    game.X().Key("Return");
    ASSERT_TRUE(game.WaitMain()) << "the game did not go on";
    EXPECT_FALSE(game.ErrorBox(box));
    ASSERT_EQ(game.Quit(), 0);
    // The damaged file is kept as it was, moved aside into a dated folder.
    std::string movedTo;
    for (const auto &entry : std::filesystem::directory_iterator(game.Dir()))
        if (entry.path().filename().string().rfind("damaged-", 0) == 0)
            movedTo = entry.path().string() + "/tHotel.dht";
    std::ifstream file(movedTo);
    const std::string kept((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, garbage) << "the damaged file must be kept as it was";
}
