// TKeyRepeat: auto-repeat for one held key, read from the framework's key buffer. A press acts at
// once, again after the initial delay, then once per repeat delay while the key stays down.
#pragma once

#include <memory>

class TKeyRepeat {
  public:
    int InitialDelayLength = 0;
    float InitialDelayCounter = 0;
    int DelayLength = 0;
    int DelayCounter = 0;
    int LastState = 0;

    void ClearDelays();
    static std::unique_ptr<TKeyRepeat> Create(int initialDelayMs, int repeatDelayMs);
    // Once per logic call: 1 when the key should act on this call, else 0.
    int GetKey(int key);
};
