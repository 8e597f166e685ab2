// Input conveniences over the key buffer: hits are consumed once, modifiers read either key, and
// the timed wait returns on input without waiting for the clock; the system pointer follows the
// mouse out of the window and back.
#include <SDL.h>
#include <gtest/gtest.h>

#include "core/Input.h"
#include "core/InputUtils.h"
#include "platform/Clock.h"
#include "platform/Events.h"

namespace {

class InputUtilsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FlushInput();
        FlushEvents();
    }
    void TearDown() override {
        SetClockSource(nullptr);
        SetDelayHandler(nullptr);
        FlushInput();
    }
};

}  // namespace

TEST_F(InputUtilsTest, AnyKeyHitConsumesEveryHitAndModifiersReadEitherKey) {
    KeyBufferKeyDown(65);
    KeyBufferKeyUp(65);
    KeyBufferKeyDown(255);
    EXPECT_TRUE(AnyKeyHit());
    EXPECT_FALSE(AnyKeyHit());
    KeyBufferKeyDown(163);  // the right Ctrl key
    EXPECT_TRUE(CtrlDown());
}

TEST_F(InputUtilsTest, WaitOrInputTimesOutOnTheInjectedClockOrReturnsOnAKey) {
    int now = 0;
    SetClockSource([&now] { return now; });
    SetDelayHandler([&now](int ms) { now += ms; });
    EXPECT_EQ(WaitOrInput(100), 0);
    now = 0;
    PostEvent({EVENT_KEYDOWN, 32, 0, 0});
    EXPECT_EQ(WaitOrInput(100000), -1);
    EXPECT_LT(now, 100);
}

// The window's own leave and enter notices come up through the platform's event pump.
TEST_F(InputUtilsTest, TheSystemPointerShowsWhileTheMouseIsOutsideTheWindow) {
    ASSERT_TRUE(EventsStartup());
    SDL_Event crossing{};
    crossing.type = SDL_WINDOWEVENT;
    crossing.window.event = SDL_WINDOWEVENT_LEAVE;
    SDL_PushEvent(&crossing);
    ManageSystemPointer();
    EXPECT_EQ(SystemPointerShown, 1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    crossing.window.event = SDL_WINDOWEVENT_ENTER;
    SDL_PushEvent(&crossing);
    ManageSystemPointer();
    EXPECT_EQ(SystemPointerShown, 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}
