// Puzzle generator and grading; also the board's generation operations, which use the engine's
// one generator object.
#include "Generator.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <utility>

namespace {

// Calls per cell that one fill may make before it starts again (10 240 on 16 x 16): most fills
// finish well within it, and the rare ones that would wander for seconds or minutes are cut off.
constexpr long kFillCallsPerCell = 40;

// Attempts between two fresh fills; the others start from a shuffled copy of the last fill.
constexpr int kAttemptsPerFill = 16;

// Attempts on one complete grid before `GenerateWithTechniques` fills a new one.
constexpr int kAttemptsPerGrid = 250;

std::uint16_t Bit(int v) {
    return static_cast<std::uint16_t>(1u << v);
}

Grid EmptyGrid(int n) {
    return Grid(n, std::vector<int>(n, 0));
}

// A solve of `puzzle` on `board` that only judges it, the chain searches stopping at `deadline` on
// `clock`. Nobody reads the log of such a solve, so it writes none (formatting a line costs more
// than most deductions); the board's logging switch is restored.
void JudgingSolve(SudokuBoard& board, const Grid& puzzle, int holes, const SearchClock& clock,
                  std::int64_t deadline) {
    const bool logging = board.logging;
    board.logging = false;
    board.SetValues(puzzle);
    board.unsolvedCount = holes;
    board.SetSearchDeadline(clock, deadline);
    board.Solve(false);
    board.SetSearchDeadline({}, 0);
    board.logging = logging;
}

}  // namespace

SudokuGenerator::SudokuGenerator(std::uint64_t seed) : rng_(seed) {}

std::int64_t SudokuGenerator::SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SudokuGenerator::Seed(std::uint64_t seed) {
    rng_.seed(seed);
    fillDigits_.clear();
    lastFill_.clear();
    attemptsSinceFill_ = 0;
}

std::uint64_t SudokuGenerator::FreshSeed() {
    std::random_device device;
    const auto time = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ time;
}

int SudokuGenerator::HoleCount(int size, int level) {
    if (level < 0 || level > 4) return -1;
    if (size != 4 && size != 6 && size != 9 && size != 12 && size != 16) return -1;
    const int extra[5] = {size / 4, size / 3, size / 2, 2 * size / 3, 3 * size / 4};
    const int holes = size * size / 2 + extra[level];
    return size == 4 ? holes / 2 : holes;
}

bool SudokuGenerator::Accepts(int level, const SudokuBoard& graded) {
    if (graded.unsolvedCount != 0) return false;
    if (graded.size == 4 || level <= 1) return true;
    const auto& used = graded.used;
    const bool blockOrSubset = used[kBlockLineRestriction] || used[kBlockBlockRestriction] ||
                               used[kNakedSubset] || used[kHiddenSubset];
    bool advanced = false;
    for (int id = kXWing; id <= kForcedChain; ++id) advanced = advanced || used[id];
    if (level == 2) return blockOrSubset;
    if (level == 3 && graded.size == 16) return blockOrSubset && advanced;
    return advanced;
}

void SudokuGenerator::GradingSolve(SudokuBoard& board, const Grid& puzzle, int holes, const Clock& clock,
                                   std::int64_t deadline) {
    const bool trialAndError = board.enabled[kTrialAndError];
    board.enabled[kTrialAndError] = false;
    JudgingSolve(board, puzzle, holes, clock, deadline);
    board.enabled[kTrialAndError] = trialAndError;
}

int SudokuGenerator::Grade(SudokuBoard& board, const Grid& puzzle) {
    int holes = 0;
    for (const auto& row : puzzle) holes += static_cast<int>(std::count(row.begin(), row.end(), 0));
    board.ResetUsedTechniques();
    // The chain searches get the time the generator's own grading gives them.
    GradingSolve(board, puzzle, holes, SteadyMilliseconds, SteadyMilliseconds() + kGradingSearchMs);
    if (board.unsolvedCount != 0) return 4;
    for (int level = 4; level > 0; --level)
        if (holes >= HoleCount(board.size, level) && Accepts(level, board)) return level;
    return 0;
}

