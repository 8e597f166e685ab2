// Block restrictions and naked/hidden subsets on hand-made positions, including the rule that a
// new insertion into a filled cell's eliminated set counts as progress.
#include <gtest/gtest.h>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

using builder::Set;

TEST(BlockLine, ValueConfinedToOneRowLeavesTheRestOfTheRowButTwoHoldersApartDoNothing) {
    auto board = builder::Board(9, {".........", "8........"});
    builder::ValueOnlyAt(*board, 4, {{1, 3}, {1, 5}, {0, 0}, {2, 2}, {5, 5}});
    const std::vector<std::string>& log = board->log;
    EXPECT_TRUE(board->FindBlockLineRestriction(board->blocks[1].get()));
    EXPECT_FALSE(HasValue(board->Cell(1, 3)->Eliminated(), 4));
    // The filled cell (1, 0) was a target too; the empty ones already had 4 eliminated.
    EXPECT_EQ(log, std::vector<std::string>{"Block/Row restriction found at r2c1 for val 4\n"});
    EXPECT_FALSE(board->FindBlockLineRestriction(board->blocks[1].get()));

    auto apart = builder::Board(9);
    for (int r = 0; r < 3; ++r)
        for (int k = 3; k < 6; ++k)
            if (!((r == 0 && k == 3) || (r == 1 && k == 4))) apart->Cell(r, k)->InsertEliminated(4);
    EXPECT_FALSE(apart->FindBlockLineRestriction(apart->blocks[1].get()));
}

TEST(BlockBlock, SameTwoColumnsInTwoBlocksOfAStackClearTheThirdButDifferentPairsDoNothing) {
    SudokuBoard board(9);
    // 7 in block 3 at rows {3, 4}, in block 4 at rows {3, 5}: no row case; columns differ too.
    for (int r = 3; r <= 5; ++r)
        for (int k = 0; k < 6; ++k) {
            const bool holder =
                (r == 3 && k == 0) || (r == 4 && k == 1) || (r == 3 && k == 4) || (r == 5 && k == 5);
            if (!holder) board.Cell(r, k)->InsertEliminated(7);
        }
    EXPECT_FALSE(board.FindBlockBlockRestriction(board.blocks[3].get(), board.blocks[4].get()));
    EXPECT_FALSE(board.FindBlockBlockRestriction(board.blocks[4].get(), board.blocks[4].get()));
    // Blocks 0 and 3 with 7 in columns {0, 1} in both: block 6 loses 7 in those columns.
    for (int r = 0; r < 3; ++r) board.Cell(r, 2)->InsertEliminated(7);
    EXPECT_TRUE(board.FindBlockBlockRestriction(board.blocks[0].get(), board.blocks[3].get()));
    EXPECT_TRUE(HasValue(board.Cell(8, 0)->Eliminated(), 7));
    EXPECT_TRUE(HasValue(board.Cell(6, 1)->Eliminated(), 7));
    EXPECT_FALSE(HasValue(board.Cell(8, 2)->Eliminated(), 7));
}

TEST(NakedSubset, PairLeavesTheRestOfTheHouseButSetsOfDifferentSizesDoNot) {
    auto board = builder::Board(9);
    builder::Only(*board, 1, 4, {3, 8});
    builder::Only(*board, 6, 4, {3, 8});
    const std::vector<std::string>& log = board->log;
    EXPECT_TRUE(board->FindNakedSubset(board->columns[4].get()));
    EXPECT_EQ(log[0], "Naked Subset restriction found at r1c5 for val 3\n");
    EXPECT_EQ(board->Cell(1, 4)->Eliminated(), Set({1, 2, 4, 5, 6, 7, 9}));

    auto other = builder::Board(9);
    builder::Only(*other, 0, 0, {1, 4});
    builder::Only(*other, 0, 1, {1, 4, 6});
    EXPECT_FALSE(other->FindNakedSubset(other->rows[0].get()));
}

TEST(HiddenSubset, PairStripsTheOtherValuesButPlacedValuesNeverTakePart) {
    auto board = builder::Board(9);
    // In block 0, 5 and 9 only at positions 2 and 7: cells (0, 2) and (2, 1).
    for (int p = 0; p < 9; ++p)
        if (p != 2 && p != 7) {
            board->blocks[0]->cells[p]->InsertEliminated(5);
            board->blocks[0]->cells[p]->InsertEliminated(9);
        }
    builder::Only(*board, 0, 2, {1, 3, 5, 9});
    builder::Only(*board, 2, 1, {1, 3, 5, 9});
    const std::vector<std::string>& log = board->log;
    EXPECT_TRUE(board->FindHiddenSubset(board->blocks[0].get()));
    EXPECT_EQ(log.front(), "Hidden Pair restriction found at r1c3 for val 1\n");
    EXPECT_EQ(board->Cell(0, 2)->GetCandidates(), Set({5, 9}));
    EXPECT_FALSE(board->FindHiddenSubset(board->blocks[0].get()));

    auto placed = builder::Board(4, {"1...", "..2."});
    EXPECT_FALSE(placed->FindHiddenSubset(placed->rows[0].get()));
}
