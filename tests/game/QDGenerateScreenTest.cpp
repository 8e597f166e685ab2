// The reusable generating overlay: it generates once after its fade-in, dims at half alpha while
// shown, and a hide fades back from where the fade-in had got to.
#include "game/QDGenerateScreen.h"
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

}  // namespace
