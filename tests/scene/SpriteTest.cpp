#include "scene/Sprite.h"

#include "scene/DrawSurface.h"
#include "scene/SpriteEngine.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A sprite that records when it is painted, in a shared log.
class TRecordingSprite : public TSprite
{
public:
    TRecordingSprite(TSprite *parent, std::string name, std::vector<std::string> &log)
        : TSprite(parent), Name(std::move(name)), Log(log)
    {
        Width = 50;
        Height = 50;
    }
    void Paint() override { Log.push_back(Name); }

    std::string Name;
    std::vector<std::string> &Log;
};

class SpriteTest : public ::testing::Test
{
protected:
    SpriteTest() : Surface(200, 200) { Root.SetSurface(&Surface); }

    TRecordingSprite *Make(const std::string &name, TSprite *parent = nullptr)
    {
        return new TRecordingSprite(parent ? parent : &Root, name, Log);
    }
    std::vector<std::string> Painted()
    {
        Log.clear();
        Root.Draw();
        return Log;
    }

    TDrawSurface Surface;
    std::vector<std::string> Log;
    TSpriteEngine Root;
};

using Names = std::vector<std::string>;

TEST_F(SpriteTest, EqualZFilesTheNewestFirstSoTheOldestIsOnTop)
{
    Make("A");
    Make("B");
    Make("C");
    EXPECT_EQ(Painted(), (Names{"C", "B", "A"}));
    EXPECT_EQ(Root.Child(0), Root.DrawOrderList()[2]); // creation order is kept in Children
}

TEST_F(SpriteTest, SetZRefilesInFrontOfItsNewLayer)
{
    auto *a = Make("A");
    auto *b = Make("B");
    auto *c = Make("C");
    a->SetZ(10);
    b->SetZ(10);
    EXPECT_EQ(Painted(), (Names{"C", "B", "A"}));
    c->SetZ(10); // files in front of A and B of the same layer
    EXPECT_EQ(Painted(), (Names{"C", "B", "A"}));
    b->SetZ(10); // same value: no change
    EXPECT_EQ(Painted(), (Names{"C", "B", "A"}));
    b->SetZ(5);
    EXPECT_EQ(Painted(), (Names{"B", "C", "A"}));
    a->SetZ(-1);
    EXPECT_EQ(Painted(), (Names{"A", "B", "C"}));
}

TEST_F(SpriteTest, HiddenParentHidesItsSubtreeFromPaintingButNotItsChildrenFromHitTests)
{
    auto *parent = Make("parent");
    auto *child = Make("child", parent);
    child->X = 10;
    parent->Visible = false;
    EXPECT_TRUE(Painted().empty());
    EXPECT_EQ(Root.SpriteAt(30, 30), child);
    EXPECT_EQ(child->AbsoluteX(), 10);
}

TEST_F(SpriteTest, SpriteAtCountsSharedEdgesForTheFirstCreated)
{
    auto *left = Make("left");
    auto *right = Make("right");
    right->X = 50;
    EXPECT_EQ(Root.SpriteAt(50, 10), left);
    EXPECT_EQ(Root.SpriteAt(51, 10), right);
    EXPECT_EQ(Root.SpriteAt(100, 50), right); // right and bottom edges count
    EXPECT_EQ(Root.SpriteAt(101, 10), nullptr);
    EXPECT_EQ(Root.SpriteAt(-1, 10), nullptr);
}

TEST_F(SpriteTest, SpriteAtPrefersHigherZAndSkipsHiddenSprites)
{
    auto *floor = Make("floor");
    floor->Width = 500;
    floor->SetZ(50);
    auto *room = Make("room");
    room->Width = 150;
    room->SetZ(100);
    auto *occupant = Make("occupant");
    occupant->X = 100;
    occupant->SetZ(120);
    EXPECT_EQ(Root.SpriteAt(120, 20), occupant);
    EXPECT_EQ(Root.SpriteAt(60, 20), room);
    EXPECT_EQ(Root.SpriteAt(300, 20), floor);
    occupant->Visible = false;
    EXPECT_EQ(Root.SpriteAt(120, 20), room);
}

TEST_F(SpriteTest, SpriteAtRoundsHalvesToEven)
{
    auto *sprite = Make("s");
    sprite->X = 10.5; // left 10
    sprite->Width = 5;
    EXPECT_EQ(Root.SpriteAt(10, 0), sprite);
    sprite->X = 11.5; // left 12
    EXPECT_EQ(Root.SpriteAt(11, 0), nullptr);
    EXPECT_EQ(Root.SpriteAt(17, 0), sprite);
}

TEST_F(SpriteTest, KillTwiceListsOnceAndTheSpriteIsPaintedUntilFreed)
{
    auto *a = Make("A");
    Make("B");
    a->Kill();
    a->Kill();
    EXPECT_EQ(Root.KillList.size(), 1u);
    EXPECT_TRUE(a->Killed);
    EXPECT_EQ(Painted(), (Names{"B", "A"}));
    Root.FreeKilled();
    EXPECT_TRUE(Root.KillList.empty());
    EXPECT_EQ(Painted(), (Names{"B"}));
    EXPECT_EQ(Root.ChildCount(), 1);
}

TEST_F(SpriteTest, DestroyingDirectlyKeepsEveryListConsistent)
{
    auto *a = Make("A");
    auto *child = Make("child", a);
    child->Kill();
    a->Kill();
    delete child; // leaves the kill list too
    EXPECT_EQ(Root.KillList.size(), 1u);
    Root.FreeKilled();
    EXPECT_EQ(Root.ChildCount(), 0);
    EXPECT_TRUE(Root.DrawOrderList().empty());
}

TEST_F(SpriteTest, ChildOutsideTheRangeFails)
{
    try {
        Root.Child(0);
        FAIL();
    } catch (const std::out_of_range &error) {
        EXPECT_STREQ(error.what(), "Index of the list exceeds the range. (0)");
    }
    Make("A");
    EXPECT_THROW(Root.Child(1), std::out_of_range);
    EXPECT_THROW(Root.Child(-1), std::out_of_range);
}

TEST_F(SpriteTest, SpritesOffTheSurfaceAreNotPainted)
{
    auto *outside = Make("outside");
    outside->X = 200; // starts at the surface's right edge
    auto *edge = Make("edge");
    edge->X = -49.5; // truncates to -49: one column on the surface
    EXPECT_EQ(Painted(), (Names{"edge"}));
    Root.SetSurface(nullptr);
    EXPECT_EQ(Root.SurfaceRect, QRect(0, 0, 200, 200));
}

} // namespace
