// Per-frame mouse clicks: hold counters, Ctrl turning a left press into a right click, the double-click
// window in time and space, and drags.
#include <gtest/gtest.h>

#include "core/Game.h"
#include "game/QDMouse.h"
#include "presentation/MousePointer.h"

namespace {

// Drives one QDMouse through logic calls 5 ms apart on its own clock.
class Clicks {
  public:
    void Call(int x, int y, bool left, bool right = false, bool ctrl = false) {
        now += 5;
        mouse.Update(x, y, left, right, ctrl, now);
    }
    // A press of one call at (x, y) followed by a release.
    int Press(int x, int y) {
        Call(x, y, true);
        const int doubleClick = mouse.DoubleClick();
        Call(x, y, false);
        return doubleClick;
    }
    // Calls with the button up for ms milliseconds, as the logic runs while nothing is pressed.
    void Idle(int ms) {
        for (int i = 0; i < ms / 5; ++i) Call(mouse.x, mouse.y, false);
    }
    // A stretch without any logic call.
    void Gap(int ms) { now += ms; }

    QDMouse mouse;
    int now = 10000;
};

TEST(QDMouseTest, HoldCountersCountCallsUntilReleaseAndCtrlMakesARightClick) {
    Clicks c;
    c.Call(1, 1, true);
    EXPECT_EQ(c.mouse.LeftClick(), 1);
    c.Call(1, 1, true);
    EXPECT_EQ(c.mouse.LeftClick(), 2);
    EXPECT_EQ(c.mouse.RightClick(), 0);
    c.Call(1, 1, false);
    EXPECT_EQ(c.mouse.LeftClick(), 0);
    c.Call(1, 1, false, true);
    EXPECT_EQ(c.mouse.RightClick(), 1);
    c = Clicks();
    c.Call(5, 5, true, false, true);
    EXPECT_EQ(c.mouse.RightClick(), 1);
    EXPECT_EQ(c.mouse.LeftClick(), 0);
    c.Call(5, 5, true, false, true);
    EXPECT_EQ(c.mouse.RightClick(), 2);
}

TEST(QDMouseTest, DoubleClickNeedsTheSecondPressSoonAndNearWhateverTheGapsBetweenCalls) {
    Clicks near;
    near.Press(100, 100);
    near.Idle(390);  // the second press comes 400 ms after the first
    EXPECT_EQ(near.Press(110, 100), 1);
    EXPECT_EQ(near.mouse.DoubleClick(), 0);  // only in the press's first call

    Clicks late;
    late.Press(100, 100);
    late.Idle(590);
    EXPECT_EQ(late.Press(110, 100), 0);

    Clicks far;
    far.Press(100, 100);
    EXPECT_EQ(far.Press(130, 100), 0);  // exactly 30 pixels is outside
    EXPECT_EQ(far.Press(101, 129), 1);
    Clicks c;
    c.Press(50, 50);
    c.Gap(1500);  // e.g. the window was dragged and the logic did not run
    c.Call(50, 50, false);
    EXPECT_GT(c.mouse.DoubleClickCounter, 400.0f);
    EXPECT_EQ(c.Press(50, 50), 1);
}

TEST(QDMouseTest, DragsStartBeyondFourPixels) {
    Clicks c;
    c.Call(10, 10, true);
    EXPECT_EQ(c.mouse.Drag(), 0);  // records the start
    c.Call(12, 12, true);
    EXPECT_EQ(c.mouse.Drag(), 0);  // 2 + 2
    c.Call(13, 12, true);
    EXPECT_EQ(c.mouse.Drag(), 1);  // 3 + 2 > 4
    c.Call(10, 10, false);
    EXPECT_EQ(c.mouse.Drag(), 0);
}

TEST(QDMouseTest, TheGamesPointerFeedsTheClickCounters) {
    Game = std::make_unique<TGame>();
    Game->Mouse = std::make_shared<TMousePointer>();
    Game->Mouse->b1 = 1;
    QDMouseClicks = QDMouse();
    QDMouseClicks.UpdateMouseClicks();
    EXPECT_EQ(QDMouseClicks.LeftClick(), 1);
    QDMouseClicks = QDMouse();
    Game.reset();
}

}  // namespace
