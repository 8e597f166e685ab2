// Input conveniences over the framework key buffer and the platform mouse: "any key", "any
// button", modifier keys, waiting for input, the polled-input switch and the system pointer.
// Used by the game's maker splash (waiting for a key or click).
#pragma once

#include <memory>

class TChannel;

// Non-zero while the system mouse pointer is shown because the mouse has left the window.
extern int SystemPointerShown;

// True when a hit is pending for any key code 0-255; every pending hit is consumed.
bool AnyKeyHit();
bool AnyMouseHit();
bool AnyMouseDown();
int MouseHitCount();
int MouseDownCount();
bool AnyInputHit();
// Key 162 or 163 (left or right Ctrl) held; key 160 or 161 (Shift).
bool CtrlDown();
bool ShiftDown();

// Switch the platform's polled input on or off and record it in PolledInputOn; switching off
// also drains the pending events.
void EnablePolledInputSafe();
void DisablePolledInputSafe();

// Flush, wait until a key or mouse button is hit, flush.
void WaitForInput();
// Waits until milliseconds have passed (0) or a key or button is hit (-1).
int WaitOrInput(int milliseconds);

// Takes one event from the platform's queue: the mouse leaving the window (EVENT_MOUSELEAVE) shows the
// system pointer, its coming back (EVENT_MOUSEENTER) hides it again.
void ManageSystemPointer();

// Stops the channel unless it is null.
void StopChannelSafe(const std::shared_ptr<TChannel>& channel);
