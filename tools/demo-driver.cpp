// The demo behind tools/demo: plays a short game through the real window in a
// private X server (a new hotel, two floors, one room of every type, stations
// with workers, comfort items, a couple of game days) and
// saves screenshots of the hotel list and the play screen.
// Usage: demo-driver OUTPUT-DIRECTORY
#include "tests/support/x/GameDriver.h"

#include <cstdio>
#include <filesystem>

using namespace std::chrono_literals;

namespace {

bool Step(bool ok, const char *what)
{
    if (!ok)
        std::fprintf(stderr, "demo: %s did not happen\n", what);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    std::filesystem::create_directories(out);
    GameDriver game("demo");
    if (!Step(game.Start(), "the start of the game"))
        return 1;

    Step(game.NewHotel("Grand Budapest"), "a first hotel");
    Step(game.NewHotel("Tamsel Palace"), "a second hotel");
    Step(game.Await([&] { return (game.PixelAt(GameDriver::ListRow(1)) & 0xffffff) != 0x808080; },
                    5s),
         "the list rows");

    // The second hotel is current: load it and build two floors, one room of
    // every type, two stations with a worker each and two comfort items, as
    // far as the 50000 of a new hotel go.
    game.Click(GameDriver::Load());
    game.Click(GameDriver::FloorButton());
    game.Click(GameDriver::FloorButton());
    const QImage floor = SpritePicture("Floor");
    Step(game.Await(
             [&] {
                 return CountEqualPixels(game.GrabScene(), {40, 415}, floor, floor.rect()) > 24000;
             },
             5s),
         "the floors");
    const struct
    {
        int type, storey, cell;
    } rooms[] = {{1, 0, 0}, {2, 0, 1}, {3, 0, 3}, {4, 1, 0}, {5, 1, 1}};
    for (const auto &room : rooms) {
        game.Click(GameDriver::Tool(room.type));
        game.Click(GameDriver::Cell(room.storey, room.cell));
    }
    game.Click(GameDriver::Cell(0, 8)); // the ground floor gets the equipment
    for (int station = 1; station <= 2; ++station) {
        game.Click(GameDriver::Info(station));
        game.Click(GameDriver::StationSwitch());
        game.Click(GameDriver::Plus());
    }
    game.Click(GameDriver::Info(4));
    game.Click(GameDriver::Comfort(3));
    game.Click(GameDriver::Comfort(4));

    // Game hours pass until the single room has its first guest (an occupant
    // drawn over the opaque room), or two game days at most.
    const QImage room1 = SpritePicture("Room01");
    bool finished = false;
    Step(game.Await(
             [&] {
                 const int same =
                     CountEqualPixels(game.GrabScene(), {40, 465}, room1, {0, 0, 50, 50});
                 finished = finished || same == 2500;
                 return finished && same < 2400;
             },
             80s),
         "a guest");
    game.Click(GameDriver::Cell(0, 3)); // the family suite, for the room page
    game.Click(GameDriver::Info(2));
    game.Move(GameDriver::Scene(700, 200));
    const std::string play = out + "/screenshot-play.png";
    game.Shot(play);

    game.Click(GameDriver::MainMenu());
    Step(game.Await(
             [&] {
                 return (game.PixelAt({600, 400}) & 0xffffff) == 0x808080;
             },
             5s),
         "the way back to the list");
    // Back on the list, ordered by money: the hotel just played comes first.
    const std::string list = out + "/screenshot-list.png";
    game.Shot(list);
    const int status = game.Quit();
    std::printf("Screenshots of the demo:\n  %s\n  %s\n", list.c_str(), play.c_str());
    return status == 0 ? 0 : 1;
}
