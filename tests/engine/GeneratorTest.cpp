// The generator's parts (fill, dig, singles pre-filter, acceptance table) and its
// board-level operations.
#include <gtest/gtest.h>

#include <algorithm>

#include "Generator.h"
#include "Oracle.h"

namespace {

int Zeros(const Grid& g) {
    int zeros = 0;
    for (const auto& row : g) zeros += static_cast<int>(std::count(row.begin(), row.end(), 0));
    return zeros;
}

// A clock that moves on by `step` ms whenever it is read.
SudokuGenerator::Clock SteppingClock(std::int64_t step) {
    auto t = std::make_shared<std::int64_t>(0);
    return [t, step] { return *t += step; };
}

// Shapes as the generator takes them: size, block width, block height.
struct GenShape {
    int n, w, h;
};

TEST(Generator, FillsValidShuffledGridsRestartingFillsThatWander) {
    SudokuGenerator generator(11);
    for (GenShape s : {GenShape{4, 2, 2}, {6, 3, 2}, {9, 3, 3}, {12, 4, 3}, {16, 4, 4}}) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(oracle::CompleteAndValid(oracle::FlatOf(generator.FillComplete(s.n, s.w, s.h)), s.n)) << s.n;
            EXPECT_TRUE(oracle::CompleteAndValid(oracle::FlatOf(generator.NewCompleteGrid(s.n, s.w, s.h)), s.n))
                << s.n;
        }
    }
    EXPECT_NE(generator.NewCompleteGrid(12, 4, 3), generator.NewCompleteGrid(12, 4, 3));
    // Filling from the second row on keeps the first row.
    Grid g(9, std::vector<int>(9, 0));
    for (int k = 0; k < 9; ++k) g[0][k] = 9 - k;
    while (!generator.FillRandom(9, g, 3, 3))
        for (int r = 1; r < 9; ++r) std::fill(g[r].begin(), g[r].end(), 0);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(g[0][k], 9 - k);
    EXPECT_TRUE(oracle::CompleteAndValid(oracle::FlatOf(g), 9));

    SudokuGenerator wanderer(23);
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(oracle::CompleteAndValid(oracle::FlatOf(wanderer.FillComplete(16, 4, 4)), 16));
    EXPECT_GT(wanderer.stats.fillRestarts, 0u);
    // Through the board: one budgeted try, false or a complete grid.
    SudokuBoard board(16);
    int completed = 0;
    for (int i = 0; i < 10; ++i) {
        Grid grid(16, std::vector<int>(16, 0));
        if (board.FillRandom(0, grid)) {
            ++completed;
            EXPECT_TRUE(oracle::CompleteAndValid(oracle::FlatOf(grid), 16));
        } else {
            EXPECT_EQ(grid, Grid(16, std::vector<int>(16, 0)));
        }
    }
    EXPECT_GT(completed, 0);
}

TEST(Generator, EveryDugPuzzleHasExactlyOneSolutionOrTheDigGivesUp) {
    SudokuGenerator generator(13);
    for (GenShape s : {GenShape{4, 2, 2}, {6, 3, 2}, {9, 3, 3}, {12, 4, 3}}) {
        for (int level = 0; level < 5; ++level) {
            const Grid solution = generator.NewCompleteGrid(s.n, s.w, s.h);
            const int holes = SudokuGenerator::HoleCount(s.n, level);
            Grid puzzle;
            if (!generator.Dig(solution, holes, s.w, s.h, puzzle)) continue;
            EXPECT_EQ(Zeros(puzzle), holes);
            EXPECT_EQ(oracle::CountSolutions(oracle::FlatOf(puzzle), s.n, 2), 1) << s.n << " " << level;
            for (int c = 0; c < s.n * s.n; ++c) {
                const int v = puzzle[c / s.n][c % s.n];
                EXPECT_TRUE(v == 0 || v == solution[c / s.n][c % s.n]);
            }
        }
    }
    SudokuGenerator small(14);
    const Grid solution = small.FillComplete(4, 2, 2);
    Grid puzzle;
    EXPECT_FALSE(small.Dig(solution, 16, 2, 2, puzzle));  // an empty 4 x 4 has many solutions
    EXPECT_LE(small.stats.counts, 16u);                   // each cell was tried at most once
}

