// Sprites: frame animation at its bounds, the draw passes' blend sequences, transforms and end states.
#include "presentation/Sprite.h"

#include <cmath>

#include "TestWorld.h"
#include "platform/Image.h"

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

TEST_F(SpriteTest, PingPongTurnsRoundCountingUp) {
    auto s = TSprite::Create(MakeImage(8, 8, 4, 0), 0, 0);
    s->SetupAnim(4, 50, 1, 0, 0, 1, 1);  // counter runs up first
    Ticks(10, 1.0f, [&] { s->ManageAnim(); });
    float atTurn = s->AnimCounter;
    EXPECT_LT(atTurn, 10.0f);
    s->ManageAnim();
    EXPECT_LT(s->AnimCounter, atTurn) << "the counter must run back down after the upper bound";
    Ticks(20, 1.0f, [&] { s->ManageAnim(); });
    EXPECT_GT(s->AnimCounter, 0.0f);
    EXPECT_LE(s->AnimCounter, 10.0f);
}

TEST_F(SpriteTest, PingPongTurnsRoundCountingDown) {
    auto s = TSprite::Create(MakeImage(8, 8, 4, 0), 0, 0);
    s->SetupAnim(4, 50, 0, 0, 0, 1, 1);  // counter runs down first
    Ticks(10, 1.0f, [&] { s->ManageAnim(); });
    float atTurn = s->AnimCounter;
    s->ManageAnim();
    EXPECT_GT(s->AnimCounter, atTurn);
    for (int i = 0; i < 200; ++i) {
        s->ManageAnim();
        ASSERT_GT(s->AnimCounter, 0.0f);
        ASSERT_LE(s->AnimCounter, 10.0f);
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

TEST_F(SpriteTest, GlowDrawsAdditiveSecondPassAndRestoresState) {
    auto s = TSprite::Create(MakeImage(16, 16, 1, 1), 100, 100);
    s->SetGlow(1, 0.5f, 0, 0, 1);
    s->Draw();
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0]->state.blend, ALPHABLEND);
    EXPECT_EQ(draws[1]->state.blend, LIGHTBLEND);
    EXPECT_EQ(draws[1]->state.red, 127);
    ExpectCleanState();
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

TEST_F(SpriteTest, DrawAppliesScaleRotationAndColourThenResets) {
    auto s = TSprite::Create(MakeImage(16, 16, 1, 1), 50, 60);
    s->Color = TColor::Create(200, 100, 50, 0.5f);
    s->ScaleX = 2;
    s->BaseScaleX = 1.5f;
    s->Rotation = 45;
    s->Alpha = 0.7f;
    s->Draw();
    const auto* d = rec.Find("DrawImage").at(0);
    EXPECT_FLOAT_EQ(d->state.scaleX, 3.0f);
    EXPECT_FLOAT_EQ(d->state.rotation, 45.0f);
    EXPECT_FLOAT_EQ(d->state.alpha, 0.7f) << "the colour's alpha is not applied";
    EXPECT_EQ(d->state.green, 100);
    ExpectCleanState();
}

TEST_F(SpriteTest, RoundedCoordinatesAndOffset) {
    auto s = TSprite::Create(MakeImage(4, 4, 1, 0), 10.4f, 10.6f);
    s->RoundCoords = 1;
    s->UseOffset = 1;
    s->offx = 5;
    s->Draw();
    const auto* d = rec.Find("DrawImage").at(0);
    EXPECT_FLOAT_EQ(d->args[0], 15.0f);
    EXPECT_FLOAT_EQ(d->args[1], 11.0f);
}

TEST_F(SpriteTest, PulsingGlowFollowsSine) {
    auto s = TSprite::Create(MakeImage(4, 4, 1, 0), 0, 0);
    s->SetGlow(3, 0, 90, 0.2f, 0.6f);
    s->ManageGlow();
    EXPECT_NEAR(s->Glow, 0.6f, 1e-5);
    s->ManageGlow();
    EXPECT_NEAR(s->Glow, 0.2f, 1e-5);
}

TEST_F(SpriteTest, MovementWithGravityAndAttachedFollower) {
    auto s = TSprite::Create(MakeImage(4, 4, 1, 0), 0, 0);
    auto follower = TSprite::Create(MakeImage(4, 4, 1, 0), 100, 100);
    s->AttachedSprite = follower;
    s->dx = 2;
    s->ygravity = 1;
    Delta = 0.5f;
    s->Move();
    s->MoveAttachedSprite();
    EXPECT_FLOAT_EQ(s->x, 1.0f);
    EXPECT_FLOAT_EQ(s->dy, 0.5f);
    EXPECT_FLOAT_EQ(follower->x, 101.0f);
    s->Kill();
    EXPECT_FALSE(s->AttachedSprite);
}

TEST_F(SpriteTest, SineCounterWrapsAndRunsOnce) {
    TSineCounter c;
    c.Init(0, 360, 2, 0);
    c.Counter = 359;
    c.Manage();
    EXPECT_FLOAT_EQ(c.Counter, 1.0f);
    c.Init(0, 360, 100, 1);
    for (int i = 0; i < 4; ++i) c.Manage();
    EXPECT_FLOAT_EQ(c.Counter, 360.0f);
    EXPECT_EQ(c.Active, 0);
    c.Init(0, 360, 100, 1);
    EXPECT_EQ(c.Manage(), 0);
}

}  // namespace
