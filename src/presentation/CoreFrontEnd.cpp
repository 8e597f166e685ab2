// TFrontEnd over TMousePointer, TGameFade, TLoadingScreen, TSprite and TMenu.
#include "presentation/CoreFrontEnd.h"

#include <memory>

#include "core/FrontEnd.h"
#include "core/Game.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameFade.h"
#include "presentation/GameImage.h"
#include "presentation/LoadingScreen.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"
#include "presentation/Sprite.h"

namespace {

class TPresentationFrontEnd : public TFrontEnd {
  public:
    void CreateParts(TGame& game) override {
        game.LoadingScreen = std::make_shared<TLoadingScreen>();
        game.GameFade = std::make_shared<TGameFade>();
        game.Mouse = std::make_shared<TMousePointer>();
    }

    void PointerButton(TGame& game, int button, bool down) override {
        if (down)
            game.Mouse->ButtonDown(button);
        else
            game.Mouse->ButtonUp(button);
    }
    void PointerMoved(TGame& game, int x, int y) override {
        game.Mouse->x = x;
        game.Mouse->y = y;
    }
    void PointerWheel(TGame& game, int steps) override { game.Mouse->z += steps; }
    std::pair<int, int> PointerPosition(TGame& game) override { return {game.Mouse->x, game.Mouse->y}; }
    void PointerClearButtons(TGame& game) override { game.Mouse->ClearButtons(); }
    void PointerManage(TGame& game) override {
        game.Mouse->ClearMouseHit();
        game.Mouse->Manage();
    }
    void PointerDraw(TGame& game) override { game.Mouse->Draw(); }
    void PointerOn(TGame& game) override { game.Mouse->On(); }
    int PointerHit(TGame& game) override { return game.Mouse->GetMh(1); }

    bool FadeActive(TGame& game) override { return game.GameFade->Active != 0; }
    bool FadeOut(TGame& game) override { return game.GameFade->Out != 0; }
    bool FadeAllowsAnim(TGame& game) override { return game.GameFade->AllowAnim != 0; }
    float FadeRatio(TGame& game) override { return game.GameFade->Ratio; }
    bool FadeOutDone(TGame& game) override { return game.GameFade->GetDone() && game.GameFade->Out; }
    void FadeManage(TGame& game) override { game.GameFade->Manage(); }
    void FadeDraw(TGame& game) override { game.GameFade->Draw(); }
    void FadeFinish(TGame& game) override { game.GameFade->Finish(); }
    void FadeAbort(TGame& game) override {
        if (!game.GameFade->Out) {
            game.GameFade->FadeInAborted = 1;
            game.GameFade->AbortKey = 0;
        }
        game.GameFade->Finish();
    }
    void FadeStartOut(TGame& game, float ms, bool withMusic) override {
        game.GameFade->Init(ms, 1, withMusic ? game.MusicChannel : nullptr, 1, 0, nullptr);
    }

    void LoadingStep(TGame& game) override {
        if (!game.LoadingScreen) return;
        game.LoadingScreen->Progress();
        game.LoadingScreen->Draw();
    }

    void PausedPictureCreate(TGame& game, const std::shared_ptr<TGameImage>& image) override {
        game.SpritePaused = TSprite::Create(image, 0.0f, 0.0f);
        game.SpritePaused->Centre();
    }
    void PausedPictureDraw(TGame& game) override { game.SpritePaused->Draw(); }

    void HeaderLoad(TScreen& screen, const std::string& path, float x, float y, int precache) override {
        screen.Header = TSprite::Create(TGameImage::Create(path, -1, 1), x, y);
        if (precache && screen.Header && screen.Header->image) screen.Header->image->Precache();
    }
    void MenuManage(TMenu& menu, bool sound) override {
        if (sound)
            menu.Manage(0.0f, 0.0f);
        else
            menu.ManageNoSound(0.0f, 0.0f);
    }
    void MenuDraw(TMenu& menu) override { menu.Draw(0.0f, 0.0f); }
    void MenuKill(TMenu& menu) override { menu.Kill(); }
    void HeaderDraw(TScreen& screen) override { screen.Header->Draw(); }

    void DebugText(const std::string& text, float x, float y, bool shadow) override {
        DrawTextAt(text, x, y, shadow ? 1 : 0, 0);
    }
    void Screenshot(const std::string& folder) override { SaveScreenshot(folder); }
};

}  // namespace

void RegisterPresentation() {
    SetFrontEnd(std::make_unique<TPresentationFrontEnd>());
}
