// The board model over a whole game's life: a board judged on its own cells only when a larger board's
// numbers are still in the grids beyond it, the first and last row, column and number of every size, the
// set-up of a new, typed-in or restarted puzzle, the aids' switches, and a long solve's pump.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <vector>

#include "BoardWorld.h"
#include "Generator.h"
#include "SudokuEngine.h"
#include "game/Core.h"
#include "platform/Clock.h"
#include "platform/Random.h"

namespace {

using board::Now;

// A solved grid of size w * h in the shifted pattern, column x and row y.
int PatternValue(int w, int h, int x, int y) {
    const int n = w * h;
    return (w * (y % h) + y / h + x) % n + 1;
}

class CoreBoardTest : public board::CoreWorld {
  protected:
    void SetUp() override {
        CoreWorld::SetUp();
        // Every generated puzzle is the pattern grid with every third cell given.
        Core.Generate = [](int size, int, signed char* puzzle, signed char* solution) {
            const auto [w, h] = RegionShape(size);
            for (int x = 0; x < size; ++x)
                for (int y = 0; y < size; ++y) {
                    const int v = PatternValue(w, h, x, y);
                    solution[x * size + y] = static_cast<signed char>(v);
                    puzzle[x * size + y] = static_cast<signed char>((x + 2 * y) % 3 == 0 ? v : 0);
                }
            return 1;
        };
        Puzzle = PuzzleStart = Locked = Solution = {};
        Markup = {};
        ShowMarkup = ShowSolution = ShowMistakes = ShowDesiredCellArmed = PuzzleCompleted = 0;
        CustomPuzzleMode = CustomPuzzleAccepted = 0;
        NumbersLocked = 1;
        Core.Start();
    }
    void TearDown() override {
        CoreWorld::TearDown();
        Core = TCore();
    }

    // A new puzzle of size n as the board screen starts one.
    static void Deal(int n, int level = 2) {
        PuzzleWidth = PuzzleHeight = n;
        Core.SetPuzzleRegion();
        Core.CreatePuzzle(n, n, level);
        Core.RestartPuzzle();
    }

    // The board after a finished 16 x 16 game: its numbers are still in the grids beyond a smaller board.
    static void DealAfterALargeGame(int n) {
        Deal(16);
        Puzzle = Solution;
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y) Markup[x][y].fill(1);
        Deal(n);
    }
};

const int AllSizes[] = {4, 6, 9, 12, 16};

// Numbers left beyond a smaller board by a larger one never count: no false double, no missing
// completion, no automatic mark from them, no reveal outside the board, no byte past N x N for the engine.
TEST_F(CoreBoardTest, ASmallerBoardIsJudgedOnItsOwnCellsOnly) {
    for (int n : {4, 6, 9, 12}) {
        SCOPED_TRACE(n);
        DealAfterALargeGame(n);
        int left = 0;
        for (int y = 0; y < 16; ++y) left += PuzzleStart[n][y] != 0 && PuzzleStart[y][n] != 0;
        ASSERT_GT(left, 0) << "the large game's givens are still there";
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                for (int v = 1; v <= n; ++v)
                    ASSERT_EQ(IsNumberAllowed(v, x, y) == 1, OracleAllowed(v, x, y, n))
                        << x << "," << y << " " << v;
        ShowMarkup = 0;
        Core.ShowHideMarkup();
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                for (int v = 1; v <= n; ++v)
                    ASSERT_EQ(Markup[x][y][v - 1] == 1, OracleAllowed(v, x, y, n))
                        << x << "," << y << " " << v;
        // Every reveal lands on the board until it is solved, then nothing more changes.
        const TByteGrid before = Puzzle;
        int empty = 0;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) empty += Puzzle[x][y] == 0;
        for (int i = 0; i < empty; ++i) Core.ShowRandomCell();
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y)
                if (x >= n || y >= n) {
                    ASSERT_EQ(Puzzle[x][y], before[x][y]) << x << "," << y;
                }
        EXPECT_EQ(Core.IsPuzzleCompleted(), 1);
        EXPECT_EQ(PuzzleCompleted, 1);
        // The engine sees the board and zeros after it.
        std::vector<signed char> sent;
        Core.Solve = [&](int size, const signed char* cells, signed char* out) {
            sent.assign(cells, cells + 256);
            for (int i = 0; i < size * size; ++i) out[i] = cells[i];
            return 1;
        };
        Core.Grade = [](int, const signed char*) { return 1; };
        ASSERT_EQ(Core.CheckCustomPuzzle(), 1);
        for (int i = n * n; i < 256; ++i) ASSERT_EQ(sent[i], 0) << i;
        // Marks off clears every mark of the board, the highest number's too.
        Core.ShowHideMarkup();
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                for (int v = 0; v < n; ++v) ASSERT_EQ(Markup[x][y][v], 0);
    }
}

