#include "scene/PictureSprite.h"

#include "scene/SpriteEngine.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct TAnimationCase
{
    const char *name;
    bool looping;
    int frameCount;
    double speed;
    double start;
    int lag;
    double expectedPos;
    double expectedSpeed;
};

void PrintTo(const TAnimationCase &c, std::ostream *out)
{
    *out << c.name;
}

class PictureSpriteTest : public ::testing::TestWithParam<TAnimationCase>
{
};

TEST_P(PictureSpriteTest, StepAdvancesWrapsOrStops)
{
    const TAnimationCase &c = GetParam();
    TSpriteEngine root;
    auto *sprite = new TPictureSprite(&root);
    sprite->Looping = c.looping;
    sprite->FrameCount = c.frameCount;
    sprite->FrameSpeed = c.speed;
    sprite->FramePos = c.start;
    sprite->Visible = false; // hidden sprites keep animating
    root.Move(c.lag);
    EXPECT_DOUBLE_EQ(sprite->FramePos, c.expectedPos);
    EXPECT_DOUBLE_EQ(sprite->FrameSpeed, c.expectedSpeed);
}

INSTANTIATE_TEST_SUITE_P(
    Animations, PictureSpriteTest,
    ::testing::Values(
        TAnimationCase{"LoopingFiveFramesFromThreeLandsOnTwo", true, 6, 0.005, 3.0, 1000, 2.0,
                       0.005},
        TAnimationCase{"LoopingWithinRange", true, 6, 0.005, 0.0, 100, 0.5, 0.005},
        TAnimationCase{"LoopingBackwardsWrapsIntoRange", true, 6, -0.005, 1.0, 400, 5.0, -0.005},
        TAnimationCase{"LoopingWithoutFramesStaysAtZero", true, 0, 0.005, 3.0, 1000, 0.0, 0.005},
        TAnimationCase{"NonLoopingStopsOnTheLastFrame", false, 6, 0.005, 3.0, 1000, 5.0, 0.0},
        TAnimationCase{"NonLoopingBelowZeroStopsAtZero", false, 6, -0.01, 1.0, 1000, 0.0, 0.0},
        TAnimationCase{"StillSpriteStaysAtZero", false, 0, 0.0, 0.0, 16, 0.0, 0.0}),
    [](const ::testing::TestParamInfo<TAnimationCase> &info) { return info.param.name; });

TEST(PictureSpriteTest, CurrentPatternTruncatesAndAddsTheBase)
{
    TSpriteEngine root;
    auto *sprite = new TPictureSprite(&root);
    sprite->FramePos = 2.99;
    sprite->FrameBase = 1;
    EXPECT_EQ(sprite->CurrentPattern(), 3);
}

} // namespace
