// Naked and hidden singles on hand-made positions.
#include <gtest/gtest.h>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

using builder::Set;

TEST(Singles, FilledCellsAndCellsWithoutCandidatesAreLeftAlone)
{
    auto nine = builder::Board(9, {"5........"});
    auto four = builder::Board(4, {"..12", "34.."});  // (0, 0) has no candidate left
    for (SudokuBoard* board : {nine.get(), four.get()}) {
        std::vector<std::string> log;
        board->AttachLog(&log);
        SudokuCell* cell = board->Cell(0, 0);
        const int value = cell->Value();
        EXPECT_FALSE(board->FindNakedSingle(cell));
        EXPECT_FALSE(board->FindHiddenSingle(cell));
        EXPECT_EQ(cell->Value(), value);
        EXPECT_TRUE(log.empty());
    }
    EXPECT_EQ(nine->Cell(0, 0)->Eliminated(), 0u);
    EXPECT_EQ(nine->Cell(0, 0)->Candidates(), 0u);
}

TEST(Singles, OnlyCandidateIsPlacedUnderTheNakedTextByEitherSearch)
{
    // Row 4 holds 1..6, column 0 holds 8 and 9: only 7 is left for (4, 0).
    for (bool hidden : {false, true}) {
        auto board = builder::Board(9, {"8........", "9........", ".........", ".........", ".123456.."});
        std::vector<std::string> log;
        board->AttachLog(&log);
        EXPECT_TRUE(hidden ? board->FindHiddenSingle(board->Cell(4, 0)) : board->FindNakedSingle(board->Cell(4, 0)));
        EXPECT_EQ(board->Value(4, 0), 7);
        EXPECT_EQ(log, std::vector<std::string>{"Naked Single found at r5c1\n"});
    }
}

TEST(Singles, HiddenSingleTakesTheSmallestValueUniqueInTheBlockOnly)
{
    auto board = builder::Board(9);
    builder::Only(*board, 0, 0, {2, 6});
    // 6 has no other place in row 0, but other cells of the block can take both values.
    for (int k = 1; k < 9; ++k) board->Cell(0, k)->InsertEliminated(6);
    EXPECT_FALSE(board->FindHiddenSingle(board->Cell(0, 0)));
    EXPECT_EQ(board->Value(0, 0), 0);
    // The walk refreshed every other cell of the block.
    EXPECT_EQ(board->Cell(2, 2)->Candidates(), Set({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(board->Cell(0, 1)->Candidates(), Set({1, 2, 3, 4, 5, 7, 8, 9}));
    // Now no other cell of block 0 can take 2 or 6.
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            if (r + k > 0) {
                board->Cell(r, k)->InsertEliminated(2);
                board->Cell(r, k)->InsertEliminated(6);
            }
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_FALSE(board->FindNakedSingle(board->Cell(0, 0)));
    EXPECT_TRUE(board->FindHiddenSingle(board->Cell(0, 0)));
    EXPECT_EQ(board->Value(0, 0), 2);
    EXPECT_EQ(log, std::vector<std::string>{"Hidden Single found at r1c1\n"});
}

TEST(Singles, APassSeesTheValuesPlacedEarlierInIt)
{
    // Row 0 misses 9 only, at (0, 8); then (1, 8) sees 9 in its column.
    auto board = builder::Board(9, {"12345678.", "........."});
    board->unsolvedCount = 81;
    board->enabled.fill(false);
    board->enabled[kNakedSingle] = true;
    board->Solve();
    EXPECT_EQ(board->Value(0, 8), 9);
    EXPECT_FALSE(HasValue(board->Cell(1, 8)->Candidates(), 9));
    EXPECT_TRUE(board->used[kNakedSingle]);
}
