// Naked subset: k cells of a house with the same k candidates; those values are eliminated from
// every other cell of the house. k = 1 is included, so every filled cell acts as a subset of one
// and its value is pushed into the eliminated sets of the house's other cells, filled ones too.
#include "SudokuBoard.h"

bool SudokuBoard::FindNakedSubset(SudokuCellSet* house) {
    const auto& cells = house->cells;
    const int n = static_cast<int>(cells.size());
    std::array<ValueSet, kMaxBoardSize> sets{};
    // Members of each size group, in house order.
    std::array<std::array<std::uint8_t, kMaxBoardSize>, kMaxBoardSize + 1> groups;
    std::array<int, kMaxBoardSize + 1> groupSize{};
    for (int p = 0; p < n; ++p) {
        sets[p] = RefreshCandidates(cells[p]->index);
        const int k = ValueCount(sets[p]);
        groups[k][groupSize[k]++] = static_cast<std::uint8_t>(p);
    }

    bool progress = false;
    for (int k = 1; k <= size; ++k) {
        if (groupSize[k] < k) continue;
        for (int m = 0; m < groupSize[k]; ++m) {
            const ValueSet s = sets[groups[k][m]];
            int count = 1;
            for (int later = m + 1; later < groupSize[k]; ++later)
                if (sets[groups[k][later]] == s) ++count;
            if (count != k) continue;
            for (int p = 0; p < n; ++p) {
                if (sets[p] == s) continue;
                for (ValueSet vs = s; vs != 0; vs &= vs - 1)
                    progress |=
                        Eliminate(cells[p]->index, LowestValue(vs), "Naked Subset restriction found at r");
            }
        }
    }
    return progress;
}
