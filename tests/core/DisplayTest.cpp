// Opening the display headless: driver choice, checkpoints, full screen and its fallbacks.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/FrontEnd.h"
#include "core/Game.h"
#include "core/IniFile.h"
#include "core/Input.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "platform/Priority.h"
#include "platform/Window.h"
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

TEST_F(DisplayTest, TheFirstOpeningTakesTheDesktopsRefreshRate) {
    Game->Driver = 1;
    Game->FullScreen = 0;
    Game->DesktopRefreshRate = 0;
    Game->GraphicsCreate();
    EXPECT_EQ(Game->DesktopRefreshRate, ::DesktopRefreshRate());
    EXPECT_GT(Game->DesktopRefreshRate, 0);
}

TEST_F(DisplayTest, AnyDriverButTheRendererFallsBackToItAndIsSaved) {
    // 0 is the missing Direct3D driver; the others were never written by the game.
    for (int driver : {0, 2, -1, 111}) {
        SCOPED_TRACE(driver);
        Game->Driver = driver;
        Game->FullScreen = 0;
        Game->GraphicsCreate();
        EXPECT_EQ(Game->Driver, 1);
        EXPECT_NE(Settings().find("DRIVER=1\r\n"), std::string::npos);
        EndGraphics();
    }
}

TEST_F(DisplayTest, AltEnterWithAFailingSettingsWriteGoesOnAndSaysSoOnce) {
    std::vector<std::string> notices;
    SetErrorNotice([&](const std::string& text) { notices.push_back(text); });
    Game->Driver = 1;
    Game->FullScreen = 0;
    Game->IniUpdate(0);
    const std::string good = Settings();
    Game->GraphicsCreate();
    SetAtomicWriteFault(AtomicWriteFault::CannotCreate);
    EXPECT_NO_THROW(Game->ToggleFullScreen());
    EXPECT_NO_THROW(Game->ToggleFullScreen());
    SetAtomicWriteFault(AtomicWriteFault::None);
    SetErrorNotice(nullptr);
    EXPECT_EQ(Game->FullScreen, 0);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(Settings(), good);
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

TEST_F(DisplayTest, SwitchingKeepsThePointerWhereItWasInsideTheScreenAndAForcedWindowStays) {
    Game->Driver = 1;
    Game->FullScreen = 0;
    Game->GraphicsCreate();
    FrontEnd().PointerMoved(*Game, 900, 700);  // it had left the window
    Game->ToggleFullScreen();
    EXPECT_EQ(FrontEnd().PointerPosition(*Game), std::make_pair(799, 599));
    FrontEnd().PointerMoved(*Game, 300, 200);
    Game->ToggleFullScreen();
    Game->DoPeekEvent();
    EXPECT_EQ(FrontEnd().PointerPosition(*Game), std::make_pair(300, 200));
    Game->ForceWindowedMode = 1;
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

// One second of simulated time with a flip that never waits for the vertical blank: the clock moves
// only by the loop's own sleeps and 1 ms of work per frame. Counts the frames shown and the logic ticks.
struct TPacedSecond {
    int frames = 0;
    double ticks = 0;
};

TPacedSecond RunOneSecond() {
    int now = 5000;
    SetClockSource([&now] { return now; });
    SetDelayHandler([&now](int ms) { now += ms; });
    TExitScreen screen;
    Game->CurrentTScreen = &screen;
    Game->FixedRateLogic->JitterCorrection = 0;
    Game->FixedRateLogic->Init();
    TPacedSecond seen;
    struct Counter {
        static void Shown(const TPixmap&, void* user) {
            ++*static_cast<int*>(user);
            CaptureNextFrame(Shown, user);
        }
    };
    CaptureNextFrame(Counter::Shown, &seen.frames);
    while (now < 6000) {
        Game->MainLogicLoop();
        seen.ticks += Game->FixedRateLogic->NumTicks;
        ++now;
        Game->ScreenDraw();
    }
    CaptureNextFrame(nullptr, nullptr);
    SetDelayHandler(nullptr);
    SetClockSource([] { return 1000; });
    Game->CurrentTScreen = nullptr;
    return seen;
}

TEST_F(DisplayTest, WithVSyncFramesArePacedToTheRefreshAndAnUnchangedPauseToAFewASecond) {
    Game->Driver = 1;
    Game->FullScreen = 0;
    Game->GraphicsCreate();
    Game->VSync = 1;
    Game->SetFlipSync();

    Game->GameRefreshRate = 0;  // not reported by the display: 60 Hz
    TPacedSecond running = RunOneSecond();
    EXPECT_LE(running.frames, 60);
    EXPECT_GE(running.frames, 58);
    EXPECT_NEAR(running.ticks, 200.0, 4.0) << "the logic keeps 200 ticks a second";

    Game->GameRefreshRate = 144;
    running = RunOneSecond();
    EXPECT_LE(running.frames, 144);
    EXPECT_GE(running.frames, 140);

    Game->GameRefreshRate = 60;
    Game->Paused = 1;
    TPacedSecond paused = RunOneSecond();
    EXPECT_LE(paused.frames, 10);
    EXPECT_GE(paused.frames, 3);

    // Without vertical sync only the short sleep after each frame holds the loop back.
    Game->Paused = 0;
    Game->VSync = 0;
    Game->SetFlipSync();
    running = RunOneSecond();
    EXPECT_GT(running.frames, 200);
}

// The nice of the calling thread.
int MainThreadNice() {
    return getpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)));
}

