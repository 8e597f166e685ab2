// Houses: rows, columns and blocks as ordered, non-owning cell lists.
#include "SudokuCellSet.h"

#include "SudokuCell.h"

SudokuCellSet::~SudokuCellSet() = default;

int SudokuCellSet::Sum() const {
    int sum = 0;
    for (const SudokuCell* cell : cells) sum += cell->Value();
    return sum;
}

SudokuCell* SudokuCellSet::GetCell(unsigned i) const {
    return i < cells.size() ? cells[i] : nullptr;
}

SudokuChain::SudokuChain(bool isRow, int index) : index(index), isRow(isRow) {}

SudokuChain::~SudokuChain() = default;

SudokuBlock::SudokuBlock(int firstRow, int firstColumn, int rowsPerBlock, int colsPerBlock)
    : colsPerBlock(colsPerBlock), rowsPerBlock(rowsPerBlock), firstRow(firstRow), firstColumn(firstColumn) {}

SudokuBlock::~SudokuBlock() = default;

std::vector<SudokuCell*> SudokuBlock::GetCellsInColumn(int column) const {
    std::vector<SudokuCell*> result;
    for (SudokuCell* cell : cells)
        if (cell->colIndex == column) result.push_back(cell);
    return result;
}

std::vector<SudokuCell*> SudokuBlock::GetCellsInRow(int row) const {
    std::vector<SudokuCell*> result;
    for (SudokuCell* cell : cells)
        if (cell->rowIndex == row) result.push_back(cell);
    return result;
}
