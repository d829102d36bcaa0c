#include "SceneFixture.h"
#include "scene/BlendSprite.h"
#include "support/ReferenceDraw.h"

#include <random>

namespace {

using SpriteEngineDrawTest = SceneFixture;

// Random scenes of overlapping, nested, hidden, translucent, keyed and partly off-surface
// sprites: the engine's Draw over a deferred fill must equal painting everything in order with the
// plain formula.
TEST_F(SpriteEngineDrawTest, DrawEqualsPaintingEverySpriteInOrder)
{
    std::mt19937 random(42);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int alphas[] = {-1, 0, 40, 128, 254, 255, 255, 255, 300};
    for (int round = 0; round < 60; ++round) {
        Engine.Root().Clear();
        std::vector<TBlendSprite *> sprites;
        for (int i = 0, count = between(1, 40); i < count; ++i) {
            TSprite *parent = sprites.empty() || between(0, 3) != 0
                                  ? static_cast<TSprite *>(&Engine.Root())
                                  : sprites[between(0, int(sprites.size()) - 1)];
            auto *sprite = new TBlendSprite(parent);
            const TPictureItem &item = Pictures.Items.Item(between(0, 14));
            sprite->Picture = &item;
            sprite->Width = between(0, 3) == 0 ? between(1, 300) : item.GetPatternWidth();
            sprite->Height = between(0, 3) == 0 ? between(1, 120) : item.GetPatternHeight();
            sprite->X = between(-150, 780) + (between(0, 1) ? 0.5 : 0.0);
            sprite->Y = between(-80, 560);
            if (parent != &Engine.Root()) {
                sprite->X /= 4;
                sprite->Y /= 4;
            }
            sprite->SetZ(between(0, 3) * 10);
            sprite->Alpha = alphas[between(0, 8)];
            sprite->FrameBase = between(0, 6) == 0 ? between(0, 6) : 0;
            sprite->Visible = between(0, 7) != 0;
            sprites.push_back(sprite);
        }
        const std::uint32_t background = between(0, 1) ? 0 : qRgb(16, 32, 48);
        Surface.Fill(background);
        Engine.Draw();
        QImage expected(Surface.Width(), Surface.Height(), QImage::Format_RGB32);
        expected.fill(background);
        ReferenceRender(expected, Engine.Root());
        ASSERT_EQ(Surface.Image(), expected) << "round " << round;
    }
}

TEST_F(SpriteEngineDrawTest, DeferredFillIsCarriedOutBeforeAnyoneLooks)
{
    Surface.Fill(qRgb(1, 2, 3));
    EXPECT_TRUE(Surface.FillPending());
    EXPECT_EQ(Surface.Pixel(760, 534), qRgb(1, 2, 3));
    EXPECT_FALSE(Surface.FillPending());
    Surface.Fill(0);
    Engine.Draw(); // nothing to paint: the whole surface is filled
    EXPECT_FALSE(Surface.FillPending());
    EXPECT_EQ(Surface.Image().pixel(0, 0), qRgb(0, 0, 0));
}

} // namespace
