// The entry points. Each checks everything they are given and everything they hand back: the
// game passes player-typed grids straight through, and a 0 result must mean "nothing usable".
//
// Generation runs in time slices so that the game's loop can pump window events between calls;
// the engine's generator keeps its random state, so each slice goes on with fresh attempts.
// Solving goes through the complete exact-cover search, which always decides; of several solutions
// it returns the one that guessing on the first empty cell with the smallest value first reaches,
// when a bounded search can tell which one that is.
// A long search calls the caller's pump every slice, so the window keeps answering meanwhile, and
// the pump can abandon it.
#include "SudokuEngine.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "Generator.h"
#include "SolutionCounter.h"
#include "SudokuBoard.h"

namespace {

constexpr int kDefaultSliceMs = 50;

// Branches spent on finding, of several solutions, the first in reading order (some tens of
// milliseconds at most). A sparse grid can make proving that a smaller value leads nowhere far
// dearer than solving; the solver then keeps the solution it has that comes first in that order.
constexpr long kInOrderNodeBudget = 20000;

struct SliceSettings {
    SudokuGenerator::Clock clock;
    int sliceMs = kDefaultSliceMs;
    int (*solvePump)() = nullptr;
};

SliceSettings& Slices() {
    static SliceSettings settings;
    return settings;
}

// Block width and height for the game's sizes; false for any other size.
bool BlockShape(int size, int& w, int& h) {
    struct Shape {
        int size, w, h;
    };
    constexpr Shape kShapes[] = {{4, 2, 2}, {6, 3, 2}, {9, 3, 3}, {12, 4, 3}, {16, 4, 4}};
    for (const Shape& shape : kShapes) {
        if (shape.size != size) continue;
        w = shape.w;
        h = shape.h;
        return true;
    }
    return false;
}

// Engine bytes are column-major (column k, row r at k * N + r); flat grids are row-major.
std::vector<int> FromBytes(const signed char* bytes, int n) {
    std::vector<int> flat(n * n);
    for (int k = 0; k < n; ++k)
        for (int r = 0; r < n; ++r) flat[r * n + k] = bytes[k * n + r];
    return flat;
}

void ToBytes(const std::vector<int>& flat, int n, signed char* bytes) {
    for (int k = 0; k < n; ++k)
        for (int r = 0; r < n; ++r) bytes[k * n + r] = static_cast<signed char>(flat[r * n + k]);
}

Grid ToGrid(const std::vector<int>& flat, int n) {
    Grid grid(n, std::vector<int>(n));
    for (int cell = 0; cell < n * n; ++cell) grid[cell / n][cell % n] = flat[cell];
    return grid;
}

std::vector<int> Flatten(const Grid& g) {
    std::vector<int> flat;
    for (const auto& row : g) flat.insert(flat.end(), row.begin(), row.end());
    return flat;
}

// Every value in 0..N and no nonzero value twice in a row, column or block.
bool Consistent(const std::vector<int>& flat, int w, int h) {
    const int n = w * h;
    std::vector<unsigned> rows(n), columns(n), blocks(n);
    for (int cell = 0; cell < n * n; ++cell) {
        const int v = flat[cell];
        if (v < 0 || v > n) return false;
        if (v == 0) continue;
        const int r = cell / n, k = cell % n, b = (r / h) * h + k / w;
        const unsigned bit = 1u << v;
        if ((rows[r] | columns[k] | blocks[b]) & bit) return false;
        rows[r] |= bit;
        columns[k] |= bit;
        blocks[b] |= bit;
    }
    return true;
}

// A complete valid grid that keeps every given of `givens`.
bool SolvesGivens(const std::vector<int>& solved, const std::vector<int>& givens, int w, int h) {
    if (!Consistent(solved, w, h)) return false;
    for (std::size_t cell = 0; cell < solved.size(); ++cell) {
        if (solved[cell] == 0) return false;
        if (givens[cell] != 0 && givens[cell] != solved[cell]) return false;
    }
    return true;
}

// For a grid without solution: the givens plus what the logical techniques place before they
// stall, which is also where guessing would leave the board after undoing every guess. The chain
// searches get the time a grading solve gets: this is a grading solve, which writes no log.
std::vector<int> LogicalStall(const std::vector<int>& flat, int n, const SudokuGenerator::Clock& now) {
    SudokuBoard board(n);
    const int empty = static_cast<int>(std::count(flat.begin(), flat.end(), 0));
    SudokuGenerator::GradingSolve(board, ToGrid(flat, n), empty + 1, now,
                                  now() + SudokuGenerator::kGradingSearchMs);
    return Flatten(board.GetValues());
}

}  // namespace

