// Exact-cover solution counter: bit-mask search with singles propagation, no heap use while counting.
#include "SolutionCounter.h"

#include <bit>

namespace {

int LowestDigit(std::uint16_t mask) {
    return std::countr_zero(static_cast<unsigned>(mask));
}

}  // namespace

bool SolutionCounter::Prepare(int w, int h) {
    if (w < 1 || h < 1 || w * h > kMaxSize) return false;
    if (w == w_ && h == h_) return true;
    w_ = w;
    h_ = h;
    n_ = w * h;
    cells_ = n_ * n_;
    full_ = static_cast<std::uint16_t>((1u << n_) - 1u);
    // Houses 0..N-1 are the rows, N..2N-1 the columns, 2N..3N-1 the blocks in the board's order.
    for (int i = 0; i < n_; ++i) {
        for (int j = 0; j < n_; ++j) {
            houses_[i][j] = static_cast<std::uint8_t>(i * n_ + j);
            houses_[n_ + i][j] = static_cast<std::uint8_t>(j * n_ + i);
            const int row = (i / h) * h + j / w;
            const int column = (i % h) * w + j % w;
            houses_[2 * n_ + i][j] = static_cast<std::uint8_t>(row * n_ + column);
        }
    }
    for (int cell = 0; cell < cells_; ++cell) {
        const int r = cell / n_, k = cell % n_;
        int count = 0;
        for (int other = 0; other < cells_; ++other) {
            if (other == cell) continue;
            const int orow = other / n_, ocol = other % n_;
            const bool sameBlock = orow / h == r / h && ocol / w == k / w;
            if (orow == r || ocol == k || sameBlock) peers_[cell][count++] = static_cast<std::uint8_t>(other);
        }
        peerCount_[cell] = static_cast<std::uint8_t>(count);
    }
    return true;
}

bool SolutionCounter::Assign(State& s, int cell, int digit) {
    const auto bit = static_cast<std::uint16_t>(1u << digit);
    if (!(s.cand[cell] & bit)) return false;
    s.cand[cell] = bit;
    s.value[cell] = static_cast<std::uint8_t>(digit + 1);
    --s.unsolved;
    for (int i = 0; i < peerCount_[cell]; ++i) {
        const int peer = peers_[cell][i];
        if (!(s.cand[peer] & bit)) continue;
        if (s.value[peer]) return false;
        s.cand[peer] = static_cast<std::uint16_t>(s.cand[peer] & ~bit);
        if (!s.cand[peer]) return false;
        if (std::has_single_bit(static_cast<unsigned>(s.cand[peer]))) queue_[queued_++] = peer;
    }
    return true;
}

bool SolutionCounter::Load(const int* flat, State& s) {
    // Givens first: each row, column and block takes a value at most once, or two givens clash.
    std::array<std::uint16_t, 3 * kMaxSize> held{};
    s.value.fill(0);
    s.unsolved = cells_;
    for (int cell = 0; cell < cells_; ++cell) {
        const int v = flat[cell];
        if (v < 1 || v > n_) continue;
        const auto bit = static_cast<std::uint16_t>(1u << (v - 1));
        const int r = cell / n_, k = cell % n_, b = n_ * 2 + (r / h_) * h_ + k / w_;
        if ((held[r] | held[n_ + k] | held[b]) & bit) return false;
        held[r] |= bit;
        held[n_ + k] |= bit;
        held[b] |= bit;
        s.cand[cell] = bit;
        s.value[cell] = static_cast<std::uint8_t>(v);
        --s.unsolved;
    }
    queued_ = 0;
    for (int cell = 0; cell < cells_; ++cell) {
        if (s.value[cell]) continue;
        const int r = cell / n_, k = cell % n_, b = n_ * 2 + (r / h_) * h_ + k / w_;
        s.cand[cell] = static_cast<std::uint16_t>(full_ & ~(held[r] | held[n_ + k] | held[b]));
        if (!s.cand[cell]) return false;
        if (std::has_single_bit(static_cast<unsigned>(s.cand[cell]))) queue_[queued_++] = cell;
    }
    return Propagate(s);
}

