// The board model: region shapes, the rule checks and automatic pencil marks against an independent
// brute-force oracle, the aids, restart and locks, puzzle creation through stand-in engine calls and the
// real engine, and the stopwatch on a hand-driven clock.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "SudokuEngine.h"
#include "game/Core.h"
#include "platform/Clock.h"
#include "platform/Events.h"

namespace {

int FakeNow = 0;

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeNow = 100000;
        SetClockSource([] { return FakeNow; });
        Core = TCore();
        Core.PumpEvents = [this] { ++pumps; };
        Puzzle = {};
        PuzzleStart = {};
        Locked = {};
        Solution = {};
        Markup = {};
        ShowMarkup = ShowSolution = ShowMistakes = ShowDesiredCellArmed = PuzzleCompleted = 0;
        NumbersLocked = 1;
        ChosenNumber = 1;
        Core.Start();
    }
    void TearDown() override { SetClockSource({}); }

    void UseSize(int n) {
        PuzzleWidth = PuzzleHeight = n;
        Core.SetPuzzleRegion();
    }

    int pumps = 0;
};

// Region shape by size, written out independently of the model's table.
std::pair<int, int> ExpectedRegion(int n) {
    switch (n) {
        case 4:
            return {2, 2};
        case 6:
            return {3, 2};
        case 12:
            return {4, 3};
        case 16:
            return {4, 4};
        default:
            return {3, 3};
    }
}

// Oracle: n may stand at (x, y) when no cell sharing its column, row or region holds n, the cell itself
// included.
bool OracleAllowed(int n, int x, int y, int size, int rw, int rh) {
    for (int i = 0; i < size; ++i)
        if (Puzzle[x][i] == n || Puzzle[i][y] == n) return false;
    for (int cx = 0; cx < size; ++cx)
        for (int cy = 0; cy < size; ++cy)
            if (cx / rw == x / rw && cy / rh == y / rh && Puzzle[cx][cy] == n) return false;
    return true;
}

void FillRandomly(std::mt19937& random, int size, int percent) {
    std::uniform_int_distribution<int> value(1, size);
    std::uniform_int_distribution<int> chance(0, 99);
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y) Puzzle[x][y] = chance(random) < percent ? value(random) : 0;
}

bool IsValidCompleteGrid(const TByteGrid& grid, int n, int rw, int rh) {
    for (int a = 0; a < n; ++a) {
        std::set<int> column, row, region;
        for (int b = 0; b < n; ++b) {
            column.insert(grid[a][b]);
            row.insert(grid[b][a]);
            const int rx = (a % (n / rw)) * rw + b % rw;
            const int ry = (a / (n / rw)) * rh + b / rw;
            region.insert(grid[rx][ry]);
        }
        if (column.size() != static_cast<size_t>(n) || row.size() != static_cast<size_t>(n) ||
            region.size() != static_cast<size_t>(n) || column.count(0))
            return false;
    }
    return true;
}

// A solved 4 x 4 board with two givens and two wrong numbers.
void SetUpSmallGame() {
    const int solved[4][4] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};  // [y][x]
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            Solution[x][y] = solved[y][x];
            Puzzle[x][y] = solved[y][x];
        }
    PuzzleStart[0][0] = Solution[0][0];
    PuzzleStart[3][3] = Solution[3][3];
}

TEST_F(CoreTest, RegionShapesFollowTheGridSize) {
    for (int n : {4, 5, 6, 9, 12, 16}) {
        UseSize(n);
        EXPECT_EQ(std::make_pair(RegionWidth, RegionHeight), ExpectedRegion(n)) << n;
    }
}

TEST_F(CoreTest, RuleCheckAgreesWithBruteForceOnSmallGrids) {
    std::mt19937 random(7);
    for (int n : {4, 6, 9}) {
        UseSize(n);
        for (int round = 0; round < 40; ++round) {
            FillRandomly(random, n, 15 + round % 50);
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y)
                    for (int v = 1; v <= n; ++v) {
                        FoundX = FoundY = -7;
                        const int allowed = IsNumberAllowed(v, x, y);
                        ASSERT_EQ(allowed == 1, OracleAllowed(v, x, y, n, RegionWidth, RegionHeight))
                            << n << " " << x << "," << y << " " << v;
                        if (!allowed) {
                            // The named conflict holds the number and shares a house with the cell.
                            ASSERT_GE(FoundX, 0);
                            ASSERT_EQ(Puzzle[FoundX][FoundY], v);
                            const bool shares = FoundX == x || FoundY == y ||
                                                (FoundX / RegionWidth == x / RegionWidth &&
                                                 FoundY / RegionHeight == y / RegionHeight);
                            ASSERT_TRUE(shares);
                        }
                    }
        }
    }
}

