// TVector, a 2-D vector of doubles, and TLine, a coloured segment that can be built from and turned
// into a vector. Plain value types: the operations that the drawing and collision code of a game need.
// Part of the framework; nothing in this game uses it (its tests do).
#pragma once

#include <memory>

#include "presentation/Color.h"

class TVector {
  public:
    double x = 0, y = 0;

    static TVector Create(double x, double y) { return {x, y}; }
    static TVector CreateFromPoints(double x1, double y1, double x2, double y2) { return {x2 - x1, y2 - y1}; }
    static TVector CreateFromVectorsAdded(const TVector& a, const TVector& b) {
        return {a.x + b.x, a.y + b.y};
    }
    static TVector CreateFromVectorScaled(const TVector& a, double factor) {
        return {a.x * factor, a.y * factor};
    }
    static TVector CreateFromVectorsSubtracted(const TVector& a, const TVector& b) {
        return {a.x - b.x, a.y - b.y};
    }
    void AddVector(const TVector& v);
    double CalcLength() const;
    TVector CalcNormal() const { return {-y, x}; }
    // y / x; infinite for an upright vector.
    double CalcSlope() const;
    TVector CreateCopy() const { return *this; }
    void CopyFrom(const TVector& v) { *this = v; }
    double DotProduct(const TVector& v) const { return x * v.x + y * v.y; }
    void Draw(double px, double py, int lastPixel) const;
    void Multiply(double factor);
    // A zero vector stays zero.
    void Normalise();
    // Reflected about normal: v - 2 (v . n) n with n the normalised normal; a zero normal changes nothing.
    void Rebound(const TVector& normal);
    void Reverse();
    void Rotate(double degrees);
    void Scale(double factor) { Multiply(factor); }
    void SubtractVector(const TVector& v);
};

class TCircle;

class TLine {
  public:
    double sx = 0, sy = 0, ex = 0, ey = 0;
    double length = 0;
    std::shared_ptr<TColor> Color = TColor::Create(255, 255, 255, 1.0f);

    static std::unique_ptr<TLine> Create(double sx, double sy, double ex, double ey);
    static std::unique_ptr<TLine> CreateFromVector(double x, double y, const TVector& v);
    void CalcLength();
    double CalcSlope() const;
    void Draw(int lastPixel) const;
    TVector GetVector() const { return {ex - sx, ey - sy}; }
    void SetFromVector(const TVector& v, double x, double y);
};

// New vectors: a with b added, a scaled by factor, a with b subtracted.
TVector VectorAdded(const TVector& a, const TVector& b);
TVector VectorScaled(const TVector& a, double factor);
TVector VectorSubtracted(const TVector& a, const TVector& b);
// True when the point of the segment nearest the circle's centre lies within its radius.
bool CircleTouchesLine(const TCircle& circle, const TLine& line);
