// The solving loop and trial and error: guesses with their undo and log lines, and the refusal of
// complete but invalid boards.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <tuple>

#include "BoardBuilder.h"
#include "Oracle.h"
#include "SudokuBoard.h"

namespace {

int Count(const std::vector<std::string>& log, const std::string& prefix) {
    const auto starts = [&](const std::string& line) { return line.rfind(prefix, 0) == 0; };
    return static_cast<int>(std::count_if(log.begin(), log.end(), starts));
}

// The cells a log leaves filled: every single, forced chain and guess fills one, and a backtrack
// takes back its guess with everything filled after it.
int FilledByLog(const std::vector<std::string>& log) {
    std::vector<int> filled{0};  // before the first guess, then one entry per open guess
    for (const std::string& line : log) {
        if (line.rfind("Trying value ", 0) == 0) {
            filled.push_back(1);
        } else if (line == "Trial-and-error backtrack.\n") {
            if (filled.size() == 1) return -1;  // a backtrack without its guess
            filled.pop_back();
        } else if (line.find(" Single found at r") != std::string::npos ||
                   line.rfind("Forced Chain restriction found at r", 0) == 0) {
            ++filled.back();
        }
    }
    return std::accumulate(filled.begin(), filled.end(), 0);
}

// A board on which only trial and error runs.
void GuessOnly(SudokuBoard& board, int unsolved) {
    board.enabled.fill(false);
    board.enabled[kTrialAndError] = true;
    board.unsolvedCount = unsolved;
}

}  // namespace

TEST(TrialAndError, GuessesAloneSolveAndUndoExactly) {
    // Every empty cell is filled by a guess, so the guesses that were not undone are exactly the
    // holes; every undo restores values and eliminated sets.
    std::mt19937 rng(11);
    for (int n : {4, 6}) {
        oracle::Solver solver(n);
        for (int i = 0; i < 20; ++i) {
            oracle::Flat solution;
            const oracle::Flat puzzle = oracle::RandomUniquePuzzle(solver, rng, n * n, &solution);
            const int holes = static_cast<int>(std::count(puzzle.begin(), puzzle.end(), 0));
            SudokuBoard board(n);
            board.SetValues(oracle::ToGrid(puzzle, n));
            GuessOnly(board, holes);
            board.Solve();
            ASSERT_EQ(board.unsolvedCount, 0);
            EXPECT_EQ(board.GetValues(), oracle::ToGrid(solution, n));
            EXPECT_EQ(Count(board.log, "Trying value ") - Count(board.log, "Trial-and-error backtrack."),
                      holes);
            EXPECT_EQ(board.TrialDepth(), 0);
        }
    }
}

TEST(Solve, APlainBoardLogsEveryStepItTookGuessesAndBacktracksIncluded) {
    // Minimal puzzles, so that logic often stalls and guesses are needed, some of them undone.
    std::mt19937 rng(5);
    oracle::Solver solver(9);
    int backtracks = 0;
    for (int i = 0; i < 10; ++i) {
        const oracle::Flat puzzle = oracle::RandomUniquePuzzle(solver, rng, 81);
        const int holes = static_cast<int>(std::count(puzzle.begin(), puzzle.end(), 0));
        SudokuBoard board(9);
        // The block/line restriction fills a value's only holder in a block without a line.
        board.enabled[kBlockLineRestriction] = false;
        board.SetValues(oracle::ToGrid(puzzle, 9));
        board.unsolvedCount = holes;
        board.Solve();
        ASSERT_EQ(board.unsolvedCount, 0);
        EXPECT_EQ(FilledByLog(board.log), holes) << i;
        backtracks += Count(board.log, "Trial-and-error backtrack.");
    }
    EXPECT_GT(backtracks, 0);
}

TEST(TrialAndError, FailedGuessesRestoreTheBoardAndInvalidCompletionsAreRefused) {
    // Every guess on (0, 0) fails, since (1, 0) has no value left at all.
    SudokuBoard board(4);
    board.SetValues({{0, 2, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 0}, {0, 0, 0, 2}});
    board.Cell(3, 0)->InsertEliminated(3);
    GuessOnly(board, 13);
    const Grid before = board.GetValues();
    for (int v = 1; v <= 4; ++v) board.Cell(1, 0)->InsertEliminated(v);
    board.Cell(0, 0)->GetCandidates();  // the guess refreshes the guessed cell before its snapshot
    std::vector<ValueSet> eliminated;
    for (int c = 0; c < 16; ++c) eliminated.push_back(board.CellAt(c)->Eliminated());
    EXPECT_FALSE(board.TrialAndError());
    EXPECT_EQ(board.GetValues(), before);
    for (int c = 0; c < 16; ++c) EXPECT_EQ(board.CellAt(c)->Eliminated(), eliminated[c]) << c;
    EXPECT_EQ(board.unsolvedCount, 13);
    EXPECT_EQ(board.TrialDepth(), 0);

    // The single empty cell can only complete an invalid board (row 3 repeats 1): each guess is
    // undone, and the pass that leaves one empty cell is followed by exactly one more.
    SudokuBoard invalid(4);
    invalid.SetValues({{0, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 1, 1}});
    GuessOnly(invalid, 1);
    invalid.Solve();
    EXPECT_EQ(invalid.unsolvedCount, 1);
    EXPECT_EQ(invalid.Value(0, 0), 0);
    EXPECT_EQ(invalid.log,
              (std::vector<std::string>{"Trying value 1 for cell r1c1\n", "Trial-and-error backtrack.\n",
                                        "Trying value 1 for cell r1c1\n", "Trial-and-error backtrack.\n"}));
    EXPECT_EQ(invalid.TrialDepth(), 0);
}

TEST(Solve, FishAndWingsAreAllTriedInTheirPass) {
    // An X-Wing on 5, a Swordfish on 7 (columns 0, 5, 8 over rows 1, 4, 8) and an XY-Wing, nothing
    // easier: all fire in the same pass, each although the ones before already made progress.
    SudokuBoard board(9);
    for (int r : {2, 6})
        for (int k = 0; k < 9; ++k)
            if (k != 1 && k != 7) board.Cell(r, k)->InsertEliminated(5);
    for (auto [k, a, b] : {std::tuple{0, 1, 4}, {5, 4, 8}, {8, 1, 8}})
        for (int r = 0; r < 9; ++r)
            if (r != a && r != b) board.Cell(r, k)->InsertEliminated(7);
    builder::Only(board, 0, 3, {1, 2});
    builder::Only(board, 0, 4, {1, 3});
    builder::Only(board, 4, 3, {2, 3});
    board.enabled[kTrialAndError] = false;
    board.unsolvedCount = 81;
    board.Solve();
    EXPECT_TRUE(board.used[kXWing]);
    EXPECT_TRUE(board.used[kSwordfish]);
    EXPECT_TRUE(board.used[kXYWing]);
    EXPECT_FALSE(board.used[kNakedSubset]);
}
