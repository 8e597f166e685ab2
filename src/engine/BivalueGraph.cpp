// Neighbour lists of the bivalue cells for the chain searches.
#include "BivalueGraph.h"

#include "SudokuCell.h"

namespace {

bool Sees(const SudokuCell* a, const SudokuCell* b) {
    return a->block == b->block || a->rowIndex == b->rowIndex || a->colIndex == b->colIndex;
}

}  // namespace

BivalueGraph::BivalueGraph(const std::vector<SudokuCell*>& bivalueCells)
    : cells(bivalueCells), candidates(cells.size()), neighbours(cells.size()) {
    for (std::size_t p = 0; p < cells.size(); ++p) candidates[p] = cells[p]->Candidates();
    // Each list comes out ascending: partners below p are appended while the outer loop visits
    // them in order, partners above p afterwards.
    for (std::size_t p = 0; p < cells.size(); ++p)
        for (std::size_t q = p + 1; q < cells.size(); ++q)
            if (Sees(cells[p], cells[q])) {
                neighbours[p].push_back(static_cast<int>(q));
                neighbours[q].push_back(static_cast<int>(p));
            }
}
