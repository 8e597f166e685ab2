// Grading solves against the grades that the chain searches' old step budget gave: puzzles that
// were accepted grade the same, and attempts that the budget cut short now get their grade.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Generator.h"
#include "SudokuBoard.h"

namespace {

Grid Parse(const std::string& text) {
    int n = 4;
    while (n * n < static_cast<int>(text.size())) ++n;
    Grid g(n, std::vector<int>(n));
    for (int i = 0; i < n * n; ++i) {
        const char c = text[i];
        g[i / n][i % n] = c >= '1' && c <= '9' ? c - '0' : c >= 'A' && c <= 'G' ? c - 'A' + 10 : 0;
    }
    return g;
}

struct Graded {
    int unsolved;
    unsigned used;  // bit id set when technique id made progress
};

// The grading solve as the generator runs it: no guessing, chain searches bounded by the board's
// step budget or search deadline as set.
Graded Grade(SudokuBoard& board, const Grid& puzzle) {
    board.SetValues(puzzle);
    board.unsolvedCount = 0;
    for (const auto& row : puzzle)
        for (int v : row) board.unsolvedCount += v == 0;
    board.enabled[kTrialAndError] = false;
    board.ResetUsedTechniques();
    board.Solve(false);
    unsigned used = 0;
    for (int id = 0; id < kTechniqueCount; ++id) used |= static_cast<unsigned>(board.used[id]) << id;
    return {board.unsolvedCount, used};
}

// Puzzles that GeneratePuzzle accepted with the step budget of 250 000 (level, what the grading
// solve left empty and the techniques it used then, the puzzle in reading order).
struct Accepted {
    int level;
    int unsolved;
    unsigned used;
    const char* puzzle;
};
const Accepted kAccepted[] = {
    {2, 0, 0x0c1f, ".....553.1.6..15..4...6114.65......4"},
    {2, 0, 0x000f, "1..63.5..1.....356...4.1..1..4.5..13"},
    {2, 0, 0x000f, ".26431.3.2563...64.6....6....5......"},
    {3, 0, 0x041f, "5..61.......4..1....2.4.136..42..3.1"},
    {3, 0, 0x041f, "..2....3..5.2.41.63..2.5...5..1.5..3"},
    {3, 0, 0x081f, "61....253.6..3...2......3..54...5.23"},
    {4, 0, 0x041f, "4.3.626...4..4..2...2.3....21....65."},
    {4, 0, 0x015f, ".56..3.4.6...2..36.3......34..46...1"},
    {4, 0, 0x041f, "..14....6..2.1562.6.2...1..2...2..1."},
    {2, 0, 0x000f, "518.96.4.....5389..9.....658...1.52.7......1...56...3..82.3.95.3..8.9.729.1.42..3"},
    {2, 0, 0x083f, ".9.6.4283.42...9.....2...46284.6....71.429.683.9.8.4.......26....6.431.2...91.8.."},
    {2, 0, 0x000f, "....2..5....74.8.6.8..51..2264.......9.8.2645.5....72.6.1...58...3.7..69.4518623."},
    {3, 0, 0x081f, "..5.....61.734.5.9.62..91484.965..72.7..1.4..52...49..8.4......79....2..2....7.1."},
    {3, 0, 0x081f, ".8...4.9.5.....81....5.....3.74..6...1.87.......359..1.4.683.7..7..254838..74126."},
    {3, 0, 0x0c1f, "..59..1....1..7.6.6..1......1742....4..7.8..1....1347....8.95..758..4..629.56178."},
    {4, 0, 0x041f, "..9..2....4.1.....83..461296...5.2..3.4..97....8..461..7.48....4...27...25..61478"},
    {4, 0, 0x091f, ".2...18.6.6..925.7.785.6329.5.2...3.31....2....2....5...4..8.7........8358.3..462"},
    {4, 0, 0x081f, "2..9.657.768...9.3.......6.12374.69..4..59.329..36........973.6.....5.8......1.47"},
    {2, 0, 0x027f,
     "1..AB.694.7...2C8.4..3B.4B96C.3.82A..9...3B5.1.865.B..C..7.9.1..7......2.4.85.........1294....85B.593.."
     "8.C4........3..1.9..168...AC37.6.1C......"},
    {2, 0, 0x000f,
     ".8.4.A.9C35.....BC52648.5...74.8....A6..27..1C..7C..3....AB81.....CA......A.9..3.5....3....C...6C4258."
     "A6.71.2.C3.....6716..B.3.....4.A8..62..B3C"},
    {2, 0, 0x000f,
     ".2B......1.96..82A....5BC5A..9..4.721.6.....5....A894.B61..3...75....9BC..16.8AC.537A.C.62.....4B8....."
     "..A.67.4..63....A.65..B7....1...C.42.7.95"},
    {3, 0, 0x081f,
     "7..9.BC...6.4.6A.8957.1B..5.1.6..A4...4..2B...........13.5.....3564...725...7.A..4.1A41......92..6....."
     "1.8A..3746.2..1BA1.28.C.4.7.96....1.B4..."},
    {3, 0, 0x083f,
     "..A.C9.B.7.1.B.984.A...C3.C7.51..B9..1...8.2C3..C..47A95..1.7..8.1.C..59......C.1.......4.23...88.4B."
     "65..23.29..........B43C...95..65....C64...3"},
    {3, 0, 0x0c1f,
     ".A921...4.7..6..A4.9B.C.54C1.B...2.9...9...7.5.3..1..2..9.6B...5....A4.C..5.C.8.6B9...A..19...3.C...3.."
     "A.8...54..31.C.B.8.....7.3A54..7.5A4B..1."},
    {4, 0, 0x081f,
     "A283..5...4..6...C.B1..2.....2..97......46.3.2..8.641.C......12...975...1C52786..3.947B.2.3.6...9..6.."
     "BC74...5..8..A...72..7...5.6..C8..B4...9.5"},
    {4, 0, 0x043f,
     "........B.96B3...86.4..5......27.3.....86A315..C.A..5.7..1....1.8.9C..6A..597.4..8.......6C.1..914.."
     "9B8.6.....B6....9A...8A..9.4.63..94713.6C58."},
    {4, 0, 0x081f,
     "...B3.96C.8283.6B2...47.A2.C..84.39...3..C..872.B.2..3..96..6A.1...25B........23..59C.12.6..3....5.7A9."
     ".......7...6......CA....1496.98....3..1.5"},
    {2, 0, 0x000f,
     "....1.7.G....A.3F..153.G.B9...7..84.2.A.1..D95.....7.8.F3.A6D...G69B....F5.83D.A.7EC..F.....5..GA5..9."
     "8..6.G27B41.2.G.B.7..9.F687F.23.C.D8.1.6..4.....57.9..8...C35ED.1...FA7.92....E....7..C.A....F.7.D...3."
     "8...D.4.5.E..8B.......58A4..127F3......F.2..DGCAE.7"},
    {2, 0, 0x003f,
     "B.....A.C39.ED.......9.64D.B.F..C74..D3.....69A.98FD.E...G.A43........CD7..81..4E48..A13DC2..B.6D.9.."
     "7FG.1.6..C..C..E4.9.F3.2..D...CD.4..7...68.7.B..3..F..2..D..1D9B....A.E.G5.G..3..5...DC.......7F2DC3.B."
     "...A......E1...9.4B.5F6.A8B...C.9731ABG43..7.E..D..."},
    {2, 0, 0x003f,
     "7G19C4..326.5.F...CEA937.F.G.........5E..918C3.48...F1....AE...7......9.8...4..3GF....C....1.5A....5."
     "24D....F...B1.....3F6..9C283A5.7....1.9....1.F4..52...CB.79D.9.1..A..7..43C.8.G...9...B.2..F2A...14D..."
     "3.8G...7..G518.FEA4B.4..93.FG.C.1652.....6A8.B2....F"},
    {3, 0, 0x0c1f,
     "A.9..C.E.2.F...7...B.....E.549......856.C7...DB2..5..2.B..9....EG.7.....2C.D.4.6..319.4..A.6CE.F.DE97.."
     "6..G3.A5..6..5..8..7...2..9A4..83...B7.FD..2DA.E....43B.18.CG.6.F1.E.92...........D2..G..9B...7...8.G."
     "C434.GA...C79FE25DB.E.2..G4..1C.78.7...E...4..2.1.9"},
    {3, 0, 0x0b3f,
     "A.........C2..6..E.1A.....7.F542..F9D2.G....1...2B.8..7.4...9...CDG....875.EA...39..7A64....5.GE..7.G5."
     "..A43C.B65A.F.D2.1..9.7...C.....3F7954B.A8...4..73E21.C5..F561....8B.G.7.E.4.BF..6C..28.1B19.....G..."
     "7F.5F.2...1...3........C.......F.42.74.DCG.F.98.E6.."},
    {3, 0, 0x081f,
     ".B.6F.7....98...7.9..6.AD.3.C..2...85..2B..7...EDG.2...C.85..6.7.6....2.9.C..D...7FA..E9.58..1..B9E..."
     "6..1....5C.32..B8.AD7..G....7....3..9.6FG.....67..2AE5.3C.4.C3..F8.G6.5.A1.....49.8.F..2..8.61.2AE..B."
     "37D99..7G8.6.F.A1..5C..G9.5B.71...8..4B.CF........2."},
    {4, 0, 0x081f,
     ".93BD..8G6E....4..241..B.5DF.8..F6...49.7.3..DACC7.8.GA....4..E....C.2..3.....6D.45.F.1...2....EE..3.."
     "6.....8.2.6.8...3..EBD...591..46.ADC...3BG...F.B8...A..E...D.A.F.G47.6.C...C.G2.D.E...A6..D.G..1..C2.A."
     ".F.2B..5....D6E.G4.....A8.DB.7G.93678...EG6.......B"},
    {4, 0, 0x0a3f,
     ".1.9.4CD.B..E..8.3C2...A......46..F.6.........C.A......5EC.7.3.DC7D..F2E.A...B.....B5C.9..7.D4F..438.D."
     "B.......E9...4.A....G.68...E.CA.....6...9.G9FD.7.A4E.851.8.7C....D.12...F.A6.1.B4...F.....9..F.DCB.851."
     ".7.C.7.85.4GA39F.B6D.GA7.1F9.E...3...A..E3..D....4"},
    {4, 0, 0x083f,
     "7.GE...F..4.3A1.2.1.......F..6.9.F.5..G.9.16..B.A6D..4...G....5..1..F.243....GA5..5AG....9.8B4D.G73...."
     "9.4E..1...E.4..651A....3C...37.5E..A91.......9B1..7.2.3E4.9E.C64A..G5.D2......8..4..E.F9.436G..B7A8.C.."
     "....9B.1.C.FD..5G3.........EB.4....D.1.A.6.2.3C.7."},
};

TEST(Grading, PuzzlesAcceptedUnderTheStepBudgetGradeTheSame) {
    for (const Accepted& a : kAccepted) {
        const Grid puzzle = Parse(a.puzzle);
        SudokuBoard board(static_cast<int>(puzzle.size()));
        const Graded g = Grade(board, puzzle);
        EXPECT_EQ(g.unsolved, a.unsolved) << a.puzzle;
        EXPECT_EQ(g.used, a.used) << a.puzzle;
        EXPECT_TRUE(SudokuGenerator::Accepts(a.level, board)) << a.puzzle;
        EXPECT_EQ(board.chainBudgetHits, 0u);
    }
}

TEST(Grading, TheGeneratorsGradingWritesNoLogAndGradesAsALoggingSolve) {
    for (const Accepted& a : kAccepted) {
        const Grid puzzle = Parse(a.puzzle);
        const int n = static_cast<int>(puzzle.size());
        SudokuBoard logged(n), quiet(n);
        const Graded g = Grade(logged, puzzle);
        SudokuGenerator::Grade(quiet, puzzle);
        EXPECT_TRUE(quiet.log.empty()) << a.puzzle;
        EXPECT_TRUE(quiet.logging);
        EXPECT_EQ(quiet.unsolvedCount, g.unsolved) << a.puzzle;
        EXPECT_EQ(quiet.used, logged.used) << a.puzzle;
        EXPECT_EQ(quiet.GetValues(), logged.GetValues()) << a.puzzle;
    }
}

// Two 16 x 16 Very Hard attempts whose chain searches took more than 250 000 steps (some 10 to 15
// ms): the budget stopped them, and the grading solve stalled.
const char* const kLongSearches[] = {
    "A...5.2..CE74D.B.B.7A.1E..8..3G.G4C2..736..1F.9.38............1."
    "..FA2.E817.6......EB....D9..3..6...1...C...A58.......A...4521.F."
    "..A....17.CF....E..4..C.2.A.D.3G6F.5......1...A..C3.B.F.9E6..4.1"
    "B6..CF...14EAG5.1..3..A4B5..6.D...GC6..9AD...148.A4..B...62.9.E.",
    "..7E..2.6.GC..F.....B..7..A12..4.D639EA..F4B.1.C.1B.C63....9DG.."
    "368..F..7AC...E...A..79.1...G.36G.573..A94E..FD...291.8E..3..B.."
    "EFG....9..6........4........C..8..D...73F...56.2..168.5.E..7FAG."
    ".3F2.8....B.1.A9..4.6.....D3.8.F...D.....2.645..57ECA..1..FG...3",
};

TEST(Grading, ASearchPastTheOldStepBudgetRunsToItsEndWithinItsTime) {
    for (const char* text : kLongSearches) {
        const Grid puzzle = Parse(text);
        SudokuBoard budgeted(16);
        budgeted.chainStepBudget = 250'000;
        EXPECT_GT(Grade(budgeted, puzzle).unsolved, 0);
        EXPECT_GT(budgeted.chainBudgetHits, 0u);
        // A clock that stands before the deadline: every search ends of itself.
        SudokuBoard timed(16);
        timed.SetSearchDeadline([] { return std::int64_t{0}; }, 250);
        EXPECT_EQ(Grade(timed, puzzle).unsolved, 0);
        EXPECT_EQ(timed.chainBudgetHits, 0u);
        EXPECT_TRUE(SudokuGenerator::Accepts(4, timed));
        // A clock past the deadline stops the long searches after their first 1024 steps.
        auto reads = std::make_shared<int>(0);
        SudokuBoard late(16);
        late.SetSearchDeadline([reads] { return ++*reads, std::int64_t{300}; }, 250);
        EXPECT_GT(Grade(late, puzzle).unsolved, 0);
        EXPECT_GT(late.chainBudgetHits, 0u);
        EXPECT_EQ(static_cast<std::uint64_t>(*reads), late.chainBudgetHits);
    }
}

// A grading solve that the end of its slice cuts short is done again, whole, at the start of the
// next call, and the puzzle can be accepted then.
TEST(Grading, AGradingCutAtTheSliceEndIsRedoneInTheNextCall) {
    SudokuGenerator generator(5);
    SudokuBoard board(16);
    board.enabled[kTrialAndError] = false;
    auto t = std::make_shared<std::int64_t>(0);
    const SudokuGenerator::Clock clock = [t] { return ++*t; };  // 1 ms a read
    int acceptedOnResume = 0;
    for (int call = 0; call < 400 && acceptedOnResume == 0; ++call) {
        const GeneratorStats before = generator.stats;
        const bool accepted = generator.Generate(board, 4, clock, clock() + 50);
        const bool resumed = generator.stats.gradingsResumed > before.gradingsResumed;
        if (accepted && resumed && generator.stats.attempts == before.attempts) ++acceptedOnResume;
    }
    EXPECT_GT(acceptedOnResume, 0);
    EXPECT_EQ(generator.stats.chainBudgetHits, 0u);
}

}  // namespace
