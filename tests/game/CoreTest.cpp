// The board model: the rule checks and automatic pencil marks against an independent brute-force oracle,
// the reveal aid, puzzle creation through stand-in engine calls and the real engine, and the stopwatch on
// a hand-driven clock.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "BoardWorld.h"
#include "SudokuEngine.h"
#include "game/Core.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Keys.h"

namespace {

using board::Now;

class CoreTest : public board::CoreWorld {
  protected:
    void SetUp() override {
        CoreWorld::SetUp();
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

    void UseSize(int n) {
        PuzzleWidth = PuzzleHeight = n;
        Core.SetPuzzleRegion();
    }
};

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
                        ASSERT_EQ(allowed == 1, OracleAllowed(v, x, y, n))
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
                        ASSERT_EQ(Markup[x][y][v - 1] == 1, OracleAllowed(v, x, y, n));
                    if (Puzzle[x][y] != 0) {
                        ASSERT_EQ(Markup[x][y][Puzzle[x][y] - 1], 0);
                    }
                }
            EXPECT_EQ(Markup[15][15][15], 1);
        }
    }
}

TEST_F(CoreTest, RevealingFixesEvenALockedWrongCellAndStopsOnASolvedBoard) {
    UseSize(4);
    SetUpSmallGame();
    Puzzle[1][1] = 0;  // empty
    Puzzle[2][2] = 1;  // wrong and locked
    Locked[2][2] = 1;
    Core.ShowRandomCell();
    EXPECT_EQ(Core.IsPuzzleCompleted(), 0);
    Core.ShowRandomCell();
    EXPECT_EQ(Puzzle, Solution);
    EXPECT_EQ(Core.IsPuzzleCompleted(), 1);
    Core.ShowRandomCell();  // nothing left to reveal: must return
    EXPECT_EQ(Puzzle, Solution);
    Puzzle[3][0] = 0;
    EXPECT_EQ(Core.IsPuzzleCompleted(), 0) << "completion needs every cell";
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

// The window is serviced before every attempt of the generator and once more after the last one.
TEST_F(CoreTest, TheWindowIsServicedAroundEveryGeneratorAttempt) {
    int attempts = 0, pumps = 0;
    Core.PumpEvents = [&] { ++pumps; };
    Core.Generate = [&](int size, int, signed char* puzzle, signed char* solution) {
        if (++attempts < 3) return 0;
        for (int i = 0; i < size * size; ++i) puzzle[i] = solution[i] = 1;
        return 1;
    };
    Core.CreatePuzzle(4, 4, 0);
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(pumps, 4);
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
    // Numbers outside 1..N are never reported as conflicts, nor move the found cell.
    UseSize(16);
    FoundX = 11;
    FoundY = 12;
    EXPECT_EQ(IsNumberInRowOrColumn(0, 5, 2), 0);
    EXPECT_EQ(IsNumberInRowOrColumn(17, 5, 2), 0);
    EXPECT_EQ(std::pair(FoundX, FoundY), std::pair(11, 12));
}

TEST_F(CoreTest, AnUnsolvableCustomPuzzleChangesNothing) {
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
}

TEST_F(CoreTest, StopwatchLeavesPausedTimeOutAndKeepsTwoDigits) {
    Now = 1000;
    StopwatchStart();
    Now = 61000;
    EXPECT_EQ(StopwatchText(), "01:00");
    StopwatchPause();
    Now = 181000;  // two minutes paused
    EXPECT_EQ(StopwatchText(), "01:00");
    StopwatchResume();
    EXPECT_EQ(PuzzleEndTime, 0);
    Now = 182000;
    EXPECT_EQ(StopwatchText(), "01:01");
    EXPECT_EQ(StopwatchElapsed(), 61000);
    EXPECT_EQ(FormatMinSec(59999), "00:59");
    EXPECT_EQ(FormatMinSec(5940000), "99:00");
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

// Every board operation answers 0 but the two checks, which answer what they found.
TEST_F(CoreTest, BoardOperationsAnswerZero) {
    UseSize(4);
    Core.Generate = [](int size, int, signed char* puzzle, signed char* solution) {
        for (int i = 0; i < size * size; ++i) puzzle[i] = solution[i] = 1;
        return 1;
    };
    SetUpSmallGame();
    Puzzle[1][1] = 0;
    const std::pair<const char*, std::function<int()>> rows[] = {
        {"Start", [] { return Core.Start(); }},
        {"SetPuzzleRegion", [] { return Core.SetPuzzleRegion(); }},
        {"CreateCells", [] { return Core.CreateCells(1); }},
        {"ShowHideMarkup", [] { return Core.ShowHideMarkup(); }},
        {"ShowHideSolution", [] { return Core.ShowHideSolution(); }},
        {"ShowHideMistakes", [] { return Core.ShowHideMistakes(); }},
        {"ShowDesiredCell", [] { return Core.ShowDesiredCell(); }},
        {"ShowRandomCell", [] { return Core.ShowRandomCell(); }},
        {"ShowRandomCell on a solved board", [] { return Core.ShowRandomCell(); }},
        {"ClearBoard", [] { return Core.ClearBoard(); }},
        {"SetDefaultLocked", [] { return Core.SetDefaultLocked(); }},
        {"LockNumbers", [] { return Core.LockNumbers(); }},
        {"RestartPuzzle", [] { return Core.RestartPuzzle(); }},
        {"CreatePuzzle", [] { return Core.CreatePuzzle(4, 4, 0); }},
        {"CreatePuzzle refused", [] { return Core.CreatePuzzle(5, 5, 0); }},
        {"NewPuzzle", [] { return Core.NewPuzzle(); }},
        {"ClearBoardCompletely", [] { return Core.ClearBoardCompletely(); }},
        {"CustomPuzzle", [] { return Core.CustomPuzzle(); }},
    };
    for (const auto& [name, call] : rows) EXPECT_EQ(call(), 0) << name;
}

// The scan finds the column above the cell first, then below it, then the row leftward, then rightward;
// a region is searched row by row.
TEST_F(CoreTest, TheFoundCellIsTheFirstInScanOrder) {
    UseSize(9);
    Puzzle[4][1] = Puzzle[4][7] = Puzzle[0][3] = Puzzle[8][3] = 5;
    const std::pair<int, int> order[] = {{4, 1}, {4, 7}, {0, 3}, {8, 3}};
    for (const auto& [fx, fy] : order) {
        FoundX = FoundY = -1;
        ASSERT_EQ(IsNumberInRowOrColumn(5, 4, 3), 1);
        EXPECT_EQ(std::pair(FoundX, FoundY), std::pair(fx, fy));
        Puzzle[fx][fy] = 0;
    }
    EXPECT_EQ(IsNumberInRowOrColumn(5, 4, 3), 0);
    Puzzle[5][3] = Puzzle[3][4] = 7;
    ASSERT_EQ(IsNumberInRegion(7, 1, 1), 1);
    EXPECT_EQ(std::pair(FoundX, FoundY), std::pair(5, 3));
    EXPECT_EQ(IsNumberAllowed(7, 4, 5), 0);
    EXPECT_EQ(std::pair(FoundX, FoundY), std::pair(5, 3));
    EXPECT_EQ(IsNumberInRegion(7, 2, 1), 0);
    EXPECT_EQ(IsNumberInRegion(7, 1, 2), 0);
}

TEST_F(CoreTest, RegionShapesOfEverySizeAndThreeByThreeOtherwise) {
    const struct {
        int size, w, h;
    } rows[] = {{4, 2, 2}, {6, 3, 2}, {9, 3, 3}, {12, 4, 3}, {16, 4, 4}, {5, 3, 3}, {0, 3, 3}, {17, 3, 3}};
    for (const auto& row : rows) {
        EXPECT_EQ(RegionShape(row.size), std::pair(row.w, row.h)) << row.size;
        PuzzleWidth = row.size;
        Core.SetPuzzleRegion();
        EXPECT_EQ(std::pair(RegionWidth, RegionHeight), std::pair(row.w, row.h)) << row.size;
    }
}

// A Sudoku of size w * h in the usual shifted pattern, column x and row y.
TByteGrid PatternGrid(int w, int h) {
    TByteGrid grid{};
    const int n = w * h;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) grid[x][y] = static_cast<std::uint8_t>((w * (y % h) + y / h + x) % n + 1);
    return grid;
}

TEST_F(CoreTest, GridFollowsTheRuleOnlyForWholeGridsWithoutDoubles) {
    for (const auto& [w, h] : {std::pair{2, 2}, {3, 2}, {3, 3}, {4, 3}, {4, 4}}) {
        const TByteGrid good = PatternGrid(w, h);
        const int n = w * h;
        ASSERT_TRUE(IsValidCompleteGrid(good, n, w, h)) << n;
        EXPECT_TRUE(GridFollowsTheRule(good, n, w, h)) << n;
        TByteGrid latin{};  // rows and columns right, regions not
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) latin[x][y] = static_cast<std::uint8_t>((x + y) % n + 1);
        EXPECT_FALSE(GridFollowsTheRule(latin, n, w, h)) << n;
        const struct {
            int x, y, value;
        } faults[] = {{0, 0, 0},
                      {n - 1, n - 1, 0},
                      {0, n - 1, n + 1},
                      {n - 1, 0, good[n - 2][0]},
                      {0, n - 1, good[0][n - 2]}};
        for (const auto& fault : faults) {
            TByteGrid bad = good;
            bad[fault.x][fault.y] = static_cast<std::uint8_t>(fault.value);
            EXPECT_FALSE(GridFollowsTheRule(bad, n, w, h)) << n << " " << fault.x << "," << fault.y;
        }
        EXPECT_FALSE(GridFollowsTheRule(good, n, 0, h));
        EXPECT_FALSE(GridFollowsTheRule(good, n, w, 0));
    }
    EXPECT_FALSE(GridFollowsTheRule(PatternGrid(3, 2), 6, 2, 3)) << "regions turned on their side";
    EXPECT_FALSE(GridFollowsTheRule(TByteGrid{}, 0, 1, 1));
    TByteGrid ones{};
    ones[0][0] = 1;
    EXPECT_TRUE(GridFollowsTheRule(ones, 1, 1, 1));
    EXPECT_FALSE(GridFollowsTheRule(PatternGrid(4, 4), 17, 4, 4));
    EXPECT_FALSE(GridFollowsTheRule(PatternGrid(3, 3), 9, 1, 1)) << "more than 16 regions";
    PuzzleWidth = PuzzleHeight = 5;
    EXPECT_EQ(Core.GradeGivens(), -1) << "no grade for a size the engine does not know";
}

