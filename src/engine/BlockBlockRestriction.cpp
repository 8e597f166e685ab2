// Block/block restriction: when in two blocks the cells that can take a value lie in the same two
// rows (columns), the value is eliminated from every other cell of those rows (columns),
// including the non-holding cells of the two blocks themselves.
#include "SudokuBoard.h"

namespace {

struct HolderTable {
    // Per value: the holding cells' positions in the block, and the rows and columns they span.
    std::array<ValueSet, kMaxBoardSize + 1> positions{};
    std::array<std::uint32_t, kMaxBoardSize + 1> rowSpan{};
    std::array<std::uint32_t, kMaxBoardSize + 1> colSpan{};
};

}  // namespace

bool SudokuBoard::FindBlockBlockRestriction(SudokuBlock* a, SudokuBlock* b) {
    if (a == b) return false;
    const int n = static_cast<int>(a->cells.size());
    for (int p = 0; p < n; ++p) {
        RefreshCandidates(a->cells[p]->index);
        RefreshCandidates(b->cells[p]->index);
    }
    const auto build = [&](const SudokuBlock* block, HolderTable& table) {
        for (int p = 0; p < n; ++p) {
            const SudokuCell* cell = block->cells[p];
            for (ValueSet cands = candidates_[cell->index]; cands != 0; cands &= cands - 1) {
                const int v = LowestValue(cands);
                table.positions[v] |= ValueBit(p);
                table.rowSpan[v] |= std::uint32_t{1} << cell->rowIndex;
                table.colSpan[v] |= std::uint32_t{1} << cell->colIndex;
            }
        }
    };
    HolderTable ta, tb;
    build(a, ta);
    build(b, tb);

    // Cells of a or b holding v are skipped as targets.
    const auto isHolder = [&](const SudokuCell* x, int v) {
        return (x->block == a || x->block == b) && HasValue(candidates_[x->index], v);
    };
    bool progress = false;
    for (int v = 1; v <= size; ++v) {
        if (ta.positions[v] == 0 || tb.positions[v] == 0) continue;
        if (ValueCount(ta.rowSpan[v]) == 2 && ta.rowSpan[v] == tb.rowSpan[v]) {
            for (std::uint32_t m = ta.rowSpan[v]; m != 0; m &= m - 1)
                for (SudokuCell* x : rows[std::countr_zero(m)]->cells)
                    if (!isHolder(x, v))
                        progress |= Eliminate(x->index, v, "Block/Block restriction found at r");
        } else if (ValueCount(ta.colSpan[v]) == 2 && ta.colSpan[v] == tb.colSpan[v]) {
            for (std::uint32_t m = ta.colSpan[v]; m != 0; m &= m - 1)
                for (SudokuCell* x : columns[std::countr_zero(m)]->cells)
                    if (!isHolder(x, v))
                        progress |= Eliminate(x->index, v, "Block/Block restriction found at r");
        }
    }
    return progress;
}
