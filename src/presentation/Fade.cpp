// Blocking image fades over the clock, the screen fade built on them, and the tick-driven cross-fade.
#include "presentation/Fade.h"

#include <algorithm>

#include "core/Game.h"
#include "core/Input.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "presentation/DrawHelpers.h"
#include "presentation/MousePointer.h"

namespace {

// Drains the system's events into the key buffer and the pointer, then reports any key or button hit.
bool InputHit() {
    if (Game) Game->DoPeekEvent();
    bool key = std::any_of(KeyHits, KeyHits + KeyBufferSize, [](int hits) { return hits != 0; });
    bool mouse = Game && Game->Mouse && Game->Mouse->GetMh(0) != 0;
    return key || mouse;
}

float Now() {
    return float(MilliSecs());
}

}  // namespace

int TFade::Init(float ms, std::shared_ptr<TImage> image, std::shared_ptr<TChannel> channel) {
    Image = std::move(image);
    Channel = std::move(channel);
    Length = ms;
    return Reset();
}

int TFade::Reset() {
    StartTime = Now();
    Elapsed = 0;
    LastTime = StartTime;
    return 0;
}

int TFade::CentreImage() {
    X = (ScreenWidth - ImageWidth(Image.get())) / 2;
    Y = (ScreenHeight - ImageHeight(Image.get())) / 2;
    return 0;
}

// A fade of no length draws its end state once instead of waiting for the clock to move.
int TFade::FadeDo(int out) {
    Out = out;
    FlushInput();
    if (Length <= 0) {
        Ratio = out != 0 ? 0.0f : 1.0f;
        if (Background) MoveBackground(Now(), Elapsed);
        Draw();
        ResetDrawState();
        return 1;
    }
    while (!(Elapsed > Length)) {
        if (InputHit()) {
            ResetDrawState();
            FlushInput();
            return -1;
        }
        float now = Now();
        Elapsed = now - StartTime;
        Ratio = std::clamp(Elapsed / Length, 0.0f, 1.0f);
        if (out != 0) Ratio = 1.0f - Ratio;
        if (Background) MoveBackground(now, Elapsed);
        Draw();
    }
    ResetDrawState();
    return 1;
}

int TFade::MoveBackground(float now, float elapsed) {
    float dt = (now - LastTime) / 1000.0f;
    BackgroundX += BackgroundXSpeed * dt;
    BackgroundY += BackgroundYSpeed * dt;
    BackgroundZoom += BackgroundZoomSpeed * dt;
    if (Out == -1) {
        BackgroundAlpha = 1;
    } else if (BackgroundFadeTime <= 0) {
        // No fade time: the background is simply there, and gone once a fade-out has run out.
        BackgroundAlpha = (Out == 1 && elapsed >= Length) ? 0.0f : 1.0f;
    } else if (Out == 0) {
        BackgroundAlpha = std::min(1.0f, elapsed / BackgroundFadeTime);
    } else {
        BackgroundAlpha =
            std::max(0.0f, 1.0f - (elapsed - (Length - BackgroundFadeTime)) / BackgroundFadeTime);
    }
    LastTime = now;
    return 0;
}

int TFade::WaitForTime(float ms) {
    Out = -1;
    Reset();
    Ratio = 1;
    while (!(Elapsed > ms)) {
        float now = Now();
        Elapsed = now - StartTime;
        if (InputHit()) return -1;
        if (Background) MoveBackground(now, Elapsed);
        Draw();
    }
    return 0;
}

int TFade::Draw() {
    Cls();
    if (Background) {
        SetBlend(ALPHABLEND);
        SetScale(BackgroundZoom, BackgroundZoom);
        SetAlpha(BackgroundAlpha);
        DrawImage(Background.get(), -BackgroundX * BackgroundZoom, -BackgroundY * BackgroundZoom);
        SetScale(1, 1);
    }
    SetBlend(ALPHABLEND);
    SetAlpha(Ratio);
    DrawImage(Image.get(), float(X), float(Y));
    if (Channel) SetChannelVolume(Channel.get(), Ratio * float(Game->SoundVolume) / 100.0f);
    FlipVSync();
    return 0;
}

int TFade::Full() {
    Ratio = 1;
    return Draw();
}

int TFade::Zero() {
    Ratio = 0;
    return Draw();
}

int ScreenFade(int ms, int out, std::shared_ptr<TChannel> channel) {
    auto image = CreateImage(ScreenWidth, ScreenHeight);
    GrabImage(image.get(), 0, 0);
    SetImageHandle(image.get(), 0, 0);
    TFade fade;
    fade.Init(float(ms), image, std::move(channel));
    fade.FadeDo(out);
    if (out != 0) {
        fade.Zero();
    } else {
        fade.Full();
    }
    ResetDrawState();
    return 0;
}

std::shared_ptr<TCrossFade> TCrossFade::Create(std::shared_ptr<TImage> image1, std::shared_ptr<TImage> image2,
                                               int ms) {
    auto fade = std::make_shared<TCrossFade>();
    fade->Init(std::move(image1), std::move(image2), ms);
    return fade;
}

void TCrossFade::Draw() {
    SetBlend(SOLIDBLEND);
    DrawImage(Image1.get(), X1, Y1);
    SetBlend(ALPHABLEND);
    SetAlpha(Anim ? Anim->GetRatioInv() : 1.0f);
    DrawImage(Image2.get(), X2, Y2);
    SetAlpha(1);
}

void TCrossFade::Init(std::shared_ptr<TImage> image1, std::shared_ptr<TImage> image2, int ms) {
    Image1 = std::move(image1);
    Image2 = std::move(image2);
    Anim = TAnimation::Create(ms, 0, 0, 0, 0);
    Anim->Start();
}

void TCrossFade::Manage() {
    if (Anim) Anim->Manage();
}

void TCrossFade::SetImage1Coords(float x, float y) {
    X1 = x;
    Y1 = y;
}

void TCrossFade::SetImage2Coords(float x, float y) {
    X2 = x;
    Y2 = y;
}