// The engine receives the board column by column (x * N + y), every cell of it.
TEST_F(CoreTest, TheEngineGetsTheWholeBoardColumnByColumn) {
    for (int n : {4, 9, 16}) {
        SCOPED_TRACE(n);
        UseSize(n);
        const TByteGrid good = PatternGrid(RegionWidth, RegionHeight);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) Puzzle[x][y] = (x + y) % 3 == 0 ? good[x][y] : 0;
        std::vector<signed char> solved, graded;
        Core.Solve = [&](int size, const signed char* cells, signed char* out) {
            solved.assign(cells, cells + 256);
            for (int x = 0; x < size; ++x)
                for (int y = 0; y < size; ++y) out[x * size + y] = static_cast<signed char>(good[x][y]);
            return 1;
        };
        Core.Grade = [&](int, const signed char* cells) {
            graded.assign(cells, cells + 256);
            return 2;
        };
        CustomPuzzleAccepted = 0;
        ASSERT_EQ(Core.CheckCustomPuzzle(), 1);
        ASSERT_EQ(solved.size(), 256u);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                EXPECT_EQ(solved[x * n + y], Puzzle[x][y]) << x << "," << y;
                EXPECT_EQ(graded[x * n + y], Puzzle[x][y]) << x << "," << y;
            }
        EXPECT_EQ(Solution, good);
        EXPECT_EQ(PuzzleStart, Puzzle);
        EXPECT_EQ(CustomPuzzleAccepted, 1);
        EXPECT_EQ(HighScoreDifficulty(), 2);
        Solution = PuzzleStart = {};
    }
    // A generated puzzle's time goes under the level it was made at again.
    Core.Generate = [](int size, int, signed char* puzzle, signed char* solution) {
        for (int i = 0; i < size * size; ++i) puzzle[i] = solution[i] = 1;
        return 1;
    };
    Core.CreatePuzzle(9, 9, 4);
    EXPECT_EQ(HighScoreDifficulty(), 4);
}