// The pre-filter must say exactly what the solving loop with only the singles would reach.
TEST(Generator, SinglesPreFilterMatchesTheSolvingLoop) {
    SudokuGenerator generator(15);
    int complete = 0, incomplete = 0;
    for (GenShape s : {GenShape{6, 3, 2}, {9, 3, 3}, {12, 4, 3}}) {
        for (int trial = 0; trial < 40; ++trial) {
            const int holes = SudokuGenerator::HoleCount(s.n, trial % 5);
            Grid puzzle;
            if (!generator.Dig(generator.NewCompleteGrid(s.n, s.w, s.h), holes, s.w, s.h, puzzle)) continue;
            SudokuBoard board(s.n);
            board.enabled.fill(false);
            board.enabled[kNakedSingle] = board.enabled[kHiddenSingle] = true;
            board.SetValues(puzzle);
            board.unsolvedCount = holes;
            board.Solve(false);
            const bool singles = SudokuGenerator::SinglesComplete(puzzle, s.w, s.h);
            EXPECT_EQ(singles, board.unsolvedCount == 0) << s.n << " " << trial;
            (singles ? complete : incomplete)++;
        }
    }
    EXPECT_GT(complete, 0);
    EXPECT_GT(incomplete, 0);
}

TEST(Generator, AcceptanceTable) {
    const auto judge = [](int size, int level, std::vector<int> usedIds, int unsolved = 0) {
        SudokuBoard board(size);
        board.used.fill(false);
        for (int id : usedIds) board.used[id] = true;
        board.unsolvedCount = unsolved;
        return SudokuGenerator::Accepts(level, board);
    };
    EXPECT_TRUE(judge(4, 4, {}));
    EXPECT_FALSE(judge(4, 0, {}, 1));
    EXPECT_TRUE(judge(9, 1, {0}));
    EXPECT_FALSE(judge(9, 2, {0, 1}));
    for (int id : {2, 3, 4, 5}) EXPECT_TRUE(judge(12, 2, {id})) << id;
    EXPECT_FALSE(judge(9, 2, {6}));
    EXPECT_FALSE(judge(9, 2, {4}, 3));
    for (int id = 6; id <= 13; ++id) {
        EXPECT_TRUE(judge(9, 3, {id})) << id;
        EXPECT_TRUE(judge(16, 4, {id})) << id;
        EXPECT_FALSE(judge(16, 3, {id})) << id;
        EXPECT_TRUE(judge(16, 3, {id, 3})) << id;
    }
    EXPECT_FALSE(judge(6, 4, {2, 3, 4, 5}));
    EXPECT_FALSE(judge(9, 4, {14}));
}

TEST(Generator, BoardGenerateLeavesACleanPuzzle) {
    SudokuGenerator& generator = EngineGenerator();
    generator.Seed(16);
    for (int size : {6, 9}) {
        SudokuBoard board(size);
        std::vector<std::string> log;
        board.AttachLog(&log);
        board.enabled[kTrialAndError] = true;
        board.Generate(3);
        EXPECT_TRUE(board.enabled[kTrialAndError]);
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(board.GetValues(), board.puzzle);
        EXPECT_EQ(board.unsolvedCount, SudokuGenerator::HoleCount(size, 3));
        EXPECT_EQ(Zeros(board.puzzle), board.unsolvedCount);
        for (int c = 0; c < board.CellCount(); ++c) EXPECT_EQ(board.CellAt(c)->Eliminated(), 0u);
        EXPECT_TRUE(oracle::CompleteAndValid(oracle::FlatOf(board.solution), size));
        std::vector<oracle::Flat> all;
        EXPECT_EQ(oracle::CountSolutions(oracle::FlatOf(board.puzzle), size, 2, &all), 1);
        EXPECT_EQ(all[0], oracle::FlatOf(board.solution));
    }
}