TEST_F(CoreTest, RuleCheckNamesTheFirstConflictInScanOrderAndIgnoresOutOfRangeNumbers) {
    UseSize(9);
    Puzzle[4][0] = 5;  // column, above
    Puzzle[4][8] = 5;  // column, below
    Puzzle[0][6] = 5;  // row, left
    struct Case {
        int clearX, clearY, foundX, foundY;
    };
    for (Case c : {Case{-1, -1, 4, 0}, Case{4, 0, 4, 8}, Case{4, 8, 0, 6}}) {
        if (c.clearX >= 0) Puzzle[c.clearX][c.clearY] = 0;
        EXPECT_EQ(IsNumberInRowOrColumn(5, 4, 6), 1);
        EXPECT_EQ(std::pair(FoundX, FoundY), std::pair(c.foundX, c.foundY));
    }
    Puzzle[3][7] = 8;  // a cell holding the number reports itself
    Puzzle[3][0] = 8;
    EXPECT_EQ(IsNumberAllowed(8, 3, 7), 0);
    EXPECT_EQ(std::pair(FoundX, FoundY), std::pair(3, 7));

    UseSize(16);
    Puzzle = {};
    FoundX = 11;
    FoundY = 12;
    EXPECT_EQ(IsNumberInRowOrColumn(0, 5, 2), 0);
    EXPECT_EQ(IsNumberInRowOrColumn(17, 5, 2), 0);
    EXPECT_EQ(std::pair(FoundX, FoundY), std::pair(11, 12));
}

TEST_F(CoreTest, AutomaticMarksAgreeWithBruteForce) {
    std::mt19937 random(11);
    for (int n : {4, 6, 12}) {
        UseSize(n);
        for (int round = 0; round < 10; ++round) {
            FillRandomly(random, n, 30);
            Markup = {};
            Markup[15][15][15] = 1;  // outside a smaller grid: left alone
            AutoMarkupCalculate();
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y) {
                    for (int v = 1; v <= n; ++v)
                        ASSERT_EQ(Markup[x][y][v - 1] == 1,
                                  OracleAllowed(v, x, y, n, RegionWidth, RegionHeight));
                    if (Puzzle[x][y] != 0) {
                        ASSERT_EQ(Markup[x][y][Puzzle[x][y] - 1], 0);
                    }
                }
            EXPECT_EQ(Markup[15][15][15], 1);
        }
    }
}

TEST_F(CoreTest, AutomaticMarksFollowRevealsAndSwitchingThemOffRemovesHandSetMarks) {
    UseSize(4);
    SetUpSmallGame();
    Puzzle[1][1] = 0;
    Markup[2][3][3] = 1;
    Core.ShowHideMarkup();
    EXPECT_EQ(ShowMarkup, 1);
    EXPECT_EQ(Markup[1][1][Solution[1][1] - 1], 1);
    Core.ShowRandomCell();
    EXPECT_EQ(Markup[1][1][Solution[1][1] - 1], 0) << "recomputed after a reveal";
    Core.ShowHideMarkup();
    EXPECT_EQ(ShowMarkup, 0);
    EXPECT_EQ(Markup, decltype(Markup){});
}

TEST_F(CoreTest, RevealingARandomCellFixesOneDifferingCellAtATimeAndStopsOnASolvedBoard) {
    UseSize(4);
    SetUpSmallGame();
    Puzzle[1][1] = 0;  // empty
    Puzzle[2][2] = 1;  // wrong and locked
    Locked[2][2] = 1;
    const TByteGrid before = Puzzle;
    Core.ShowRandomCell();
    int changed = 0;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            if (Puzzle[x][y] != before[x][y]) {
                ++changed;
                EXPECT_TRUE((x == 1 && y == 1) || (x == 2 && y == 2));
                EXPECT_EQ(Puzzle[x][y], Solution[x][y]);
            }
    EXPECT_EQ(changed, 1);
    Core.ShowRandomCell();
    EXPECT_EQ(Puzzle, Solution);
    EXPECT_EQ(Core.IsPuzzleCompleted(), 1);
    Core.ShowRandomCell();  // nothing left to reveal: must return
    EXPECT_EQ(Puzzle, Solution);
    Puzzle[3][0] = 0;
    EXPECT_EQ(Core.IsPuzzleCompleted(), 0) << "completion needs every cell";
}

