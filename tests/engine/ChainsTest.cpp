// Colouring, XY-chains, remote chains and forced chains on hand-made positions, and the step
// budget of the chain searches.
#include <gtest/gtest.h>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

using builder::Set;

TEST(Coloring, OddLoopFalsifiesTheStartColour)
{
    // Value 1 only at A(0,0) B(0,4) C(4,4) D(4,1) E(1,1) F(2,2): pairs A-B (row 0), C-D (row 4),
    // E-D (column 1), B-C (column 4). Colouring from A gives A, C, E one colour, and A and E
    // share block 0.
    auto board = builder::Board(9);
    builder::ValueOnlyAt(*board, 1, {{0, 0}, {0, 4}, {4, 4}, {4, 1}, {1, 1}, {2, 2}});
    std::vector<std::string> log;
    board->AttachLog(&log);
    EXPECT_TRUE(board->FindColorRestriction());
    EXPECT_EQ(log, (std::vector<std::string>{"Color restriction found at r1c1 for val 1\n",
                                              "Color restriction found at r2c2 for val 1\n",
                                              "Color restriction found at r5c5 for val 1\n"}));
    EXPECT_FALSE(HasValue(board->Cell(0, 4)->Eliminated(), 1));
    EXPECT_FALSE(HasValue(board->Cell(4, 1)->Eliminated(), 1));
}

TEST(XYChain, ThreeCellChainClearsBothCrossingsWithOneLineWithinItsBudget)
{
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 4, {2, 3});
    builder::Only(board, 4, 4, {3, 1});
    board.Cell(4, 0)->GetCandidates();
    board.chainStepBudget = 0;  // a spent budget stops the search without progress
    EXPECT_FALSE(board.FindXYChain());
    EXPECT_EQ(board.chainBudgetHits, 1u);
    EXPECT_FALSE(HasValue(board.Cell(4, 0)->Eliminated(), 1));
    board.chainStepBudget = 1000;
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindXYChain());
    EXPECT_EQ(board.chainBudgetHits, 1u);
    EXPECT_EQ(log, std::vector<std::string>{"XYChain restriction found at r5c1 for val 1\n"});
    EXPECT_TRUE(HasValue(board.Cell(4, 0)->Eliminated(), 1));
    EXPECT_TRUE(HasValue(board.Cell(0, 4)->Eliminated(), 1));
    EXPECT_FALSE(board.FindXYChain());
}

TEST(XYChain, EndsInOneRowClearTheRestOfTheRow)
{
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 4, 0, {2, 3});
    builder::Only(board, 4, 8, {3, 4});
    builder::Only(board, 0, 8, {4, 1});
    EXPECT_TRUE(board.FindXYChain());
    for (int k = 1; k < 8; ++k) EXPECT_TRUE(HasValue(board.Cell(0, k)->Eliminated(), 1)) << k;
    EXPECT_FALSE(HasValue(board.Cell(0, 0)->Eliminated(), 1));
    EXPECT_FALSE(HasValue(board.Cell(0, 8)->Eliminated(), 1));
}

TEST(RemoteChains, FourCellChainClearsTheCrossings)
{
    SudokuBoard board(9);
    for (auto [r, k] : {std::pair{0, 0}, {0, 4}, {4, 4}, {4, 8}}) builder::Only(board, r, k, {3, 8});
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindRemoteChains());
    // Only 0-4-4'-8' is found: a chain grows along the list, so the reverse one never forms.
    EXPECT_EQ(log, std::vector<std::string>{"RemoteChains restriction found at r5c1 for vals 3 8 \n"});
    EXPECT_TRUE(HasValue(board.Cell(4, 0)->Eliminated(), 3));
    EXPECT_TRUE(HasValue(board.Cell(0, 8)->Eliminated(), 8));
    // Found again: no progress, but the line is written again.
    EXPECT_FALSE(board.FindRemoteChains());
    EXPECT_EQ(log.size(), 2u);
}

TEST(RemoteChains, FilledCrossingGetsTheValuesButNoProgress)
{
    auto board = builder::Board(9, {".", ".", ".", ".", "5"});
    for (auto [r, k] : {std::pair{0, 0}, {0, 4}, {4, 4}, {4, 8}}) builder::Only(*board, r, k, {3, 8});
    EXPECT_TRUE(board->FindRemoteChains());  // through (0, 8)
    EXPECT_EQ(board->Value(4, 0), 5);
    EXPECT_EQ(board->Cell(4, 0)->Eliminated() & Set({3, 8}), Set({3, 8}));
}

TEST(ForcedChain, BothValuesOfTheStartForceTheSameEndValue)
{
    // S(0,0) {1,2}: S=1 -> A(0,4)=3 -> E(4,4)=5; S=2 -> B(4,0)=3 -> E=5.
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 4, {1, 3});
    builder::Only(board, 4, 0, {2, 3});
    builder::Only(board, 4, 4, {3, 5});
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindForcedChain());
    EXPECT_EQ(board.Value(4, 4), 5);
    EXPECT_EQ(log, std::vector<std::string>{"Forced Chain restriction found at r5c5 for val 5\n"});
    for (auto [r, k] : {std::pair{0, 0}, {0, 4}, {4, 0}}) EXPECT_EQ(board.Value(r, k), 0);
}

// Positions one step short of each pattern find nothing.
TEST(Chains, NearMissesFindNothing)
{
    auto even = builder::Board(9);  // an even loop A(0,0) B(0,4) C(4,4) D(4,0)
    builder::ValueOnlyAt(*even, 1, {{0, 0}, {0, 4}, {4, 4}, {4, 0}, {7, 7}, {8, 8}});
    EXPECT_FALSE(even->FindColorRestriction());
    EXPECT_FALSE(builder::Board(9, {"1........"})->FindColorRestriction()) << "placed values give no pairs";
    SudokuBoard seeds(9), three(9), apart(9), unlinked(9);
    builder::Only(seeds, 0, 0, {1, 2});
    builder::Only(seeds, 0, 4, {1, 2});
    EXPECT_FALSE(seeds.FindXYChain()) << "seeds sharing both values";
    for (auto [r, k] : {std::pair{0, 0}, {0, 4}, {4, 4}}) builder::Only(three, r, k, {3, 8});
    EXPECT_FALSE(three.FindRemoteChains()) << "three cells are no chain";
    // S=1 -> A=3 -> E=5; S=2 -> B=5: the two branches reach different values.
    builder::Only(apart, 0, 0, {1, 2});
    builder::Only(apart, 0, 4, {1, 3});
    builder::Only(apart, 4, 0, {2, 5});
    builder::Only(apart, 4, 4, {3, 5});
    EXPECT_FALSE(apart.FindForcedChain());
    EXPECT_EQ(apart.Value(4, 4), 0);
    builder::Only(unlinked, 0, 0, {1, 2});
    builder::Only(unlinked, 4, 4, {1, 3});
    EXPECT_FALSE(unlinked.FindForcedChain()) << "no linked bivalue cells";
}
