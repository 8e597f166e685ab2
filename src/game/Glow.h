// QDGlow: a pulsing brightness value for highlight passes, driven by a looping sine counter, with the
// light-blend pass that uses it and the reset back to alpha blend.
// A framework widget of the game layer that this game does not use (its tests do).
#pragma once

#include <memory>

#include "presentation/SineCounter.h"

class QDGlow {
  public:
    std::shared_ptr<TSineCounter> GlowCounter = std::make_shared<TSineCounter>();
    float Glow = 0;
    float GlowModifier = 0.3f;
    float lastCounter = 0;
    int numWraps = 0;
    int reverse = 1;

    // The last argument is accepted and ignored.
    static std::unique_ptr<QDGlow> Create(float speed, float modifier, float start, float end, int spare);
    void Reset();
    void Logic();
    // 1 when the counter wrapped since the last call.
    int CheckCounter();
    void Process1_StartGlow() const;
    void Process2_EndGlow() const;
};
