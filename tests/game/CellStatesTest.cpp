// Every state a cell can show, on every board size: whole frames of the cells alone compared with
// references (givens, the player's numbers right and wrong, a conflict, pencil marks from the lowest to
// the highest, the highlighter and the pointer's tile with its hint line), the exact place, font and colour
// of each pencil mark, the board's layout to the pixel, and the click rules at the first and last row,
// column and number.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "BoardWorld.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "presentation/DrawHelpers.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"
#include "support/Golden.h"

namespace {

using board::BoardWorld;

class CellStatesTest : public BoardWorld {
  protected:
    // A control click holds the right Control key (the cells suite holds the left one).
    void Click(int x, int y, int button = 1, bool ctrl = false) {
        ManagedClick(x, y, button, ctrl ? KEY_RCONTROL : 0);
    }

    // The number texts one cell draws, with their commands.
    std::vector<const TDrawCommand*> TextsOf(TCell& cell) {
        rec.calls.clear();
        SetColor(10, 20, 30);
        SetImageFont(FontCalibri20);  // whatever was drawn before
        cell.DrawSpecial(0);
        return rec.Find("DrawText");
    }

    static std::vector<int> Rgb(const TDrawCommand& c) { return {c.state.red, c.state.green, c.state.blue}; }
};

struct TSize {
    int n, regionW, regionH;
    std::shared_ptr<TImageFont>* markFont;
    int markX, markY, stepX, stepY;
};

const TSize Sizes[] = {
    {4, 2, 2, &FontCalibri16, 5, 1, 15, 16}, {6, 3, 2, &FontCalibri14, 4, 1, 9, 16},
    {9, 3, 3, &FontCalibri12, 4, 1, 9, 10},  {12, 4, 3, &FontCalibri11, 3, 1, 7, 10},
    {16, 4, 4, &FontCalibri10, 3, -1, 7, 8},
};

// Each pencil mark k sits in column (k - 1) % region width and row (k - 1) / region width of its cell, in
// the size's own font, white; a mark switched off draws nothing.
TEST_F(CellStatesTest, EveryPencilMarkHasItsPlaceAndFontOnEverySize) {
    for (const TSize& size : Sizes) {
        SCOPED_TRACE(size.n);
        NewBoard(size.n);
        ASSERT_EQ(std::pair(RegionWidth, RegionHeight), std::pair(size.regionW, size.regionH));
        // An empty cell in the last column and one in the first, so both ends of the board are drawn.
        for (int x : {size.n - 1, 0}) {
            int y = 0;
            while (Puzzle[x][y] != 0) ++y;
            TCell* cell = CellAt(x, y);
            ASSERT_NE(cell, nullptr);
            for (int k = 0; k < 16; ++k) Markup[x][y][k] = k < size.n ? 1 : 0;
            const auto texts = TextsOf(*cell);
            ASSERT_EQ(texts.size(), size_t(size.n));
            for (int k = 0; k < size.n; ++k) {
                const TDrawCommand& c = *texts[k];
                EXPECT_EQ(c.text, CellSymbol(k + 1));
                const int column = k % size.regionW, row = k / size.regionW;
                EXPECT_FLOAT_EQ(c.args[0], cell->x - 16 + size.markX + column * size.stepX) << k;
                EXPECT_FLOAT_EQ(c.args[1], cell->y - 16 + size.markY + row * size.stepY) << k;
                EXPECT_EQ(c.state.font, *size.markFont) << k;
                EXPECT_EQ(Rgb(c), (std::vector<int>{255, 255, 255}));
            }
            // The lowest and the highest alone.
            for (int only : {0, size.n - 1}) {
                Markup[x][y] = {};
                Markup[x][y][only] = 1;
                const auto one = TextsOf(*cell);
                ASSERT_EQ(one.size(), 1u);
                EXPECT_EQ(one[0]->text, CellSymbol(only + 1));
            }
            // Marks beyond the board's numbers are never drawn.
            Markup[x][y] = {};
            for (int k = size.n; k < 16; ++k) Markup[x][y][k] = 1;
            EXPECT_TRUE(TextsOf(*cell).empty());
        }
    }
}

// Every size's cells, tile by tile: 32 pixels apart, the board 80 pixels right of the screen's centre and
// 10 pixels above it, regions shaded in turn with the two tile pictures, first and last row and column.
TEST_F(CellStatesTest, EverySizeLaysItsCellsOutOnTheSameGrid) {
    const TImage* shade[2] = {ImageBank->Find("cell1")->image.get(), ImageBank->Find("cell2")->image.get()};
    const struct {
        int n, left, top;
    } rows[] = {{4, 416, 226}, {6, 384, 194}, {9, 336, 146}, {12, 288, 98}, {16, 224, 34}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.n);
        NewBoard(row.n);
        ASSERT_EQ(CellList.Count(), row.n * row.n);
        std::set<std::pair<int, int>> seen;
        int i = 0;
        for (const auto& cell : CellList.Items()) {
            const int x = cell->ArrayLocationX, y = cell->ArrayLocationY;
            EXPECT_EQ(std::pair(x, y), std::pair(i / row.n, i % row.n)) << "column by column";
            ++i;
            seen.insert({x, y});
            EXPECT_EQ(cell->Cells, &CellList);
            EXPECT_EQ(cell->TargetX, row.left + 32 * x);
            EXPECT_EQ(cell->TargetY, row.top + 32 * y);
            EXPECT_FLOAT_EQ(cell->x, float(cell->TargetX));
            EXPECT_FLOAT_EQ(cell->y, float(cell->TargetY));
            const int region = (x / RegionWidth + y / RegionHeight) % 2;
            EXPECT_EQ(cell->CellRegion, region);
            rec.calls.clear();
            cell->DrawSpecial(0);
            const auto images = rec.Find("DrawImage");
            ASSERT_FALSE(images.empty());
            EXPECT_EQ(images[0]->image, shade[region]) << x << "," << y;
            EXPECT_FLOAT_EQ(images[0]->args[0], float(cell->TargetX));
            EXPECT_FLOAT_EQ(images[0]->args[1], float(cell->TargetY));
        }
        EXPECT_EQ(seen.size(), size_t(row.n * row.n));
    }
}

