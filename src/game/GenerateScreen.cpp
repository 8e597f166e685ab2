// The generating overlay: its fades, and the one run of the puzzle engine per showing.
#include "game/GenerateScreen.h"

#include "core/Game.h"
#include "core/GameText.h"
#include "core/Input.h"
#include "core/SoundBank.h"
#include "game/Core.h"
#include "game/GameDialogs.h"
#include "game/GameScreen.h"
#include "platform/Audio.h"
#include "platform/Draw.h"
#include "presentation/Animation.h"
#include "presentation/Dialog.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameFade.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"

std::unique_ptr<TGenerateScreen> GenerateScreen = std::make_unique<TGenerateScreen>();

namespace {

constexpr int OverlayFadeLength = 500;
constexpr float DarkeningAlpha = 0.5f;

}  // namespace

void GenerateScreenReplace() {
    if (GenerateScreen) GenerateScreen->Kill();
    GenerateScreen = std::make_unique<TGenerateScreen>();
    GenerateScreen->Load();
}

void TGenerateScreen::Load() {
    ActivateSound = SoundBank->Find("buttonclick");
    Channel = AllocChannel();
    FadeIn = TAnimation::Create(OverlayFadeLength, 0, 0, 0, 0);
    FadeOut = TAnimation::Create(OverlayFadeLength, 0, 0, 0, 0);
    Active = 0;
    HasGenerated = 0;
    Game->FadeMusic = 0;
}

void TGenerateScreen::Kill() {
    TScreen::Kill();
    ActivateSound.reset();
    DeactivateSound.reset();
    Channel.reset();
    FadeIn.reset();
    FadeOut.reset();
}

void TGenerateScreen::Show(int playSound) {
    // An overlay that was never loaded (or was killed) cannot fade; give it its parts first.
    if (!FadeIn || !FadeOut) Load();
    // Every showing runs the engine once: an overlay shown again (or while still fading out) starts afresh
    // instead of waiting for ever on a run that already happened.
    Active = 1;
    HasGenerated = 0;
    FadeOut->Active = 0;
    MouseState = Game->Mouse->Active;
    if (playSound != 0 && ActivateSound) ActivateSound->PlayInChannel(Channel, 0.0f);
    FadeIn->Reset();
    FlushInput();
}

void TGenerateScreen::Hide() {
    if (!FadeIn || !FadeOut) return;
    if (MouseState == 0) Game->Mouse->Off();
    if (DeactivateSound) DeactivateSound->PlayInChannel(Channel, 0.0f);
    FadeOut->Reset();
    // The fade-out starts where the fade-in stands, so hiding half-way does not jump.
    FadeOut->Counter = FadeIn->Length[static_cast<std::size_t>(FadeIn->CurrentPhase)] - FadeIn->Counter;
    FadeIn->Active = 0;
    FlushInput();
}

void TGenerateScreen::Logic() {
    if (Active == 0 || !FadeIn || !FadeOut) return;
    FadeIn->Manage();
    if (FadeOut->Manage() != 0) {
        Active = 0;
        return;
    }
    if (FadeOut->Active == 0) TScreen::Logic();
}

void TGenerateScreen::Draw() {
    if (Active == 0 || !FadeIn || !FadeOut) return;
    SetBlend(ALPHABLEND);
    float darkening = DarkeningAlpha;
    if (FadeIn->Active != 0) darkening = FadeIn->GetRatioInvSine() * DarkeningAlpha;
    if (FadeOut->Active != 0) darkening = FadeOut->GetRatioSine() * DarkeningAlpha;
    SetColor(0, 0, 0);
    SetAlpha(darkening);
    DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
    SetAlpha(1.0f);
    SetColor(255, 255, 255);

    float alpha = 1.0f;
    if (FadeOut->Active != 0)
        alpha = FadeOut->GetRatio();
    else if (FadeIn->Active != 0)
        alpha = FadeIn->GetRatioInv();
    if (alpha != 1.0f) {
        SetAlpha(alpha);
        TextAlpha = alpha;
    }
    SetTextShadow(3, 3, 0.4f);
    const auto picture = ImageBank->Find(CustomPuzzleMode != 0 ? "solving" : "generating");
    DrawImageShadow(picture->image.get(), static_cast<float>(ScreenWidth / 2),
                    static_cast<float>(ScreenHeight / 2), nullptr);
    if (alpha != 1.0f) {
        SetAlpha(1.0f);
        TextAlpha = 1.0f;
    }

    if (FadeIn->Active != 0 || HasGenerated != 0) return;
    if (CustomPuzzleMode != 0) {
        // An abandoned check (the player quit or pressed Escape) only closes the overlay; a quit request
        // is still queued for the main loop.
        const int checked = Core.CheckCustomPuzzle();
        if (checked != 1) Hide();
        if (checked == 0 && GameScreen)
            GameScreen->OKInput = OKDialogLong(GameText->FindString("Not Solvable"));
        HasGenerated = 1;
        Game->Mouse->On();
    } else {
        Core.NewPuzzle();
        HasGenerated = 1;
        CustomPuzzleMode = 0;
        Game->GameFade->Init(static_cast<float>(DefaultFadeLength), 1, nullptr, 1, 0, nullptr);
        Game->DestinationTScreen = GameScreen.get();
        Game->Mouse->On();
        StopwatchStart();
    }
}
