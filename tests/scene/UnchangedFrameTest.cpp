// The frame loop draws and presents a frame only when its picture differs from the one on the
// screen. Two scenes go through the same script of moves, fades, status changes and kills: one
// draws every frame in full as the loop always did, the other only when its engine says the
// picture changed. After every frame the second one's surface (what its screen shows) must equal
// the first one's pixel for pixel, and it must have skipped exactly the frames that change nothing.
#include "scene/FloorSprite.h"
#include "scene/HotelScene.h"
#include "scene/MickySprite.h"
#include "scene/RoomSprite.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// A lag of 50 ms moves every occupant (0.005 frames per ms) by exactly a quarter of a frame, and
// every occupant starts on a whole frame: their pictures change on every fourth frame only.
constexpr int QuarterFrameLag = 50;

enum TExpect
{
    Draws,
    Skips
};

struct TStep
{
    const char *what;
    std::function<void(THotelScene &)> change;
    TExpect expect;
};

// Three floors with stations and comfort items, rooms of every status.
void BuildHotel(THotelScene &scene)
{
    scene.Arena.Random.seed(11);
    scene.Arena.AddFloor(1, 0, 2, 0, -1, TComfortItems("1111", ""));
    scene.Arena.AddFloor(2, 1, -1, 3, 1, TComfortItems("0110", ""));
    scene.Arena.AddFloor(3, 2, 0, 0, 0, TComfortItems("1001", ""));
    scene.Arena.AddRoom(10, 3, 0, 0, 1, 255); // occupied
    scene.Arena.AddRoom(11, 2, 0, 3, 1, 255); // occupied
    scene.Arena.AddRoom(12, 1, 0, 5, 0, 255); // free
    scene.Arena.AddRoom(13, 5, 1, 0, -3, 55); // under construction
    scene.Arena.AddRoom(14, 4, 1, 2, 2, 255); // broken
    scene.Arena.AddRoom(15, 1, 2, 9, 1, 255); // occupied
}

TRoomSprite *Room(THotelScene &scene, int id)
{
    TSpriteEngine &root = scene.Engine.Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (auto *room = dynamic_cast<TRoomSprite *>(root.Child(i)); room && room->ID == id)
            return room;
    return nullptr;
}

