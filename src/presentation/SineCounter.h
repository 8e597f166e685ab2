// TSineCounter: an angle that runs between two points at a speed per tick, wrapping or stopping once,
// with the sine of the angle as its ratio (drives pulsing glows).
// Used by the sprites and animations and the game's helpers.
#pragma once

#include <memory>

class TSineCounter {
  public:
    int Active = 1;
    float Counter = 0.0f;
    float Speed = 1.0f;
    float StartPoint = 0.0f;
    float EndPoint = 360.0f;
    float ratio = 0.0f;
    int RunOnce = 0;

    static std::shared_ptr<TSineCounter> Create(float start, float end, float speed, int runOnce);
    void Init(float start, float end, float speed, int runOnce);
    // One logic call; 0 while inactive, else 1 (also on the call that stops a run-once counter).
    int Manage();
    void SetCounter(float c);
};

// Sine and cosine of an angle in degrees.
float SinDeg(float degrees);
float CosDeg(float degrees);
