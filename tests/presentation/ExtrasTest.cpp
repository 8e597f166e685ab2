// The framework's further drawables driven tick by tick: slide shows, the flasher, the tooltip,
// explosions and game objects, and the zero vector.
#include <cmath>

#include "WidgetWorld.h"
#include "core/InputUtils.h"
#include "platform/Events.h"
#include "platform/Image.h"
#include "presentation/BitmapFont.h"
#include "presentation/Explosion.h"
#include "presentation/Flasher.h"
#include "presentation/Font.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Shapes.h"
#include "presentation/SlideShow.h"
#include "presentation/ToolTip.h"
#include "presentation/Vector.h"

namespace {

using Extras = WidgetWorld;

std::shared_ptr<TTransitionEffect> Effect(int type, int ms) {
    return TTransitionEffect::Create(type, ms);
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

// A fade in starts dark; a masked fade dims the screen too only when asked to; the slide's own drawing runs
// alpha blended and whatever blend it leaves does not outlast it; an effect without length ends at once.
TEST_F(Extras, SlideDrawingFadesMasksOwnDrawingAndEffectsWithoutLength) {
    auto in = Effect(1, 50);
    auto slide = TSlide::Create("", 0, 1, in, nullptr, nullptr, "f");
    slide->Draw();
    ASSERT_EQ(rec.Find("DrawRect").size(), 1u);
    EXPECT_FLOAT_EQ(rec.Find("DrawRect")[0]->state.alpha, 1.0f);
    in->MaskImage = TGameImage::CreateFromImage(TImage::Create(8, 8), "MASK", 1);
    rec.calls.clear();
    slide->Draw();
    EXPECT_TRUE(rec.Find("DrawRect").empty());
    in->MaskAndFade = 1;
    slide->Draw();
    EXPECT_EQ(rec.Find("DrawRect").size(), 1u);
    slide = TSlide::Create("", 0, 1, nullptr, Effect(0, 10), nullptr, "u");
    int seen = -1;
    slide->UserDraw = [&](TSlide&) {
        seen = GetBlend();
        SetBlend(LIGHTBLEND);
    };
    slide->Draw();
    EXPECT_EQ(seen, ALPHABLEND);
    EXPECT_EQ(GetBlend(), SOLIDBLEND);
    slide = TSlide::Create("", 0, 1, Effect(2, 0), nullptr, nullptr, "z");
    EXPECT_FLOAT_EQ(slide->Progress(), 1.0f);
    slide->Draw();
    EXPECT_EQ(slide->Manage(), 1);
}

// With the drawn error screen on too, a missing image ends the run in order instead of going on without it.
TEST_F(Extras, AMissingImageIsFatalOnTheDrawnErrorScreenToo) {
    ErrorLogEnabled = 0;
    ErrorScreenFullScreen = 1;
    PostEvent(TEvent{EVENT_KEYDOWN, 65, 0, 0});  // closes the screen
    TImageBank bank;
    EXPECT_THROW(bank.Find("title"), TShownError);
    ErrorScreenFullScreen = 0;
    ErrorLogEnabled = 1;
    DisablePolledInputSafe();
}

TEST_F(Extras, ShowReportsEachNewSlideThenItsEndOnceAndThenDrawsNothing) {
    auto show = TSlideShow::Create();
    show->AddSlide("", 0, 1, nullptr, Effect(0, 10), nullptr, "a");
    show->AddSlide("", 0, 1, nullptr, Effect(0, 10), nullptr, "b");
    show->LetterBoxHeight = 500;
    std::vector<int> results;
    for (int i = 0; i < 6; ++i) results.push_back(show->Manage());
    EXPECT_EQ(results, (std::vector<int>{0, 2, 0, 1, 0, 0}));
    rec.calls.clear();
    EXPECT_EQ(show->Draw(), 0);
    EXPECT_TRUE(rec.calls.empty());
    TSlideShow empty;
    EXPECT_EQ(empty.Manage(), 1);
    EXPECT_EQ(empty.Manage(), 0);
}

TEST_F(Extras, FlasherTogglesEvery21TicksUntilItsEndAndTakesTheStepDueOnItsLastTick) {
    auto flasher = TFlasher::Create(1000, 100, 100, 0);
    std::vector<int> toggles;
    int state = flasher->FlashState, finishedAt = -1;
    for (int tick = 1; tick <= 210; ++tick) {
        if (flasher->Manage() && finishedAt < 0) finishedAt = tick;
        if (flasher->FlashState != state) toggles.push_back(tick), state = flasher->FlashState;
    }
    ASSERT_GE(toggles.size(), 3u);
    EXPECT_EQ(toggles[0], 21);
    EXPECT_EQ(toggles[2], 63);
    EXPECT_EQ(finishedAt, 200);

    // A state due to change on the flashing's last tick changes: 105 ms are 21 ticks, as is the first state.
    auto brief = TFlasher::Create(105, 100, 100, 0);
    for (int tick = 1; tick < 21; ++tick) EXPECT_EQ(brief->Manage(), 0);
    EXPECT_EQ(brief->FlashState, 1);
    EXPECT_EQ(brief->Manage(), 1);
    EXPECT_EQ(brief->FlashState, 0);
    EXPECT_EQ(brief->Manage(), 1);
    EXPECT_EQ(brief->FlashState, 0) << "no steps once the flashing is over";
}

// A tooltip whose font is a bitmap font draws its lines from that font's page, shadow first, centred.
TEST_F(Extras, TooltipDrawsWithItsBitmapFont) {
    auto bitmap = std::make_shared<TBitmapFont>();
    bitmap->ParseFnt("info\ncommon scaleW=64 scaleH=64\nchar id=65 x=0 y=0 width=8 height=10 xadvance=10\n",
                     0);
    bitmap->Image = TImage::FromPixmap(TPixmap(64, 64, 0xFFFFFFFFu));
    TToolTip tip;
    tip.Font = TFont::Create(nullptr, TColor::Create(255, 255, 0, 1), TShadow::Create(1, 1, 0.5f), 0, bitmap,
                             nullptr, "");
    tip.x = 100;
    tip.y = 50;
    ASSERT_EQ(tip.SetText("AA"), 1);
    tip.Visible = 1;
    tip.FadeLevel = 1;
    EXPECT_EQ(tip.Draw(), 1);
    EXPECT_TRUE(rec.Find("DrawText").empty());
    auto glyphs = rec.Find("DrawSubImageRect");
    ASSERT_EQ(glyphs.size(), 4u) << "two glyphs of shadow, two of text";
    EXPECT_EQ(glyphs[0]->image, bitmap->Image.get());
    EXPECT_EQ(glyphs[0]->state.red, 0);
    EXPECT_EQ(glyphs[2]->state.blue, 0);
    EXPECT_FLOAT_EQ(glyphs[2]->args[0], 90.0f) << "centred on the tooltip's x";
    ExpectCleanState();
}

TEST_F(Extras, TooltipLeftEarlyIsNeverShownAndRefusesNewTextWhileShowing) {
    TToolTip tip;
    PointAt(100, 100);
    for (int i = 0; i < 50; ++i) tip.Collide(1);
    tip.Collide(0);
    EXPECT_EQ(tip.Visible, 0);
    for (int i = 0; i < 50; ++i) tip.Collide(1);
    EXPECT_EQ(tip.Visible, 0);
    tip.Collide(1);
    EXPECT_EQ(tip.Visible, 1);
    EXPECT_EQ(tip.SetText("new"), 0);
    tip.Collide(0);
    EXPECT_EQ(tip.Visible, 0);
    EXPECT_EQ(tip.SetText("line one\nline two"), 1);
}

TEST_F(Extras, ExplosionsAndGameObjectsLeaveTheirListsWhenDone) {
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
    TGameObjectList objects;
    objects.AddNew(100, 100, image);
    objects.AddNew(-500, 100, image);
    objects.Move();
    EXPECT_EQ(objects.Items.size(), 1u) << "a game object leaving the screen leaves its list";
}

TEST_F(Extras, VectorsNeverBecomeNaNCopiesLeaveTheirArgumentsAndCirclesTouchOnlyTheSegment) {
    TVector z;
    z.Normalise();
    z.Rebound(TVector{});
    EXPECT_EQ(z.x, 0);
    EXPECT_FALSE(std::isnan(z.y));
    TVector a{3, 4}, b{1, -2};
    TVector sum = VectorAdded(a, b), scaled = VectorScaled(a, 2), diff = VectorSubtracted(a, b);
    EXPECT_EQ(a.x, 3);
    EXPECT_EQ(sum.y, 2);
    EXPECT_EQ(scaled.x, 6);
    EXPECT_EQ(diff.y, 6);
    auto line = TLine::Create(0, 0, 10, 0);
    TCircle circle;
    circle.r = 2;
    circle.x = 5, circle.y = 2;
    EXPECT_TRUE(CircleTouchesLine(circle, *line));  // exactly the radius away
    circle.y = 2.01f;
    EXPECT_FALSE(CircleTouchesLine(circle, *line));
    circle.x = 11.5f, circle.y = 1.5f;  // beyond the end: the end point is nearest, 2.12 away
    EXPECT_FALSE(CircleTouchesLine(circle, *line));
    circle.x = -1, circle.y = 1;  // before the start, within 1.42
    EXPECT_TRUE(CircleTouchesLine(circle, *line));
    auto dot = TLine::Create(4, 4, 4, 4);
    circle.x = 4, circle.y = 5.5f;
    EXPECT_TRUE(CircleTouchesLine(circle, *dot));
}

}  // namespace
