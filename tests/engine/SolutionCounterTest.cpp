// The solution counter against hand-made grids and against the oracle solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "Oracle.h"
#include "SolutionCounter.h"

namespace {

// A complete valid grid for the size's block shape, its values relabelled at random.
oracle::Flat PatternGrid(int n, std::mt19937& rng)
{
    const oracle::Shape s = oracle::ShapeOf(n);
    std::vector<int> perm(n);
    for (int i = 0; i < n; ++i) perm[i] = i + 1;
    std::shuffle(perm.begin(), perm.end(), rng);
    oracle::Flat g(n * n);
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < n; ++k)
            g[r * n + k] = perm[((r % s.rowsPerBlock) * s.colsPerBlock + r / s.rowsPerBlock + k) % n];
    return g;
}

// A random partial grid: up to `holes` cells of g emptied.
oracle::Flat Dig(oracle::Flat g, int holes, std::mt19937& rng)
{
    std::vector<int> order(g.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), rng);
    for (int i = 0; i < holes; ++i) g[order[i]] = 0;
    return g;
}

int Count(const oracle::Flat& g, int n)
{
    const oracle::Shape s = oracle::ShapeOf(n);
    return CountSolutions(g, s.colsPerBlock, s.rowsPerBlock);
}

TEST(SolutionCounter, HandMadeGridsEmptyCompleteClashingAndMisshapen)
{
    for (int n : {4, 6, 16}) EXPECT_EQ(Count(oracle::Flat(n * n, 0), n), 2) << "empty grids stop at two";
    std::mt19937 rng(1);
    for (int n : {4, 6, 9, 12, 16}) {
        oracle::Flat g = PatternGrid(n, rng);
        EXPECT_EQ(Count(g, n), 1) << n;
        std::swap(g[0], g[1]);  // two equal values now share a column
        EXPECT_EQ(Count(g, n), 0) << n;
    }
    oracle::Flat row(81, 0), column(81, 0), block(81, 0);
    row[3 * 9 + 1] = row[3 * 9 + 7] = 5;
    column[0 * 9 + 4] = column[8 * 9 + 4] = 2;
    block[6 * 9 + 6] = block[8 * 9 + 8] = 9;
    for (const auto& clash : {row, column, block}) EXPECT_EQ(Count(clash, 9), 0);
    // (2, 3) and (3, 5) share a block only when blocks are 3 wide and 2 high; (0, 0) and (2, 3)
    // only when they are 4 wide and 3 high.
    oracle::Flat six(36, 0), twelve(144, 0);
    six[2 * 6 + 3] = six[3 * 6 + 5] = 4;
    twelve[0] = twelve[2 * 12 + 3] = 7;
    EXPECT_EQ(CountSolutions(six, 3, 2), 0);
    EXPECT_EQ(CountSolutions(six, 2, 3), 2);
    EXPECT_EQ(CountSolutions(twelve, 4, 3), 0);
    EXPECT_EQ(CountSolutions(twelve, 3, 4), 2);
    // Invalid shapes and short grids count nothing.
    EXPECT_EQ(CountSolutions(oracle::Flat(16, 0), 0, 4), 0);
    EXPECT_EQ(CountSolutions(oracle::Flat(400, 0), 5, 4), 0);
    EXPECT_EQ(CountSolutions(oracle::Flat(15, 0), 2, 2), 0);
}

TEST(SolutionCounter, ValuesOutsideTheRangeCountAsEmpty)
{
    std::mt19937 rng(2);
    const oracle::Flat g = PatternGrid(9, rng);
    oracle::Flat damaged = g;
    damaged[10] = 0;
    damaged[20] = -3;
    damaged[30] = 12;
    EXPECT_EQ(CountSolutions(damaged, 3, 3), 1);
    SolutionCounter counter;
    ASSERT_EQ(counter.Count(damaged.data(), 3, 3, 2), 1);
    EXPECT_TRUE(std::equal(g.begin(), g.end(), counter.LastSolution().begin()));
}

