// Hand-made positions for the engine tests: a board from rows of characters ('.' empty, '1'-'9',
// then 'A'-'G' for 10-16) and helpers that narrow a cell's candidates through its eliminated set.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SudokuBoard.h"

namespace builder {

inline std::unique_ptr<SudokuBoard> Board(int n, const std::vector<std::string>& rows = {}) {
    auto board = std::make_unique<SudokuBoard>(n);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t k = 0; k < rows[r].size(); ++k) {
            const char ch = rows[r][k];
            const int v = ch >= '1' && ch <= '9' ? ch - '0' : ch >= 'A' && ch <= 'G' ? ch - 'A' + 10 : 0;
            board->SetValue(static_cast<int>(r), static_cast<int>(k), v);
        }
    return board;
}

// Leaves the empty cell (r, k) with the given candidates (as far as its peers allow).
inline void Only(SudokuBoard& board, int r, int k, std::initializer_list<int> values) {
    ValueSet keep = 0;
    for (int v : values) keep |= ValueBit(v);
    for (int v = 1; v <= board.size; ++v)
        if (!HasValue(keep, v)) board.Cell(r, k)->InsertEliminated(v);
}

// Removes v from every empty cell except the listed ones.
inline void ValueOnlyAt(SudokuBoard& board, int v, std::initializer_list<std::pair<int, int>> cells) {
    for (int c = 0; c < board.CellCount(); ++c) {
        SudokuCell* cell = board.CellAt(c);
        bool listed = false;
        for (const auto& [r, k] : cells) listed = listed || (cell->rowIndex == r && cell->colIndex == k);
        if (!listed && cell->Value() == 0) cell->InsertEliminated(v);
    }
}

inline ValueSet Set(std::initializer_list<int> values) {
    ValueSet s = 0;
    for (int v : values) s |= ValueBit(v);
    return s;
}

}  // namespace builder
