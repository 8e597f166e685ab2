// Sprites: frame animation at its bounds, a fading glow, the shadow pass's end state and the light pass's
// image.
#include <cmath>

#include "TestWorld.h"
#include "platform/Image.h"
#include "presentation/Sprite.h"

namespace {

class SpriteTest : public TestWorld {
  protected:
    std::shared_ptr<TGameImage> MakeImage(int w, int h, int frames, int mid) {
        return TGameImage::CreateFromImage(TImage::Create(w, h, frames), "TEST", mid);
    }
};

TEST_F(SpriteTest, LoopCountThreeWrapsTwiceThenHoldsAndReportsEveryTick) {
    auto s = TSprite::Create(MakeImage(8, 8, 4, 0), 0, 0);
    int callbacks = 0;
    s->AnimStoppedFunction = [&](TSprite*) { return ++callbacks; };
    s->SetupAnim(4, 50, 1, 0, 0, 0, 1);  // 10 ticks, counting up
    s->LoopCount = 3;
    int bounds = 0;
    Ticks(30, 1.0f, [&] { bounds += s->ManageAnim(); });
    EXPECT_EQ(bounds, 3);
    EXPECT_EQ(callbacks, 2);
    EXPECT_EQ(s->Loop, 0);
    EXPECT_EQ(s->frame, 3);
    Ticks(3, 1.0f, [&] { EXPECT_EQ(s->ManageAnim(), 1); });
    EXPECT_EQ(callbacks, 5);
}

TEST_F(SpriteTest, AFadingGlowDiesOutAndStaysOut) {
    auto s = TSprite::Create(MakeImage(8, 8, 1, 0), 0, 0);
    s->SetGlow(2, 1.0f, 0.3f, 0, 1);
    Ticks(3, 1.0f, [&] { s->ManageGlow(); });
    EXPECT_NEAR(s->Glow, 0.1f, 1e-5f);
    Ticks(5, 1.0f, [&] { s->ManageGlow(); });
    EXPECT_EQ(s->Glow, 0.0f);
}

TEST_F(SpriteTest, CentredAcrossTheScreenAtTheGivenHeight) {
    auto s = TSprite::Create(MakeImage(40, 8, 1, 0), 0, 0);
    s->CentreX(120);
    EXPECT_FLOAT_EQ(s->x, float(ScreenWidth) / 2);
    EXPECT_FLOAT_EQ(s->y, 120);
}

TEST_F(SpriteTest, GravityPullsTheSpeedItsWay) {
    auto s = TSprite::Create(MakeImage(8, 8, 1, 0), 0, 0);
    s->xgravity = -0.25f;
    s->ygravity = 0.5f;
    Ticks(2, 1.0f, [&] { s->MoveOriginalCoords(); });
    EXPECT_FLOAT_EQ(s->dx, -0.5f);
    EXPECT_FLOAT_EQ(s->dy, 1.0f);
    EXPECT_FLOAT_EQ(s->oy, 0.5f) << "the first tick moves at the speed before the pull";
    s->Stop();
    EXPECT_EQ(s->dx, 0.0f);
    EXPECT_EQ(s->dy, 0.0f);

    const float x0 = s->x, y0 = s->y;  // the same pull on the drawn position
    Ticks(3, 1.0f, [&] { s->Move(); });
    EXPECT_FLOAT_EQ(s->dx, -0.75f);
    EXPECT_FLOAT_EQ(s->dy, 1.5f);
    EXPECT_FLOAT_EQ(s->x - x0, -0.75f);
    EXPECT_FLOAT_EQ(s->y - y0, 1.5f);
}

TEST_F(SpriteTest, PingPongTurnsRoundAtBothBoundsInEitherStartingDirection) {
    for (int up : {1, 0}) {
        auto s = TSprite::Create(MakeImage(8, 8, 4, 0), 0, 0);
        s->SetupAnim(4, 50, up, 0, 0, 1, 1);
        Ticks(10, 1.0f, [&] { s->ManageAnim(); });
        float atTurn = s->AnimCounter;
        s->ManageAnim();
        if (up)
            EXPECT_LT(s->AnimCounter, atTurn) << "the counter must run back down after the upper bound";
        else
            EXPECT_GT(s->AnimCounter, atTurn);
        for (int i = 0; i < 200; ++i) {
            s->ManageAnim();
            ASSERT_GT(s->AnimCounter, 0.0f) << up;
            ASSERT_LE(s->AnimCounter, 10.0f) << up;
        }
    }
}

TEST_F(SpriteTest, ZeroFramesOrZeroLengthDoNotDivideByZero) {
    auto s = TSprite::Create(MakeImage(8, 8, 4, 0), 0, 0);
    s->SetupAnim(0, 50, 1, 0, 0, 0, 1);
    EXPECT_TRUE(std::isfinite(s->FrameLength));
    s->SetupAnim(4, 0, 1, 0, 0, 1, 1);
    Ticks(5, 0.5f, [&] { s->ManageAnim(); });
    EXPECT_TRUE(std::isfinite(s->AnimCounter));
    EXPECT_GE(s->frame, 0);
    EXPECT_LE(s->frame, 3);
}

TEST_F(SpriteTest, ShadowRestoresCallersAlphaAndColour) {
    auto s = TSprite::Create(MakeImage(16, 16, 1, 0), 10, 20);
    s->SetShadow(1, 3, 4, 0.5f);
    s->UseAlpha = 0;
    s->Alpha = 0.8f;
    SetAlpha(0.3f);
    SetColor(10, 20, 30);
    s->Draw();
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0]->state.red, 0);
    EXPECT_FLOAT_EQ(draws[0]->state.alpha, 0.4f);
    EXPECT_FLOAT_EQ(draws[0]->args[0], 13.0f);
    EXPECT_FLOAT_EQ(draws[0]->args[1], 24.0f);
    EXPECT_FLOAT_EQ(draws[1]->state.alpha, 0.3f) << "the sprite's own alpha is off; the caller's stays";
    EXPECT_EQ(draws[1]->state.red, 10);
}

// The light pass draws the light image given, or without one the sprite's own image, never the alternative
// image of the plain pass; that one is kept for the next draw.
TEST_F(SpriteTest, LightPassWithoutAnImageUsesTheSpritesOwn) {
    auto s = TSprite::Create(MakeImage(16, 16, 1, 0), 10, 20);
    auto alternative = MakeImage(8, 8, 1, 0);
    auto light = MakeImage(4, 4, 1, 0);
    s->AlternativeImage = alternative;
    s->DrawLight(0.5f, 1, 1, 1, nullptr);
    s->DrawLight(0.5f, 1, 1, 1, light);
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0]->image, s->image->image.get());
    EXPECT_EQ(draws[1]->image, light->image.get());
    EXPECT_EQ(s->AlternativeImage, alternative);
    ExpectCleanState();
}

}  // namespace
