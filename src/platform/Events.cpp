// SDL events in, framework events out.
#include "platform/Events.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <deque>
#include <functional>

#include "platform/Clock.h"
#include "platform/Keys.h"

namespace {

struct Polled {
    std::array<int, 256> keyHits{};
    std::array<int, 256> keyDowns{};
    std::deque<int> chars;
    std::array<int, 4> mouseHits{};
    std::array<int, 4> mouseDowns{};
    int x = 0, y = 0, z = 0;
};

std::deque<TEvent>& Queue() {
    static std::deque<TEvent> queue;
    return queue;
}

Polled& State() {
    static Polled polled;
    return polled;
}

bool ValidKey(int key) {
    return key >= 0 && key < 256;
}
bool ValidButton(int button) {
    return button >= 1 && button <= 3;
}

// Keeps the polled view in step with every event that enters the queue.
void Track(const TEvent& e) {
    Polled& p = State();
    switch (e.id) {
        case EVENT_KEYDOWN:
            if (ValidKey(e.data)) {
                p.keyDowns[size_t(e.data)] = 1;
                ++p.keyHits[size_t(e.data)];
            }
            break;
        case EVENT_KEYUP:
            if (ValidKey(e.data)) p.keyDowns[size_t(e.data)] = 0;
            break;
        case EVENT_KEYCHAR:
            if (p.chars.size() < 256) p.chars.push_back(e.data);
            break;
        case EVENT_MOUSEDOWN:
            if (ValidButton(e.data)) {
                p.mouseDowns[size_t(e.data)] = 1;
                ++p.mouseHits[size_t(e.data)];
            }
            break;
        case EVENT_MOUSEUP:
            if (ValidButton(e.data)) p.mouseDowns[size_t(e.data)] = 0;
            break;
        case EVENT_MOUSEMOVE:
            p.x = e.x;
            p.y = e.y;
            break;
        case EVENT_MOUSEWHEEL:
            p.z += e.data;
            break;
        default:
            break;
    }
}

void Emit(int id, int data, int x = 0, int y = 0) {
    PostEvent(TEvent{id, data, x, y});
}

// Windows numbers the buttons left, right, middle; SDL left, middle, right.
int ButtonFromSDL(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return 1;
        case SDL_BUTTON_RIGHT:
            return 2;
        case SDL_BUTTON_MIDDLE:
            return 3;
        default:
            return 0;
    }
}

// Characters that Windows delivers as typed characters although they are control keys.
int ControlCharacter(int key) {
    switch (key) {
        case KEY_BACKSPACE:
        case KEY_TAB:
        case KEY_ENTER:
        case KEY_ESCAPE:
            return key;
        default:
            return 0;
    }
}

void EmitText(const char* text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    while (*s) {
        int length = *s < 0x80 ? 1 : (*s >> 5) == 0x6 ? 2 : (*s >> 4) == 0xe ? 3 : (*s >> 3) == 0x1e ? 4 : 0;
        if (length == 0) {
            ++s;
            continue;
        }
        int code = length == 1 ? *s : *s & (0x7f >> length);
        int i = 1;
        for (; i < length && (s[i] & 0xc0) == 0x80; ++i) code = (code << 6) | (s[i] & 0x3f);
        if (i == length) Emit(EVENT_KEYCHAR, code);
        s += i;
    }
}

// ---- stream refill timer ----
// The timer thread only posts; the refill runs where the events are handled, on the main thread.

std::atomic<Uint32> refillEvent{0};
std::atomic<bool> refillPending{false};

std::function<void()>& RefillHandler() {
    static std::function<void()> handler;
    return handler;
}

Uint32 RefillTick(Uint32 interval, void*) {
    // One event at a time: a loop that pumps nothing must not find hundreds queued when it does.
    if (!refillPending.exchange(true)) {
        SDL_Event e{};
        e.type = refillEvent.load();
        if (SDL_PushEvent(&e) != 1) refillPending = false;
    }
    return interval;
}

bool IsRefill(const SDL_Event& e) {
    Uint32 type = refillEvent.load();
    return type != 0 && e.type == type;
}

