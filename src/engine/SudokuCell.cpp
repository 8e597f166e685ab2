// A cell handle: structural links here, state in the owning board's arrays.
#include "SudokuCell.h"

#include "SudokuBoard.h"

SudokuCell::SudokuCell(SudokuBoard* board, SudokuBlock* block, SudokuChain* row, SudokuChain* column,
                       int rowIndex, int colIndex, int value)
    : colIndex(colIndex),
      rowIndex(rowIndex),
      index(rowIndex * board->size + colIndex),
      board(board),
      block(block),
      column(column),
      row(row) {
    if (value != 0) board->PlaceValue(index, value);
}

SudokuCell::~SudokuCell() = default;

int SudokuCell::Value() const {
    return board->value_[index];
}

bool SudokuCell::SetValue(int v) {
    return board->SetValue(rowIndex, colIndex, v);
}

ValueSet SudokuCell::Eliminated() const {
    return board->eliminated_[index];
}

bool SudokuCell::InsertEliminated(int v) {
    if (v < 1 || v > board->size || HasValue(board->eliminated_[index], v)) return false;
    board->eliminated_[index] |= ValueBit(v);
    return true;
}

ValueSet SudokuCell::Candidates() const {
    return board->candidates_[index];
}

ValueSet SudokuCell::GetCandidates() {
    return board->RefreshCandidates(index);
}