// The pointer belongs to a cell strictly inside the 32 x 32 square around its centre: 15 pixels off the
// centre in any direction is inside, 16 is outside.
TEST_F(CellStatesTest, ThePointerBelongsToTheCellStrictlyInsideItsSquare) {
    NewBoard(9);
    for (const auto& [ax, ay] : {std::pair{0, 0}, {8, 8}, {3, 5}}) {
        TCell* cell = CellAt(ax, ay);
        const int cx = int(cell->x), cy = int(cell->y);
        const struct {
            int dx, dy;
            bool inside;
        } rows[] = {{0, 0, true},    {-15, -15, true}, {15, 15, true},   {-15, 15, true}, {15, -15, true},
                    {-16, 0, false}, {16, 0, false},   {0, -16, false},  {0, 16, false},  {-15, -16, false},
                    {15, 16, false}, {-16, 15, false}, {16, -15, false}, {40, 3, false},  {3, 40, false}};
        for (const auto& row : rows) {
            Game->Mouse->x = cx + row.dx;
            Game->Mouse->y = cy + row.dy;
            EXPECT_EQ(cell->IsMouseOver(), row.inside ? 1 : 0)
                << ax << "," << ay << " " << row.dx << "," << row.dy;
            if (row.inside) {
                EXPECT_EQ(CellList.CellUnderPointer(), cell);
            }
        }
    }
    Game->Mouse->x = Game->Mouse->y = -100;
    EXPECT_EQ(CellList.CellUnderPointer(), nullptr);
}