TEST_F(CoreTest, RestartReturnsToTheGivensWithAidsOff) {
    UseSize(4);
    SetUpSmallGame();
    ChosenNumber = 3;
    ShowSolution = ShowMistakes = ShowDesiredCellArmed = PuzzleCompleted = 1;
    Core.ShowHideMarkup();
    Core.LockNumbers();
    EXPECT_EQ(NumbersLocked, 0);
    FakeNow = 250000;
    Core.RestartPuzzle();
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(Puzzle[x][y], PuzzleStart[x][y]);
            EXPECT_EQ(Locked[x][y], PuzzleStart[x][y] ? 1 : 0);
            for (int v = 0; v < 4; ++v) EXPECT_EQ(Markup[x][y][v], 0);
        }
    EXPECT_EQ(ChosenNumber, 3);
    EXPECT_EQ(NumbersLocked, 1);
    EXPECT_EQ(ShowSolution + ShowMistakes + ShowDesiredCellArmed + PuzzleCompleted + ShowMarkup, 0);
    EXPECT_EQ(PuzzleStartTime, 250000);
    EXPECT_EQ(PuzzleEndTime, 0);
}

TEST_F(CoreTest, LockingTwiceLocksThePlayersNumbersToo) {
    UseSize(4);
    SetUpSmallGame();
    Puzzle = PuzzleStart;
    Core.SetDefaultLocked();
    Puzzle[1][2] = 4;  // the player's number
    Core.LockNumbers();
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) EXPECT_EQ(Locked[x][y], 0);
    Core.LockNumbers();
    EXPECT_EQ(Locked[1][2], 1);
    EXPECT_EQ(Locked[0][0], 1);
    EXPECT_EQ(Locked[1][1], 0);
}

TEST_F(CoreTest, ClearingCompletelyEmptiesEverythingButTheMarksAndCustomEntryRebuildsCells) {
    UseSize(4);
    SetUpSmallGame();
    Locked[0][0] = 1;
    Markup[1][1][1] = 1;
    Core.ClearBoardCompletely();
    EXPECT_EQ(Puzzle, TByteGrid{});
    EXPECT_EQ(PuzzleStart, TByteGrid{});
    EXPECT_EQ(Solution, TByteGrid{});
    EXPECT_EQ(Locked, TByteGrid{});
    EXPECT_EQ(Markup[1][1][1], 1);
    SetUpSmallGame();
    std::vector<int> cellRebuilds;
    Core.OnCreateCells = [&](int flyIn) { cellRebuilds.push_back(flyIn); };
    Core.CustomPuzzle();
    EXPECT_EQ(Puzzle, TByteGrid{});
    EXPECT_EQ(cellRebuilds, std::vector<int>{1});
}

// A stand-in generator that fails `failures` times, then writes the column-major pattern
// puzzle[i] = i % 7 and solution[i] = i % 5 + 1.
TEST_F(CoreTest, CreatePuzzleRetriesAndPumpsEventsBetweenAttempts) {
    int calls = 0;
    Core.Generate = [&](int size, int level, signed char* puzzle, signed char* solution) {
        EXPECT_EQ(size, 6);
        EXPECT_EQ(level, 3);
        if (++calls <= 4) return 0;
        for (int i = 0; i < size * size; ++i) {
            puzzle[i] = static_cast<signed char>(i % 7);
            solution[i] = static_cast<signed char>(i % 5 + 1);
        }
        return 1;
    };
    Core.CreatePuzzle(6, 6, 3);
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(pumps, 6);  // before the first attempt, after each failure, once at the end
    EXPECT_EQ(PuzzleWidth, 6);
    EXPECT_EQ(PuzzleHeight, 6);
    EXPECT_EQ(PuzzleDifficulty, 3);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y) {
            EXPECT_EQ(PuzzleStart[x][y], (x * 6 + y) % 7);
            EXPECT_EQ(Puzzle[x][y], PuzzleStart[x][y]);
            EXPECT_EQ(Solution[x][y], (x * 6 + y) % 5 + 1);
        }
}