TEST(UnchangedFrame, EveryPresentedPictureEqualsTheFullFrameAndOnlyUnchangedFramesAreSkipped)
{
    const TStep script[] = {
        {"the first frame", [](THotelScene &) {}, Draws},
        {"a quarter frame of animation", [](THotelScene &) {}, Skips},
        {"half a frame", [](THotelScene &) {}, Skips},
        {"the occupants' next frame", [](THotelScene &) {}, Draws},
        {"a fade", [](THotelScene &s) { s.Arena.SetAlphaByID(13, 120); }, Draws},
        {"the same alpha again", [](THotelScene &s) { s.Arena.SetAlphaByID(13, 120); }, Skips},
        {"a guest moves in", [](THotelScene &s) { s.Arena.SetStatusByID(12, 1); }, Draws},
        {"a room breaks", [](THotelScene &s) { s.Arena.SetStatusByID(10, 2); }, Draws},
        {"hidden occupants animate unseen", [](THotelScene &) {}, Skips},
        {"a comfort item wears out", [](THotelScene &s) { s.Arena.RemoveFloorStuff(1, 2); }, Draws},
        {"a room is demolished", [](THotelScene &s) { s.Arena.KillByID(11); }, Draws},
        {"a free room is built", [](THotelScene &s) { s.Arena.AddRoom(16, 2, 0, 3, 0, 255); },
         Draws},
        {"a killed sprite is painted until it is freed",
         [](THotelScene &s) { Room(s, 15)->Kill(); }, Skips},
        {"it is freed", [](THotelScene &s) { s.Engine.FreeKilled(); }, Draws},
        {"construction ends", [](THotelScene &s) { s.Arena.SetAlphaByID(13, 255); }, Draws},
        {"the occupants' next frame", [](THotelScene &) {}, Draws},
        {"an alpha above 255 paints as 255", [](THotelScene &s) { s.Arena.SetAlphaByID(13, 300); },
         Skips},
        {"an occupant hidden and shown again between frames",
         [](THotelScene &s) {
             Room(s, 12)->Micky->Visible = false;
             Room(s, 12)->Micky->Visible = true;
         },
         Skips},
        {"something else wrote on the surface",
         [](THotelScene &s) { s.Surface().Row(100)[100] = 0x123456; }, Draws},
        {"back to the main menu", [](THotelScene &s) { s.Arena.KillAll(); }, Draws},
        {"an empty scene stays black", [](THotelScene &) {}, Skips},
    };

    THotelScene full(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
    THotelScene skipping(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
    BuildHotel(full);
    BuildHotel(skipping);
    int frame = 0;
    for (const TStep &step : script) {
        SCOPED_TRACE("frame " + std::to_string(frame++) + ": " + step.what);
        step.change(full);
        step.change(skipping);
        full.Frame(QuarterFrameLag);
        const bool drew = skipping.FrameIfChanged(QuarterFrameLag);
        EXPECT_EQ(drew, step.expect == Draws);
        // Reading through the const accessor, as the presenter does.
        ASSERT_EQ(std::as_const(skipping.Surface()).Image(), full.Surface().Image());
    }
}

TEST(UnchangedFrame, MovesOnEveryFrameWhetherDrawnOrNot)
{
    THotelScene scene(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
    BuildHotel(scene);
    TMickySprite *occupant = Room(scene, 10)->Micky;
    const double start = occupant->FramePos;
    scene.FrameIfChanged(QuarterFrameLag);
    EXPECT_FALSE(scene.FrameIfChanged(QuarterFrameLag));
    EXPECT_DOUBLE_EQ(occupant->FramePos, start + 0.5);
}

TEST(UnchangedFrame, ASurfaceMadeAgainOrAFrameWithoutFillIsDrawnAgain)
{
    THotelScene scene(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
    BuildHotel(scene);
    ASSERT_TRUE(scene.FrameIfChanged(1));
    ASSERT_FALSE(scene.FrameIfChanged(1));

    scene.Engine.SceneViewFinalized();
    scene.Engine.SceneViewInitialized(scene.Surface());
    EXPECT_TRUE(scene.Engine.PictureChanged(THotelScene::Background)) << "surface attached again";
    scene.FrameIfChanged(1);

    // A Draw over the last picture without a fill leaves a picture the engine cannot vouch for.
    scene.Engine.Draw();
    EXPECT_TRUE(scene.Engine.PictureChanged(THotelScene::Background));
    EXPECT_TRUE(scene.FrameIfChanged(1));
    EXPECT_TRUE(scene.Engine.PictureChanged(0x00ff00)) << "another background";

    // Drawn over that other background, the same picture is known again.
    scene.Surface().Fill(0x00ff00);
    scene.Engine.Draw();
    EXPECT_FALSE(scene.Engine.PictureChanged(0x00ff00));
    EXPECT_TRUE(scene.Engine.PictureChanged(THotelScene::Background));
}

// A sprite class that paints without telling what: every frame counts as changed.
struct TOpaqueBox : TSprite
{
    using TSprite::TSprite;
    void Paint() override {}
};

TEST(UnchangedFrame, ASpriteThatCannotTellWhatItPaintsIsDrawnEveryFrame)
{
    THotelScene scene(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
    BuildHotel(scene);
    auto *box = new TOpaqueBox(&scene.Engine.Root()); // owned by the root
    box->Width = 10;
    box->Height = 10;
    EXPECT_TRUE(scene.FrameIfChanged(1));
    EXPECT_TRUE(scene.FrameIfChanged(1));
}

TEST(UnchangedFrame, ASpriteThatCannotTellWhatItPaintsChangesAFrameAlreadyDrawn)
{
    THotelScene scene(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight);
    BuildHotel(scene);
    ASSERT_TRUE(scene.FrameIfChanged(1));
    ASSERT_FALSE(scene.FrameIfChanged(1));
    auto *box = new TOpaqueBox(&scene.Engine.Root()); // owned by the root
    box->Width = 10;
    box->Height = 10;
    EXPECT_TRUE(scene.Engine.PictureChanged(THotelScene::Background));
}

} // namespace
