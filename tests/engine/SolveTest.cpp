// The solving loop and trial and error: when passes run, the ladder of technique groups, guesses
// with their undo and log lines, and the refusal of complete but invalid boards.
#include <gtest/gtest.h>

#include <random>

#include "BoardBuilder.h"
#include "Oracle.h"
#include "SudokuBoard.h"

namespace {

const Grid kSolved4 = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};

int Count(const std::vector<std::string>& log, const std::string& prefix)
{
    int n = 0;
    for (const auto& line : log) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

}  // namespace

TEST(Solve, TheCountDecidesWhetherPassesRun)
{
    // A preset count without empty cells runs one pass, which climbs to the subsets, whose
    // filled-cell rule reports progress.
    SudokuBoard solved(4);
    solved.SetValues(kSolved4);
    solved.unsolvedCount = 5;
    solved.Solve();
    EXPECT_EQ(solved.unsolvedCount, 0);
    EXPECT_EQ(solved.TrialDepth(), 0);
    EXPECT_TRUE(solved.used[kNakedSubset]);
    // No pass runs while the count is zero or below.
    auto board = builder::Board(4, {"123."});
    for (int count : {0, -3}) {
        board->unsolvedCount = count;
        board->Solve();
        EXPECT_EQ(board->Value(0, 3), 0);
    }
    for (bool used : board->used) EXPECT_FALSE(used);
    // Without trial and error an empty board stalls; with it, it is solved, logging nowhere.
    SudokuBoard empty(4);
    empty.enabled[kTrialAndError] = false;
    empty.unsolvedCount = 16;
    empty.Solve();
    EXPECT_EQ(empty.unsolvedCount, 16);
    EXPECT_FALSE(empty.used[kTrialAndError]);
    empty.enabled[kTrialAndError] = true;
    empty.Solve();
    EXPECT_EQ(empty.Log(), nullptr);
    EXPECT_EQ(empty.unsolvedCount, 0);
    EXPECT_TRUE(empty.IsValid());
}

TEST(Solve, SinglesProgressKeepsTheLadderAtTheSingles)
{
    // A few holes: every pass places something, so no later group ever runs, although the
    // naked-subset rule would report progress on the filled cells at once.
    std::mt19937 rng(7);
    oracle::Solver solver(9);
    for (int i = 0; i < 20; ++i) {
        oracle::Flat solution;
        const oracle::Flat puzzle = oracle::RandomUniquePuzzle(solver, rng, 12, &solution);
        SudokuBoard board(9);
        board.SetValues(oracle::ToGrid(puzzle, 9));
        board.unsolvedCount = 12;
        board.Solve();
        ASSERT_EQ(board.unsolvedCount, 0);
        EXPECT_EQ(board.GetValues(), oracle::ToGrid(solution, 9));
        EXPECT_TRUE(board.used[kNakedSingle] || board.used[kHiddenSingle]);
        for (int id = kBlockLineRestriction; id < kTechniqueCount; ++id) EXPECT_FALSE(board.used[id]) << id;
    }
}

TEST(Solve, StalledSinglesHandTheBoardToTheNextGroup)
{
    // Only the singles and naked subsets enabled: with nothing to place, the subsets' filled-cell
    // rule makes progress, then the next pass stalls and the solve ends.
    auto board = builder::Board(9, {"12......."});
    board->enabled.fill(false);
    board->enabled[kNakedSingle] = board->enabled[kHiddenSingle] = board->enabled[kNakedSubset] = true;
    board->unsolvedCount = 79;
    std::vector<std::string> log;
    board->AttachLog(&log);
    board->Solve();
    EXPECT_TRUE(board->used[kNakedSubset]);
    EXPECT_FALSE(board->used[kNakedSingle]);
    EXPECT_EQ(Count(log, "Naked Subset"), static_cast<int>(log.size()));
    EXPECT_EQ(board->unsolvedCount, 79);
}

TEST(Solve, LastEmptyCellGetsOneMorePass)
{
    // Only trial and error, and the single empty cell can only complete an invalid board (row 3
    // repeats 1, elsewhere): each guess is undone. The pass that leaves one empty cell is followed by exactly
    // one more, so the guess is tried twice.
    SudokuBoard board(4);
    board.SetValues({{0, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 1, 1}});
    board.enabled.fill(false);
    board.enabled[kTrialAndError] = true;
    board.unsolvedCount = 1;
    std::vector<std::string> log;
    board.AttachLog(&log);
    board.Solve();
    EXPECT_EQ(board.unsolvedCount, 1);
    EXPECT_EQ(board.Value(0, 0), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"Trying value 1 for cell r1c1\n", "Trial-and-error backtrack.\n",
                                              "Trying value 1 for cell r1c1\n", "Trial-and-error backtrack.\n"}));
    EXPECT_EQ(board.TrialDepth(), 0);
}

