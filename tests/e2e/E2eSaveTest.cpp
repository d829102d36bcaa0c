// Saves a player can trust, tried on the real program in a private X server:
// a SIGTERM saves the open hotel, a kill -9 a while after a purchase keeps it,
// a save through a symbolic link keeps the link, and a damaged hotel file
// beside sound floors and rooms is reported once and loses nothing, and a second start on the
// same saves shows no second game.
#include "store/SaveFolderLock.h"
#include "support/x/GameDriver.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::string FileBytes(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// New hotel, Load, and a floor bought; true when the floor is drawn.
bool OpenAHotelWithAFloor(GameDriver &game, const std::string &name)
{
    if (!game.NewHotel(name))
        return false;
    game.Click(GameDriver::ListRow(0));
    game.Click(GameDriver::Load());
    if (!game.Await([&] { return game.GrabScene().pixel(380, 490) == qRgb(0, 0, 0); }, 10s))
        return false;
    game.Click(GameDriver::FloorButton());
    const QImage floor = SpritePicture("Floor");
    return game.Await(
        [&] {
            return CountEqualPixels(game.GrabScene(), {40, 465}, floor, floor.rect()) >=
                   0.99 * floor.width() * floor.height();
        },
        10s);
}

// The floors the table files hold, or -1 while they cannot be read.
int SavedFloors(const GameDriver &game)
{
    try {
        return static_cast<int>(game.Dump("tFloor").size());
    } catch (const std::exception &) {
        return -1;
    }
}

void WriteTable(const GameDriver &game, const std::string &file, const std::string &records)
{
    const std::string input = file + ".jsonl";
    std::ofstream(input) << records;
    // A table without records is written only when asked for by name.
    const std::string command = game.BinDir() + "hotel-tables write " + file +
                                (records.empty() ? " --empty" : "") + " < " + input +
                                " > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Checks that the saved set holds the one hotel named so, with one floor of
// its own, and returns that hotel's record.
std::map<std::string, std::string> ExpectOneHotelWithOneFloor(const GameDriver &game,
                                                              const std::string &name)
{
    const auto hotels = game.Dump("tHotel");
    const auto floors = game.Dump("tFloor");
    EXPECT_EQ(hotels.size(), 1u);
    EXPECT_EQ(floors.size(), 1u);
    if (hotels.size() != 1 || floors.size() != 1)
        return {};
    EXPECT_EQ(hotels[0].at("NAME"), name);
    EXPECT_EQ(floors[0].at("HOTEL_ID"), hotels[0].at("HOTEL_ID"));
    return hotels[0];
}

} // namespace

TEST(e2eSave, SigtermWhileAHotelIsOpenSavesIt)
{
    GameDriver game("sigterm");
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    ASSERT_TRUE(OpenAHotelWithAFloor(game, "Signalled")) << "see " << game.Log();
    ASSERT_EQ(::kill(game.Pid(), SIGTERM), 0);
    EXPECT_EQ(game.X().WaitExit(game.Pid(), 20s), 0) << "a normal exit; see " << game.Log();
    const auto hotel = ExpectOneHotelWithOneFloor(game, "Signalled");
    ASSERT_FALSE(hotel.empty());
    EXPECT_LT(std::stoi(hotel.at("MONEY")), 50000) << "the floor was paid";
}

TEST(e2eSave, KillNineSeventySecondsAfterAPurchaseKeepsIt)
{
    GameDriver game("killnine");
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    // Nothing is on disk yet for this hotel: the first autosave comes within a minute.
    ASSERT_TRUE(OpenAHotelWithAFloor(game, "Killed")) << "see " << game.Log();
    const auto bought = std::chrono::steady_clock::now();
    EXPECT_TRUE(XSession::WaitUntil([&] { return SavedFloors(game) == 1; }, 70s))
        << "no autosave within 70 s of the purchase";
    const auto waited = std::chrono::steady_clock::now() - bought;
    EXPECT_LT(waited, 70s);
    ASSERT_EQ(::kill(game.Pid(), SIGKILL), 0);
    EXPECT_EQ(game.X().WaitExit(game.Pid(), 10s), -1) << "killed by the signal";

    // The next start finds the purchase and no damage.
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    XSession::TopWindow box;
    EXPECT_FALSE(game.ErrorBox(box)) << "an error box after the kill";
    ASSERT_EQ(game.Quit(), 0);
    const auto hotels = game.Dump("tHotel");
    ASSERT_EQ(hotels.size(), 1u);
    EXPECT_EQ(hotels[0].at("NAME"), "Killed");
    ASSERT_EQ(SavedFloors(game), 1);
}