// The largest board's automatic marks follow the rule to its last row, column and number.
TEST_F(CoreBoardTest, TheLargestBoardsAutomaticMarksFollowTheRule) {
    Deal(16);
    std::mt19937 random(245);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            if (Puzzle[x][y] == 0 && random() % 4 == 0)
                Puzzle[x][y] = static_cast<std::uint8_t>(random() % 16 + 1);
    Puzzle[15][15] = 16;
    Core.ShowHideMarkup();
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            for (int v = 1; v <= 16; ++v)
                ASSERT_EQ(Markup[x][y][v - 1] == 1, OracleAllowed(v, x, y, 16)) << x << "," << y << " " << v;
    EXPECT_EQ(Markup[15][0][15], 0) << "16 stands in the last column";
    EXPECT_EQ(IsNumberAllowed(16, 0, 15), 0) << "and in the last row";
}

// One wrong or empty cell anywhere, the four corners included, and the board is not complete.
TEST_F(CoreBoardTest, CompletionNeedsEveryCellUpToTheCorners) {
    for (int n : AllSizes) {
        for (const auto& [x, y] : {std::pair{0, 0}, {n - 1, n - 1}, {0, n - 1}, {n - 1, 0}, {n / 2, 1}}) {
            Deal(n);
            Puzzle = Solution;
            Puzzle[x][y] = static_cast<std::uint8_t>(Solution[x][y] % n + 1);
            PuzzleCompleted = 0;
            EXPECT_EQ(Core.IsPuzzleCompleted(), 0) << n << " " << x << "," << y;
            EXPECT_EQ(PuzzleCompleted, 0);
            Puzzle[x][y] = 0;
            EXPECT_EQ(Core.IsPuzzleCompleted(), 0) << n << " " << x << "," << y;
        }
        Puzzle = Solution;
        EXPECT_EQ(Core.IsPuzzleCompleted(), 1);
        EXPECT_EQ(PuzzleCompleted, 1);
    }
}

// The givens lock, and locking the numbers follows what stands on the board, corners included.
TEST_F(CoreBoardTest, LocksFollowTheGivensAndTheNumbersOnTheBoard) {
    Deal(16);
    PuzzleStart[0][0] = PuzzleStart[15][15] = 5;
    PuzzleStart[0][15] = PuzzleStart[15][0] = 0;
    Locked[0][15] = Locked[15][0] = 1;
    Core.SetDefaultLocked();
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) ASSERT_EQ(Locked[x][y], PuzzleStart[x][y] != 0 ? 1 : 0) << x << "," << y;
    // Locking off unlocks everything; on again locks every number standing, the player's own too.
    Puzzle = PuzzleStart;
    Puzzle[15][0] = 7;
    ASSERT_EQ(NumbersLocked, 1);
    Core.LockNumbers();
    EXPECT_EQ(NumbersLocked, 0);
    EXPECT_EQ(Locked, TByteGrid{});
    Core.LockNumbers();
    EXPECT_EQ(NumbersLocked, 1);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) ASSERT_EQ(Locked[x][y], Puzzle[x][y] != 0 ? 1 : 0) << x << "," << y;
    EXPECT_EQ(Locked[15][0], 1);
    EXPECT_EQ(Locked[0][15], 0);
}