TEST(SolutionCounter, AgreesWithOracleOnRandomGrids)
{
    std::mt19937 rng(3);
    for (int n : {4, 6, 9}) {
        for (int trial = 0; trial < 150; ++trial) {
            oracle::Flat g = Dig(PatternGrid(n, rng), static_cast<int>(rng() % (n * n * 3 / 4)), rng);
            if (trial % 5 == 0) g[rng() % (n * n)] = static_cast<int>(rng() % n) + 1;  // may clash
            EXPECT_EQ(Count(g, n), oracle::CountSolutions(g, n, 2)) << n << " " << trial;
        }
    }
}

TEST(SolutionCounter, CollectsExactlyTheOraclesSolutionsUpToTheCap)
{
    std::mt19937 rng(4);
    bool sawThree = false;
    for (int trial = 0; trial < 400; ++trial) {
        const int n = trial % 2 ? 4 : 6;
        const oracle::Shape s = oracle::ShapeOf(n);
        const oracle::Flat g = Dig(PatternGrid(n, rng), static_cast<int>(rng() % (n * n)), rng);
        std::vector<oracle::Flat> expected;
        const int count = oracle::CountSolutions(g, n, 1000, &expected);
        if (count == 1000) continue;  // too many to compare as sets
        std::vector<Grid> out{Grid{{1}}};
        ASSERT_EQ(CollectAllSolutions(g, out, s.colsPerBlock, s.rowsPerBlock), count);
        std::set<oracle::Flat> got;
        for (const Grid& grid : out) got.insert(oracle::FlatOf(grid));
        EXPECT_EQ(got, std::set<oracle::Flat>(expected.begin(), expected.end()));
        sawThree |= count == 3;
    }
    EXPECT_TRUE(sawThree);
    std::vector<Grid> out;
    for (const auto& [cap, expected] : {std::pair{-1, 288}, {5, 5}, {0, 0}}) {
        const int got = cap < 0 ? CollectAllSolutions(oracle::Flat(16, 0), out, 2, 2)
                                : CollectAllSolutions(oracle::Flat(16, 0), out, 2, 2, cap);
        EXPECT_EQ(got, expected);
        EXPECT_EQ(static_cast<int>(out.size()), expected);
    }
}

TEST(SolutionCounter, FirstInOrderIsTheSmallestSolutionInRowOrder)
{
    std::mt19937 rng(5);
    SolutionCounter counter;
    for (int trial = 0; trial < 200; ++trial) {
        const int n = trial % 3 == 0 ? 4 : trial % 3 == 1 ? 6 : 9;
        const oracle::Shape s = oracle::ShapeOf(n);
        const oracle::Flat g = Dig(PatternGrid(n, rng), static_cast<int>(rng() % (n * n)), rng);
        std::vector<oracle::Flat> all;
        if (oracle::CountSolutions(g, n, 2000, &all) == 2000) continue;  // too many to rank
        oracle::Flat solved(n * n, 0);
        ASSERT_EQ(counter.FirstInOrder(g.data(), s.colsPerBlock, s.rowsPerBlock, 0, solved.data()), 1);
        EXPECT_EQ(solved, *std::min_element(all.begin(), all.end())) << trial;
    }
}

TEST(SolutionCounter, NoSolutionAndSpentBudgetAreReported)
{
    SolutionCounter counter;
    oracle::Flat solved(256), clash(81, 0), empty(256, 0);
    clash[0] = clash[1] = 3;
    EXPECT_EQ(counter.FirstInOrder(clash.data(), 3, 3, 0, solved.data()), 0);
    EXPECT_EQ(counter.FirstInOrder(empty.data(), 4, 4, 1, solved.data()), -1);
    EXPECT_EQ(counter.FirstInOrder(empty.data(), 4, 4, 0, solved.data()), 1);
    EXPECT_TRUE(oracle::CompleteAndValid(solved, 16));
    EXPECT_EQ(counter.Count(empty.data(), 4, 4, 1000, nullptr, 3), 0);
    EXPECT_TRUE(counter.OutOfBudget());
    EXPECT_LE(counter.Nodes(), 3);
    EXPECT_EQ(counter.Count(empty.data(), 4, 4, 2), 2);
    EXPECT_FALSE(counter.OutOfBudget());
}

}  // namespace
