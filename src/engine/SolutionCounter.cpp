// Exact-cover solution counter: bit-mask search with singles propagation, no heap use while counting.
#include "SolutionCounter.h"

#include <bit>
#include <memory>
#include <mutex>

// Units 0..N-1 are the rows, N..2N-1 the columns, 2N..3N-1 the blocks in the board's order.
struct SolutionCounter::Tables {
    int n = 0, w = 0, h = 0, cells = 0;
    std::array<std::array<std::uint8_t, kMaxSize>, 3 * kMaxSize> units{};
    std::array<std::array<std::uint8_t, 3>, kMaxCells> unitOf{};
    std::array<std::uint64_t, kMaxCells> unitMask{};  // bits of the three units of a cell
    static constexpr int kMaxPeers = 3 * (kMaxSize - 1);
    std::array<std::array<std::uint8_t, kMaxPeers>, kMaxCells> peers{};
    std::array<std::uint8_t, kMaxCells> peerCount{};
};

namespace {

using Tables = SolutionCounter::Tables;
constexpr int kMaxSize = SolutionCounter::kMaxSize;

// Guesses deep, at most, that the units are matched after propagation: on 12 x 12 and 16 x 16 the
// first two levels (which cuts the slowest grids' time by a quarter), on smaller grids only the
// start. Deeper, a short unit costs the search little, while matching at every node would cost a
// hard 9 x 9 grid some 40 %.
int MatchDepth(int n) {
    return n >= 12 ? 2 : 0;
}

int LowestDigit(unsigned mask) {
    return std::countr_zero(mask);
}

std::unique_ptr<Tables> BuildTables(int w, int h) {
    auto t = std::make_unique<Tables>();
    const int n = w * h;
    t->n = n;
    t->w = w;
    t->h = h;
    t->cells = n * n;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            t->units[i][j] = static_cast<std::uint8_t>(i * n + j);
            t->units[n + i][j] = static_cast<std::uint8_t>(j * n + i);
            const int row = (i / h) * h + j / w;
            const int column = (i % h) * w + j % w;
            t->units[2 * n + i][j] = static_cast<std::uint8_t>(row * n + column);
        }
    }
    for (int cell = 0; cell < n * n; ++cell) {
        const int r = cell / n, k = cell % n, b = (r / h) * h + k / w;
        t->unitOf[cell] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(n + k),
                           static_cast<std::uint8_t>(2 * n + b)};
        t->unitMask[cell] = (1ull << r) | (1ull << (n + k)) | (1ull << (2 * n + b));
        int count = 0;
        for (int other = 0; other < n * n; ++other) {
            if (other == cell) continue;
            const int orow = other / n, ocol = other % n;
            const bool sameBlock = orow / h == r / h && ocol / w == k / w;
            if (orow == r || ocol == k || sameBlock)
                t->peers[cell][count++] = static_cast<std::uint8_t>(other);
        }
        t->peerCount[cell] = static_cast<std::uint8_t>(count);
    }
    return t;
}

// The tables of one block shape, built at its first use and shared by every counter from then on.
const Tables* TablesFor(int w, int h) {
    if (w < 1 || h < 1 || w * h > kMaxSize) return nullptr;
    static std::array<std::unique_ptr<Tables>, (kMaxSize + 1) * (kMaxSize + 1)> tables;
    static std::array<std::once_flag, (kMaxSize + 1) * (kMaxSize + 1)> built;
    const int slot = w * (kMaxSize + 1) + h;
    std::call_once(built[slot], [&] { tables[slot] = BuildTables(w, h); });
    return tables[slot].get();
}

bool IsOpen(const std::array<std::uint64_t, SolutionCounter::kMaxCells / 64>& open, int cell) {
    return (open[cell >> 6] >> (cell & 63)) & 1u;
}

}  // namespace

bool SolutionCounter::Start(int w, int h, long nodeBudget) {
    nodes_ = 0;
    found_ = 0;
    outOfBudget_ = false;
    abandoned_ = false;
    nodeBudget_ = nodeBudget;
    ClearPending();
    out_ = nullptr;
    t_ = TablesFor(w, h);
    if (!t_) return false;
    full_ = static_cast<std::uint16_t>((1u << t_->n) - 1u);
    return true;
}

