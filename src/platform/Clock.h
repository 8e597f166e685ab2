// The millisecond clock and sleeping, with a seam through which tests drive time by hand.
// Used by the core's timing and main loop and by the game wherever it measures real time.
#pragma once

#include <functional>

// Milliseconds since the clock's start (steady, 1 ms resolution), or the injected source's value.
int MilliSecs();

// Sleeps ms milliseconds; with an injected sleeper that is called instead.
void Delay(int ms);

// Replaces the time source and the sleeper; an empty function restores the real one. Tests use
// it so no test ever waits for the wall clock.
void SetClockSource(std::function<int()> now);
void SetDelayHandler(std::function<void(int)> sleep);
// True while a sleeper is injected (waits elsewhere in the platform then go through Delay too).
bool DelayHandlerSet();