// A long solve stops on a close request or Escape, and only then.
TEST_F(CoreTest, ASolveIsAbandonedOnlyOnCloseOrEscape) {
    ASSERT_TRUE(EventsStartup());
    FlushEvents();
    EXPECT_FALSE(QuitOrEscapePending());
    PostEvent({EVENT_KEYDOWN, KEY_ESCAPE + 1, 0, 0});
    EXPECT_FALSE(QuitOrEscapePending());
    FlushEvents();
    PostEvent({EVENT_KEYDOWN, KEY_ESCAPE, 0, 0});
    PostEvent({EVENT_KEYCHAR, KEY_ESCAPE, 0, 0});
    EXPECT_TRUE(QuitOrEscapePending());
    EXPECT_FALSE(EventPending(EVENT_KEYCHAR, KEY_ESCAPE)) << "the press is taken as a whole";
    EXPECT_FALSE(QuitOrEscapePending());
    PostEvent({EVENT_APPTERMINATE, 0, 0, 0});
    EXPECT_TRUE(QuitOrEscapePending());
    EXPECT_TRUE(EventPending(EVENT_APPTERMINATE)) << "the close request stays for the main loop";
    FlushEvents();
}

// The reveal writes the one differing cell itself, wherever it stands.
TEST_F(CoreTest, RevealingWritesTheDifferingCellItself) {
    UseSize(4);
    SetUpSmallGame();
    for (const auto& [x, y] : {std::pair{3, 1}, {0, 2}, {2, 0}}) {
        SCOPED_TRACE(x * 4 + y);
        const int right = Solution[x][y];
        Puzzle[x][y] = 0;
        Core.ShowRandomCell();
        EXPECT_EQ(Puzzle, Solution);
        EXPECT_EQ(Puzzle[x][y], right);
    }
    ShowMarkup = 1;
    Puzzle[1][2] = 0;
    for (int n = 0; n < 4; ++n) Markup[1][2][n] = 1;
    Core.ShowRandomCell();
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(Markup[1][2][n], 0) << "the automatic marks follow the revealed cell";
}

