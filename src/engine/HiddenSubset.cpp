// Hidden pair or triplet: two (three) values that only the same two (three) cells of a house can
// take; every other value is eliminated from those cells. The first pair (or, without a pair, the
// first triplet) ends the call, even when it eliminates nothing.
#include "SudokuBoard.h"

bool SudokuBoard::FindHiddenSubset(SudokuCellSet* house) {
    const auto& cells = house->cells;
    const int n = static_cast<int>(cells.size());
    // positions[v]: bit p set when cells[p]'s refreshed cache holds v.
    std::array<ValueSet, kMaxBoardSize + 1> positions{};
    for (int p = 0; p < n; ++p)
        for (ValueSet cands = RefreshCandidates(cells[p]->index); cands != 0; cands &= cands - 1)
            positions[LowestValue(cands)] |= ValueBit(p);

    std::array<int, kMaxBoardSize> subset{};
    int count = 0;
    for (int v = 1; v <= size; ++v)
        if (ValueCount(positions[v]) == 2) subset[count++] = v;

    const auto strip = [&](ValueSet where, ValueSet keep, const char* text) {
        bool progress = false;
        for (; where != 0; where &= where - 1) {
            const int c = cells[LowestValue(where)]->index;
            for (int w = 1; w <= size; ++w)
                if (!HasValue(keep, w)) progress |= Eliminate(c, w, text);
        }
        return progress;
    };

    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (positions[subset[i]] == positions[subset[j]])
                return strip(positions[subset[i]], ValueBit(subset[i]) | ValueBit(subset[j]),
                             "Hidden Pair restriction found at r");

    for (int v = 1; v <= size; ++v)
        if (ValueCount(positions[v]) == 3) subset[count++] = v;
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const ValueSet u1 = positions[subset[i]] | positions[subset[j]];
            if (ValueCount(u1) > 3) continue;
            for (int k = j + 1; k < count; ++k) {
                const ValueSet u2 = u1 | positions[subset[k]];
                if (ValueCount(u2) == 3)
                    return strip(u2, ValueBit(subset[i]) | ValueBit(subset[j]) | ValueBit(subset[k]),
                                 "Hidden Triplet restriction found at r");
            }
        }
    }
    return false;
}
