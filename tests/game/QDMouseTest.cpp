// Per-frame mouse clicks: hold counters, Ctrl turning a left press into a right click, the double-click
// window in time and space, and drags.
#include <gtest/gtest.h>

#include "core/Game.h"
#include "core/Input.h"
#include "game/QDMouse.h"
#include "platform/Keys.h"
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

TEST(QDMouseTest, ADragOnceStartedLastsUntilTheButtonIsReleasedEvenBackAtItsStart) {
    Clicks c;
    c.Call(10, 10, true);
    c.mouse.Drag();
    c.Call(20, 10, true);
    EXPECT_EQ(c.mouse.Drag(), 1);
    c.Call(10, 10, true);
    EXPECT_EQ(c.mouse.Drag(), 1);
    EXPECT_EQ(c.mouse.IsDragging, 1);
    c.Call(10, 10, false);
    EXPECT_EQ(c.mouse.IsDragging, 0);
}

TEST(QDMouseTest, TheGamesButtonsAndEitherCtrlKeyFeedTheClickCounters) {
    Game = std::make_unique<TGame>();
    Game->Mouse = std::make_shared<TMousePointer>();
    const struct {
        int b1, b2, ctrlKey;
        int left, right;
    } rows[] = {{0, 1, 0, 0, 1}, {1, 0, KEY_LCONTROL, 0, 1}, {1, 0, KEY_RCONTROL, 0, 1}, {0, 0, 0, 0, 0}};
    for (const auto& row : rows) {
        QDMouseClicks = QDMouse();
        GameFlushKeys();
        if (row.ctrlKey) KeyBufferKeyDown(row.ctrlKey);
        Game->Mouse->b1 = row.b1;
        Game->Mouse->b2 = row.b2;
        QDMouseClicks.UpdateMouseClicks();
        EXPECT_EQ(QDMouseClicks.LeftClick(), row.left) << row.b1 << row.b2 << row.ctrlKey;
        EXPECT_EQ(QDMouseClicks.RightClick(), row.right) << row.b1 << row.b2 << row.ctrlKey;
    }
    GameFlushKeys();
    QDMouseClicks = QDMouse();
    Game.reset();
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

// The second press must land strictly within 30 pixels of the first on both axes.
TEST(QDMouseTest, DoubleClickSquareIsOpenOnEverySide) {
    const struct {
        int x, y, doubleClick;
    } rows[] = {{70, 100, 0}, {71, 100, 1}, {130, 100, 0}, {129, 100, 1},
                {100, 70, 0}, {100, 71, 1}, {100, 130, 0}, {100, 129, 1}};
    for (const auto& row : rows) {
        Clicks c;
        c.Press(100, 100);
        EXPECT_EQ(c.Press(row.x, row.y), row.doubleClick) << row.x << "," << row.y;
    }
}

// The window for the second press counts the milliseconds between logic calls, except that a gap of
// more than a second (the logic did not run) counts as nothing.
TEST(QDMouseTest, DoubleClickWindowCountsElapsedTimeToTheMillisecond) {
    const struct {
        int gap;
        float counter;
    } rows[] = {{995, 495.0f - 1000.0f}, {996, 495.0f}, {1500, 495.0f}, {0, 490.0f}};
    for (const auto& row : rows) {
        Clicks c;
        c.Press(50, 50);  // the window opens at 500 and has run 5 ms by the release
        EXPECT_FLOAT_EQ(c.mouse.DoubleClickCounter, 495.0f);
        c.Gap(row.gap);
        c.Call(50, 50, false);
        EXPECT_FLOAT_EQ(c.mouse.DoubleClickCounter, row.counter) << row.gap;
    }
    // A press with a single millisecond of the window left is a double click; with none left it is not.
    for (const auto& [gap, doubleClick] : {std::pair{489, 1}, std::pair{490, 0}}) {
        Clicks c;
        c.Press(50, 50);
        c.Gap(gap);
        c.Call(50, 50, false);
        EXPECT_EQ(c.Press(50, 50), doubleClick) << gap;
    }
    // A window left with a single millisecond still closes on the next call.
    Clicks c;
    c.Press(50, 50);
    c.Gap(489);
    c.Call(50, 50, false);
    ASSERT_FLOAT_EQ(c.mouse.DoubleClickCounter, 1.0f);
    c.Call(50, 50, false);
    EXPECT_EQ(c.Press(50, 50), 0);
}

TEST(QDMouseTest, WithoutTheGameOrItsPointerNothingIsCounted) {
    QDMouseClicks = QDMouse();
    Game.reset();
    QDMouseClicks.UpdateMouseClicks();
    Game = std::make_unique<TGame>();
    Game->Mouse.reset();
    QDMouseClicks.UpdateMouseClicks();
    EXPECT_EQ(QDMouseClicks.x, 0);
    EXPECT_EQ(QDMouseClicks.LeftClick(), 0);
    Game.reset();
}

}  // namespace

namespace {

// A drag is measured from where the press began, never from where the pointer rested before it, and a
// release clears both coordinates of the start.
TEST(QDMouseTest, ADragIsMeasuredFromThePressAndAReleaseClearsItsStart) {
    Clicks c;
    c.Call(0, 0, false);
    EXPECT_EQ(c.mouse.Drag(), 0) << "resting, not pressed";
    c.Call(100, 100, true);
    EXPECT_EQ(c.mouse.Drag(), 0);
    c.Call(102, 100, true);
    EXPECT_EQ(c.mouse.Drag(), 0) << "two pixels from the press";
    c.Call(103, 102, true);
    EXPECT_EQ(c.mouse.Drag(), 1) << "five pixels from the press";
    c.Call(103, 102, false);
    EXPECT_EQ(c.mouse.DragStartX, -1);
    EXPECT_EQ(c.mouse.DragStartY, -1);
    EXPECT_EQ(c.mouse.IsDragging, 0);
}

}  // namespace
