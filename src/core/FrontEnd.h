// TFrontEnd: what the application core drives but whose code lives in the presentation layer above it,
// namely the mouse pointer, the screen fade, the loading screen, the paused picture, the screens' headers
// and menus and the debug text.
//
// The core holds those objects through forward-declared pointers (Game->Mouse, Game->GameFade, ...) and
// reaches them only through the one TFrontEnd the presentation layer registers at start-up, so no include
// of the core runs upward. Used by TGame's main loop, input, display and audio code and by TScreen.
#pragma once

#include <memory>
#include <string>
#include <utility>

class TGame;
class TGameImage;
class TMenu;
class TScreen;

class TFrontEnd {
  public:
    virtual ~TFrontEnd() = default;

    // The pointer, the screen fade and the loading screen of a new application object.
    virtual void CreateParts(TGame& game) = 0;

    // The mouse pointer, Game->Mouse.
    virtual void PointerButton(TGame& game, int button, bool down) = 0;
    virtual void PointerMoved(TGame& game, int x, int y) = 0;
    virtual void PointerWheel(TGame& game, int steps) = 0;
    virtual std::pair<int, int> PointerPosition(TGame& game) = 0;
    virtual void PointerClearButtons(TGame& game) = 0;
    // Drops the last tick's unconsumed hits and updates the pointer.
    virtual void PointerManage(TGame& game) = 0;
    virtual void PointerDraw(TGame& game) = 0;
    virtual void PointerOn(TGame& game) = 0;
    // 1 when a click waits, which is then consumed.
    virtual int PointerHit(TGame& game) = 0;

    // The screen fade, Game->GameFade.
    virtual bool FadeActive(TGame& game) = 0;
    virtual bool FadeOut(TGame& game) = 0;
    virtual bool FadeAllowsAnim(TGame& game) = 0;
    virtual float FadeRatio(TGame& game) = 0;
    // A finished fade-out: reads (and so clears) the fade's done flag first, as the screen change needs.
    virtual bool FadeOutDone(TGame& game) = 0;
    virtual void FadeManage(TGame& game) = 0;
    virtual void FadeDraw(TGame& game) = 0;
    virtual void FadeFinish(TGame& game) = 0;
    // Escape during a fade: a fade-in is marked aborted, then the fade ends at once.
    virtual void FadeAbort(TGame& game) = 0;
    // A fade to black of ms milliseconds, taking the music channel with it when asked.
    virtual void FadeStartOut(TGame& game, float ms, bool withMusic) = 0;

    // One step of the loading bar with the loading screen drawn, Game->LoadingScreen.
    virtual void LoadingStep(TGame& game) = 0;

    // The picture shown while paused, Game->SpritePaused.
    virtual void PausedPictureCreate(TGame& game, const std::shared_ptr<TGameImage>& image) = 0;
    virtual void PausedPictureDraw(TGame& game) = 0;

    // A screen's header picture and menu.
    virtual void HeaderLoad(TScreen& screen, const std::string& path, float x, float y, int precache) = 0;
    virtual void HeaderDraw(TScreen& screen) = 0;
    virtual void MenuManage(TMenu& menu, bool sound) = 0;
    virtual void MenuDraw(TMenu& menu) = 0;
    virtual void MenuKill(TMenu& menu) = 0;

    // The diagnostics' text, in the current debug font.
    virtual void DebugText(const std::string& text, float x, float y, bool shadow) = 0;
    // The screenshot key's picture of the screen, saved in folder.
    virtual void Screenshot(const std::string& folder) = 0;
};

// Registered once at start-up by the presentation layer, before the application object is made.
void SetFrontEnd(std::unique_ptr<TFrontEnd> frontEnd);
// The registered front end; asking before one is registered is a fault of the start-up and is fatal.
TFrontEnd& FrontEnd();
