// Small sets of cell values as bit masks: N is at most 16, so one 32-bit word holds any set of
// values, and the techniques compare, intersect and count candidates with single instructions.
//
//   bit:   31 ........ 17 16 15 ... 2  1  0
//          [  unused   ][v=16]  ... [2][1][-]     bit v set  <=>  value v in the set
//
// Bit 0 is never set (0 means "empty cell"). The same word type holds sets of positions within
// a house (bit p = the p-th cell of the house, p from 0), where bit 0 is used.
#pragma once

#include <bit>
#include <cstdint>

using ValueSet = std::uint32_t;

inline constexpr ValueSet ValueBit(int v) {
    return ValueSet{1} << v;
}

// Values 1..n.
inline constexpr ValueSet FullValueSet(int n) {
    return ((ValueSet{1} << (n + 1)) - 1) & ~ValueSet{1};
}

inline constexpr bool HasValue(ValueSet s, int v) {
    return (s >> v) & 1u;
}

inline constexpr int ValueCount(ValueSet s) {
    return std::popcount(s);
}

// Smallest member; the set must not be empty.
inline constexpr int LowestValue(ValueSet s) {
    return std::countr_zero(s);
}
