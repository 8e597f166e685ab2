// The framework's further drawables driven tick by tick: slide shows, the flasher, the tooltip,
// explosions and game objects, and the vector and line arithmetic.
#include <cmath>

#include "WidgetWorld.h"
#include "presentation/Explosion.h"
#include "presentation/Flasher.h"
#include "presentation/GameImage.h"
#include "presentation/SlideShow.h"
#include "presentation/ToolTip.h"
#include "presentation/Vector.h"

namespace {

using Extras = WidgetWorld;

std::shared_ptr<TTransitionEffect> Effect(int type, int ms) { return TTransitionEffect::Create(type, ms); }

TEST_F(Extras, TransitionLengthIsWholeTicks) {
    EXPECT_EQ(Effect(1, 1000)->Length, 200);
    EXPECT_EQ(Effect(1, 1003)->Length, 200);
    auto copy = Effect(2, 50)->CreateCopy();
    EXPECT_EQ(copy->EffectType, 2);
    EXPECT_EQ(copy->Length, 10);
}

TEST_F(Extras, SlideWithOnlyAHoldEffectRunsItOnceThenEnds) {
    auto slide = TSlide::Create("", 0, 1, nullptr, Effect(0, 50), nullptr, "only");
    EXPECT_EQ(slide->x, 400);
    EXPECT_EQ(slide->y, 300);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(slide->Manage(), 0) << i;
    EXPECT_EQ(slide->Manage(), 1);
}

TEST_F(Extras, SlideRunsInHoldOutInOrderAndScrolls) {
    auto in = Effect(1, 50), hold = Effect(0, 50), out = Effect(2, 50);
    hold->ScrollSpeedX = 2;
    auto slide = TSlide::Create("", 0, 0, in, hold, out, "s");
    EXPECT_EQ(slide->CurrentEffect, in.get());
    for (int i = 0; i < 10; ++i) slide->Manage();
    EXPECT_EQ(slide->CurrentEffect, hold.get());
    for (int i = 0; i < 10; ++i) slide->Manage();
    EXPECT_FLOAT_EQ(slide->x, -20);
    EXPECT_EQ(slide->CurrentEffect, out.get());
    int ended = 0;
    for (int i = 0; i < 10; ++i) ended += slide->Manage();
    EXPECT_EQ(ended, 1);
}

TEST_F(Extras, FadeInDimsLessAsItRunsAndLeavesACleanState) {
    auto slide = TSlide::Create("", 0, 1, Effect(1, 100), nullptr, nullptr, "f");
    for (int i = 0; i < 5; ++i) slide->Manage();
    rec.calls.clear();
    slide->Draw();
    auto rects = rec.Find("DrawRect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_NEAR(rects[0]->state.alpha, 0.75f, 1e-5);
    EXPECT_EQ(rects[0]->state.red, 0);
    ExpectCleanState();
}

TEST_F(Extras, EffectWithoutLengthNeitherDividesByZeroNorStalls) {
    auto slide = TSlide::Create("", 0, 1, Effect(2, 0), nullptr, nullptr, "z");
    EXPECT_FLOAT_EQ(slide->Progress(), 1.0f);
    slide->Draw();
    auto rects = rec.Find("DrawRect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_FLOAT_EQ(rects[0]->state.alpha, 1.0f);
    EXPECT_EQ(slide->Manage(), 1);
}

TEST_F(Extras, ShowReportsEachNewSlideThenItsEndOnceAndThenDrawsNothing) {
    auto show = TSlideShow::Create();
    show->AddSlide("", 0, 1, nullptr, Effect(0, 10), nullptr, "a");
    show->AddSlide("", 0, 1, nullptr, Effect(0, 10), nullptr, "b");
    show->LetterBoxHeight = 500;
    std::vector<int> results;
    for (int i = 0; i < 6; ++i) results.push_back(show->Manage());
    EXPECT_EQ(results, (std::vector<int>{0, 2, 0, 1, 0, 0}));
    EXPECT_EQ(show->GetCurrentSlide()->name, "b");
    EXPECT_EQ(show->Slides[1]->LastSlide, show->Slides[0].get());
    rec.calls.clear();
    EXPECT_EQ(show->Draw(), 0);
    EXPECT_TRUE(rec.calls.empty());
}

TEST_F(Extras, LetterBoxBarsCoverTopAndBottom) {
    auto show = TSlideShow::Create();
    show->AddSlide("", 0, 1, nullptr, Effect(0, 10), nullptr, "a");
    show->LetterBoxHeight = 500;
    EXPECT_EQ(show->Draw(), 1);
    auto rects = rec.Find("DrawRect");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0]->args, (std::vector<float>{0, 0, 800, 50}));
    EXPECT_EQ(rects[1]->args, (std::vector<float>{0, 550, 800, 50}));
    EXPECT_EQ(GetDrawState().red, 255);
    TSlideShow empty;
    EXPECT_EQ(empty.Manage(), 1);
    EXPECT_EQ(empty.Manage(), 0);
}

TEST_F(Extras, FlasherTogglesEvery21TicksUntil200) {
    auto flasher = TFlasher::Create(1000, 100, 100, 0);
    std::vector<int> toggles;
    int state = flasher->FlashState, finishedAt = -1;
    for (int tick = 1; tick <= 210; ++tick) {
        if (flasher->Manage() && finishedAt < 0) finishedAt = tick;
        if (flasher->FlashState != state) toggles.push_back(tick), state = flasher->FlashState;
    }
    ASSERT_GE(toggles.size(), 3u);
    EXPECT_EQ(toggles[0], 21);
    EXPECT_EQ(toggles[1], 42);
    EXPECT_EQ(toggles[2], 63);
    EXPECT_EQ(finishedAt, 200);
    EXPECT_EQ(flasher->Manage(), 1);
}

TEST_F(Extras, FlasherWaitsForItsDelay) {
    auto flasher = TFlasher::Create(1000, 100, 100, 500);
    for (int tick = 0; tick < 119; ++tick) flasher->Manage();
    EXPECT_EQ(flasher->FlashState, 1);
    flasher->Manage();
    EXPECT_EQ(flasher->FlashState, 0);
}

TEST_F(Extras, TooltipLeftEarlyIsNeverShown) {
    TToolTip tip;
    PointAt(100, 100);
    for (int i = 0; i < 50; ++i) tip.Collide(1);
    tip.Collide(0);
    EXPECT_EQ(tip.Visible, 0);
    for (int i = 0; i < 50; ++i) tip.Collide(1);
    EXPECT_EQ(tip.Visible, 0);
    tip.Collide(1);
    EXPECT_EQ(tip.Visible, 1);
    EXPECT_NEAR(tip.FadeLevel, 0.02f, 1e-6);
    EXPECT_EQ(tip.Draw(), 1);
    ExpectCleanState();
}

TEST_F(Extras, TooltipSitsBelowThePointerOrAboveItNearTheBottom) {
    WritePng("graphics/tip.png", 120, 40, 0xFF000000u);
    TToolTip tip;
    tip.image = TGameImage::Create(dir.Str() + "graphics/tip.png", -1, 0);
    Game->Mouse->h = 16;
    PointAt(750, 100);
    tip.Collide(1);
    EXPECT_EQ(tip.y, 100 + 16 + 5);
    EXPECT_EQ(tip.x, 800 - 120);
    PointAt(10, 580);
    tip.Collide(1);
    EXPECT_EQ(tip.y, 580 - 5 - 40);
    EXPECT_EQ(tip.x, 10);
}

TEST_F(Extras, TooltipFadesOutAndRefusesNewTextWhileShowing) {
    TToolTip tip;
    tip.CollideCounterMax = 0;
    tip.Collide(1);
    EXPECT_EQ(tip.SetText("new"), 0);
    tip.Collide(0);
    EXPECT_EQ(tip.Visible, 0);
    EXPECT_EQ(tip.SetText("line one\nline two"), 1);
    EXPECT_EQ(tip.TextWrapped.size(), 2u);
    tip.SetCollideCounterMax(500);
    EXPECT_EQ(tip.CollideCounterMax, 100);
}

TEST_F(Extras, ExplosionRemovesItselfWhenItsTimeIsUp) {
    WritePng("graphics/boom.png", 8, 8, 0xFFFFFFFFu);
    auto image = TGameImage::Create(dir.Str() + "graphics/boom.png", -1, 1);
    TExplosionList list;
    list.AddNew(10, 10, image)->StartAnim(50, 4);
    list.AddNew(20, 20, image)->StartAnim(100, 4);
    for (int i = 0; i < 10; ++i) list.Manage();
    EXPECT_EQ(list.Items.size(), 1u);
    list.Draw();
    EXPECT_EQ(rec.Find("DrawImage").size(), 1u);
    for (int i = 0; i < 10; ++i) list.Manage();
    EXPECT_TRUE(list.Items.empty());
}

TEST_F(Extras, GameObjectLeavingTheScreenLeavesItsList) {
    WritePng("graphics/obj.png", 8, 8, 0xFFFFFFFFu);
    auto image = TGameImage::Create(dir.Str() + "graphics/obj.png", -1, 1);
    TGameObjectList list;
    list.AddNew(100, 100, image);
    list.AddNew(-500, 100, image);
    list.Move();
    ASSERT_EQ(list.Items.size(), 1u);
    ResetCollisions();
    list.Collide();
    auto hits = CollideRect(100, 100, 2, 2, 1, 0);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0], list.Items[0].get());
    list.Kill();
    EXPECT_TRUE(list.Items.empty());
}

