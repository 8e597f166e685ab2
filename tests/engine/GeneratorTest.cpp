// The generator's parts (fill, dig, singles pre-filter) against the oracle and the solving loop,
// and the attempts it must give up or keep clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "Generator.h"
#include "Oracle.h"

namespace {

// Shapes as the generator takes them: size, block width, block height.
using GenShape = std::tuple<int, int, int>;

TEST(Generator, WanderingFillsRestartAndTheBoardsFillGivesUpCleanly) {
    SudokuGenerator wanderer(23);
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(oracle::CompleteAndValid(oracle::FlatOf(wanderer.FillComplete(16, 4, 4)), 16));
    EXPECT_GT(wanderer.stats.fillRestarts, 0u);
    // Through the board: one budgeted try, false with the grid left empty or a complete grid.
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

// Every dug puzzle has one solution, and the pre-filter says exactly what the solving loop with
// only the singles reaches.
TEST(Generator, DugPuzzlesAreUniqueAndThePreFilterMatchesTheSolvingLoop) {
    SudokuGenerator generator(15);
    int complete = 0, incomplete = 0;
    for (const auto& [n, w, h] : {GenShape{6, 3, 2}, {9, 3, 3}, {12, 4, 3}}) {
        for (int trial = 0; trial < 40; ++trial) {
            const int holes = SudokuGenerator::HoleCount(n, trial % 5);
            const Grid solution = generator.NewCompleteGrid(n, w, h);
            Grid puzzle;
            if (!generator.Dig(solution, holes, w, h, puzzle)) continue;
            const oracle::Flat flat = oracle::FlatOf(puzzle);
            EXPECT_EQ(std::count(flat.begin(), flat.end(), 0), holes);
            std::vector<oracle::Flat> all;
            ASSERT_EQ(oracle::CountSolutions(flat, n, 2, &all), 1) << n << " " << trial;
            EXPECT_EQ(all[0], oracle::FlatOf(solution));
            SudokuBoard board(n);
            board.enabled.fill(false);
            board.enabled[kNakedSingle] = board.enabled[kHiddenSingle] = true;
            board.SetValues(puzzle);
            board.unsolvedCount = holes;
            board.Solve(false);
            const bool singles = SudokuGenerator::SinglesComplete(puzzle, w, h);
            EXPECT_EQ(singles, board.unsolvedCount == 0) << n << " " << trial;
            (singles ? complete : incomplete)++;
        }
    }
    EXPECT_GT(complete, 0);
    EXPECT_GT(incomplete, 0);
    SudokuGenerator small(14);
    Grid puzzle;
    // An empty 4 x 4 has many solutions; each cell is tried at most once.
    EXPECT_FALSE(small.Dig(small.FillComplete(4, 2, 2), 16, 2, 2, puzzle));
    EXPECT_LE(small.stats.counts, 16u);
}

TEST(Generator, BoardGenerateLeavesACleanPuzzleAndAnEmptyLogThatItsGradingsNeverWrite) {
    SudokuGenerator& generator = EngineGenerator();
    generator.Seed(16);
    SudokuBoard board(9);
    board.log.push_back("Naked Single found at r1c1\n");
    board.Generate(3);
    EXPECT_TRUE(board.log.empty());
    EXPECT_EQ(board.GetValues(), board.puzzle);
    EXPECT_EQ(board.unsolvedCount, SudokuGenerator::HoleCount(9, 3));
    for (int c = 0; c < board.CellCount(); ++c) EXPECT_EQ(board.CellAt(c)->Eliminated(), 0u);

    // Rejected attempts leave their grading's board behind: still no line, and logging back on.
    SudokuGenerator sliced(17);
    std::int64_t now = 0;
    for (int slice = 0; slice < 400 && sliced.stats.gradingSolves - sliced.stats.accepted < 3; ++slice) {
        // A deadline already passed: exactly one attempt per call.
        sliced.Generate(
            board, 4, [&now] { return ++now; }, 0);
        EXPECT_TRUE(board.log.empty());
        EXPECT_TRUE(board.logging);
    }
    EXPECT_GE(sliced.stats.gradingSolves - sliced.stats.accepted, 3u);
}

TEST(Generator, ImpossibleDemandsAndInvalidLevelsGiveUpLeavingTheBoard) {
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

    SudokuGenerator fresh(20);
    EXPECT_FALSE(fresh.Generate(board, 5));
    EXPECT_FALSE(fresh.Generate(board, -1));
    EXPECT_EQ(fresh.stats.attempts, 0u);
    for (auto [size, level] : {std::pair{9, -1}, {9, 5}, {8, 0}})
        EXPECT_EQ(SudokuGenerator::HoleCount(size, level), -1);
}

}  // namespace
