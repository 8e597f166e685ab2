// The board model: shapes and indexing, candidates and their cache, loading and reading grids,
// and the diagnostic operations.
#include <gtest/gtest.h>

#include <sstream>

#include "BoardBuilder.h"
#include "SudokuBoard.h"
#include "support/TestEnv.h"

using builder::Set;

TEST(BoardShape, BlocksHousesAndTheirCellsForEverySize)
{
    SudokuBoard six(6);
    const SudokuBlock* block = six.Cell(2, 4)->block;
    EXPECT_EQ(block, six.blocks[3].get());
    EXPECT_EQ(block->firstRow, 2);
    EXPECT_EQ(block->firstColumn, 3);
    EXPECT_EQ(block->rowsPerBlock, 2);
    EXPECT_EQ(block->colsPerBlock, 3);
    SudokuBoard twelve(12);
    EXPECT_EQ(twelve.Cell(11, 0)->block, twelve.blocks[9].get());
    EXPECT_EQ(twelve.blocks[1]->firstColumn, 4);
    EXPECT_EQ(twelve.blocks[3]->firstRow, 3);
    for (int n : {4, 6, 9, 12, 16}) {
        SudokuBoard board(n);
        EXPECT_EQ(board.houseSum, n * (n + 1) / 2);
        for (int r = 0; r < n; ++r)
            for (int k = 0; k < n; ++k) {
                EXPECT_EQ(board.rows[r]->cells[k], board.Cell(r, k));
                EXPECT_EQ(board.columns[k]->cells[r], board.Cell(r, k));
            }
        for (const auto& b : board.blocks) {
            ASSERT_EQ(static_cast<int>(b->cells.size()), n);
            for (int p = 0; p < n; ++p) {
                EXPECT_EQ(b->cells[p]->rowIndex, b->firstRow + p / b->colsPerBlock);
                EXPECT_EQ(b->cells[p]->colIndex, b->firstColumn + p % b->colsPerBlock);
            }
        }
        EXPECT_EQ(board.rows[0]->GetCell(n), nullptr);
        EXPECT_EQ(board.rows[0]->GetCell(n - 1), board.Cell(0, n - 1));
    }
    SudokuBoard nine(9);
    const auto inRow = nine.blocks[4]->GetCellsInRow(4);
    ASSERT_EQ(inRow.size(), 3u);
    EXPECT_EQ(inRow[0], nine.Cell(4, 3));
    EXPECT_EQ(inRow[2], nine.Cell(4, 5));
    EXPECT_TRUE(nine.blocks[4]->GetCellsInColumn(0).empty());
    // An unsupported size builds a 9 x 9 board.
    for (int n : {0, 5, 8, 17, -4}) {
        SudokuBoard board(n);
        EXPECT_EQ(board.size, 9);
        EXPECT_EQ(board.blocks.size(), 9u);
        EXPECT_EQ(board.CellCount(), 81);
    }
}

TEST(Candidates, PeersMergeIntoTheEliminatedSetAndTheCacheChangesOnlyOnRefresh)
{
    auto board = builder::Board(9, {"5.3456789"});
    SudokuCell* filled = board->Cell(0, 0);
    filled->InsertEliminated(5);
    EXPECT_EQ(filled->GetCandidates(), Set({5}));  // a filled cell gives its value, keeping its set
    EXPECT_EQ(filled->Eliminated(), Set({5}));
    SudokuCell* cell = board->Cell(0, 1);
    EXPECT_EQ(cell->GetCandidates(), Set({1, 2}));
    board->SetValue(0, 2, 0);  // merged permanently: clearing a peer gives nothing back
    EXPECT_EQ(cell->GetCandidates(), Set({1, 2}));
    EXPECT_EQ(cell->Eliminated(), Set({3, 4, 5, 6, 7, 8, 9}));
    board->SetValue(1, 1, 1);
    EXPECT_EQ(cell->Candidates(), Set({1, 2}));
    EXPECT_EQ(cell->GetCandidates(), Set({2}));
    for (int v = 1; v <= 9; ++v) board->Cell(5, 5)->InsertEliminated(v);
    EXPECT_EQ(board->Cell(5, 5)->GetCandidates(), 0u);
}

TEST(SetValues, RefusesAnyGridOfTheWrongShapeOrRange)
{
    SudokuBoard board(4);
    board.Cell(0, 0)->InsertEliminated(2);
    const Grid good = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};
    Grid shortGrid = good;
    shortGrid.pop_back();
    Grid ragged = good;
    ragged[2].pop_back();
    Grid outOfRange = good;
    outOfRange[3][3] = 5;
    Grid negative = good;
    negative[1][0] = -1;
    for (const Grid& bad : {shortGrid, ragged, outOfRange, negative}) {
        EXPECT_FALSE(board.SetValues(bad));
        EXPECT_EQ(board.Value(0, 0), 0);
        EXPECT_EQ(board.Cell(0, 0)->Eliminated(), Set({2}));
    }
}

