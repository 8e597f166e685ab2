// TFlasher: switches a state on and off at set lengths for a set total time, optionally after a
// delay, playing a sound each time it turns on (a blinking warning or a flashing item).
// Part of the framework; nothing in this game uses it (its tests do).
#pragma once

#include <memory>

class TGameSound;

class TFlasher {
  public:
    std::shared_ptr<TGameSound> FlashSound;
    int FlashState = 1;
    float AnimCounter = 0;  // ticks left of the whole flashing
    int DelayEnd = 0;       // flashing starts once AnimCounter is at or below this
    float FlashCounter = 0;
    int OnLength = 0, OffLength = 0;

    static std::unique_ptr<TFlasher> Create(int totalMs, int onMs, int offMs, int delayMs);
    // 1 once the flashing is over.
    int Manage();
    void PlayFlashSound();
    void SetToOff();
};
