// Solving benchmark for SolvePuzzle over fixed puzzle sets, with qqwing timed on the same 9 x 9 input.
// Used by bench/solve_bench.sh, which makes the sets once and then times them.
//
//   SolveBench make DIR [--seed=S]     writes the sets made here into DIR (checked by the oracle)
//   SolveBench run FILE... [--repeat=R] [--qqwing]
//
// A set file holds one puzzle a line: the grid in reading order ('.' or '0' empty, 1-9, then A-G
// for 10-16) and, after a space, the answer the oracle gave (1 solvable, 0 not). `run` checks every
// answer and every solution (complete, valid, keeps the givens) and prints a table row per file.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "../tests/engine/Oracle.h"
#include "Generator.h"
#include "SolutionCounter.h"
#include "SudokuEngine.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Puzzle {
    int n = 0;
    oracle::Flat grid;
    int expected = -1;
};

char Symbol(int v) {
    return v == 0 ? '.' : v <= 9 ? static_cast<char>('0' + v) : static_cast<char>('A' + v - 10);
}

int Value(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'G') return c - 'A' + 10;
    return 0;
}

std::string Line(const oracle::Flat& g) {
    std::string s;
    for (int v : g) s += Symbol(v);
    return s;
}

std::vector<Puzzle> Load(const std::string& path) {
    std::vector<Puzzle> puzzles;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::string grid = line.substr(0, line.find(' '));
        const int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(grid.size()))));
        if (n * n != static_cast<int>(grid.size()) || n < 4) continue;
        Puzzle p;
        p.n = n;
        for (char c : grid) p.grid.push_back(Value(c));
        if (line.size() > grid.size() + 1) p.expected = line[grid.size() + 1] - '0';
        puzzles.push_back(std::move(p));
    }
    return puzzles;
}

// CPU time of this thread: what the solve itself cost, whatever else the machine is running.
double ThreadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return 1e6 * static_cast<double>(t.tv_sec) + 1e-3 * static_cast<double>(t.tv_nsec);
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// --- making the sets --------------------------------------------------------------------------

// A minimal puzzle: every given of a fresh random grid is tried once, in random order, and goes
// when the grid keeps one solution without it.
oracle::Flat Minimal(int n, int w, int h, std::mt19937_64& rng, oracle::Flat& solution) {
    const Grid full = EngineGenerator().FillComplete(n, w, h);
    oracle::Flat g;
    for (const auto& row : full) g.insert(g.end(), row.begin(), row.end());
    solution = g;
    std::vector<int> order(n * n);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    for (int cell : order) {
        const int v = g[cell];
        g[cell] = 0;
        if (CountSolutions(g, w, h) != 1) g[cell] = v;
    }
    return g;
}

// The same puzzle with its values relabelled, bands, stacks, rows within bands and columns within
// stacks shuffled and, half the time, rows and columns swapped.
oracle::Flat Isomorph(const oracle::Flat& g, std::mt19937_64& rng) {
    const auto order = [&] {
        std::array<int, 3> groups{0, 1, 2};
        std::shuffle(groups.begin(), groups.end(), rng);
        std::vector<int> lines;
        for (int group : groups) {
            std::array<int, 3> inside{0, 1, 2};
            std::shuffle(inside.begin(), inside.end(), rng);
            for (int i : inside) lines.push_back(group * 3 + i);
        }
        return lines;
    };
    const std::vector<int> rows = order(), columns = order();
    std::array<int, 10> label{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::shuffle(label.begin() + 1, label.end(), rng);
    const bool transpose = rng() % 2;
    oracle::Flat out(81);
    for (int r = 0; r < 9; ++r)
        for (int k = 0; k < 9; ++k) {
            const int from = transpose ? columns[k] * 9 + rows[r] : rows[r] * 9 + columns[k];
            out[r * 9 + k] = label[g[from]];
        }
    return out;
}

// 17-clue puzzles with one solution from the published census of such puzzles, and well-known
// hard puzzles (the first of the "top95" list and others), each checked by the oracle below.
const char* const kSeventeen[] = {
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000",
    "000000010400000000020000000000050604008000300001090000300400200050100000000807000",
    "000000012000035000000600070700000300000400800100000000000120000080000040050000600",
    "000000012003600000000007000410020000000500300700000600280000040000300500000000000",
    "000000012008030000000000040120500000000004700060000000507000300000620000000100000",
    "000000012040050000000009000070600400000100000000000050000087500601000300200000000",
    "000000012050400000000000030700600400001000000000080000920000800000510700000003000",
    "000000012300000060000040000900000500000001070020000000000350400001400800060000000",
    "000000012400090000000000050070200000600000400000108000018000000000030700502000000",
    "000000012500008000000700000600120000700000450000030000030000800000500700020000000",
};
const char* const kHard[] = {
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
    "52...6.........7.13...........4..8..6......5...........418.........3..2...87.....",
    "6.....8.3.4.7.................5.4.7.3..2.....1.6.......2.....5.....8.6......1....",
    "48.3............71.2.......7.5....6....2..8.............1.76...3.....4......5....",
    "....14....3....2...7..........9...3.6.1.............8.2.....1.4....5.6.....7.8...",
    "1....7.9..3..2...8..96..5....53..9...1..8...26....4...3......1..4......7..7...3..",
    "1.......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8...2.....1",
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..",
    "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..",
};

oracle::Flat Parse(const char* s) {
    oracle::Flat g;
    for (; *s; ++s) g.push_back(Value(*s));
    return g;
}

// Writes a set. The oracle's exhaustive search settles the answers up to 9 x 9; on sparse 16 x 16
// grids it is far too slow, so there it checks the grid each solvable puzzle was made from instead
// (complete, valid, keeps the givens), and the unsolvable ones are so by construction.
bool Write(const std::string& path, const std::vector<oracle::Flat>& grids, int expected,
           const std::vector<oracle::Flat>& madeFrom = {}) {
    std::ofstream out(path);
    for (std::size_t i = 0; i < grids.size(); ++i) {
        const oracle::Flat& g = grids[i];
        const int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(g.size()))));
        bool agrees = oracle::Consistent(g, n);
        if (n <= 9) {
            agrees = agrees && std::min(oracle::CountSolutions(g, n, 2), 1) == expected;
        } else if (expected == 1) {
            agrees = agrees && oracle::CompleteAndValid(madeFrom[i], n);
            for (int cell = 0; cell < n * n && agrees; ++cell)
                agrees = !g[cell] || g[cell] == madeFrom[i][cell];
        }
        if (!agrees) {
            std::fprintf(stderr, "oracle disagrees on %s\n", Line(g).c_str());
            return false;
        }
        out << Line(g) << ' ' << expected << '\n';
    }
    std::printf("%s: %zu puzzles\n", path.c_str(), grids.size());
    return static_cast<bool>(out);
}

