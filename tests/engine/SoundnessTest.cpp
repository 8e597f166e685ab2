// Every deduction of every technique checked against the true solution of random puzzles of
// every size: a technique may never eliminate a cell's true value or place a wrong one. Each
// round calls every technique on every cell, house or block pair in ladder order (not stopping at
// progress), so the later techniques also see positions the ladder would never hand them.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <utility>

#include "Oracle.h"
#include "SudokuBoard.h"

namespace {

struct Harness {
    SudokuBoard& board;
    const oracle::Flat& solution;
    std::array<int, kTechniqueCount>& fired;

    // True when the board still agrees with the solution.
    ::testing::AssertionResult Agrees(const char* after) const {
        for (int c = 0; c < board.CellCount(); ++c) {
            const SudokuCell* cell = board.CellAt(c);
            if (cell->Value() != 0 && cell->Value() != solution[c])
                return ::testing::AssertionFailure() << after << " placed " << cell->Value() << " at cell "
                                                     << c << ", solution " << solution[c];
            if (cell->Value() == 0 && HasValue(cell->Eliminated(), solution[c]))
                return ::testing::AssertionFailure()
                       << after << " eliminated the true value " << solution[c] << " of cell " << c;
        }
        return ::testing::AssertionSuccess();
    }

    bool Round() {
        bool any = false;
        const auto note = [&](TechniqueId id, bool progress) {
            if (progress) {
                ++fired[id];
                any = true;
            }
        };
        for (int c = 0; c < board.CellCount(); ++c) {
            note(kNakedSingle, board.FindNakedSingle(board.CellAt(c)));
            note(kHiddenSingle, board.FindHiddenSingle(board.CellAt(c)));
        }
        EXPECT_TRUE(Agrees("singles"));
        for (std::size_t i = 0; i < board.blocks.size(); ++i) {
            note(kBlockLineRestriction, board.FindBlockLineRestriction(board.blocks[i].get()));
            for (std::size_t j = i + 1; j < board.blocks.size(); ++j)
                note(kBlockBlockRestriction,
                     board.FindBlockBlockRestriction(board.blocks[i].get(), board.blocks[j].get()));
        }
        EXPECT_TRUE(Agrees("block restrictions"));
        std::vector<SudokuCellSet*> houses;
        for (auto& h : board.rows) houses.push_back(h.get());
        for (auto& h : board.columns) houses.push_back(h.get());
        for (auto& h : board.blocks) houses.push_back(h.get());
        for (SudokuCellSet* h : houses) {
            note(kNakedSubset, board.FindNakedSubset(h));
            note(kHiddenSubset, board.FindHiddenSubset(h));
        }
        EXPECT_TRUE(Agrees("subsets"));
        const std::pair<TechniqueId, bool (SudokuBoard::*)()> wholeBoard[] = {
            {kXWing, &SudokuBoard::FindXWing},
            {kSwordfish, &SudokuBoard::FindSwordfish},
            {kXYWing, &SudokuBoard::FindXYWing},
            {kXYZWing, &SudokuBoard::FindXYZWing},
            {kColoring, &SudokuBoard::FindColorRestriction},
            {kXYChain, &SudokuBoard::FindXYChain},
            {kRemoteChains, &SudokuBoard::FindRemoteChains},
            {kForcedChain, &SudokuBoard::FindForcedChain}};
        for (const auto& [id, find] : wholeBoard) {
            note(id, (board.*find)());
            EXPECT_TRUE(Agrees(("technique " + std::to_string(id)).c_str()));
        }
        return any;
    }
};

void RunSize(int n, int holes, int puzzles, std::array<int, kTechniqueCount>& fired) {
    std::mt19937 rng(1000 + n);
    oracle::Solver solver(n);
    for (int p = 0; p < puzzles; ++p) {
        oracle::Flat solution;
        const oracle::Flat puzzle = oracle::RandomUniquePuzzle(solver, rng, holes, &solution);
        SudokuBoard board(n);
        ASSERT_TRUE(board.SetValues(oracle::ToGrid(puzzle, n)));
        Harness harness{board, solution, fired};
        for (int round = 0; round < 4 * n * n && harness.Round(); ++round) {
            if (::testing::Test::HasFailure()) {
                ADD_FAILURE() << "size " << n << " puzzle " << p;
                return;
            }
        }

        SudokuBoard solved(n);
        solved.SetValues(oracle::ToGrid(puzzle, n));
        solved.unsolvedCount = 1;
        solved.Solve(false);
        ASSERT_EQ(solved.unsolvedCount, 0) << "size " << n << " puzzle " << p;
        EXPECT_EQ(solved.GetValues(), oracle::ToGrid(solution, n)) << "size " << n << " puzzle " << p;
        EXPECT_EQ(solved.TrialDepth(), 0);
    }
}

// Small sizes are dug as far as uniqueness allows, the hardest positions a random dig gives; the
// large ones a little beyond the game's hardest hole counts, where the oracle stays quick. One
// test for all sizes, since the property means little unless every technique actually deduced
// something somewhere.
TEST(Soundness, EveryDeductionAgreesWithTheTrueSolution) {
    std::array<int, kTechniqueCount> fired{};
    RunSize(4, 16, 400, fired);
    RunSize(6, 36, 400, fired);
    RunSize(9, 81, 300, fired);
    RunSize(12, 90, 30, fired);
    RunSize(16, 140, 8, fired);
    for (int id = 0; id < kTrialAndError; ++id)
        EXPECT_GT(fired[id], 0) << "technique " << id << " never fired";
}

}  // namespace
