// Slides and slide shows: effect order, motion, the fade and mask passes and the letter box.
#include "presentation/SlideShow.h"

#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "platform/Draw.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"

std::shared_ptr<TTransitionEffect> TTransitionEffect::Create(int type, int ms) {
    auto effect = std::make_shared<TTransitionEffect>();
    effect->EffectType = type;
    effect->Length = int(Game->CalcAnimLength(ms));
    return effect;
}

std::shared_ptr<TTransitionEffect> TTransitionEffect::CreateCopy() const {
    return std::make_shared<TTransitionEffect>(*this);
}

std::shared_ptr<TSlide> TSlide::Create(const std::string& image, int flags, int centred,
                                       std::shared_ptr<TTransitionEffect> in,
                                       std::shared_ptr<TTransitionEffect> hold,
                                       std::shared_ptr<TTransitionEffect> out, const std::string& slideName) {
    auto slide = std::make_shared<TSlide>();
    if (!image.empty()) slide->Image = TGameImage::Create(image, flags, centred);
    slide->InEffect = std::move(in);
    slide->HoldEffect = std::move(hold);
    slide->OutEffect = std::move(out);
    slide->name = slideName;
    slide->Centred = centred;
    if (centred) slide->CentreCoords();
    slide->CurrentEffect = slide->InEffect     ? slide->InEffect.get()
                           : slide->HoldEffect ? slide->HoldEffect.get()
                                               : slide->OutEffect.get();
    return slide;
}

void TSlide::CentreCoords() {
    x = float(ScreenWidth / 2);
    y = float(ScreenHeight / 2);
}

void TSlide::Kill() {
    Image.reset();
    InEffect.reset();
    HoldEffect.reset();
    OutEffect.reset();
    CurrentEffect = nullptr;
    LastSlide = nullptr;
}

void TSlide::StoreOriginalCoords() {
    ox = x;
    oy = y;
}

void TSlide::MoveBy(const TTransitionEffect& effect) {
    x -= effect.ScrollSpeedX * Delta;
    y -= effect.ScrollSpeedY * Delta;
    scale += effect.ZoomSpeed * Delta;
}

TTransitionEffect* TSlide::NextEffect() const {
    if (CurrentEffect == InEffect.get()) return HoldEffect ? HoldEffect.get() : OutEffect.get();
    if (CurrentEffect == HoldEffect.get()) return OutEffect.get();
    return nullptr;
}

int TSlide::Manage() {
    if (!CurrentEffect) return 1;
    if (!UserManage || UserManage(*this) != 0) {
        MoveBy(*CurrentEffect);
        if (CurrentEffect->EffectType == 3 && LastSlide && LastSlide->CurrentEffect)
            LastSlide->MoveBy(*LastSlide->CurrentEffect);
    }
    Counter += Delta;
    if (Counter < float(CurrentEffect->Length)) return 0;
    Counter -= float(CurrentEffect->Length);
    TTransitionEffect* next = NextEffect();
    if (!next) {
        // The last effect stays current at its end, so the slide keeps its final look.
        Counter = float(CurrentEffect->Length);
        return 1;
    }
    CurrentEffect = next;
    return 0;
}

float TSlide::Progress() const {
    if (!CurrentEffect || CurrentEffect->Length <= 0) return 1.0f;
    const float f = Counter / float(CurrentEffect->Length);
    return f < 0 ? 0.0f : f > 1 ? 1.0f : f;
}

void TSlide::DrawPicture() {
    if (Image) {
        SetScale(scale, scale);
        DrawImage(Image->image.get(), x, y);
        SetScale(1, 1);
    }
    if (UserDraw) {
        const int blend = GetBlend();
        SetBlend(ALPHABLEND);
        UserDraw(*this);
        SetBlend(blend);
    }
}

void TSlide::Draw() {
    const float f = Progress();
    const int type = CurrentEffect ? CurrentEffect->EffectType : 0;
    SetBlend(SOLIDBLEND);
    if (type == 3 && LastSlide) {
        LastSlide->DrawPicture();
        SetBlend(ALPHABLEND);
        SetAlpha(f);
    }
    DrawPicture();
    SetScale(1, 1);
    SetAlpha(1);
    if (!CurrentEffect) return;
    const TTransitionEffect& effect = *CurrentEffect;
    if (effect.MaskImage && (type == 0 || type == 3)) DrawMask(effect.MaskEndSize);
    if (type == 1 || type == 2) {
        const float dim = type == 1 ? 1.0f - f : f;
        if (!effect.MaskImage) {
            DimScreen(dim);
        } else {
            DrawMask(effect.MaskStartSize + f * (effect.MaskEndSize - effect.MaskStartSize));
            if (effect.MaskAndFade) DimScreen(dim);
        }
    }
}

void TSlide::DrawMask(float s) const {
    if (!CurrentEffect || !CurrentEffect->MaskImage) return;
    SetBlend(ALPHABLEND);
    SetScale(s, s);
    DrawImage(CurrentEffect->MaskImage->image.get(), float(ScreenWidth / 2), float(ScreenHeight / 2));
    SetScale(1, 1);
}

std::unique_ptr<TSlideShow> TSlideShow::Create() {
    return std::make_unique<TSlideShow>();
}

TSlide* TSlideShow::AddSlide(const std::string& image, int flags, int centred,
                             std::shared_ptr<TTransitionEffect> in, std::shared_ptr<TTransitionEffect> hold,
                             std::shared_ptr<TTransitionEffect> out, const std::string& name) {
    Slides.push_back(
        TSlide::Create(image, flags, centred, std::move(in), std::move(hold), std::move(out), name));
    return Slides.back().get();
}

void TSlideShow::Kill() {
    for (auto& slide : Slides) slide->Kill();
    Slides.clear();
}

TSlide* TSlideShow::GetCurrentSlide() const {
    if (CurrentSlide < 0 || CurrentSlide >= int(Slides.size())) return nullptr;
    return Slides[std::size_t(CurrentSlide)].get();
}

void TSlideShow::PreCache() const {
    for (const auto& slide : Slides)
        if (slide->Image) slide->Image->Precache();
}

int TSlideShow::Manage() {
    if (Finished) return 0;
    TSlide* slide = GetCurrentSlide();
    // A show without slides has nothing to run: it ends at once.
    if (!slide) {
        Finished = 1;
        return 1;
    }
    if (slide->Manage() != 1) return 0;
    ++CurrentSlide;
    if (CurrentSlide >= int(Slides.size())) {
        Finished = 1;
        CurrentSlide = int(Slides.size()) - 1;
        return 1;
    }
    Slides[std::size_t(CurrentSlide)]->LastSlide = slide;
    return 2;
}

int TSlideShow::Draw() {
    if (Finished) return 0;
    if (TSlide* slide = GetCurrentSlide()) slide->Draw();
    SetBlend(SOLIDBLEND);
    if (LetterBoxHeight > 0) {
        const float bar = float(ScreenHeight - LetterBoxHeight) / 2.0f;
        SetColor(0, 0, 0);
        DrawRect(0, 0, float(ScreenWidth), bar);
        DrawRect(0, float(ScreenHeight) - bar, float(ScreenWidth), bar);
    }
    SetColor(255, 255, 255);
    return 1;
}
