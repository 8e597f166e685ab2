// The loading bar's steps, and the loading screen's pictures, waiting for its click-here button and
// fading to its destination.
#include "WidgetWorld.h"
#include "core/SoundBank.h"
#include "platform/Image.h"
#include "platform/Keys.h"
#include "presentation/GameFade.h"
#include "presentation/LoadingScreen.h"
#include "presentation/MousePointer.h"

namespace {

class LoadingBarTest : public WidgetWorld {
  protected:
    std::shared_ptr<TImage> bar = TImage::Create(200, 16);
    std::shared_ptr<TImage> empty = TImage::Create(200, 16);
};

TEST_F(LoadingBarTest, FourStepsRevealFiftyPixelsEachAndTheFourthFinishes) {
    TLoadingBar b;
    b.Init(bar, nullptr, nullptr);
    b.SetSteps(4);
    for (int i = 1; i <= 3; ++i) {
        b.Progress();
        EXPECT_FLOAT_EQ(b.Position, 50.0f * float(i));
        EXPECT_EQ(b.Finished, 0);
    }
    b.Progress();
    EXPECT_FLOAT_EQ(b.Position, 200);
    EXPECT_EQ(b.Finished, 1);
    b.Progress();
    EXPECT_FLOAT_EQ(b.Position, 200) << "never more than the bar";
}

TEST_F(LoadingBarTest, TheApplicationObjectsMoveBarStepsAndDrawsItsLoadingScreen) {
    Game->LoadingScreen->LoadingBar->Init(bar, nullptr, nullptr);
    Game->LoadingScreen->SetSteps(4);
    Game->MoveBar();
    EXPECT_FLOAT_EQ(Game->LoadingScreen->LoadingBar->Position, 50);
    EXPECT_TRUE(
        std::any_of(rec.calls.begin(), rec.calls.end(), [&](const auto& c) { return c.image == bar.get(); }));
    Game->MoveBar();
    EXPECT_FLOAT_EQ(Game->LoadingScreen->LoadingBar->Position, 100);
}

TEST_F(LoadingBarTest, ZeroStepsDoNotDivideByZero) {
    TLoadingBar b;
    b.Init(bar, nullptr, nullptr);
    b.SetSteps(0);
    b.Progress();
    EXPECT_EQ(b.Position, 0);
}

TEST_F(LoadingBarTest, ImageModesDrawTheEmptyImageOrNothingWithoutABar) {
    TLoadingBar b;
    b.Mode = 1;
    b.Init(bar, empty, nullptr);
    b.Draw();
    EXPECT_EQ(DrawsOf(empty.get()), 1);
    TLoadingBar none;
    none.Mode = 1;
    none.Init(nullptr, empty, nullptr);
    EXPECT_EQ(none.Draw(), 0);
}

class LoadingScreenTest : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        WritePng("graphics/background.png", 800, 600, 0xFF102030u);
        WritePng("graphics/bar.png", 200, 16, 0xFF00FF00u);
        WritePng("graphics/loading.png", 120, 30, 0xFFFFFFFFu);
        WritePng("graphics/clickhere.png", 150, 40, 0xFF808080u);
        WritePng("graphics/clickheremo.png", 150, 40, 0xFFFFFFFFu);
    }
    TScreen destination;
};

TEST_F(LoadingScreenTest, BarLoadsWithWhicheverCompanionFilesArePresent) {
    WritePng("graphics/barfinal.png", 200, 16, 0xFF00FF00u);
    TLoadingScreen s;
    s.SpecialLoad("background.png", "bar.png", "loading.png");
    EXPECT_EQ(s.name, "loading");
    ASSERT_TRUE(s.LoadingBar->Image);
    EXPECT_FALSE(s.LoadingBar->EmptyImage);
    EXPECT_TRUE(s.LoadingBar->FinalImage);
    EXPECT_TRUE(notices.empty());
}

