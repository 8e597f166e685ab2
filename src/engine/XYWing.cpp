// XY-Wing: a pivot {a, b} that sees two pincers {a, c} and {b, c}; c is eliminated from the cell
// in the second pincer's row and the first pincer's column and, when the second pincer shares
// the pivot's block, from the two block-and-row intersections. The pivot is always the first of
// the three cells in board order, and every combination is judged on the caches of the call's
// opening refresh.
#include <algorithm>

#include "SudokuBoard.h"

bool SudokuBoard::FindXYWing() {
    std::vector<int> bivalue;
    for (int c = 0; c < CellCount(); ++c)
        if (ValueCount(RefreshCandidates(c)) == 2) bivalue.push_back(c);

    bool progress = false;
    std::vector<int> targets;
    const int n = static_cast<int>(bivalue.size());
    for (int i = 0; i < n; ++i) {
        const int p = bivalue[i];
        for (int j = i + 1; j < n; ++j) {
            const int q = bivalue[j];
            const ValueSet shared = candidates_[p] & candidates_[q];
            if (ValueCount(shared) != 1 || !Sees(p, q)) continue;
            const ValueSet d = candidates_[p] ^ candidates_[q];
            for (int k = j + 1; k < n; ++k) {
                const int r = bivalue[k];
                if (candidates_[r] != d) continue;
                if ((rowOf_[p] == rowOf_[q] && rowOf_[r] == rowOf_[p]) ||
                    (colOf_[p] == colOf_[q] && colOf_[r] == colOf_[p]) ||
                    (blockOf_[p] == blockOf_[q] && blockOf_[r] == blockOf_[p]))
                    continue;
                if (!Sees(r, p)) continue;
                const int z = LowestValue(candidates_[r] & candidates_[q]);

                targets.clear();
                targets.push_back(rowOf_[r] * size + colOf_[q]);
                if (blockOf_[r] == blockOf_[p]) {
                    for (SudokuCell* x : blocks[blockOf_[r]]->GetCellsInRow(rowOf_[p]))
                        targets.push_back(x->index);
                    for (SudokuCell* x : blocks[blockOf_[q]]->GetCellsInRow(rowOf_[r]))
                        targets.push_back(x->index);
                }
                std::sort(targets.begin(), targets.end());
                targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
                for (int t : targets)
                    if (t != p) progress |= Eliminate(t, z, "XYWing restriction found at r");
            }
        }
    }
    return progress;
}
