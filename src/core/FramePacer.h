// Frame pacing for the main loop (TGame::PostDraw owns one). A flip with vertical sync does not
// always wait for the vertical blank (virtual X servers, some compositors, sync switched off in the
// driver); then nothing would hold the loop back and it would draw thousands of frames a second.
// The pacer turns the time after a flip into a sleep: with sync on, no frame follows the previous
// one sooner than one display refresh; an idle picture (paused or suspended, logic halted) is
// redrawn only IdleFrameRate times a second, waiting for input in between. The fixed-rate logic
// does not notice: it measures whatever time the frames take.
#pragma once

class TFramePacer {
  public:
    // Refresh rate assumed when the display mode does not report one.
    static constexpr int DefaultRefreshRate = 60;
    // Frames per second of an unchanged picture while paused or suspended: input wakes the loop at
    // once, so the redraws only keep the window's contents fresh. A software renderer spends about
    // 20 ms on a full-screen frame, so ten a second would already cost a fifth of a core.
    static constexpr int IdleFrameRate = 4;

    struct TPace {
        int Sleep = 0;         // sleep this long, whatever happens
        int WaitForInput = 0;  // then wait up to this long, ending early when input arrives
    };

    // Called after the flip of a frame at `now` (milliseconds). refreshRate <= 0 counts as
    // DefaultRefreshRate; sync is whether frames are paced to the refresh at all; minimumSleep is
    // the sleep every frame takes to give the system time.
    TPace AfterFlip(double now, int refreshRate, bool sync, bool idle, int minimumSleep);
    // Called when the sleep and wait are over, at `now`.
    void FrameStart(double now);

  private:
    double frameStart_ = -1.0;  // when the current frame was allowed to start
    double due_ = -1.0;         // when the next frame is due
};