bool SudokuGenerator::SinglesComplete(const Grid& puzzle, int w, int h) {
    const int n = w * h;
    const auto full = static_cast<std::uint16_t>((1u << n) - 1u);
    std::uint16_t rowMask[SolutionCounter::kMaxSize] = {}, colMask[SolutionCounter::kMaxSize] = {},
                  blockMask[SolutionCounter::kMaxSize] = {};
    int empty = 0;
    const auto blockOf = [&](int r, int k) { return (r / h) * h + k / w; };
    const auto place = [&](int r, int k, int v) {
        rowMask[r] |= Bit(v - 1);
        colMask[k] |= Bit(v - 1);
        blockMask[blockOf(r, k)] |= Bit(v - 1);
    };
    Grid g = puzzle;
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < n; ++k) g[r][k] ? place(r, k, g[r][k]) : void(++empty);
    const auto candidates = [&](int r, int k) {
        return static_cast<std::uint16_t>(full & ~(rowMask[r] | colMask[k] | blockMask[blockOf(r, k)]));
    };
    // Every placement either rule makes is the solution's value, and a rule that applies keeps
    // applying until its cell is filled, so the order of placements does not change the outcome.
    bool progress = true;
    while (empty > 0 && progress) {
        progress = false;
        for (int r = 0; r < n; ++r) {
            for (int k = 0; k < n; ++k) {
                if (g[r][k]) continue;
                const std::uint16_t cand = candidates(r, k);
                if (!std::has_single_bit(static_cast<unsigned>(cand))) continue;
                g[r][k] = std::countr_zero(static_cast<unsigned>(cand)) + 1;
                place(r, k, g[r][k]);
                --empty;
                progress = true;
            }
        }
        for (int b = 0; b < n; ++b) {
            const int top = (b / h) * h, left = (b % h) * w;
            std::uint16_t once = 0, twice = 0;
            for (int i = 0; i < n; ++i) {
                const int r = top + i / w, k = left + i % w;
                if (g[r][k]) continue;
                const std::uint16_t cand = candidates(r, k);
                twice |= once & cand;
                once |= cand;
            }
            const auto hidden = static_cast<std::uint16_t>(once & ~twice);
            if (!hidden) continue;
            const int v = std::countr_zero(static_cast<unsigned>(hidden)) + 1;
            for (int i = 0; i < n; ++i) {
                const int r = top + i / w, k = left + i % w;
                if (g[r][k] || !(candidates(r, k) & Bit(v - 1))) continue;
                g[r][k] = v;
                place(r, k, v);
                --empty;
                progress = true;
                break;
            }
        }
    }
    return empty == 0;
}

bool SudokuGenerator::FillRandom(int index, Grid& g, int w, int h) {
    const int n = w * h;
    if (static_cast<int>(fillDigits_.size()) != n || fillColsPerBlock_ != w || fillRowsPerBlock_ != h) {
        fillDigits_.resize(n);
        for (int i = 0; i < n; ++i) fillDigits_[i] = i + 1;
        fillColsPerBlock_ = w;
        fillRowsPerBlock_ = h;
    }
    fillCalls_ = 0;
    fillBudget_ = kFillCallsPerCell * n * n;
    return Fill(index, g);
}

bool SudokuGenerator::Fill(int index, Grid& g) {
    const int n = static_cast<int>(fillDigits_.size());
    if (index == n * n) return true;
    if (++fillCalls_ > fillBudget_) return false;
    for (int i = 1; i < n; ++i) std::swap(fillDigits_[i], fillDigits_[Draw(i + 1)]);
    const int row = index / n, column = index % n;
    const int w = fillColsPerBlock_, h = fillRowsPerBlock_;
    const int top = (row / h) * h, left = (column / w) * w;
    // Deeper calls reshuffle the same list, so entry t may hold a digit already tried here; the
    // cell keeps the digit last placed in it, which therefore does not fit when it comes again.
    for (int t = 0; t < n; ++t) {
        const int d = fillDigits_[t];
        bool fits = true;
        for (int k = 0; k < n && fits; ++k)
            fits = g[row][k] != d && g[k][column] != d && g[top + k / w][left + k % w] != d;
        if (!fits) continue;
        g[row][column] = d;
        if (Fill(index + 1, g)) return true;
        if (fillCalls_ > fillBudget_) break;
    }
    g[row][column] = 0;
    return false;
}