TEST_F(Extras, VectorArithmetic) {
    TVector v = TVector::Create(1, -1);
    v.Rebound(TVector::Create(0, 5));
    EXPECT_NEAR(v.x, 1, 1e-12);
    EXPECT_NEAR(v.y, 1, 1e-12);
    TVector r = TVector::Create(1, 0);
    r.Rotate(90);
    EXPECT_NEAR(r.x, 0, 1e-12);
    EXPECT_NEAR(r.y, 1, 1e-12);
    TVector z;
    z.Normalise();
    z.Rebound(TVector{});
    EXPECT_EQ(z.x, 0);
    EXPECT_FALSE(std::isnan(z.y));
    EXPECT_EQ(TVector::CreateFromPoints(1, 2, 4, 6).CalcLength(), 5);
    EXPECT_EQ(TVector::Create(2, 3).CalcNormal().x, -3);
    EXPECT_EQ(TVector::Create(2, 3).DotProduct(TVector::Create(4, 5)), 23);
    EXPECT_EQ(TVector::CreateFromVectorsSubtracted(TVector::Create(5, 5), TVector::Create(1, 2)).y, 3);
}

TEST_F(Extras, LineFromVectorAndBack) {
    auto line = TLine::CreateFromVector(10, 20, TVector::Create(3, 4));
    line->CalcLength();
    EXPECT_EQ(line->length, 5);
    EXPECT_EQ(line->ex, 13);
    EXPECT_NEAR(line->CalcSlope(), 4.0 / 3.0, 1e-12);
    line->Color = TColor::Create(255, 0, 0, 1);
    line->Draw(1);
    auto lines = rec.Find("DrawLine");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->state.green, 0);
    ExpectCleanState();
}

}  // namespace
