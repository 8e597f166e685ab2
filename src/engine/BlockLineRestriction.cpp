// Block/line restriction: when every cell of a block that can take a value lies in one row (or
// column), the value is eliminated from the rest of that row (column) outside the block. A value
// with a single holder in the block is placed there, silently and without counting as progress.
#include "SudokuBoard.h"

bool SudokuBoard::FindBlockLineRestriction(SudokuBlock* block) {
    const auto& cells = block->cells;
    const int n = static_cast<int>(cells.size());
    // holders[v]: positions (bit p = cells[p]) whose refreshed cache holds v; fixed for the call.
    std::array<ValueSet, kMaxBoardSize + 1> holders{};
    for (int p = 0; p < n; ++p) {
        ValueSet cands = RefreshCandidates(cells[p]->index);
        for (; cands != 0; cands &= cands - 1) holders[LowestValue(cands)] |= ValueBit(p);
    }

    bool progress = false;
    for (int v = 1; v <= size; ++v) {
        const ValueSet h = holders[v];
        if (h == 0) continue;
        if (ValueCount(h) == 1) {
            // A cell filled earlier in this call (a contradiction) keeps its value.
            const int c = cells[LowestValue(h)]->index;
            if (value_[c] == 0) PlaceValue(c, v);
            continue;
        }
        int firstRow = -1, firstCol = -1;
        bool oneRow = true, oneCol = true;
        for (ValueSet m = h; m != 0; m &= m - 1) {
            const SudokuCell* holder = cells[LowestValue(m)];
            if (firstRow < 0) {
                firstRow = holder->rowIndex;
                firstCol = holder->colIndex;
            }
            oneRow = oneRow && holder->rowIndex == firstRow;
            oneCol = oneCol && holder->colIndex == firstCol;
        }
        if (oneRow) {
            for (SudokuCell* x : rows[firstRow]->cells)
                if (x->block != block) progress |= Eliminate(x->index, v, "Block/Row restriction found at r");
        }
        if (oneCol) {
            for (SudokuCell* x : columns[firstCol]->cells)
                if (x->block != block) progress |= Eliminate(x->index, v, "Block/Col restriction found at r");
        }
    }
    return progress;
}
