// Input conveniences. The waits poll the system between checks so the window stays responsive,
// and sleep through the platform clock so tests can drive them without real time passing.
#include "core/InputUtils.h"

#include "core/Input.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Window.h"

int SystemPointerShown = 0;

bool AnyKeyHit() {
    bool hit = false;
    for (int key = 0; key < KeyBufferSize; ++key) {
        if (GameKeyHit(key)) hit = true;
    }
    return hit;
}

int MouseHitCount() {
    return PolledMouseHit(1) + PolledMouseHit(2) + PolledMouseHit(3);
}
int MouseDownCount() {
    return PolledMouseDown(1) + PolledMouseDown(2) + PolledMouseDown(3);
}
bool AnyMouseHit() {
    return MouseHitCount() > 0;
}
bool AnyMouseDown() {
    return MouseDownCount() > 0;
}

bool AnyInputHit() {
    // Both are asked, so a key hit and a click pending together are both consumed.
    bool key = AnyKeyHit();
    bool mouse = AnyMouseHit();
    return key || mouse;
}

bool CtrlDown() {
    return GameKeyDown(162) || GameKeyDown(163);
}
bool ShiftDown() {
    return GameKeyDown(160) || GameKeyDown(161);
}

void EnablePolledInputSafe() {
    PolledInputOn = 1;
}

void DisablePolledInputSafe() {
    PolledInputOn = 0;
    FlushEvents();
}

namespace {

// Moves pending events into the key buffer and the polled state.
void PumpInput() {
    PollSystem();
    TEvent event;
    while (PollEvent(event)) {
        if (event.id == EVENT_KEYDOWN)
            KeyBufferKeyDown(event.data);
        else if (event.id == EVENT_KEYUP)
            KeyBufferKeyUp(event.data);
        else if (event.id == EVENT_KEYCHAR)
            KeyBufferChar(event.data);
    }
}

}  // namespace

void WaitForInput() {
    FlushInput();
    for (;;) {
        PumpInput();
        if (AnyInputHit()) break;
        Delay(10);
    }
    FlushInput();
}

int WaitOrInput(int milliseconds) {
    int start = MilliSecs();
    for (;;) {
        PumpInput();
        if (AnyInputHit()) return -1;
        if (MilliSecs() - start >= milliseconds) return 0;
        Delay(10);
    }
}

void ManageSystemPointer() {
    TEvent event;
    if (!PollEvent(event)) return;
    if (event.id == EVENT_MOUSELEAVE) {
        ShowMouse();
        SystemPointerShown = 1;
    } else if (event.id == EVENT_MOUSEENTER) {
        HideMouse();
        SystemPointerShown = 0;
    }
}

void StopChannelSafe(const std::shared_ptr<TChannel>& channel) {
    if (channel) channel->Stop();
}