void Translate(const SDL_Event& e) {
    if (IsRefill(e)) {
        refillPending = false;
        if (RefillHandler()) RefillHandler()();
        return;
    }
    switch (e.type) {
        case SDL_QUIT:
            Emit(EVENT_APPTERMINATE, 0);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) Emit(EVENT_APPTERMINATE, 0);
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) Emit(EVENT_APPSUSPEND, 0);
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) Emit(EVENT_APPRESUME, 0);
            if (e.window.event == SDL_WINDOWEVENT_ENTER) Emit(EVENT_MOUSEENTER, 0);
            if (e.window.event == SDL_WINDOWEVENT_LEAVE) Emit(EVENT_MOUSELEAVE, 0);
            break;
        case SDL_KEYDOWN: {
            int key = VirtualKeyFromSDL(e.key.keysym.sym, e.key.keysym.scancode);
            if (key < 0) break;
            if (!e.key.repeat) Emit(EVENT_KEYDOWN, key);
            if (int c = ControlCharacter(key)) Emit(EVENT_KEYCHAR, c);
            break;
        }
        case SDL_KEYUP: {
            int key = VirtualKeyFromSDL(e.key.keysym.sym, e.key.keysym.scancode);
            if (key >= 0) Emit(EVENT_KEYUP, key);
            break;
        }
        case SDL_TEXTINPUT:
            EmitText(e.text.text);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (int b = ButtonFromSDL(e.button.button))
                Emit(e.type == SDL_MOUSEBUTTONDOWN ? EVENT_MOUSEDOWN : EVENT_MOUSEUP, b, e.button.x,
                     e.button.y);
            break;
        case SDL_MOUSEMOTION:
            Emit(EVENT_MOUSEMOVE, 0, e.motion.x, e.motion.y);
            break;
        case SDL_MOUSEWHEEL: {
            int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            if (steps != 0) Emit(EVENT_MOUSEWHEEL, steps);
            break;
        }
        default:
            break;
    }
}

}  // namespace

bool EventsStartup() {
    return SDL_WasInit(SDL_INIT_EVENTS) || SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

void PollSystem() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) Translate(e);
}

bool PollEvent(TEvent& event) {
    if (Queue().empty()) PollSystem();
    if (Queue().empty()) return false;
    event = Queue().front();
    Queue().pop_front();
    return true;
}

void PostEvent(const TEvent& event) {
    Track(event);
    Queue().push_back(event);
}

namespace {

auto FindEvent(int id, int data) {
    return std::find_if(Queue().begin(), Queue().end(),
                        [&](const TEvent& e) { return e.id == id && (data == -1 || e.data == data); });
}

}  // namespace

bool EventPending(int id, int data) {
    return FindEvent(id, data) != Queue().end();
}

bool TakeEvent(int id, int data) {
    const auto found = FindEvent(id, data);
    if (found == Queue().end()) return false;
    Queue().erase(found);
    return true;
}

void FlushEvents() {
    PollSystem();
    Queue().clear();
}

void WaitForEvent(int ms) {
    if (ms <= 0 || !Queue().empty()) return;
    if (DelayHandlerSet() || !SDL_WasInit(SDL_INIT_EVENTS)) {
        Delay(ms);
        return;
    }
    // A refill is not what the caller waits for: handle it and wait out the rest.
    const Uint64 deadline = SDL_GetTicks64() + Uint64(ms);
    SDL_Event e;
    while (SDL_WaitEventTimeout(&e, ms)) {
        Translate(e);
        if (!IsRefill(e) || !Queue().empty()) return;
        const Uint64 now = SDL_GetTicks64();
        if (now >= deadline) return;
        ms = int(deadline - now);
    }
}

bool SetRefillHandler(std::function<void()> refill) {
    RefillHandler() = std::move(refill);
    static SDL_TimerID timer = 0;
    if (timer != 0) return true;
    if (!EventsStartup() || (!SDL_WasInit(SDL_INIT_TIMER) && SDL_InitSubSystem(SDL_INIT_TIMER) != 0))
        return false;
    if (refillEvent.load() == 0) {
        Uint32 type = SDL_RegisterEvents(1);
        if (type == Uint32(-1)) return false;
        refillEvent = type;
    }
    timer = SDL_AddTimer(RefillIntervalMs, RefillTick, nullptr);
    return timer != 0;
}

int PolledKeyHit(int key) {
    if (!ValidKey(key)) return 0;
    int hits = State().keyHits[size_t(key)];
    State().keyHits[size_t(key)] = 0;
    return hits;
}

int PolledKeyDown(int key) {
    return ValidKey(key) ? State().keyDowns[size_t(key)] : 0;
}

int PolledFirstKeyHit() {
    const auto& hits = State().keyHits;
    for (size_t key = 0; key < hits.size(); ++key)
        if (hits[key] == 1) return int(key);
    return -1;
}

int PolledAnyKeyHit() {
    return PolledFirstKeyHit() >= 0 ? 1 : 0;
}

void PolledClearKey(int key) {
    if (!ValidKey(key)) return;
    State().keyHits[size_t(key)] = 0;
    State().keyDowns[size_t(key)] = 0;
}

int PolledGetChar() {
    if (State().chars.empty()) return 0;
    int c = State().chars.front();
    State().chars.pop_front();
    return c;
}

void PolledFlushKeys() {
    State().keyHits.fill(0);
    State().keyDowns.fill(0);
    State().chars.clear();
}

