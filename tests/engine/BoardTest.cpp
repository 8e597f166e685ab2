// The board model: its refusal of grids, values, sizes and files that do not fit, the printed grid and the
// solved check; its everyday behaviour is exercised by every technique and sweep test.
#include <gtest/gtest.h>

#include <sstream>

#include "BoardBuilder.h"
#include "SudokuBoard.h"
#include "support/TestEnv.h"

using builder::Set;

TEST(Board, RefusesGridsValuesSizesAndFilesThatDoNotFit) {
    SudokuBoard board(4);
    board.Cell(0, 0)->InsertEliminated(2);
    const Grid good = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};
    Grid shortGrid = good, ragged = good, outOfRange = good, negative = good;
    shortGrid.pop_back();
    ragged[2].pop_back();
    outOfRange[3][3] = 5;
    negative[1][0] = -1;
    for (const Grid& bad : {shortGrid, ragged, outOfRange, negative}) {
        EXPECT_FALSE(board.SetValues(bad));
        EXPECT_EQ(board.Value(0, 0), 0);
        EXPECT_EQ(board.Cell(0, 0)->Eliminated(), Set({2}));
    }
    EXPECT_FALSE(board.SetValue(0, 0, 5));
    EXPECT_FALSE(board.SetValue(0, 0, -1));
    EXPECT_FALSE(board.Cell(0, 0)->SetValue(9));
    // An unsupported size builds a 9 x 9 board rather than blocks that overrun the cells.
    for (int n : {0, 5, 8, 17, -4}) {
        SudokuBoard odd(n);
        EXPECT_EQ(odd.size, 9);
        EXPECT_EQ(odd.blocks.size(), 9u);
        EXPECT_EQ(odd.CellCount(), 81);
    }
    // Files: another size, truncated, out of range or missing are refused without a change.
    testenv::TempDir dir;
    const auto path = dir.Path() / "grid.txt";
    testenv::WriteFile(path, "4\n1 2 0 4\n3 4 1 2\n0 1 4 3\n4 3 2 1\n");
    ASSERT_TRUE(board.LoadFromFile(path.string()));
    EXPECT_EQ(board.unsolvedCount, 2);
    SudokuBoard nine(9);
    nine.unsolvedCount = 7;
    EXPECT_FALSE(nine.LoadFromFile(path.string()));
    EXPECT_EQ(nine.unsolvedCount, 7);
    SudokuBoard fresh(4);
    for (const char* text : {"4\n1 2 0 4\n3 4 1 2\n", "4\n1 2 0 9\n3 4 1 2\n0 1 4 3\n4 3 2 1\n"}) {
        testenv::WriteFile(path, text);
        EXPECT_FALSE(fresh.LoadFromFile(path.string()));
        EXPECT_EQ(fresh.Value(0, 0), 0);
    }
    EXPECT_FALSE(fresh.LoadFromFile((dir.Path() / "missing.txt").string()));
    // The solution search stops at the caller's cap.
    EXPECT_EQ(fresh.FindAllSolutions(5), 5);
    EXPECT_EQ(fresh.solutions.size(), 5u);
}

TEST(Board, PrintsTheGridWithARuleUnderEveryBandAndABarAfterEveryStackAndSaysWhenSolved) {
    SudokuBoard board(4);
    ASSERT_TRUE(board.SetValues({{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 0}}));
    std::ostringstream out;
    board.Print(out);
    EXPECT_EQ(out.str(), "-------\n|12|34|\n|34|12|\n-------\n|21|43|\n|43|20|\n-------\n");
    EXPECT_FALSE(board.IsSolved());
    ASSERT_TRUE(board.SetValue(3, 3, 1));
    EXPECT_TRUE(board.IsSolved());
}
