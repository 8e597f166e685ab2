// Colouring, XY-chains, remote chains and forced chains on hand-made positions, and the step
// budget of the chain searches.
#include <gtest/gtest.h>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

TEST(Coloring, OddLoopFalsifiesTheStartColour) {
    // Value 2 only at A(3,0) B(3,4) C(7,4) D(7,1) E(4,1) F(5,2): colouring from A gives A, C, E
    // one colour, and A and E share block 3. Value 1's pair on row 0 is earlier but its own.
    auto board = builder::Board(9);
    builder::ValueOnlyAt(*board, 1, {{0, 0}, {0, 8}});
    builder::ValueOnlyAt(*board, 2, {{3, 0}, {3, 4}, {7, 4}, {7, 1}, {4, 1}, {5, 2}});
    const std::vector<std::string>& log = board->log;
    EXPECT_TRUE(board->FindColorRestriction());
    EXPECT_EQ(log, (std::vector<std::string>{"Color restriction found at r4c1 for val 2\n",
                                             "Color restriction found at r5c2 for val 2\n",
                                             "Color restriction found at r8c5 for val 2\n"}));
    EXPECT_FALSE(HasValue(board->Cell(3, 4)->Eliminated(), 2));
}

TEST(XYChain, ThreeCellChainClearsBothCrossingsWithOneLineWithinItsBudget) {
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 4, {2, 3});
    builder::Only(board, 4, 4, {3, 1});
    board.chainStepBudget = 0;  // a spent budget stops the search without progress
    EXPECT_FALSE(board.FindXYChain());
    EXPECT_EQ(board.chainBudgetHits, 1u);
    EXPECT_FALSE(HasValue(board.Cell(4, 0)->Eliminated(), 1));
    board.chainStepBudget = 1000;
    const std::vector<std::string>& log = board.log;
    EXPECT_TRUE(board.FindXYChain());
    EXPECT_EQ(log, std::vector<std::string>{"XYChain restriction found at r5c1 for val 1\n"});
    EXPECT_TRUE(HasValue(board.Cell(0, 4)->Eliminated(), 1));
    EXPECT_FALSE(board.FindXYChain());
}

TEST(RemoteChains, FourCellChainClearsTheCrossings) {
    SudokuBoard board(9);
    for (auto [r, k] : {std::pair{0, 0}, {0, 4}, {4, 4}, {4, 8}}) builder::Only(board, r, k, {3, 8});
    const std::vector<std::string>& log = board.log;
    EXPECT_TRUE(board.FindRemoteChains());
    EXPECT_EQ(log, std::vector<std::string>{"RemoteChains restriction found at r5c1 for vals 3 8 \n"});
    EXPECT_TRUE(HasValue(board.Cell(0, 8)->Eliminated(), 8));
    EXPECT_FALSE(board.FindRemoteChains());
}

TEST(ForcedChain, BothValuesOfTheStartForceTheSameEndValue) {
    // S(0,0) {1,2}: S=1 -> A(0,4)=3 -> E(4,4)=5; S=2 -> B(4,0)=3 -> E=5.
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 4, {1, 3});
    builder::Only(board, 4, 0, {2, 3});
    builder::Only(board, 4, 4, {3, 5});
    const std::vector<std::string>& log = board.log;
    // Through the solving loop, with the forced chain alone allowed.
    for (int id = 0; id < kTechniqueCount; ++id) board.enabled[id] = id == kForcedChain;
    board.unsolvedCount = 81;
    board.Solve();
    EXPECT_TRUE(board.used[kForcedChain]);
    EXPECT_EQ(board.Value(4, 4), 5);
    EXPECT_EQ(log, std::vector<std::string>{"Forced Chain restriction found at r5c5 for val 5\n"});
    for (auto [r, k] : {std::pair{0, 0}, {0, 4}, {4, 0}}) EXPECT_EQ(board.Value(r, k), 0);
}

// Positions one step short of each pattern find nothing.
TEST(Chains, NearMissesFindNothing) {
    auto even = builder::Board(9);  // an even loop A(0,0) B(0,4) C(4,4) D(4,0)
    builder::ValueOnlyAt(*even, 1, {{0, 0}, {0, 4}, {4, 4}, {4, 0}, {7, 7}, {8, 8}});
    EXPECT_FALSE(even->FindColorRestriction());
    SudokuBoard seeds(9), three(9), apart(9);
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
}
