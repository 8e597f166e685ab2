// The title screen and the wiring of the menu screens.
#include "game/TitleScreen.h"

#include "core/Game.h"
#include "core/Startup.h"
#include "game/GameNotice.h"
#include "game/GameRun.h"
#include "game/HelpScreen.h"
#include "game/HighScoreScreen.h"
#include "game/OptionsScreen.h"
#include "game/PlayScreen.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/Menu.h"
#include "presentation/Sprite.h"

std::unique_ptr<TTitleScreen> TitleScreen;

namespace {

// The version shown in the corner of the title screen.
constexpr const char* VersionNumberText = "4.60";

// The first touch of a large picture can stall a frame; locking and unlocking it once after loading
// makes sure its pixels are in place before the fade-in.
void TouchImage(TGameImage* image) {
    if (!image || !image->image) return;
    LockImage(image->image.get(), 0);
    UnlockImage(image->image.get(), 0);
}

}  // namespace

void TTitleScreen::Load() {
    if (!Game->CurrentTScreen) {
        Game->MusicLoad("music.ogg", 1);
        Game->MusicPlay(1, 0, 0);
    }
    Game->FadeMusic = 1;
    LoadBackground("titlescreen");
    LoadHeader("logo", float(ScreenWidth / 2), 100);
    TouchImage(Background.get());
    TouchImage(Header->image.get());

    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    for (const char* name : {"play", "help", "options", "highscore"}) Menu->AddQuick(name, name);
    Menu->AddNew("Exit", "exitMO", "exit", 0, 0, 1);
    for (auto& button : *Menu) button->ScaleOnMOMax = 1.15f;
    Menu->FindButton("play")->OKButton = 1;
    Menu->Centre();
    Menu->SetY(Menu->y + 50);

    MenuSparklesOn();
}

void TTitleScreen::Logic() {
    ManageHeaderGlow();
    Menu->Manage(0, 0);
    if (Menu->Clicked("play")) ChangeScreenTo(PlayScreen.get());
    if (Menu->Clicked("help")) ChangeScreenTo(HelpScreen.get());
    if (Menu->Clicked("options")) ChangeScreenTo(OptionsScreen.get());
    if (Menu->Clicked("highscore")) ChangeScreenTo(HighScoreScreen.get());
    if (Menu->Clicked("exit")) ChangeScreenTo(Game->ExitScreen.get());
}

void TTitleScreen::Draw() {
    DrawBackground();
    DrawHeader();
    Menu->Draw(0, 0);
    SetTextShadow(2, 2, 0.6f);
    SetImageFont(FontCalibri18);
    const std::string version = GameString("Version") + VersionNumberText;
    DrawTextRight(version, 790, 576, 1, 1);
    SetTextShadow(1, 1, 0.5f);
    SetAlpha(1);
}

int TTitleScreen::SetEscDestination() {
    Game->DestinationTScreen = Game->ExitScreen.get();
    return 0;
}

void MenuScreensInit() {
    TitleScreen = std::make_unique<TTitleScreen>();
    PlayScreen = std::make_unique<TPlayScreen>();
    OptionsScreen = std::make_unique<TOptionsScreen>();
    HelpScreen = std::make_unique<THelpScreen>();
    HighScoreScreen = std::make_unique<THighScoreScreen>();
    GameRunStartTitle = StartTitleScreen;
}

void StartTitleScreen() {
    if (!TitleScreen) TitleScreen = std::make_unique<TTitleScreen>();
    TitleScreen->PreStart();
}
