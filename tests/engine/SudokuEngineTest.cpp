// The two entry points as the game calls them: column-major byte grids of 256 bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <tuple>
#include <utility>

#include "Generator.h"
#include "Oracle.h"
#include "SolutionCounter.h"
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
    bad[0][0] = bad[0][8] = 7;   // row
    bad[1][9] = bad[1][72] = 2;  // column: (1, 0) and (8, 0)
    bad[2][0] = bad[2][20] = 5;  // block: (0, 0) and (2, 2)
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

// A puzzle dug from a generated one until no given can go without a second solution.
std::vector<int> Minimal(const std::vector<int>& puzzle, int n, std::mt19937& rng) {
    const oracle::Shape shape = oracle::ShapeOf(n);
    std::vector<int> g = puzzle;
    std::vector<int> order(n * n);
    for (int i = 0; i < n * n; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), rng);
    for (int cell : order) {
        const int v = g[cell];
        g[cell] = 0;
        if (v && CountSolutions(g, shape.colsPerBlock, shape.rowsPerBlock) != 1) g[cell] = v;
    }
    return g;
}

// Minimal puzzles, the same with more givens taken out (several solutions) and with one wrong given
// that repeats nothing (no solution): each decided as the oracle decides it, on every size. Up to
// 12 x 12 the oracle counts the solutions itself; on 16 x 16 its plain search is too slow for such
// sparse grids, and the answers follow from how the grids are made.
TEST_F(EngineTest, SolveDecidesMinimalSparseAndUnsolvableGridsOfEverySize) {
    std::mt19937 rng(12);
    for (int n : {4, 6, 9, 12, 16}) {
        for (int round = 0; round < (n == 16 ? 2 : 6); ++round) {
            SCOPED_TRACE(testing::Message() << n << " x " << n << " round " << round);
            Bytes puzzle, solution;
            Generate(n, 4, puzzle, solution);
            const std::vector<int> sol = oracle::FromBytes(solution.data(), n);
            const std::vector<int> minimal = Minimal(oracle::FromBytes(puzzle.data(), n), n, rng);
            const bool oracleCounts = n <= 12;
            const auto solve = [&](const std::vector<int>& g) {
                const std::vector<signed char> in = oracle::ToBytes(g, n);
                Bytes out = Filled(0);
                const int result = SolvePuzzle(n, in.data(), out.data());
                const std::vector<int> o = oracle::FromBytes(out.data(), n);
                for (int i = 0; i < n * n; ++i) EXPECT_TRUE(g[i] == 0 || o[i] == g[i]) << i;
                EXPECT_TRUE(result == 1 ? oracle::CompleteAndValid(o, n) : oracle::Consistent(o, n));
                return std::pair{result, o};
            };
            // One solution: that one.
            if (oracleCounts) {
                ASSERT_EQ(oracle::CountSolutions(minimal, n, 2), 1);
            }
            EXPECT_EQ(solve(minimal), std::pair(1, sol));
            // Several: a solution, and for the small sizes the first in reading order.
            std::vector<int> sparse = minimal;
            for (int taken = 0; taken < n;) {
                const int cell = static_cast<int>(rng() % sparse.size());
                if (sparse[cell]) sparse[cell] = 0, ++taken;
            }
            const auto [several, solved] = solve(sparse);
            EXPECT_EQ(several, 1);
            if (n <= 6) {
                std::vector<oracle::Flat> all;
                oracle::CountSolutions(sparse, n, 100000, &all);
                EXPECT_EQ(solved, *std::min_element(all.begin(), all.end()));
            }
            // A wrong given on an empty cell: any solution would also solve the minimal puzzle.
            std::vector<int> wrong = minimal;
            for (;;) {
                const int cell = static_cast<int>(rng() % wrong.size());
                const int v = static_cast<int>(rng() % n) + 1;
                if (wrong[cell] || v == sol[cell]) continue;
                wrong[cell] = v;
                if (oracle::Consistent(wrong, n)) break;
                wrong[cell] = 0;
            }
            if (oracleCounts) {
                ASSERT_EQ(oracle::CountSolutions(wrong, n, 1), 0);
            }
            EXPECT_EQ(solve(wrong).first, 0);
        }
    }
}

// A long solve calls the caller's pump once per slice of the injected clock.
TEST_F(EngineTest, ALongSolvePumpsTheCallersEvents) {
    static int pumped;
    pumped = 0;
    SetSolvePuzzlePump([] { return ++pumped, 0; });
    Bytes empty = Filled(0), out = Filled(0);
    ASSERT_EQ(SolvePuzzle(16, empty.data(), out.data()), 1);
    EXPECT_EQ(pumped, 0);  // every read of the clock moves it 1 ms: a few dozen reads, no slice over
    SetGeneratePuzzleTestHooks(1, SteppingClock(100), 50);
    ASSERT_EQ(SolvePuzzle(16, empty.data(), out.data()), 1);
    EXPECT_GT(pumped, 0);
    EXPECT_TRUE(oracle::CompleteAndValid(oracle::FromBytes(out.data(), 16), 16));
    SetSolvePuzzlePump(nullptr);
}