// The aids switch on and off, each on its own.
TEST_F(CoreBoardTest, EachAidSwitchesOnAndOff) {
    Deal(9);
    const struct {
        const char* what;
        std::function<int()> toggle;
        int* flag;
    } rows[] = {
        {"solution", [] { return Core.ShowHideSolution(); }, &ShowSolution},
        {"mistakes", [] { return Core.ShowHideMistakes(); }, &ShowMistakes},
        {"marks", [] { return Core.ShowHideMarkup(); }, &ShowMarkup},
        {"locks", [] { return Core.LockNumbers(); }, &NumbersLocked},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const int start = *row.flag;
        std::map<int*, int> others;
        for (const auto& other : rows)
            if (other.flag != row.flag) others[other.flag] = *other.flag;
        row.toggle();
        EXPECT_EQ(*row.flag, 1 - start);
        row.toggle();
        EXPECT_EQ(*row.flag, start);
        row.toggle();
        EXPECT_EQ(*row.flag, 1 - start);
        for (const auto& [flag, value] : others) EXPECT_EQ(*flag, value);
        row.toggle();
    }
    EXPECT_EQ(Core.ShowDesiredCell(), 0);
    EXPECT_EQ(ShowDesiredCellArmed, 1);
    // Marks on fill the board with the automatic marks, the highest number's too; off clears them all.
    Core.ShowHideMarkup();
    ASSERT_EQ(ShowMarkup, 1);
    int x = 0, y = 0;
    while (Puzzle[x][y] != 0) ++y;
    bool any = false;
    for (int v = 0; v < 9; ++v) any = any || Markup[x][y][v] == 1;
    EXPECT_TRUE(any);
    Core.ShowHideMarkup();
    for (int cx = 0; cx < 9; ++cx)
        for (int cy = 0; cy < 9; ++cy)
            for (int v = 0; v < 9; ++v) ASSERT_EQ(Markup[cx][cy][v], 0);
}

// Restarting puts the givens back and every aid, mark and the stopwatch as a new game has them.
TEST_F(CoreBoardTest, RestartingResetsEverything) {
    Deal(16);
    const TByteGrid givens = PuzzleStart;
    Puzzle = Solution;
    Locked = {};
    Markup[0][0][0] = Markup[15][15][15] = Markup[0][15][7] = 1;
    PuzzleCompleted = ShowSolution = ShowMistakes = ShowDesiredCellArmed = ShowMarkup = 1;
    NumbersLocked = 0;
    PuzzleEndTime = 5;
    Now = 424242;
    EXPECT_EQ(Core.RestartPuzzle(), 0);
    EXPECT_EQ(Puzzle, givens);
    EXPECT_EQ(Markup[0][0][0] + Markup[15][15][15] + Markup[0][15][7], 0);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) ASSERT_EQ(Locked[x][y], givens[x][y] != 0 ? 1 : 0);
    EXPECT_EQ(
        (std::vector<int>{PuzzleCompleted, ShowSolution, ShowMistakes, ShowDesiredCellArmed, ShowMarkup}),
        (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(NumbersLocked, 1);
    EXPECT_EQ(PuzzleStartTime, 424242);
    EXPECT_EQ(PuzzleEndTime, 0);
}

// A new puzzle is made at the board's size and level, its cells fly in, and it starts afresh; a typed-in
// puzzle starts from an empty board; starting the game comes back to 9 x 9 at the first level.
TEST_F(CoreBoardTest, NewTypedInAndFirstPuzzlesAreSetUpInFull) {
    std::vector<int> flyIns;
    Core.OnCreateCells = [&](int flyIn) { flyIns.push_back(flyIn); };
    std::vector<std::pair<int, int>> asked;
    auto generate = Core.Generate;
    Core.Generate = [&](int size, int level, signed char* puzzle, signed char* solution) {
        asked.emplace_back(size, level);
        return generate(size, level, puzzle, solution);
    };
    PuzzleWidth = PuzzleHeight = 12;
    Core.SetPuzzleRegion();
    PuzzleDifficulty = 3;
    ShowSolution = 1;
    Now = 7000;
    EXPECT_EQ(Core.NewPuzzle(), 0);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{12, 3}}));
    EXPECT_EQ(flyIns, std::vector<int>{1});
    EXPECT_EQ(Puzzle, PuzzleStart);
    EXPECT_NE(Solution[11][11], 0);
    EXPECT_EQ(Locked[0][0], 1) << "the givens locked";
    EXPECT_EQ(ShowSolution, 0);
    EXPECT_EQ(PuzzleStartTime, 7000);

    Puzzle[1][1] = 4;
    Markup[2][2][11] = 1;
    ShowMistakes = 1;
    EXPECT_EQ(Core.CustomPuzzle(), 0);
    EXPECT_EQ(flyIns, (std::vector<int>{1, 1}));
    for (const TByteGrid* grid : {&Puzzle, &PuzzleStart, &Solution, &Locked}) EXPECT_EQ(*grid, TByteGrid{});
    EXPECT_EQ(Markup[2][2][11], 0);
    EXPECT_EQ(ShowMistakes, 0);
    EXPECT_EQ(asked.size(), 1u) << "nothing generated";

    PuzzleWidth = PuzzleHeight = 16;
    PuzzleDifficulty = 4;
    Core.SetPuzzleRegion();
    EXPECT_EQ(Core.Start(), 0);
    EXPECT_EQ((std::vector<int>{PuzzleWidth, PuzzleHeight, PuzzleDifficulty, RegionWidth, RegionHeight}),
              (std::vector<int>{9, 9, 0, 3, 3}));
}

