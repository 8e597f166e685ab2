// Frame pacing arithmetic: how long to sleep after a flip.
#include "core/FramePacer.h"

#include <algorithm>
#include <cmath>

TFramePacer::TPace TFramePacer::AfterFlip(double now, int refreshRate, bool sync, bool idle,
                                          int minimumSleep) {
    const int rate = refreshRate > 0 ? refreshRate : DefaultRefreshRate;
    const double refresh = 1000.0 / rate;
    const double interval = idle ? 1000.0 / std::min(rate, IdleFrameRate) : refresh;
    TPace pace;
    if (frameStart_ < 0.0 || now < frameStart_) frameStart_ = now;  // first frame, or the clock went back
    // The next frame keeps the rhythm of the refresh (fractions of a millisecond carried over), but a
    // frame that came late is not made up for by hurrying the next ones.
    due_ = std::max(frameStart_ + interval, now);
    double earliest = sync ? std::max(frameStart_ + refresh, now) : now;
    pace.Sleep = std::max(int(std::ceil(earliest - now)), minimumSleep);
    if (idle) pace.WaitForInput = std::max(0, int(std::ceil(due_ - now)) - pace.Sleep);
    return pace;
}

void TFramePacer::FrameStart(double now) {
    // A wait that ran its course starts the next frame at the exact due time, so rounding sleeps to
    // whole milliseconds never adds up; a wait cut short by input starts it now.
    frameStart_ = (due_ >= 0.0 && now >= due_) ? due_ : now;
}
