// Numeric helpers.
#include "core/MathUtils.h"

#include <cmath>
#include <numbers>

#include "core/Game.h"

int SecondsToTicks(float seconds) {
    if (!Game) return static_cast<int>(seconds * 1000.0f / 5.0f);
    return static_cast<int>(Game->CalcAnimLength(static_cast<int>(seconds * 1000.0f)));
}

float FrameMillisecs(float n) {
    return 1000.0f / n;
}

int FrameFromTime(float elapsed, float total, int frames, int forward) {
    if (frames <= 0) return 0;
    float done = total > 0.0f ? elapsed / total : 1.0f;
    float position = forward ? done : 1.0f - done;
    float frame = std::floor(position * static_cast<float>(frames));
    if (!(frame >= 0.0f)) return 0;  // also catches NaN
    if (frame > static_cast<float>(frames - 1)) return frames - 1;
    return static_cast<int>(frame);
}

int NextPowerOf2(int n) {
    int power = 1;
    while (power < n && power < (1 << 30)) power <<= 1;
    return power;
}

void ClampPercent(int& v) {
    if (v < 0) v = 0;
    if (v > 100) v = 100;
}

bool WithinRange(float value, float limit) {
    return value == 0.0f || (-limit < value && value < limit);
}

float SineEase(float x) {
    return 0.5f + std::sin((x - 0.5f) * std::numbers::pi_v<float>) / 2.0f;
}

float PanFromX(float x) {
    float width = static_cast<float>(ScreenWidth);
    return (x - width / 2.0f) / width;
}

float SemitoneRatio(float n) {
    return std::pow(2.0f, n / 12.0f);
}

float ScaleStepRatio(int step) {
    static const int thresholds[] = {1, 2, 4, 5, 6, 8, 9, 11, 12, 13};
    int semitones = step;
    for (int threshold : thresholds) {
        if (step >= threshold) ++semitones;
    }
    return SemitoneRatio(static_cast<float>(semitones));
}

void BezierPoint(float x0, float y0, float x3, float y3, float x1, float y1, float x2, float y2, float t,
                 float& x, float& y) {
    float u = 1.0f - t;
    float a = u * u * u, b = 3.0f * u * u * t, c = 3.0f * u * t * t, d = t * t * t;
    x = a * x0 + b * x1 + c * x2 + d * x3;
    y = a * y0 + b * y1 + c * y2 + d * y3;
}

bool RectsOverlap(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2) {
    return x1 < x2 + w2 && x1 + w1 > x2 && y1 < y2 + h2 && y1 + h1 > y2;
}

bool PointInQuad(float px, float py, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                 float y4) {
    auto inside = [px, py](float ax, float ay, float bx, float by) {
        return (py - ay) * (bx - ax) - (px - ax) * (by - ay) > 0.0f;
    };
    return inside(x1, y1, x2, y2) && inside(x2, y2, x3, y3) && inside(x3, y3, x4, y4) &&
           inside(x4, y4, x1, y1);
}