// A made puzzle's numbers are its givens, and it seeds the shared random numbers from the clock.
TEST_F(CoreBoardTest, AMadePuzzleStandsOnTheBoardAndSeedsTheRandomNumbers) {
    for (int n : AllSizes) {
        Puzzle = {};
        Now = 5000 + n;
        Core.CreatePuzzle(n, n, 1);
        EXPECT_EQ(Puzzle, PuzzleStart) << n;
        const auto [w, h] = RegionShape(n);
        EXPECT_EQ(Solution[n - 1][n - 1], PatternValue(w, h, n - 1, n - 1)) << n;
        std::vector<int> after;
        for (int i = 0; i < 8; ++i) after.push_back(Rand(0, 1000000));
        SeedRnd(static_cast<std::uint32_t>(5000 + n));
        std::vector<int> seeded;
        for (int i = 0; i < 8; ++i) seeded.push_back(Rand(0, 1000000));
        EXPECT_EQ(after, seeded) << n;
    }
}

// A typed-in puzzle: an abandoned solve answers -1 and changes nothing; an accepted one tells the screen.
TEST_F(CoreBoardTest, ATypedInPuzzleIsAcceptedOnlyWhenSolved) {
    PuzzleWidth = PuzzleHeight = 6;
    Core.SetPuzzleRegion();
    Puzzle[0][0] = 1;
    int accepted = 0;
    Core.OnCustomPuzzleAccepted = [&] { ++accepted; };
    for (int answer : {-1, 0, 2}) {
        Core.Solve = [answer](int, const signed char*, signed char* out) {
            out[0] = 3;
            return answer;
        };
        EXPECT_EQ(Core.CheckCustomPuzzle(), answer < 0 ? -1 : 0) << answer;
        EXPECT_EQ(Solution, TByteGrid{});
        EXPECT_EQ(PuzzleStart, TByteGrid{});
        EXPECT_EQ(CustomPuzzleAccepted, 0);
        EXPECT_EQ(accepted, 0);
    }
    Core.Solve = [](int size, const signed char*, signed char* out) {
        for (int i = 0; i < size * size; ++i) out[i] = 1;
        return 1;
    };
    Core.Grade = [](int, const signed char*) { return 3; };
    EXPECT_EQ(Core.CheckCustomPuzzle(), 1);
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(CustomPuzzleAccepted, 1);
    EXPECT_EQ(PuzzleStart[0][0], 1);
    EXPECT_EQ(Solution[5][5], 1);
    EXPECT_EQ(HighScoreDifficulty(), 3);
    Core.OnCustomPuzzleAccepted = nullptr;
    EXPECT_EQ(Core.CheckCustomPuzzle(), 1) << "no screen to tell";
}

