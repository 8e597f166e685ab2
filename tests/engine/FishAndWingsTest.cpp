// X-Wing, Swordfish, XY-Wing and XYZ-Wing on hand-made positions.
#include <gtest/gtest.h>

#include <algorithm>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

namespace {

// Leaves v in line `line` (a row, or a column when byColumn) only at the given positions.
void Confine(SudokuBoard& b, bool byColumn, int line, int v, std::initializer_list<int> keep) {
    for (int i = 0; i < 9; ++i)
        if (std::find(keep.begin(), keep.end(), i) == keep.end())
            (byColumn ? b.Cell(i, line) : b.Cell(line, i))->InsertEliminated(v);
}

}  // namespace

TEST(XWing, RowsWithTheSameTwoColumnsClearThoseColumns) {
    SudokuBoard board(9);
    Confine(board, false, 2, 5, {1, 7});
    Confine(board, false, 6, 5, {1, 7});
    board.SetValue(4, 1, 3);
    EXPECT_TRUE(board.FindXWing());
    EXPECT_TRUE(HasValue(board.Cell(4, 1)->Eliminated(), 5));  // filled cells are targets too
    EXPECT_TRUE(HasValue(board.Cell(0, 7)->Eliminated(), 5));
    EXPECT_FALSE(HasValue(board.Cell(2, 1)->Eliminated(), 5));
    EXPECT_FALSE(board.FindXWing());

    SudokuBoard largest(9);  // the same on the board's largest value
    Confine(largest, false, 2, 9, {1, 7});
    Confine(largest, false, 6, 9, {1, 7});
    EXPECT_TRUE(largest.FindXWing());
    EXPECT_TRUE(HasValue(largest.Cell(0, 7)->Eliminated(), 9));
}

TEST(Swordfish, ThreeColumnsOverThreeRows) {
    SudokuBoard board(9);
    Confine(board, true, 0, 3, {1, 4});
    Confine(board, true, 3, 3, {4, 8});
    Confine(board, true, 6, 3, {1, 8});
    EXPECT_TRUE(board.FindSwordfish());
    for (int r : {1, 4, 8})
        for (int k : {1, 2, 4, 5, 7, 8}) EXPECT_TRUE(HasValue(board.Cell(r, k)->Eliminated(), 3)) << r << k;
    EXPECT_FALSE(HasValue(board.Cell(2, 1)->Eliminated(), 3));
    EXPECT_FALSE(board.FindSwordfish());
}

TEST(XYWing, PincersInRowAndColumnClearTheirCrossingFilledOrNot) {
    SudokuBoard board(9);
    board.SetValue(4, 5, 7);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 5, {1, 3});
    builder::Only(board, 4, 0, {2, 3});
    const std::vector<std::string>& log = board.log;
    EXPECT_TRUE(board.FindXYWing());
    EXPECT_EQ(log, std::vector<std::string>{"XYWing restriction found at r5c6 for val 3\n"});
    EXPECT_EQ(board.Value(4, 5), 7);
    EXPECT_FALSE(board.FindXYWing());
}

TEST(XYZWing, PincerInTheBlockClearsTheBlockCellsInLineWithTheOther) {
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2, 3});
    builder::Only(board, 0, 6, {1, 3});
    builder::Only(board, 1, 1, {1, 2});
    const std::vector<std::string>& log = board.log;
    EXPECT_TRUE(board.FindXYZWing());
    EXPECT_EQ(log, (std::vector<std::string>{"XYZWing restriction found at r1c2 for val 1\n",
                                             "XYZWing restriction found at r1c3 for val 1\n"}));
    EXPECT_FALSE(board.FindXYZWing());
}

// Positions one step short of each pattern find nothing.
TEST(FishAndWings, NearMissesFindNothing) {
    SudokuBoard rows(9), columns(9), sword(9), xy(9), xyz(9);
    Confine(rows, false, 2, 5, {1, 7});
    Confine(rows, false, 6, 5, {1, 4});
    EXPECT_FALSE(rows.FindXWing()) << "rows with different columns";
    Confine(columns, true, 1, 5, {2, 6});
    Confine(columns, true, 7, 5, {2, 6});
    EXPECT_FALSE(columns.FindXWing()) << "columns are never the base";
    Confine(sword, true, 0, 3, {1, 4, 6});
    Confine(sword, true, 3, 3, {2, 4});
    Confine(sword, true, 6, 3, {1, 2});
    EXPECT_FALSE(sword.FindSwordfish()) << "four rows in two columns stop the pair";
    builder::Only(xy, 0, 0, {1, 2});
    builder::Only(xy, 0, 4, {1, 3});
    builder::Only(xy, 0, 8, {2, 3});
    EXPECT_FALSE(xy.FindXYWing()) << "three cells in one row";
    builder::Only(xyz, 0, 0, {1, 2, 3});
    builder::Only(xyz, 0, 6, {1, 3});
    builder::Only(xyz, 5, 0, {1, 2});
    EXPECT_FALSE(xyz.FindXYZWing()) << "a pincer outside the pivot's block";
}
