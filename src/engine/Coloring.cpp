// Single-value colouring: the conjugate pairs of a value (the only two cells of a house that can
// hold it) are linked and coloured alternately, breadth first from the earliest pair cell only;
// when two cells of one colour share a house, that colour is false and loses the value. All
// orders are board cell order, so cells are handled by index throughout.
#include <algorithm>
#include <deque>

#include "SudokuBoard.h"

bool SudokuBoard::FindColorRestriction() {
    const int cellCount = CellCount();
    std::vector<std::vector<int>> links(cellCount);
    std::vector<char> isPairCell(cellCount);
    std::vector<char> visited(cellCount);
    std::vector<int> colour(cellCount), parent(cellCount);
    std::vector<int> pairCells;
    std::deque<int> queue;

    bool progress = false;
    for (int v = 1; v <= size; ++v) {
        for (auto& l : links) l.clear();
        std::fill(isPairCell.begin(), isPairCell.end(), 0);
        pairCells.clear();

        const auto scan = [&](const SudokuCellSet& house, bool refresh) {
            int holders[2];
            int count = 0;
            for (SudokuCell* cell : house.cells) {
                if (refresh) RefreshCandidates(cell->index);
                if (HasValue(candidates_[cell->index], v)) {
                    if (count < 2) holders[count] = cell->index;
                    ++count;
                }
            }
            if (count != 2) return;
            const int a = holders[0], b = holders[1];
            for (int c : {a, b}) {
                if (!isPairCell[c]) pairCells.push_back(c);
                isPairCell[c] = 1;
            }
            if (std::find(links[a].begin(), links[a].end(), b) == links[a].end()) {
                links[a].push_back(b);
                links[b].push_back(a);
            }
        };
        for (const auto& block : blocks) scan(*block, true);
        for (const auto& row : rows) scan(*row, false);
        for (const auto& column : columns) scan(*column, false);
        if (pairCells.empty()) continue;

        std::sort(pairCells.begin(), pairCells.end());
        for (auto& l : links) std::sort(l.begin(), l.end());
        for (int c : pairCells) {
            visited[c] = 0;
            colour[c] = 0;
            parent[c] = -1;
        }

        int conflict = 0;
        queue.clear();
        queue.push_back(pairCells.front());
        while (!queue.empty()) {
            const int p = queue.front();
            queue.pop_front();
            if (visited[p]) continue;
            colour[p] = parent[p] < 0 ? 1 : (colour[parent[p]] == 1 ? 2 : 1);
            visited[p] = 1;
            for (int q : pairCells) {
                if (visited[q] && q != p && Sees(q, p) && colour[q] == colour[p]) conflict = colour[p];
            }
            if (conflict > 0) break;
            for (int m : links[p]) {
                parent[m] = p;
                if (!visited[m]) queue.push_back(m);
            }
        }
        if (conflict == 0) continue;
        for (int c : pairCells)
            if (colour[c] == conflict) progress |= Eliminate(c, v, "Color restriction found at r");
    }
    return progress;
}
