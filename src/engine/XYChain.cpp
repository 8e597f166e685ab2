// XY-chain: a chain of bivalue cells from a start cell {a, z}, leaving through z, each cell
// seeing the next and linked by the value the previous one leaves it, complete when the last
// cell's remaining value is a. Either end then holds a, so cells seeing both ends lose a.
//
// The search is a depth-first enumeration of every simple chain from every seed, which is
// exponential in the worst case; it walks the precomputed neighbour lists in place and stops
// after chainStepBudget extensions or at the board's search deadline, in which case the call
// reports no progress.
#include "BivalueGraph.h"
#include "SudokuBoard.h"

namespace {

struct XYChainSearch {
    XYChainSearch(const BivalueGraph& graph, ChainBound bound)
        : graph(graph), bound(bound), inChain(graph.Size(), 0) {}

    const BivalueGraph& graph;
    ChainBound bound;
    int target = 0;
    std::vector<char> inChain;
    // Chain ends already found for the current start cell, per target value.
    std::vector<char>* found = nullptr;
    std::vector<int> ends;

    bool Extend(int last, int free) {
        for (int k : graph.neighbours[last]) {
            if (inChain[k] || !HasValue(graph.candidates[k], free)) continue;
            if (!bound.Step()) return false;
            const int y = LowestValue(graph.candidates[k] & ~ValueBit(free));
            if (y == target) {
                if (!(*found)[k]) {
                    (*found)[k] = 1;
                    ends.push_back(k);
                }
                continue;
            }
            inChain[k] = 1;
            const bool ok = Extend(k, y);
            inChain[k] = 0;
            if (!ok) return false;
        }
        return true;
    }
};

struct FoundChain {
    int first;
    int last;
    int target;
};

}  // namespace

bool SudokuBoard::FindXYChain() {
    const BivalueGraph graph =
        BivalueGraph::FromHouses(blocks, [this](int cell) { return RefreshCandidates(cell); });
    const int n = graph.Size();

    XYChainSearch search(graph, NewChainBound());
    std::vector<FoundChain> chains;
    std::array<std::vector<char>, 2> foundPerTarget;
    for (int i = 0; i < n; ++i) {
        // A chain is fixed by its start, end and target; the same one found again from another
        // seed eliminates nothing new, so it is kept once, at its first finding.
        for (auto& f : foundPerTarget) f.assign(n, 0);
        for (int j : graph.neighbours[i]) {
            const ValueSet shared = graph.candidates[i] & graph.candidates[j];
            if (ValueCount(shared) != 1) continue;
            const int a = LowestValue(graph.candidates[i] & ~shared);
            const int b = LowestValue(graph.candidates[j] & ~shared);
            search.target = a;
            search.found = &foundPerTarget[a == LowestValue(graph.candidates[i]) ? 0 : 1];
            search.ends.clear();
            search.inChain[i] = search.inChain[j] = 1;
            const bool ok = search.Extend(j, b);
            search.inChain[i] = search.inChain[j] = 0;
            if (!ok) {
                ++chainBudgetHits;
                return false;
            }
            for (int e : search.ends) chains.push_back({graph.cells[i]->index, graph.cells[e]->index, a});
        }
    }

    const char* const text = "XYChain restriction found at r";
    bool progress = false;
    for (const FoundChain& chain : chains) {
        const SudokuCell* f = cells_[chain.first].get();
        const SudokuCell* l = cells_[chain.last].get();
        const int t = chain.target;
        const auto allBut = [&](const std::vector<SudokuCell*>& house) {
            for (SudokuCell* x : house)
                if (x != f && x != l) progress |= Eliminate(x->index, t, text);
        };
        const auto all = [&](const std::vector<SudokuCell*>& cells) {
            for (SudokuCell* x : cells) progress |= Eliminate(x->index, t, text);
        };
        if (f->block == l->block) {
            allBut(f->block->cells);
        } else if (f->rowIndex == l->rowIndex) {
            allBut(f->row->cells);
        } else if (f->colIndex == l->colIndex) {
            allBut(f->column->cells);
        } else if (f->block->firstRow == l->block->firstRow) {
            all(f->block->GetCellsInRow(l->rowIndex));
            all(l->block->GetCellsInRow(f->rowIndex));
        } else if (f->block->firstColumn == l->block->firstColumn) {
            all(f->block->GetCellsInColumn(l->colIndex));
            all(l->block->GetCellsInColumn(f->colIndex));
        } else {
            const int x1 = f->rowIndex * size + l->colIndex;
            const int x2 = l->rowIndex * size + f->colIndex;
            if (!HasValue(eliminated_[x1], t) || !HasValue(eliminated_[x2], t)) {
                eliminated_[x1] |= ValueBit(t);
                eliminated_[x2] |= ValueBit(t);
                progress = true;
                LogCellValue(text, x2, t);
            }
        }
    }
    return progress;
}
