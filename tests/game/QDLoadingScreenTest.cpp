// The game layer's loading screen: one MoveBar frame advances, draws and shows the bar, and the last
// step finishes the screen so that a click goes on to its destination.
#include "game/QDLoadingScreen.h"
#include "presentation/WidgetWorld.h"

namespace {

class QDLoading : public WidgetWorld {
  protected:
    void SetUp() override {
        WidgetWorld::SetUp();
        WritePng("graphics/background.png", 800, 600, 0xFF000000u);
        WritePng("graphics/bar.png", 200, 16, 0xFFFFFFFFu);
        WritePng("graphics/loading.png", 100, 20, 0xFFFFFFFFu);
        WritePng("graphics/clickhere.png", 100, 40, 0xFF808080u);
        WritePng("graphics/clickheremo.png", 100, 40, 0xFFFFFFFFu);
    }
};

TEST_F(QDLoading, MoveBarStepsDrawsAndFinishes) {
    QDLoadingScreen screen;
    screen.SpecialLoad("background.png", "bar.png", "loading.png");
    screen.SetSteps(2);
    screen.MoveBar();
    EXPECT_FLOAT_EQ(screen.LoadingBar->Position, 100);
    EXPECT_EQ(screen.Finished, 0);
    EXPECT_EQ(DrawsOf(screen.LoadingTextImage.get()), 1) << "the loading text shows while loading";
    rec.calls.clear();
    screen.MoveBar();
    EXPECT_EQ(screen.Finished, 1);
    EXPECT_EQ(DrawsOf(screen.LoadingTextImage.get()), 0);
    screen.Kill();
}

TEST_F(QDLoading, AFinishedScreenWaitsForTheClickHereButton) {
    QDLoadingScreen screen;
    TExitScreen next;
    screen.Destination = &next;
    screen.SpecialLoad("background.png", "bar.png", "loading.png");
    screen.SetClickHereButton("clickhere", "clickheremo", "", "", 500);
    EXPECT_FLOAT_EQ(screen.ClickHereButton->x, 450) << "centred on the x given";
    EXPECT_FLOAT_EQ(screen.ClickHereButton->y, 280);
    EXPECT_EQ(screen.ClickHereButton->OKButton, 1);
    screen.SetSteps(1);
    screen.MoveBar();
    ASSERT_EQ(screen.Finished, 1);
    screen.Logic();
    EXPECT_EQ(Game->DestinationTScreen, nullptr);
    ClickAt(10, 10);
    screen.Logic();
    EXPECT_EQ(Game->DestinationTScreen, &next);
    screen.Kill();
}

TEST_F(QDLoading, ZeroStepsNeverDivideNorOverrunTheBar) {
    QDLoadingScreen screen;
    screen.SpecialLoad("", "bar.png", "");
    screen.SetSteps(0);
    screen.MoveBar();
    EXPECT_FLOAT_EQ(screen.LoadingBar->Position, 0);
    screen.Kill();
}

}  // namespace