// A cell that reaches its place stops there at once, whether it lands on it exactly or would pass it.
TEST_F(CellStatesTest, ACellAtItsPlaceIsStill) {
    NewBoard(9);
    TCell* cell = CellAt(2, 3);
    for (float offset : {10.0f, 1.0f}) {
        SCOPED_TRACE(offset);
        cell->y = float(cell->TargetY) - offset;
        cell->x = float(cell->TargetX) - 5.0f;
        cell->dx = 2.5f;
        cell->dy = 2.5f;
        Delta = 1.0f;
        for (int i = 0; i < 4; ++i) {
            cell->Move();
            EXPECT_LE(cell->y, float(cell->TargetY));
            EXPECT_LE(cell->x, float(cell->TargetX));
        }
        EXPECT_FLOAT_EQ(cell->y, float(cell->TargetY));
        EXPECT_FLOAT_EQ(cell->x, float(cell->TargetX));
        EXPECT_FLOAT_EQ(cell->dy, 0.0f);
        EXPECT_FLOAT_EQ(cell->dx, 0.0f);
    }
    // Landing exactly on the place stops it in that very step.
    cell->y = float(cell->TargetY) - 5.0f;
    cell->dy = 2.5f;
    cell->Move();
    cell->Move();
    EXPECT_FLOAT_EQ(cell->y, float(cell->TargetY));
    EXPECT_FLOAT_EQ(cell->dy, 0.0f);
    cell->x = float(cell->TargetX);
    cell->dx = 3.0f;
    cell->Move();
    EXPECT_FLOAT_EQ(cell->dx, 0.0f);
}

// Over many seeded fly-ins every column's start gap takes both ends of 15..50 pixels and nothing outside.
TEST_F(CellStatesTest, FlyInGapsCoverFifteenToFiftyPixels) {
    SeedRnd(241);
    std::map<int, int> gaps;
    for (int round = 0; round < 4; ++round) {
        ++board::Now;  // a new puzzle seeds the generator from the clock
        NewBoard(16, 1);
        const int top = (ScreenHeight - 16 * 32) / 2 - 10;
        std::map<int, float> last;
        for (const auto& cell : CellList.Items()) {
            const int x = cell->ArrayLocationX, y = cell->ArrayLocationY;
            const float base = y == 0 ? float(-top - 16 * 67) : last[x] + 32;
            ++gaps[int(cell->y - base)];
            last[x] = cell->y;
        }
    }
    ASSERT_FALSE(gaps.empty());
    EXPECT_EQ(gaps.begin()->first, 15);
    EXPECT_EQ(gaps.rbegin()->first, 50);
}

// A board whose fields cannot be held (no region shape, more than 16 rows or columns, none) gets no cells.
TEST_F(CellStatesTest, ImpossibleBoardsGetNoCells) {
    const struct {
        int width, height, regionW, regionH;
        bool cells;
    } rows[] = {{16, 16, 4, 4, true},  {1, 1, 1, 1, true},    {0, 0, 3, 3, false}, {17, 17, 4, 4, false},
                {16, 17, 4, 4, false}, {17, 16, 4, 4, false}, {9, 9, 0, 3, false}, {9, 9, 3, 0, false},
                {9, 9, -1, 3, false},  {9, 9, 3, -1, false}};
    for (const auto& row : rows) {
        NewBoard(9);
        PuzzleWidth = row.width, PuzzleHeight = row.height;
        RegionWidth = row.regionW, RegionHeight = row.regionH;
        CreateBoardCells(0);
        EXPECT_EQ(CellList.Count(), row.cells ? row.width * row.height : 0)
            << row.width << "x" << row.height << " " << row.regionW << "x" << row.regionH;
    }
    PuzzleWidth = PuzzleHeight = 9;
    Core.SetPuzzleRegion();
}

