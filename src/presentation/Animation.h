// TAnimation: a tick-driven phase counter. A duration in milliseconds becomes a float counter over
// logic ticks, run through one or more phases once, a number of times or for ever, optionally back
// and forth; owners read a progress ratio (linear or eased) or a frame index from it.
//
// The phase table has a fixed capacity (MAX_PHASES); phases beyond it are refused.
//
// Used by the dialogs, the fades and slide lines, the generating overlay and the game's helpers.
#pragma once

#include <array>
#include <memory>

class TAnimation {
  public:
    static constexpr int MAX_PHASES = 50;

    int Active = 0;
    int LoopTotal = 0;
    float Counter = 0.0f;
    int CurrentPhase = 0;
    int Finished = 0;
    int TotalPhases = 1;
    int Cycle = 0;
    int Direction = 1;
    std::array<float, MAX_PHASES> Length{};
    int LeaveActive = 0;
    int PingPong = 0;
    int Reverse = 0;
    int OriginalReverse = 0;
    int LoopCount = 0;

    virtual ~TAnimation() = default;

    // Appends a phase; returns 0, or -1 when the table is full (nothing changes then).
    int AddPhase(int ms);
    static std::shared_ptr<TAnimation> Create(int ms, int leaveActive, int reverse, int cycle, int pingPong);
    int Clear();
    int EndAnim();
    int GetAnimFrame(int frames) const;
    int GetAnimFrameProper(int frames) const;
    // Counter / length of the running phase; a phase of no length counts as ended (0 counting down, 1 up).
    float GetRatio() const;
    float GetRatioSine() const;
    float GetRatioSine180() const;
    float GetRatioInv() const;
    float GetRatioInvSine() const;
    float GetRatioInvSine180() const;
    int Init(int ms, int leaveActive, int reverse, int cycle, int pingPong);
    // Inserts a phase at index (clamped to 0 .. TotalPhases); -1 when the table is full.
    int InsertPhase(int ms, int index);
    virtual int Manage();
    int Reset();
    int Start();
    int Stop();

  private:
    float PhaseLength() const;
};
