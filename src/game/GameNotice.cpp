// Non-fatal player messages, routed through one replaceable handler, and the game's own notice
// dialog for where the system's message box cannot open.
#include "game/GameNotice.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/GameText.h"
#include "core/Input.h"
#include "game/GameDialogs.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "presentation/Dialog.h"
#include "presentation/GameFade.h"
#include "presentation/MousePointer.h"

namespace {

std::function<void(const std::string&)>& Handler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}

// The screen the notice interrupts may be half built, so only its picture is drawn behind the dialog.
void DrawBehindNotice() {
    SetClsColor(0, 0, 0);
    Cls();
    TScreen* screen = Game->CurrentTScreen;
    if (!screen || !screen->Image) return;
    SetBlend(SOLIDBLEND);
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
    DrawImage(screen->Image.get(), screen->Image->handleX, screen->Image->handleY);
}

// A close of the window ends the notice; the main loop then carries out the close.
bool Closing() {
    return Game->InstantExit != 0 ||
           (Game->Fading() && Game->GameFade->Out != 0 && Game->DestinationTScreen == Game->ExitScreen.get());
}

}  // namespace

// A system notice is shown over a window; once the player has read it, a full-screen game goes back to
// full screen instead of carrying on windowed while its settings still say full screen.
void GameNotice(const std::string& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    const bool restoreFullScreen = Game && Game->FullScreen != 0 && GraphicsIsFullScreen();
    ShowNotice(text);
    if (restoreFullScreen && GraphicsOpen() && !GraphicsIsFullScreen()) Game->GraphicsCreate();
}

void SetGameNoticeHandler(std::function<void(const std::string& text)> handler) {
    Handler() = std::move(handler);
}

void RunNoticeDialog(const std::string& text) {
    if (!Game || !GraphicsOpen()) return;
    std::unique_ptr<TDialogOK> dialog = NoticeDialog(text);
    TMousePointer& mouse = *Game->Mouse;
    const int pointerActive = mouse.Active;
    const int ignorePause = Game->IgnorePauseKey;
    mouse.On();
    Game->IgnorePauseKey = 1;
    FlushInput();
    Game->FixedRateLogic->Init();
    // A running screen fade holds every menu's input, the notice's too: it is set aside while the notice
    // is up and goes on afterwards, unless a close of the window has started the way out meanwhile.
    TGameFade& fade = *Game->GameFade;
    const int heldFade = Closing() ? 0 : fade.Active;
    if (heldFade != 0) fade.Active = 0;
    int result = 0;
    auto tick = [&](float delta) {
        Game->FixedRateLogic->SetDelta(delta);
        mouse.ClearMouseHit();
        mouse.Manage();
        Game->DoPeekEvent();
        Game->ReadKeys();
        if (!Closing()) result = dialog->Manage();
    };
    while (result == 0 && !Closing()) {
        Game->FixedRateLogic->Calc();
        const double ticks = Game->FixedRateLogic->NumTicks;
        for (int i = 0; i < int(std::floor(ticks)) && result == 0 && !Closing(); ++i) tick(1.0f);
        const double rest = std::fmod(ticks, 1.0);
        if (rest > 0.0 && result == 0 && !Closing()) tick(float(rest));
        // Nothing elapsed yet (a frame within the same millisecond): input is still read.
        if (ticks <= 0.0) tick(0.0f);
        DrawBehindNotice();
        dialog->Draw();
        mouse.Draw();
        Game->IdleFrame = 0;
        Game->PostDraw();
    }
    dialog->Kill();
    if (heldFade != 0 && fade.Active == 0 && Game->InstantExit == 0) fade.Active = heldFade;
    Game->IgnorePauseKey = ignorePause;
    if (pointerActive == 0) mouse.Off();
    FlushInput();
    Game->FixedRateLogic->Init();
}

void RegisterNoticeDialog() {
    SetInGameNotice(RunNoticeDialog);
}

std::string GameString(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}
