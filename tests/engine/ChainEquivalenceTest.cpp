// The chain searches against their straightforward versions: on positions where the easier
// techniques have stalled, both must return the same result and leave the same values,
// eliminated sets and log lines. Grading depends on exactly this.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "LiteralChains.h"
#include "Oracle.h"
#include "SudokuBoard.h"

namespace {

std::unique_ptr<SudokuBoard> Clone(const SudokuBoard& from) {
    auto board = std::make_unique<SudokuBoard>(from.size);
    board->SetValues(from.GetValues());
    for (int c = 0; c < from.CellCount(); ++c)
        for (ValueSet m = from.CellAt(c)->Eliminated(); m != 0; m &= m - 1)
            board->CellAt(c)->InsertEliminated(LowestValue(m));
    return board;
}

struct Technique {
    const char* name;
    std::function<bool(SudokuBoard&)> engine;
    std::function<bool(SudokuBoard&, std::vector<std::string>&)> literal;
};

// Compares one technique on a copy of the position; returns whether it made progress.
bool Compare(const SudokuBoard& position, const Technique& t, int& found) {
    auto mine = Clone(position);
    auto theirs = Clone(position);
    std::vector<std::string> theirLog;
    const bool a = t.engine(*mine);
    const bool b = t.literal(*theirs, theirLog);
    EXPECT_EQ(a, b) << t.name;
    EXPECT_EQ(mine->GetValues(), theirs->GetValues()) << t.name;
    for (int c = 0; c < position.CellCount(); ++c)
        EXPECT_EQ(mine->CellAt(c)->Eliminated(), theirs->CellAt(c)->Eliminated()) << t.name << " cell " << c;
    EXPECT_EQ(mine->log, theirLog) << t.name;
    // With logging off the engine drops repeated findings; the outcome must not change.
    auto quiet = Clone(position);
    quiet->logging = false;
    EXPECT_EQ(t.engine(*quiet), a) << t.name;
    EXPECT_EQ(quiet->GetValues(), mine->GetValues()) << t.name;
    for (int c = 0; c < position.CellCount(); ++c)
        EXPECT_EQ(quiet->CellAt(c)->Eliminated(), mine->CellAt(c)->Eliminated()) << t.name << " cell " << c;
    found += a ? 1 : 0;
    return a;
}

TEST(ChainEquivalence, InPlaceSearchesMatchTheStraightforwardOnes) {
    const Technique techniques[] = {
        {"XY-chain", [](SudokuBoard& b) { return b.FindXYChain(); }, literal::XYChain},
        {"remote chains", [](SudokuBoard& b) { return b.FindRemoteChains(); }, literal::RemoteChains},
        {"forced chain", [](SudokuBoard& b) { return b.FindForcedChain(); }, literal::ForcedChain},
    };
    std::array<int, 3> found{};
    std::mt19937 rng(99);
    for (const auto& [n, holes, count] : {std::tuple{6, 36, 200}, {9, 81, 120}, {12, 90, 3}}) {
        oracle::Solver solver(n);
        for (int p = 0; p < count; ++p) {
            SudokuBoard board(n);
            board.SetValues(oracle::ToGrid(oracle::RandomUniquePuzzle(solver, rng, holes), n));
            // Stall the board with everything below the chains, then step through positions by
            // applying the chain techniques one at a time.
            for (int id = kXYChain; id < kTechniqueCount; ++id) board.enabled[id] = false;
            board.unsolvedCount = 1;
            board.Solve();
            for (int step = 0; step < 6 && board.unsolvedCount > 0; ++step) {
                bool any = false;
                for (std::size_t t = 0; t < 3; ++t) any |= Compare(board, techniques[t], found[t]);
                if (::testing::Test::HasFailure()) return;
                if (!any) break;
                if (!board.FindXYChain() && !board.FindRemoteChains()) board.FindForcedChain();
                board.unsolvedCount = 1;
                board.Solve();
            }
        }
    }
    // Synthetic positions, consistent or not: many cells narrowed to pairs from a few values, so
    // that chains of every kind are long and plentiful.
    for (int p = 0; p < 300; ++p) {
        const int n = p % 3 == 0 ? 6 : 9;
        SudokuBoard board(n);
        std::uniform_int_distribution<int> cell(0, n * n - 1), value(1, 4);
        for (int i = 0; i < (n == 6 ? 10 : 16); ++i) {
            const int c = cell(rng);
            const int a = value(rng);
            int b = value(rng);
            if (b == a) b = a % 4 + 1;
            for (int v = 1; v <= n; ++v)
                if (v != a && v != b) board.CellAt(c)->InsertEliminated(v);
        }
        for (std::size_t t = 0; t < 3; ++t) Compare(board, techniques[t], found[t]);
        if (::testing::Test::HasFailure()) return;
        // Whatever the position, forced placements never give the board a repeated value.
        board.FindForcedChain();
        ASSERT_TRUE(board.IsValid()) << "position " << p;
    }
    for (int f : found) EXPECT_GT(f, 0);
}

}  // namespace
