// The houses of a board: a row or column (`SudokuChain`) and a block (`SudokuBlock`), each an
// ordered list of non-owning cell pointers. The board owns cells and houses alike; a house only
// fixes the order in which the techniques walk its cells.
#pragma once

#include <vector>

class SudokuCell;

class SudokuCellSet {
  public:
    SudokuCellSet() = default;
    virtual ~SudokuCellSet();
    SudokuCellSet(const SudokuCellSet&) = delete;
    SudokuCellSet& operator=(const SudokuCellSet&) = delete;

    // Sum of the values of the cells (empty cells count 0).
    int Sum() const;
    // Entry i of `cells`, or nullptr when i is out of range.
    SudokuCell* GetCell(unsigned i) const;

    std::vector<SudokuCell*> cells;
    // Index of this house in the board's house tables: rows 0..N-1, columns N..2N-1,
    // blocks 2N..3N-1.
    int houseIndex = 0;
};

class SudokuChain : public SudokuCellSet {
  public:
    SudokuChain(bool isRow, int index);
    ~SudokuChain() override;

    int index;
    bool isRow;
};

class SudokuBlock : public SudokuCellSet {
  public:
    SudokuBlock(int firstRow, int firstColumn, int rowsPerBlock, int colsPerBlock);
    ~SudokuBlock() override;

    // The block's cells in the given column (row), in block order; empty when it does not cross.
    std::vector<SudokuCell*> GetCellsInColumn(int column) const;
    std::vector<SudokuCell*> GetCellsInRow(int row) const;

    int colsPerBlock;
    int rowsPerBlock;
    int firstRow;
    int firstColumn;
    // Place of the block in the board's `blocks` list.
    int blockIndex = 0;
};
