// Screen fade and blocking image fades: timing, aborts and lengths of nothing.
#include "TestWorld.h"
#include "core/Screen.h"
#include "platform/Clock.h"
#include "platform/Image.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Fade.h"

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
        SetDelayHandler(nullptr);
        TestWorld::TearDown();
    }
    RecordingScreen screen;
    TGameFade* fade = nullptr;
};

TEST_F(FadeTest, FadeInTakesHundredTicksAtFractionalDeltas) {
    ASSERT_EQ(fade->Init(500, 0, nullptr, 0, 0, nullptr), 1);
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

TEST_F(FadeTest, AClickAbortsAFadeInButInputFromBeforeItCannot) {
    fade->Init(500, 0, nullptr, 0, 0, nullptr);
    fade->Manage();
    Game->Mouse->ButtonDown(1);
    EXPECT_EQ(fade->Manage(), -1);
    EXPECT_EQ(fade->FadeInAborted, 1);
    EXPECT_FLOAT_EQ(fade->FadeCounterBeforeAbort, 1.0f) << "how far the fade had come";
    EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
    EXPECT_EQ(Game->Mouse->mh, 0);

    KeyBufferKeyDown(13);
    Game->Mouse->ButtonDown(1);
    fade->Init(500, 1, nullptr, 1, 0, nullptr);
    EXPECT_EQ(fade->Manage(), 0) << "input from before the fade cannot abort it";
}

TEST_F(FadeTest, FadesOffFinishAtOnce) {
    Game->Fade = 0;
    fade->Init(500, 1, nullptr, 1, 0, nullptr);
    EXPECT_EQ(fade->Active, 0);
    EXPECT_EQ(screen.fadeOuts, 1);
    EXPECT_TRUE(rec.Find("Cls").empty()) << "no black frame when fades are off";
}

TEST_F(FadeTest, ZeroLengthFadeEndsOnFirstCall) {
    fade->Init(0, 0, nullptr, 0, 0, nullptr);
    EXPECT_EQ(fade->Manage(), 1);
    EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
    fade->Init(0, 1, nullptr, 0, 5, nullptr);
    EXPECT_FLOAT_EQ(fade->Ratio, 0.0f);
    SetClsColor(40, 50, 60);
    EXPECT_EQ(fade->Manage(), 1);
    const auto cls = rec.Find("Cls");
    ASSERT_EQ(cls.size(), 1u);
    EXPECT_EQ(cls[0]->state.clsRed + cls[0]->state.clsGreen + cls[0]->state.clsBlue, 0)
        << "a faded-out end is black";
}

TEST_F(FadeTest, BlockingFadeFollowsTheClockAndNeverHangsOnAFrozenOne) {
    int now = 1000;
    SetClockSource([&] { return now += 10; });  // every reading is 10 ms later
    SetDelayHandler([&](int ms) { now += ms; });
    TFade f;
    f.Init(100, TImage::Create(10, 10), nullptr);
    EXPECT_EQ(f.FadeDo(0), 1);
    auto draws = rec.Find("DrawImage");
    ASSERT_GE(draws.size(), 3u);  // paced to the display: at most one frame per refresh
    EXPECT_FLOAT_EQ(draws.back()->state.alpha, 1.0f);
    EXPECT_FLOAT_EQ(GetDrawState().alpha, 1.0f);

    rec.calls.clear();
    SetClockSource([] { return 5; });  // a frozen clock must not hang a fade of no length
    f.Init(0, TImage::Create(10, 10), nullptr);
    EXPECT_EQ(f.FadeDo(1), 1);
    draws = rec.Find("DrawImage");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0]->state.alpha, 0.0f);
}

// The game mid-handles new images; the grabbed screen must still be laid back from its corner.
TEST_F(FadeTest, AScreenFadeLaysThePictureBackWhereItWasWithMidHandlesOn) {
    AutoMidHandle(true);
    ScreenFade(0, 1, nullptr);
    AutoMidHandle(false);
    ExpectLastImageFromTheCorner();
}

}  // namespace
