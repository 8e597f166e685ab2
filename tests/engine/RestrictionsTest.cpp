// Block restrictions and naked/hidden subsets on hand-made positions, including the rule that a
// new insertion into a filled cell's eliminated set counts as progress.
#include <gtest/gtest.h>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

using builder::Set;

namespace {

int CountPrefix(const std::vector<std::string>& log, const std::string& prefix)
{
    int n = 0;
    for (const auto& line : log) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

}  // namespace

TEST(BlockLine, ValueConfinedToOneRowLeavesTheRestOfTheRow)
{
    auto board = builder::Board(9, {".........", "8........"});
    builder::ValueOnlyAt(*board, 4, {{1, 3}, {1, 5}, {0, 0}, {2, 2}, {5, 5}});
    // Only block 1's holders matter: (1, 3) and (1, 5).
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_TRUE(board->FindBlockLineRestriction(board->blocks[1].get()));
    for (int k : {0, 1, 2, 6, 7, 8}) EXPECT_TRUE(HasValue(board->Cell(1, k)->Eliminated(), 4)) << k;
    EXPECT_FALSE(HasValue(board->Cell(1, 3)->Eliminated(), 4));
    EXPECT_FALSE(HasValue(board->Cell(1, 5)->Eliminated(), 4));
    // The filled cell (1, 0) was a target too; the empty ones already had 4 eliminated.
    EXPECT_EQ(log, std::vector<std::string>{"Block/Row restriction found at r2c1 for val 4\n"});

    log.clear();
    EXPECT_FALSE(board->FindBlockLineRestriction(board->blocks[1].get()));
    EXPECT_TRUE(log.empty());
}

TEST(BlockLine, EmptyTargetsGetOneLineEach)
{
    auto board = builder::Board(9);
    for (int r = 0; r < 3; ++r)
        for (int k = 3; k < 6; ++k)
            if (!(r == 1 && (k == 3 || k == 5))) board->Cell(r, k)->InsertEliminated(4);
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_TRUE(board->FindBlockLineRestriction(board->blocks[1].get()));
    EXPECT_EQ(CountPrefix(log, "Block/Row restriction found at r2c"), 6);
    EXPECT_EQ(log.front(), "Block/Row restriction found at r2c1 for val 4\n");
    EXPECT_EQ(log.back(), "Block/Row restriction found at r2c9 for val 4\n");
}

TEST(BlockLine, SingleHolderIsPlacedSilentlyWithoutProgressAndTwoHoldersApartDoNothing)
{
    // (0, 0) is the only place for 3 and 7 in its block, a contradiction: the first value is kept.
    for (const std::vector<int>& values : {std::vector<int>{7}, {3, 7}}) {
        auto board = builder::Board(9);
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < 3; ++k)
                if (r + k > 0)
                    for (int v : values) board->Cell(r, k)->InsertEliminated(v);
        std::vector<std::string> log;
        board->AttachLog(&log);
        EXPECT_FALSE(board->FindBlockLineRestriction(board->blocks[0].get()));
        EXPECT_EQ(board->Value(0, 0), values.front());
        EXPECT_TRUE(log.empty());
    }
    auto board = builder::Board(9);
    for (int r = 0; r < 3; ++r)
        for (int k = 3; k < 6; ++k)
            if (!((r == 0 && k == 3) || (r == 1 && k == 4))) board->Cell(r, k)->InsertEliminated(4);
    EXPECT_FALSE(board->FindBlockLineRestriction(board->blocks[1].get()));
}

TEST(BlockBlock, ValueInTheSameTwoRowsOfTwoBlocksLeavesTheRestOfThoseRows)
{
    // Middle band: 7 only in rows 3 and 4 within blocks 3 and 4; the third block's cells of those
    // rows are still open for it.
    SudokuBoard board(9);
    for (int r = 0; r < 9; ++r)
        for (int k = 0; k < 9; ++k) {
            const bool holder = (r == 3 && (k == 0 || k == 4)) || (r == 4 && (k == 1 || k == 5));
            const bool open = (r == 3 || r == 4) && k >= 6;
            if (!holder && !open) board.Cell(r, k)->InsertEliminated(7);
        }
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindBlockBlockRestriction(board.blocks[3].get(), board.blocks[4].get()));
    for (int r : {3, 4})
        for (int k = 6; k < 9; ++k) EXPECT_TRUE(HasValue(board.Cell(r, k)->Eliminated(), 7));
    EXPECT_FALSE(HasValue(board.Cell(3, 0)->Eliminated(), 7));
    EXPECT_EQ(log.size(), 6u);
    EXPECT_EQ(log.front(), "Block/Block restriction found at r4c7 for val 7\n");
    EXPECT_FALSE(board.FindBlockBlockRestriction(board.blocks[3].get(), board.blocks[4].get()));
}

TEST(BlockBlock, DifferentRowPairsFallBackToColumns)
{
    SudokuBoard board(9);
    // 7 in block 3 at rows {3, 4}, in block 4 at rows {3, 5}: no row case; columns differ too.
    for (int r = 0; r < 9; ++r)
        for (int k = 0; k < 9; ++k) {
            const bool holder = (r == 3 && k == 0) || (r == 4 && k == 1) || (r == 3 && k == 4) || (r == 5 && k == 5);
            if (!holder && r >= 3 && r <= 5 && k < 6) board.Cell(r, k)->InsertEliminated(7);
        }
    EXPECT_FALSE(board.FindBlockBlockRestriction(board.blocks[3].get(), board.blocks[4].get()));
    EXPECT_FALSE(board.FindBlockBlockRestriction(board.blocks[4].get(), board.blocks[4].get()));
    // Blocks 0 and 3 (one stack) with 7 in columns {0, 1} in both: the column case acts.
    for (int r = 0; r < 3; ++r) board.Cell(r, 2)->InsertEliminated(7);
    EXPECT_TRUE(board.FindBlockBlockRestriction(board.blocks[0].get(), board.blocks[3].get()));
    EXPECT_TRUE(HasValue(board.Cell(8, 0)->Eliminated(), 7));
    EXPECT_TRUE(HasValue(board.Cell(6, 1)->Eliminated(), 7));
    EXPECT_FALSE(HasValue(board.Cell(8, 2)->Eliminated(), 7));
}