// The real engine's long solve pumps the window through the core, and stops when the player asks.
TEST_F(CoreBoardTest, ALongSolvePumpsTheWindowAndStopsWhenAsked) {
    auto stepping = [] {
        auto t = std::make_shared<std::int64_t>(0);
        return [t] { return *t += 100; };
    };
    PuzzleWidth = PuzzleHeight = 16;
    Core.SetPuzzleRegion();
    int pumps = 0, asks = 0;
    Core = TCore();
    Core.PumpEvents = [&] { ++pumps; };
    Core.SolveAbandoned = [&] { return ++asks, false; };
    SetGeneratePuzzleTestHooks(1, stepping(), 50);
    Puzzle = {};
    EXPECT_EQ(Core.CheckCustomPuzzle(), 1);
    EXPECT_GT(pumps, 0);
    EXPECT_EQ(asks, pumps);
    EXPECT_NE(Solution[15][15], 0);

    Solution = PuzzleStart = {};
    CustomPuzzleAccepted = 0;
    pumps = asks = 0;
    Core.SolveAbandoned = [&] { return ++asks, true; };
    SetGeneratePuzzleTestHooks(1, stepping(), 50);
    EXPECT_EQ(Core.CheckCustomPuzzle(), -1);
    EXPECT_EQ(asks, 1);
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(Solution, TByteGrid{});
    EXPECT_EQ(CustomPuzzleAccepted, 0);

    // Without a pump or a question the solve simply goes on.
    Core.PumpEvents = nullptr;
    Core.SolveAbandoned = nullptr;
    SetGeneratePuzzleTestHooks(1, stepping(), 50);
    EXPECT_EQ(Core.CheckCustomPuzzle(), 1);
    SetGeneratePuzzleTestHooks(SudokuGenerator::FreshSeed(), {}, 50);
}

// A reveal picks among all differing cells, the first and the last among them too.
TEST_F(CoreBoardTest, ARevealCanPickAnyDifferingCell) {
    PuzzleWidth = PuzzleHeight = 4;
    Core.SetPuzzleRegion();
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            Solution[x][y] = Puzzle[x][y] = static_cast<std::uint8_t>(PatternValue(2, 2, x, y));
    SeedRnd(243);
    std::map<std::pair<int, int>, int> picked;
    for (int round = 0; round < 60; ++round) {
        Puzzle[0][0] = Puzzle[3][3] = Puzzle[1][2] = 0;
        Core.ShowRandomCell();
        for (const auto& cell : {std::pair{0, 0}, {3, 3}, {1, 2}})
            if (Puzzle[cell.first][cell.second] != 0) ++picked[cell];
    }
    EXPECT_EQ(picked.size(), 3u);
    for (const auto& [cell, count] : picked) EXPECT_GT(count, 5) << cell.first << "," << cell.second;
}

// The rule check sees a double in a row alone or in a column alone.
TEST_F(CoreBoardTest, TheRuleCheckSeesADoubleInARowOrAColumnAlone) {
    // Rows 1234, 3412, 1234, 3412: every row and 2 x 2 region whole, columns doubled; and turned.
    TByteGrid columnsDoubled{}, rowsDoubled{};
    const int rows[4][4] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {1, 2, 3, 4}, {3, 4, 1, 2}};
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            columnsDoubled[x][y] = static_cast<std::uint8_t>(rows[y][x]);
            rowsDoubled[y][x] = static_cast<std::uint8_t>(rows[y][x]);
        }
    EXPECT_FALSE(GridFollowsTheRule(columnsDoubled, 4, 2, 2));
    EXPECT_FALSE(GridFollowsTheRule(rowsDoubled, 4, 2, 2));
    TByteGrid good{};
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) good[x][y] = static_cast<std::uint8_t>(PatternValue(4, 4, x, y));
    EXPECT_TRUE(GridFollowsTheRule(good, 16, 4, 4));
    EXPECT_FALSE(GridFollowsTheRule(good, 16, 4, 3)) << "17 regions would be needed";
}

}  // namespace
