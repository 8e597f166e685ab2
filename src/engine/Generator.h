// The puzzle generator and its grading: a random complete grid, holes dug one at a time while the
// grid keeps exactly one solution, a logical solve without guessing, and the acceptance table that
// matches the techniques the solve needed to the level.
//
// All generator state (the random generator, the shuffled digit list of the fill, the block shape,
// the solution counter and the work counters) lives in one `SudokuGenerator` object. The engine
// keeps one for the whole process (`EngineGenerator`), so its random state carries over from one
// call to the next: a generation cut into time slices continues with fresh attempts, and two
// calls in the same second do not repeat a puzzle.
//
// Two things keep generation from hanging: the fill gives up after a budget of calls and starts
// again (the plain backtracking fill has a heavy tail on 16 x 16), and an attempt whose remaining
// givens have all failed to come out is dropped instead of drawing cells forever.
//
// A grading solve's chain searches may take up to kGradingSearchMs. Within a time slice they stop
// at the slice's end instead; the attempt is then kept and graded afresh at the start of the next
// call, with the whole bound (the grading is a pure function of the puzzle, so nothing but time is
// lost), and its grade is the one an uninterrupted solve gives.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "SolutionCounter.h"
#include "SudokuBoard.h"

// What the generator did since the counters were last cleared (read by the benchmark).
struct GeneratorStats {
    std::uint64_t attempts = 0;  // complete grids dug and judged
    std::uint64_t accepted = 0;
    std::uint64_t prefilterRejects = 0;  // judged by the singles pre-filter alone
    std::uint64_t digDeadEnds = 0;       // every given left had failed to come out
    std::uint64_t gradingSolves = 0;
    std::uint64_t fillRestarts = 0;     // fills abandoned at the call budget
    std::uint64_t counts = 0;           // solution counts made while digging
    std::uint64_t chainBudgetHits = 0;  // chain searches of grading solves stopped at their time bound
    std::uint64_t attemptsCut = 0;      // digs abandoned because their time slice was over
    std::uint64_t gradingsResumed = 0;  // grading solves stopped at the slice's end, redone in the next
};

class SudokuGenerator {
  public:
    // Milliseconds from any fixed origin.
    using Clock = SearchClock;

    // How long the chain searches of one grading solve may run in all.
    static constexpr std::int64_t kGradingSearchMs = 250;
    // The clock used when none is given: the steady clock in milliseconds.
    static std::int64_t SteadyMilliseconds();

    explicit SudokuGenerator(std::uint64_t seed);
    // Restarts the random sequence; the same seed gives the same puzzles.
    void Seed(std::uint64_t seed);
    // A seed that differs from run to run.
    static std::uint64_t FreshSeed();

    // Holes a puzzle of this size and level gets; -1 for a size or level outside the game's.
    static int HoleCount(int size, int level);
    // The acceptance table, applied to a board right after its grading solve.
    static bool Accepts(int level, const SudokuBoard& graded);
    // The grading solve of `puzzle` with `holes` open cells on `board`: logic without guessing, the
    // chain searches stopping at `deadline` on `clock`, no log written (it only judges the puzzle).
    // The `enabled` entry of trial and error and the logging switch are restored.
    static void GradingSolve(SudokuBoard& board, const Grid& puzzle, int holes, const Clock& clock,
                             std::int64_t deadline);
    // The level a puzzle with one solution earns as the generator grades its own: a logical solve
    // without guessing on `board`, then the hardest level whose hole count the puzzle reaches and whose
    // acceptance the solve meets (the lowest level when it reaches no hole count; the hardest when
    // logic alone cannot finish it). The board's values and technique maps are left from the solve,
    // which writes nothing to its log.
    static int Grade(SudokuBoard& board, const Grid& puzzle);
    // True when naked singles and hidden singles within blocks, and nothing else, complete the
    // puzzle: the grading solve would then never leave the singles.
    static bool SinglesComplete(const Grid& puzzle, int w, int h);

