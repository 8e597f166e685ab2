// Hidden single: a candidate that no other cell of the cell's block can take. Only the block is
// searched (not the row or column), and a cell with a single candidate is placed here too, under
// the naked-single text.
#include "SudokuBoard.h"

bool SudokuBoard::FindHiddenSingle(SudokuCell* cell) {
    const int c = cell->index;
    if (value_[c] != 0) return false;
    const ValueSet cands = RefreshCandidates(c);
    if (ValueCount(cands) == 1) {
        PlaceValue(c, LowestValue(cands));
        LogCell("Naked Single found at r", c);
        return true;
    }
    if (cands == 0) return false;
    // Every other cell of the block is refreshed once per tried value; nothing changes between
    // those refreshes, so one refresh and one union give the same caches and the same answer.
    ValueSet others = 0;
    for (SudokuCell* peer : cell->block->cells)
        if (peer != cell) others |= RefreshCandidates(peer->index);
    const ValueSet unique = cands & ~others;
    if (unique == 0) return false;
    PlaceValue(c, LowestValue(unique));
    LogCell("Hidden Single found at r", c);
    return true;
}
