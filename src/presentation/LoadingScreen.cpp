// TLoadingScreen: loading its pictures, progress, the wait for the click-here button and the drawing.
#include "presentation/LoadingScreen.h"

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/Input.h"
#include "platform/DataFile.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/Keys.h"
#include "platform/Window.h"
#include "presentation/GameFade.h"
#include "presentation/MousePointer.h"

namespace {

// "bar.png" -> "bar" + part + ".png"; a name without extension just gets the part appended.
std::string Companion(const std::string& file, const std::string& part) {
    size_t slash = file.find_last_of('/');
    size_t dot = file.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return file + part;
    return file.substr(0, dot) + part + file.substr(dot);
}

std::shared_ptr<TImage> LoadIfPresent(const std::string& path) {
    if (FileType(DataFileName(path)) == FILETYPE_NONE) return nullptr;
    return LoadImageOrDie(path);
}

}  // namespace

TLoadingScreen::TLoadingScreen() : LoadingBar(std::make_unique<TLoadingBar>()) {}

void TLoadingScreen::SpecialLoad(const std::string& background, const std::string& bar,
                                 const std::string& text) {
    name = "loading";
    if (!background.empty()) ImageLoad(background, DEFAULT_IMAGE_FLAGS, 0);
    if (!LoadingBar) LoadingBar = std::make_unique<TLoadingBar>();
    if (!bar.empty()) {
        std::string path = Game->ImagePath + bar;
        auto barImage = LoadImageOrDie(path);
        LoadingBar->Init(barImage, LoadIfPresent(Companion(path, "empty")),
                         LoadIfPresent(Companion(path, "final")));
    }
    if (!text.empty()) {
        LoadingTextImage = LoadImageOrDie(Game->ImagePath + text);
        MidHandleImage(LoadingTextImage.get());
    }
    LoadingX = ScreenWidth / 2;
    LoadingY = ScreenHeight / 2;
    Finished = 0;
    Game->MusicNone();
}

void TLoadingScreen::SetSteps(int n) {
    if (LoadingBar) LoadingBar->SetSteps(n);
}

void TLoadingScreen::Progress() {
    if (!LoadingBar) return;
    LoadingBar->Progress();
    Finished = LoadingBar->Finished;
    if (Finished != 0) {
        FlushInput();
        if (Game->Mouse) Game->Mouse->UpdateCoords();
    }
}

void TLoadingScreen::DrawLoading(int flip) {
    if (flip != 0) Cls();
    if (flip == 0 || Game->Music == 1) {
        const TImage* textImage = LoadingTextImage2 && DrawLoadingTextImage2 != 0 ? LoadingTextImage2.get()
                                                                                  : LoadingTextImage.get();
        if (textImage != nullptr) {
            SetBlend(ALPHABLEND);
            DrawImage(textImage, float(LoadingX), float(LoadingY));
        }
    }
    if (flip != 0) {
        if (Game->FadeMouse == 0 && Game->Mouse) Game->Mouse->Draw();
        Flip(1);
    }
}

void TLoadingScreen::Start() {
    TScreen::Start();
    if (EscapeCloses == 0) Game->IgnoreEscapeKey = 1;
}

void TLoadingScreen::Logic() {
    bool done = true;
    if (ClickHereButton) {
        int hit = Game->Mouse ? Game->Mouse->GetMh(0) : 0;
        ClickHereButton->Manage();
        bool clicked = ClickHereButton->Clicked != 0;
        done = clicked || hit != 0 || (EscapeCloses == 0 && GameKeyHit(KEY_ESCAPE));
        if (done && !clicked) ClickHereButton->SimulateClick();
    }
    if (!done) return;
    if (Game->GameFade)
        Game->GameFade->Init(float(DefaultFadeLength), 1, FadeMusic != 0 ? Game->MusicChannel : nullptr, 1, 0,
                             nullptr);
    Game->DestinationTScreen = Destination;
}

void TLoadingScreen::Draw() {
    TScreen::Draw();
    if (Finished == 0 || !ClickHereButton) {
        if (LoadingBar) LoadingBar->Draw();
        SetBlend(ALPHABLEND);
        if (Finished == 0) DrawLoading(0);
    } else {
        if (LoadingBar && LoadingBar->FinalImage) LoadingBar->Draw();
        ClickHereButton->Draw();
    }
    SetBlend(ALPHABLEND);
    if (CustomDrawFunction) CustomDrawFunction();
}

void TLoadingScreen::SetClickHereButton(const std::string& image, const std::string& imageMO,
                                        const std::string& imageClick, const std::string& imageDisabled,
                                        int py) {
    ClickHereButton = std::make_shared<TButton>();
    ClickHereButton->Load(image, imageMO, "", "", 0, 0, 1);
    if (!imageClick.empty()) ClickHereButton->LoadMouseClick(imageClick, 200);
    if (!imageDisabled.empty()) ClickHereButton->LoadDisabled(imageDisabled);
    ClickHereButton->CentreX(py);
    ClickHereButton->OKButton = 1;
}

void TLoadingScreen::Kill() {
    TScreen::Kill();
    LoadingBar.reset();
    LoadingTextImage2.reset();
    if (ClickHereButton) ClickHereButton->Kill();
    ClickHereButton.reset();
    if (CustomKillFunction) CustomKillFunction();
}
