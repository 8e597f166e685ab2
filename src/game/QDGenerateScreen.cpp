// The reusable generating overlay.
#include "game/QDGenerateScreen.h"

#include "core/Game.h"
#include "core/Input.h"
#include "platform/Draw.h"
#include "presentation/Animation.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"

void QDGenerateScreen::Load() {
    FadeIn = TAnimation::Create(500, 0, 0, 0, 0);
    FadeOut = TAnimation::Create(500, 0, 0, 0, 0);
    Active = 0;
    HasGenerated = 0;
    Game->FadeMusic = 0;
}

void QDGenerateScreen::Show() {
    if (!FadeIn) Load();
    Active = 1;
    MouseState = Game->Mouse->Active;
    FadeIn->Start();
    FlushInput();
}

void QDGenerateScreen::Hide() {
    if (!FadeIn) return;
    if (!MouseState) Game->Mouse->Off();
    // The fade-out starts where the fade-in had got to, so a short showing fades back as briefly.
    const float shown = FadeIn->Active ? FadeIn->GetRatioInv() : 1.0f;
    FadeOut->Start();
    FadeOut->Counter = FadeOut->Length[0] * shown;
    FadeIn->Stop();
    FlushInput();
}

void QDGenerateScreen::Logic() {
    if (!Active || !FadeIn) return;
    FadeIn->Manage();
    const int wasFadingOut = FadeOut->Active;
    FadeOut->Manage();
    if (wasFadingOut && !FadeOut->Active) Active = 0;
}

void QDGenerateScreen::Draw() {
    if (!Active || !FadeIn) return;
    float dim = 0.5f, alpha = 1.0f;
    if (FadeIn->Active) {
        dim = 0.5f * FadeIn->GetRatioInvSine();
        alpha = FadeIn->GetRatioInv();
    } else if (FadeOut->Active) {
        dim = 0.5f * FadeOut->GetRatioSine();
        alpha = FadeOut->GetRatio();
    }
    SetBlend(ALPHABLEND);
    SetColor(0, 0, 0);
    SetAlpha(dim);
    DrawRect(0, 0, float(ScreenWidth), float(ScreenHeight));
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    if (ImageBank) {
        auto header = ImageBank->Find(HeaderImage);
        const float hx = float(ScreenWidth) / 2 - (header->midhandled ? 0 : header->w2);
        const float hy = float(ScreenHeight) / 2 - (header->midhandled ? 0 : header->h2);
        DrawImage(header->image.get(), hx, hy);
    }
    SetAlpha(1);
    if (!FadeIn->Active && !FadeOut->Active && !HasGenerated) {
        if (GenerateFunction) GenerateFunction();
        HasGenerated = 1;
        Game->Mouse->On();
    }
}

void QDGenerateScreen::Kill() {
    FadeIn.reset();
    FadeOut.reset();
}
