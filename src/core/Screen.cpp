// The screen protocol's base behaviour.
#include "core/Screen.h"

#include "core/Game.h"
#include "core/Input.h"

void TScreen::ImageLoad(const std::string&, int, int) {}

void TScreen::HeaderLoad(const std::string&, float, float, int) {}

void TScreen::PreStart() {
    if (StopInit == 0) {
        Load();
        Start();
    } else {
        CoreStart();
    }
}

void TScreen::ResetStops() {
    StopKill = 0;
    StopInit = 0;
}

void TScreen::Load() {}

void TScreen::Start() {
    Game->IgnoreEscapeKey = 0;
    CoreStart();
}

void TScreen::CoreStart() {
    Game->CurrentTScreen = this;
    FlushInput();
    Game->FixedRateLogic->Init();
}

void TScreen::PostFadeIn() {}

void TScreen::PostFadeOut() {}

void TScreen::Kill() {
    Image.reset();
    Header.reset();
    Menu.reset();
}

void TScreen::Logic() {}

void TScreen::Draw() {}

int TScreen::SetEscDestination() {
    Game->DestinationTScreen = Game->ExitScreen.get();
    return 0;
}

void TScreen::SpecificKeys() {}