    // Fills the cells from `index` (row-major) to the end of g, which must be empty from there on,
    // with blocks w wide and h high. False at a dead end or when the call budget is spent.
    bool FillRandom(int index, Grid& g, int w, int h);
    // A random complete grid, restarting the fill until it completes.
    Grid FillComplete(int size, int w, int h);
    // A new complete grid for an attempt: a fresh fill now and then, in between the last fill
    // with its values relabelled, its bands, stacks, rows within bands and columns within stacks
    // shuffled, which keeps it valid and is just as random a start for the dig, at a fraction of
    // the cost of a 16 x 16 fill. `Generate` asks for a fresh fill first in every call, so two
    // puzzles never share a grid.
    Grid NewCompleteGrid(int size, int w, int h);
    // Digs `holes` holes into `solution`, keeping each only while exactly one solution remains.
    // False when every cell left had already failed before enough holes were made, or when
    // `overdue` (asked between holes) says the time for the dig is over.
    bool Dig(const Grid& solution, int holes, int w, int h, Grid& puzzle,
             const std::function<bool()>& overdue = {});

    // Generates a puzzle of the board's size for level 0..4 into the board (its values and
    // `puzzle` hold the puzzle, `solution` the complete grid, `unsolvedCount` the holes, and its
    // log is empty). Makes attempts until one is accepted or, once at least one attempt was made,
    // `now` has reached `deadline` (a later dig or grading in progress then is abandoned; an
    // abandoned grading is redone first by the next call for the same size and level); then
    // returns false with the board's values undefined. Without a clock it runs until a puzzle is
    // accepted. The `enabled` entry of trial and error and the logging switch are restored; the
    // grading solves write no log.
    bool Generate(SudokuBoard& board, int level, const Clock& now = {}, std::int64_t deadline = 0);

    // Generates a puzzle whose logical solve with the `allowed` techniques completes, uses every
    // `required` technique and needs each of them (switching one off leaves a hole). Gives up
    // after `maxAttempts` attempts (false, board values, `enabled` and `used` as before).
    bool GenerateWithTechniques(SudokuBoard& board, const TechniqueFlags& allowed,
                                const TechniqueFlags& required, long maxAttempts);

    GeneratorStats stats;

  private:
    // An attempt whose grading solve the end of a slice cut short.
    struct PendingGrading {
        int size = 0;
        int level = -1;
        Grid solution;
        Grid puzzle;
    };
    enum class Grading { kRejected, kAccepted, kCut };
    // The grading solve of one dug puzzle, its chain searches bounded by `searchDeadline` on `clock`;
    // kCut when they stopped there before kGradingSearchMs had passed since `start`.
    Grading Grade(SudokuBoard& board, int level, const Grid& puzzle, int holes, const Clock& clock,
                  std::int64_t start, std::int64_t searchDeadline);

    bool Fill(int index, Grid& g);
    int Draw(int bound) { return static_cast<int>(rng_() % static_cast<unsigned>(bound)); }

    std::mt19937_64 rng_;
    std::vector<int> fillDigits_;
    int fillColsPerBlock_ = 0;
    int fillRowsPerBlock_ = 0;
    long fillCalls_ = 0;
    long fillBudget_ = 0;
    SolutionCounter counter_;
    Grid lastFill_;
    int attemptsSinceFill_ = 0;
    std::vector<int> flat_;
    std::vector<int> diggable_;
    PendingGrading pending_;
};

// The engine's one generator, seeded afresh at first use; every generation goes through it.
SudokuGenerator& EngineGenerator();

// For tests and measurements only: reseeds the engine's generator and sets the clock and the
// slice length that GeneratePuzzle uses (an empty clock restores the steady clock).
void SetGeneratePuzzleTestHooks(std::uint64_t seed, SudokuGenerator::Clock clock, int sliceMs);
