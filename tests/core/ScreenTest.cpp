// Screen switching after fade-outs: the protocol, the fatal missing destination, the exit screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/Input.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Events.h"
#include "platform/Image.h"
#include "platform/Keys.h"
#include "presentation/GameFade.h"

namespace {

class CountingScreen : public TScreen {
  public:
    std::vector<std::string> calls;
    void Load() override {
        calls.push_back("Load");
        TScreen::Load();
    }
    void Start() override {
        calls.push_back("Start");
        TScreen::Start();
    }
    void CoreStart() override {
        calls.push_back("CoreStart");
        TScreen::CoreStart();
    }
    void Kill() override {
        calls.push_back("Kill");
        TScreen::Kill();
    }
    void Logic() override { calls.push_back("Logic"); }
};

class ScreenTest : public ::testing::Test {
  protected:
    CountingScreen a, b;
    std::vector<std::string> notices;

    void SetUp() override {
        SetClockSource([] { return 50000; });
        FlushEvents();
        Game = std::make_unique<TGame>();
        Game->FixedRateLogic->Create();
        a.name = "title";
        b.name = "options";
        Game->CurrentTScreen = &a;
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
    }
    void TearDown() override {
        Game.reset();
        SetErrorNotice(nullptr);
        SetClockSource(nullptr);
        FlushEvents();
    }

    // Runs logic calls of one tick each until the program wants to quit; the number of calls.
    static int CallsUntilQuit(int limit) {
        for (int i = 1; i <= limit; ++i) {
            Game->FixedRateLogic->SetDelta(1.0f);
            if (Game->LogicWrapper() == -1) return i;
        }
        return -1;
    }
};

TEST_F(ScreenTest, AFinishedFadeOutStartsTheDestination) {
    Game->DestinationTScreen = &b;
    Game->GameFade->Init(500.0f, 1, nullptr, 1, 0, nullptr);
    Game->GameFade->Finish();
    KeyBufferKeyDown(KEY_A);
    Game->ScreenChange();
    EXPECT_EQ(a.calls, std::vector<std::string>{"Kill"});
    EXPECT_EQ(b.calls, (std::vector<std::string>{"Load", "Start", "CoreStart"}));
    EXPECT_EQ(GameKeyDown(KEY_A), 0);
    // The destination stays set but is not used twice.
    b.calls.clear();
    Game->ScreenChange();
    EXPECT_TRUE(b.calls.empty());
}

TEST_F(ScreenTest, AFadeOutWithoutDestinationIsFatal) {
    Game->GameFade->Init(500.0f, 1, nullptr, 1, 0, nullptr);
    Game->GameFade->Finish();
    try {
        Game->ScreenChange();
        FAIL() << "no error";
    } catch (const TRuntimeError& e) {
        EXPECT_STREQ(e.what(), "Screen 'title' does not have a destination screen set!");
    }
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(ScreenTest, EscapeOnAScreenWithoutOwnDestinationOrClosingTheWindowQuitsAfterTheFade) {
    for (TEvent event : {TEvent{EVENT_KEYDOWN, KEY_ESCAPE, 0, 0}, TEvent{EVENT_APPTERMINATE, 0, 0, 0}}) {
        SetUp();
        PostEvent(event);
        const int calls = CallsUntilQuit(1000);
        // 500 ms of fade are 100 ticks, then one call to switch and one to quit.
        EXPECT_GE(calls, 100) << event.id;
        EXPECT_LE(calls, 103) << event.id;
        EXPECT_EQ(Game->LastTScreen, &a);
    }
}

TEST_F(ScreenTest, ClosingDuringAFadeStillQuits) {
    Game->GameFade->Init(500.0f, 0, nullptr, 0, 0, nullptr);
    Game->LogicWrapper();
    PostEvent(TEvent{EVENT_APPTERMINATE, 0, 0, 0});
    int calls = CallsUntilQuit(1000);
    EXPECT_GE(calls, 100);
    EXPECT_LE(calls, 103);

    // The same while a fade-out towards another screen runs: the exit wins.
    Game = std::make_unique<TGame>();
    Game->FixedRateLogic->Create();
    Game->CurrentTScreen = &a;
    Game->DestinationTScreen = &b;
    Game->GameFade->Init(500.0f, 1, nullptr, 1, 0, nullptr);
    Game->LogicWrapper();
    PostEvent(TEvent{EVENT_APPTERMINATE, 0, 0, 0});
    EXPECT_GT(CallsUntilQuit(1000), 0);
    EXPECT_TRUE(b.calls.empty());
}

TEST_F(ScreenTest, AScreenIsDrawnOverItsPicture) {
    TRecordingBackend rec;
    SetDrawBackend(&rec);
    a.Image = CreateImage(800, 600);
    a.Draw();
    SetDrawBackend(nullptr);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].op, "DrawImage");
    EXPECT_EQ(rec.calls[0].state.blend, SOLIDBLEND);  // the picture replaces what was there
}

TEST_F(ScreenTest, EscapeDuringAFadeInEndsItAtOnce) {
    Game->GameFade->Init(500.0f, 0, nullptr, 0, 0, nullptr);
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_ESCAPE, 0, 0});
    Game->LogicWrapper();
    EXPECT_EQ(Game->Fading(), 0);
    EXPECT_EQ(Game->DestinationTScreen, nullptr);
}

}  // namespace