// The window's close request arriving while the engine works is kept for the main loop, which handles it
// once the puzzle is there.
TEST_F(CoreTest, ACloseRequestDuringGenerationStaysQueued) {
    ASSERT_TRUE(EventsStartup());
    FlushEvents();
    Core = TCore();
    int calls = 0;
    Core.Generate = [&](int size, int, signed char* puzzle, signed char* solution) {
        if (++calls == 1) {
            PostEvent({EVENT_APPTERMINATE, 0, 0, 0});
            return 0;
        }
        for (int i = 0; i < size * size; ++i) puzzle[i] = solution[i] = 1;
        return 1;
    };
    Core.CreatePuzzle(4, 4, 0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(Solution[3][3], 1);
    int closes = 0;
    TEvent event;
    while (PollEvent(event))
        if (event.id == EVENT_APPTERMINATE) ++closes;
    EXPECT_EQ(closes, 1);
}

TEST_F(CoreTest, UnknownSizesAndLevelsAreNeverSentToTheGenerator) {
    int calls = 0;
    Core.Generate = [&](int, int, signed char*, signed char*) {
        ++calls;
        return 0;
    };
    UseSize(9);
    Core.CreatePuzzle(5, 5, 0);
    Core.CreatePuzzle(9, 6, 0);
    Core.CreatePuzzle(9, 9, 5);
    Core.CreatePuzzle(17, 17, 0);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(PuzzleWidth, 9);
    PuzzleWidth = PuzzleHeight = 20;
    EXPECT_EQ(Core.CheckCustomPuzzle(), 0);
}

TEST_F(CoreTest, NewPuzzleBuildsCellsAndRestarts) {
    UseSize(4);
    PuzzleDifficulty = 1;
    Core.Generate = [](int size, int, signed char* puzzle, signed char* solution) {
        for (int i = 0; i < size * size; ++i) {
            puzzle[i] = i % 3 == 0 ? 1 : 0;
            solution[i] = 1;
        }
        return 1;
    };
    std::vector<int> cellRebuilds;
    Core.OnCreateCells = [&](int flyIn) { cellRebuilds.push_back(flyIn); };
    ShowMistakes = 1;
    Core.NewPuzzle();
    EXPECT_EQ(cellRebuilds, std::vector<int>{1});
    EXPECT_EQ(ShowMistakes, 0);
    EXPECT_EQ(Locked[0][0], 1);
    EXPECT_EQ(Locked[0][1], 0);
}

TEST_F(CoreTest, CustomPuzzleCheckHandsTheBoardToTheSolverColumnMajorAndAFailureChangesNothing) {
    UseSize(4);
    Puzzle[1][0] = 3;
    Core.Solve = [](int, const signed char*, signed char* out) {
        out[0] = 4;
        return 0;
    };
    EXPECT_EQ(Core.CheckCustomPuzzle(), 0);
    EXPECT_EQ(CustomPuzzleAccepted, 0);
    EXPECT_EQ(Solution, TByteGrid{});
    EXPECT_EQ(PuzzleStart, TByteGrid{});
    Puzzle[0][1] = 2;  // index 1; (1, 0) is index 4
    bool accepted = false;
    Core.OnCustomPuzzleAccepted = [&] { accepted = true; };
    Core.Solve = [](int size, const signed char* cells, signed char* out) {
        EXPECT_EQ(size, 4);
        EXPECT_EQ(cells[4], 3);
        EXPECT_EQ(cells[1], 2);
        for (int i = 0; i < 16; ++i) out[i] = static_cast<signed char>(i % 4 + 1);
        return 1;
    };
    EXPECT_EQ(Core.CheckCustomPuzzle(), 1);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(CustomPuzzleAccepted, 1);
    EXPECT_EQ(PuzzleStart[1][0], 3);
    EXPECT_EQ(Solution[2][3], (2 * 4 + 3) % 4 + 1);
}

TEST_F(CoreTest, StopwatchLeavesPausedTimeOutAndKeepsTwoDigits) {
    FakeNow = 1000;
    StopwatchStart();
    FakeNow = 61000;
    EXPECT_EQ(StopwatchText(), "01:00");
    StopwatchPause();
    FakeNow = 181000;  // two minutes paused
    EXPECT_EQ(StopwatchText(), "01:00");
    StopwatchResume();
    EXPECT_EQ(PuzzleEndTime, 0);
    FakeNow = 182000;
    EXPECT_EQ(StopwatchText(), "01:01");
    EXPECT_EQ(StopwatchElapsed(), 61000);
    for (auto [ms, text] : {std::pair{999, "00:00"}, {59999, "00:59"}, {90000, "01:30"}, {5940000, "99:00"},
                            {6000000, "00:00"}})
        EXPECT_EQ(FormatMinSec(ms), text) << ms;
}

// The real engine: every size yields a puzzle whose givens agree with a solution that is valid under the
// board's own region shapes.
TEST_F(CoreTest, GeneratedAndTypedInPuzzlesFitTheBoardsRegions) {
    for (int n : {4, 6, 9}) {
        UseSize(n);
        Core.CreatePuzzle(n, n, 0);
        ASSERT_TRUE(IsValidCompleteGrid(Solution, n, RegionWidth, RegionHeight)) << n;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (PuzzleStart[x][y]) {
                    ASSERT_EQ(PuzzleStart[x][y], Solution[x][y]);
                }
    }
    for (int n : {6, 12}) {
        UseSize(n);
        Puzzle = {};
        Puzzle[0][0] = 1;
        ASSERT_EQ(Core.CheckCustomPuzzle(), 1) << n;
        EXPECT_TRUE(IsValidCompleteGrid(Solution, n, RegionWidth, RegionHeight)) << n;
        EXPECT_EQ(Solution[0][0], 1);
    }
}

}  // namespace