TEST(e2eSave, ASymbolicLinkSaveStaysALink)
{
    GameDriver game("symlink");
    const std::string saves = game.Dir() + "/saves";
    fs::create_directories(saves);
    WriteTable(game, saves + "/tHotel.dht", "{\"NAME\":\"Linked\"}\n");
    WriteTable(game, saves + "/tFloor.dht", "");
    WriteTable(game, saves + "/tRoom.dht", "");
    for (const char *file : {"tHotel.dht", "tFloor.dht", "tRoom.dht"})
        fs::create_symlink(std::string("saves/") + file, game.Dir() + "/" + file);
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    XSession::TopWindow box;
    EXPECT_FALSE(game.ErrorBox(box));
    ASSERT_TRUE(game.NewHotel("Second"));
    ASSERT_EQ(game.Quit(), 0) << "see " << game.Log();
    for (const char *file : {"tHotel.dht", "tFloor.dht", "tRoom.dht"}) {
        EXPECT_TRUE(fs::is_symlink(game.Dir() + "/" + file)) << file;
        EXPECT_EQ(fs::read_symlink(game.Dir() + "/" + file), std::string("saves/") + file);
    }
    const auto hotels = game.Dump("tHotel");
    ASSERT_EQ(hotels.size(), 2u);
    EXPECT_EQ(hotels[0].at("NAME"), "Linked");
    EXPECT_EQ(hotels[1].at("NAME"), "Second");
}

TEST(e2eSave, ADamagedHotelFileBesideGoodFloorsGivesOneMessageAndLosesNothing)
{
    GameDriver game("damagedset");
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    ASSERT_TRUE(OpenAHotelWithAFloor(game, "Precious")) << "see " << game.Log();
    ASSERT_EQ(game.Quit(), 0);
    // A second run changes the set, so its save keeps the first as the backup (a run that
    // changes nothing writes nothing).
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.NewHotel("Second")) << "see " << game.Log();
    ASSERT_EQ(game.Quit(), 0);
    const std::string floors = FileBytes(game.Dir() + "/tFloor.dht");
    const std::string rooms = FileBytes(game.Dir() + "/tRoom.dht");
    const std::string garbage = "scribbled over";
    std::ofstream(game.Dir() + "/tHotel.dht", std::ios::binary | std::ios::trunc) << garbage;

    game.Launch();
    XSession::TopWindow box;
    ASSERT_TRUE(game.X().WaitWindow("Error", box, 20s)) << "no message; see " << game.Log();
    game.X().Focus(box);
    game.X().Key("Return");
    ASSERT_TRUE(game.WaitMain()) << "the game did not go on";
    EXPECT_FALSE(game.ErrorBox(box)) << "a second message";
    ASSERT_EQ(game.Quit(), 0);

    std::string movedTo;
    for (const auto &entry : fs::directory_iterator(game.Dir()))
        if (entry.path().filename().string().rfind("damaged-", 0) == 0)
            movedTo = entry.path().string() + "/";
    ASSERT_FALSE(movedTo.empty()) << "no damaged-* folder";
    EXPECT_EQ(FileBytes(movedTo + "tHotel.dht"), garbage);
    EXPECT_EQ(FileBytes(movedTo + "tFloor.dht"), floors);
    EXPECT_EQ(FileBytes(movedTo + "tRoom.dht"), rooms);
    // The backup came back: the hotel with its floor.
    ExpectOneHotelWithOneFloor(game, "Precious");
}

// A second start on the same saves (a double click on the menu entry) shows no second game: the
// first comes to the front and plays on, and nothing made in it is lost.
TEST(e2eSave, ASecondStartOnTheSameSavesBringsTheFirstToTheFront)
{
    GameDriver game("secondstart");
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    ASSERT_TRUE(game.NewHotel("First")) << "see " << game.Log();
    game.X().FocusNone();
    ASSERT_EQ(game.X().FocusedWindow(), 0u);
    // Without a window manager the game asks the X server for the focus itself, with the time of
    // the last event it saw; a pointer moved over it is newer than the focus taken away above.
    game.Move(GameDriver::ListRow(3));

    const std::string secondLog = game.Dir() + "/second.log";
    const pid_t second = game.LaunchAgain(secondLog);
    EXPECT_EQ(game.X().WaitExit(second, 20s), 0) << "see " << secondLog;
    EXPECT_TRUE(
        XSession::WaitUntil([&] { return game.X().FocusedWindow() == game.Main().id; }, 10s))
        << "the first game's window did not come to the front";
    int mainWindows = 0;
    for (const XSession::TopWindow &window : game.X().Windows())
        mainWindows += window.title == "TAMSEL HOTEL" ? 1 : 0;
    EXPECT_EQ(mainWindows, 1);
    ASSERT_TRUE(game.Running()) << "the first game ended";

    ASSERT_TRUE(game.NewHotel("After")) << "the first game plays on; see " << game.Log();
    ASSERT_EQ(game.Quit(), 0);
    const auto hotels = game.Dump("tHotel");
    ASSERT_EQ(hotels.size(), 2u);
    EXPECT_EQ(hotels[0].at("NAME"), "First");
    EXPECT_EQ(hotels[1].at("NAME"), "After");
}