// Cells left from a 16 x 16 board while the fields say more never reach past the grids: no number,
// mark or click outside them (the library's bounds checks abort the test where one would).
TEST_F(CellStatesTest, CellsNeverReachPastTheGrids) {
    NewBoard(16);
    Locked = {};
    PuzzleWidth = PuzzleHeight = 17;
    PreventDoubleNumbers = 0;
    for (const auto& cell : CellList.Items()) {
        Markup[cell->ArrayLocationX][cell->ArrayLocationY].fill(1);
        cell->DrawSpecial(1);
    }
    ChosenNumber = 16;
    Click(15, 15);
    EXPECT_EQ(Puzzle[15][15], 16);
    Click(15, 15, 2);
    EXPECT_EQ(Markup[15][15][15], 1) << "the mark n = 16 toggled on again after the number cleared them";
    TCell* cell = CellAt(15, 15);
    for (const auto& [ax, ay] : {std::pair{16, 0}, {0, 16}, {-1, 0}, {0, -1}}) {
        cell->ArrayLocationX = ax, cell->ArrayLocationY = ay;
        const auto before = Puzzle;
        rec.calls.clear();
        cell->DrawSpecial(1);
        EXPECT_TRUE(rec.Find("DrawText").empty()) << ax << "," << ay;
        EXPECT_TRUE(rec.Find("DrawImage").empty()) << ax << "," << ay;
        MoveMouse(int(cell->x), int(cell->y));
        Press(1);
        Game->DoPeekEvent();
        cell->Manage();
        Release(1);
        Game->DoPeekEvent();
        EXPECT_EQ(Puzzle, before);
    }
    PuzzleWidth = PuzzleHeight = 16;
}

// The first and last cells take numbers, marks and the eraser like any other; the highest number of each
// size is as good as the lowest.
TEST_F(CellStatesTest, FirstAndLastCellsAndNumbersOfEverySize) {
    for (const TSize& size : Sizes) {
        const int n = size.n;
        SCOPED_TRACE(n);
        NewBoard(n);
        Locked = {};
        PreventDoubleNumbers = 0;
        for (const auto& [x, y] : {std::pair{0, 0}, {n - 1, n - 1}, {0, n - 1}, {n - 1, 0}}) {
            for (int number : {1, n}) {
                Puzzle[x][y] = 0;
                Markup[x][y] = {};
                Markup[x][y][0] = Markup[x][y][n - 1] = 1;
                ChosenNumber = number;
                Click(x, y);
                EXPECT_EQ(Puzzle[x][y], number) << x << "," << y;
                EXPECT_EQ(Markup[x][y][0] + Markup[x][y][n - 1], 0) << "the number clears the cell's marks";
                Click(x, y, 2);
                EXPECT_EQ(Puzzle[x][y], 0);
                EXPECT_EQ(Markup[x][y][number - 1], 1);
                Click(x, y, 1, true);
                EXPECT_EQ(Markup[x][y][number - 1], 0);
            }
            Puzzle[x][y] = 2;
            ChosenNumber = 0;
            Click(x, y);
            EXPECT_EQ(Puzzle[x][y], 0) << "erased";
            // A right click with the eraser changes nothing.
            Puzzle[x][y] = 2;
            Markup[x][y][1] = 1;
            Click(x, y, 2);
            EXPECT_EQ(Puzzle[x][y], 2);
            EXPECT_EQ(Markup[x][y][1], 1);
        }
        // One past the highest number is never written nor marked.
        ChosenNumber = n + 1;
        Puzzle[1][1] = 0;
        Markup[1][1] = {};
        Click(1, 1);
        Click(1, 1, 2);
        EXPECT_EQ(Puzzle[1][1], 0);
        EXPECT_EQ(Markup[1][1], TByteGrid::value_type{});
    }
}