Grid SudokuGenerator::FillComplete(int size, int w, int h) {
    Grid g = EmptyGrid(size);
    while (!FillRandom(0, g, w, h)) {
        ++stats.fillRestarts;
        g = EmptyGrid(size);
    }
    return g;
}

Grid SudokuGenerator::NewCompleteGrid(int size, int w, int h) {
    if (attemptsSinceFill_ == 0 || static_cast<int>(lastFill_.size()) != size || fillColsPerBlock_ != w ||
        fillRowsPerBlock_ != h) {
        lastFill_ = FillComplete(size, w, h);
        attemptsSinceFill_ = 1;
        return lastFill_;
    }
    attemptsSinceFill_ = (attemptsSinceFill_ + 1) % kAttemptsPerFill;
    const auto shuffle = [this](std::vector<int>& order) {
        for (int i = static_cast<int>(order.size()) - 1; i > 0; --i) std::swap(order[i], order[Draw(i + 1)]);
    };
    // Rows: h rows per band, w bands. Columns: w columns per stack, h stacks.
    const auto lineOrder = [&](int perGroup, int groups) {
        std::vector<int> groupOrder(groups), inGroup(perGroup), order;
        for (int i = 0; i < groups; ++i) groupOrder[i] = i;
        shuffle(groupOrder);
        for (int group : groupOrder) {
            for (int i = 0; i < perGroup; ++i) inGroup[i] = i;
            shuffle(inGroup);
            for (int i : inGroup) order.push_back(group * perGroup + i);
        }
        return order;
    };
    const std::vector<int> rowOrder = lineOrder(h, w), columnOrder = lineOrder(w, h);
    std::vector<int> relabel(size + 1);
    for (int v = 0; v <= size; ++v) relabel[v] = v;
    for (int i = size; i > 1; --i) std::swap(relabel[i], relabel[1 + Draw(i)]);
    Grid g = EmptyGrid(size);
    for (int r = 0; r < size; ++r)
        for (int k = 0; k < size; ++k) g[r][k] = relabel[lastFill_[rowOrder[r]][columnOrder[k]]];
    return g;
}

bool SudokuGenerator::Dig(const Grid& solution, int holes, int w, int h, Grid& puzzle,
                          const std::function<bool()>& overdue) {
    const int n = w * h;
    const auto full = static_cast<std::uint16_t>((1u << n) - 1u);
    flat_.resize(n * n);
    diggable_.clear();
    // Values held by each row, column and block (bit v - 1 for value v).
    std::uint16_t held[3][SolutionCounter::kMaxSize] = {};
    const auto blockOf = [&](int cell) { return (cell / n / h) * h + cell % n / w; };
    const auto toggle = [&](int cell, int v) {
        const std::uint16_t bit = Bit(v - 1);
        held[0][cell / n] ^= bit;
        held[1][cell % n] ^= bit;
        held[2][blockOf(cell)] ^= bit;
    };
    const auto seen = [&](int cell) {
        return static_cast<std::uint16_t>(held[0][cell / n] | held[1][cell % n] | held[2][blockOf(cell)]);
    };
    for (int cell = 0; cell < n * n; ++cell) {
        flat_[cell] = solution[cell / n][cell % n];
        toggle(cell, flat_[cell]);
        diggable_.push_back(cell);
    }
    // An emptied cell that the givens still force (its peers hold every other value, or some house
    // of it has no other place for its value) leaves the one solution alone: no count is needed.
    const auto forced = [&](int cell, int v) {
        const std::uint16_t bit = Bit(v - 1);
        if ((seen(cell) | bit) == full) return true;
        const int r = cell / n, k = cell % n, top = (r / h) * h, left = (k / w) * w;
        bool onlyInRow = true, onlyInColumn = true, onlyInBlock = true;
        for (int i = 0; i < n; ++i) {
            const int inRow = r * n + i, inColumn = i * n + k, inBlock = (top + i / w) * n + left + i % w;
            onlyInRow = onlyInRow && (inRow == cell || flat_[inRow] || (seen(inRow) & bit));
            onlyInColumn = onlyInColumn && (inColumn == cell || flat_[inColumn] || (seen(inColumn) & bit));
            onlyInBlock = onlyInBlock && (inBlock == cell || flat_[inBlock] || (seen(inBlock) & bit));
        }
        return onlyInRow || onlyInColumn || onlyInBlock;
    };
    // A cell whose removal once allowed a second solution will always do so once more holes
    // are made, so each cell is drawn at most once; drawing uniformly among the cells not yet
    // drawn is the same as drawing among all filled cells and skipping the known failures.
    int made = 0;
    while (made < holes) {
        if (diggable_.empty() || (overdue && overdue())) return false;
        const int pick = Draw(static_cast<int>(diggable_.size()));
        const int cell = diggable_[pick];
        diggable_[pick] = diggable_.back();
        diggable_.pop_back();
        const int value = flat_[cell];
        flat_[cell] = 0;
        toggle(cell, value);
        bool unique = forced(cell, value);
        if (!unique) {
            ++stats.counts;
            unique = counter_.Count(flat_.data(), w, h, 2) == 1;
        }
        if (unique) {
            ++made;
        } else {
            flat_[cell] = value;
            toggle(cell, value);
        }
    }
    puzzle = EmptyGrid(n);
    for (int cell = 0; cell < n * n; ++cell) puzzle[cell / n][cell % n] = flat_[cell];
    return true;
}

