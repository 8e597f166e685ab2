// The platform's event queue: SDL events translated into the ids and codes the core handles.
//
// Keys arrive as Windows virtual-key codes (platform/Keys.h), mouse buttons as 1 left, 2 right,
// 3 middle, typed text as one character event per Unicode code point; Backspace, Tab, Enter and
// Escape also enter the character queue, as they do on Windows. Mouse positions are logical pixels.
// Tests feed the queue through PostEvent.
//
// Drained by the core's input handling (TGame::DoPeekEvent); the board model keeps the window alive
// through PollSystem while the engine runs.
#pragma once

#include <functional>

enum : int {
    EVENT_APPSUSPEND = 0x101,
    EVENT_APPRESUME = 0x102,
    EVENT_APPTERMINATE = 0x103,
    EVENT_KEYDOWN = 0x201,
    EVENT_KEYUP = 0x202,
    EVENT_KEYCHAR = 0x203,
    EVENT_MOUSEDOWN = 0x401,
    EVENT_MOUSEUP = 0x402,
    EVENT_MOUSEMOVE = 0x403,
    EVENT_MOUSEWHEEL = 0x404,
    EVENT_MOUSEENTER = 0x405,  // the mouse came into the window
    EVENT_MOUSELEAVE = 0x406,  // the mouse left the window
};

struct TEvent {
    int id = 0;
    int data = 0;  // key code, character, mouse button or wheel steps
    int x = 0;
    int y = 0;
};

// Starts SDL's event handling (which also turns SIGINT and SIGTERM into a close request).
bool EventsStartup();

// Moves everything the system has delivered into the queue.
void PollSystem();
// Takes the oldest event; when the queue is empty the system is polled once first.
bool PollEvent(TEvent& event);
void PostEvent(const TEvent& event);
// Whether an event with this id (and this data, unless data is -1) waits in the queue; nothing is
// taken and the system is not polled.
bool EventPending(int id, int data = -1);
// Takes the oldest such event from the queue, leaving the others in their order; false when none
// waits.
bool TakeEvent(int id, int data = -1);
void FlushEvents();
// Sleeps up to ms milliseconds, returning as soon as the system delivers an event (which then waits
// in the queue) or at once when the queue holds one. With an injected sleeper (SetDelayHandler) the
// sleeper is called instead, so tests never wait.
void WaitForEvent(int ms);

// Streamed audio is topped up wherever events are pumped (PollSystem, PollEvent, WaitForEvent): a
// timer posts a refill event every RefillIntervalMs, never a second one while the first waits, and
// handling it calls the refill handler on the pumping thread. The first call starts the timer (and
// the event system); later calls replace the handler. False when no timer can run.
inline constexpr int RefillIntervalMs = 8;
bool SetRefillHandler(std::function<void()> refill);

// The platform's polled input: key and button states and hit counts kept from the same events,
// consulted by the core only while its polled input is switched on.
int PolledKeyHit(int key);
int PolledKeyDown(int key);
// 1 when some key has exactly one hit pending; the lowest such key code, else -1. Nothing consumed.
int PolledAnyKeyHit();
int PolledFirstKeyHit();
// Forgets the key's pending hits and its held state.
void PolledClearKey(int key);
int PolledGetChar();
void PolledFlushKeys();
int PolledMouseHit(int button);
int PolledMouseDown(int button);
int PolledMouseX();
int PolledMouseY();
int PolledMouseZ();
void PolledFlushMouse();

// Translation of an SDL key (SDL_Keycode and SDL_Scancode values) to a virtual-key code; -1 when
// the key has none.
int VirtualKeyFromSDL(int keycode, int scancode);
