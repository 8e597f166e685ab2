// Straightforward versions of the three chain searches for the tests: explicit stacks of copied
// chains, every chain recorded, every pair of chains compared. They are slow and exist only to
// show that the engine's in-place searches (neighbour lists, deduplication, pruned contradictory
// branches) make the same deductions, in the same order, with the same log lines.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "SudokuBoard.h"

namespace literal {

using Chain = std::vector<SudokuCell*>;

inline bool Sees(const SudokuCell* a, const SudokuCell* b) {
    return a->block == b->block || a->rowIndex == b->rowIndex || a->colIndex == b->colIndex;
}

inline bool InChain(const Chain& chain, const SudokuCell* c, bool exceptFirst = false) {
    for (std::size_t i = exceptFirst ? 1 : 0; i < chain.size(); ++i)
        if (chain[i] == c) return true;
    return false;
}

inline int Other(ValueSet s, int v) {
    return LowestValue(s & ~ValueBit(v));
}

inline std::string Where(const SudokuCell* c) {
    const std::string row = std::to_string(c->rowIndex + 1);
    return std::string("r").append(row).append("c").append(std::to_string(c->colIndex + 1));
}

inline bool Eliminate(SudokuCell* c, int v, const std::string& text, std::vector<std::string>& log) {
    if (!c->InsertEliminated(v)) return false;
    log.push_back(text + Where(c) + " for val " + std::to_string(v) + "\n");
    return true;
}

inline std::vector<SudokuCell*> Bivalue(SudokuBoard& b, bool blockOrder) {
    std::vector<SudokuCell*> list;
    const auto take = [&](const SudokuCellSet& house) {
        for (SudokuCell* c : house.cells)
            if (ValueCount(c->GetCandidates()) == 2) list.push_back(c);
    };
    if (blockOrder)
        for (auto& h : b.blocks) take(*h);
    else
        for (auto& h : b.rows) take(*h);
    return list;
}

inline bool XYChain(SudokuBoard& b, std::vector<std::string>& log) {
    const auto list = Bivalue(b, true);
    const int n = static_cast<int>(list.size());
    std::vector<std::pair<Chain, int>> found;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (j == i || !Sees(list[i], list[j])) continue;
            const ValueSet shared = list[i]->Candidates() & list[j]->Candidates();
            if (ValueCount(shared) != 1) continue;
            const int a = Other(list[i]->Candidates(), LowestValue(shared));
            Chain chain{list[i], list[j]};
            int free = Other(list[j]->Candidates(), LowestValue(shared));
            std::vector<std::tuple<Chain, int, int>> stack;
            int k = 0;
            for (;;) {
                bool completed = false;
                while (k < n && !completed) {
                    SudokuCell* c = list[k];
                    if (InChain(chain, c) || !Sees(c, chain.back()) ||
                        !HasValue(chain.back()->Candidates() & c->Candidates(), free)) {
                        ++k;
                        continue;
                    }
                    stack.emplace_back(chain, free, k);
                    chain.push_back(c);
                    const int y = Other(c->Candidates(), free);
                    if (y == a) {
                        found.emplace_back(chain, a);
                        completed = true;
                    } else {
                        free = y;
                        k = 0;
                    }
                }
                if (stack.empty()) break;
                int p;
                std::tie(chain, free, p) = stack.back();
                stack.pop_back();
                k = p + 1;
            }
        }

    const std::string text = "XYChain restriction found at ";
    bool progress = false;
    for (const auto& [chain, t] : found) {
        SudokuCell* f = chain.front();
        SudokuCell* l = chain.back();
        const auto allBut = [&](const std::vector<SudokuCell*>& cells) {
            for (SudokuCell* x : cells)
                if (x != f && x != l) progress |= Eliminate(x, t, text, log);
        };
        const auto all = [&](const std::vector<SudokuCell*>& cells) {
            for (SudokuCell* x : cells) progress |= Eliminate(x, t, text, log);
        };
        if (f->block == l->block)
            allBut(f->block->cells);
        else if (f->rowIndex == l->rowIndex)
            allBut(f->row->cells);
        else if (f->colIndex == l->colIndex)
            allBut(f->column->cells);
        else if (f->block->firstRow == l->block->firstRow) {
            all(f->block->GetCellsInRow(l->rowIndex));
            all(l->block->GetCellsInRow(f->rowIndex));
        } else if (f->block->firstColumn == l->block->firstColumn) {
            all(f->block->GetCellsInColumn(l->colIndex));
            all(l->block->GetCellsInColumn(f->colIndex));
        } else {
            SudokuCell* x1 = b.Cell(f->rowIndex, l->colIndex);
            SudokuCell* x2 = b.Cell(l->rowIndex, f->colIndex);
            if (!HasValue(x1->Eliminated(), t) || !HasValue(x2->Eliminated(), t)) {
                x1->InsertEliminated(t);
                x2->InsertEliminated(t);
                progress = true;
                log.push_back(text + Where(x2) + " for val " + std::to_string(t) + "\n");
            }
        }
    }
    return progress;
}