// A right click is a mark and nothing else: it never trips the double-number guard, and the automatic
// marks never see the number a left click would have written.
TEST_F(CellStatesTest, ARightClickNeverActsAsALeftOne) {
    NewBoard(9);
    // An empty cell whose column holds a number.
    int x = -1, y = -1, clash = 0;
    for (int cx = 0; cx < 9 && x < 0; ++cx)
        for (int cy = 0; cy < 9 && x < 0; ++cy)
            if (Puzzle[cx][cy] == 0)
                for (int yy = 0; yy < 9; ++yy)
                    if (Puzzle[cx][yy] != 0) x = cx, y = cy, clash = Puzzle[cx][yy];
    ASSERT_GE(x, 0);
    ChosenNumber = clash;
    Click(x, y, 2);
    EXPECT_EQ(ConflictShown, 0);
    EXPECT_EQ(Markup[x][y][clash - 1], 1);
    // With automatic marks on, the right-clicked number stays a candidate of the cell's row.
    Core.ShowHideMarkup();
    const int answer = Solution[x][y];
    ChosenNumber = answer;
    int other = -1;
    for (int xx = 0; xx < 9; ++xx)
        if (xx != x && Markup[xx][y][answer - 1] == 1) other = xx;
    ASSERT_GE(other, 0);
    Click(x, y, 2);
    EXPECT_EQ(Puzzle[x][y], 0);
    EXPECT_EQ(Markup[other][y][answer - 1], 1);
}

// The armed reveal clears every mark of the revealed cell (and no other's), and recomputes the
// automatic marks when they are on.
TEST_F(CellStatesTest, TheRevealClearsItsOwnCellsMarksAndUpdatesTheAutomaticOnes) {
    NewBoard(9);
    Locked = {};
    const int x = 2, y = 7;
    ASSERT_EQ(Puzzle[x][y], 0);
    ASSERT_EQ(Puzzle[y][x], 0);
    for (int k = 0; k < 9; ++k) Markup[x][y][k] = Markup[y][x][k] = 1;
    Core.ShowDesiredCell();
    Click(x, y);
    EXPECT_EQ(Puzzle[x][y], Solution[x][y]);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(Markup[x][y][k], 0) << k;
        EXPECT_EQ(Markup[y][x][k], 1) << k;
    }
    Puzzle[x][y] = 0;
    Core.ShowHideMarkup();
    const int answer = Solution[x][y];
    int offered = 0;
    for (int xx = 0; xx < 9; ++xx) offered += xx != x ? Markup[xx][y][answer - 1] : 0;
    ASSERT_GT(offered, 0);
    Core.ShowDesiredCell();
    Click(x, y);
    for (int xx = 0; xx < 9; ++xx) EXPECT_EQ(Markup[xx][y][answer - 1], 0) << xx;
}

// The highlighter needs both a row and a column; it lights the first and last row, column and region.
TEST_F(CellStatesTest, TheHighlighterNeedsBothCoordinatesAndReachesTheEdges) {
    NewBoard(9);
    ShowHighlighter = 1;
    Game->Mouse->x = Game->Mouse->y = -100;
    const TImage* lit = ImageBank->Find("cell3")->image.get();
    const struct { int hx, hy; } rows[] = {{-1, -1}, {4, -1}, {-1, 4}, {0, 0}, {8, 8}, {0, 8}};
    for (const auto& row : rows) {
        HighlightX = row.hx, HighlightY = row.hy;
        const bool on = row.hx != -1 && row.hy != -1;
        for (const auto& cell : CellList.Items()) {
            const int x = cell->ArrayLocationX, y = cell->ArrayLocationY;
            rec.calls.clear();
            cell->DrawSpecial(1);
            const auto images = rec.Find("DrawImage");
            ASSERT_FALSE(images.empty());
            const bool want =
                on && (x == row.hx || y == row.hy || (x / 3 == row.hx / 3 && y / 3 == row.hy / 3));
            EXPECT_EQ(images[0]->image == lit, want) << row.hx << "," << row.hy << " at " << x << "," << y;
            if (want) {
                EXPECT_FLOAT_EQ(images[0]->args[0], cell->x);
                EXPECT_FLOAT_EQ(images[0]->args[1], cell->y);
            }
        }
    }
    // Without a region shape only the row and column light up.
    RegionWidth = 0;
    HighlightX = HighlightY = 4;
    for (const auto& cell : CellList.Items()) {
        rec.calls.clear();
        cell->DrawSpecial(1);
        const bool want = cell->ArrayLocationX == 4 || cell->ArrayLocationY == 4;
        EXPECT_EQ(rec.Find("DrawImage")[0]->image == lit, want);
    }
    RegionWidth = 3;
    RegionHeight = 0;
    for (const auto& cell : CellList.Items()) {
        rec.calls.clear();
        cell->DrawSpecial(1);
        const bool want = cell->ArrayLocationX == 4 || cell->ArrayLocationY == 4;
        EXPECT_EQ(rec.Find("DrawImage")[0]->image == lit, want);
    }
    Core.SetPuzzleRegion();
    ShowHighlighter = 0;
    HighlightX = HighlightY = -1;
}

