// The screen protocol's base behaviour.
#include "core/Screen.h"

#include "core/ErrorReport.h"
#include "core/Game.h"
#include "core/Input.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "presentation/GameImage.h"
#include "presentation/Menu.h"
#include "presentation/MousePointer.h"
#include "presentation/Sprite.h"

void TScreen::ImageLoad(const std::string& file, int flags, int precache) {
    Image = LoadImageOrDie(Game->ImagePath + file, flags);
    SetImageHandle(Image.get(), 0.0f, 0.0f);
    if (precache) PrecacheImage(Image.get());
}

void TScreen::HeaderLoad(const std::string& file, float x, float y, int precache) {
    Header = TSprite::Create(TGameImage::Create(Game->ImagePath + file + Ext, -1, 1), x, y);
    if (precache && Header && Header->image) Header->image->Precache();
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
    Game->Mouse->On();
    Game->IgnoreEscapeKey = 0;
    CoreStart();
}

void TScreen::CoreStart() {
    Game->CurrentTScreen = this;
    // One silent pass so the buttons under the pointer show their hover state at once.
    if (Menu) Menu->ManageNoSound(0.0f, 0.0f);
    FlushInput();
    Game->FixedRateLogic->Init();
}

void TScreen::PostFadeIn() {}

void TScreen::PostFadeOut() {}

void TScreen::Kill() {
    Image.reset();
    Header.reset();
    if (Menu) Menu->Kill();
    Menu.reset();
}

void TScreen::Logic() {
    if (Menu) Menu->Manage(0.0f, 0.0f);
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
        Header->Draw();
    }
    if (Menu) Menu->Draw(0.0f, 0.0f);
}

int TScreen::SetEscDestination() {
    Game->DestinationTScreen = Game->ExitScreen.get();
    return 0;
}

void TScreen::SpecificKeys() {}