TEST(NakedSubset, FilledCellsCountAsSubsetsOfOne)
{
    auto board = builder::Board(9, {"12......."});
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_TRUE(board->FindNakedSubset(board->rows[0].get()));
    // Size 1 first: each given pushes its value into the other given. Then the seven open cells,
    // all {3..9}, form a subset of seven whose values enter both givens' sets.
    ASSERT_EQ(log.size(), 16u);
    EXPECT_EQ(log[0], "Naked Subset restriction found at r1c2 for val 1\n");
    EXPECT_EQ(log[1], "Naked Subset restriction found at r1c1 for val 2\n");
    EXPECT_EQ(log[15], "Naked Subset restriction found at r1c2 for val 9\n");
    EXPECT_EQ(board->Cell(0, 0)->Eliminated(), Set({2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(board->Value(0, 0), 1);
    log.clear();
    EXPECT_FALSE(board->FindNakedSubset(board->rows[0].get()));
    EXPECT_TRUE(log.empty());
}

TEST(NakedSubset, PairLeavesTheRestOfTheHouse)
{
    auto board = builder::Board(9);
    builder::Only(*board, 1, 4, {3, 8});
    builder::Only(*board, 6, 4, {3, 8});
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_TRUE(board->FindNakedSubset(board->columns[4].get()));
    EXPECT_EQ(log.size(), 14u);
    EXPECT_EQ(log[0], "Naked Subset restriction found at r1c5 for val 3\n");
    EXPECT_EQ(log[1], "Naked Subset restriction found at r1c5 for val 8\n");
    EXPECT_EQ(board->Cell(1, 4)->Eliminated(), Set({1, 2, 4, 5, 6, 7, 9}));
}

TEST(NakedSubset, ThreeCellsWithTheSamePairActFromTheSecond)
{
    auto board = builder::Board(9);
    for (int k : {0, 3, 6}) builder::Only(*board, 2, k, {3, 8});
    EXPECT_TRUE(board->FindNakedSubset(board->rows[2].get()));
    for (int k : {0, 3, 6}) EXPECT_EQ(board->Cell(2, k)->GetCandidates(), Set({3, 8}));
    EXPECT_FALSE(HasValue(board->Cell(2, 1)->GetCandidates(), 3));
    // Candidate sets of different sizes are no subset.
    auto other = builder::Board(9);
    builder::Only(*other, 0, 0, {1, 4});
    builder::Only(*other, 0, 1, {1, 4, 6});
    EXPECT_FALSE(other->FindNakedSubset(other->rows[0].get()));
}

TEST(HiddenSubset, PairStripsTheOtherValuesAndEndsTheCall)
{
    auto board = builder::Board(9);
    // In block 0, 5 and 9 only at positions 2 and 7: cells (0, 2) and (2, 1).
    for (int p = 0; p < 9; ++p)
        if (p != 2 && p != 7) {
            board->blocks[0]->cells[p]->InsertEliminated(5);
            board->blocks[0]->cells[p]->InsertEliminated(9);
        }
    builder::Only(*board, 0, 2, {1, 3, 5, 9});
    builder::Only(*board, 2, 1, {1, 3, 5, 9});
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_TRUE(board->FindHiddenSubset(board->blocks[0].get()));
    EXPECT_EQ(log, (std::vector<std::string>{"Hidden Pair restriction found at r1c3 for val 1\n",
                                              "Hidden Pair restriction found at r1c3 for val 3\n",
                                              "Hidden Pair restriction found at r3c2 for val 1\n",
                                              "Hidden Pair restriction found at r3c2 for val 3\n"}));
    EXPECT_EQ(board->Cell(0, 2)->GetCandidates(), Set({5, 9}));
    // The same pair again eliminates nothing, and ends the call before any other subset.
    log.clear();
    EXPECT_FALSE(board->FindHiddenSubset(board->blocks[0].get()));
    EXPECT_TRUE(log.empty());
}

TEST(HiddenSubset, TripletFromThreeTwoPositionValues)
{
    auto board = builder::Board(9);
    // Row 0: 2 at {0, 3}, 4 at {3, 5}, 6 at {0, 5}.
    const std::pair<int, std::vector<int>> where[] = {{2, {0, 3}}, {4, {3, 5}}, {6, {0, 5}}};
    for (const auto& [v, positions] : where)
        for (int k = 0; k < 9; ++k)
            if (std::find(positions.begin(), positions.end(), k) == positions.end())
                board->Cell(0, k)->InsertEliminated(v);
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_TRUE(board->FindHiddenSubset(board->rows[0].get()));
    for (int k : {0, 3, 5}) EXPECT_EQ(board->Cell(0, k)->GetCandidates() & ~Set({2, 4, 6}), 0u) << k;
    EXPECT_EQ(log.front(), "Hidden Triplet restriction found at r1c1 for val 1\n");
    auto placed = builder::Board(4, {"1...", "..2."});  // placed values never take part
    EXPECT_FALSE(placed->FindHiddenSubset(placed->rows[0].get()));
}
