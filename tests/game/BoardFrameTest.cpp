// Whole frames of the board screen as the player sees them, rendered headless at 800 x 600 by SDL's software
// renderer and compared with reference PNGs in tests/game/golden/ by the shared golden comparison: a board
// in play (numbers locked, a mistake shown, pencil marks, the pointer's hint line, the timer) at every size,
// and the aids that change it: the solution shown and the numbers unlocked.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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
        DrawOffscreen();
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

// The ink of a full set of pencil marks in an empty cell, measured on the frame: the pixels that change
// when the marks are drawn, as a box against the cell's 32 x 32 tile. Every size keeps the marks inside
// the tile with room at the sides; the 16 x 16 layout (four rows, 8 pixels apart, from one pixel above
// the tile, in a font whose digits and letters are 7 pixels tall) spans 31 of the tile's 32 rows, so it
// keeps its one spare row at the bottom.
TEST_F(BoardFrameTest, PencilMarksKeepAMarginInsideTheirCell) {
    struct TMargins {
        int n, left, top, right, bottom;
    };
    const TMargins least[] = {
        {4, 2, 2, 2, 2}, {6, 2, 2, 2, 2}, {9, 2, 2, 2, 2}, {12, 2, 2, 2, 2}, {16, 2, 0, 2, 1}};
    for (const TMargins& want : least) {
        SCOPED_TRACE("board " + std::to_string(want.n));
        NewBoard(want.n);
        EnterBoardScreen();
        Game->Mouse->x = Game->Mouse->y = -100;  // no hover tile or hint line
        TCell* cell = nullptr;
        for (int x = 0; x < want.n && !cell; ++x)
            for (int y = 0; y < want.n && !cell; ++y)
                if (Puzzle[x][y] == 0) cell = CellAt(x, y);
        ASSERT_NE(cell, nullptr);
        const int ax = cell->ArrayLocationX, ay = cell->ArrayLocationY;
        GameScreen->Draw();
        const int left = int(cell->x) - 16, top = int(cell->y) - 16, reach = 8;
        const TPixmap bare = GrabPixmap(left - reach, top - reach, 32 + 2 * reach, 32 + 2 * reach);
        for (int k = 0; k < want.n; ++k) Markup[ax][ay][k] = 1;
        GameScreen->Draw();
        const TPixmap marked = GrabPixmap(left - reach, top - reach, 32 + 2 * reach, 32 + 2 * reach);
        int x0 = 1000, y0 = 1000, x1 = -1000, y1 = -1000;
        for (int y = 0; y < bare.height; ++y)
            for (int x = 0; x < bare.width; ++x)
                if (bare.ReadPixel(x, y) != marked.ReadPixel(x, y)) {
                    x0 = std::min(x0, x - reach), y0 = std::min(y0, y - reach);
                    x1 = std::max(x1, x - reach), y1 = std::max(y1, y - reach);
                }
        ASSERT_LE(x0, x1) << "no marks drawn";
        EXPECT_GE(x0, want.left);
        EXPECT_GE(y0, want.top);
        EXPECT_GE(31 - x1, want.right);
        EXPECT_GE(31 - y1, want.bottom);
    }
}

// The other sizes lay their numbers and pencil marks out each in their own way.
TEST_F(BoardFrameTest, FourSixAndTwelveInPlay) {
    for (int n : {4, 6, 12}) {
        Frame(n);
        Compare("board" + std::to_string(n) + "x" + std::to_string(n));
        GameScreen->Kill();
    }
}

// The drawing backend keeps the unchanged part of a frame in a cache; whatever changes on the board must show
// in the very next frame, and in the ones after it once the cache holds it, exactly as drawing everything
// anew shows it (a grab before the end of a frame draws everything as it comes).
TEST_F(BoardFrameTest, ChangesOnTheBoardShowInTheNextFrame) {
    Frame(16);
    EndFrame();
    const auto cached = [] {
        GameScreen->Draw();
        EndFrame();
        return GrabPixmap(0, 0, 800, 600);
    };
    const auto direct = [] {
        GameScreen->Draw();
        TPixmap shot = GrabPixmap(0, 0, 800, 600);
        EndFrame();
        return shot;
    };
    TPixmap last;
    for (int i = 0; i <= 2 * FrameCacheSettleFrames; ++i) last = cached();
    EXPECT_TRUE(LastFrameStats().cacheUsed);
    EXPECT_FALSE(LastFrameStats().cacheRedrawn);
    EXPECT_EQ(LastFrameStats().live, 0) << "an idle board draws its cache alone";
    EXPECT_GT(LastFrameStats().hidden, 0) << "the clear under the background";
    std::vector<std::pair<int, int>> empty;
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            if (Puzzle[x][y] == 0) empty.emplace_back(x, y);
    ASSERT_GE(empty.size(), 3u);
    struct TChange {
        const char* what;
        std::function<void()> apply;
    };
    const TChange changes[] = {
        {"a number written",
         [&] { Puzzle[empty[0].first][empty[0].second] = Solution[empty[0].first][empty[0].second]; }},
        {"a pencil mark", [&] { Markup[empty[1].first][empty[1].second][4] = 1; }},
        {"another chosen number",
         [] {
             ChosenNumber = 7;
             GameScreen->UpdateNumberButtons();
         }},
        {"the pointer on another cell",
         [this, &empty] {
             TCell* cell = CellAt(empty[2].first, empty[2].second);
             MoveMouse(int(cell->x), int(cell->y));
             Tick(100);
         }},
        {"the timer a second on", [] { Now += 1000; }},
        {"a number taken back", [&] { Puzzle[empty[0].first][empty[0].second] = 0; }},
    };
    for (const TChange& change : changes) {
        SCOPED_TRACE(change.what);
        change.apply();
        const TPixmap next = cached();
        EXPECT_NE(next.pixels, last.pixels) << "the change shows at once";
        EXPECT_EQ(next.pixels, direct().pixels);
        for (int i = 0; i <= FrameCacheSettleFrames; ++i) last = cached();
        EXPECT_EQ(last.pixels, next.pixels) << "and stays once it is cached";
        EXPECT_TRUE(LastFrameStats().cacheUsed);
        EXPECT_EQ(LastFrameStats().live, 0);
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
