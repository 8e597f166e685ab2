// The engine's board: an N x N Sudoku grid (N = 4, 6, 9, 12 or 16), its cells and houses, the
// solving loop with its fourteen logical techniques and trial and error, and the generator's
// entry points.
//
// Cell state is kept in flat arrays indexed by board cell order (row * N + column, the order in
// which the board creates its cells):
//
//   value_[c]        0 or 1..N
//   eliminated_[c]   ValueSet, values recorded as impossible (filled cells may gain values too)
//   candidates_[c]   ValueSet, cache written only by SudokuCell::GetCandidates
//
// and every house (rows 0..N-1, columns N..2N-1, blocks 2N..3N-1) keeps a count per value and a
// mask of the values it holds, updated on every placement, so a candidate refresh is three ORs.
//
// Which technique makes progress decides a puzzle's grade, so each technique keeps the exact
// loop orders, cache refresh points and progress rule of the solver's design, including that a
// new insertion into a filled cell's eliminated set counts as progress.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "SudokuCell.h"
#include "SudokuCellSet.h"
#include "ValueSet.h"

// N rows of N values, indexed [row][column]; 0 means an empty cell.
using Grid = std::vector<std::vector<int>>;

// Technique ids; the `enabled` and `used` maps of a board are indexed by them.
using TechniqueId = int;
enum Technique : TechniqueId {
    kNakedSingle = 0,
    kHiddenSingle = 1,
    kBlockLineRestriction = 2,
    kBlockBlockRestriction = 3,
    kNakedSubset = 4,
    kHiddenSubset = 5,
    kXWing = 6,
    kSwordfish = 7,
    kXYWing = 8,
    kXYZWing = 9,
    kColoring = 10,
    kXYChain = 11,
    kRemoteChains = 12,
    kForcedChain = 13,
    kTrialAndError = 14,
};
inline constexpr int kTechniqueCount = 15;
using TechniqueFlags = std::array<bool, kTechniqueCount>;

inline constexpr int kMaxBoardSize = 16;

// Milliseconds from any fixed origin.
using SearchClock = std::function<std::int64_t()>;

// The bound of one chain search: a step budget and, while a clock is set, a deadline that the
// search reads every 1024 steps (reading a clock at every step would cost more than the step).
struct ChainBound {
    std::uint64_t budget;
    const SearchClock* clock;
    std::int64_t deadline;
    std::uint64_t steps = 0;

    // Counts one step; false when the search must stop.
    bool Step() {
        if (++steps > budget) return false;
        return (steps & 1023) != 0 || !clock || !*clock || (*clock)() < deadline;
    }
};

class SudokuBoard {
  public:
    // Builds an empty board of the given size (4, 6, 9, 12 or 16; any other size gives 9).
    explicit SudokuBoard(int size = 9);
    virtual ~SudokuBoard();
    SudokuBoard(const SudokuBoard&) = delete;
    SudokuBoard& operator=(const SudokuBoard&) = delete;

    // ---- Grid access -------------------------------------------------------------------------
    Grid GetValues() const;
    // Loads g when it has N rows of N values in 0..N each: clears every eliminated set and sets
    // every value. Otherwise changes nothing and returns false. Leaves the candidate caches,
    // unsolvedCount, the log and the technique maps alone.
    bool SetValues(const Grid& g);
    int Value(int row, int column) const { return value_[row * size + column]; }
    // Places v (0 empties) at (row, column); false when v is outside 0..N.
    bool SetValue(int row, int column, int v);
    SudokuCell* Cell(int row, int column) const { return cells_[row * size + column].get(); }
    SudokuCell* CellAt(int index) const { return cells_[index].get(); }
    int CellCount() const { return size * size; }

    // ---- Solving -----------------------------------------------------------------------------
    // Sets `used` of ids 0..13 to false; id 14 keeps its entry.
    void ResetUsedTechniques();
    // Runs the pass ladder until no empty cell is left or a pass makes no progress. A technique
    // runs when its `enabled` entry is true or useAllTechniques is true. The caller sets
    // unsolvedCount first: no pass runs while it is 0 or less.
    void Solve(bool useAllTechniques = false);
    // Guesses on the first empty cell, candidates ascending, with full undo; true when a guess
    // led to a complete valid board.
    bool TrialAndError();

    // The techniques, each true when it made progress.
    bool FindNakedSingle(SudokuCell* cell);
    bool FindHiddenSingle(SudokuCell* cell);
    bool FindBlockLineRestriction(SudokuBlock* block);
    bool FindBlockBlockRestriction(SudokuBlock* a, SudokuBlock* b);
    bool FindNakedSubset(SudokuCellSet* house);
    bool FindHiddenSubset(SudokuCellSet* house);
    bool FindXWing();
    bool FindSwordfish();
    bool FindXYWing();
    bool FindXYZWing();
    bool FindColorRestriction();
    bool FindXYChain();
    bool FindRemoteChains();
    bool FindForcedChain();

