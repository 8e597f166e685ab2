// Remote chains: chains of cells that all hold the same two candidates, each seeing the next. In
// a chain of even length the ends take different values of the pair, so the two cells at the
// crossings of the ends' rows and columns lose both values (when they are empty and lacked one,
// that is progress).
//
// Chains are enumerated depth first over the precomputed neighbour lists, each extension taken
// from further along the list than the previous one, and recorded when their own scan ends (so
// after all their extensions); the search stops after chainStepBudget extensions or at the
// board's search deadline, in which case the call reports no progress.
#include <string>

#include "BivalueGraph.h"
#include "SudokuBoard.h"

namespace {

struct RemoteChainSearch {
    RemoteChainSearch(const BivalueGraph& graph, ChainBound bound, bool keepRepeats)
        : graph(graph),
          bound(bound),
          keepRepeats(keepRepeats),
          inChain(graph.Size(), 0),
          found(graph.Size(), 0) {}

    const BivalueGraph& graph;
    ChainBound bound;
    // While logging every finding is kept, since each writes a line; otherwise a repeated
    // (start, end) pair changes nothing and is dropped.
    bool keepRepeats;
    ValueSet pair = 0;
    std::vector<char> inChain;
    std::vector<char> found;
    std::vector<int> ends;

    // Scans for extensions of a chain of `length` cells ending at `last`, from list position `from`.
    bool Extend(int last, int length, int from) {
        for (int k : graph.neighbours[last]) {
            if (k < from || inChain[k] || graph.candidates[k] != pair) continue;
            if (!bound.Step()) return false;
            inChain[k] = 1;
            const bool ok = Extend(k, length + 1, k + 1);
            inChain[k] = 0;
            if (!ok) return false;
            if ((length + 1) % 2 == 0 && (keepRepeats || !found[k])) {
                found[k] = 1;
                ends.push_back(k);
            }
        }
        return true;
    }
};

}  // namespace

bool SudokuBoard::FindRemoteChains() {
    const BivalueGraph graph =
        BivalueGraph::FromHouses(rows, [this](int cell) { return RefreshCandidates(cell); });
    const int n = graph.Size();

    RemoteChainSearch search(graph, NewChainBound(), logging);
    std::vector<std::pair<int, int>> chains;
    for (int i = 0; i < n; ++i) {
        std::fill(search.found.begin(), search.found.end(), 0);
        for (int j : graph.neighbours[i]) {
            if (graph.candidates[j] != graph.candidates[i]) continue;
            search.pair = graph.candidates[i];
            search.ends.clear();
            search.inChain[i] = search.inChain[j] = 1;
            const bool ok = search.Extend(j, 2, 0);
            search.inChain[i] = search.inChain[j] = 0;
            if (!ok) {
                ++chainBudgetHits;
                return false;
            }
            for (int e : search.ends) chains.emplace_back(graph.cells[i]->index, graph.cells[e]->index);
        }
    }

    bool progress = false;
    for (const auto& [first, last] : chains) {
        const ValueSet pair = candidates_[first];
        const int x1 = rowOf_[first] * size + colOf_[last];
        const int x2 = rowOf_[last] * size + colOf_[first];
        for (int x : {x1, x2}) {
            if (candidates_[x] == pair) continue;
            const ValueSet fresh = pair & ~eliminated_[x];
            eliminated_[x] |= pair;
            if (fresh != 0 && value_[x] == 0 && x != first && x != last) progress = true;
            if (x == x2 && logging) {
                std::string line = "RemoteChains restriction found at r" + std::to_string(rowOf_[x] + 1) +
                                   "c" + std::to_string(colOf_[x] + 1) + " for vals ";
                for (ValueSet m = pair; m != 0; m &= m - 1) line += std::to_string(LowestValue(m)) + " ";
                LogLine(line + "\n");
            }
        }
    }
    return progress;
}
