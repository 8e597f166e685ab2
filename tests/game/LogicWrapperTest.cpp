// The game's logic call: an exit ends it, a pause after the start-up grace holds the screen's logic, a
// screen fade holds it too, and otherwise the screen's logic runs with the frame's clicks counted.
#include "BoardWorld.h"
#include "game/MenuScreen.h"
#include "game/QDMouse.h"
#include "platform/Events.h"

namespace {

struct CountingScreen : TScreen {
    int logicCalls = 0;
    void Logic() override { ++logicCalls; }
};

using board::Now;
using LogicWrapperTest = board::BoardWorld;

TEST_F(LogicWrapperTest, ScreenLogicRunsUnlessExitingPausedAfterTheGraceOrHeldByAFade) {
    const struct {
        const char* what;
        int instantExit, paused, msSinceStart, fading, allowAnim;
        int result, logicCalls;
    } rows[] = {
        {"running", 0, 0, 60000, 0, 0, 1, 1}, {"exit asked", 1, 0, 60000, 0, 0, -1, 0},
        {"paused", 0, 1, 60000, 0, 0, 0, 0},  {"paused in the first seconds", 0, 1, 1000, 0, 0, 1, 1},
        {"fading", 0, 0, 60000, 1, 0, 1, 0},  {"fading with animation", 0, 0, 60000, 1, 1, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CountingScreen screen;
        Game->CurrentTScreen = &screen;
        Game->DestinationTScreen = &screen;
        Game->InstantExit = row.instantExit;
        Game->Paused = row.paused;
        GameStartTime = Now - row.msSinceStart;
        if (row.fading) Game->GameFade->Init(5000, 0, nullptr, row.allowAnim, 0, nullptr);
        QDMouseClicks = QDMouse();
        MoveMouse(123, 50);
        // A click would end a fade or a pause at once, so those rows go without one.
        const bool click = !row.fading && !row.paused;
        if (click) PostEvent({EVENT_MOUSEDOWN, 1, 0, 0});
        Now += 5;
        EXPECT_EQ(Game->LogicWrapper(), row.result);
        EXPECT_EQ(screen.logicCalls, row.logicCalls);
        // The frame's clicks are counted before the screen's logic reads them.
        EXPECT_EQ(QDMouseClicks.LeftClick(), click ? row.logicCalls : 0);
        if (click && row.logicCalls) {
            EXPECT_EQ(QDMouseClicks.x, 123);
        }
        if (click) PostEvent({EVENT_MOUSEUP, 1, 0, 0});
        Now += 5;
        Game->InstantExit = Game->Paused = Game->Suspended = 0;
        Game->GameFade->Finish();
        Game->GameFade->GetDone();
        Game->LogicWrapper();
        Game->CurrentTScreen = nullptr;
        Game->DestinationTScreen = nullptr;
    }
}

// With screen fades off, a screen that asks for another one is replaced within the same logic call.
TEST_F(LogicWrapperTest, WithFadesOffTheNextScreenStartsInTheSameCall) {
    struct Leaving : CountingScreen {
        TScreen* next = nullptr;
        void Logic() override {
            CountingScreen::Logic();
            ChangeScreenTo(next);
        }
    };
    CountingScreen next;
    Leaving leaving;
    leaving.next = &next;
    Game->Fade = 0;
    Game->CurrentTScreen = &leaving;
    Game->DestinationTScreen = nullptr;
    GameStartTime = Now - 60000;
    Now += 5;
    EXPECT_EQ(Game->LogicWrapper(), 1);
    EXPECT_EQ(leaving.logicCalls, 1);
    EXPECT_EQ(Game->CurrentTScreen, &next);
    Game->CurrentTScreen = nullptr;
    Game->DestinationTScreen = nullptr;
}

}  // namespace
