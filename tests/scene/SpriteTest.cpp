#include "scene/Sprite.h"

#include "scene/DrawSurface.h"
#include "scene/SpriteEngine.h"

#include <functional>
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
    int Destroyed = 0; // by the scripted sprites; outlives the root, which frees them
    TSpriteEngine Root;
};

using Names = std::vector<std::string>;

// A sprite whose Step runs a scripted action and counts the steps, and which
// counts its own destruction.
class TScriptedSprite : public TSprite
{
public:
    TScriptedSprite(TSprite *parent, int &destroyed) : TSprite(parent), Destroyed(destroyed) {}
    ~TScriptedSprite() override { ++Destroyed; }
    void Step(int lagCount) override
    {
        Steps += lagCount;
        if (OnStep) {
            auto action = std::move(OnStep);
            OnStep = nullptr;
            action();
        }
    }

    int Steps = 0;
    std::function<void()> OnStep;
    int &Destroyed;
};

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

TEST_F(SpriteTest, ANewSpriteFilesAfterLowerLayersAndBeforeItsOwn)
{
    Make("A")->SetZ(1);
    Make("B")->SetZ(5);
    auto *c = Make("C");
    c->SetZ(5);
    auto *d = Make("D");
    d->SetZ(5);
    EXPECT_EQ(Painted(), (Names{"A", "D", "C", "B"}));
    Make("E")->SetZ(3); // between the layers
    Make("F")->SetZ(9); // above all
    EXPECT_EQ(Painted(), (Names{"A", "E", "D", "C", "B", "F"}));
}

// Render is the reference walk the engine's own drawing reproduces: the same
// sprites in the same order, a sprite touching the surface's edge from outside
// left out on each of the four sides, hidden subtrees left out, children
// placed by their parents.
TEST_F(SpriteTest, RenderPaintsWhatDrawPaints)
{
    struct TPlace
    {
        const char *name;
        double x, y;
    };
    const TPlace places[] = {
        {"right-outside", 200, 10}, {"left-outside", -50, 10}, {"below", 10, 200},
        {"above", 10, -50},         {"right-inside", 199, 10}, {"left-inside", -49, 10},
        {"bottom-inside", 10, 199}, {"top-inside", 10, -49},
    };
    for (const TPlace &place : places) {
        auto *sprite = Make(place.name);
        sprite->X = place.x;
        sprite->Y = place.y;
    }
    auto *parent = Make("parent");
    parent->X = 120;
    parent->Y = 120;
    auto *offChild = Make("child-off", parent);
    offChild->X = 80; // at 200 on the root: outside
    auto *onChild = Make("child-on", parent);
    onChild->X = -10;
    onChild->Y = 10;
    auto *hidden = Make("hidden");
    hidden->Visible = false;
    Make("under-hidden", hidden);

    const Names expected{"parent",        "child-on",    "top-inside",
                         "bottom-inside", "left-inside", "right-inside"};
    EXPECT_EQ(Painted(), expected);
    Log.clear();
    Root.Render();
    EXPECT_EQ(Log, expected);
    Log.clear();
    Root.SetSurface(nullptr); // without a surface, Draw renders against the last rectangle
    Root.Draw();
    EXPECT_EQ(Log, expected);
}

TEST_F(SpriteTest, PositionsAddUpThroughTheParents)
{
    auto *parent = Make("parent");
    parent->X = 100;
    parent->Y = 50;
    auto *child = Make("child", parent);
    child->X = 10;
    child->Y = 20;
    auto *grandchild = Make("grandchild", child);
    grandchild->X = 1.5;
    grandchild->Y = 2;
    EXPECT_EQ(child->AbsoluteX(), 110);
    EXPECT_EQ(child->AbsoluteY(), 70);
    EXPECT_EQ(grandchild->AbsoluteX(), 111.5);
    EXPECT_EQ(grandchild->AbsoluteY(), 72);
    EXPECT_EQ(grandchild->GetBounds(), QRect(111, 72, 50, 50));
}

TEST_F(SpriteTest, SpriteAtFindsChildrenInsideMovedParents)
{
    auto *parent = Make("parent");
    parent->X = 100;
    parent->Y = 50;
    parent->Width = 0; // the parent itself is hit only at its corner
    parent->Height = 0;
    auto *child = Make("child", parent);
    child->X = 10;
    child->Y = 20;
    child->Width = 5;
    child->Height = 5;
    // On the root: the child covers 110..115 by 70..75.
    EXPECT_EQ(Root.SpriteAt(112, 72), child);
    EXPECT_EQ(Root.SpriteAt(12, 22), nullptr);
    EXPECT_EQ(Root.SpriteAt(116, 72), nullptr);
    EXPECT_EQ(Root.SpriteAt(112, 76), nullptr);
    // Asked of the parent, points are in the parent's own parent's terms.
    EXPECT_EQ(parent->SpriteAt(112, 72), child);
    EXPECT_EQ(parent->SpriteAt(12, 22), nullptr);
}

TEST_F(SpriteTest, DestroyingASpriteDestroysItsSubtree)
{
    auto *parent = new TScriptedSprite(&Root, Destroyed);
    auto *child = new TScriptedSprite(parent, Destroyed);
    new TScriptedSprite(child, Destroyed);
    new TScriptedSprite(parent, Destroyed);
    delete parent;
    EXPECT_EQ(Destroyed, 4);
    EXPECT_EQ(Root.ChildCount(), 0);
}

TEST_F(SpriteTest, MoveStepsTheChildrenThereWereWhenItStarted)
{
    auto *first = new TScriptedSprite(&Root, Destroyed);
    auto *second = new TScriptedSprite(&Root, Destroyed);
    TScriptedSprite *made = nullptr;
    first->OnStep = [&] { made = new TScriptedSprite(&Root, Destroyed); };
    Root.Move(16);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(first->Steps, 16);
    EXPECT_EQ(second->Steps, 16);
    EXPECT_EQ(made->Steps, 0) << "a sprite made during the walk waits for the next frame";
    Root.Move(4);
    EXPECT_EQ(made->Steps, 4);
    EXPECT_EQ(first->Steps, 20);
}

TEST_F(SpriteTest, MoveSkipsASiblingDestroyedDuringTheWalk)
{
    auto *first = new TScriptedSprite(&Root, Destroyed);
    auto *second = new TScriptedSprite(&Root, Destroyed);
    first->OnStep = [&] { delete second; };
    Root.Move(16); // must not step the freed sprite or read past the children
    EXPECT_EQ(Destroyed, 1);
    EXPECT_EQ(first->Steps, 16);
    EXPECT_EQ(Root.ChildCount(), 1);
}

} // namespace
