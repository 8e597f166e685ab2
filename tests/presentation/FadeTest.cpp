// Screen fade, blocking image fades and cross-fades: timing, aborts, overlays and end states.
#include "presentation/Fade.h"

#include "TestWorld.h"
#include "core/Screen.h"
#include "platform/Clock.h"
#include "platform/Image.h"
#include "presentation/DrawHelpers.h"

namespace {

class RecordingScreen : public TScreen {
public:
    void PostFadeIn() override { ++fadeIns; }
    void PostFadeOut() override { ++fadeOuts; }
    int fadeIns = 0, fadeOuts = 0;
};

class FadeTest : public TestWorld {
protected:
    void SetUp() override {
        TestWorld::SetUp();
        Game->CurrentTScreen = &screen;
        fade = Game->GameFade.get();
    }
    void TearDown() override {
        SetClockSource(nullptr);
        TestWorld::TearDown();
    }
    RecordingScreen screen;
    TGameFade* fade = nullptr;
};

TEST_F(FadeTest, FadeInTakesHundredTicksAtFractionalDeltas) {
    ASSERT_EQ(fade->Init(500, 0, nullptr, 0, 0, nullptr), 1);
    EXPECT_EQ(fade->Length, 100);
    EXPECT_FLOAT_EQ(fade->Ratio, 0.0f);
    Delta = 0.4f;  // the fractional call of a 12 ms frame, on its own: 100 ticks take 250 calls
    int calls = 0, result = 0;
    while ((result = fade->Manage()) == 0) ++calls;
    EXPECT_EQ(result, 1);
    EXPECT_NEAR(calls + 1, 250, 1);
    EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
    EXPECT_EQ(screen.fadeIns, 1);
    EXPECT_EQ(fade->GetDone(), 1);
    EXPECT_EQ(fade->GetDone(), 0);
}

TEST_F(FadeTest, RatioIsLinearInTicks) {
    fade->Init(500, 1, nullptr, 1, 0, nullptr);
    Ticks(25, 1.0f, [&] { fade->Manage(); });
    EXPECT_FLOAT_EQ(fade->Ratio, 0.75f);
    fade->Draw();
    const auto* overlay = rec.Find("DrawRect").at(0);
    EXPECT_FLOAT_EQ(overlay->state.alpha, 0.25f);
    EXPECT_EQ(overlay->state.red, 0);
    EXPECT_FLOAT_EQ(overlay->args[2], 800.0f);
    ExpectCleanState();
}

TEST_F(FadeTest, ClickAbortsFadeInWithoutKey) {
    fade->Init(500, 0, nullptr, 0, 0, nullptr);
    fade->Manage();
    Game->Mouse->ButtonDown(1);
    EXPECT_EQ(fade->Manage(), -1);
    EXPECT_EQ(fade->FadeInAborted, 1);
    EXPECT_EQ(fade->AbortKey, -1);
    EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
    EXPECT_FLOAT_EQ(fade->FadeCounterBeforeAbort, 1.0f);
    EXPECT_EQ(Game->Mouse->mh, 0);
}

TEST_F(FadeTest, InputBeforeInitCannotAbort) {
    KeyBufferKeyDown(13);
    Game->Mouse->ButtonDown(1);
    fade->Init(500, 1, nullptr, 1, 0, nullptr);
    EXPECT_EQ(fade->Manage(), 0);
}

TEST_F(FadeTest, FadesOffFinishAtOnce) {
    Game->Fade = 0;
    fade->Init(500, 1, nullptr, 1, 0, nullptr);
    EXPECT_EQ(fade->Active, 0);
    EXPECT_EQ(fade->Done, 1);
    EXPECT_FLOAT_EQ(fade->Ratio, 0.0f);
    EXPECT_EQ(screen.fadeOuts, 1);
    EXPECT_TRUE(rec.Find("Cls").empty()) << "no black frame when fades are off";
}

TEST_F(FadeTest, FinishedFadeOutClearsToBlackAndDrawsPointer) {
    fade->Init(500, 1, nullptr, 1, 0, nullptr);
    fade->Finish();
    EXPECT_EQ(rec.Find("Cls").size(), 1u);
    EXPECT_EQ(rec.Find("Cls")[0]->state.clsRed, 0);
    EXPECT_EQ(rec.Find("Plot").size(), 1u) << "the pointer without an image is one pixel";
    EXPECT_EQ(Game->NoFade, 0);
}

TEST_F(FadeTest, ZeroLengthFadeEndsOnFirstCall) {
    fade->Init(0, 0, nullptr, 0, 0, nullptr);
    EXPECT_EQ(fade->Manage(), 1);
    EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
    fade->Init(0, 1, nullptr, 0, 5, nullptr);
    EXPECT_FLOAT_EQ(fade->Ratio, 0.0f);
}

TEST_F(FadeTest, BlockingFadeFollowsTheClockAndEndsReset) {
    int now = 1000;
    SetClockSource([&] { return now += 10; });  // every reading is 10 ms later
    TFade f;
    f.Init(100, TImage::Create(10, 10), nullptr);
    EXPECT_EQ(f.FadeDo(0), 1);
    auto draws = rec.Find("DrawImage");
    ASSERT_GE(draws.size(), 9u);
    EXPECT_LT(draws.front()->state.alpha, 0.2f);
    EXPECT_FLOAT_EQ(draws.back()->state.alpha, 1.0f);
    EXPECT_EQ(GetDrawState().blend, SOLIDBLEND);  // the drawing state reset that ends every image fade
    EXPECT_FLOAT_EQ(GetDrawState().alpha, 1.0f);
}

TEST_F(FadeTest, BlockingFadeOfNoLengthDrawsItsEndOnce) {
    SetClockSource([] { return 5; });  // a frozen clock must not hang the loop
    TFade f;
    f.Init(0, TImage::Create(10, 10), nullptr);
    EXPECT_EQ(f.FadeDo(1), 1);
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0]->state.alpha, 0.0f);
}

TEST_F(FadeTest, BackgroundFadesOutOverItsLastMilliseconds) {
    TFade f;
    f.Length = 1000;
    f.BackgroundFadeTime = 200;
    f.Out = 1;
    f.MoveBackground(0, 900);
    EXPECT_FLOAT_EQ(f.BackgroundAlpha, 0.5f);
    f.BackgroundFadeTime = 0;
    f.MoveBackground(0, 500);
    EXPECT_FLOAT_EQ(f.BackgroundAlpha, 1.0f);
}

TEST_F(FadeTest, CrossFadeRaisesSecondImage) {
    auto cf = TCrossFade::Create(TImage::Create(4, 4), TImage::Create(4, 4), 100);  // 20 ticks
    Ticks(10, 1.0f, [&] { cf->Manage(); });
    cf->Draw();
    auto draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0]->state.blend, SOLIDBLEND);
    EXPECT_FLOAT_EQ(draws[1]->state.alpha, 0.5f);
    Ticks(20, 1.0f, [&] { cf->Manage(); });
    rec.calls.clear();
    cf->Draw();
    EXPECT_FLOAT_EQ(rec.Find("DrawImage")[1]->state.alpha, 1.0f);
    EXPECT_FLOAT_EQ(GetDrawState().alpha, 1.0f);
}

}  // namespace
