// Naked and hidden singles on hand-made positions.
#include <gtest/gtest.h>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

TEST(Singles, OnlyCandidateOrOnlyPlaceInTheBlockIsPlaced) {
    // Row 4 holds 1..6, column 0 holds 8 and 9: only 7 is left for (4, 0).
    auto naked = builder::Board(9, {"8........", "9........", ".........", ".........", ".123456.."});
    const std::vector<std::string>& log = naked->log;
    EXPECT_TRUE(naked->FindNakedSingle(naked->Cell(4, 0)));
    EXPECT_EQ(naked->Value(4, 0), 7);
    EXPECT_EQ(log, std::vector<std::string>{"Naked Single found at r5c1\n"});
    // No other cell of block 0 can take 2 or 6: the smaller is placed.
    auto hidden = builder::Board(9);
    builder::Only(*hidden, 0, 0, {2, 6});
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            if (r + k > 0) {
                hidden->Cell(r, k)->InsertEliminated(2);
                hidden->Cell(r, k)->InsertEliminated(6);
            }
    EXPECT_FALSE(hidden->FindNakedSingle(hidden->Cell(0, 0)));
    EXPECT_TRUE(hidden->FindHiddenSingle(hidden->Cell(0, 0)));
    EXPECT_EQ(hidden->Value(0, 0), 2);
}

TEST(Singles, FilledCellsCellsWithoutCandidatesAndRowOnlySinglesAreLeftAlone) {
    auto nine = builder::Board(9, {"5........"});
    auto four = builder::Board(4, {"..12", "34.."});  // (0, 0) has no candidate left
    for (SudokuBoard* board : {nine.get(), four.get()}) {
        const int value = board->Cell(0, 0)->Value();
        EXPECT_FALSE(board->FindNakedSingle(board->Cell(0, 0)));
        EXPECT_FALSE(board->FindHiddenSingle(board->Cell(0, 0)));
        EXPECT_EQ(board->Cell(0, 0)->Value(), value);
    }
    // 6 has no other place in row 0, but the hidden single looks at the block only.
    auto board = builder::Board(9);
    builder::Only(*board, 0, 0, {2, 6});
    for (int k = 1; k < 9; ++k) board->Cell(0, k)->InsertEliminated(6);
    EXPECT_FALSE(board->FindHiddenSingle(board->Cell(0, 0)));
    EXPECT_EQ(board->Value(0, 0), 0);
}
