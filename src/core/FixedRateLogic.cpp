// The fixed-rate timer: frame time in, logic ticks out.
#include "core/FixedRateLogic.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/Game.h"
#include "platform/Clock.h"
#include "platform/Window.h"

float Delta = 1.0f;

void TFixedRateLogic::Init() {
    CalcMS();
    LastTime = MilliSecs();
    NumTicks = 0;
    LastNumTicks = 1.0;
    SetDelta(1.0f);
    TTrackingVar::Init();
    First = FirstMax;
}

void TFixedRateLogic::Create() {
    History.assign(size_t(std::max(HistorySizeMax, 1)), 0);
}

void TFixedRateLogic::CalcMS() {
    int rate = int(Framerate);
    MS = rate > 0 ? 1000.0f / float(rate) : 1000.0f;
}

void TFixedRateLogic::SetThreshold(int ms) {
    Threshold = ms;
}

void TFixedRateLogic::Calc() {
    if (Game && Game->Fast) {
        NumTicks = 1.0;
        Current = 1;
        return;
    }
    int wx = 0, wy = 0;
    if (Game && WindowPosition(wx, wy) && (wx != Game->WindowX || wy != Game->WindowY)) {
        // A moved window must not count as elapsed time.
        Init();
        Game->SetWindowCoords();
        Game->SetClientCoords();
    }
    double now = MilliSecs();
    if (now < LastTime) {
        NumTicks = LastNumTicks;
    } else {
        TmpMS = std::min(now - LastTime, double(Threshold));
        double average = TmpMS;
        if (First > 0) {
            --First;
        } else if (!History.empty()) {
            History[size_t(HistoryCounter)] = int(TmpMS);
            average =
                double(std::accumulate(History.begin(), History.begin() + HistorySize, 0)) / HistorySize;
            ++HistoryCounter;
            if (HistorySize < std::min(HistorySizeMax, int(History.size()))) ++HistorySize;
            if (HistoryCounter >= HistorySize) HistoryCounter = 0;
        }
        if (JitterCorrection) {
            if (IgnoreHistoryOnSpeedChange && Game && Game->VSync == 1 && std::fabs(TmpMS - average) > 1.0)
                average = TmpMS;
            NumTicks = average / MS;
        } else {
            NumTicks = TmpMS / MS;
        }
    }
    LastTime = now;
    LastNumTicks = NumTicks;
    if (NumTicks > maximum) maximum = int(NumTicks);
    Current = int(NumTicks);
}

void TFixedRateLogic::SetDelta(float d) {
    FullDelta = d;
    Delta = d * DeltaMultiplier;
}

void TFixedRateLogic::SetDefaultFramerate(int rate) {
    FramerateDefault = rate;
    Framerate = float(rate);
}

void TFixedRateLogic::HistoryClear() {
    std::fill(History.begin(), History.begin() + std::min(HistorySize, int(History.size())), 0);
    HistorySize = 1;
    HistoryCounter = 0;
}
