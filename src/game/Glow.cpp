// The pulsing glow value and its two drawing passes.
#include "game/Glow.h"

#include <cmath>

#include "platform/Draw.h"

std::unique_ptr<QDGlow> QDGlow::Create(float speed, float modifier, float start, float end, int) {
    auto glow = std::make_unique<QDGlow>();
    glow->GlowCounter = TSineCounter::Create(start, end, speed, 0);
    glow->GlowModifier = modifier;
    return glow;
}

void QDGlow::Reset() {
    const TSineCounter& old = *GlowCounter;
    GlowCounter = TSineCounter::Create(old.StartPoint, old.EndPoint, old.Speed, 0);
    numWraps = 0;
    lastCounter = 0;
    Glow = 0;
}

void QDGlow::Logic() {
    GlowCounter->Manage();
    const float amount = GlowModifier * std::fabs(GlowCounter->ratio);
    Glow = reverse ? 1.0f - amount : amount;
}

int QDGlow::CheckCounter() {
    const int wrapped = GlowCounter->Counter < lastCounter ? 1 : 0;
    numWraps += wrapped;
    lastCounter = GlowCounter->Counter;
    return wrapped;
}

void QDGlow::Process1_StartGlow() const {
    SetBlend(LIGHTBLEND);
    const int level = int(Glow * 255.0f);
    SetColor(level, level, level);
}

void QDGlow::Process2_EndGlow() const {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
}
