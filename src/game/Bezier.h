// TBezier: a point that travels along a cubic curve A-B-C-D, forwards or backwards, wrapping round or
// stopping at the end, optionally at a constant on-screen speed. Its state is stored as a 64-byte
// little-endian record:
//
//   13 x f32: ax ay bx by cx cy dx dy t x y baseSpeed currSpeed
//    3 x i32: speedCorr goBackward reset
//
// A framework widget of the game layer that this game does not use (its tests do).
#pragma once

#include <istream>
#include <ostream>

class TBezier {
  public:
    static constexpr int RecordSize = 64;

    float ax = 0, ay = 0, bx = 0, by = 0, cx = 0, cy = 0, dx = 0, dy = 0;
    float t = 0;
    float x = 0, y = 0;
    float baseSpeed = 0, currSpeed = 0;
    int speedCorr = 0;
    int goBackward = 0;
    int reset = 1;

    void Save(std::ostream& stream) const;
    // False, with nothing changed, when the stream holds less than a whole record.
    bool Load(std::istream& stream);
    void Init(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy, float baseSpeed, int speedCorr,
              int goBackward, int reset);
    // The point at t, even past either end (the curve carried on); only the stored t is wrapped round
    // (reset) or held at the end.
    void GetPoint(float t, float& x, float& y);
    // One tick along the curve; the point shown is at the stored t, never beyond the ends.
    void MovePoint(float& x, float& y);
    void Logic(float& x, float& y) { MovePoint(x, y); }
    void DrawCurve() const;
    int IsFinished() const { return t >= 1.0f ? 1 : 0; }
    // A and D fixed; B follows the pointer while the left button is held, C while the right one is.
    void TestCurve(int ax, int ay, int dx, int dy);
    void GetCurrentPoint(float& x, float& y);

  private:
    // t := at, wrapped round (reset) or held at the end it passed.
    void StoreT(float at);
    void Point(float at, float& px, float& py) const;
    // Length of the curve's tangent at t (pixels per unit of t).
    float Speed(float at) const;
};