int PolledMouseHit(int button) {
    if (!ValidButton(button)) return 0;
    int hits = State().mouseHits[size_t(button)];
    State().mouseHits[size_t(button)] = 0;
    return hits;
}

int PolledMouseDown(int button) {
    return ValidButton(button) ? State().mouseDowns[size_t(button)] : 0;
}
int PolledMouseX() {
    return State().x;
}
int PolledMouseY() {
    return State().y;
}
int PolledMouseZ() {
    return State().z;
}

void PolledFlushMouse() {
    State().mouseHits.fill(0);
    State().mouseDowns.fill(0);
}

int VirtualKeyFromSDL(int keycode, int scancode) {
    // Letters follow the layout, as Windows' letter keys do; the digit row and the keypad follow
    // the key's position, so AZERTY's digit row still gives digits.
    if (keycode >= SDLK_a && keycode <= SDLK_z) return KEY_A + (keycode - SDLK_a);
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return KEY_A + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return KEY_0 + 1 + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0) return KEY_0;
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return KEY_NUM0 + 1 + (scancode - SDL_SCANCODE_KP_1);
    if (scancode == SDL_SCANCODE_KP_0) return KEY_NUM0;
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return KEY_F1 + (keycode - SDLK_F1);
    switch (scancode) {
        case SDL_SCANCODE_KP_MULTIPLY:
            return KEY_NUMMULTIPLY;
        case SDL_SCANCODE_KP_PLUS:
            return KEY_NUMADD;
        case SDL_SCANCODE_KP_MINUS:
            return KEY_NUMSUBTRACT;
        case SDL_SCANCODE_KP_PERIOD:
            return KEY_NUMDECIMAL;
        case SDL_SCANCODE_KP_DIVIDE:
            return KEY_NUMDIVIDE;
        case SDL_SCANCODE_KP_ENTER:
            return KEY_ENTER;
        case SDL_SCANCODE_SEMICOLON:
            return KEY_SEMICOLON;
        case SDL_SCANCODE_EQUALS:
            return KEY_EQUALS;
        case SDL_SCANCODE_COMMA:
            return KEY_COMMA;
        case SDL_SCANCODE_MINUS:
            return KEY_MINUS;
        case SDL_SCANCODE_PERIOD:
            return KEY_PERIOD;
        case SDL_SCANCODE_SLASH:
            return KEY_SLASH;
        case SDL_SCANCODE_GRAVE:
            return KEY_TILDE;
        case SDL_SCANCODE_LEFTBRACKET:
            return KEY_OPENBRACKET;
        case SDL_SCANCODE_BACKSLASH:
            return KEY_BACKSLASH;
        case SDL_SCANCODE_RIGHTBRACKET:
            return KEY_CLOSEBRACKET;
        case SDL_SCANCODE_APOSTROPHE:
            return KEY_QUOTES;
        default:
            break;
    }
    switch (keycode) {
        case SDLK_BACKSPACE:
            return KEY_BACKSPACE;
        case SDLK_TAB:
            return KEY_TAB;
        case SDLK_CLEAR:
            return KEY_CLEAR;
        case SDLK_RETURN:
            return KEY_ENTER;
        case SDLK_PAUSE:
            return KEY_PAUSE;
        case SDLK_CAPSLOCK:
            return KEY_CAPSLOCK;
        case SDLK_ESCAPE:
            return KEY_ESCAPE;
        case SDLK_SPACE:
            return KEY_SPACE;
        case SDLK_PAGEUP:
            return KEY_PAGEUP;
        case SDLK_PAGEDOWN:
            return KEY_PAGEDOWN;
        case SDLK_END:
            return KEY_END;
        case SDLK_HOME:
            return KEY_HOME;
        case SDLK_LEFT:
            return KEY_LEFT;
        case SDLK_UP:
            return KEY_UP;
        case SDLK_RIGHT:
            return KEY_RIGHT;
        case SDLK_DOWN:
            return KEY_DOWN;
        case SDLK_PRINTSCREEN:
            return KEY_PRINTSCREEN;
        case SDLK_INSERT:
            return KEY_INSERT;
        case SDLK_DELETE:
            return KEY_DELETE;
        case SDLK_LGUI:
            return KEY_LWIN;
        case SDLK_RGUI:
            return KEY_RWIN;
        case SDLK_NUMLOCKCLEAR:
            return KEY_NUMLOCK;
        case SDLK_SCROLLLOCK:
            return KEY_SCROLLLOCK;
        case SDLK_LSHIFT:
            return KEY_LSHIFT;
        case SDLK_RSHIFT:
            return KEY_RSHIFT;
        case SDLK_LCTRL:
            return KEY_LCONTROL;
        case SDLK_RCTRL:
            return KEY_RCONTROL;
        case SDLK_LALT:
            return KEY_LALT;
        case SDLK_RALT:
            return KEY_RALT;
        default:
            return -1;
    }
}