TEST(Generator, TheLogHoldsOnlyTheLatestAttempt) {
    SudokuGenerator generator(17);
    SudokuBoard board(9);
    std::vector<std::string> log;
    board.AttachLog(&log);
    const auto clock = SteppingClock(1);
    std::size_t previous = 0;
    bool shrank = false;
    for (int slice = 0; slice < 40 && !shrank; ++slice) {
        // A deadline already passed: exactly one attempt per call.
        if (generator.Generate(board, 4, clock, 0)) log.clear();
        shrank = log.size() < previous;
        previous = log.size();
    }
    EXPECT_TRUE(shrank);
}

TEST(Generator, SameSeedSamePuzzlesAndInvalidLevelsNone) {
    SudokuGenerator a(18), b(18), c(19);
    SudokuBoard boardA(12), boardB(12), boardC(12);
    ASSERT_TRUE(a.Generate(boardA, 2));
    ASSERT_TRUE(b.Generate(boardB, 2));
    ASSERT_TRUE(c.Generate(boardC, 2));
    EXPECT_EQ(boardA.puzzle, boardB.puzzle);
    EXPECT_NE(boardA.puzzle, boardC.puzzle);

    SudokuGenerator generator(20);
    SudokuBoard board(9);
    EXPECT_FALSE(generator.Generate(board, 5));
    EXPECT_FALSE(generator.Generate(board, -1));
    EXPECT_EQ(generator.stats.attempts, 0u);
    for (auto [size, level] : {std::pair{9, -1}, {9, 5}, {8, 0}}) EXPECT_EQ(SudokuGenerator::HoleCount(size, level), -1);
}

TEST(Generator, WithTechniquesNeedsEveryRequiredTechnique) {
    SudokuGenerator generator(21);
    SudokuBoard board(9);
    TechniqueFlags allowed{}, required{};
    allowed[kNakedSingle] = allowed[kHiddenSingle] = allowed[kBlockLineRestriction] = true;
    required[kBlockLineRestriction] = true;
    ASSERT_TRUE(generator.GenerateWithTechniques(board, allowed, required, 2000));
    const Grid puzzle = board.GetValues();
    EXPECT_EQ(Zeros(puzzle), board.unsolvedCount);
    EXPECT_EQ(board.unsolvedCount, 81 / 2 + 3 * 9 / 4);
    EXPECT_EQ(oracle::CountSolutions(oracle::FlatOf(puzzle), 9, 2), 1);
    EXPECT_TRUE(std::all_of(board.enabled.begin(), board.enabled.end(), [](bool on) { return on; }));

    const auto solves = [&](bool withBlockLine) {
        SudokuBoard check(9);
        check.enabled = allowed;
        check.enabled[kBlockLineRestriction] = withBlockLine;
        check.SetValues(puzzle);
        check.unsolvedCount = board.unsolvedCount;
        check.Solve(false);
        return check.unsolvedCount == 0;
    };
    EXPECT_TRUE(solves(true));
    EXPECT_FALSE(solves(false));
}

TEST(Generator, WithTechniquesGivesUpOnImpossibleDemands) {
    SudokuGenerator generator(22);
    SudokuBoard board(6);
    board.enabled[kXWing] = false;
    const Grid before = board.GetValues();
    TechniqueFlags allowed{}, required{};
    allowed[kNakedSingle] = true;
    required[kXWing] = true;  // required but not allowed: no puzzle can ever qualify
    EXPECT_FALSE(generator.GenerateWithTechniques(board, allowed, required, 30));
    EXPECT_EQ(generator.stats.attempts, 30u);
    EXPECT_EQ(board.GetValues(), before);
    EXPECT_FALSE(board.enabled[kXWing]);
    EXPECT_TRUE(board.enabled[kNakedSubset]);
    EXPECT_FALSE(generator.GenerateWithTechniques(board, TechniqueFlags{}, required, 30));
    EXPECT_TRUE(board.enabled[kNakedSubset]);
}

}  // namespace
