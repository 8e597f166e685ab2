// The solution counter against hand-made grids and against the plain oracle solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "GridOracle.h"
#include "SolutionCounter.h"

namespace {

// A complete valid grid for any block shape, its values relabelled by `perm`.
std::vector<int> PatternGrid(oracle::Shape s, std::mt19937& rng) {
    const int n = s.N();
    std::vector<int> perm(n);
    for (int i = 0; i < n; ++i) perm[i] = i + 1;
    std::shuffle(perm.begin(), perm.end(), rng);
    std::vector<int> g(n * n);
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < n; ++k) g[r * n + k] = perm[((r % s.h) * s.w + r / s.h + k) % n];
    return g;
}

// Random partial grid: a complete grid with `holes` cells emptied.
std::vector<int> Dig(std::vector<int> g, int holes, std::mt19937& rng) {
    std::vector<int> order(g.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), rng);
    for (int i = 0; i < holes; ++i) g[order[i]] = 0;
    return g;
}

TEST(SolutionCounter, EmptyGridsStopAtTwo) {
    EXPECT_EQ(CountSolutions(std::vector<int>(16, 0), 2, 2), 2);
    EXPECT_EQ(CountSolutions(std::vector<int>(36, 0), 3, 2), 2);
    EXPECT_EQ(CountSolutions(std::vector<int>(256, 0), 4, 4), 2);
}

TEST(SolutionCounter, CompleteGrids) {
    std::mt19937 rng(1);
    for (oracle::Shape s : {oracle::Shape{2, 2}, {3, 2}, {3, 3}, {4, 3}, {4, 4}}) {
        std::vector<int> g = PatternGrid(s, rng);
        EXPECT_EQ(CountSolutions(g, s.w, s.h), 1) << s.N();
        std::swap(g[0], g[1]);  // two equal values now share a column
        EXPECT_EQ(CountSolutions(g, s.w, s.h), 0) << s.N();
    }
}

TEST(SolutionCounter, ClashingGivensGiveZero) {
    std::vector<int> row(81, 0), column(81, 0), block(81, 0);
    row[3 * 9 + 1] = row[3 * 9 + 7] = 5;
    column[0 * 9 + 4] = column[8 * 9 + 4] = 2;
    block[6 * 9 + 6] = block[8 * 9 + 8] = 9;
    EXPECT_EQ(CountSolutions(row, 3, 3), 0);
    EXPECT_EQ(CountSolutions(column, 3, 3), 0);
    EXPECT_EQ(CountSolutions(block, 3, 3), 0);
}

TEST(SolutionCounter, BlocksAreThreeWideTwoHighForSix) {
    // (2, 3) and (3, 5) share a block only when blocks are 3 columns wide and 2 rows high.
    std::vector<int> g(36, 0);
    g[2 * 6 + 3] = g[3 * 6 + 5] = 4;
    EXPECT_EQ(CountSolutions(g, 3, 2), 0);
    EXPECT_EQ(CountSolutions(g, 2, 3), 2);
}

TEST(SolutionCounter, TwelveUsesFourWideThreeHighBlocks) {
    std::vector<int> g(144, 0);
    g[0 * 12 + 0] = g[2 * 12 + 3] = 7;  // same 3 x 4 block, different row and column
    EXPECT_EQ(CountSolutions(g, 4, 3), 0);
    EXPECT_EQ(CountSolutions(g, 3, 4), 2);
}

TEST(SolutionCounter, ValuesOutsideTheRangeCountAsEmpty) {
    std::mt19937 rng(2);
    std::vector<int> g = PatternGrid({3, 3}, rng);
    std::vector<int> damaged = g;
    damaged[10] = 0;
    damaged[20] = -3;
    damaged[30] = 12;
    EXPECT_EQ(CountSolutions(damaged, 3, 3), 1);
    SolutionCounter counter;
    ASSERT_EQ(counter.Count(damaged.data(), 3, 3, 2), 1);
    EXPECT_TRUE(std::equal(g.begin(), g.end(), counter.LastSolution().begin()));
}

TEST(SolutionCounter, InvalidShapeOrShortGridGivesZero) {
    EXPECT_EQ(CountSolutions(std::vector<int>(16, 0), 0, 4), 0);
    EXPECT_EQ(CountSolutions(std::vector<int>(400, 0), 5, 4), 0);
    EXPECT_EQ(CountSolutions(std::vector<int>(15, 0), 2, 2), 0);
}