TEST(SetValues, ClearsEliminatedSetsButNotTheCaches)
{
    SudokuBoard board(4);
    board.Cell(0, 0)->InsertEliminated(2);
    board.Cell(0, 0)->GetCandidates();
    const Grid g = {{0, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};
    ASSERT_TRUE(board.SetValues(g));
    EXPECT_EQ(board.GetValues(), g);
    EXPECT_EQ(board.Cell(0, 0)->Eliminated(), 0u);
    EXPECT_EQ(board.Cell(0, 0)->Candidates(), Set({1, 3, 4}));
}

TEST(Board, SetValueRefusesValuesOutsideTheBoardAndResetKeepsTrialAndError)
{
    SudokuBoard board(6);
    board.used.fill(true);
    board.ResetUsedTechniques();
    for (int id = 0; id < kTrialAndError; ++id) EXPECT_FALSE(board.used[id]);
    EXPECT_TRUE(board.used[kTrialAndError]);
    EXPECT_FALSE(board.SetValue(0, 0, 7));
    EXPECT_FALSE(board.SetValue(0, 0, -1));
    EXPECT_FALSE(board.Cell(0, 0)->SetValue(9));
    EXPECT_TRUE(board.SetValue(0, 0, 6));
    EXPECT_EQ(board.Cell(0, 0)->Value(), 6);
}

TEST(Diagnostics, IsSolvedChecksSumsOnlyIsValidChecksRepeats)
{
    SudokuBoard board(4);
    ASSERT_TRUE(board.SetValues({{2, 3, 2, 3}, {3, 2, 3, 2}, {2, 3, 2, 3}, {3, 2, 3, 2}}));
    EXPECT_TRUE(board.IsSolved());
    EXPECT_FALSE(board.IsValid());
    ASSERT_TRUE(board.SetValues({{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}}));
    EXPECT_TRUE(board.IsSolved());
    EXPECT_TRUE(board.IsValid());
    board.SetValue(0, 0, 0);
    EXPECT_FALSE(board.IsSolved());
    EXPECT_TRUE(board.IsValid());
}

TEST(Diagnostics, MatchesGridComparesNonzeroEntries)
{
    SudokuBoard board(4);
    const Grid full = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 2, 1}};
    Grid partial = full;
    partial[0][0] = 0;
    EXPECT_TRUE(board.MatchesGrid(partial, full));
    partial[1][1] = 1;
    EXPECT_FALSE(board.MatchesGrid(partial, full));
}

TEST(Diagnostics, PrintDrawsBlocksAndRulesAndWritesSixteenAsG)
{
    auto board = builder::Board(4, {"12..", "..34", "....", "4..1"});
    std::ostringstream out;
    board->Print(out);
    EXPECT_EQ(out.str(), "-------\n|12|00|\n|00|34|\n-------\n|00|00|\n|40|01|\n-------\n");
    auto big = builder::Board(16, {"GF"});
    std::ostringstream wide;
    big->Print(wide);
    EXPECT_EQ(wide.str().substr(0, 26), "---------------------\n|g15");
}

TEST(Diagnostics, LoadFromFileReadsItsPathAndRefusesAnotherSize)
{
    testenv::TempDir dir;
    const auto path = dir.Path() / "grid.txt";
    testenv::WriteFile(path, "4\n1 2 0 4\n3 4 1 2\n0 1 4 3\n4 3 2 1\n");
    SudokuBoard board(4);
    ASSERT_TRUE(board.LoadFromFile(path.string()));
    EXPECT_EQ(board.unsolvedCount, 2);
    EXPECT_EQ(board.Value(0, 3), 4);
    EXPECT_EQ(board.Value(2, 0), 0);

    SudokuBoard nine(9);
    nine.unsolvedCount = 7;
    EXPECT_FALSE(nine.LoadFromFile(path.string()));
    EXPECT_EQ(nine.unsolvedCount, 7);

    testenv::WriteFile(path, "4\n1 2 0 4\n3 4 1 2\n");
    SudokuBoard truncated(4);
    EXPECT_FALSE(truncated.LoadFromFile(path.string()));
    EXPECT_EQ(truncated.Value(0, 0), 0);
    testenv::WriteFile(path, "4\n1 2 0 9\n3 4 1 2\n0 1 4 3\n4 3 2 1\n");
    EXPECT_FALSE(truncated.LoadFromFile(path.string()));
    EXPECT_FALSE(truncated.LoadFromFile((dir.Path() / "missing.txt").string()));
}

TEST(Diagnostics, FindAllSolutionsStopsAtTheCallersCap)
{
    SudokuBoard board(4);
    EXPECT_EQ(board.FindAllSolutions(5), 5);
    EXPECT_EQ(board.solutions.size(), 5u);
    EXPECT_EQ(board.FindAllSolutions(1000), 288);
    ASSERT_TRUE(board.SetValues({{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 1, 4, 3}, {4, 3, 0, 0}}));
    EXPECT_EQ(board.FindAllSolutions(10), 1);
    EXPECT_EQ(board.solutions[0][3][2], 2);
}