    // ---- Generation (defined with the generator) ---------------------------------------------
    void Generate(int level);
    bool FillRandom(int index, Grid& g);
    void GenerateWithTechniques(const TechniqueFlags& allowed, const TechniqueFlags& required);

    // ---- Diagnostics -------------------------------------------------------------------------
    // Collects at most `cap` solutions of the current values into `solutions`; returns how many.
    int FindAllSolutions(unsigned cap);
    // True when every house sums to houseSum. Checks sums only: not a validity test.
    bool IsSolved() const;
    // True when no nonzero value occurs twice in a row, column or block.
    bool IsValid() const { return conflicts_ == 0; }
    bool MatchesGrid(const Grid& a, const Grid& b) const;
    void Print(std::ostream& out) const;
    // Reads N followed by N x N values (row order) from the text file at path. Refuses (false, no
    // change) a missing file, a size other than this board's, a short file or a value outside
    // 0..N; on success sets unsolvedCount to the number of zeros read.
    bool LoadFromFile(const std::string& path);
    // Number of guesses now open (trial-and-error snapshots on the undo stack).
    int TrialDepth() const { return static_cast<int>(savedUnsolved_.size()); }

    // ---- State -------------------------------------------------------------------------------
    int houseSum;
    int size;
    int unsolvedCount = 0;
    Grid solution;
    Grid puzzle;
    std::vector<Grid> solutions;
    std::vector<std::unique_ptr<SudokuBlock>> blocks;
    std::vector<std::unique_ptr<SudokuChain>> rows;
    std::vector<std::unique_ptr<SudokuChain>> columns;
    TechniqueFlags enabled;
    TechniqueFlags used;
    // One line per deduction or trial step, each ending in "\n", from construction on. Nothing in
    // the engine reads it, so a caller that solves only to judge a puzzle (the generator's grading)
    // switches `logging` off, and then no line is formatted at all.
    std::vector<std::string> log;
    bool logging = true;

    // Steps (chain extensions) one call of the XY-chain, remote-chain or forced-chain search may
    // take; when spent, that call reports no progress. No limit unless set.
    std::uint64_t chainStepBudget = std::numeric_limits<std::uint64_t>::max();
    // How often a chain search ran out of its budget or its time on this board.
    std::uint64_t chainBudgetHits = 0;
    // Bounds the chain searches in time: a search still running at `deadline` by `clock` stops and
    // reports no progress, as with a spent step budget. An empty clock lifts the bound.
    void SetSearchDeadline(SearchClock clock, std::int64_t deadline) {
        searchClock_ = std::move(clock);
        searchDeadline_ = deadline;
    }
    ChainBound NewChainBound() const { return {chainStepBudget, &searchClock_, searchDeadline_}; }

  private:
    friend class SudokuCell;

    // Cell state changes; all keep the house tables in step.
    void PlaceValue(int cell, int v);
    void RebuildHouseTables();
    ValueSet PeerValues(int cell) const;
    ValueSet RefreshCandidates(int cell);
    // Inserts v into cell's eliminated set; when new, logs "<text>rXcY for val v" and returns true.
    bool Eliminate(int cell, int v, const char* text);
    void LogCell(const char* text, int cell);
    void LogCellValue(const char* text, int cell, int v);
    void LogLine(const std::string& line);

    bool Sees(int a, int b) const {
        return blockOf_[a] == blockOf_[b] || rowOf_[a] == rowOf_[b] || colOf_[a] == colOf_[b];
    }
    // Trial-and-error snapshots, pushed and popped together.
    void PushSnapshot();
    void RestoreSnapshot();
    void DropSnapshot();

    int rowsPerBlock_;
    int colsPerBlock_;
    ValueSet full_;
    std::vector<std::unique_ptr<SudokuCell>> cells_;
    std::vector<std::uint8_t> rowOf_;
    std::vector<std::uint8_t> colOf_;
    std::vector<std::uint8_t> blockOf_;

    std::vector<std::uint8_t> value_;
    std::vector<ValueSet> eliminated_;
    std::vector<ValueSet> candidates_;
    // Per house: how many cells hold each value, and the set of values held.
    std::vector<std::array<std::uint8_t, kMaxBoardSize + 1>> houseCount_;
    std::vector<ValueSet> houseMask_;
    // Number of (house, value) pairs held by two or more cells.
    int conflicts_ = 0;

    std::vector<std::uint8_t> savedValues_;
    std::vector<ValueSet> savedEliminated_;
    std::vector<int> savedUnsolved_;

    SearchClock searchClock_;
    std::int64_t searchDeadline_ = 0;
};
