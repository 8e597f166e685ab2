// A second opinion for the engine tests: a plain backtracking solver over bit masks (most
// constrained cell first), sharing nothing with the engine but the grid layout, plus random
// complete grids and puzzles for the property tests and conversions to the engine's layouts.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

namespace oracle {

// Flat row-major grid, 0 for empty.
using Flat = std::vector<int>;

struct Shape {
    int n;
    int rowsPerBlock;
    int colsPerBlock;
};

inline Shape ShapeOf(int n) {
    switch (n) {
        case 4:
            return {4, 2, 2};
        case 6:
            return {6, 2, 3};
        case 12:
            return {12, 3, 4};
        case 16:
            return {16, 4, 4};
        default:
            return {9, 3, 3};
    }
}

class Solver {
  public:
    explicit Solver(int n) : shape_(ShapeOf(n)), full_(((1u << n) - 1) << 1) {}

    // Enumerates solutions of g (in value order, or in a random value order when rng is given)
    // until `cap` are found; each is passed to onSolution. Returns the number found.
    template <typename F>
    int Enumerate(const Flat& g, int cap, F&& onSolution, std::mt19937* rng = nullptr) {
        if (!Consistent(g)) return 0;  // also marks the givens as used
        grid_ = g;
        found_ = 0;
        cap_ = cap;
        rng_ = rng;
        Search(onSolution);
        return found_;
    }

    // A random complete grid.
    Flat RandomSolution(std::mt19937& rng) {
        Flat result;
        Enumerate(
            Flat(shape_.n * shape_.n, 0), 1, [&](const Flat& s) { result = s; }, &rng);
        return result;
    }

    // True when every cell holds 0..n and no value repeats in a house.
    bool Consistent(const Flat& g) {
        used_.assign(3 * shape_.n, 0);
        for (int c = 0; c < static_cast<int>(g.size()); ++c) {
            if (g[c] < 0 || g[c] > shape_.n) return false;
            if (g[c] == 0) continue;
            for (int h : Houses(c)) {
                if (used_[h] & (1u << g[c])) return false;
                used_[h] |= 1u << g[c];
            }
        }
        return true;
    }

  private:
    std::array<int, 3> Houses(int c) const {
        const int r = c / shape_.n, k = c % shape_.n;
        const int b = (r / shape_.rowsPerBlock) * shape_.rowsPerBlock + k / shape_.colsPerBlock;
        return {r, shape_.n + k, 2 * shape_.n + b};
    }

    template <typename F>
    void Search(F& onSolution) {
        if (found_ >= cap_) return;
        int best = -1, bestCount = 99;
        std::uint32_t bestMask = 0;
        for (int c = 0; c < static_cast<int>(grid_.size()); ++c) {
            if (grid_[c] != 0) continue;
            const auto h = Houses(c);
            const std::uint32_t mask = full_ & ~(used_[h[0]] | used_[h[1]] | used_[h[2]]);
            const int count = std::popcount(mask);
            if (count < bestCount) {
                best = c;
                bestCount = count;
                bestMask = mask;
                if (count <= 1) break;
            }
        }
        if (best < 0) {
            ++found_;
            onSolution(grid_);
            return;
        }
        std::vector<int> values;
        for (std::uint32_t m = bestMask; m != 0; m &= m - 1) values.push_back(std::countr_zero(m));
        if (rng_) std::shuffle(values.begin(), values.end(), *rng_);
        const auto h = Houses(best);
        for (int v : values) {
            const std::uint32_t bit = 1u << v;
            grid_[best] = v;
            for (int x : h) used_[x] |= bit;
            Search(onSolution);
            for (int x : h) used_[x] &= ~bit;
            grid_[best] = 0;
            if (found_ >= cap_) return;
        }
    }