// The hover tile is drawn on the cell itself, and the number or marks over it.
TEST_F(CellStatesTest, TheHoverTileSitsOnItsCellUnderTheNumber) {
    NewBoard(9);
    TCell* cell = CellAt(0, 0);
    ASSERT_NE(Puzzle[0][0], 0);
    Game->Mouse->x = int(cell->x) + 3, Game->Mouse->y = int(cell->y) - 3;
    rec.calls.clear();
    cell->DrawSpecial(1);
    const auto images = rec.Find("DrawImage");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->image, ImageBank->Find("cell3")->image.get());
    EXPECT_FLOAT_EQ(images[0]->args[0], cell->x);
    EXPECT_FLOAT_EQ(images[0]->args[1], cell->y);
    bool number = false;
    for (const TDrawCommand* c : rec.Find("DrawText")) number = number || c->text == CellSymbol(Puzzle[0][0]);
    EXPECT_TRUE(number);
}

// A falling cell draws its number, its pencil marks and the solution on whole pixels.
TEST_F(CellStatesTest, AFallingCellDrawsOnWholePixels) {
    NewBoard(9);
    TCell* given = CellAt(0, 0);
    TCell* empty = CellAt(0, 1);
    ASSERT_NE(Puzzle[0][0], 0);
    ASSERT_EQ(Puzzle[0][1], 0);
    Markup[0][1][0] = Markup[0][1][8] = 1;
    for (TCell* cell : {given, empty}) {
        cell->x = float(cell->TargetX) + 0.25f;
        cell->y = float(cell->TargetY) - 7.5f;
    }
    Game->Mouse->x = Game->Mouse->y = -100;
    for (int solution : {0, 1}) {
        ShowSolution = solution;
        for (TCell* cell : {given, empty}) {
            const auto texts = TextsOf(*cell);
            ASSERT_FALSE(texts.empty());
            for (const TDrawCommand* c : texts) {
                EXPECT_FLOAT_EQ(c->args[0], std::floor(c->args[0])) << c->text << " " << solution;
                EXPECT_FLOAT_EQ(c->args[1], std::floor(c->args[1])) << c->text << " " << solution;
            }
        }
    }
    ShowSolution = 0;
}

