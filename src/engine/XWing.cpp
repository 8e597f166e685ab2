// X-Wing, rows as base only: a value that two rows can take only in the same two columns is
// eliminated from the rest of those columns.
#include "SudokuBoard.h"

namespace {

// Positions (columns) of a row's cells whose cache holds v.
ValueSet PositionsOf(const std::vector<SudokuCell*>& cells, int v) {
    ValueSet positions = 0;
    for (std::size_t p = 0; p < cells.size(); ++p)
        if (HasValue(cells[p]->Candidates(), v)) positions |= ValueBit(static_cast<int>(p));
    return positions;
}

}  // namespace

bool SudokuBoard::FindXWing() {
    bool progress = false;
    for (int r1 = 0; r1 < size; ++r1) {
        const auto& row1 = rows[r1]->cells;
        std::array<ValueSet, kMaxBoardSize + 1> p1{};
        for (std::size_t p = 0; p < row1.size(); ++p)
            for (ValueSet cands = RefreshCandidates(row1[p]->index); cands != 0; cands &= cands - 1)
                p1[LowestValue(cands)] |= ValueBit(static_cast<int>(p));

        for (int v = 1; v <= size; ++v) {
            if (ValueCount(p1[v]) != 2) continue;
            for (int r2 = r1 + 1; r2 < size; ++r2) {
                // The second row's table is rebuilt for every value, so it sees this call's
                // eliminations so far.
                const auto& row2 = rows[r2]->cells;
                for (SudokuCell* cell : row2) RefreshCandidates(cell->index);
                const ValueSet p2 = PositionsOf(row2, v);
                if (ValueCount(p2) != 2 || p2 != p1[v]) continue;
                for (ValueSet m = p2; m != 0; m &= m - 1)
                    for (SudokuCell* x : columns[LowestValue(m)]->cells)
                        if (x->rowIndex != r1 && x->rowIndex != r2)
                            progress |= Eliminate(x->index, v, "XWing restriction found at r");
            }
        }
    }
    return progress;
}