    Shape shape_;
    std::uint32_t full_;
    Flat grid_;
    std::vector<std::uint32_t> used_;
    int found_ = 0;
    int cap_ = 0;
    std::mt19937* rng_ = nullptr;
};

// A puzzle with exactly one solution: cells of a random complete grid are emptied in random order
// while the solution stays unique, until `holes` are empty or no cell can go.
inline Flat RandomUniquePuzzle(Solver& solver, std::mt19937& rng, int holes, Flat* solution = nullptr) {
    Flat grid = solver.RandomSolution(rng);
    if (solution) *solution = grid;
    std::vector<int> order(grid.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    int made = 0;
    for (int c : order) {
        if (made >= holes) break;
        const int v = grid[c];
        grid[c] = 0;
        if (solver.Enumerate(grid, 2, [](const Flat&) {}) == 1)
            ++made;
        else
            grid[c] = v;
    }
    return grid;
}

inline bool Consistent(const Flat& g, int n) {
    return Solver(n).Consistent(g);
}

inline bool CompleteAndValid(const Flat& g, int n) {
    return std::find(g.begin(), g.end(), 0) == g.end() && Consistent(g, n);
}

// Number of solutions up to `cap` (0 for clashing or out-of-range givens), each collected into `all` when
// given.
inline int CountSolutions(const Flat& g, int n, int cap, std::vector<Flat>* all = nullptr) {
    return Solver(n).Enumerate(g, cap, [&](const Flat& s) {
        if (all) all->push_back(s);
    });
}

// A grid without solution whose givens repeat nothing: `cells` (row-major indexes) all lie in one
// unit (kind 0 a row, 1 a column, 2 a block), and between them their other units hold every value
// of `missing`, which leaves the cells fewer values than there are cells (more than N - cells.size()
// values in `missing`). Each missing value is given in a random peer outside the unit, one that
// shares the unit kind `through` with the cell when that is not -1; empty when the random placement
// ran into a dead end (try again with another draw).
inline Flat ShortUnitGrid(int n, int kind, const std::vector<int>& cells, const std::vector<int>& missing,
                          std::mt19937& rng, int through = -1) {
    const Shape s = ShapeOf(n);
    const auto unitOf = [&](int c, int k) {
        const int r = c / n, col = c % n;
        return k == 0 ? r : k == 1 ? col : (r / s.rowsPerBlock) * s.rowsPerBlock + col / s.colsPerBlock;
    };
    const int unit = unitOf(cells.front(), kind);
    Flat g(n * n, 0);
    Solver check(n);
    for (int cell : cells) {
        for (int v : missing) {
            std::vector<int> spots;
            bool seen = false;
            for (int p = 0; p < n * n && !seen; ++p) {
                bool peer = false;
                for (int k = 0; k < 3; ++k)
                    peer = peer ||
                           (k != kind && (through < 0 || k == through) && unitOf(p, k) == unitOf(cell, k));
                if (!peer || unitOf(p, kind) == unit) continue;
                seen = g[p] == v;
                if (g[p] != 0) continue;
                g[p] = v;
                if (check.Consistent(g)) spots.push_back(p);
                g[p] = 0;
            }
            if (seen) continue;
            if (spots.empty()) return {};
            g[spots[rng() % spots.size()]] = v;
        }
    }
    return g;
}

// A random grid of that kind: a random unit, half its cells (at least two) and one value too many
// missing among them.
inline Flat RandomShortUnitGrid(int n, int kind, std::mt19937& rng) {
    const Shape s = ShapeOf(n);
    for (;;) {
        const int unit = static_cast<int>(rng() % n);
        std::vector<int> members;
        for (int i = 0; i < n; ++i) {
            const int top = (unit / s.rowsPerBlock) * s.rowsPerBlock,
                      left = (unit % s.rowsPerBlock) * s.colsPerBlock;
            members.push_back(kind == 0   ? unit * n + i
                              : kind == 1 ? i * n + unit
                                          : (top + i / s.colsPerBlock) * n + left + i % s.colsPerBlock);
        }
        std::shuffle(members.begin(), members.end(), rng);
        members.resize(std::max(2, n / 2));
        std::vector<int> values(n);
        std::iota(values.begin(), values.end(), 1);
        std::shuffle(values.begin(), values.end(), rng);
        values.resize(n - members.size() + 1);
        const Flat g = ShortUnitGrid(n, kind, members, values, rng);
        if (!g.empty()) return g;
    }
}

// Row-major flat grids to and from rows of values and the game's column-major 256-byte grids.
inline std::vector<std::vector<int>> ToGrid(const Flat& flat, int n) {
    std::vector<std::vector<int>> g(n, std::vector<int>(n));
    for (int i = 0; i < n * n; ++i) g[i / n][i % n] = flat[i];
    return g;
}

inline Flat FlatOf(const std::vector<std::vector<int>>& g) {
    Flat flat;
    for (const auto& row : g) flat.insert(flat.end(), row.begin(), row.end());
    return flat;
}

inline Flat FromBytes(const signed char* bytes, int n) {
    Flat g(n * n);
    for (int k = 0; k < n; ++k)
        for (int r = 0; r < n; ++r) g[r * n + k] = bytes[k * n + r];
    return g;
}

inline std::vector<signed char> ToBytes(const Flat& g, int n) {
    std::vector<signed char> bytes(256, 0);
    for (int k = 0; k < n; ++k)
        for (int r = 0; r < n; ++r) bytes[k * n + r] = static_cast<signed char>(g[r * n + k]);
    return bytes;
}

}  // namespace oracle