TEST(TrialAndError, TwoSolutionsGiveTheSmallerFirstValue)
{
    // Cells (0,0), (0,1), (2,0), (2,1) form a swappable rectangle: two solutions.
    SudokuBoard board(4);
    board.SetValues({{0, 0, 3, 4}, {3, 4, 1, 2}, {0, 0, 4, 3}, {4, 3, 2, 1}});
    board.unsolvedCount = 4;
    std::vector<std::string> log;
    board.AttachLog(&log);
    board.Solve();
    EXPECT_EQ(board.unsolvedCount, 0);
    EXPECT_EQ(board.GetValues(), kSolved4);
    EXPECT_TRUE(board.used[kTrialAndError]);
    EXPECT_EQ(Count(log, "Trying value 1 for cell r1c1\n"), 1);
    EXPECT_EQ(Count(log, "Trial-and-error backtrack."), 0);
    EXPECT_EQ(board.TrialDepth(), 0);
}

TEST(TrialAndError, GuessesAloneSolveAndUndoExactly)
{
    // With only guessing enabled every empty cell is filled by a guess, so the guesses that were
    // not undone are exactly the holes; every undo restores values and eliminated sets.
    std::mt19937 rng(11);
    for (int n : {4, 6}) {
        oracle::Solver solver(n);
        for (int i = 0; i < 20; ++i) {
            oracle::Flat solution;
            const oracle::Flat puzzle = oracle::RandomUniquePuzzle(solver, rng, n * n, &solution);
            int holes = 0;
            for (int v : puzzle) holes += v == 0 ? 1 : 0;
            SudokuBoard board(n);
            board.SetValues(oracle::ToGrid(puzzle, n));
            board.enabled.fill(false);
            board.enabled[kTrialAndError] = true;
            board.unsolvedCount = holes;
            std::vector<std::string> log;
            board.AttachLog(&log);
            board.Solve();
            ASSERT_EQ(board.unsolvedCount, 0);
            EXPECT_EQ(board.GetValues(), oracle::ToGrid(solution, n));
            EXPECT_EQ(Count(log, "Trying value ") - Count(log, "Trial-and-error backtrack."), holes);
            EXPECT_EQ(board.TrialDepth(), 0);
        }
    }
}

TEST(TrialAndError, FailedGuessRestoresTheBoard)
{
    // Only guessing, on a board whose first empty cell's guesses all fail: afterwards values,
    // eliminated sets and the count are as before.
    SudokuBoard board(4);
    board.SetValues({{0, 2, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 0}, {0, 0, 0, 2}});
    board.Cell(3, 0)->InsertEliminated(3);
    board.enabled.fill(false);
    board.enabled[kTrialAndError] = true;
    board.unsolvedCount = 13;
    const Grid before = board.GetValues();
    // Every guess on (0, 0) fails, since (1, 0) has no value left at all.
    for (int v = 1; v <= 4; ++v) board.Cell(1, 0)->InsertEliminated(v);
    // The guess refreshes the guessed cell before its snapshot.
    board.Cell(0, 0)->GetCandidates();
    std::vector<ValueSet> eliminated;
    for (int c = 0; c < 16; ++c) eliminated.push_back(board.CellAt(c)->Eliminated());
    EXPECT_FALSE(board.TrialAndError());
    EXPECT_EQ(board.GetValues(), before);
    for (int c = 0; c < 16; ++c) EXPECT_EQ(board.CellAt(c)->Eliminated(), eliminated[c]) << c;
    EXPECT_EQ(board.unsolvedCount, 13);
    EXPECT_EQ(board.TrialDepth(), 0);
    // A first empty cell without candidates fails silently.
    auto stuck = builder::Board(4, {".234", "1..."});
    std::vector<std::string> log;
    stuck->AttachLog(&log);
    EXPECT_FALSE(stuck->TrialAndError());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(stuck->TrialDepth(), 0);
}

TEST(Solve, FishAndWingsAreAllTriedInTheirPass)
{
    // An X-Wing on 5 (rows 2 and 6, columns 1 and 7) and an XY-Wing, nothing easier: both fire
    // in the same pass, the XY-Wing although the X-Wing already made progress.
    SudokuBoard board(9);
    for (int r : {2, 6})
        for (int k = 0; k < 9; ++k)
            if (k != 1 && k != 7) board.Cell(r, k)->InsertEliminated(5);
    builder::Only(board, 0, 3, {1, 2});
    builder::Only(board, 0, 4, {1, 3});
    builder::Only(board, 4, 3, {2, 3});
    board.enabled[kTrialAndError] = false;
    board.unsolvedCount = 81;
    std::vector<std::string> log;
    board.AttachLog(&log);
    board.Solve();
    EXPECT_TRUE(board.used[kXWing]);
    EXPECT_TRUE(board.used[kXYWing]);
    for (int id : {kNakedSingle, kHiddenSingle, kBlockLineRestriction, kBlockBlockRestriction, kNakedSubset})
        EXPECT_FALSE(board.used[id]) << id;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().rfind("XWing", 0), 0u);
    EXPECT_EQ(Count(log, "XYWing"), 1);
}
