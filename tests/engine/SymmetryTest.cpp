// Every technique on its known pattern, moved onto other values and places that must not change its
// outcome: the values relabelled (the pattern's lowest value becomes the board's highest), the board
// transposed (rows become columns, so each wing and each line case is met from both sides) and mirrored,
// and the patterns that use no block also on the 16 x 16 board with its highest value.
// The techniques that judge cells in board order (the wings and the chains start from the first of their
// cells) are only moved in ways that keep that order; the fish search one direction only (X-Wing on rows,
// Swordfish on columns), so transposed they must find nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "BoardBuilder.h"
#include "SudokuBoard.h"

namespace {

struct TMove {
    const char* name;
    bool transpose = false, mirrorRows = false, mirrorColumns = false, reverseValues = false;
    int size = 9;  // on a 16 x 16 board the highest value is 16
    bool KeepsOrder() const { return !mirrorRows && !mirrorColumns; }
};

// A pattern written for the unmoved board, applied through a move.
class TFrame {
  public:
    TFrame(SudokuBoard& board, const TMove& move) : b(board), m(move), N(board.size) {}

    std::pair<int, int> At(int r, int k) const {
        if (m.mirrorRows) r = N - 1 - r;
        if (m.mirrorColumns) k = N - 1 - k;
        return m.transpose ? std::pair{k, r} : std::pair{r, k};
    }
    int V(int v) const { return m.reverseValues && v != 0 ? N + 1 - v : v; }
    SudokuCell* Cell(int r, int k) const {
        const auto [rr, kk] = At(r, k);
        return b.Cell(rr, kk);
    }

    void Place(int r, int k, int v) const {
        const auto [rr, kk] = At(r, k);
        b.SetValue(rr, kk, V(v));
    }
    void Only(int r, int k, std::initializer_list<int> values) const {
        for (int v = 1; v <= N; ++v)
            if (std::find(values.begin(), values.end(), v) == values.end())
                Cell(r, k)->InsertEliminated(V(v));
    }
    void Drop(int r, int k, int v) const { Cell(r, k)->InsertEliminated(V(v)); }
    // v stays only at the listed places of row `line` (or column, when byColumn).
    void Confine(bool byColumn, int line, int v, std::initializer_list<int> keep) const {
        for (int i = 0; i < N; ++i)
            if (std::find(keep.begin(), keep.end(), i) == keep.end())
                byColumn ? Drop(i, line, v) : Drop(line, i, v);
    }
    // v stays only at the listed cells of the whole board.
    void ValueOnlyAt(int v, std::initializer_list<std::pair<int, int>> cells) const {
        for (int r = 0; r < N; ++r)
            for (int k = 0; k < N; ++k)
                if (std::find(cells.begin(), cells.end(), std::pair{r, k}) == cells.end()) Drop(r, k, v);
    }

    SudokuCellSet* Row(int i) const {
        const int line = m.mirrorRows ? N - 1 - i : i;
        return m.transpose ? static_cast<SudokuCellSet*>(b.columns[size_t(line)].get())
                           : static_cast<SudokuCellSet*>(b.rows[size_t(line)].get());
    }
    SudokuCellSet* Column(int i) const {
        const int line = m.mirrorColumns ? N - 1 - i : i;
        return m.transpose ? static_cast<SudokuCellSet*>(b.rows[size_t(line)].get())
                           : static_cast<SudokuCellSet*>(b.columns[size_t(line)].get());
    }
    SudokuBlock* Block(int bandRow, int bandColumn) const {
        const auto [r, k] = At(bandRow * 3, bandColumn * 3);
        return b.blocks[size_t(r / 3 * 3 + k / 3)].get();
    }

    bool Dropped(int r, int k, int v) const { return HasValue(Cell(r, k)->Eliminated(), V(v)); }
    int Value(int r, int k) const { return V(Cell(r, k)->Value()); }