TEST_F(DisplayTest, TheWindowedPrioritySettingRaisesTheGameAndPauseAndFocusLossBringItToNormal) {
    if (geteuid() != 0) GTEST_SKIP() << "raising a priority needs root (as in CI)";
    SetDelayHandler([](int) {});
    testenv::WriteFile(dir.Path() / "SudokuNumora.ini", "WINDOWED PROCESS PRIORITY=2\r\nDRIVER=1\r\n");
    Game->IniFill();
    Game->Ini->Load();
    Game->IniExtract();
    Game->Music = Game->Speech = 0;
    Game->FullScreen = 0;
    Game->GraphicsCreate();
    EXPECT_EQ(MainThreadNice(), -10);
    Game->TogglePause();
    EXPECT_EQ(MainThreadNice(), 0) << "paused";
    Game->TogglePause();
    EXPECT_EQ(MainThreadNice(), -10);
    Game->SuspendedEvent = 1;
    Game->CheckWindow();
    EXPECT_EQ(MainThreadNice(), 0) << "suspended";
    Game->SuspendedEvent = 0;
    Game->CheckWindow();
    EXPECT_EQ(MainThreadNice(), -10);
    SetPriorityValues(0, 0);
    SetDelayHandler(nullptr);
}

// The thread settings are any int in the file: the far ends mean the lowest and the highest priority.
TEST_F(DisplayTest, ThreadPrioritySettingsAtTheEndsOfTheIntRangeGiveTheEndsOfTheNiceRange) {
    if (geteuid() != 0) GTEST_SKIP() << "coming back from nice 19 needs root (as in CI)";
    testenv::WriteFile(dir.Path() / "SudokuNumora.ini",
                       "WINDOWED THREAD PRIORITY=-2147483648\r\nFULL SCREEN THREAD PRIORITY=2147483647\r\n"
                       "DRIVER=1\r\n");
    Game->IniFill();
    Game->Ini->Load();
    Game->IniExtract();
    Game->FullScreen = 0;
    Game->GraphicsCreate();
    EXPECT_EQ(MainThreadNice(), 19);
    Game->FullScreen = 1;
    Game->SetPriority();
    EXPECT_EQ(MainThreadNice(), -20);
    SetPriorityValues(0, 0);
}

}  // namespace
