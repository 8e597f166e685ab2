// Swordfish, columns as base only: three columns in which a value can go to two or three rows
// each, three rows in all; the value is eliminated from the rest of those rows.
#include "SudokuBoard.h"

bool SudokuBoard::FindSwordfish() {
    const auto table = [&](int column, std::array<ValueSet, kMaxBoardSize + 1>& positions) {
        positions.fill(0);
        const auto& cells = columns[column]->cells;
        for (std::size_t p = 0; p < cells.size(); ++p)
            for (ValueSet cands = RefreshCandidates(cells[p]->index); cands != 0; cands &= cands - 1)
                positions[LowestValue(cands)] |= ValueBit(static_cast<int>(p));
    };
    const auto fits = [](ValueSet positions) {
        const int n = ValueCount(positions);
        return n == 2 || n == 3;
    };

    bool progress = false;
    std::array<ValueSet, kMaxBoardSize + 1> p1, p2, p3;
    for (int c1 = 0; c1 < size; ++c1) {
        table(c1, p1);
        for (int c2 = c1 + 1; c2 < size; ++c2) {
            table(c2, p2);
            for (int v = 1; v <= size; ++v) {
                if (!fits(p1[v]) || !fits(p2[v])) continue;
                const ValueSet u1 = p1[v] | p2[v];
                if (ValueCount(u1) > 3) continue;
                for (int c3 = c2 + 1; c3 < size; ++c3) {
                    table(c3, p3);
                    if (!fits(p3[v])) continue;
                    const ValueSet u2 = u1 | p3[v];
                    if (ValueCount(u2) != 3) continue;
                    for (ValueSet m = u2; m != 0; m &= m - 1)
                        for (SudokuCell* x : rows[LowestValue(m)]->cells)
                            if (x->colIndex != c1 && x->colIndex != c2 && x->colIndex != c3)
                                progress |= Eliminate(x->index, v, "Swordfish restriction found at r");
                }
            }
        }
    }
    return progress;
}
