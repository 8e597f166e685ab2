// Whole frames of the board screen as the player sees them, rendered headless at 800 x 600 by SDL's software
// renderer and compared with reference PNGs in tests/game/golden/ by the shared golden comparison: a board
// in play (numbers locked, a mistake shown, pencil marks, the pointer's hint line, the timer) at every size,
// and the aids that change it: the solution shown and the numbers unlocked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoardWorld.h"
#include "platform/Random.h"
#include "support/Golden.h"

namespace {

using board::BoardWorld;
using board::Now;

class BoardFrameTest : public BoardWorld {
  protected:
    void SetUp() override {
        BoardWorld::SetUp();
        offscreen = CreateOffscreenBackend(800, 600);
        ASSERT_TRUE(offscreen);
        SetDrawBackend(offscreen.get());
        ResetDrawStateDefaults(800, 600);
        SeedRnd(7);  // the background picture is chosen at random
    }

    // The board in play with the aids switched on by clicking their buttons, as the player does; before()
    // runs just ahead of the drawing.
    template <typename F = void (*)()>
    void Frame(
        int n, std::vector<std::string> aids = {"showhidemistakes"}, F before = [] {}) {
        NewBoard(n);
        EnterBoardScreen();
        Tick();
        Now += 83000;  // 01:23 on the timer
        // A few of the player's numbers, one of them wrong, and pencil marks in an empty cell.
        int placed = 0;
        for (int x = 0; x < n && placed < 3; ++x)
            for (int y = 0; y < n && placed < 3; ++y)
                if (Puzzle[x][y] == 0) {
                    Puzzle[x][y] =
                        static_cast<std::uint8_t>(placed == 0 ? Solution[x][y] % n + 1 : Solution[x][y]);
                    ++placed;
                }
        for (int x = n - 1; x >= 0; --x)
            if (Puzzle[x][n - 1] == 0) {
                for (int k = 0; k < n; k += 2) Markup[x][n - 1][k] = 1;
                break;
            }
        for (const std::string& aid : aids) ClickButton(*GameScreen->PuzzleMenu, aid);
        TCell* hovered = CellAt(n / 2, n / 2);
        MoveMouse(int(hovered->x), int(hovered->y));
        Tick(100);  // the buttons' glow dies down
        before();
        GameScreen->Draw();
    }

    void Compare(const std::string& name) {
        EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", name));
    }

    std::unique_ptr<TDrawBackend> offscreen;
};

TEST_F(BoardFrameTest, NineByNineInPlay) {
    Frame(9);
    ASSERT_EQ(ShowMistakes, 1);
    Compare("board9x9");
}

TEST_F(BoardFrameTest, SixteenBySixteenInPlay) {
    Frame(16);
    Compare("board16x16");
}

// The other sizes lay their numbers and pencil marks out each in their own way.
TEST_F(BoardFrameTest, FourSixAndTwelveInPlay) {
    for (int n : {4, 6, 12}) {
        Frame(n);
        Compare("board" + std::to_string(n) + "x" + std::to_string(n));
        GameScreen->Kill();
    }
}

TEST_F(BoardFrameTest, SolutionShownInEveryCell) {
    Frame(9, {"showhidesolution"});
    ASSERT_EQ(ShowSolution, 1);
    Compare("board9x9_solution");
}

TEST_F(BoardFrameTest, NumbersUnlocked) {
    Frame(9, {"showhidemistakes", "lockunlocknumbers"});
    ASSERT_EQ(NumbersLocked, 0);
    Compare("board9x9_unlocked");
}

// The comparison is tight enough that the wrong number drawn in white, as if mistakes were not shown, fails.
TEST_F(BoardFrameTest, OneNumberInTheWrongColourDoesNotMatch) {
    Frame(9, {"showhidemistakes"}, [] { ShowMistakes = 0; });
    const int off =
        golden::DifferingFromReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "board9x9");
    ASSERT_GE(off, 0) << "no readable reference";
    EXPECT_GT(off, golden::kMaxDifferingPixels);
}

}  // namespace