SudokuGenerator::Grading SudokuGenerator::Grade(SudokuBoard& board, int level, const Grid& puzzle, int holes,
                                                const Clock& clock, std::int64_t start,
                                                std::int64_t searchDeadline) {
    ++stats.gradingSolves;
    const std::uint64_t hitsBefore = board.chainBudgetHits;
    GradingSolve(board, puzzle, holes, clock, searchDeadline);
    if (board.chainBudgetHits != hitsBefore) {
        if (searchDeadline < start + kGradingSearchMs) return Grading::kCut;
        stats.chainBudgetHits += board.chainBudgetHits - hitsBefore;
    }
    return Accepts(level, board) ? Grading::kAccepted : Grading::kRejected;
}

bool SudokuGenerator::Generate(SudokuBoard& board, int level, const Clock& now, std::int64_t deadline) {
    const int n = board.size;
    const int holes = HoleCount(n, level);
    if (holes < 0) return false;
    const int w = board.blocks[0]->colsPerBlock, h = board.blocks[0]->rowsPerBlock;
    const Clock clock = now ? now : Clock(SteadyMilliseconds);
    const auto accept = [&](Grid solution, const Grid& puzzle) {
        ++stats.accepted;
        board.solution = std::move(solution);
        board.puzzle = puzzle;
        board.SetValues(puzzle);
        board.unsolvedCount = holes;
        board.log.clear();
        return true;
    };
    attemptsSinceFill_ = 0;
    // An attempt whose grading the last slice cut short is graded first, with the whole bound.
    if (pending_.size == n && pending_.level == level) {
        PendingGrading attempt = std::move(pending_);
        pending_ = {};
        board.ResetUsedTechniques();
        ++stats.gradingsResumed;
        const std::int64_t start = clock();
        if (Grade(board, level, attempt.puzzle, holes, clock, start, start + kGradingSearchMs) ==
            Grading::kAccepted)
            return accept(std::move(attempt.solution), attempt.puzzle);
        if (now && now() >= deadline) return false;
    }
    pending_ = {};
    bool first = true;
    // The first dig of a call always runs to its end, so that every call makes progress.
    const std::function<bool()> overdue = [&] { return !first && now && now() >= deadline; };
    for (;; first = false) {
        ++stats.attempts;
        board.ResetUsedTechniques();
        Grid solution = NewCompleteGrid(n, w, h);
        Grid puzzle;
        const bool dug = Dig(solution, holes, w, h, puzzle, overdue);
        if (overdue()) {
            // Nor does a grading solve begin once the slice is over.
            ++stats.attemptsCut;
            return false;
        }
        if (!dug) {
            ++stats.digDeadEnds;
        } else if (level >= 2 && n > 4 && SinglesComplete(puzzle, w, h)) {
            // These levels need a technique beyond the singles, and a solve that the singles
            // finish never gets past them: rejected without the (far dearer) grading solve.
            ++stats.prefilterRejects;
        } else {
            const std::int64_t start = clock();
            const std::int64_t bound = start + kGradingSearchMs;
            switch (
                Grade(board, level, puzzle, holes, clock, start, now ? std::min(deadline, bound) : bound)) {
                case Grading::kAccepted:
                    return accept(std::move(solution), puzzle);
                case Grading::kCut:
                    pending_ = {n, level, std::move(solution), std::move(puzzle)};
                    return false;
                case Grading::kRejected:
                    break;
            }
        }
        if (now && now() >= deadline) return false;
    }
}

