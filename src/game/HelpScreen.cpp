// The help screen.
#include "game/HelpScreen.h"

#include "core/Game.h"
#include "core/Startup.h"
#include "game/GameHelpers.h"
#include "game/GameNotice.h"
#include "game/TitleScreen.h"
#include "platform/Draw.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"

std::unique_ptr<THelpScreen> HelpScreen;

void CreateOKMenu(TScreen& screen) {
    screen.Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    TButton* ok = screen.Menu->AddNew("oksmall", "oksmallMO", "ok", 0, 0, 1);
    ok->OKButton = 1;
    ok->ScaleOnMOMax = 1.15f;
    screen.Menu->Centre();
    screen.Menu->SetY(screen.Menu->y + 260);
}

void THelpScreen::Load() {
    Game->FadeMusic = 0;
    LoadBackground("titlescreen");
    LoadHeader("helpheader", float(ScreenWidth / 2), 50);
    CreateOKMenu(*this);
    MenuSparklesOn();
}

void THelpScreen::Logic() {
    Menu->Manage(0, 0);
    ManageHeaderGlow();
    if (Menu->Clicked("ok")) ChangeScreenTo(TitleScreen.get());
}

void THelpScreen::Draw() {
    DrawBackground();
    ImageBank->Find("blackback")->Draw(float(ScreenWidth / 2), float(ScreenHeight / 2));
    ImageBank->Find("helpimage")->Draw(165, 300);
    DrawTextBlock(GameString("Help Message 1"), 285, 210, FontCalibri25, 1, 1, 1, 0);
    DrawTextBlock(GameString("Help Message 2"), 285, 410, FontCalibri25, 1, 1, 1, 0);
    DrawHeader();
    Menu->Draw(0, 0);
}