inline bool RemoteChains(SudokuBoard& b, std::vector<std::string>& log) {
    const auto list = Bivalue(b, false);
    const int n = static_cast<int>(list.size());
    std::vector<Chain> found;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (j == i || !Sees(list[i], list[j]) || list[i]->Candidates() != list[j]->Candidates()) continue;
            Chain chain{list[i], list[j]};
            std::vector<std::pair<Chain, int>> stack;
            int k = 0;
            for (;;) {
                while (k < n) {
                    SudokuCell* c = list[k];
                    if (InChain(chain, c) || !Sees(c, chain.back()) ||
                        c->Candidates() != list[i]->Candidates()) {
                        ++k;
                        continue;
                    }
                    stack.emplace_back(chain, k);
                    chain.push_back(c);
                    ++k;
                }
                if (stack.empty()) break;
                if (chain.size() % 2 == 0) found.push_back(chain);
                chain = stack.back().first;
                k = stack.back().second + 1;
                stack.pop_back();
            }
        }

    bool progress = false;
    for (const Chain& chain : found) {
        SudokuCell* f = chain.front();
        SudokuCell* l = chain.back();
        const ValueSet pair = f->Candidates();
        SudokuCell* x1 = b.Cell(f->rowIndex, l->colIndex);
        SudokuCell* x2 = b.Cell(l->rowIndex, f->colIndex);
        for (SudokuCell* x : {x1, x2}) {
            if (x->Candidates() == pair) continue;
            const ValueSet fresh = pair & ~x->Eliminated();
            for (ValueSet m = pair; m != 0; m &= m - 1) x->InsertEliminated(LowestValue(m));
            if (fresh != 0 && x->Value() == 0 && x != f && x != l) progress = true;
            if (x == x2) {
                std::string line = "RemoteChains restriction found at " + Where(x) + " for vals ";
                for (ValueSet m = pair; m != 0; m &= m - 1) line += std::to_string(LowestValue(m)) + " ";
                log.push_back(line + "\n");
            }
        }
    }
    return progress;
}

inline bool Contradictory(const Chain& chain, const std::vector<int>& values) {
    bool bad = false;
    for (std::size_t m = 0; m < chain.size(); ++m) {
        for (const SudokuCellSet* house : {static_cast<const SudokuCellSet*>(chain[m]->column),
                                           static_cast<const SudokuCellSet*>(chain[m]->row),
                                           static_cast<const SudokuCellSet*>(chain[m]->block)})
            for (const SudokuCell* c : house->cells) bad = bad || c->Value() == values[m];
        chain[m]->SetValue(values[m]);
    }
    for (SudokuCell* c : chain) c->SetValue(0);
    return bad;
}

inline bool ForcedChain(SudokuBoard& b, std::vector<std::string>& log) {
    const auto list = Bivalue(b, true);
    const int n = static_cast<int>(list.size());
    std::vector<std::pair<Chain, std::vector<int>>> found;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (j == i || !Sees(list[i], list[j])) continue;
            const ValueSet shared = list[i]->Candidates() & list[j]->Candidates();
            if (ValueCount(shared) != 1) continue;
            Chain chain{list[i], list[j]};
            std::vector<int> values{LowestValue(shared), Other(list[j]->Candidates(), LowestValue(shared))};
            int free = values.back();
            std::vector<std::tuple<Chain, std::vector<int>, int, int>> stack;
            bool backtracked = false;
            int k = 0;
            for (;;) {
                while (k < n) {
                    SudokuCell* c = list[k];
                    if (InChain(chain, c, true) || !Sees(c, chain.back()) ||
                        !HasValue(chain.back()->Candidates() & c->Candidates(), free)) {
                        ++k;
                        continue;
                    }
                    stack.emplace_back(chain, values, free, k);
                    backtracked = false;
                    chain.push_back(c);
                    free = Other(c->Candidates(), free);
                    values.push_back(free);
                    if (c == chain.front()) break;
                    k = 0;
                }
                if (stack.empty()) break;
                if (!backtracked) found.emplace_back(chain, values);
                backtracked = true;
                int p;
                std::tie(chain, values, free, p) = stack.back();
                stack.pop_back();
                k = p + 1;
            }
        }

    std::map<int, std::pair<SudokuCell*, int>> placements;
    for (std::size_t p = 0; p < found.size(); ++p) {
        const auto& [pc, pv] = found[p];
        if (Contradictory(pc, pv)) continue;
        for (std::size_t q = p + 1; q < found.size(); ++q) {
            const auto& [qc, qv] = found[q];
            if (qc[0] == pc[0] && qc[1] != pc[1] && qv[0] != pv[0] && qc.back() == pc.back() &&
                qv.back() == pv.back() && !Contradictory(qc, qv))
                placements[pc.back()->index] = {pc.back(), pv.back()};
        }
    }
    // As the engine: a placement whose value a peer already holds is skipped (contradictory
    // positions only), and only a made placement is progress.
    bool progress = false;
    for (const auto& [index, placement] : placements) {
        SudokuCell* cell = placement.first;
        bool clash = false;
        for (const SudokuCellSet* house :
             {static_cast<const SudokuCellSet*>(cell->column), static_cast<const SudokuCellSet*>(cell->row),
              static_cast<const SudokuCellSet*>(cell->block)})
            for (const SudokuCell* c : house->cells) clash = clash || c->Value() == placement.second;
        if (clash) continue;
        cell->SetValue(placement.second);
        log.push_back("Forced Chain restriction found at " + Where(cell) + " for val " +
                      std::to_string(placement.second) + "\n");
        progress = true;
    }
    return progress;
}

}  // namespace literal
