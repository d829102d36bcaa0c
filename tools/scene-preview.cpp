// Renders a demo hotel through the real scene engine and writes it to a PNG file:
//   scene-preview [output.png]
// Every room type appears free, occupied, broken and under construction at several alphas,
// beside stations and comfort items, so the pictures can be judged together.

#include "scene/DrawSurface.h"
#include "scene/HotelScene.h"

#include <QImage>
#include <cstdio>
#include <exception>

namespace {

struct TDemoRoom
{
    int type, floor, cell, status, alpha;
};

// Storey by storey: room type, storey, cell, status (-n building, 0 free, 1 occupied,
// 2 broken) and the alpha of a room under construction.
constexpr TDemoRoom DemoRooms[] = {
    {1, 0, 0, 1, 255},  {2, 0, 1, 1, 255},  {3, 0, 3, 1, 255},  {4, 0, 6, 1, 255},
    {5, 0, 7, 1, 255},  {1, 0, 9, 0, 255},  {4, 1, 0, 0, 255},  {2, 1, 1, 0, 255},
    {3, 1, 3, 0, 255},  {5, 1, 6, 0, 255},  {1, 1, 8, 2, 255},  {4, 1, 9, 1, 255},
    {2, 2, 0, 2, 255},  {1, 2, 2, 2, 255},  {3, 2, 3, 2, 255},  {4, 2, 6, 2, 255},
    {5, 2, 7, 2, 255},  {4, 2, 9, 1, 255},  {1, 3, 0, -9, 40},  {2, 3, 1, -7, 90},
    {3, 3, 3, -5, 140}, {4, 3, 6, -3, 190}, {5, 3, 7, -1, 235}, {3, 4, 0, 1, 255},
    {5, 4, 3, -6, 55},  {1, 4, 5, 1, 255},  {4, 4, 6, 2, 255},  {2, 4, 8, 1, 255},
    {3, 6, 0, 1, 255},  {3, 6, 3, 1, 255},  {5, 6, 6, -2, 120}, {4, 6, 8, 0, 255},
    {1, 6, 9, 1, 255},  {1, 7, 0, 1, 255},  {1, 7, 1, 1, 255},  {1, 7, 2, 2, 255},
    {4, 7, 3, 1, 255},  {4, 7, 4, 1, 255},  {2, 7, 5, 0, 255},
};

struct TDemoFloor
{
    int floor, dirty, policy, fire;
    const char *stuff;
};

constexpr TDemoFloor DemoFloors[] = {
    {0, 2, 1, 0, "1111"}, {1, 0, -1, 3, "1100"},   {2, -1, 0, -1, "0011"}, {3, -1, -1, -1, "1010"},
    {4, 5, 5, 5, "0101"}, {5, -1, -1, -1, "0000"}, {6, 0, 0, 0, "1110"},   {7, -1, -1, 1, "0001"},
};

} // namespace

int main(int argc, char **argv)
{
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "scene-preview.png";
    try {
        THotelScene scene(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
        TArena &arena = scene.Arena;
        arena.Random.seed(2026);

        int id = 1;
        for (const TDemoFloor &floor : DemoFloors)
            arena.AddFloor(id++, floor.floor, floor.dirty, floor.policy, floor.fire,
                           TComfortItems(floor.stuff, ""));
        for (const TDemoRoom &room : DemoRooms)
            arena.AddRoom(id++, room.type, room.floor, room.cell, room.status, room.alpha);

        // A few frames, so the occupants stand at different points of their wave.
        for (int frame = 0; frame < 3; ++frame) {
            scene.Frame(137);
        }
        if (!scene.Surface().Image().save(output, "PNG")) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(output));
            return 1;
        }
        std::printf("%s\n", qPrintable(output));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
