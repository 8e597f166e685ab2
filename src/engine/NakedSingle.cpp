// Naked single: an empty cell with exactly one candidate takes it.
#include "SudokuBoard.h"

bool SudokuBoard::FindNakedSingle(SudokuCell* cell) {
    const int c = cell->index;
    if (value_[c] != 0) return false;
    const ValueSet cands = RefreshCandidates(c);
    if (ValueCount(cands) != 1) return false;
    LogCell("Naked Single found at r", c);
    PlaceValue(c, LowestValue(cands));
    return true;
}