int Make(const std::string& dir, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    EngineGenerator().Seed(seed);
    // 17 clues: every census puzzle in 100 random isomorphs.
    std::vector<oracle::Flat> seventeen;
    for (const char* s : kSeventeen)
        for (int i = 0; i < 100; ++i) seventeen.push_back(Isomorph(Parse(s), rng));
    // Hard 9 x 9: the well-known ones, then the minimal puzzles (of 3000) that cost the most
    // branches to decide, 95 in all.
    std::vector<std::pair<long, oracle::Flat>> ranked;
    SolutionCounter counter;
    for (int i = 0; i < 3000; ++i) {
        oracle::Flat solution;
        const oracle::Flat g = Minimal(9, 3, 3, rng, solution);
        counter.Count(g.data(), 3, 3, 2);
        ranked.emplace_back(counter.Nodes(), g);
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<oracle::Flat> hard;
    for (const char* s : kHard) hard.push_back(Parse(s));
    for (std::size_t i = 0; hard.size() < 95; ++i) hard.push_back(ranked[i].second);
    // 16 x 16: minimal puzzles; the same with 12 more givens taken out (several solutions); the
    // same with one wrong given that repeats nothing (no solution: any solution would also solve
    // the minimal puzzle, whose only solution has another value there).
    std::vector<oracle::Flat> minimal, several, none, solutions;
    for (int i = 0; i < 100; ++i) {
        oracle::Flat solution;
        const oracle::Flat g = Minimal(16, 4, 4, rng, solution);
        solutions.push_back(solution);
        minimal.push_back(g);
        oracle::Flat sparse = g;
        for (int taken = 0; taken < 12;) {
            const std::size_t cell = rng() % sparse.size();
            if (sparse[cell]) sparse[cell] = 0, ++taken;
        }
        several.push_back(sparse);
        for (;;) {
            oracle::Flat wrong = g;
            const std::size_t cell = rng() % wrong.size();
            const int v = static_cast<int>(rng() % 16) + 1;
            if (wrong[cell] || v == solution[cell]) continue;
            wrong[cell] = v;
            if (!oracle::Consistent(wrong, 16)) continue;
            none.push_back(wrong);
            break;
        }
    }
    // Short units: of every size, 20 grids each with a row, a column or a block (anywhere) in which
    // half the cells can take one value fewer than their number between them; first the 16 x 16
    // one whose row 1 keeps only 10 to 16 for its eight cells in columns 9 to 16.
    std::vector<oracle::Flat> shortUnits;
    std::mt19937 unitRng(static_cast<std::uint32_t>(seed));
    std::vector<int> row, low;
    for (int k = 8; k < 16; ++k) row.push_back(k);
    for (int v = 1; v <= 9; ++v) low.push_back(v);
    while (shortUnits.empty()) {
        const oracle::Flat g = oracle::ShortUnitGrid(16, 0, row, low, unitRng, 1);
        if (!g.empty()) shortUnits.push_back(g);
    }
    for (int n : {4, 6, 9, 12, 16})
        for (int kind = 0; kind < 3; ++kind)
            for (int i = 0; i < 20; ++i) shortUnits.push_back(oracle::RandomShortUnitGrid(n, kind, unitRng));
    const bool ok = Write(dir + "/clue17.txt", seventeen, 1) && Write(dir + "/hard9.txt", hard, 1) &&
                    Write(dir + "/minimal16.txt", minimal, 1, solutions) &&
                    Write(dir + "/several16.txt", several, 1, solutions) &&
                    Write(dir + "/nosolution16.txt", none, 0) && Write(dir + "/shortunit.txt", shortUnits, 0);
    return ok ? 0 : 1;
}

// --- timing -------------------------------------------------------------------------------------

// Whether SolvePuzzle's result agrees with the oracle's answer and its grid is a solution.
bool Correct(const Puzzle& p, int result, const std::array<signed char, 256>& out) {
    if (result != p.expected) return false;
    if (result == 0) return true;
    const oracle::Flat solved = oracle::FromBytes(out.data(), p.n);
    for (int i = 0; i < p.n * p.n; ++i)
        if (p.grid[i] && p.grid[i] != solved[i]) return false;
    return oracle::CompleteAndValid(solved, p.n);
}

double QqwingSeconds(const std::vector<Puzzle>& puzzles, int repeat) {
    const std::string path = "/tmp/solvebench-qqwing-input.txt";
    {
        std::ofstream out(path);
        for (int r = 0; r < repeat; ++r)
            for (const Puzzle& p : puzzles) out << Line(p.grid) << '\n';
    }
    const auto start = Clock::now();
    const int status = std::system(("qqwing --solve --one-line < " + path + " > /dev/null").c_str());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::remove(path.c_str());
    return status == 0 ? seconds : -1;
}

int Run(const std::vector<std::string>& files, int repeat, bool qqwing) {
    std::printf(
        "| set | puzzles | decided correctly | median us | p99 us | max us | mean us | CPU median us | CPU "
        "p99 us "
        "| CPU max us |%s\n",
        qqwing ? " qqwing mean us | qqwing / ours |" : "");
    std::printf("|---|---|---|---|---|---|---|---|---|---|%s\n", qqwing ? "---|---|" : "");
    int failures = 0;
    for (const std::string& file : files) {
        const std::vector<Puzzle> puzzles = Load(file);
        if (puzzles.empty()) continue;
        std::vector<double> times, cpuTimes;
        int correct = 0;
        double total = 0;
        for (const Puzzle& p : puzzles) {
            const std::vector<signed char> in = oracle::ToBytes(p.grid, p.n);
            std::array<signed char, 256> out{};
            double best = 1e30, bestCpu = 1e30;
            int result = 0;
            // The fastest of `repeat` runs: the least disturbed by other load on the machine.
            for (int r = 0; r < repeat; ++r) {
                const auto start = Clock::now();
                const double cpuStart = ThreadMicros();
                result = SolvePuzzle(p.n, in.data(), out.data());
                bestCpu = std::min(bestCpu, ThreadMicros() - cpuStart);
                const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
                best = std::min(best, us);
                total += us;
            }
            times.push_back(best);
            cpuTimes.push_back(bestCpu);
            correct += Correct(p, result, out);
        }
        failures += static_cast<int>(puzzles.size()) - correct;
        const double mean = total / static_cast<double>(puzzles.size() * repeat);
        const std::string name = file.substr(file.find_last_of('/') + 1);
        std::printf("| %s | %zu | %d | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |", name.c_str(),
                    puzzles.size(), correct, Percentile(times, 0.5), Percentile(times, 0.99),
                    *std::max_element(times.begin(), times.end()), mean, Percentile(cpuTimes, 0.5),
                    Percentile(cpuTimes, 0.99), *std::max_element(cpuTimes.begin(), cpuTimes.end()));
        if (qqwing && puzzles[0].n == 9) {
            const double seconds = QqwingSeconds(puzzles, repeat);
            const double theirs = 1e6 * seconds / static_cast<double>(puzzles.size() * repeat);
            std::printf(" %.1f | %.1fx |", theirs, theirs / mean);
        } else if (qqwing) {
            std::printf(" | |");
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: SolveBench make DIR [--seed=S] | run FILE... [--repeat=R] [--qqwing]\n");
        return 2;
    }
    std::uint64_t seed = 20261207;
    int repeat = 5;
    bool qqwing = false;
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        if (std::strncmp(argv[i], "--seed=", 7) == 0)
            seed = std::strtoull(argv[i] + 7, nullptr, 10);
        else if (std::strncmp(argv[i], "--repeat=", 9) == 0)
            repeat = std::max(1, std::atoi(argv[i] + 9));
        else if (std::strcmp(argv[i], "--qqwing") == 0)
            qqwing = true;
        else
            files.push_back(argv[i]);
    }
    if (std::strcmp(argv[1], "make") == 0) return Make(files.at(0), seed);
    return Run(files, repeat, qqwing);
}
