// Vector arithmetic, the coloured line, and a circle against a segment.
#include "presentation/Vector.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/Draw.h"
#include "presentation/Shapes.h"

void TVector::AddVector(const TVector& v) {
    x += v.x;
    y += v.y;
}

double TVector::CalcLength() const {
    return std::sqrt(x * x + y * y);
}

double TVector::CalcSlope() const {
    if (x == 0)
        return y >= 0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    return y / x;
}

void TVector::Draw(double px, double py, int lastPixel) const {
    DrawLine(float(px), float(py), float(px + x), float(py + y), lastPixel != 0);
}

void TVector::Multiply(double factor) {
    x *= factor;
    y *= factor;
}

void TVector::Normalise() {
    const double length = CalcLength();
    if (length == 0) return;
    x /= length;
    y /= length;
}

void TVector::Rebound(const TVector& normal) {
    TVector n = normal;
    if (n.CalcLength() == 0) return;
    n.Normalise();
    const double d = DotProduct(n);
    x -= 2 * d * n.x;
    y -= 2 * d * n.y;
}

void TVector::Reverse() {
    x = -x;
    y = -y;
}

void TVector::Rotate(double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double nx = x * c - y * s;
    y = x * s + y * c;
    x = nx;
}

void TVector::SubtractVector(const TVector& v) {
    x -= v.x;
    y -= v.y;
}

std::unique_ptr<TLine> TLine::Create(double sx, double sy, double ex, double ey) {
    auto line = std::make_unique<TLine>();
    line->sx = sx, line->sy = sy, line->ex = ex, line->ey = ey;
    return line;
}

std::unique_ptr<TLine> TLine::CreateFromVector(double x, double y, const TVector& v) {
    return Create(x, y, x + v.x, y + v.y);
}

void TLine::CalcLength() {
    length = GetVector().CalcLength();
}

double TLine::CalcSlope() const {
    return GetVector().CalcSlope();
}

void TLine::Draw(int lastPixel) const {
    if (Color) Color->Apply();
    DrawLine(float(sx), float(sy), float(ex), float(ey), lastPixel != 0);
    TColor::Restore();
}

void TLine::SetFromVector(const TVector& v, double x, double y) {
    sx = x, sy = y;
    ex = x + v.x, ey = y + v.y;
}

TVector VectorAdded(const TVector& a, const TVector& b) {
    return TVector::CreateFromVectorsAdded(a, b);
}
TVector VectorScaled(const TVector& a, double factor) {
    return TVector::CreateFromVectorScaled(a, factor);
}
TVector VectorSubtracted(const TVector& a, const TVector& b) {
    return TVector::CreateFromVectorsSubtracted(a, b);
}

bool CircleTouchesLine(const TCircle& circle, const TLine& line) {
    double dx = line.ex - line.sx, dy = line.ey - line.sy;
    double cx = circle.x, cy = circle.y;
    double lengthSq = dx * dx + dy * dy;
    // A segment of no length is its start point.
    double u = lengthSq > 0 ? ((cx - line.sx) * dx + (cy - line.sy) * dy) / lengthSq : 0.0;
    u = std::clamp(u, 0.0, 1.0);
    double nx = line.sx + u * dx - cx, ny = line.sy + u * dy - cy;
    return nx * nx + ny * ny <= double(circle.r) * double(circle.r);
}
