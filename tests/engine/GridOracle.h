// An independent, deliberately plain Sudoku solver for checking the engine: it shares no code with the
// engine's counter (no masks, no propagation), only picks the empty cell with the fewest fitting values.
#pragma once

#include <vector>

namespace oracle {

struct Shape {
    int w, h;
    int N() const { return w * h; }
};

// Row-major flat grid helpers.
inline bool Fits(const std::vector<int>& g, Shape s, int cell, int v) {
    const int n = s.N(), r = cell / n, k = cell % n;
    for (int i = 0; i < n; ++i) {
        if (i != k && g[r * n + i] == v) return false;
        if (i != r && g[i * n + k] == v) return false;
        const int br = (r / s.h) * s.h + i / s.w, bk = (k / s.w) * s.w + i % s.w;
        if ((br != r || bk != k) && g[br * n + bk] == v) return false;
    }
    return true;
}

// True when every filled cell agrees with the rules (no value repeated in a house, all in 1..N).
inline bool Consistent(const std::vector<int>& g, Shape s) {
    for (int c = 0; c < s.N() * s.N(); ++c) {
        if (g[c] < 0 || g[c] > s.N()) return false;
        if (g[c] && !Fits(g, s, c, g[c])) return false;
    }
    return true;
}

inline bool CompleteAndValid(const std::vector<int>& g, Shape s) {
    for (int v : g)
        if (v < 1 || v > s.N()) return false;
    return Consistent(g, s);
}

namespace detail {
inline void Count(std::vector<int>& g, Shape s, int cap, int& found, std::vector<std::vector<int>>* all) {
    const int n = s.N();
    int best = -1, bestCount = n + 1;
    for (int c = 0; c < n * n && bestCount > 1; ++c) {
        if (g[c]) continue;
        int count = 0;
        for (int v = 1; v <= n; ++v) count += Fits(g, s, c, v);
        if (count < bestCount) bestCount = count, best = c;
    }
    if (best < 0) {
        ++found;
        if (all) all->push_back(g);
        return;
    }
    for (int v = 1; v <= n && found < cap; ++v) {
        if (!Fits(g, s, best, v)) continue;
        g[best] = v;
        Count(g, s, cap, found, all);
        g[best] = 0;
    }
}
}  // namespace detail

// Number of solutions up to `cap`; 0 for a grid whose givens already clash.
inline int CountSolutions(std::vector<int> g, Shape s, int cap,
                          std::vector<std::vector<int>>* all = nullptr) {
    if (!Consistent(g, s)) return 0;
    int found = 0;
    detail::Count(g, s, cap, found, all);
    return found;
}

// Column-major engine bytes to a row-major flat grid and back.
inline std::vector<int> FromBytes(const signed char* bytes, int n) {
    std::vector<int> g(n * n);
    for (int k = 0; k < n; ++k)
        for (int r = 0; r < n; ++r) g[r * n + k] = bytes[k * n + r];
    return g;
}

inline std::vector<signed char> ToBytes(const std::vector<int>& g, int n) {
    std::vector<signed char> bytes(256, 0);
    for (int k = 0; k < n; ++k)
        for (int r = 0; r < n; ++r) bytes[k * n + r] = static_cast<signed char>(g[r * n + k]);
    return bytes;
}

inline Shape ShapeOf(int n) {
    switch (n) {
        case 4:
            return {2, 2};
        case 6:
            return {3, 2};
        case 9:
            return {3, 3};
        case 12:
            return {4, 3};
        default:
            return {4, 4};
    }
}

}  // namespace oracle