bool SolutionCounter::Propagate(State& s) {
    for (;;) {
        while (queued_ > 0) {
            const int cell = queue_[--queued_];
            if (!s.value[cell] && !Assign(s, cell, LowestDigit(s.cand[cell]))) {
                queued_ = 0;
                return false;
            }
        }
        bool placed = false;
        for (int house = 0; house < 3 * n_; ++house) {
            std::uint16_t once = 0, twice = 0, filled = 0;
            for (int j = 0; j < n_; ++j) {
                const int cell = houses_[house][j];
                if (s.value[cell]) {
                    filled |= s.cand[cell];
                } else {
                    twice |= once & s.cand[cell];
                    once |= s.cand[cell];
                }
            }
            if ((once | filled) != full_) return false;
            auto hidden = static_cast<std::uint16_t>(once & ~twice & ~filled);
            while (hidden) {
                const int digit = LowestDigit(hidden);
                hidden &= static_cast<std::uint16_t>(hidden - 1);
                int target = -1;
                for (int j = 0; j < n_ && target < 0; ++j) {
                    const int cell = houses_[house][j];
                    if (!s.value[cell] && (s.cand[cell] & (1u << digit))) target = cell;
                }
                if (target < 0 || !Assign(s, target, digit)) {
                    queued_ = 0;
                    return false;
                }
                placed = true;
            }
        }
        if (!placed && queued_ == 0) return true;
    }
}

void SolutionCounter::Record(const State& s) {
    for (int cell = 0; cell < cells_; ++cell) lastSolution_[cell] = s.value[cell];
    if (!out_) return;
    Grid grid(n_, std::vector<int>(n_));
    for (int cell = 0; cell < cells_; ++cell) grid[cell / n_][cell % n_] = s.value[cell];
    out_->push_back(std::move(grid));
}

void SolutionCounter::Search(const State& s) {
    if (s.unsolved == 0) {
        ++found_;
        Record(s);
        return;
    }
    // Branch on the constraint with the fewest ways left to meet it: a cell (its candidates) or,
    // when some row, column or block has fewer places left for a value, that value's places.
    int chosenCell = -1, chosenHouse = -1, chosenDigit = -1;
    if (inOrder_) {
        for (int cell = 0; cell < cells_ && chosenCell < 0; ++cell)
            if (!s.value[cell]) chosenCell = cell;
    } else {
        int best = kMaxSize + 1;
        for (int cell = 0; cell < cells_ && best > 2; ++cell) {
            if (s.value[cell]) continue;
            const int options = std::popcount(static_cast<unsigned>(s.cand[cell]));
            if (options < best) {
                best = options;
                chosenCell = cell;
            }
        }
        for (int house = 0; house < 3 * n_ && best > 2; ++house) {
            std::uint16_t once = 0, twice = 0, more = 0;
            for (int j = 0; j < n_; ++j) {
                const int cell = houses_[house][j];
                if (s.value[cell]) continue;
                more |= twice & s.cand[cell];
                twice |= once & s.cand[cell];
                once |= s.cand[cell];
            }
            // Hidden singles are already placed, so `once` values have two or more places here.
            const auto exactlyTwo = static_cast<std::uint16_t>(twice & ~more);
            if (exactlyTwo) {
                best = 2;
                chosenHouse = house;
                chosenDigit = LowestDigit(exactlyTwo);
            }
        }
    }
    if (chosenHouse >= 0) {
        const auto bit = static_cast<std::uint16_t>(1u << chosenDigit);
        for (int j = 0; j < n_; ++j) {
            const int cell = houses_[chosenHouse][j];
            if (s.value[cell] || !(s.cand[cell] & bit)) continue;
            if (!Branch(s, cell, chosenDigit)) return;
        }
        return;
    }
    for (std::uint16_t open = s.cand[chosenCell]; open; open &= static_cast<std::uint16_t>(open - 1))
        if (!Branch(s, chosenCell, LowestDigit(open))) return;
}

bool SolutionCounter::Branch(const State& s, int cell, int digit) {
    if (nodeBudget_ > 0 && nodes_ >= nodeBudget_) {
        outOfBudget_ = true;
        return false;
    }
    ++nodes_;
    State next = s;
    queued_ = 0;
    if (Assign(next, cell, digit) && Propagate(next)) Search(next);
    return found_ < limit_ && !outOfBudget_;
}

int SolutionCounter::Count(const int* flat, int w, int h, unsigned limit, std::vector<Grid>* out,
                           long nodeBudget) {
    nodes_ = 0;
    found_ = 0;
    outOfBudget_ = false;
    if (limit == 0 || !Prepare(w, h)) return 0;
    limit_ = limit;
    inOrder_ = false;
    nodeBudget_ = nodeBudget;
    out_ = out;
    State start;
    if (Load(flat, start)) Search(start);
    out_ = nullptr;
    return static_cast<int>(found_);
}

int SolutionCounter::FirstInOrder(const int* flat, int w, int h, long nodeBudget, int* solved) {
    nodes_ = 0;
    found_ = 0;
    outOfBudget_ = false;
    if (!Prepare(w, h)) return 0;
    limit_ = 1;
    inOrder_ = true;
    nodeBudget_ = nodeBudget;
    out_ = nullptr;
    State start;
    if (Load(flat, start)) Search(start);
    if (found_ == 0) return outOfBudget_ ? -1 : 0;
    for (int cell = 0; cell < cells_; ++cell) solved[cell] = lastSolution_[cell];
    return 1;
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
