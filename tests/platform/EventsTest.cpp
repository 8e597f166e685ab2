// SDL events arrive as the framework's ids, virtual-key codes and Windows button numbers.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/Events.h"
#include "platform/Keys.h"

namespace {

class EventsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(EventsStartup());
        FlushEvents();
        PolledFlushKeys();
        PolledFlushMouse();
    }

    static void PushKey(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, bool repeat = false) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        e.key.repeat = repeat ? 1 : 0;
        SDL_PushEvent(&e);
    }

    static void PushButton(Uint32 type, Uint8 button, int x, int y) {
        SDL_Event e{};
        e.type = type;
        e.button.button = button;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }

    static std::vector<TEvent> Drain() {
        std::vector<TEvent> events;
        TEvent e;
        while (PollEvent(e)) events.push_back(e);
        return events;
    }
};

TEST_F(EventsTest, KeysBecomeVirtualKeyCodesLettersByLayoutDigitsByPosition) {
    struct Case {
        SDL_Keycode sym;
        SDL_Scancode scancode;
        int vk;
    };
    const Case cases[] = {
        {SDLK_KP_9, SDL_SCANCODE_KP_9, 105},
        {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, -1},
        // On AZERTY the key in the Q position types "a"; the digit row types symbols but means
        // digits; a non-Latin layout still gives the key's letter.
        {SDLK_a, SDL_SCANCODE_Q, 65},
        {SDLK_AMPERSAND, SDL_SCANCODE_1, 49},
        {0x0444, SDL_SCANCODE_A, 65},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromSDL(c.sym, c.scancode), c.vk) << c.sym << " " << c.scancode;
}

TEST_F(EventsTest, KeysControlCharactersAndTypedText) {
    PushKey(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    PushKey(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, true);
    PushKey(SDL_KEYUP, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    auto events = Drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].id, EVENT_KEYCHAR);
    EXPECT_EQ(events[1].data, 8);
    // A held key repeats its character but not its key-down.
    EXPECT_EQ(events[2].id, EVENT_KEYCHAR);
    EXPECT_EQ(events[3].id, EVENT_KEYUP);
    // Typed text becomes one character per code point.
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, "a\xC3\xA9\xE2\x82\xAC", sizeof e.text.text);  // a, e-acute, euro
    SDL_PushEvent(&e);
    events = Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2].data, 0x20AC);
}

TEST_F(EventsTest, MouseButtonsAreNumberedLeftRightMiddle) {
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 20);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 10, 20);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 10, 20);
    auto events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].data, 2);
    EXPECT_EQ(events[1].data, 3);
    EXPECT_EQ(PolledMouseHit(3), 1);
    EXPECT_EQ(PolledMouseHit(3), 0);
}

TEST_F(EventsTest, WindowWheelAndPolledKeys) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&focus);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -2;
    SDL_PushEvent(&wheel);
    auto events = Drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].id, EVENT_APPTERMINATE);
    EXPECT_EQ(events[1].id, EVENT_APPSUSPEND);
    EXPECT_EQ(events[2].id, EVENT_APPRESUME);
    EXPECT_EQ(events[3].data, -2);
    PostEvent(TEvent{EVENT_KEYDOWN, 300, 0, 0});
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_A, 0, 0});
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_A, 0, 0});
    EXPECT_EQ(PolledKeyHit(KEY_A), 2);
    EXPECT_EQ(PolledKeyHit(KEY_A), 0);
    EXPECT_EQ(PolledKeyHit(300), 0);
}

// The refill timer's events run the handler wherever events are pumped, reach no one else, never
// pile up while nobody pumps, and do not cut a wait for input short (an idle frame would otherwise
// be redrawn 120 times a second). Real time: about half a second.
TEST_F(EventsTest, RefillTimerRunsTheHandlerInEveryPumpAndNeverWakesAWait) {
    int refills = 0;
    ASSERT_TRUE(SetRefillHandler([&] { ++refills; }));
    SDL_Delay(100);  // nobody pumps: at most one refill waits
    PollSystem();
    EXPECT_LE(refills, 1);
    const int before = refills;
    const Uint64 start = SDL_GetTicks64();
    WaitForEvent(200);
    EXPECT_GE(SDL_GetTicks64() - start, 195u);
    EXPECT_GT(refills, before);
    TEvent e;
    EXPECT_FALSE(PollEvent(e));
    SetRefillHandler(nullptr);
    SDL_Delay(50);
    PollSystem();
}

// A waiting event can be looked for without taking anything, and one can be taken out of the middle
// of the queue, the others keeping their order (a long engine run looks for the player's quit or
// Escape this way).
TEST_F(EventsTest, EventsAreFoundAndTakenOutOfTheQueueInPlace) {
    PostEvent(TEvent{EVENT_MOUSEMOVE, 0, 5, 6});
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_ESCAPE, 0, 0});
    PostEvent(TEvent{EVENT_KEYDOWN, KEY_A, 0, 0});
    PostEvent(TEvent{EVENT_APPTERMINATE, 0, 0, 0});
    EXPECT_TRUE(EventPending(EVENT_APPTERMINATE));
    EXPECT_TRUE(EventPending(EVENT_KEYDOWN, KEY_A));
    EXPECT_FALSE(EventPending(EVENT_KEYDOWN, KEY_A + 1));
    EXPECT_FALSE(TakeEvent(EVENT_KEYUP));
    EXPECT_TRUE(TakeEvent(EVENT_KEYDOWN, KEY_ESCAPE));
    EXPECT_FALSE(EventPending(EVENT_KEYDOWN, KEY_ESCAPE));
    const auto events = Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].id, EVENT_MOUSEMOVE);
    EXPECT_EQ(events[1].data, KEY_A);
    EXPECT_EQ(events[2].id, EVENT_APPTERMINATE);
}

}  // namespace
