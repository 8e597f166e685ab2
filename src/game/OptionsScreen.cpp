// The options screen. The sound slider's sample click runs on the system clock so that dragging plays
// it at most four times a second whatever the frame rate.
#include "game/OptionsScreen.h"

#include "core/Game.h"
#include "game/Core.h"
#include "game/GameButtons.h"
#include "game/GameOptions.h"
#include "game/HelpScreen.h"
#include "game/TitleScreen.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/Menu.h"
#include "presentation/Slider.h"

std::unique_ptr<TOptionsScreen> OptionsScreen;

namespace {

constexpr int ClickSoundInterval = 250;

int Invert(int flag) {
    return flag == 0 ? 1 : 0;
}

}  // namespace

void TOptionsScreen::Load() {
    Game->FadeMusic = 0;
    LoadBackground("titlescreen");
    LoadHeader("optionsheader", float(ScreenWidth / 2), 50);
    CreateOKMenu(*this);

    OptionsMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    SetButtonImageOn(*OptionsMenu, Game->FullScreen, "fullscreen");
    ShownFullScreen = Game->FullScreen;
    SetButtonImageOn(*OptionsMenu, ShowTimer, "showtimer");
    SetButtonImageOn(*OptionsMenu, ShowHighlighter, "highlighter");
    SetButtonImageOn(*OptionsMenu, PreventDoubleNumbers, "preventdoublenumbers");
    OptionsMenu->CentreHoriz();
    OptionsMenu->SetY(240);

    MusicSlider = TSlider::CreateSpecial("slider", "marker", 346, 138, 22, "musicslider", 0);
    SoundSlider = TSlider::CreateSpecial("slider", "marker", 346, 194, 22, "soundslider", 0);
    MusicSlider->SetValue(Game->MusicVolume);
    SoundSlider->SetValue(Game->SoundVolume);

    MenuSparklesOn();
}

void TOptionsScreen::Logic() {
    Menu->Manage(0, 0);
    ManageHeaderGlow();
    OptionsMenu->Manage(0, 0);

    if (Menu->Clicked("ok")) {
        OptionsSave();
        Game->IniUpdate(1);
        ChangeScreenTo(TitleScreen.get());
    }
    if (MusicSlider->Manage()) Game->MusicSetVolume(MusicSlider->Value, 0);
    if (SoundSlider->Manage()) {
        Game->SoundSetVolume(SoundSlider->Value, 0);
        const int now = MilliSecs();
        if (now - LastClickTime > ClickSoundInterval - 1) {
            LastClickTime = now;
            ClickSound();
        }
    }

    const auto toggle = [this](const char* name, int& flag) {
        if (!OptionsMenu->Clicked(name)) return;
        flag = Invert(flag);
        if (TButton* button = OptionsMenu->FindButton(name))
            UpdateToggleButtonImages(*OptionsMenu, *button, flag);
    };
    toggle("showtimer", ShowTimer);
    toggle("preventdoublenumbers", PreventDoubleNumbers);
    toggle("highlighter", ShowHighlighter);
    if (OptionsMenu->Clicked("fullscreen")) Game->ToggleFullScreen();
    if (ShownFullScreen != Game->FullScreen) {
        ShownFullScreen = Game->FullScreen;
        if (TButton* button = OptionsMenu->FindButton("fullscreen"))
            UpdateToggleButtonImages(*OptionsMenu, *button, ShownFullScreen);
    }
}

void TOptionsScreen::ClickSound() {
    if (TButton* ok = Menu->FindButton("ok")) ok->PlayClick();
}

void TOptionsScreen::Draw() {
    DrawBackground();
    DrawImageShadow(ImageBank->FindTImage("music").get(), 242, 151, nullptr);
    DrawImageShadow(ImageBank->FindTImage("sound").get(), 242, 207, nullptr);
    MusicSlider->Draw();
    SoundSlider->Draw();
    DrawHeader();
    Menu->Draw(0, 0);
    OptionsMenu->Draw(0, 0);
}

void TOptionsScreen::Kill() {
    OptionsMenu.reset();
    MusicSlider.reset();
    SoundSlider.reset();
    TMenuScreen::Kill();
}