TEST(SolutionCounter, AgreesWithOracleOnRandomGrids) {
    std::mt19937 rng(3);
    for (oracle::Shape s : {oracle::Shape{2, 2}, {3, 2}, {3, 3}}) {
        const int cells = s.N() * s.N();
        for (int trial = 0; trial < 150; ++trial) {
            std::vector<int> g = Dig(PatternGrid(s, rng), static_cast<int>(rng() % (cells * 3 / 4)), rng);
            if (trial % 5 == 0) g[rng() % cells] = static_cast<int>(rng() % s.N()) + 1;  // may clash
            EXPECT_EQ(CountSolutions(g, s.w, s.h), oracle::CountSolutions(g, s, 2)) << s.N() << " " << trial;
        }
    }
}

TEST(SolutionCounter, CollectsExactlyTheOraclesSolutions) {
    std::mt19937 rng(4);
    bool sawThree = false;
    for (int trial = 0; trial < 400; ++trial) {
        oracle::Shape s = trial % 2 ? oracle::Shape{2, 2} : oracle::Shape{3, 2};
        std::vector<int> g = Dig(PatternGrid(s, rng), static_cast<int>(rng() % (s.N() * s.N())), rng);
        std::vector<std::vector<int>> expected;
        const int count = oracle::CountSolutions(g, s, 1000, &expected);
        if (count == 1000) continue;  // too many to compare as sets
        std::vector<Grid> out{Grid{{1}}};
        ASSERT_EQ(CollectAllSolutions(g, out, s.w, s.h), count);
        std::set<std::vector<int>> got;
        for (const Grid& grid : out) {
            std::vector<int> flat;
            for (const auto& row : grid) flat.insert(flat.end(), row.begin(), row.end());
            got.insert(flat);
        }
        EXPECT_EQ(got, std::set<std::vector<int>>(expected.begin(), expected.end()));
        sawThree |= count == 3;
    }
    EXPECT_TRUE(sawThree);
}

TEST(SolutionCounter, CollectRespectsTheCallersCap) {
    std::vector<Grid> out;
    EXPECT_EQ(CollectAllSolutions(std::vector<int>(16, 0), out, 2, 2), 288);
    EXPECT_EQ(out.size(), 288u);
    EXPECT_EQ(CollectAllSolutions(std::vector<int>(16, 0), out, 2, 2, 5), 5);
    EXPECT_EQ(out.size(), 5u);
    EXPECT_EQ(CollectAllSolutions(std::vector<int>(16, 0), out, 2, 2, 0), 0);
    EXPECT_TRUE(out.empty());
}

TEST(SolutionCounter, FirstInOrderIsTheSmallestSolutionInRowOrder) {
    std::mt19937 rng(5);
    SolutionCounter counter;
    for (int trial = 0; trial < 200; ++trial) {
        oracle::Shape s = trial % 3 == 0   ? oracle::Shape{2, 2}
                          : trial % 3 == 1 ? oracle::Shape{3, 2}
                                           : oracle::Shape{3, 3};
        const int cells = s.N() * s.N();
        std::vector<int> g = Dig(PatternGrid(s, rng), static_cast<int>(rng() % cells), rng);
        std::vector<std::vector<int>> all;
        if (oracle::CountSolutions(g, s, 2000, &all) == 2000) continue;  // too many to rank
        std::vector<int> solved(cells, 0);
        ASSERT_EQ(counter.FirstInOrder(g.data(), s.w, s.h, 0, solved.data()), 1);
        EXPECT_EQ(solved, *std::min_element(all.begin(), all.end())) << trial;
    }
}

TEST(SolutionCounter, FirstInOrderReportsNoSolutionAndSpentBudget) {
    SolutionCounter counter;
    std::vector<int> solved(81);
    std::vector<int> clash(81, 0);
    clash[0] = clash[1] = 3;
    EXPECT_EQ(counter.FirstInOrder(clash.data(), 3, 3, 0, solved.data()), 0);
    std::vector<int> empty(256, 0);
    EXPECT_EQ(counter.FirstInOrder(empty.data(), 4, 4, 1, solved.data()), -1);
    std::vector<int> big(256);
    EXPECT_EQ(counter.FirstInOrder(empty.data(), 4, 4, 0, big.data()), 1);
    EXPECT_TRUE(oracle::CompleteAndValid(big, {4, 4}));
}

}  // namespace

namespace {

TEST(SolutionCounter, ABudgetCutsTheCountShort) {
    SolutionCounter counter;
    std::vector<int> empty(256, 0);
    EXPECT_EQ(counter.Count(empty.data(), 4, 4, 1000, nullptr, 3), 0);
    EXPECT_TRUE(counter.OutOfBudget());
    EXPECT_LE(counter.Nodes(), 3);
    EXPECT_EQ(counter.Count(empty.data(), 4, 4, 2), 2);
    EXPECT_FALSE(counter.OutOfBudget());
}

}  // namespace
