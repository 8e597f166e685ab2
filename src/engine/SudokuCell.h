// One cell of a board. The cell is a handle: its value, its eliminated set and its candidate cache
// live in the board's flat arrays (so a trial-and-error snapshot is a plain array copy and the
// house value masks stay in step with every placement); the cell keeps the structural links.
#pragma once

#include "ValueSet.h"

class SudokuBoard;
class SudokuBlock;
class SudokuChain;

class SudokuCell {
  public:
    SudokuCell(SudokuBoard* board, SudokuBlock* block, SudokuChain* row, SudokuChain* column, int rowIndex,
               int colIndex, int value);
    virtual ~SudokuCell();
    SudokuCell(const SudokuCell&) = delete;
    SudokuCell& operator=(const SudokuCell&) = delete;

    // 0 for an empty cell, else 1..N.
    int Value() const;
    // Places v (0 empties the cell); false and no change when v is outside 0..N.
    bool SetValue(int v);

    // Values recorded as impossible for this cell; only grows during a solve.
    ValueSet Eliminated() const;
    // Inserts v into the eliminated set; true when it was not there yet.
    bool InsertEliminated(int v);
    // The result of the last GetCandidates call on this cell.
    ValueSet Candidates() const;

    // A filled cell: {value}. An empty cell: merges the values of its row, column and block into
    // its eliminated set (permanently) and returns 1..N minus that set. Refreshes the cache.
    ValueSet GetCandidates();

    int colIndex;
    int rowIndex;
    // Position in board cell order (rowIndex * N + colIndex).
    int index;
    SudokuBoard* board;
    SudokuBlock* block;
    SudokuChain* column;
    SudokuChain* row;
};
