// The solution counter against the oracle solver, and its refusals of clashing, misshapen and
// damaged grids.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "Oracle.h"
#include "SolutionCounter.h"

namespace {

// A random complete grid with up to `holes` cells emptied.
oracle::Flat Partial(int n, int holes, std::mt19937& rng) {
    oracle::Flat g = oracle::Solver(n).RandomSolution(rng);
    for (int i = 0; i < holes; ++i) g[rng() % g.size()] = 0;
    return g;
}

TEST(SolutionCounter, CountsCollectsAndOrdersAsTheOracle) {
    std::mt19937 rng(3);
    SolutionCounter counter;
    bool sawThree = false;
    for (int trial = 0; trial < 450; ++trial) {
        const int n = trial % 3 == 0 ? 4 : trial % 3 == 1 ? 6 : 9;
        const oracle::Shape s = oracle::ShapeOf(n);
        oracle::Flat g = Partial(n, static_cast<int>(rng() % (n * n)), rng);
        if (trial % 5 == 0) g[rng() % (n * n)] = static_cast<int>(rng() % n) + 1;  // may clash
        std::vector<oracle::Flat> all;
        const int count = oracle::CountSolutions(g, n, 1000, &all);
        EXPECT_EQ(CountSolutions(g, s.colsPerBlock, s.rowsPerBlock), std::min(count, 2)) << n << " " << trial;
        if (count == 1000) continue;  // too many to compare as sets
        std::vector<Grid> out{Grid{{1}}};
        ASSERT_EQ(CollectAllSolutions(g, out, s.colsPerBlock, s.rowsPerBlock), count);
        std::set<oracle::Flat> got;
        for (const Grid& grid : out) got.insert(oracle::FlatOf(grid));
        EXPECT_EQ(got, std::set<oracle::Flat>(all.begin(), all.end()));
        sawThree |= count == 3;
        oracle::Flat solved(n * n, 0);
        ASSERT_EQ(counter.FirstInOrder(g.data(), s.colsPerBlock, s.rowsPerBlock, 0, solved.data()),
                  count ? 1 : 0);
        if (count) {
            EXPECT_EQ(solved, *std::min_element(all.begin(), all.end())) << trial;
        }
    }
    EXPECT_TRUE(sawThree);
    std::vector<Grid> out;
    EXPECT_EQ(CollectAllSolutions(oracle::Flat(16, 0), out, 2, 2, 5), 5);
    EXPECT_EQ(out.size(), 5u);
}

TEST(SolutionCounter, RefusesMisshapenGridsAndReportsDamagedOnesAndSpentBudgets) {
    // (2, 3) and (3, 5) share a block only when blocks are 3 wide and 2 high.
    oracle::Flat six(36, 0);
    six[2 * 6 + 3] = six[3 * 6 + 5] = 4;
    EXPECT_EQ(CountSolutions(six, 3, 2), 0);
    EXPECT_EQ(CountSolutions(six, 2, 3), 2);
    EXPECT_EQ(CountSolutions(oracle::Flat(16, 0), 0, 4), 0);
    EXPECT_EQ(CountSolutions(oracle::Flat(400, 0), 5, 4), 0);
    EXPECT_EQ(CountSolutions(oracle::Flat(15, 0), 2, 2), 0);
    // Values outside the range count as empty.
    std::mt19937 rng(2);
    const oracle::Flat g = oracle::Solver(9).RandomSolution(rng);
    oracle::Flat damaged = g;
    damaged[10] = 0;
    damaged[20] = -3;
    damaged[30] = 12;
    SolutionCounter counter;
    ASSERT_EQ(counter.Count(damaged.data(), 3, 3, 2), 1);
    EXPECT_TRUE(std::equal(g.begin(), g.end(), counter.LastSolution().begin()));
    // A spent budget is told apart from no solution.
    oracle::Flat solved(256), empty(256, 0);
    EXPECT_EQ(counter.FirstInOrder(empty.data(), 4, 4, 1, solved.data()), -1);
    EXPECT_EQ(counter.FirstInOrder(empty.data(), 4, 4, 0, solved.data()), 1);
    EXPECT_TRUE(oracle::CompleteAndValid(solved, 16));
    EXPECT_EQ(counter.Count(empty.data(), 4, 4, 1000, nullptr, 3), 0);
    EXPECT_TRUE(counter.OutOfBudget());
    EXPECT_LE(counter.Nodes(), 3);
    EXPECT_EQ(counter.Count(empty.data(), 4, 4, 2), 2);
    EXPECT_FALSE(counter.OutOfBudget());
}

// Cells of one unit that between them can take fewer values than there are cells: no solution,
// found before the first guess (the search used to wander for a long time on the wide ones).
TEST(SolutionCounter, AUnitShortOfValuesHasNoSolutionWithoutAGuess) {
    std::mt19937 rng(21);
    SolutionCounter counter;
    // Row 1 of a 16 x 16 grid: 1 to 9 given in each of columns 9 to 16 further down leave its eight
    // cells there only the seven values 10 to 16.
    std::vector<int> row, low;
    for (int k = 8; k < 16; ++k) row.push_back(k);
    for (int v = 1; v <= 9; ++v) low.push_back(v);
    oracle::Flat wide;
    while (wide.empty()) wide = oracle::ShortUnitGrid(16, 0, row, low, rng, 1);
    ASSERT_EQ(std::count(wide.begin(), wide.end(), 0), 256 - 72);
    ASSERT_TRUE(oracle::Consistent(wide, 16));
    // A branch budget keeps a search that has to guess from running for long.
    constexpr long kBranches = 1000;
    EXPECT_EQ(counter.Count(wide.data(), 4, 4, 2, nullptr, kBranches), 0);
    EXPECT_EQ(counter.Nodes(), 0);
    oracle::Flat solved(256);
    EXPECT_EQ(counter.FirstInOrder(wide.data(), 4, 4, kBranches, solved.data()), 0);
    EXPECT_EQ(counter.Nodes(), 0);
    // Every size, a short row, column or block anywhere.
    for (int n : {4, 6, 9, 12, 16}) {
        const oracle::Shape s = oracle::ShapeOf(n);
        for (int kind = 0; kind < 3; ++kind) {
            for (int trial = 0; trial < 6; ++trial) {
                const oracle::Flat g = oracle::RandomShortUnitGrid(n, kind, rng);
                ASSERT_TRUE(oracle::Consistent(g, n));
                if (n <= 9) {
                    ASSERT_EQ(oracle::CountSolutions(g, n, 1), 0);
                }
                EXPECT_EQ(counter.Count(g.data(), s.colsPerBlock, s.rowsPerBlock, 2, nullptr, kBranches), 0);
                EXPECT_EQ(counter.Nodes(), 0) << n << " " << kind << " " << trial;
            }
        }
    }
}

}  // namespace