// The kernel lets go of a killed game's hold on the saves: the next start plays them.
TEST(e2eSave, AKilledGamesHoldDoesNotBlockTheNextStart)
{
    GameDriver game("killedhold");
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    ASSERT_TRUE(game.NewHotel("Held")) << "see " << game.Log();
    ASSERT_EQ(::kill(game.Pid(), SIGKILL), 0);
    EXPECT_EQ(game.X().WaitExit(game.Pid(), 10s), -1);
    ASSERT_TRUE(game.Start()) << "a start after the kill found no window; see " << game.Log();
    XSession::TopWindow box;
    EXPECT_FALSE(game.ErrorBox(box));
    ASSERT_EQ(game.Quit(), 0);
}

// When the holder of the saves cannot be reached (it answers no request to come to the front),
// the start says so and ends without playing or saving.
TEST(e2eSave, AHeldFolderWhoseGameDoesNotAnswerIsSaidAndLeftAlone)
{
    GameDriver game("heldelsewhere");
    const TSaveFolderLock holder(game.Dir());
    ASSERT_EQ(holder.State(), TSaveFolderLock::TState::Held);
    game.Launch();
    XSession::TopWindow box;
    ASSERT_TRUE(game.X().WaitWindow("Tamsel Hotel", box, 20s)) << "see " << game.Log();
    game.X().Focus(box);
    game.X().Key("Return");
    EXPECT_EQ(game.X().WaitExit(game.Pid(), 10s), 1);
    EXPECT_FALSE(fs::exists(game.Dir() + "/tHotel.dht"))
        << "a start that does not play saves nothing";
}

// A save folder every user can write is not played: the player is told, and nothing there is
// read or written, not even a note of renames another user planted.
TEST(e2eSave, AFolderEveryUserCanWriteIsNotPlayed)
{
    GameDriver game("openfolder");
    const std::string note = game.Dir() + "/.tamsel-save-commit";
    std::ofstream(note) << ".tHotel.dht.tmp-1-0\ttHotel.dht\n";
    fs::permissions(game.Dir(), fs::perms::all);
    game.Launch();
    XSession::TopWindow box;
    ASSERT_TRUE(game.X().WaitWindow("Error", box, 20s)) << "see " << game.Log();
    game.X().Focus(box);
    game.X().Key("Return");
    EXPECT_EQ(game.X().WaitExit(game.Pid(), 10s), 1);
    EXPECT_TRUE(fs::exists(note));
    EXPECT_FALSE(fs::exists(game.Dir() + "/.tamsel-lock"));
    EXPECT_FALSE(fs::exists(game.Dir() + "/tHotel.dht"));
    fs::permissions(game.Dir(), fs::perms::owner_all);
}

// When the X server goes away under a game (a crashed display server, a lost remote session),
// the hotels are saved before it ends, as a closed window saves them.
TEST(e2eSave, AVanishedXServerStillSavesTheHotels)
{
    GameDriver game("lostdisplay");
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    // Not saved yet: the autosave comes a minute later, the exit save at the end.
    ASSERT_TRUE(game.NewHotel("Unsaved")) << "see " << game.Log();
    ASSERT_FALSE(fs::exists(game.Dir() + "/tHotel.dht")) << "saved before the display went";
    game.X().KillServer();
    EXPECT_GE(game.X().WaitExit(game.Pid(), 20s), 0) << "see " << game.Log();
    const auto hotels = game.Dump("tHotel");
    ASSERT_EQ(hotels.size(), 1u) << "see " << game.Log();
    EXPECT_EQ(hotels[0].at("NAME"), "Unsaved");
}
