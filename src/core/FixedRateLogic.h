// The fixed-rate logic timer: turns the wall-clock time of one frame into a number of logic ticks
// (200 per second), so the game advances the same amount whatever the display's frame rate.
// Owned by the application object (Game->FixedRateLogic); every tick-driven animation of the
// presentation layer reads its Delta.
#pragma once

#include <vector>

#include "core/Diagnostics.h"

// Share of one logic tick that the current logic call stands for; everything that moves or counts
// advances by it.
extern float Delta;

class TFixedRateLogic : public TTrackingVar {
  public:
    int FramerateDefault = 200;
    float Framerate = 200.0f;
    double LastTime = 0;
    double TmpMS = 0;
    double NumTicks = 0;
    double LastNumTicks = 0;
    // Milliseconds per tick, known from the start so no conversion ever divides by zero.
    float MS = 5.0f;
    float DeltaMultiplier = 1.0f;
    float FullDelta = 0.0f;
    int Threshold = 50;
    int JitterCorrection = 1;
    int HistorySize = 1;
    int HistorySizeMax = 50;
    std::vector<int> History;
    int HistoryCounter = 0;
    int First = 0;
    int FirstMax = 5;
    int IgnoreHistoryOnSpeedChange = 1;

    void Init() override;
    void Create();
    void CalcMS();
    void SetThreshold(int ms);
    void Calc();
    void SetDelta(float d);
    void SetDefaultFramerate(int rate);
    void HistoryClear();
};