// Grids whose givens repeat nothing but leave the cells of one row, column or block fewer values
// than cells: "no solution", with the givens and what logic placed, before the search has taken
// enough branches to meet the pump (which a clock that jumps a slice at every read calls at once).
TEST_F(EngineTest, SolveRefusesAUnitShortOfValuesBeforeItsFirstSlice) {
    static int pumped;
    pumped = 0;
    SetSolvePuzzlePump([] { return ++pumped, 1; });
    SetGeneratePuzzleTestHooks(1, SteppingClock(1000), 50);
    std::mt19937 rng(8);
    for (int n : {4, 6, 9, 12, 16}) {
        for (int kind = 0; kind < 3; ++kind) {
            const oracle::Flat g = oracle::RandomShortUnitGrid(n, kind, rng);
            const std::vector<signed char> in = oracle::ToBytes(g, n);
            Bytes out = Filled(77);
            EXPECT_EQ(SolvePuzzle(n, in.data(), out.data()), 0) << n << " " << kind;
            const oracle::Flat o = oracle::FromBytes(out.data(), n);
            EXPECT_TRUE(oracle::Consistent(o, n));
            for (int i = 0; i < n * n; ++i) EXPECT_TRUE(g[i] == 0 || o[i] == g[i]) << i;
        }
    }
    EXPECT_EQ(pumped, 0);
    SetSolvePuzzlePump(nullptr);
}

// A pump that asks to stop abandons the search at once: -1, nothing written, no further call.
TEST_F(EngineTest, APumpThatAsksToStopAbandonsTheSolve) {
    static int pumped;
    pumped = 0;
    SetSolvePuzzlePump([] { return ++pumped == 3 ? 1 : 0; });
    SetGeneratePuzzleTestHooks(1, SteppingClock(100), 50);
    Bytes empty = Filled(0), out = Filled(77);
    EXPECT_EQ(SolvePuzzle(16, empty.data(), out.data()), -1);
    EXPECT_EQ(pumped, 3);
    EXPECT_EQ(out, Filled(77));
    // A grid the search decides before its first slice is over never meets the pump.
    Bytes given = Filled(0);
    given[0] = 1;
    pumped = 2;
    SetGeneratePuzzleTestHooks(1, SteppingClock(0), 50);
    EXPECT_EQ(SolvePuzzle(4, given.data(), out.data()), 1);
    EXPECT_EQ(pumped, 2);
    SetSolvePuzzlePump(nullptr);
}

// What a grid keeps when its values are relabelled, its bands or stacks, the rows within a band or
// the columns within a stack are shuffled: for every pair of rows and every pair of columns, the
// cycle lengths of the permutation that takes one line's values to the other's.
std::vector<std::vector<int>> GridClass(const std::vector<int>& g, int n) {
    std::vector<std::vector<int>> cycles;
    for (int transpose = 0; transpose < 2; ++transpose)
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b) {
                const auto at = [&](int line, int i) {
                    return transpose ? g[i * n + line] : g[line * n + i];
                };
                std::vector<int> next(n + 1), lengths;
                for (int i = 0; i < n; ++i) next[at(a, i)] = at(b, i);
                std::vector<bool> seen(n + 1);
                for (int v = 1; v <= n; ++v) {
                    int length = 0;
                    for (int u = v; !seen[u]; u = next[u]) seen[u] = true, ++length;
                    if (length) lengths.push_back(length);
                }
                std::sort(lengths.begin(), lengths.end());
                lengths.push_back(-transpose);
                cycles.push_back(lengths);
            }
    std::sort(cycles.begin(), cycles.end());
    return cycles;
}

TEST_F(EngineTest, ConsecutivePuzzlesShareNoGrid) {
    for (int n : {9, 12, 16}) {
        std::vector<std::vector<int>> last;
        for (int i = 0; i < 10; ++i) {
            Bytes puzzle, solution;
            Generate(n, i % 2, puzzle, solution);
            const std::vector<std::vector<int>> grid = GridClass(oracle::FromBytes(solution.data(), n), n);
            EXPECT_NE(grid, last) << n << " x " << n << " puzzle " << i;
            last = grid;
        }
    }
}

}  // namespace

// A typed puzzle takes the level the generator would give it: a generated puzzle grades as its own level,
// except where the generator's levels cannot be told apart (the same hole count and the same
// acceptance: the harder one is given). Grids that are not one puzzle with one solution and something to
// fill take no level.
TEST_F(EngineTest, ATypedPuzzleGradesAsTheGeneratorGradesItsOwn) {
    const int sizes[5] = {4, 6, 9, 12, 16};
    const int grades[5][5] = {
        {1, 1, 4, 4, 4}, {0, 1, 2, 4, 4}, {0, 1, 2, 4, 4}, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4},
    };
    for (int s = 0; s < 5; ++s) {
        for (int level = 0; level < 5; ++level) {
            Bytes puzzle, solution;
            Generate(sizes[s], level, puzzle, solution);
            EXPECT_EQ(GradePuzzle(sizes[s], puzzle.data()), grades[s][level]) << sizes[s] << " " << level;
            // Nothing left to fill.
            EXPECT_EQ(GradePuzzle(sizes[s], solution.data()), -1) << sizes[s];
        }
    }
    Bytes puzzle, solution;
    Generate(9, 4, puzzle, solution);
    // One hole: fewer than any level's, the easiest.
    Bytes oneHole = solution;
    oneHole[40] = 0;
    EXPECT_EQ(GradePuzzle(9, oneHole.data()), 0);
    // Two givens on a 4 x 4: several solutions.
    Bytes two = Filled(0);
    two[0] = 1;
    two[5] = 2;
    EXPECT_EQ(GradePuzzle(4, two.data()), -1);
    // A clash, a byte out of range, an unknown size, no grid.
    Bytes clash = puzzle;
    clash[0] = clash[1] = static_cast<signed char>(solution[0]);
    EXPECT_EQ(GradePuzzle(9, clash.data()), -1);
    Bytes outOfRange = puzzle;
    outOfRange[3] = 10;
    EXPECT_EQ(GradePuzzle(9, outOfRange.data()), -1);
    EXPECT_EQ(GradePuzzle(8, puzzle.data()), -1);
    EXPECT_EQ(GradePuzzle(9, nullptr), -1);
}
