// TSineCounter, advanced by the logic tick share Delta.
#include "presentation/SineCounter.h"

#include <cmath>
#include <numbers>

#include "core/FixedRateLogic.h"

float SinDeg(float degrees) {
    return std::sin(degrees * std::numbers::pi_v<float> / 180.0f);
}
float CosDeg(float degrees) {
    return std::cos(degrees * std::numbers::pi_v<float> / 180.0f);
}

std::shared_ptr<TSineCounter> TSineCounter::Create(float start, float end, float speed, int runOnce) {
    auto counter = std::make_shared<TSineCounter>();
    counter->Init(start, end, speed, runOnce);
    return counter;
}

void TSineCounter::Init(float start, float end, float speed, int runOnce) {
    StartPoint = start;
    EndPoint = end;
    Speed = speed;
    RunOnce = runOnce;
    Counter = start;
    ratio = 0.0f;
}

int TSineCounter::Manage() {
    if (Active == 0) return 0;
    Counter += Speed * Delta;
    float range = EndPoint - StartPoint;
    if (Counter >= EndPoint) {
        if (RunOnce != 0 || range <= 0) {
            Counter = EndPoint;
            if (RunOnce != 0) Active = 0;
        } else {
            Counter -= range;
        }
    } else if (Counter < StartPoint) {
        if (RunOnce != 0 || range <= 0) {
            Counter = StartPoint;
            if (RunOnce != 0) Active = 0;
        } else {
            Counter += range;
        }
    }
    ratio = SinDeg(Counter);
    return 1;
}

void TSineCounter::SetCounter(float c) {
    Counter = c;
    ratio = SinDeg(c);
}
