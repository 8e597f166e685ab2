// Opening the display headless: driver choice, checkpoints, full screen and its fallbacks.
#include <gtest/gtest.h>

#include "core/Game.h"
#include "core/IniFile.h"
#include "core/Input.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Keys.h"
#include "platform/Window.h"
#include "presentation/MousePointer.h"
#include "support/TestEnv.h"

namespace {

class DisplayTest : public ::testing::Test {
protected:
    testenv::TempDir dir;

    void SetUp() override {
        SetClockSource([] { return 1000; });
        FlushEvents();
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->Create();
        Game->SubPath = dir.Str();
        Game->Ini->FileName = dir.Str() + "SudokuNumora";
        Checkpoint = 0;
    }
    void TearDown() override {
        EndGraphics();
        Game.reset();
        SetClockSource(nullptr);
    }

    std::string Settings() const { return testenv::ReadFile(dir.Path() / "SudokuNumora.ini"); }
};

TEST_F(DisplayTest, TheMissingDirect3DDriverFallsBackToTheRendererAndIsSaved) {
    Game->Driver = 0;
    Game->FullScreen = 0;
    Game->GraphicsCreate();
    EXPECT_EQ(Game->Driver, 1);
    EXPECT_NE(Settings().find("DRIVER=1\r\n"), std::string::npos);
}

TEST_F(DisplayTest, AltEnterSwitchesOnceEvenForAQuickTapAndSaves) {
    Game->Driver = 1;
    Game->FullScreen = 1;
    Game->GraphicsCreate();
    EXPECT_TRUE(GraphicsIsFullScreen());
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_LALT, 0, 0});
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_ENTER, 0, 0});
    Game->DoPeekEvent();
    Game->ReadKeys();
    EXPECT_FALSE(GraphicsIsFullScreen());
    EXPECT_NE(Settings().find("FULL SCREEN=0\r\n"), std::string::npos);
    // A quick tap: both keys down and up again before the keys are read still switches, once.
    for (int key : {KEY_LALT, KEY_ENTER}) PostEvent(TEvent{EVENT_KEYDOWN, key, 0, 0});
    for (int key : {KEY_ENTER, KEY_LALT}) PostEvent(TEvent{EVENT_KEYUP, key, 0, 0});
    Game->DoPeekEvent();
    Game->ReadKeys();
    Game->DoPeekEvent();
    Game->ReadKeys();
    EXPECT_EQ(Game->FullScreen, 1);
    // Enter tapped while Alt is not held, then Alt alone, switches nothing.
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_ENTER, 0, 0});
    PostEvent(TEvent{EVENT_KEYUP, KEY_ENTER, 0, 0});
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_LALT, 0, 0});
    Game->DoPeekEvent();
    Game->ReadKeys();
    EXPECT_EQ(Game->FullScreen, 1);
}

TEST_F(DisplayTest, AForcedWindowRefusesFullScreen) {
    Game->Driver = 1;
    Game->FullScreen = 0;
    Game->ForceWindowedMode = 1;
    Game->GraphicsCreate();
    Game->ToggleFullScreen();
    EXPECT_FALSE(GraphicsIsFullScreen());
}

TEST_F(DisplayTest, AFrameIsDrawnTimedAndShown) {
    Game->Driver = 1;
    Game->FullScreen = 0;
    Game->GraphicsCreate();
    TExitScreen screen;
    Game->CurrentTScreen = &screen;
    SetDelayHandler([](int) {});
    struct Seen {
        int frames = 0;
    } seen;
    CaptureNextFrame([](const TPixmap&, void* user) { ++static_cast<Seen*>(user)->frames; }, &seen);
    Game->ScreenDraw();
    EXPECT_EQ(seen.frames, 1);
    EXPECT_EQ(Game->DrawTime->Current, 0) << "the frame is timed: it took no clock time";
    Game->NoDraw = 1;
    CaptureNextFrame([](const TPixmap&, void* user) { ++static_cast<Seen*>(user)->frames; }, &seen);
    Game->ScreenDraw();
    EXPECT_EQ(seen.frames, 1);  // a frame with NoDraw is neither drawn nor shown
    EXPECT_EQ(Game->NoDraw, 0);
    CaptureNextFrame(nullptr, nullptr);
    SetDelayHandler(nullptr);
}

}  // namespace