// The hint line is white in its own font at the foot of the screen, whatever was drawn before.
TEST_F(CellStatesTest, TheHintLineIsWhiteWhateverCameBefore) {
    NewBoard(9);
    const struct {
        int x, y, custom;
        const char* key;
    } rows[] = {{0, 0, 0, "Locked Cell"}, {8, 7, 0, "Cell Message Text"}, {8, 7, 1, "Cell Message Only"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        CustomPuzzleMode = row.custom;
        TCell* cell = CellAt(row.x, row.y);
        Game->Mouse->x = int(cell->x), Game->Mouse->y = int(cell->y);
        rec.calls.clear();
        SetColor(10, 20, 30);
        SetImageFont(FontCalibri10);
        cell->DrawSpecial(1);
        const TDrawCommand* hint = nullptr;
        for (const TDrawCommand* c : rec.Find("DrawText"))
            if (c->text == GameText->FindString(row.key)) hint = c;
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(Rgb(*hint), (std::vector<int>{255, 255, 255}));
        EXPECT_EQ(hint->state.font, FontCalibri25);
        EXPECT_FLOAT_EQ(hint->args[1], 565.0f);
    }
    CustomPuzzleMode = 0;
}

// ---- whole frames of the cells alone ----

class CellFramesTest : public CellStatesTest {
  protected:
    void SetUp() override {
        CellStatesTest::SetUp();
        DrawOffscreen();
    }
    void TearDown() override {
        SetDrawBackend(&rec);
        offscreenBackend.reset();
        CellStatesTest::TearDown();
    }

    // The cells of an n x n board in every state at once, drawn over black.
    void DrawStates(int n) {
        NewBoard(n);
        // Column 0: the givens as dealt; the first empty cells of column 1 take a right and a wrong number
        // of the player, shown as a mistake; a given of column 2 flashes in conflict.
        int placed = 0;
        for (int y = 0; y < n && placed < 2; ++y)
            if (Puzzle[1][y] == 0) {
                Puzzle[1][y] =
                    static_cast<std::uint8_t>(placed == 0 ? Solution[1][y] : Solution[1][y] % n + 1);
                ++placed;
            }
        ShowMistakes = 1;
        for (int y = 0; y < n; ++y)
            if (Locked[2][y] == 1) {
                ConflictShown = 1, ConflictX = 2, ConflictY = y;
                break;
            }
        // On the largest board the letters, the first and the last, stand in the player's numbers.
        if (n == 16) {
            Puzzle[3][1] = 10;
            Puzzle[3][2] = 16;
            Solution[3][1] = 10;
            Solution[3][2] = 16;
        }
        // The last column's empty cells: all marks, the lowest alone, the highest alone.
        int marked = 0;
        for (int y = 0; y < n && marked < 3; ++y)
            if (Puzzle[n - 1][y] == 0) {
                for (int k = 0; k < n; ++k)
                    Markup[n - 1][y][k] =
                        marked == 0 || (marked == 1 && k == 0) || (marked == 2 && k == n - 1);
                ++marked;
            }
        // The highlighter on a cell of the middle; the pointer on the first cell, a locked given.
        ShowHighlighter = 1;
        HighlightX = n / 2, HighlightY = n / 2 + 1;
        Game->Mouse->x = int(CellAt(0, 0)->x), Game->Mouse->y = int(CellAt(0, 0)->y);
        Cls();
        SetTextShadow(2, 2, 0.6f);  // as the board screen draws them
        CellList.Draw(1);
    }
};

TEST_F(CellFramesTest, EverySizeInEveryState) {
    for (int n : {4, 6, 9, 12, 16}) {
        SCOPED_TRACE(n);
        DrawStates(n);
        EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden",
                                             "cells-board" + std::to_string(n)));
        ShowMistakes = ConflictShown = ShowHighlighter = 0;
    }
}

// The pointer over an empty cell while a puzzle is typed in, and the solution shown on the largest board.
TEST_F(CellFramesTest, TypingInAndTheSolution) {
    NewBoard(9);
    CustomPuzzleMode = 1;
    Puzzle = PuzzleStart = Locked = Solution = {};  // the givens being typed in, unlocked
    Puzzle[0][0] = 1;
    Puzzle[8][0] = 9;
    Puzzle[4][4] = 5;
    TCell* cell = CellAt(8, 8);
    Game->Mouse->x = int(cell->x), Game->Mouse->y = int(cell->y);
    Cls();
    SetTextShadow(2, 2, 0.6f);
    CellList.Draw(1);
    EXPECT_TRUE(golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "cells-typing-in"));
    CustomPuzzleMode = 0;

    NewBoard(16);
    ShowSolution = 1;
    Game->Mouse->x = Game->Mouse->y = -100;
    Cls();
    CellList.Draw(1);
    ShowSolution = 0;
    EXPECT_TRUE(
        golden::MatchesReference(GrabPixmap(0, 0, 800, 600), "tests/game/golden", "cells-solution16"));
}

}  // namespace
