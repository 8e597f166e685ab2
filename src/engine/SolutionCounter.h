// Exact-cover solution counter and solver: how many solutions a partly filled grid has, stopped at a
// cap, and the first solution in reading order. Used by the generator once per dug hole and by the
// entry points to solve typed-in grids.
//
// The grid's exact-cover matrix (one constraint per cell, per row-value, per column-value and per
// block-value) is held as bit masks of the candidates still open in each cell, in fixed-size arrays,
// and the search copies that small state on its own stack; the unit and peer tables are built once
// per block shape and shared. The givens are placed before anything else (a given that clashes with
// another ends the count at 0); afterwards every constraint left with a single way to be met is met
// at once (a cell with one candidate, a row, column or block with one place for a value), locked
// candidates are struck (a block's places for a value all on one line, or a line's all in one block),
// and each unit's open cells are matched one to one with values they can take (at the start and for
// the first guesses), which finds a set of cells short of values before any guess. The search then
// branches on the constraint with the fewest ways left, cell or unit-value alike. The search is
// complete: without a branch budget it always decides. The count is a pure function of the grid;
// the order in which solutions are found is not part of the contract.
//
// Flat grids are row-major (index = row * N + column), 0 for an empty cell and 1..N for a value; a
// value outside 1..N counts as empty. N is the block width w times the block height h.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The engine's value grid: N rows of N values, [row][column], 0 for an empty cell.
using Grid = std::vector<std::vector<int>>;

class SolutionCounter {
  public:
    static constexpr int kMaxSize = 16;
    static constexpr int kMaxCells = kMaxSize * kMaxSize;

    // Counts the solutions of `flat` (N * N values) up to `limit`. When `out` is given, every
    // solution found is appended to it as a Grid. Returns the number found, at most `limit`.
    // A positive `nodeBudget` bounds the branches taken; OutOfBudget then tells whether the
    // count was cut short.
    int Count(const int* flat, int w, int h, unsigned limit, std::vector<Grid>* out = nullptr,
              long nodeBudget = 0);
    bool OutOfBudget() const { return outOfBudget_; }

    // Finds the first solution in row-major order of cells and ascending order of values (the one
    // a guess-the-first-empty-cell search returns). A positive `nodeBudget` bounds the branches.
    // Returns 1 and writes the N * N values to `solved` when found, 0 when the grid has no solution,
    // -1 when the budget ran out first; `solved` then holds the solution found so far that comes
    // first in that order, or is left alone when none was found yet.
    int FirstInOrder(const int* flat, int w, int h, long nodeBudget, int* solved);

    // Called every few hundred branches while a search runs (a long search can then keep a window
    // answering); empty for none. A false result abandons the search: it ends at once, and Count
    // and FirstInOrder report what they had found (FirstInOrder -1, as for a spent budget).
    void SetTick(std::function<bool()> tick) { tick_ = std::move(tick); }
    // Whether the last search was abandoned through the tick.
    bool Abandoned() const { return abandoned_; }

    // Values of the last solution found by Count or FirstInOrder, row-major.
    const std::array<int, kMaxCells>& LastSolution() const { return lastSolution_; }

    // Branches taken by the last search (for measurements).
    long Nodes() const { return nodes_; }

    struct Tables;

  private:
    // One search state. Bit d of cand[c] is set while value d + 1 may still go into cell c:
    //
    //   bit:   15 14 ... 2  1  0
    //   value: 16 15 ... 3  2  1
    //
    // A filled cell keeps exactly its own bit and is absent from `open`; `placed` holds the values
    // each unit (rows, then columns, then blocks) has been given.
    struct State {
        std::array<std::uint16_t, kMaxCells> cand;
        std::array<std::uint64_t, kMaxCells / 64> open;
        std::array<std::uint16_t, 3 * kMaxSize> placed;
    };

    bool Start(int w, int h, long nodeBudget);
    bool Load(const int* flat, State& s);
    bool Assign(State& s, int cell, int digit);
    // Takes `digits` from the cell's candidates, queueing it when one is left; false when none is.
    bool Strike(State& s, int cell, unsigned digits);
    bool Propagate(State& s);
    // One round of locked candidates (a block's places for a value all on one line, or a line's
    // all in one block); false on a cell left without candidates.
    bool Locked(State& s);
    // Whether the unit's open cells can each take a different one of their candidates.
    bool Matched(const State& s, int unit);
    // Searches below s until `limit_` solutions are found or the budget is spent.
    void Search(const State& s);
    // Tries one value in one cell below s; false when the search should stop.
    bool Branch(const State& s, int cell, int digit);
    void Record(const State& s);
    bool Stopped() const { return found_ >= limit_ || outOfBudget_ || abandoned_; }
    // Drops the propagation work still queued (cells to assign, units to check or match).
    void ClearPending() {
        queued_ = 0;
        dirty_ = 0;
        unmatched_ = 0;
    }

    const Tables* t_ = nullptr;
    std::uint16_t full_ = 0;
    std::uint64_t dirty_ = 0;      // units whose candidates changed since their last hidden-single check
    std::uint64_t unmatched_ = 0;  // units whose candidates changed since their last matching
    // Per unit and member: the value it was last matched to, -1 for none.
    std::array<std::array<std::int8_t, kMaxSize>, 3 * kMaxSize> matchHint_{};
    std::array<std::uint8_t, kMaxCells> queue_{};
    int queued_ = 0;

    unsigned limit_ = 0;
    unsigned found_ = 0;
    long nodes_ = 0;
    int depth_ = 0;  // guesses open on the way to the state being propagated
    long nodeBudget_ = 0;
    bool outOfBudget_ = false;
    bool abandoned_ = false;
    std::vector<Grid>* out_ = nullptr;
    std::function<bool()> tick_;
    std::array<int, kMaxCells> lastSolution_{};
};

// The number of solutions of a flat grid, counted up to 2: 0, 1 or 2.
int CountSolutions(const std::vector<int>& grid, int w, int h);

// Every solution of a flat grid, up to `limit` of them, replacing the content of `out`; returns how
// many were found.
int CollectAllSolutions(const std::vector<int>& grid, std::vector<Grid>& out, int w, int h,
                        unsigned limit = 1000);