    SudokuBoard& b;
    const TMove& m;
    const int N;
};

struct TPattern {
    const char* name;
    bool anyPlace;  // holds wherever its cells lie, not only in the order written
    bool oneWay;    // searches one direction only: transposed, it finds nothing
    bool anySize;   // uses no block, so it holds on the 16 x 16 board as written
    std::function<void(const TFrame&)> build;
    std::function<bool(const TFrame&)> find;
    std::function<void(const TFrame&)> check;
};

const TPattern Patterns[] = {
    {"NakedSingle", true, false, false,
     [](const TFrame& f) {
         for (int k = 1; k <= 6; ++k) f.Place(4, k, k);  // row 4 holds 1..6, column 0 holds 8 and 9
         f.Place(0, 0, 8);
         f.Place(1, 0, 9);
     },
     [](const TFrame& f) { return f.b.FindNakedSingle(f.Cell(4, 0)); },
     [](const TFrame& f) { EXPECT_EQ(f.Value(4, 0), 7); }},
    {"HiddenSingle", true, false, false,
     [](const TFrame& f) {
         f.Only(0, 0, {1, 5});
         for (int r = 0; r < 3; ++r)
             for (int k = 0; k < 3; ++k)
                 if (r + k > 0) f.Drop(r, k, 1);
     },
     [](const TFrame& f) { return f.b.FindHiddenSingle(f.Cell(0, 0)); },
     [](const TFrame& f) { EXPECT_EQ(f.Value(0, 0), 1); }},
    {"NakedPair", true, false, true,
     [](const TFrame& f) {
         f.Only(1, 4, {1, 9});
         f.Only(6, 4, {1, 9});
     },
     [](const TFrame& f) { return f.b.FindNakedSubset(f.Column(4)); },
     [](const TFrame& f) {
         for (int r : {0, 3, 8}) EXPECT_TRUE(f.Dropped(r, 4, 1) && f.Dropped(r, 4, 9)) << r;
         EXPECT_FALSE(f.Dropped(1, 4, 1));
         EXPECT_FALSE(f.Dropped(3, 3, 1)) << "outside the house";
     }},
    {"HiddenPair", true, false, false,
     [](const TFrame& f) {
         for (int r = 0; r < 3; ++r)
             for (int k = 0; k < 3; ++k)
                 if (!(r == 0 && k == 2) && !(r == 2 && k == 1)) {
                     f.Drop(r, k, 1);
                     f.Drop(r, k, 9);
                 }
         f.Only(0, 2, {1, 3, 5, 9});
         f.Only(2, 1, {1, 3, 5, 9});
     },
     [](const TFrame& f) { return f.b.FindHiddenSubset(f.Block(0, 0)); },
     [](const TFrame& f) {
         for (auto [r, k] : {std::pair{0, 2}, {2, 1}}) {
             EXPECT_TRUE(f.Dropped(r, k, 3) && f.Dropped(r, k, 5));
             EXPECT_FALSE(f.Dropped(r, k, 1) || f.Dropped(r, k, 9));
         }
     }},
    {"BlockLine", true, false, false,
     [](const TFrame& f) {
         for (int r = 0; r < 3; ++r)
             for (int k = 3; k < 6; ++k)
                 if (!(r == 1 && (k == 3 || k == 5))) f.Drop(r, k, 1);
     },
     [](const TFrame& f) { return f.b.FindBlockLineRestriction(f.Block(0, 1)); },
     [](const TFrame& f) {
         EXPECT_TRUE(f.Dropped(1, 0, 1));
         EXPECT_TRUE(f.Dropped(1, 8, 1));
         EXPECT_FALSE(f.Dropped(1, 3, 1));
         EXPECT_FALSE(f.Dropped(0, 0, 1)) << "another row";
     }},
    {"BlockBlock", true, false, false,
     [](const TFrame& f) {
         for (int r = 0; r < 6; ++r) f.Drop(r, 2, 1);
     },
     [](const TFrame& f) { return f.b.FindBlockBlockRestriction(f.Block(0, 0), f.Block(1, 0)); },
     [](const TFrame& f) {
         EXPECT_TRUE(f.Dropped(8, 0, 1));
         EXPECT_TRUE(f.Dropped(6, 1, 1));
         EXPECT_FALSE(f.Dropped(8, 2, 1));
     }},
    {"XWing", true, true, true,
     [](const TFrame& f) {
         f.Confine(false, 2, 1, {1, 7});
         f.Confine(false, 6, 1, {1, 7});
     },
     [](const TFrame& f) { return f.b.FindXWing(); },
     [](const TFrame& f) {
         EXPECT_TRUE(f.Dropped(0, 7, 1));
         EXPECT_TRUE(f.Dropped(4, 1, 1));
         EXPECT_FALSE(f.Dropped(2, 1, 1));
         EXPECT_FALSE(f.Dropped(4, 2, 1));
     }},
    {"Swordfish", true, true, true,
     [](const TFrame& f) {
         f.Confine(true, 0, 1, {1, 4});
         f.Confine(true, 3, 1, {4, 8});
         f.Confine(true, 6, 1, {1, 8});
     },
     [](const TFrame& f) { return f.b.FindSwordfish(); },
     [](const TFrame& f) {
         for (int r : {1, 4, 8})
             for (int k : {1, 2, 4, 5, 7, 8}) EXPECT_TRUE(f.Dropped(r, k, 1)) << r << k;
         EXPECT_FALSE(f.Dropped(1, 0, 1));
         EXPECT_FALSE(f.Dropped(2, 1, 1));
     }},
    {"XYWing", false, false, true,
     [](const TFrame& f) {
         f.Only(0, 0, {1, 2});
         f.Only(0, 5, {1, 9});
         f.Only(4, 0, {2, 9});
     },
     [](const TFrame& f) { return f.b.FindXYWing(); },
     [](const TFrame& f) {
         EXPECT_TRUE(f.Dropped(4, 5, 9));
         EXPECT_FALSE(f.Dropped(4, 5, 1));
     }},
    {"XYZWing", false, false, false,
     [](const TFrame& f) {
         f.Only(0, 0, {1, 2, 9});
         f.Only(0, 6, {1, 9});
         f.Only(1, 1, {1, 2});
     },
     [](const TFrame& f) { return f.b.FindXYZWing(); },
     [](const TFrame& f) {
         EXPECT_TRUE(f.Dropped(0, 1, 1));
         EXPECT_TRUE(f.Dropped(0, 2, 1));
         EXPECT_FALSE(f.Dropped(0, 3, 1)) << "outside the pivot's block";
     }},
    {"Colouring", false, false, false,
     [](const TFrame& f) {
         f.ValueOnlyAt(1, {{3, 0}, {3, 4}, {7, 4}, {7, 1}, {4, 1}, {5, 2}});
     },
     [](const TFrame& f) { return f.b.FindColorRestriction(); },
     [](const TFrame& f) {
         for (auto [r, k] : {std::pair{3, 0}, {4, 1}, {7, 4}}) EXPECT_TRUE(f.Dropped(r, k, 1)) << r << k;
         EXPECT_FALSE(f.Dropped(3, 4, 1));
     }},
    {"XYChain", false, false, true,
     [](const TFrame& f) {
         f.Only(0, 0, {1, 2});
         f.Only(0, 4, {2, 9});
         f.Only(4, 4, {9, 1});
     },
     [](const TFrame& f) { return f.b.FindXYChain(); },
     [](const TFrame& f) {
         EXPECT_TRUE(f.Dropped(4, 0, 1));
         EXPECT_FALSE(f.Dropped(4, 0, 9));
     }},
    {"RemoteChains", false, false, true,
     [](const TFrame& f) {
         for (auto [r, k] : {std::pair{0, 0}, {0, 4}, {4, 4}, {4, 8}}) f.Only(r, k, {1, 9});
     },
     [](const TFrame& f) { return f.b.FindRemoteChains(); },
     [](const TFrame& f) {
         EXPECT_TRUE(f.Dropped(4, 0, 1) && f.Dropped(4, 0, 9));
         EXPECT_TRUE(f.Dropped(0, 8, 1) && f.Dropped(0, 8, 9));
     }},
    {"ForcedChain", false, false, true,
     [](const TFrame& f) {
         f.Only(0, 0, {1, 2});
         f.Only(0, 4, {1, 3});
         f.Only(4, 0, {2, 3});
         f.Only(4, 4, {3, 9});
     },
     [](const TFrame& f) { return f.b.FindForcedChain(); },
     [](const TFrame& f) {
         EXPECT_EQ(f.Value(4, 4), 9);
         EXPECT_EQ(f.Value(0, 0), 0);
     }},
};

const TMove Moves[] = {
    {"AsWritten"},
    {"Transposed", true},
    {"HighestValue", false, false, false, true},
    {"TransposedHighestValue", true, false, false, true},
    {"MirroredRows", false, true},
    {"MirroredColumns", false, false, true},
    {"Turned", true, true, true, true},
    {"SixteenHighestValue", false, false, false, true, 16},
    {"SixteenTransposed", true, false, false, false, 16},
};

struct TCase {
    const TPattern* pattern;
    const TMove* move;
};

std::vector<TCase> Cases() {
    std::vector<TCase> cases;
    for (const TPattern& p : Patterns)
        for (const TMove& m : Moves)
            if ((p.anyPlace || m.KeepsOrder()) && (p.anySize || m.size == 9)) cases.push_back({&p, &m});
    return cases;
}

void PrintTo(const TCase& c, std::ostream* out) {
    *out << c.pattern->name << " " << c.move->name;
}

class Symmetry : public ::testing::TestWithParam<TCase> {};

TEST_P(Symmetry, FindsTheSameDeductionMoved) {
    const TPattern& p = *GetParam().pattern;
    SudokuBoard board(GetParam().move->size);
    const TFrame frame(board, *GetParam().move);
    p.build(frame);
    if (p.oneWay && GetParam().move->transpose) {
        EXPECT_FALSE(p.find(frame));
        return;
    }
    ASSERT_TRUE(p.find(frame));
    p.check(frame);
    EXPECT_FALSE(p.find(frame)) << "nothing new the second time";
}

INSTANTIATE_TEST_SUITE_P(Techniques, Symmetry, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TCase>& info) {
                             return std::string(info.param.pattern->name) + "_" + info.param.move->name;
                         });

}  // namespace