// The generator is asked for square boards of a known size at levels 0 to 4 only.
TEST_F(CoreTest, TheGeneratorIsAskedForEveryKnownSizeAndLevel) {
    std::vector<std::pair<int, int>> asked;
    Core.Generate = [&](int size, int level, signed char* puzzle, signed char* solution) {
        asked.emplace_back(size, level);
        for (int i = 0; i < size * size; ++i) puzzle[i] = solution[i] = 1;
        return 1;
    };
    const struct {
        int width, height, level;
        bool asked;
    } rows[] = {{4, 4, 0, true},   {6, 6, 4, true},  {9, 9, 2, true},   {12, 12, 1, true}, {16, 16, 3, true},
                {9, 9, -1, false}, {9, 9, 5, false}, {9, 12, 2, false}, {12, 9, 2, false}, {8, 8, 2, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height) + " " +
                     std::to_string(row.level));
        asked.clear();
        Core.CreatePuzzle(row.width, row.height, row.level);
        EXPECT_EQ(asked.size(), row.asked ? 1u : 0u);
        if (row.asked) {
            EXPECT_EQ(asked[0], std::pair(row.width, row.level));
            EXPECT_EQ(std::pair(PuzzleWidth, PuzzleDifficulty), std::pair(row.width, row.level));
        }
    }
    // The highest number of the largest board is found like any other.
    UseSize(16);
    Puzzle = {};
    Puzzle[15][0] = 16;
    EXPECT_EQ(IsNumberInRowOrColumn(16, 15, 9), 1);
    EXPECT_EQ(IsNumberInRowOrColumn(16, 3, 0), 1);
    EXPECT_EQ(IsNumberAllowed(16, 14, 1), 0);
    EXPECT_EQ(IsNumberAllowed(16, 3, 5), 1);
}

}  // namespace
