// The game's logic call.
#include "game/TolvaneGame.h"

#include "game/QDMouse.h"
#include "platform/Clock.h"
#include "presentation/GameFade.h"
#include "presentation/MousePointer.h"

namespace {

// How long after start-up the logic keeps running while paused or suspended.
constexpr int StartUpGraceMs = 5000;

}  // namespace

int TTolvaneGame::LogicWrapper() {
    Mouse->ClearMouseHit();
    Mouse->Manage();
    DoPeekEvent();
    ReadKeys();
    CheckCommandQForMac();
    if (InstantExit) return -1;
    if ((Paused || Suspended) && MilliSecs() - GameStartTime > StartUpGraceMs) return 0;
    GameFade->Manage();
    if (Fading() && !GameFade->AllowAnim) return 1;
    ScreenChange();
    QDMouseClicks.UpdateMouseClicks();
    if (CurrentTScreen) CurrentTScreen->Logic();
    if (Fade == 0) ScreenChange();
    return 1;
}

int TTolvaneGame::CheckCommandQForMac() { return 0; }