inline bool SolutionCounter::Strike(State& s, int cell, unsigned digits) {
    if (!(s.cand[cell] & digits)) return true;
    s.cand[cell] = static_cast<std::uint16_t>(s.cand[cell] & ~digits);
    if (!s.cand[cell]) return false;
    dirty_ |= t_->unitMask[cell];
    unmatched_ |= t_->unitMask[cell];
    if (std::has_single_bit(static_cast<unsigned>(s.cand[cell])))
        queue_[queued_++] = static_cast<std::uint8_t>(cell);
    return true;
}

bool SolutionCounter::Assign(State& s, int cell, int digit) {
    const auto bit = static_cast<std::uint16_t>(1u << digit);
    if (!(s.cand[cell] & bit)) return false;
    s.cand[cell] = bit;
    s.open[cell >> 6] &= ~(1ull << (cell & 63));
    for (int unit : t_->unitOf[cell]) {
        if (s.placed[unit] & bit) return false;
        s.placed[unit] |= bit;
    }
    dirty_ |= t_->unitMask[cell];
    unmatched_ |= t_->unitMask[cell];
    // A peer still holding the value is open: a filled one would have clashed in a shared unit.
    const auto& peers = t_->peers[cell];
    for (int i = 0, count = t_->peerCount[cell]; i < count; ++i)
        if (!Strike(s, peers[i], bit)) return false;
    return true;
}

bool SolutionCounter::Load(const int* flat, State& s) {
    // Givens first: each unit takes a value at most once, or two givens clash.
    const int n = t_->n, cells = t_->cells;
    s.cand.fill(0);
    s.placed.fill(0);
    s.open.fill(0);
    for (int cell = 0; cell < cells; ++cell) s.open[cell >> 6] |= 1ull << (cell & 63);
    for (int cell = 0; cell < cells; ++cell) {
        const int v = flat[cell];
        if (v < 1 || v > n) continue;
        const auto bit = static_cast<std::uint16_t>(1u << (v - 1));
        for (int unit : t_->unitOf[cell]) {
            if (s.placed[unit] & bit) return false;
            s.placed[unit] |= bit;
        }
        s.cand[cell] = bit;
        s.open[cell >> 6] &= ~(1ull << (cell & 63));
    }
    queued_ = 0;
    for (int cell = 0; cell < cells; ++cell) {
        if (!IsOpen(s.open, cell)) continue;
        const auto& u = t_->unitOf[cell];
        s.cand[cell] =
            static_cast<std::uint16_t>(full_ & ~(s.placed[u[0]] | s.placed[u[1]] | s.placed[u[2]]));
        if (!s.cand[cell]) return false;
        if (std::has_single_bit(static_cast<unsigned>(s.cand[cell])))
            queue_[queued_++] = static_cast<std::uint8_t>(cell);
    }
    dirty_ = (1ull << (3 * n)) - 1;
    unmatched_ = dirty_;
    return Propagate(s);
}

bool SolutionCounter::Propagate(State& s) {
    const int n = t_->n;
    const auto fail = [this] {
        ClearPending();
        return false;
    };
    bool lockedDone = false;
    for (;;) {
        while (queued_ > 0) {
            const int cell = queue_[--queued_];
            if (IsOpen(s.open, cell) && !Assign(s, cell, LowestDigit(s.cand[cell]))) return fail();
        }
        if (!dirty_) {
            if (!lockedDone) {
                lockedDone = true;
                if (!Locked(s)) return fail();
                if (dirty_ || queued_) continue;
            }
            // Only the units that changed since their last matching can have lost it.
            if (depth_ > MatchDepth(n)) unmatched_ = 0;
            for (; unmatched_; unmatched_ &= unmatched_ - 1)
                if (!Matched(s, std::countr_zero(unmatched_))) return fail();
            return true;
        }
        const int unit = std::countr_zero(dirty_);
        dirty_ &= dirty_ - 1;
        const auto& members = t_->units[unit];
        unsigned once = 0, twice = 0;
        for (int j = 0; j < n; ++j) {
            const unsigned c = s.cand[members[j]];
            twice |= once & c;
            once |= c;
        }
        if (once != full_) return fail();
        unsigned hidden = once & ~twice & ~static_cast<unsigned>(s.placed[unit]);
        while (hidden) {
            const int digit = LowestDigit(hidden);
            hidden &= hidden - 1;
            int target = -1;
            for (int j = 0; j < n && target < 0; ++j)
                if (s.cand[members[j]] & (1u << digit)) target = members[j];
            // An earlier value placed here may have taken this value's only cell.
            if (target < 0 || !Assign(s, target, digit)) return fail();
        }
    }
}