TEST_F(LoadingScreenTest, AMissingBarIsFatal) {
    TLoadingScreen s;
    EXPECT_ANY_THROW(s.SpecialLoad("background.png", "nobar.png", "loading.png"));
    ASSERT_EQ(notices.size(), 1u) << "the background before it loaded";
    EXPECT_EQ(notices[0], "Error loading bitmap " + Game->ImagePath + "nobar.png");
}

TEST_F(LoadingScreenTest, WithoutAButtonTheFadeOutStartsOnTheFirstLogicCall) {
    TLoadingScreen s;
    s.SpecialLoad("background.png", "bar.png", "loading.png");
    s.Destination = &destination;
    Game->Fade = 1;
    s.Logic();
    EXPECT_EQ(Game->DestinationTScreen, &destination);
    EXPECT_EQ(Game->GameFade->Out, 1);
}

TEST_F(LoadingScreenTest, WithAButtonItWaitsForAClickThenFades) {
    TLoadingScreen s;
    s.SpecialLoad("background.png", "bar.png", "loading.png");
    s.SetClickHereButton("clickhere", "clickhereMO", "", "", 500);
    s.Destination = &destination;
    s.SetSteps(1);
    s.Progress();
    PointAt(0, 0);
    Ticks(5, 1.0f, [&] { s.Logic(); });
    EXPECT_EQ(Game->DestinationTScreen, nullptr);
    PressKey(KEY_ENTER);
    s.Logic();
    EXPECT_EQ(Game->DestinationTScreen, &destination);
}

TEST_F(LoadingScreenTest, AnyClickEndsTheWaitWithTheButtonsSound) {
    TLoadingScreen s;
    s.SpecialLoad("background.png", "bar.png", "loading.png");
    s.SetClickHereButton("clickhere", "clickhereMO", "", "", 500);
    s.ClickHereButton->SoundClick = TGameSound::Create(dir.Str() + "sound/buttonclick.wav", 0);
    s.Destination = &destination;
    ClickAt(5, 5);
    s.Logic();
    EXPECT_EQ(Game->DestinationTScreen, &destination);
    EXPECT_EQ(s.ClickHereButton->Clicked, 1) << "the click is shown on the button";
    EXPECT_EQ(SoundsPlayed(), 1);
}

TEST_F(LoadingScreenTest, OnceFinishedTheButtonIsShownInsteadOfTheBar) {
    TLoadingScreen s;
    s.SpecialLoad("background.png", "bar.png", "loading.png");
    s.SetClickHereButton("clickhere", "clickhereMO", "", "", 500);
    s.Finished = 1;
    s.Draw();
    EXPECT_EQ(DrawsOf(s.LoadingBar->Image.get()), 0);
    EXPECT_GE(DrawsOf(s.ClickHereButton->image->image.get()), 1);
}

TEST_F(LoadingScreenTest, TheSecondLoadingTextShowsOnlyWhenSwitchedOn) {
    TLoadingScreen s;
    s.LoadingTextImage = TImage::Create(10, 10);
    s.LoadingTextImage2 = TImage::Create(10, 10);
    s.DrawLoading(0);
    s.DrawLoadingTextImage2 = 1;
    s.DrawLoading(0);
    EXPECT_EQ(DrawsOf(s.LoadingTextImage.get()), 1);
    EXPECT_EQ(DrawsOf(s.LoadingTextImage2.get()), 1);
}

TEST_F(LoadingScreenTest, KillDropsItsPartsAndADrawAfterIsHarmless) {
    TLoadingScreen s;
    s.SpecialLoad("background.png", "bar.png", "loading.png");
    s.SetClickHereButton("clickhere", "clickhereMO", "", "", 500);
    int killed = 0;
    s.CustomKillFunction = [&] { ++killed; };
    s.Kill();
    EXPECT_EQ(killed, 1);
    EXPECT_FALSE(s.ClickHereButton);
    EXPECT_FALSE(s.LoadingBar);
    s.Draw();
    s.Progress();
}

}  // namespace
