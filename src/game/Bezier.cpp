// The curve mover: Bernstein points, the constant-speed correction and the stored record.
#include "game/Bezier.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "platform/Draw.h"
#include "presentation/MousePointer.h"

namespace {

void PutU32(std::ostream& out, uint32_t v) {
    std::array<char, 4> b{};
    for (size_t k = 0; k < b.size(); ++k) b[k] = char((v >> (8 * k)) & 0xff);
    out.write(b.data(), std::streamsize(b.size()));
}

void PutFloat(std::ostream& out, float f) {
    PutU32(out, std::bit_cast<uint32_t>(f));
}

uint32_t U32At(const char* b) {
    return uint32_t(uint8_t(b[0])) | uint32_t(uint8_t(b[1])) << 8 | uint32_t(uint8_t(b[2])) << 16 |
           uint32_t(uint8_t(b[3])) << 24;
}

}  // namespace

void TBezier::Save(std::ostream& stream) const {
    for (float f : {ax, ay, bx, by, cx, cy, dx, dy, t, x, y, baseSpeed, currSpeed}) PutFloat(stream, f);
    for (int i : {speedCorr, goBackward, reset}) PutU32(stream, uint32_t(i));
}

bool TBezier::Load(std::istream& stream) {
    char record[RecordSize];
    if (!stream.read(record, RecordSize)) return false;
    const std::array<float*, 13> floats = {&ax, &ay, &bx, &by, &cx,        &cy,       &dx,
                                           &dy, &t,  &x,  &y,  &baseSpeed, &currSpeed};
    for (size_t i = 0; i < floats.size(); ++i) *floats[i] = std::bit_cast<float>(U32At(record + 4 * i));
    speedCorr = int(U32At(record + 52));
    goBackward = int(U32At(record + 56));
    reset = int(U32At(record + 60));
    return true;
}

void TBezier::Init(int ax_, int ay_, int bx_, int by_, int cx_, int cy_, int dx_, int dy_, float baseSpeed_,
                   int speedCorr_, int goBackward_, int reset_) {
    ax = float(ax_), ay = float(ay_), bx = float(bx_), by = float(by_);
    cx = float(cx_), cy = float(cy_), dx = float(dx_), dy = float(dy_);
    baseSpeed = baseSpeed_;
    speedCorr = speedCorr_;
    goBackward = goBackward_;
    reset = reset_;
    t = 0;
    x = ax;
    y = ay;
    currSpeed = baseSpeed;
    if (speedCorr) {
        const float s = Speed(0);
        if (s > 1e-6f) currSpeed = baseSpeed / s;
    }
}

void TBezier::Point(float at, float& px, float& py) const {
    const float u = 1.0f - at;
    px = ax * u * u * u + 3 * bx * at * u * u + 3 * cx * at * at * u + dx * at * at * at;
    py = ay * u * u * u + 3 * by * at * u * u + 3 * cy * at * at * u + dy * at * at * at;
}

float TBezier::Speed(float at) const {
    const float u = 1.0f - at;
    const float vx = 3 * (bx - ax) * u * u + 6 * (cx - bx) * at * u + 3 * (dx - cx) * at * at;
    const float vy = 3 * (by - ay) * u * u + 6 * (cy - by) * at * u + 3 * (dy - cy) * at * at;
    return std::sqrt(vx * vx + vy * vy);
}

void TBezier::StoreT(float at) {
    t = at;
    if (t > 1.0f) t = reset ? 0.0f : 1.0f;
    if (t < 0.0f) t = reset ? 1.0f : 0.0f;
}

void TBezier::GetPoint(float at, float& px, float& py) {
    StoreT(at);
    Point(at, px, py);
}

void TBezier::MovePoint(float& px, float& py) {
    // The mover shows the point at the stored t: the curve carried on past an end lies far off where a
    // step is large (a vanished tangent keeps the uncorrected speed), and the point would leap there.
    StoreT(t + (goBackward ? -currSpeed * Delta : currSpeed * Delta));
    Point(t, x, y);
    px = x;
    py = y;
    // Where the tangent vanishes (coincident control points) the last speed is kept rather than
    // dividing by nothing.
    if (speedCorr) {
        const float s = Speed(t);
        if (s > 1e-6f) currSpeed = baseSpeed / s;
    }
}

void TBezier::GetCurrentPoint(float& px, float& py) {
    GetPoint(t, px, py);
}

void TBezier::DrawCurve() const {
    DrawLine(ax, ay, bx, by);
    DrawLine(cx, cy, dx, dy);
    float lx = ax, ly = ay;
    for (int step = 0; step <= 100; ++step) {
        float px = 0, py = 0;
        Point(float(step) / 100.0f, px, py);
        DrawRect(px - 1, py - 1, 3, 3);
        DrawLine(lx, ly, px, py);
        lx = px;
        ly = py;
    }
}

void TBezier::TestCurve(int ax_, int ay_, int dx_, int dy_) {
    ax = float(ax_), ay = float(ay_), dx = float(dx_), dy = float(dy_);
    if (Game && Game->Mouse) {
        if (Game->Mouse->b1) bx = float(Game->Mouse->x), by = float(Game->Mouse->y);
        if (Game->Mouse->b2) cx = float(Game->Mouse->x), cy = float(Game->Mouse->y);
    }
    DrawCurve();
}
