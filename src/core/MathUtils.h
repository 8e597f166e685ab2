// Small numeric helpers: animation frames and timing, easing, stereo pan, musical ratios and
// plane geometry (Bezier points, rectangle overlap, point in quadrilateral).
// Used by the presentation layer's animation and sprite code.
#pragma once

// The application object's CalcAnimLength(seconds x 1000), truncated to whole ticks.
int SecondsToTicks(float seconds);
// 1000 / n: the milliseconds of one frame at n frames per second.
float FrameMillisecs(float n);
// The frame of an animation of frames frames and total length at elapsed time: floor(elapsed /
// total x frames), or with forward 0 floor((1 - elapsed / total) x frames), clamped to
// 0 ... frames - 1. A zero or negative length counts as finished (last frame forward, 0 back).
int FrameFromTime(float elapsed, float total, int frames, int forward = 1);
// Smallest power of two >= n, at least 1 (at most 2^30).
int NextPowerOf2(int n);
// v clamped in place to 0 ... 100.
void ClampPercent(int& v);
// True when value is 0 or -limit < value < limit.
bool WithinRange(float value, float limit);
// 0.5 + sin((x - 0.5) x 180 degrees) / 2: an S-curve from 0 to 1 over x in 0 ... 1.
float SineEase(float x);
// (x - ScreenWidth / 2) / ScreenWidth: a stereo pan from a screen position.
float PanFromX(float x);
// 2^(n / 12).
float SemitoneRatio(float n);
// The ratio of the step-th note of a major scale (0, 2, 4, 5, 7, 9, 11, 12, 14 ... semitones).
float ScaleStepRatio(int step);
// The cubic Bezier point at t from (x0, y0) to (x3, y3) with control points (x1, y1), (x2, y2).
void BezierPoint(float x0, float y0, float x3, float y3, float x1, float y1, float x2, float y2, float t,
                 float& x, float& y);
// True when the rectangles overlap; rectangles that only share an edge do not.
bool RectsOverlap(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2);
// True when (px, py) lies strictly on the inner side of every edge 1-2, 2-3, 3-4, 4-1.
bool PointInQuad(float px, float py, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                 float y4);
