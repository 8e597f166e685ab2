// XYZ-Wing: a pivot {a, b, d} with pincers {a, b} and {d, a} (or {d, b}) that both see it; the
// value common to all three is eliminated, but only from cells of the pivot's block.
#include "SudokuBoard.h"

bool SudokuBoard::FindXYZWing() {
    std::vector<int> bivalue, trivalue;
    for (int c = 0; c < CellCount(); ++c) {
        const int n = ValueCount(RefreshCandidates(c));
        if (n == 2) bivalue.push_back(c);
        if (n == 3) trivalue.push_back(c);
    }

    bool progress = false;
    const int nb = static_cast<int>(bivalue.size());
    for (int t : trivalue) {
        const ValueSet tc = candidates_[t];
        for (int i = 0; i < nb; ++i) {
            const int a = bivalue[i];
            const ValueSet ac = candidates_[a];
            if ((ac & ~tc) != 0 || ValueCount(tc & ~ac) != 1) continue;
            const ValueSet d = tc & ~ac;
            const ValueSet wantedLow = d | (ac & (~ac + 1));
            const ValueSet wantedHigh = d | (ac & (ac - 1));
            for (int j = i + 1; j < nb; ++j) {
                const int b = bivalue[j];
                const ValueSet bc = candidates_[b];
                if (bc != wantedLow && bc != wantedHigh) continue;
                if (!Sees(a, t) || !Sees(b, t)) continue;
                if ((rowOf_[t] == rowOf_[a] && rowOf_[t] == rowOf_[b]) ||
                    (colOf_[t] == colOf_[a] && colOf_[t] == colOf_[b]))
                    continue;
                const int z = LowestValue(ac & bc);
                const bool aInBlock = blockOf_[a] == blockOf_[t];
                const bool bInBlock = blockOf_[b] == blockOf_[t];
                for (SudokuCell* x : blocks[blockOf_[t]]->cells) {
                    const int c = x->index;
                    if (c == t || c == a || c == b) continue;
                    const auto lineWith = [&](int other) {
                        return rowOf_[c] == rowOf_[other] || colOf_[c] == colOf_[other];
                    };
                    if ((aInBlock && lineWith(b)) || (bInBlock && lineWith(a)))
                        progress |= Eliminate(c, z, "XYZWing restriction found at r");
                }
            }
        }
    }
    return progress;
}