bool SolutionCounter::Locked(State& s) {
    // A value whose places in a block all lie on one line is not elsewhere on that line, and the
    // other way round. Segments are the crossings of a line and a block; a filled cell's value is
    // on no other cell of its line or block, so filled cells may take part in the masks.
    const int n = t_->n, w = t_->w, h = t_->h;
    std::array<unsigned, kMaxCells> seg{};  // rows: [r * h + block column]; columns: after n * h
    unsigned* colSeg = seg.data() + n * h;
    const auto rowCell = [n](int r, int k) { return r * n + k; };
    const auto colCell = [n](int k, int r) { return r * n + k; };
    // A line crosses `per` blocks, `len` cells each; as many lines make up one band of blocks.
    const auto build = [&](unsigned* lineSeg, int per, int len, auto cellAt) {
        for (int line = 0; line < n; ++line)
            for (int b = 0; b < per; ++b) {
                unsigned m = 0;
                for (int pos = b * len; pos < b * len + len; ++pos) m |= s.cand[cellAt(line, pos)];
                lineSeg[line * per + b] = m;
            }
    };
    build(seg.data(), h, w, rowCell);
    build(colSeg, w, h, colCell);
    const auto sweep = [&](const unsigned* lineSeg, int per, int len, auto cellAt) {
        for (int line = 0; line < n; ++line) {
            for (int b = 0; b < per; ++b) {
                const unsigned inside = lineSeg[line * per + b];
                unsigned lineRest = 0, blockRest = 0;
                for (int other = 0; other < per; ++other)
                    if (other != b) lineRest |= lineSeg[line * per + other];
                const int band = (line / per) * per;
                for (int other = band; other < band + per; ++other)
                    if (other != line) blockRest |= lineSeg[other * per + b];
                const unsigned pointing = inside & ~blockRest & lineRest;
                const unsigned claiming = inside & ~lineRest & blockRest;
                for (int pos = 0; pos < n && pointing; ++pos)
                    if (pos / len != b && !Strike(s, cellAt(line, pos), pointing)) return false;
                for (int other = band; other < band + per && claiming; ++other)
                    for (int pos = b * len; pos < b * len + len && other != line; ++pos)
                        if (!Strike(s, cellAt(other, pos), claiming)) return false;
            }
        }
        return true;
    };
    // Both sets of masks are taken before any strike, so the columns see the candidates as they were.
    return sweep(seg.data(), h, w, rowCell) && sweep(colSeg, w, h, colCell);
}

