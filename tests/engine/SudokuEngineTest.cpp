// The two entry points as the game calls them: column-major byte grids of 256 bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <tuple>

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
    int Generate(int size, int level, Bytes& puzzle, Bytes& solution) {
        for (int call = 0; call < 100000; ++call) {
            puzzle = Filled(77);
            solution = Filled(77);
            if (GeneratePuzzle(size, level, puzzle.data(), solution.data()) == 1) return call;
            EXPECT_EQ(puzzle, Filled(77));
            EXPECT_EQ(solution, Filled(77));
        }
        ADD_FAILURE() << "no puzzle for " << size << " " << level;
        return 0;
    }
};

// Solves a puzzle afresh without guessing, with every technique or with the singles only.
bool Solves(const std::vector<int>& flat, int n, bool singlesOnly, TechniqueFlags* used = nullptr) {
    SudokuBoard board(n);
    board.enabled[kTrialAndError] = false;
    if (singlesOnly) {
        board.enabled.fill(false);
        board.enabled[kNakedSingle] = board.enabled[kHiddenSingle] = true;
    }
    board.SetValues(oracle::ToGrid(flat, n));
    board.unsolvedCount = static_cast<int>(std::count(flat.begin(), flat.end(), 0));
    board.Solve(false);
    if (used) *used = board.used;
    return board.unsolvedCount == 0;
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
            std::vector<std::vector<int>> all;
            EXPECT_EQ(oracle::CountSolutions(p, n, 2, &all), 1);
            EXPECT_TRUE(all.empty() || all[0] == sol);
            // SolvePuzzle gives the same solution back.
            Bytes out = Filled(77);
            EXPECT_EQ(SolvePuzzle(n, puzzle.data(), out.data()), 1);
            EXPECT_EQ(out, solution);
            EXPECT_EQ(std::count(puzzle.begin() + n * n, puzzle.end(), 77), 256 - n * n);

            TechniqueFlags u{};
            EXPECT_TRUE(Solves(p, n, false, &u));
            if (n == 4 || level < 2) continue;
            EXPECT_FALSE(Solves(p, n, true));
            const bool blockOrSubset = u[2] || u[3] || u[4] || u[5];
            const bool advanced = std::any_of(u.begin() + 6, u.begin() + 14, [](bool b) { return b; });
            EXPECT_TRUE(level != 2 || blockOrSubset);
            EXPECT_TRUE(level < 3 || advanced);
            EXPECT_TRUE(level != 3 || n != 16 || blockOrSubset);
        }
    }
}

TEST_F(EngineTest, SlicesWithoutAPuzzleWriteNothingAndTheSeedMakesRunsReproducible) {
    // Every read of the clock moves it past the slice: one attempt per call.
    SetGeneratePuzzleTestHooks(99, SteppingClock(1000), 50);
    Bytes a, b, c, d;
    EXPECT_GT(Generate(9, 4, a, b), 0);
    SetGeneratePuzzleTestHooks(99, SteppingClock(1000), 50);
    Generate(9, 4, c, d);
    EXPECT_EQ(a, c);
    EXPECT_EQ(b, d);
    Generate(9, 4, c, d);  // the generator goes on: the next puzzle differs
    EXPECT_NE(a, c);
}

TEST_F(EngineTest, SolveReadsColumnMajorGridsAndGivesTheFirstSolutionInGuessingOrder) {
    std::vector<int> g(36, 0);  // row-major
    for (auto [r, k, v] : {std::tuple{0, 4, 1}, {1, 1, 4}, {2, 0, 6}, {3, 3, 2}, {4, 2, 5}, {5, 5, 3}})
        g[r * 6 + k] = v;
    std::vector<oracle::Flat> all;
    oracle::CountSolutions(g, 6, 100000, &all);
    ASSERT_GT(all.size(), 1u);
    const std::vector<signed char> in = oracle::ToBytes(g, 6);
    Bytes out = Filled(9);
    ASSERT_EQ(SolvePuzzle(6, in.data(), out.data()), 1);
    EXPECT_EQ(oracle::FromBytes(out.data(), 6), *std::min_element(all.begin(), all.end()));
    EXPECT_EQ(out[36], 9);  // nothing past N x N is written
    // Read row-major instead, a complete grid's bytes break the 2 x 3 blocks: refused.
    Bytes transposed = Filled(0);
    for (int i = 0; i < 36; ++i) transposed[i] = static_cast<signed char>(all[0][i]);
    EXPECT_EQ(SolvePuzzle(6, transposed.data(), out.data()), 0);
}

// Bad sizes, null grids, levels out of range, givens that break the rules and givens without a
// solution are refused without writing anything beyond the givens (invalid complete grids were
// once reported solved).
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

    std::vector<std::vector<int>> bad(6, std::vector<int>(81, 0));
    bad[0][0] = bad[0][8] = 7;    // row
    bad[1][9] = bad[1][72] = 2;   // column: (1, 0) and (8, 0)
    bad[2][0] = bad[2][20] = 5;   // block: (0, 0) and (2, 2)
    bad[3][40] = 10;
    bad[4][3] = -1;
    for (int k = 0; k < 8; ++k) bad[5][k] = k + 1;  // (0, 8) must be 9, but column 8 has one
    bad[5][5 * 9 + 8] = 9;
    std::mt19937 rng(5);
    std::vector<int> full = oracle::Solver(6).RandomSolution(rng);  // a complete grid with a repeat
    full[1] = full[0];
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

// Sparse typed-in 16 x 16 grids settle: the search is bounded and never hangs.
TEST_F(EngineTest, SolveSettlesOnSparseLargeGrids) {
    std::mt19937 rng(32);
    const std::vector<int> full = oracle::Solver(16).RandomSolution(rng);
    for (int givens : {0, 8, 30, 60, 90}) {
        std::vector<int> g(256, 0);
        for (int placed = 0; placed < givens;) {
            const int c = static_cast<int>(rng() % g.size());
            if (!g[c]) g[c] = full[c], ++placed;
        }
        const std::vector<signed char> in = oracle::ToBytes(g, 16);
        Bytes out = Filled(0);
        const int result = SolvePuzzle(16, in.data(), out.data());
        const std::vector<int> o = oracle::FromBytes(out.data(), 16);
        for (int i = 0; i < 256; ++i) EXPECT_TRUE(g[i] == 0 || o[i] == g[i]) << givens << " " << i;
        EXPECT_TRUE(result == 1 ? oracle::CompleteAndValid(o, 16) : oracle::Consistent(o, 16)) << givens;
    }
}

}  // namespace
