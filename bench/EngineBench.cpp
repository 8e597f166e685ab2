// Engine benchmark. First a table of puzzle generation through GeneratePuzzle, called in a loop the
// way the game calls it: per size and level the time to an accepted puzzle (median, p95, max),
// the same in process CPU time (the wall clock counts other load on the machine too), slices,
// attempts per puzzle, the share of attempts settled by the singles pre-filter, chain
// searches stopped at their time bound, gradings cut at a slice's end and redone in the next
// call, the peak resident memory and the slices' p99 and longest wall time. Then Google Benchmark timings of
// SolvePuzzle on generated puzzles, empty grids and minimal 9 x 9 puzzles that need guessing,
// after a table of deciding random sparse 16 x 16 grids.
//
//   EngineBench [--puzzles=N] [--seed=S] [--no-table] [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "Generator.h"
#include "SolutionCounter.h"
#include "SudokuBoard.h"
#include "SudokuEngine.h"

namespace {

using Bytes = std::array<signed char, 256>;
using Clock = std::chrono::steady_clock;

const int kSizes[5] = {4, 6, 9, 12, 16};
const char* kLevels[5] = {"Very Easy", "Easy", "Medium", "Hard", "Very Hard"};

double Millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Peak resident memory of the process in KiB since the last ResetPeakMemory (Linux /proc).
long PeakMemoryKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void GenerationTable(int puzzles, std::uint64_t seed) {
    std::printf(
        "| size | level | puzzles | median ms | p95 ms | max ms | CPU median ms | CPU p95 ms | slices/puzzle "
        "| attempts/puzzle "
        "| pre-filter share | grading solves/puzzle | dig dead ends | fill restarts | chain-budget hits "
        "| gradings resumed | peak RSS MiB | slice p99 ms | longest slice ms | digs cut |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    SetGeneratePuzzleTestHooks(seed, {}, 50);
    for (int n : kSizes) {
        for (int level = 0; level < 5; ++level) {
            ResetPeakMemory();
            const GeneratorStats before = EngineGenerator().stats;
            std::vector<double> times, cpuTimes, sliceTimes;
            long slices = 0;
            for (int i = 0; i < puzzles; ++i) {
                Bytes puzzle{}, solution{};
                const auto start = Clock::now();
                const std::clock_t cpuStart = std::clock();
                for (bool done = false; !done;) {
                    ++slices;
                    const auto sliceStart = Clock::now();
                    done = GeneratePuzzle(n, level, puzzle.data(), solution.data()) != 0;
                    sliceTimes.push_back(Millis(Clock::now() - sliceStart));
                }
                times.push_back(Millis(Clock::now() - start));
                cpuTimes.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
            }
            const GeneratorStats& after = EngineGenerator().stats;
            const double attempts = static_cast<double>(after.attempts - before.attempts);
            std::printf(
                "| %dx%d | %d %s | %d | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %.1f | %.1f%% | %.1f | "
                "%llu | %llu | %llu | %llu "
                "| %.1f | %.1f | %.1f | %llu |\n",
                n, n, level, kLevels[level], puzzles, Percentile(times, 0.5), Percentile(times, 0.95),
                *std::max_element(times.begin(), times.end()), Percentile(cpuTimes, 0.5),
                Percentile(cpuTimes, 0.95), static_cast<double>(slices) / puzzles, attempts / puzzles,
                100.0 * static_cast<double>(after.prefilterRejects - before.prefilterRejects) / attempts,
                static_cast<double>(after.gradingSolves - before.gradingSolves) / puzzles,
                static_cast<unsigned long long>(after.digDeadEnds - before.digDeadEnds),
                static_cast<unsigned long long>(after.fillRestarts - before.fillRestarts),
                static_cast<unsigned long long>(after.chainBudgetHits - before.chainBudgetHits),
                static_cast<unsigned long long>(after.gradingsResumed - before.gradingsResumed),
                static_cast<double>(PeakMemoryKiB()) / 1024.0, Percentile(sliceTimes, 0.99),
                *std::max_element(sliceTimes.begin(), sliceTimes.end()),
                static_cast<unsigned long long>(after.attemptsCut - before.attemptsCut));
            std::fflush(stdout);
        }
    }
}

// Deciding random clash-free 16 x 16 grids with 50 to 90 givens, the region where grids are hardest
// to decide (solvable or not): the worst case a player's typed-in grid can hit. SolvePuzzle's search
// has no bound, so the table runs the same search with a bound of 3 000 000 branches (a few seconds)
// and counts the grids it leaves undecided.
void SparseSolveTable(int grids, std::uint64_t seed) {
    constexpr long kBranches = 3'000'000;
    std::mt19937_64 rng(seed);
    std::printf(
        "\n| givens | grids | solvable | no solution | undecided | median ms | p95 ms | max ms (decided) |\n"
        "|---|---|---|---|---|---|---|---|\n");
    for (int givens : {50, 60, 70, 80, 90}) {
        std::vector<double> times;
        int solvable = 0, none = 0, undecided = 0;
        double maxDecided = 0;
        for (int i = 0; i < grids; ++i) {
            std::vector<int> flat(256, 0);
            std::uint32_t seen[3][16] = {};
            for (int placed = 0, tries = 0; placed < givens && tries < 100000; ++tries) {
                const int r = static_cast<int>(rng() % 16), k = static_cast<int>(rng() % 16);
                const int b = (r / 4) * 4 + k / 4, v = static_cast<int>(rng() % 16) + 1;
                const std::uint32_t bit = 1u << v;
                if (flat[r * 16 + k] || ((seen[0][r] | seen[1][k] | seen[2][b]) & bit)) continue;
                flat[r * 16 + k] = v;
                seen[0][r] |= bit, seen[1][k] |= bit, seen[2][b] |= bit;
                ++placed;
            }
            SolutionCounter counter;
            const auto start = Clock::now();
            const int count = counter.Count(flat.data(), 4, 4, 1, nullptr, kBranches);
            const double ms = Millis(Clock::now() - start);
            times.push_back(ms);
            if (counter.OutOfBudget()) {
                ++undecided;
                continue;
            }
            maxDecided = std::max(maxDecided, ms);
            (count ? solvable : none)++;
        }
        std::printf("| %d | %d | %d | %d | %d | %.2f | %.2f | %.2f |\n", givens, grids, solvable, none,
                    undecided, Percentile(times, 0.5), Percentile(times, 0.95), maxDecided);
        std::fflush(stdout);
    }
}

Bytes Generated(int n, int level) {
    Bytes puzzle{}, solution{};
    while (!GeneratePuzzle(n, level, puzzle.data(), solution.data())) {
    }
    return puzzle;
}

// Minimal 9 x 9 puzzles (no given can go without a second solution appearing) that the logical
// techniques alone cannot finish: SolvePuzzle's hardest everyday case.
std::vector<Bytes> GuessingPuzzles(int count) {
    std::vector<Bytes> found;
    while (static_cast<int>(found.size()) < count) {
        Bytes puzzle = Generated(9, 4);
        std::vector<int> flat(81);
        for (int k = 0; k < 9; ++k)
            for (int r = 0; r < 9; ++r) flat[r * 9 + k] = puzzle[k * 9 + r];
        for (int cell = 0; cell < 81; ++cell) {
            const int v = flat[cell];
            if (!v) continue;
            flat[cell] = 0;
            if (CountSolutions(flat, 3, 3) != 1) flat[cell] = v;
        }
        SudokuBoard board(9);
        Grid g(9, std::vector<int>(9));
        int holes = 0;
        for (int c = 0; c < 81; ++c) holes += (g[c / 9][c % 9] = flat[c]) == 0;
        board.SetValues(g);
        board.enabled[kTrialAndError] = false;
        board.unsolvedCount = holes;
        board.Solve(false);
        if (board.unsolvedCount == 0) continue;
        for (int k = 0; k < 9; ++k)
            for (int r = 0; r < 9; ++r) puzzle[k * 9 + r] = static_cast<signed char>(flat[r * 9 + k]);
        found.push_back(puzzle);
    }
    return found;
}

void SolveAll(benchmark::State& state, int n, const std::vector<Bytes>& puzzles) {
    Bytes out{};
    std::size_t i = 0;
    for (auto _ : state) {
        const int solved = SolvePuzzle(n, puzzles[i].data(), out.data());
        benchmark::DoNotOptimize(solved);
        if (!solved) state.SkipWithError("SolvePuzzle refused a solvable grid");
        i = (i + 1) % puzzles.size();
    }
}

void BM_SolveEmpty(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SolveAll(state, n, {Bytes{}});
}

void BM_SolveGenerated(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<Bytes> puzzles;
    for (int i = 0; i < 20; ++i) puzzles.push_back(Generated(n, 4));
    SolveAll(state, n, puzzles);
}

void BM_SolveNeedsGuessing9(benchmark::State& state) {
    static const std::vector<Bytes> puzzles = GuessingPuzzles(20);
    SolveAll(state, 9, puzzles);
}

BENCHMARK(BM_SolveEmpty)->Arg(4)->Arg(6)->Arg(9)->Arg(12)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolveGenerated)->Arg(4)->Arg(6)->Arg(9)->Arg(12)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolveNeedsGuessing9)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    int puzzles = 200;
    std::uint64_t seed = 20261206;
    bool table = true;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--puzzles=", 10) == 0)
            puzzles = std::max(1, std::atoi(argv[i] + 10));
        else if (std::strncmp(argv[i], "--seed=", 7) == 0)
            seed = std::strtoull(argv[i] + 7, nullptr, 10);
        else if (std::strcmp(argv[i], "--no-table") == 0)
            table = false;
        else
            rest.push_back(argv[i]);
    }
    if (table) {
        GenerationTable(puzzles, seed);
        SparseSolveTable(puzzles, seed);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