bool SolutionCounter::Matched(const State& s, int unit) {
    // Hall's condition: the open cells of a unit take distinct values only when every set of them
    // has at least as many candidates between them as it has cells, that is when cells and values
    // can be matched one to one. The matching of the unit's last check is kept as a start (the
    // search mostly revisits close relatives of the state it left), so mostly only cells whose value
    // has gone are matched afresh, each by one augmenting path.
    const int n = t_->n;
    // After propagation every open cell has two candidates or more and every value left two places
    // or more; a set of cells short of values then needs three cells and leaves out two others.
    if (n - std::popcount(static_cast<unsigned>(s.placed[unit])) < 5) return true;
    const auto& members = t_->units[unit];
    auto& hint = matchHint_[unit];
    std::array<std::int8_t, kMaxSize> owner;  // member matched to each value, valid where taken
    unsigned taken = 0;
    std::array<std::uint8_t, kMaxSize> loose;
    int looseCount = 0;
    const auto take = [&](int j, int d) {
        owner[d] = static_cast<std::int8_t>(j);
        taken |= 1u << d;
        hint[j] = static_cast<std::int8_t>(d);
    };
    // The last matching where it still holds, else any value still free; the rest by augmenting.
    for (int j = 0; j < n; ++j) {
        if (!IsOpen(s.open, members[j])) continue;
        const unsigned c = s.cand[members[j]];
        const int d = hint[j];
        if (d >= 0 && ((c & ~taken) >> d) & 1u)
            take(j, d);
        else if (c & ~taken)
            take(j, LowestDigit(c & ~taken));
        else
            loose[looseCount++] = static_cast<std::uint8_t>(j);
    }
    unsigned visited = 0;
    const auto augment = [&](auto& self, int j) -> bool {
        const unsigned options = s.cand[members[j]] & ~visited;
        if (const unsigned free = options & ~taken) {
            take(j, LowestDigit(free));
            return true;
        }
        visited |= options;
        for (unsigned rest = options; rest; rest &= rest - 1) {
            const int d = LowestDigit(rest);
            if (!self(self, owner[d])) continue;
            owner[d] = static_cast<std::int8_t>(j);
            hint[j] = static_cast<std::int8_t>(d);
            return true;
        }
        return false;
    };
    for (int i = 0; i < looseCount; ++i) {
        visited = 0;
        if (!augment(augment, loose[i])) return false;
    }
    return true;
}

void SolutionCounter::Record(const State& s) {
    const int n = t_->n, cells = t_->cells;
    for (int cell = 0; cell < cells; ++cell) lastSolution_[cell] = LowestDigit(s.cand[cell]) + 1;
    if (!out_) return;
    Grid grid(n, std::vector<int>(n));
    for (int cell = 0; cell < cells; ++cell) grid[cell / n][cell % n] = lastSolution_[cell];
    out_->push_back(std::move(grid));
}

void SolutionCounter::Search(const State& s) {
    // Branch on the constraint with the fewest ways left to meet it: a cell (its candidates) or a
    // unit-value pair (its places), the cell on equal counts.
    const int n = t_->n;
    // Of cells with equally few candidates, the one whose units have the fewest values placed: a
    // choice there reaches furthest.
    int best = kMaxSize + 1, chosenCell = -1, chosenPlaced = 0;
    for (int word = 0; word < static_cast<int>(s.open.size()); ++word) {
        for (std::uint64_t bits = s.open[word]; bits; bits &= bits - 1) {
            const int cell = word * 64 + std::countr_zero(bits);
            const int options = std::popcount(static_cast<unsigned>(s.cand[cell]));
            if (options > best) continue;
            const auto& u = t_->unitOf[cell];
            const int placed = std::popcount(static_cast<unsigned>(s.placed[u[0]])) +
                               std::popcount(static_cast<unsigned>(s.placed[u[1]])) +
                               std::popcount(static_cast<unsigned>(s.placed[u[2]]));
            if (options < best || placed < chosenPlaced) {
                best = options;
                chosenCell = cell;
                chosenPlaced = placed;
            }
        }
    }
    if (chosenCell < 0) {
        ++found_;
        Record(s);
        return;
    }
    int chosenUnit = -1, chosenDigit = -1;
    for (int unit = 0; unit < 3 * n && best > 2; ++unit) {
        // A five-bit counter per value, one bit plane per word: how many cells can take it.
        unsigned b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        const auto& members = t_->units[unit];
        for (int j = 0; j < n; ++j) {
            const unsigned c = s.cand[members[j]];
            const unsigned c0 = b0 & c;
            b0 ^= c;
            const unsigned c1 = b1 & c0;
            b1 ^= c0;
            const unsigned c2 = b2 & c1;
            b2 ^= c1;
            const unsigned c3 = b3 & c2;
            b3 ^= c2;
            b4 |= c3;
        }
        // Placed values have one place, and propagation has placed every value with one place.
        const unsigned unplaced = full_ & ~static_cast<unsigned>(s.placed[unit]);
        for (int places = 2; places < best; ++places) {
            const unsigned match = unplaced & (places & 1 ? b0 : ~b0) & (places & 2 ? b1 : ~b1) &
                                   (places & 4 ? b2 : ~b2) & (places & 8 ? b3 : ~b3) &
                                   (places & 16 ? b4 : ~b4);
            if (match) {
                best = places;
                chosenUnit = unit;
                chosenDigit = LowestDigit(match);
                break;
            }
        }
    }
    if (chosenUnit >= 0) {
        const unsigned bit = 1u << chosenDigit;
        for (int j = 0; j < n; ++j) {
            const int cell = t_->units[chosenUnit][j];
            if (!IsOpen(s.open, cell) || !(s.cand[cell] & bit)) continue;
            if (!Branch(s, cell, chosenDigit)) return;
        }
        return;
    }
    for (unsigned open = s.cand[chosenCell]; open; open &= open - 1)
        if (!Branch(s, chosenCell, LowestDigit(open))) return;
}

