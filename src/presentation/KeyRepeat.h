// TKeyRepeat: auto-repeat for one held key, read from the framework's key buffer. A press acts at
// once, again after the initial delay, then once per repeat delay while the key stays down.
// Used by the mouse pointer (held-button repeat) and the list box.
#pragma once

#include <memory>

// The countdowns shared by held keys and held mouse buttons, in logic ticks.
class THeldRepeat {
  public:
    int InitialDelayLength = 0;
    float InitialDelayCounter = 0;
    int DelayLength = 0;
    int DelayCounter = 0;
    int LastState = 0;

    void ClearDelays();
    // One logic call with the input held or not: 1 on the first call of a press, `repeatResult` on each
    // repeat, else 0.
    int Step(bool held, int repeatResult);
};

class TKeyRepeat : public THeldRepeat {
  public:
    static std::unique_ptr<TKeyRepeat> Create(int initialDelayMs, int repeatDelayMs);
    // Once per logic call: 1 when the key should act on this call, else 0.
    int GetKey(int key);
};
