// The screen protocol's base behaviour.
#include "core/Screen.h"

#include "core/ErrorReport.h"
#include "core/FrontEnd.h"
#include "core/Game.h"
#include "core/Input.h"
#include "platform/Draw.h"
#include "platform/Image.h"

void TScreen::ImageLoad(const std::string& file, int flags, int precache) {
    Image = LoadImageOrDie(Game->ImagePath + file, flags);
    SetImageHandle(Image.get(), 0.0f, 0.0f);
    if (precache) PrecacheImage(Image.get());
}

void TScreen::HeaderLoad(const std::string& file, float x, float y, int precache) {
    FrontEnd().HeaderLoad(*this, Game->ImagePath + file + Ext, x, y, precache);
}

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
    FrontEnd().PointerOn(*Game);
    Game->IgnoreEscapeKey = 0;
    CoreStart();
}

void TScreen::CoreStart() {
    Game->CurrentTScreen = this;
    // One silent pass so the buttons under the pointer show their hover state at once.
    if (Menu) FrontEnd().MenuManage(*Menu, false);
    FlushInput();
    Game->FixedRateLogic->Init();
}

void TScreen::PostFadeIn() {}

void TScreen::PostFadeOut() {}

void TScreen::Kill() {
    Image.reset();
    Header.reset();
    if (Menu) FrontEnd().MenuKill(*Menu);
    Menu.reset();
}

void TScreen::Logic() {
    if (Menu) FrontEnd().MenuManage(*Menu, true);
}

void TScreen::Draw() {
    if (Image) {
        SetBlend(SOLIDBLEND);
        DrawImage(Image.get(), 0.0f, 0.0f);
    } else {
        Cls();
    }
    if (Header) {
        SetBlend(ALPHABLEND);
        FrontEnd().HeaderDraw(*this);
    }
    if (Menu) FrontEnd().MenuDraw(*Menu);
}

int TScreen::SetEscDestination() {
    Game->DestinationTScreen = Game->ExitScreen.get();
    return 0;
}

void TScreen::SpecificKeys() {}