bool SolutionCounter::Branch(const State& s, int cell, int digit) {
    if (nodeBudget_ > 0 && nodes_ >= nodeBudget_) {
        outOfBudget_ = true;
        return false;
    }
    ++nodes_;
    if (tick_ && (nodes_ & 255) == 0 && !tick_()) {
        abandoned_ = true;
        return false;
    }
    State next = s;
    ClearPending();
    ++depth_;
    if (Assign(next, cell, digit) && Propagate(next)) Search(next);
    --depth_;
    return !Stopped();
}

int SolutionCounter::Count(const int* flat, int w, int h, unsigned limit, std::vector<Grid>* out,
                           long nodeBudget) {
    if (limit == 0 || !Start(w, h, nodeBudget)) return 0;
    limit_ = limit;
    out_ = out;
    State start;
    if (Load(flat, start)) Search(start);
    out_ = nullptr;
    return static_cast<int>(found_);
}

int SolutionCounter::FirstInOrder(const int* flat, int w, int h, long nodeBudget, int* solved) {
    if (!Start(w, h, nodeBudget)) return 0;
    limit_ = 1;
    State base;
    if (!Load(flat, base)) return 0;
    Search(base);
    if (found_ == 0) return outOfBudget_ || abandoned_ ? -1 : 0;
    // Any solution is a witness; then, cell by cell in reading order, each smaller candidate is
    // tried in turn, and the first that still has a solution becomes the new witness. A candidate
    // without one is struck from the base, which propagation then uses.
    std::array<int, kMaxCells> witness = lastSolution_;
    const auto settle = [&](int result) {
        lastSolution_ = witness;
        for (int cell = 0; cell < t_->cells; ++cell) solved[cell] = witness[cell];
        return result;
    };
    for (int cell = 0; cell < t_->cells; ++cell) {
        const unsigned lower = (1u << (witness[cell] - 1)) - 1u;
        // Propagation may fill the cell while smaller candidates are struck.
        while (IsOpen(base.open, cell) && (base.cand[cell] & lower)) {
            const int digit = LowestDigit(base.cand[cell] & lower);
            found_ = 0;
            Branch(base, cell, digit);
            if (outOfBudget_ || abandoned_) return settle(-1);
            if (found_) {
                witness = lastSolution_;
                break;
            }
            ClearPending();
            if (!Strike(base, cell, 1u << digit) || !Propagate(base))
                return 0;  // cannot be: the witness fits
        }
        if (!IsOpen(base.open, cell)) continue;
        ClearPending();
        if (!Assign(base, cell, witness[cell] - 1) || !Propagate(base)) return 0;  // likewise
    }
    return settle(1);
}

int CountSolutions(const std::vector<int>& grid, int w, int h) {
    if (w < 1 || h < 1 || grid.size() < static_cast<std::size_t>(w * h * w * h)) return 0;
    SolutionCounter counter;
    return counter.Count(grid.data(), w, h, 2);
}

int CollectAllSolutions(const std::vector<int>& grid, std::vector<Grid>& out, int w, int h, unsigned limit) {
    out.clear();
    if (w < 1 || h < 1 || grid.size() < static_cast<std::size_t>(w * h * w * h)) return 0;
    SolutionCounter counter;
    return counter.Count(grid.data(), w, h, limit, &out);
}
