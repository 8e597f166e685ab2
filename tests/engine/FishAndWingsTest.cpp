// X-Wing, Swordfish, XY-Wing and XYZ-Wing on hand-made positions.
#include <gtest/gtest.h>

#include <algorithm>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

using builder::Set;

namespace {

// 9 x 9 board on which v can go only to the listed cells.
std::unique_ptr<SudokuBoard> ValueOnly(int v, std::initializer_list<std::pair<int, int>> cells)
{
    auto board = builder::Board(9);
    builder::ValueOnlyAt(*board, v, cells);
    return board;
}

}  // namespace

TEST(XWing, RowsWithTheSameTwoColumnsClearThoseColumns)
{
    SudokuBoard board(9);
    for (int r : {2, 6})
        for (int k = 0; k < 9; ++k)
            if (k != 1 && k != 7) board.Cell(r, k)->InsertEliminated(5);
    board.SetValue(4, 1, 3);
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindXWing());
    EXPECT_EQ(log.size(), 14u);  // seven cells in each column, the filled (4, 1) included
    EXPECT_EQ(log.front(), "XWing restriction found at r1c2 for val 5\n");
    EXPECT_TRUE(HasValue(board.Cell(4, 1)->Eliminated(), 5));
    EXPECT_FALSE(HasValue(board.Cell(2, 1)->Eliminated(), 5));
    EXPECT_FALSE(HasValue(board.Cell(6, 7)->Eliminated(), 5));
    log.clear();
    EXPECT_FALSE(board.FindXWing());
}

TEST(Swordfish, ThreeColumnsOverThreeRows)
{
    auto board = ValueOnly(3, {{1, 0}, {4, 0}, {4, 3}, {8, 3}, {1, 6}, {8, 6}});
    // Reopen 3 in the rest of rows 1, 4 and 8, the targets.
    SudokuBoard open(9);
    for (int k = 0; k < 9; ++k)
        for (int r = 0; r < 9; ++r) {
            const bool baseColumn = k == 0 || k == 3 || k == 6;
            const bool holder = (k == 0 && (r == 1 || r == 4)) || (k == 3 && (r == 4 || r == 8)) ||
                                (k == 6 && (r == 1 || r == 8));
            if (baseColumn && !holder) open.Cell(r, k)->InsertEliminated(3);
        }
    std::vector<std::string> log;
    open.AttachLog(&log);
    EXPECT_TRUE(open.FindSwordfish());
    for (int r : {1, 4, 8})
        for (int k : {1, 2, 4, 5, 7, 8}) EXPECT_TRUE(HasValue(open.Cell(r, k)->Eliminated(), 3)) << r << k;
    EXPECT_FALSE(HasValue(open.Cell(2, 1)->Eliminated(), 3));
    EXPECT_EQ(log.size(), 18u);
    EXPECT_EQ(log.front(), "Swordfish restriction found at r2c2 for val 3\n");
    EXPECT_FALSE(open.FindSwordfish());
    // With every target already eliminated, the fully confined board finds nothing new either.
    EXPECT_FALSE(board->FindSwordfish());
}

TEST(XYWing, PincersInRowAndColumnClearTheirCrossing)
{
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 5, {1, 3});
    builder::Only(board, 4, 0, {2, 3});
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindXYWing());
    EXPECT_EQ(log, std::vector<std::string>{"XYWing restriction found at r5c6 for val 3\n"});
    EXPECT_FALSE(board.FindXYWing());
}

TEST(XYWing, PincerInThePivotsBlockAddsTheBlockRowIntersections)
{
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 5, {1, 3});
    builder::Only(board, 1, 1, {2, 3});
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindXYWing());
    EXPECT_EQ(log, (std::vector<std::string>{"XYWing restriction found at r1c2 for val 3\n",
                                              "XYWing restriction found at r1c3 for val 3\n",
                                              "XYWing restriction found at r2c4 for val 3\n",
                                              "XYWing restriction found at r2c5 for val 3\n",
                                              "XYWing restriction found at r2c6 for val 3\n"}));
}

TEST(XYWing, FilledTargetStillCounts)
{
    SudokuBoard board(9);
    board.SetValue(4, 5, 7);
    builder::Only(board, 0, 0, {1, 2});
    builder::Only(board, 0, 5, {1, 3});
    builder::Only(board, 4, 0, {2, 3});
    EXPECT_TRUE(board.FindXYWing());
    EXPECT_TRUE(HasValue(board.Cell(4, 5)->Eliminated(), 3));
    EXPECT_EQ(board.Value(4, 5), 7);
}

TEST(XYZWing, PincerInTheBlockClearsTheBlockCellsInLineWithTheOther)
{
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2, 3});
    builder::Only(board, 0, 6, {1, 3});
    builder::Only(board, 1, 1, {1, 2});
    std::vector<std::string> log;
    board.AttachLog(&log);
    EXPECT_TRUE(board.FindXYZWing());
    EXPECT_EQ(log, (std::vector<std::string>{"XYZWing restriction found at r1c2 for val 1\n",
                                              "XYZWing restriction found at r1c3 for val 1\n"}));
    EXPECT_FALSE(board.FindXYZWing());
}

TEST(XYZWing, AllThreeInOneBlockClearCellsInLineWithEitherPincer)
{
    SudokuBoard board(9);
    builder::Only(board, 0, 0, {1, 2, 3});
    builder::Only(board, 1, 1, {1, 3});
    builder::Only(board, 2, 2, {1, 2});
    EXPECT_TRUE(board.FindXYZWing());
    // In line with (1, 1) or (2, 2), inside block 0, other than the three.
    for (auto [r, k] : {std::pair{0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}})
        EXPECT_TRUE(HasValue(board.Cell(r, k)->Eliminated(), 1)) << r << k;
    EXPECT_FALSE(HasValue(board.Cell(1, 5)->Eliminated(), 1));
}

// Positions one step short of each pattern find nothing.
TEST(FishAndWings, NearMissesFindNothing)
{
    // Leaves v in line `line` (a row, or a column when byColumn) only at the given positions.
    const auto confine = [](SudokuBoard& b, bool byColumn, int line, int v, std::initializer_list<int> keep) {
        for (int i = 0; i < 9; ++i)
            if (std::find(keep.begin(), keep.end(), i) == keep.end())
                (byColumn ? b.Cell(i, line) : b.Cell(line, i))->InsertEliminated(v);
    };
    SudokuBoard rows(9), columns(9), sword(9), xy(9), xyz(9);
    confine(rows, false, 2, 5, {1, 7});
    confine(rows, false, 6, 5, {1, 4});
    EXPECT_FALSE(rows.FindXWing()) << "rows with different columns";
    confine(columns, true, 1, 5, {2, 6});
    confine(columns, true, 7, 5, {2, 6});
    EXPECT_FALSE(columns.FindXWing()) << "columns are never the base";
    confine(sword, true, 0, 3, {1, 4, 6});
    confine(sword, true, 3, 3, {2, 4});
    confine(sword, true, 6, 3, {1, 2});
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