void SetGeneratePuzzleTestHooks(std::uint64_t seed, SudokuGenerator::Clock clock, int sliceMs) {
    EngineGenerator().Seed(seed);
    Slices().clock = std::move(clock);
    Slices().sliceMs = sliceMs;
}

namespace {

SudokuGenerator::Clock SliceClock() {
    const SudokuGenerator::Clock& clock = Slices().clock;
    return clock ? clock : SudokuGenerator::Clock(SudokuGenerator::SteadyMilliseconds);
}

// A long search calls the pump set by SetSolvePuzzlePump every slice and stops when it asks to.
void PumpDuring(SolutionCounter& counter) {
    int (*pump)() = Slices().solvePump;
    if (!pump) return;
    const SudokuGenerator::Clock now = SliceClock();
    const int sliceMs = Slices().sliceMs;
    counter.SetTick([pump, now, sliceMs, last = now()]() mutable {
        if (now() - last < sliceMs) return true;
        if (pump() != 0) return false;
        last = now();
        return true;
    });
}

}  // namespace

extern "C" void SetSolvePuzzlePump(int (*pump)(void)) {
    Slices().solvePump = pump;
}

extern "C" int GeneratePuzzle(int size, int level, signed char* puzzle, signed char* solution) {
    int w = 0, h = 0;
    if (!BlockShape(size, w, h) || SudokuGenerator::HoleCount(size, level) < 0 || !puzzle || !solution)
        return 0;
    const SudokuGenerator::Clock now = SliceClock();
    SudokuBoard board(size);
    board.unsolvedCount = 0;
    board.enabled[kTrialAndError] = false;
    if (!EngineGenerator().Generate(board, level, now, now() + Slices().sliceMs)) return 0;
    // The puzzle has exactly one solution, the grid it was dug from; check before writing anything.
    const std::vector<int> given = Flatten(board.GetValues());
    const std::vector<int> solved = Flatten(board.solution);
    if (!SolvesGivens(solved, given, w, h)) return 0;
    ToBytes(given, size, puzzle);
    ToBytes(solved, size, solution);
    return 1;
}

extern "C" int SolvePuzzle(int size, const signed char* cells, signed char* out) {
    int w = 0, h = 0;
    if (!BlockShape(size, w, h) || !cells || !out) return 0;
    const std::vector<int> givens = FromBytes(cells, size);
    if (!Consistent(givens, w, h)) {
        for (int i = 0; i < size * size; ++i) out[i] = cells[i];
        return 0;
    }
    SolutionCounter counter;
    PumpDuring(counter);
    const int count = counter.Count(givens.data(), w, h, 2);
    if (counter.Abandoned()) return -1;
    if (count > 0) {
        std::vector<int> solved(counter.LastSolution().begin(), counter.LastSolution().begin() + size * size);
        if (count > 1) counter.FirstInOrder(givens.data(), w, h, kInOrderNodeBudget, solved.data());
        if (counter.Abandoned()) return -1;
        if (SolvesGivens(solved, givens, w, h)) {
            ToBytes(solved, size, out);
            return 1;
        }
    }
    // No solution: the givens plus what the logical techniques place before they stall.
    ToBytes(LogicalStall(givens, size, SliceClock()), size, out);
    return 0;
}

extern "C" int GradePuzzle(int size, const signed char* cells) {
    int w = 0, h = 0;
    if (!BlockShape(size, w, h) || !cells) return -1;
    const std::vector<int> givens = FromBytes(cells, size);
    if (!Consistent(givens, w, h) || std::count(givens.begin(), givens.end(), 0) == 0) return -1;
    SolutionCounter counter;
    PumpDuring(counter);
    if (counter.Count(givens.data(), w, h, 2) != 1 || counter.Abandoned()) return -1;
    SudokuBoard board(size);
    return SudokuGenerator::Grade(board, ToGrid(givens, size));
}
