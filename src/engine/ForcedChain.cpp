// Forced chains: assume a value for a bivalue start cell and follow bivalue cells, each forced to
// the value its predecessor leaves it. When both values of the start cell lead, without
// contradiction, to the same value in the same end cell, that value is placed. Only chains that
// cannot be extended, or that return to their start cell, are compared.
//
// The chain's values are written into the board while the search walks it, so the contradiction
// test (a chain cell whose value one of its houses already holds) is one mask test per
// extension. A contradictory chain never places anything, and its extensions are contradictory
// too, so they are not walked; they still count as extensions of their parent, which is then not
// a recorded end. A recorded chain is reduced to its start, assumed value, end cell and end
// value, and the pairwise comparison becomes a lookup of the partner's key. The search stops
// after chainStepBudget extensions or at the board's search deadline, in which case the call
// reports no progress.
#include <map>
#include <unordered_set>

#include "BivalueGraph.h"
#include "SudokuBoard.h"

namespace {

// A recorded chain: start cell, assumed start value, end cell and end value.
std::uint64_t ChainKey(int start, int startValue, int end, int endValue) {
    return (static_cast<std::uint64_t>(start) << 24) | (static_cast<std::uint64_t>(startValue) << 16) |
           (static_cast<std::uint64_t>(end) << 8) | static_cast<std::uint64_t>(endValue);
}

}  // namespace

bool SudokuBoard::FindForcedChain() {
    const BivalueGraph graph =
        BivalueGraph::FromHouses(blocks, [this](int cell) { return RefreshCandidates(cell); });
    const int n = graph.Size();

    std::vector<std::uint64_t> found;
    std::vector<char> inChain(n, 0);
    ChainBound bound = NewChainBound();
    int start = 0, startValue = 0;
    const auto held = [&](int position, int v) {
        return HasValue(PeerValues(graph.cells[position]->index), v);
    };

    // Extends the non-contradictory chain ending at position `last` with end value `free`;
    // false when the budget ran out.
    const auto extend = [&](auto& self, int last, int free, bool seed) -> bool {
        bool extended = false;
        for (int k : graph.neighbours[last]) {
            if ((inChain[k] && k != start) || !HasValue(graph.candidates[k], free)) continue;
            if (!bound.Step()) return false;
            extended = true;
            const int y = LowestValue(graph.candidates[k] & ~ValueBit(free));
            if (held(k, y)) continue;
            const int cell = graph.cells[k]->index;
            if (k == start) {
                found.push_back(ChainKey(graph.cells[start]->index, startValue, cell, y));
                continue;
            }
            inChain[k] = 1;
            PlaceValue(cell, y);
            const bool ok = self(self, k, y, false);
            PlaceValue(cell, 0);
            inChain[k] = 0;
            if (!ok) return false;
        }
        if (!extended && !seed)
            found.push_back(ChainKey(graph.cells[start]->index, startValue, graph.cells[last]->index, free));
        return true;
    };

    for (int i = 0; i < n; ++i) {
        for (int j : graph.neighbours[i]) {
            const ValueSet shared = graph.candidates[i] & graph.candidates[j];
            if (ValueCount(shared) != 1) continue;
            const int z = LowestValue(shared);
            const int b = LowestValue(graph.candidates[j] & ~shared);
            const int ci = graph.cells[i]->index, cj = graph.cells[j]->index;
            bool contradictory = held(i, z);
            PlaceValue(ci, z);
            contradictory = contradictory || held(j, b);
            PlaceValue(cj, b);
            bool ok = true;
            if (!contradictory) {
                start = i;
                startValue = z;
                inChain[i] = inChain[j] = 1;
                ok = extend(extend, j, b, true);
                inChain[i] = inChain[j] = 0;
            }
            PlaceValue(cj, 0);
            PlaceValue(ci, 0);
            if (!ok) {
                ++chainBudgetHits;
                return false;
            }
        }
    }

    // A chain places its end value when a later chain from the same start, assuming the other
    // value, ends in the same cell with the same value. Walking backwards, the first qualifying
    // chain per end cell is the one whose placement the forward comparison would write last.
    std::map<int, int> placements;
    std::unordered_set<std::uint64_t> later;
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        const std::uint64_t key = *it;
        const int s = static_cast<int>(key >> 24), v0 = static_cast<int>((key >> 16) & 0xff);
        const int e = static_cast<int>((key >> 8) & 0xff), x = static_cast<int>(key & 0xff);
        const int other = LowestValue(candidates_[s] & ~ValueBit(v0));
        if (later.count(ChainKey(s, other, e, x)) != 0) placements.try_emplace(e, x);
        later.insert(key);
    }

    bool progress = false;
    for (const auto& [cell, v] : placements) {
        // Two placements that clash can only come from a contradictory position (a guess that is
        // about to fail); placing both would make the board invalid.
        if (HasValue(PeerValues(cell), v)) continue;
        PlaceValue(cell, v);
        LogCellValue("Forced Chain restriction found at r", cell, v);
        progress = true;
    }
    return progress;
}
