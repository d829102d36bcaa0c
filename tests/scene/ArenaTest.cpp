#include "SceneFixture.h"
#include "scene/FeatureSprite.h"
#include "scene/FloorSprite.h"
#include "scene/MickySprite.h"
#include "scene/RoomSprite.h"
#include "scene/StationSprite.h"
#include "scene/StuffSprite.h"
#include "support/ReferenceDraw.h"

#include <cmath>
#include <stdexcept>

namespace {

using ArenaTest = SceneFixture;

// The surface pixels of a pattern drawn 1:1 at (x, y) equal the picture's.
bool ShowsPattern(const TDrawSurface &surface, const TPictureItem &item, int pattern, int x, int y)
{
    const QRect rect = item.PatternRect(pattern);
    for (int dy = 0; dy < rect.height(); ++dy)
        for (int dx = 0; dx < rect.width(); ++dx)
            if (surface.Pixel(x + dx, y + dy) != item.Picture.pixel(rect.x() + dx, rect.y() + dy))
                return false;
    return true;
}

struct TPlace
{
    const char *what;
    double x, y, expectedX, expectedY;
};

TEST_F(ArenaTest, GeometryOfFloorsStripsItemsRoomsAndOccupants)
{
    TFloorSprite *floor0 = Arena.AddFloor(1, 0, 0, 0, 0, TComfortItems("1111", ""));
    TFloorSprite *floor3 = Arena.AddFloor(2, 3, -1, -1, -1, TComfortItems("0100", ""));
    TFloorSprite *floor9 = Arena.AddFloor(3, 9, -1, -1, -1, TComfortItems("", ""));
    TRoomSprite *wide = Arena.AddRoom(10, 3, 0, 2, 1, 255);
    TRoomSprite *corner = Arena.AddRoom(11, 4, 9, 9, 0, 255);
    TRoomSprite *single = Arena.AddRoom(12, 1, 1, 0, 0, 255);
    EXPECT_EQ(Arena.BaseLine(), 465);
    const TPlace places[] = {
        {"floor 0", floor0->X, floor0->Y, 40, 465},
        {"floor 9", floor9->X, floor9->Y, 40, 15},
        {"strip of floor 0", floor0->Parts[0]->X, floor0->Parts[0]->Y, 542, 465},
        {"lift", floor0->Parts[4]->X, floor0->Parts[4]->Y, 542, 465},
        {"ventilation of floor 0", floor0->Parts[5]->X, floor0->Parts[5]->Y, 567, 466},
        {"refrigerator", floor0->Parts[6]->X, floor0->Parts[6]->Y, 567, 482},
        {"TV cable", floor0->Parts[7]->X, floor0->Parts[7]->Y, 567, 498},
        {"ventilation of floor 3", floor3->Parts[5]->X, floor3->Parts[5]->Y, 567, 316},
        {"cleaning station", floor0->Parts[1]->X, floor0->Parts[1]->Y, 592, 465},
        {"police station", floor0->Parts[2]->X, floor0->Parts[2]->Y, 642, 465},
        {"fire station", floor0->Parts[3]->X, floor0->Parts[3]->Y, 692, 465},
        {"150-pixel room at cell 2", wide->X, wide->Y, 140, 465},
        {"its occupant", wide->Micky->X, wide->Micky->Y, 240, 465},
        {"room at cell 9 of floor 9", corner->X, corner->Y, 490, 15},
        {"occupant of a 50-pixel room at cell 0", single->Micky->X, single->Micky->Y, 40, 415},
    };
    for (const TPlace &place : places) {
        EXPECT_EQ(place.x, place.expectedX) << place.what;
        EXPECT_EQ(place.y, place.expectedY) << place.what;
    }
    EXPECT_EQ(floor0->Width, 500);
    EXPECT_EQ(floor0->Parts[5]->Height, 16);
    EXPECT_EQ(wide->Width, 150);
    EXPECT_EQ(floor3->Parts[1], nullptr);
    EXPECT_EQ(floor3->Parts[4], nullptr);
    EXPECT_EQ(floor9->Parts[5], nullptr); // an empty STUFF reads as "0000"
    EXPECT_EQ(wide->Micky->Floor, 0);
    EXPECT_EQ(wide->Micky->RoomID, 10);
    EXPECT_EQ(wide->Micky->ID, 0);
}

TEST_F(ArenaTest, LayersAndHitTestsFollowTheSceneRules)
{
    Arena.AddFloor(1, 0, -1, -1, -1, TComfortItems("0000", ""));
    TFloorSprite *upper = Arena.AddFloor(2, 1, -1, -1, -1, TComfortItems("0000", ""));
    TRoomSprite *first = Arena.AddRoom(10, 1, 0, 0, 0, 255);
    TRoomSprite *second = Arena.AddRoom(11, 1, 0, 1, 0, 255);
    EXPECT_EQ(Engine.SpriteAt(90, 480), first); // the shared column: created first
    Arena.SetStatusByID(11, 1);
    EXPECT_EQ(Engine.SpriteAt(110, 480), second->Micky); // occupant over its room
    EXPECT_EQ(Engine.SpriteAt(300, 480)->Z, 50);
    EXPECT_EQ(Engine.SpriteAt(300, 465), Arena.FindFloor(0)); // boundary row: first floor made
    EXPECT_EQ(Arena.FindFloor(1), upper);
    EXPECT_EQ(Arena.FindFloor(7), nullptr);
    second->SetStatus(0);
    EXPECT_EQ(Engine.SpriteAt(110, 480), second); // a hidden occupant is never found
}

TEST_F(ArenaTest, StatusChangesPatternAndOccupantButNotAlpha)
{
    Arena.AddFloor(1, 0, -1, -1, -1, TComfortItems("0000", ""));
    TRoomSprite *room = Arena.AddRoom(10, 2, 0, 3, 1, 255);
    const TPictureItem &picture = *room->Picture;
    Frame();
    EXPECT_TRUE(ShowsPattern(Surface, picture, 0, 190, 465) == false); // occupant on top
    Arena.SetStatusByID(10, 2);
    EXPECT_EQ(room->CurrentPattern(), 1);
    EXPECT_FALSE(room->Micky->Visible);
    const double frameBefore = room->Micky->FramePos;
    Frame(200); // hidden occupants keep animating
    EXPECT_DOUBLE_EQ(room->Micky->FramePos, std::fmod(frameBefore + 1.0, 6.0));
    EXPECT_TRUE(ShowsPattern(Surface, picture, 1, 190, 465));
    Arena.SetStatusByID(10, 0);
    Frame();
    EXPECT_TRUE(ShowsPattern(Surface, picture, 0, 190, 465));
    EXPECT_EQ(room->Alpha, 255);
    Arena.SetStatusByID(99, 2); // unknown ID: nothing
    EXPECT_EQ(room->Status, 0);
}

TEST_F(ArenaTest, RoomsUnderConstructionAreBlendedFromTheFirstFrame)
{
    TRoomSprite *building = Arena.AddRoom(10, 1, 0, 0, -5, 55);
    TRoomSprite *loadedFree = Arena.AddRoom(11, 4, 0, 1, 0, 55);
    EXPECT_EQ(building->Alpha, 55);
    EXPECT_EQ(loadedFree->Alpha, 255);
    Frame();
    const QRgb source = building->Picture->Picture.pixel(20, 30);
    EXPECT_EQ(Surface.Pixel(60, 495),
              qRgb(qRed(source) * 55 / 256, qGreen(source) * 55 / 256, qBlue(source) * 55 / 256));
    EXPECT_TRUE(ShowsPattern(Surface, *loadedFree->Picture, 0, 90, 465));
    Arena.SetAlphaByID(10, 255);
    Frame();
    EXPECT_TRUE(ShowsPattern(Surface, *building->Picture, 0, 40, 465));
}

TEST_F(ArenaTest, TheColourKeyNeverShowsOnTheScene)
{
    for (int storey = 0; storey < 10; ++storey) {
        Arena.AddFloor(100 + storey, storey, 1, 1, 1, TComfortItems("1111", ""));
        for (int cell = 0; cell < 10; ++cell)
            Arena.AddRoom(storey * 10 + cell, 1 + (cell + storey) % 2 * 3, storey, cell, 1, 255);
    }
    for (int frame = 0; frame < 6; ++frame) {
        Frame(200);
        for (int y = 0; y < Surface.Height(); ++y)
            for (int x = 0; x < Surface.Width(); ++x)
                ASSERT_NE(Surface.Pixel(x, y) & 0xffffff, 0x660000u) << x << "," << y;
    }
}

TEST_F(ArenaTest, AFrameEqualsThePlainReferenceRender)
{
    const int alphas[] = {1, 55, 128, 254};
    for (int storey = 0; storey < 4; ++storey) {
        Arena.AddFloor(100 + storey, storey, 0, 0, 0, TComfortItems("1111", ""));
        for (int cell = 0; cell < 8; cell += 2)
            Arena.AddRoom(storey * 10 + cell, 1 + cell / 2 % 5, storey, cell,
                          cell == 2 ? -3 : cell / 2 % 3, alphas[storey]);
    }
    Frame(300);
    QImage expected(Surface.Width(), Surface.Height(), QImage::Format_RGB32);
    expected.fill(0);
    ReferenceRender(expected, Engine.Root());
    EXPECT_EQ(Surface.Image(), expected);
}

TEST_F(ArenaTest, KillByIDTakesTheRoomAndItsOccupantOnly)
{
    Arena.AddFloor(7, 0, -1, -1, -1, TComfortItems("0000", ""));
    Arena.AddRoom(7, 1, 0, 0, 1, 255); // a room may share its ID with a floor of another table
    Arena.AddRoom(8, 1, 0, 1, 1, 255);
    const int before = Engine.Root().ChildCount();
    Arena.KillByID(8);
    EXPECT_EQ(Engine.Root().ChildCount(), before - 2);
    EXPECT_TRUE(Engine.Root().KillList.empty());
    Arena.KillAll();
    EXPECT_EQ(Engine.Root().ChildCount(), 0);
}

// Occupants, strips, stations and items all carry ID 0; freeing them on their own must leave
// their room and floor usable.
TEST_F(ArenaTest, PartsFreedBeforeTheirHoldersLeaveNoDanglingReference)
{
    TFloorSprite *floor = Arena.AddFloor(1, 0, 0, 0, 0, TComfortItems("1111", ""));
    TRoomSprite *room = Arena.AddRoom(2, 1, 0, 0, 1, 255);
    Arena.KillByID(0);
    EXPECT_EQ(Engine.Root().ChildCount(), 2);
    EXPECT_EQ(room->Micky, nullptr);
    for (TGeneralSprite *part : floor->Parts)
        EXPECT_EQ(part, nullptr);
    Arena.SetStatusByID(2, 2);
    room->SetCell(3);
    floor->SetFloor(4);
    floor->SetStation(2, 0);
    floor->SetFeature(1, 1);
    Arena.KillByID(2);
    Frame();
    Arena.KillAll();
    EXPECT_EQ(Engine.Root().ChildCount(), 0);
}

// A worn-out item is killed at once but freed by whoever frees the kill list; freed after its
// floor (the kill list is freed newest first), it must not report to the floor.
TEST_F(ArenaTest, AKilledItemFreedAfterItsFloorLeavesTheFloorAlone)
{
    for (int item = 1; item <= 4; ++item) {
        TFloorSprite *floor = Arena.AddFloor(1, 0, -1, -1, -1, TComfortItems("1111", ""));
        floor->SetFeature(item, 0);
        EXPECT_EQ(floor->Parts[3 + item], nullptr);
        Arena.KillAll(); // the floor goes first, then the item
        EXPECT_EQ(Engine.Root().ChildCount(), 0);
    }
}

// Only the floor carries its ID: killed by it, the floor goes first and its
// strip, stations and items stay until freed later, no longer reporting to it.
TEST_F(ArenaTest, AFloorFreedBeforeItsPartsLeavesThemFreeToGo)
{
    Arena.AddFloor(3, 0, 0, 0, 0, TComfortItems("1111", ""));
    Arena.KillByID(3);
    EXPECT_EQ(Engine.Root().ChildCount(), 1 + 3 + 4);
    Frame();
    Arena.KillAll();
    EXPECT_EQ(Engine.Root().ChildCount(), 0);
}

TEST_F(ArenaTest, StationsAndComfortItemsComeAndGo)
{
    TFloorSprite *floor = Arena.AddFloor(1, 2, -1, -1, -1, TComfortItems("0000", ""));
    const int bare = Engine.Root().ChildCount();
    floor->SetStation(1, -1);
    EXPECT_EQ(Engine.Root().ChildCount(), bare);
    floor->SetStation(1, 0);
    ASSERT_NE(floor->Parts[1], nullptr);
    EXPECT_EQ(floor->Parts[1]->X, 592);
    EXPECT_EQ(floor->Parts[1]->Z, 100);
    floor->SetStation(1, 3); // bought again: still one sprite
    EXPECT_EQ(Engine.Root().ChildCount(), bare + 1);
    floor->SetStation(1, -1); // destroyed at once
    EXPECT_EQ(floor->Parts[1], nullptr);
    EXPECT_EQ(Engine.Root().ChildCount(), bare);

    floor->SetFeature(3, 1);
    EXPECT_EQ(floor->Parts[6]->Y, 465 - 100 + 17);
    TGeneralSprite *item = floor->Parts[6];
    floor->SetFeature(3, 2); // a second one bought: still one sprite
    EXPECT_EQ(floor->Parts[6], item);
    EXPECT_EQ(Engine.Root().ChildCount(), bare + 1);
    Arena.RemoveFloorStuff(2, 3);
    EXPECT_EQ(floor->Parts[6], nullptr);
    EXPECT_EQ(Engine.Root().ChildCount(), bare);
    Arena.RemoveFloorStuff(5, 3); // no such floor: nothing
}

TEST_F(ArenaTest, UnknownPicturesFailWithTheirName)
{
    try {
        Arena.AddRoom(1, 6, 0, 0, 0, 255);
        FAIL();
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "Image 'Room06' not found");
    }
    TFloorSprite *floor = Arena.AddFloor(1, 0, -1, -1, -1, TComfortItems("0000", ""));
    const int sprites = Engine.Root().ChildCount();
    // Stations are numbered 1 to 3, items 1 to 4; one either side has no picture.
    const struct
    {
        bool station;
        int index;
        const char *message;
    } outside[] = {
        {true, 0, "Image 'Station00' not found"},
        {true, 4, "Image 'Station04' not found"},
        {false, 0, "Image 'Stuff00' not found"},
        {false, 5, "Image 'Stuff05' not found"},
    };
    for (const auto &c : outside) {
        try {
            if (c.station)
                floor->SetStation(c.index, 0);
            else
                floor->SetFeature(c.index, 1);
            ADD_FAILURE() << c.message;
        } catch (const std::runtime_error &error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    EXPECT_EQ(Engine.Root().ChildCount(), sprites);
    Frame(); // the pictureless room left behind paints nothing and breaks nothing
}

// The floor's STUFF text holds one digit per comfort item, the lift first: an
// item is shown where its digit is above 0; anything but a digit counts as 0,
// and a text shorter than four reads as ending in zeros.
TEST_F(ArenaTest, TheStuffTextShowsAnItemForEachDigitAboveZero)
{
    struct TCase
    {
        const char *stuff;
        bool shown[4];
    };
    const TCase cases[] = {
        {"1111", {true, true, true, true}},
        {"0100", {false, true, false, false}},
        {"", {false, false, false, false}},
        {"12", {true, true, false, false}},
        {"9x0 ", {true, false, false, false}},
        {"/:0A", {false, false, false, false}}, // the characters either side of the digits
        {"00001", {false, false, false, false}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.stuff);
        TFloorSprite *floor = Arena.AddFloor(1, 0, -1, -1, -1, TComfortItems(c.stuff, ""));
        for (int item = 1; item <= 4; ++item)
            EXPECT_EQ(floor->Parts[3 + item] != nullptr, c.shown[item - 1]) << "item " << item;
        Arena.KillAll();
    }
}

// Floors stand in column 0 in the game; a floor placed elsewhere takes its
// strip along, beside its right end and on its row.
TEST_F(ArenaTest, AFloorMovedToAnotherColumnTakesItsStripAlong)
{
    TFloorSprite *floor = Arena.AddFloor(1, 2, 0, -1, -1, TComfortItems("1000", ""));
    floor->SetColumn(1);
    EXPECT_EQ(floor->Column, 1);
    EXPECT_EQ(floor->X, 40 + 500);
    EXPECT_EQ(floor->Parts[0]->X, 40 + 500 + 500 + 2);
    floor->SetFloor(3);
    EXPECT_EQ(floor->Y, 465 - 3 * 50);
    EXPECT_EQ(floor->Parts[0]->Y, 465 - 3 * 50);
}

TEST_F(ArenaTest, ChangesByIDReachTheFirstSpriteMade)
{
    TRoomSprite *first = Arena.AddRoom(5, 1, 0, 0, 1, 255);
    TRoomSprite *other = Arena.AddRoom(6, 1, 0, 1, 1, 255);
    Arena.SetAlphaByID(5, 40);
    EXPECT_EQ(first->Alpha, 40);
    EXPECT_EQ(other->Alpha, 255);
    Arena.SetStatusByID(5, 2);
    EXPECT_EQ(first->Status, 2);
    EXPECT_EQ(other->Status, 1);
    Arena.KillByID(5);
    ASSERT_EQ(Engine.Root().ChildCount(), 2); // the other room and its occupant
    EXPECT_EQ(Engine.Root().Child(0), other);
}

} // namespace
