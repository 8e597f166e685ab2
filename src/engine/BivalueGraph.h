// The cells with exactly two candidates, in the order a chain search scans them, with each
// cell's neighbours (the listed cells it shares a house with) precomputed in list order. The
// chain searches walk these lists in place instead of rescanning the whole list and copying
// chains at every step; skipping the cells that do not see the chain's last cell this way keeps
// the order in which a scan of the whole list would meet the others.
#pragma once

#include <vector>

#include "SudokuCell.h"
#include "ValueSet.h"

struct BivalueGraph {
    // Takes the cells (already refreshed) whose candidate cache holds exactly two values.
    explicit BivalueGraph(const std::vector<SudokuCell*>& bivalueCells);

    std::vector<SudokuCell*> cells;
    std::vector<ValueSet> candidates;
    // neighbours[p]: positions of the cells that see cells[p], ascending, p itself excluded.
    std::vector<std::vector<int>> neighbours;

    int Size() const { return static_cast<int>(cells.size()); }

    // Refreshes every cell's candidates house by house, in the houses' order, and keeps the cells
    // left with exactly two: the scan order decides which chains a search meets first.
    template <class Houses, class Refresh>
    static BivalueGraph FromHouses(const Houses& houses, Refresh&& refresh) {
        std::vector<SudokuCell*> bivalue;
        for (const auto& house : houses)
            for (SudokuCell* cell : house->cells)
                if (ValueCount(refresh(cell->index)) == 2) bivalue.push_back(cell);
        return BivalueGraph(bivalue);
    }
};