bool SudokuGenerator::GenerateWithTechniques(SudokuBoard& board, const TechniqueFlags& allowed,
                                             const TechniqueFlags& required, long maxAttempts) {
    const TechniqueFlags enabledBefore = board.enabled;
    const TechniqueFlags usedBefore = board.used;
    const Grid valuesBefore = board.GetValues();
    const int unsolvedBefore = board.unsolvedCount;
    const auto giveUp = [&] {
        board.SetValues(valuesBefore);
        board.unsolvedCount = unsolvedBefore;
        board.enabled = enabledBefore;
        board.used = usedBefore;
        return false;
    };
    if (std::none_of(allowed.begin(), allowed.end(), [](bool on) { return on; })) return giveUp();
    board.enabled = allowed;
    const int n = board.size;
    const int w = board.blocks[0]->colsPerBlock, h = board.blocks[0]->rowsPerBlock;
    const int holes = n * n / 2 + 3 * n / 4;
    long attempts = 0;
    while (attempts < maxAttempts) {
        const Grid solution = FillComplete(n, w, h);
        for (int onGrid = 0; onGrid < kAttemptsPerGrid && attempts < maxAttempts; ++onGrid) {
            ++attempts;
            ++stats.attempts;
            board.ResetUsedTechniques();
            Grid puzzle;
            if (!Dig(solution, holes, w, h, puzzle)) {
                ++stats.digDeadEnds;
                continue;
            }
            const auto solveWith = [&] {
                ++stats.gradingSolves;
                JudgingSolve(board, puzzle, holes, SteadyMilliseconds,
                             SteadyMilliseconds() + kGradingSearchMs);
            };
            solveWith();
            bool accepted = board.unsolvedCount == 0;
            for (int id = 0; id < kTechniqueCount && accepted; ++id)
                accepted = !required[id] || board.used[id];
            // Each required technique must be needed: without it the solve stalls.
            for (int id = 0; id < kTechniqueCount && accepted; ++id) {
                if (!required[id]) continue;
                const bool was = board.enabled[id];
                board.enabled[id] = false;
                solveWith();
                board.enabled[id] = was;
                accepted = board.unsolvedCount > 0;
            }
            if (!accepted) continue;
            ++stats.accepted;
            board.SetValues(puzzle);
            board.used = usedBefore;
            board.enabled = enabledBefore;
            board.unsolvedCount = holes;
            board.log.clear();
            return true;
        }
    }
    return giveUp();
}

SudokuGenerator& EngineGenerator() {
    static SudokuGenerator generator(SudokuGenerator::FreshSeed());
    return generator;
}

void SudokuBoard::Generate(int level) {
    EngineGenerator().Generate(*this, level);
}

bool SudokuBoard::FillRandom(int index, Grid& g) {
    return EngineGenerator().FillRandom(index, g, blocks[0]->colsPerBlock, blocks[0]->rowsPerBlock);
}

void SudokuBoard::GenerateWithTechniques(const TechniqueFlags& allowed, const TechniqueFlags& required) {
    // Unreachable combinations (a required technique that is not allowed) must not spin forever.
    constexpr long kMaxAttempts = 20 * kAttemptsPerGrid;
    EngineGenerator().GenerateWithTechniques(*this, allowed, required, kMaxAttempts);
}
