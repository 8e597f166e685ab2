// The two entry points as the game calls them: column-major byte grids of 256 bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>

#include "Generator.h"
#include "Oracle.h"
#include "SudokuBoard.h"
#include "SudokuEngine.h"

namespace {

using Bytes = std::array<signed char, 256>;

Bytes Filled(signed char v) {
    Bytes b;
    b.fill(v);
    return b;
}

// A clock that moves on by `step` ms whenever it is read.
SudokuGenerator::Clock SteppingClock(std::int64_t step) {
    auto t = std::make_shared<std::int64_t>(0);
    return [t, step] { return *t += step; };
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { SetGeneratePuzzleTestHooks(1234, SteppingClock(1), 50); }
    void TearDown() override { SetGeneratePuzzleTestHooks(SudokuGenerator::FreshSeed(), {}, 50); }

    // Calls GeneratePuzzle as the game does, until it succeeds; every 0 must leave both grids alone.
    void Generate(int size, int level, Bytes& puzzle, Bytes& solution) {
        for (int call = 0; call < 100000; ++call) {
            puzzle = Filled(77);
            solution = Filled(77);
            if (GeneratePuzzle(size, level, puzzle.data(), solution.data()) == 1) return;
            ASSERT_EQ(puzzle, Filled(77));
            ASSERT_EQ(solution, Filled(77));
        }
        FAIL() << "no puzzle for " << size << " " << level;
    }
};

// Grades a puzzle afresh on a board of the engine, without guessing.
struct Grade {
    bool complete;
    bool singlesOnly;  // the singles alone complete it
    TechniqueFlags used;
};

Grade GradeOf(const std::vector<int>& flat, int n) {
    const Grid g = oracle::ToGrid(flat, n);
    const int holes = static_cast<int>(std::count(flat.begin(), flat.end(), 0));
    SudokuBoard board(n);
    board.enabled[kTrialAndError] = false;
    board.SetValues(g);
    board.unsolvedCount = holes;
    board.Solve(false);
    Grade grade{board.unsolvedCount == 0, false, board.used};
    SudokuBoard singles(n);
    singles.enabled.fill(false);
    singles.enabled[kNakedSingle] = singles.enabled[kHiddenSingle] = true;
    singles.SetValues(g);
    singles.unsolvedCount = holes;
    singles.Solve(false);
    grade.singlesOnly = singles.unsolvedCount == 0;
    return grade;
}

TEST_F(EngineTest, EverySizeAndLevelGivesAGradedUniquePuzzle) {
    const int holes[5][5] = {{4, 4, 5, 5, 5},
                             {19, 20, 21, 22, 22},
                             {42, 43, 44, 46, 46},
                             {75, 76, 78, 80, 81},
                             {132, 133, 136, 138, 140}};
    const int sizes[5] = {4, 6, 9, 12, 16};
    for (int s = 0; s < 5; ++s) {
        const int n = sizes[s];
        for (int level = 0; level < 5; ++level) {
            SCOPED_TRACE(testing::Message() << n << " x " << n << " level " << level);
            Bytes puzzle, solution;
            Generate(n, level, puzzle, solution);
            const std::vector<int> p = oracle::FromBytes(puzzle.data(), n);
            const std::vector<int> sol = oracle::FromBytes(solution.data(), n);
            EXPECT_EQ(std::count(p.begin(), p.end(), 0), holes[s][level]);
            EXPECT_TRUE(oracle::CompleteAndValid(sol, n));
            for (int c = 0; c < n * n; ++c) EXPECT_TRUE(p[c] == 0 || p[c] == sol[c]) << c;
            std::vector<std::vector<int>> all;
            EXPECT_EQ(oracle::CountSolutions(p, n, 2, &all), 1);
            EXPECT_TRUE(all.empty() || all[0] == sol);
            EXPECT_TRUE(
                std::all_of(puzzle.begin() + n * n, puzzle.end(), [](signed char b) { return b == 77; }));

            const Grade grade = GradeOf(p, n);
            EXPECT_TRUE(grade.complete);
            if (n == 4 || level < 2) continue;
            EXPECT_FALSE(grade.singlesOnly);
            const auto& u = grade.used;
            const bool blockOrSubset = u[2] || u[3] || u[4] || u[5];
            const bool advanced = std::any_of(u.begin() + 6, u.begin() + 14, [](bool b) { return b; });
            EXPECT_TRUE(level != 2 || blockOrSubset);
            EXPECT_TRUE(level < 3 || advanced);
            EXPECT_TRUE(level != 3 || n != 16 || blockOrSubset);
        }
    }
}

TEST_F(EngineTest, SlicesThatEndWithoutAPuzzleWriteNothing) {
    // Every read of the clock moves it past the slice: one attempt per call.
    SetGeneratePuzzleTestHooks(99, SteppingClock(1000), 50);
    Bytes puzzle, solution;
    int zeros = 0;
    for (int call = 0; call < 100000; ++call) {
        puzzle = Filled(-5);
        solution = Filled(-5);
        if (GeneratePuzzle(9, 4, puzzle.data(), solution.data())) break;
        ++zeros;
        ASSERT_EQ(puzzle, Filled(-5));
        ASSERT_EQ(solution, Filled(-5));
    }
    EXPECT_GT(zeros, 0);
    EXPECT_NE(puzzle, Filled(-5));
}

TEST_F(EngineTest, TheSeedMakesRunsReproducible) {
    Bytes a, b, c, d;
    SetGeneratePuzzleTestHooks(7, SteppingClock(1), 50);
    Generate(9, 2, a, b);
    SetGeneratePuzzleTestHooks(7, SteppingClock(1), 50);
    Generate(9, 2, c, d);
    EXPECT_EQ(a, c);
    EXPECT_EQ(b, d);
    Generate(9, 2, c, d);  // the generator goes on: the next puzzle differs
    EXPECT_NE(a, c);
}

// A complete 6 x 6 grid in blocks 2 rows high and 3 columns wide, row-major.
const std::vector<int> kSix = {1, 2, 3, 4, 5, 6,  //
                               4, 5, 6, 1, 2, 3,  //
                               2, 3, 1, 5, 6, 4,  //
                               5, 6, 4, 2, 3, 1,  //
                               3, 1, 2, 6, 4, 5,  //
                               6, 4, 5, 3, 1, 2};

TEST_F(EngineTest, GridsAreColumnMajorAndCompleteGridsAreCopied) {
    const std::vector<signed char> six = oracle::ToBytes(kSix, 6);
    Bytes in = Filled(0);
    std::copy(six.begin(), six.end(), in.begin());
    Bytes out = Filled(0);
    EXPECT_EQ(SolvePuzzle(6, in.data(), out.data()), 1);
    EXPECT_TRUE(std::equal(in.begin(), in.begin() + 36, out.begin()));
    EXPECT_EQ(in[1], 4);  // row 1, column 0
    EXPECT_EQ(in[6], 2);  // row 0, column 1
    in[1] = 0;
    in[6] = 0;
    out = Filled(9);
    ASSERT_EQ(SolvePuzzle(6, in.data(), out.data()), 1);
    EXPECT_EQ(out[1], 4);
    EXPECT_EQ(out[6], 2);
    EXPECT_EQ(out[36], 9);  // nothing past N x N is written
    // Read row-major instead, the same bytes break the 2 x 3 blocks: refused.
    Bytes transposed = Filled(0);
    for (int i = 0; i < 36; ++i) transposed[i] = static_cast<signed char>(kSix[i]);
    EXPECT_EQ(SolvePuzzle(6, transposed.data(), out.data()), 0);
}

TEST_F(EngineTest, SolveGivesTheFirstSolutionInGuessingOrder) {
    for (int n : {4, 6, 9, 12, 16}) {
        Bytes out = Filled(0);
        ASSERT_EQ(SolvePuzzle(n, Filled(0).data(), out.data()), 1) << n;
        EXPECT_TRUE(oracle::CompleteAndValid(oracle::FromBytes(out.data(), n), n)) << n;
        if (n == 4) {
            EXPECT_EQ(oracle::FromBytes(out.data(), 4),
                      (std::vector<int>{1, 2, 3, 4, 3, 4, 1, 2, 2, 1, 4, 3, 4, 3, 2, 1}));
        }
    }
    std::vector<int> g(36, 0);
    g[0 * 6 + 4] = 1;
    g[1 * 6 + 1] = 4;
    g[2 * 6 + 0] = 6;
    g[3 * 6 + 3] = 2;
    g[4 * 6 + 2] = 5;
    g[5 * 6 + 5] = 3;
    std::vector<oracle::Flat> all;
    oracle::CountSolutions(g, 6, 100000, &all);
    ASSERT_GT(all.size(), 1u);
    const std::vector<signed char> in = oracle::ToBytes(g, 6);
    Bytes out = Filled(0);
    ASSERT_EQ(SolvePuzzle(6, in.data(), out.data()), 1);
    EXPECT_EQ(oracle::FromBytes(out.data(), 6), *std::min_element(all.begin(), all.end()));
}

TEST_F(EngineTest, SolveUniquePuzzleGivesItsSolution) {
    Bytes puzzle, solution;
    Generate(16, 4, puzzle, solution);
    Bytes out = Filled(0);
    EXPECT_EQ(SolvePuzzle(16, puzzle.data(), out.data()), 1);
    EXPECT_EQ(out, solution);
}

TEST_F(EngineTest, SolveWithoutSolutionKeepsTheGivens) {
    // Row 0 holds 1..8, so (0, 8) must be 9, but column 8 already has a 9: no duplicates, no solution.
    std::vector<int> g(81, 0);
    for (int k = 0; k < 8; ++k) g[k] = k + 1;
    g[5 * 9 + 8] = 9;
    const std::vector<signed char> in = oracle::ToBytes(g, 9);
    Bytes out = Filled(0);
    EXPECT_EQ(SolvePuzzle(9, in.data(), out.data()), 0);
    const std::vector<int> result = oracle::FromBytes(out.data(), 9);
    for (int c = 0; c < 81; ++c) EXPECT_TRUE(g[c] == 0 || result[c] == g[c]) << c;
    EXPECT_EQ(result[8], 0);
    EXPECT_TRUE(oracle::Consistent(result, 9));
}

// Bad sizes, null grids, levels out of range and givens that break the rules are refused without
// writing anything beyond the givens (invalid complete grids were once reported solved).
TEST_F(EngineTest, EntryPointsRefuseBadArguments) {
    Bytes puzzle = Filled(3), solution = Filled(3);
    for (int size : {0, 1, 5, 7, 8, 10, 17, 25, -9}) {
        EXPECT_EQ(GeneratePuzzle(size, 0, puzzle.data(), solution.data()), 0) << size;
        EXPECT_EQ(SolvePuzzle(size, puzzle.data(), solution.data()), 0) << size;
    }
    for (int level : {-1, 5, 100}) EXPECT_EQ(GeneratePuzzle(9, level, puzzle.data(), solution.data()), 0);
    EXPECT_EQ(GeneratePuzzle(9, 0, nullptr, solution.data()), 0);
    EXPECT_EQ(GeneratePuzzle(9, 0, puzzle.data(), nullptr), 0);
    EXPECT_EQ(SolvePuzzle(9, nullptr, solution.data()), 0);
    EXPECT_EQ(SolvePuzzle(9, puzzle.data(), nullptr), 0);
    EXPECT_EQ(puzzle, Filled(3));
    EXPECT_EQ(solution, Filled(3));

    std::vector<std::vector<int>> bad(5, std::vector<int>(81, 0));
    bad[0][0] = bad[0][8] = 7;    // row
    bad[1][9] = bad[1][72] = 2;   // column: (1, 0) and (8, 0)
    bad[2][0] = bad[2][20] = 5;   // block: (0, 0) and (2, 2)
    bad[3][40] = 10;
    bad[4][3] = -1;
    std::vector<int> full = kSix;  // a complete grid with a repeat
    std::swap(full[0], full[1]);
    bad.push_back(full);
    for (const auto& flat : bad) {
        const int n = flat.size() == 36 ? 6 : 9;
        const std::vector<signed char> in = oracle::ToBytes(flat, n);
        Bytes out = Filled(42);
        EXPECT_EQ(SolvePuzzle(n, in.data(), out.data()), 0);
        EXPECT_TRUE(std::equal(in.begin(), in.begin() + n * n, out.begin()));
        EXPECT_TRUE(std::all_of(out.begin() + n * n, out.end(), [](signed char b) { return b == 42; }));
    }
}


// Random givens taken from a complete grid: always solvable, often with many solutions.
std::vector<int> PartOf(const std::vector<int>& solution, int givens, std::mt19937& rng) {
    std::vector<int> g(solution.size(), 0);
    for (int placed = 0; placed < givens;) {
        const int c = static_cast<int>(rng() % g.size());
        if (!g[c]) g[c] = solution[c], ++placed;
    }
    return g;
}

TEST_F(EngineTest, SolveReachesWhatGuessingInCellOrderReaches) {
    std::mt19937 rng(31);
    Bytes puzzle, solution;
    for (int trial = 0; trial < 12; ++trial) {
        Generate(9, trial % 5, puzzle, solution);
        const std::vector<int> g = PartOf(oracle::FromBytes(solution.data(), 9), 22 + trial, rng);
        // The solving loop with trial and error on a board of the engine.
        SudokuBoard board(9);
        board.SetValues(oracle::ToGrid(g, 9));
        board.unsolvedCount = static_cast<int>(std::count(g.begin(), g.end(), 0)) + 1;
        board.Solve(false);
        ASSERT_EQ(board.unsolvedCount, 0);
        const std::vector<int> guessed = oracle::FlatOf(board.GetValues());

        const std::vector<signed char> in = oracle::ToBytes(g, 9);
        Bytes out = Filled(0);
        ASSERT_EQ(SolvePuzzle(9, in.data(), out.data()), 1);
        EXPECT_EQ(oracle::FromBytes(out.data(), 9), guessed) << trial;
    }
}

TEST_F(EngineTest, SolveSettlesOnSparseLargeGrids) {
    std::mt19937 rng(32);
    Bytes puzzle, solution;
    Generate(16, 0, puzzle, solution);
    const std::vector<int> full = oracle::FromBytes(solution.data(), 16);
    for (int givens : {0, 8, 30, 60, 90}) {
        std::vector<int> g = PartOf(full, givens, rng);
        // One clash-free value that may or may not spoil solvability.
        const int c = static_cast<int>(rng() % 256);
        if (!g[c]) {
            for (int v = 1; v <= 16; ++v) {
                g[c] = v;
                if (oracle::Consistent(g, 16)) break;
                g[c] = 0;
            }
        }
        const std::vector<signed char> in = oracle::ToBytes(g, 16);
        Bytes out = Filled(0);
        const int result = SolvePuzzle(16, in.data(), out.data());
        const std::vector<int> o = oracle::FromBytes(out.data(), 16);
        for (int i = 0; i < 256; ++i) EXPECT_TRUE(g[i] == 0 || o[i] == g[i]) << givens << " " << i;
        if (result == 1) {
            EXPECT_TRUE(oracle::CompleteAndValid(o, 16)) << givens;
        }
        EXPECT_TRUE(oracle::Consistent(o, 16)) << givens;
    }
}

}  // namespace
