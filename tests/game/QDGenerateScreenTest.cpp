// The reusable generating overlay: it generates once after its fade-in, dims at half alpha while
// shown, and a hide fades back from where the fade-in had got to.
#include <algorithm>

#include "core/Input.h"
#include "game/QDGenerateScreen.h"
#include "platform/Keys.h"
#include "presentation/Animation.h"
#include "presentation/ImageBank.h"
#include "presentation/WidgetWorld.h"

namespace {

class QDGenerate : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        WritePng("graphics/generating.png", 100, 40, 0xFFFFFFFFu);
        ImageBank = std::make_unique<TImageBank>();
        ImageBank->SetPath(dir.Str() + "graphics");
        ImageBank->Load("generating");
    }
    void TearDown() override {
        ImageBank.reset();
        WidgetWorld::TearDown();
    }
};

TEST_F(QDGenerate, GeneratesOnceAfterTheFadeInAndDimsByHalf) {
    QDGenerateScreen overlay;
    int runs = 0;
    overlay.GenerateFunction = [&] { ++runs; };
    overlay.Load();
    overlay.Show();
    for (int i = 0; i < 50; ++i) overlay.Logic(), overlay.Draw();
    EXPECT_EQ(runs, 0);
    for (int i = 0; i < 60; ++i) overlay.Logic(), overlay.Draw();
    EXPECT_EQ(runs, 1);
    rec.calls.clear();
    overlay.Draw();
    auto rects = rec.Find("DrawRect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_FLOAT_EQ(rects[0]->state.alpha, 0.5f);
    // The header sits in the middle of the screen, whether its handle is its middle or its corner.
    for (int corner = 0; corner < 2; ++corner) {
        if (corner) ImageBank->LoadNoMid("generating"), rec.calls.clear(), overlay.Draw();
        auto images = rec.Find("DrawImage");
        ASSERT_EQ(images.size(), 1u);
        float sx = 0, sy = 0;  // two triangles sharing a diagonal: their corners average to the middle
        for (const auto& v : images[0]->vertices) sx += v.x / 6, sy += v.y / 6;
        EXPECT_FLOAT_EQ(sx, float(ScreenWidth) / 2) << corner;
        EXPECT_FLOAT_EQ(sy, float(ScreenHeight) / 2) << corner;
    }
    ExpectCleanState();
    overlay.Hide();
    for (int i = 0; i < 101; ++i) overlay.Logic();
    EXPECT_EQ(overlay.Active, 0);
    EXPECT_EQ(runs, 1);
}

// The screen is darkened with black whatever colour was set before.
TEST_F(QDGenerate, DimsWithBlack) {
    QDGenerateScreen overlay;
    overlay.Load();
    overlay.Show();
    SetColor(200, 100, 50);
    overlay.Draw();
    const auto rects = rec.Find("DrawRect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->state.red + rects[0]->state.green + rects[0]->state.blue, 0);
}

TEST_F(QDGenerate, EarlyHideFadesBackAsBrieflyAsItCameAndNeverGenerates) {
    QDGenerateScreen overlay;
    int runs = 0;
    overlay.GenerateFunction = [&] { ++runs; };
    overlay.Load();
    overlay.Show();
    for (int i = 0; i < 25; ++i) overlay.Logic();
    overlay.Hide();
    for (int i = 0; i < 30; ++i) overlay.Logic(), overlay.Draw();
    EXPECT_EQ(overlay.Active, 0);
    EXPECT_EQ(runs, 0);
}

// The dimming and the header's alpha rise over the fade-in and fall over the fade-out; a pointer that was
// hidden is shown for the generating's end and hidden again by the hide; keys pressed before are dropped.
TEST_F(QDGenerate, FadesRiseAndFallAndThePointerAndKeysAreHandledAroundIt) {
    for (int pointerWasOn : {0, 1}) {
        SCOPED_TRACE(pointerWasOn);
        QDGenerateScreen overlay;
        Game->FadeMusic = 1;
        if (pointerWasOn)
            Game->Mouse->On();
        else
            Game->Mouse->Off();
        PressKey(KEY_A);
        overlay.Show();  // loads itself when not loaded
        EXPECT_EQ(Game->FadeMusic, 0);
        EXPECT_EQ(overlay.Active, 1);
        EXPECT_EQ(GameKeyHit(KEY_A), 0);
        std::vector<float> dim, alpha;
        const auto frame = [&] {
            rec.calls.clear();
            overlay.Logic();
            overlay.Draw();
            const auto rects = rec.Find("DrawRect");
            const auto images = rec.Find("DrawImage");
            ASSERT_EQ(rects.size(), 1u);
            ASSERT_EQ(images.size(), 1u);
            dim.push_back(rects[0]->state.alpha);
            alpha.push_back(images[0]->state.alpha);
        };
        for (int i = 0; i < 99; ++i) frame();
        EXPECT_LT(dim.front(), 0.05f);
        EXPECT_LT(alpha.front(), 0.05f);
        EXPECT_GT(dim.back(), 0.45f);
        EXPECT_GT(alpha.back(), 0.9f);
        EXPECT_TRUE(std::is_sorted(dim.begin(), dim.end()));
        EXPECT_TRUE(std::is_sorted(alpha.begin(), alpha.end()));
        EXPECT_LT(alpha[50], 0.75f) << "the header's alpha rises evenly";
        EXPECT_GT(dim[50], 0.5f * alpha[50]) << "the dimming rises along a sine";
        EXPECT_EQ(Game->Mouse->Active, pointerWasOn);
        for (int i = 0; i < 5; ++i) frame();
        EXPECT_EQ(Game->Mouse->Active, 1) << "the pointer is back once generating is done";
        PressKey(KEY_A);
        overlay.Hide();
        EXPECT_EQ(GameKeyHit(KEY_A), 0);
        EXPECT_EQ(Game->Mouse->Active, pointerWasOn);
        dim.clear(), alpha.clear();
        for (int i = 0; i < 99; ++i) frame();
        EXPECT_GT(dim.front(), 0.45f);
        EXPECT_LT(dim.back(), 0.05f);
        EXPECT_LT(alpha.back(), 0.05f);
        EXPECT_TRUE(std::is_sorted(dim.rbegin(), dim.rend()));
        EXPECT_TRUE(std::is_sorted(alpha.rbegin(), alpha.rend()));
        EXPECT_EQ(overlay.Active, 1);
        overlay.Logic();
        overlay.Logic();
        EXPECT_EQ(overlay.Active, 0);
        // Killed, it draws and manages nothing even when shown again by mistake.
        overlay.Kill();
        overlay.Active = 1;
        rec.calls.clear();
        overlay.Logic();
        overlay.Draw();
        overlay.Hide();
        EXPECT_TRUE(rec.calls.empty());
    }
}

}  // namespace

namespace {

// Each fade takes exactly half a second (100 logic ticks of 5 ms): the generating runs on the frame the
// fade-in ends, and a full hide ends the overlay on the hundredth tick.
TEST_F(QDGenerate, EachFadeTakesExactlyHalfASecond) {
    QDGenerateScreen overlay;
    int runs = 0;
    overlay.GenerateFunction = [&] { ++runs; };
    overlay.Show();
    int frames = 0;
    while (runs == 0 && frames < 200) overlay.Logic(), overlay.Draw(), ++frames;
    EXPECT_EQ(frames, 100);
    overlay.Hide();
    int ticks = 0;
    while (overlay.Active != 0 && ticks < 200) overlay.Logic(), ++ticks;
    EXPECT_EQ(ticks, 100);
}

// Loaded but not shown, it draws nothing; while shown it dims the whole screen from its corner with an
// alpha blend whatever blend was set, and leaves the alpha at 1; an early hide falls back at once.
TEST_F(QDGenerate, ALoadedOverlayWaitsForShowAndDimsTheWholeScreenAndAnEarlyHideFallsAtOnce) {
    QDGenerateScreen overlay;
    overlay.Load();
    rec.calls.clear();
    overlay.Logic();
    overlay.Draw();
    EXPECT_TRUE(rec.calls.empty()) << "not shown yet";
    overlay.Show();
    std::vector<float> dim;
    for (int i = 0; i < 40; ++i) {
        overlay.Logic();
        rec.calls.clear();
        SetBlend(LIGHTBLEND);
        overlay.Draw();
        const auto rects = rec.Find("DrawRect");
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_EQ(rects[0]->args[0], 0);
        EXPECT_EQ(rects[0]->args[1], 0);
        EXPECT_EQ(rects[0]->args[2], float(ScreenWidth));
        EXPECT_EQ(rects[0]->args[3], float(ScreenHeight));
        EXPECT_EQ(rects[0]->state.blend, ALPHABLEND);
        EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
        dim.push_back(rects[0]->state.alpha);
    }
    const float before = dim.back();
    overlay.Hide();
    dim.clear();
    for (int i = 0; i < 10; ++i) {
        overlay.Logic();
        rec.calls.clear();
        overlay.Draw();
        dim.push_back(rec.Find("DrawRect").at(0)->state.alpha);
    }
    EXPECT_LE(dim.front(), before);
    EXPECT_TRUE(std::is_sorted(dim.rbegin(), dim.rend())) << "falling from the first frame";
    overlay.Kill();
    EXPECT_FALSE(overlay.FadeIn);
    EXPECT_FALSE(overlay.FadeOut);
}

}  // namespace
