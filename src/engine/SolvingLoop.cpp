// The solving loop: passes over a ladder of technique groups, cheapest first. A pass reaches a
// harder group only when every easier group of that pass made no progress; any progress ends the
// pass, and the next pass starts again with the singles.
#include "SudokuBoard.h"

void SudokuBoard::Solve(bool useAllTechniques) {
    TechniqueFlags allowed;
    for (int id = 0; id < kTechniqueCount; ++id) allowed[id] = enabled[id] || useAllTechniques;
    // One more pass is granted the first time a single empty cell is left, even without progress.
    bool firstSingle = true;

    while (unsolvedCount > 0) {
        bool changed = false;
        const auto attempt = [&](TechniqueId id, bool progress) {
            if (progress) {
                changed = true;
                used[id] = true;
            }
        };

        for (const auto& row : rows) {
            for (SudokuCell* cell : row->cells) {
                if (allowed[kNakedSingle]) attempt(kNakedSingle, FindNakedSingle(cell));
                if (allowed[kHiddenSingle]) attempt(kHiddenSingle, FindHiddenSingle(cell));
            }
        }

        if (!changed) {
            for (std::size_t i = 0; i < blocks.size(); ++i) {
                if (allowed[kBlockLineRestriction])
                    attempt(kBlockLineRestriction, FindBlockLineRestriction(blocks[i].get()));
                for (std::size_t j = i + 1; j < blocks.size(); ++j)
                    if (allowed[kBlockBlockRestriction])
                        attempt(kBlockBlockRestriction,
                                FindBlockBlockRestriction(blocks[i].get(), blocks[j].get()));
            }
        }

        if (!changed) {
            const auto subsets = [&](SudokuCellSet* house) {
                if (allowed[kNakedSubset]) attempt(kNakedSubset, FindNakedSubset(house));
                if (allowed[kHiddenSubset]) attempt(kHiddenSubset, FindHiddenSubset(house));
            };
            for (const auto& row : rows) subsets(row.get());
            for (const auto& column : columns) subsets(column.get());
            for (const auto& block : blocks) subsets(block.get());
        }
        if (!changed) {
            if (allowed[kXWing]) attempt(kXWing, FindXWing());
            if (allowed[kSwordfish]) attempt(kSwordfish, FindSwordfish());
            if (allowed[kXYWing]) attempt(kXYWing, FindXYWing());
            if (allowed[kXYZWing]) attempt(kXYZWing, FindXYZWing());
        }
        if (!changed) {
            if (allowed[kColoring]) attempt(kColoring, FindColorRestriction());
            if (allowed[kXYChain]) attempt(kXYChain, FindXYChain());
            if (allowed[kRemoteChains]) attempt(kRemoteChains, FindRemoteChains());
        }
        if (!changed) {
            if (allowed[kForcedChain]) attempt(kForcedChain, FindForcedChain());
            if (!changed && allowed[kTrialAndError]) attempt(kTrialAndError, TrialAndError());
        }

        int filled = 0;
        for (std::uint8_t v : value_)
            if (v != 0) ++filled;
        unsolvedCount = size * size - filled;

        if (unsolvedCount == 1 && firstSingle) {
            firstSingle = false;
            changed = true;
        }
        if (!changed) break;
    }
    // Each guess pops its own snapshot on every way out, so nothing is left to unwind here.
}
