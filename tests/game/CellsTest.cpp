// The board's cells: their fly-in, the pointer test, every click rule against the board model (numbers,
// eraser, locks, the double-number guard, pencil marks, the armed reveal) and clicks delivered as the
// running game receives them.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "BoardWorld.h"
#include "platform/Keys.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"

namespace {

using board::BoardWorld;

class CellsTest : public BoardWorld {
  protected:
    // A control click holds the left Control key (the cell states suite holds the right one).
    void Click(int x, int y, int button = 1, bool ctrl = false) {
        ManagedClick(x, y, button, ctrl ? KEY_LCONTROL : 0);
    }

    // The first empty cell of the board.
    std::pair<int, int> EmptyCell() {
        for (int x = 0; x < PuzzleWidth; ++x)
            for (int y = 0; y < PuzzleHeight; ++y)
                if (Puzzle[x][y] == 0) return {x, y};
        return {-1, -1};
    }
    // The first locked (given) cell of the board.
    std::pair<int, int> GivenCell() {
        for (int x = 0; x < PuzzleWidth; ++x)
            for (int y = 0; y < PuzzleHeight; ++y)
                if (Locked[x][y] == 1) return {x, y};
        return {-1, -1};
    }
};

TEST_F(CellsTest, FlyInStopsExactlyOnTheTargetAndRebuildsDetachOrRefuseImpossibleSizes) {
    NewBoard(9, 1);
    auto old = CellList.Items()[0];
    EXPECT_LT(old->y, float(old->TargetY));
    Delta = 0.7f;  // fractional logic calls must not carry a cell past its place
    for (int i = 0; i < 2000; ++i) CellList.Move();
    Delta = 1.0f;
    for (const auto& cell : CellList.Items()) {
        EXPECT_FLOAT_EQ(cell->y, float(cell->TargetY));
        EXPECT_FLOAT_EQ(cell->dy, 0.0f);
    }
    NewBoard(4);
    EXPECT_EQ(old->Cells, nullptr);
    // A size the grids cannot hold leaves no cells instead of cells outside the grids.
    PuzzleWidth = PuzzleHeight = 17;
    CreateBoardCells(0);
    EXPECT_EQ(CellList.Count(), 0);
    PuzzleWidth = PuzzleHeight = 9;
    RegionWidth = 0;
    CreateBoardCells(0);
    EXPECT_EQ(CellList.Count(), 0);
}

TEST_F(CellsTest, PointerOnATileBorderBelongsToNoCellAndOneClickReachesOneCell) {
    NewBoard(9);
    TCell* cell = CellAt(0, 0);
    Game->Mouse->x = int(cell->x) - 16;
    Game->Mouse->y = int(cell->y);
    EXPECT_EQ(CellList.CellUnderPointer(), nullptr);
    ChosenNumber = 0;
    cell = CellAt(4, 4);
    MoveMouse(int(cell->x), int(cell->y));
    Press(1);
    Game->DoPeekEvent();
    CellList.Manage();
    EXPECT_EQ(Game->Mouse->GetMh(0), 0) << "consumed by the cell";
}

TEST_F(CellsTest, LeftClickEntersTheNumberClearingAllItsMarksAndRecomputingAutomaticOnes) {
    NewBoard(16);
    auto [x, y] = EmptyCell();
    for (int k = 0; k < 16; ++k) Markup[x][y][k] = 1;
    ChosenNumber = Solution[x][y];
    Click(x, y);
    EXPECT_EQ(Puzzle[x][y], Solution[x][y]);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(Markup[x][y][k], 0) << k;

    NewBoard(9);
    Core.ShowHideMarkup();
    std::tie(x, y) = EmptyCell();
    const int answer = Solution[x][y];
    ChosenNumber = answer;
    Click(x, y);
    for (int xx = 0; xx < 9; ++xx)
        EXPECT_EQ(Markup[xx][y][answer - 1], 0) << "no cell of the row still offers it";
}

TEST_F(CellsTest, GuardRefusesDoubleNumbersAndFlashesTheConflictingCell) {
    NewBoard(9);
    auto [x, y] = EmptyCell();
    // A number standing in the same column, above or below.
    int clash = 0, cy = -1;
    for (int yy = 0; yy < 9 && clash == 0; ++yy)
        if (Puzzle[x][yy] != 0) clash = Puzzle[x][yy], cy = yy;
    ASSERT_NE(clash, 0);
    ChosenNumber = clash;
    board::Now = 5555;
    Click(x, y);
    EXPECT_EQ(Puzzle[x][y], 0);
    EXPECT_EQ(ConflictY, cy);
    EXPECT_EQ(ConflictTime, 5555);
    PreventDoubleNumbers = 0;
    CustomPuzzleMode = 1;  // typing a puzzle in checks even without the guard
    Click(x, y);
    EXPECT_EQ(Puzzle[x][y], 0);
}

TEST_F(CellsTest, TheNumberACellHoldsFlashesItselfAndLockedCellsIgnoreNumbers) {
    NewBoard(9);
    auto [gx, gy] = GivenCell();
    const int given = Puzzle[gx][gy];
    PreventDoubleNumbers = 0;
    ChosenNumber = given % 9 + 1;
    Click(gx, gy);
    EXPECT_EQ(Puzzle[gx][gy], given) << "silently ignored";
    PreventDoubleNumbers = 1;
    ChosenNumber = given;  // breaks the rule: the cell itself holds it
    Click(gx, gy);
    EXPECT_EQ(Puzzle[gx][gy], given);
    EXPECT_EQ(ConflictShown, 1);

    ConflictShown = 0;
    Locked = {};  // a player's own number, unlocked
    auto [x, y] = EmptyCell();
    Puzzle[x][y] = Solution[x][y];
    ChosenNumber = Solution[x][y];
    Click(x, y);
    EXPECT_EQ(ConflictX, x);
    EXPECT_EQ(ConflictY, y);
}

TEST_F(CellsTest, EraserIsNeverRefusedAndRightClickTogglesMarksOnlyOnUnlockedCells) {
    NewBoard(9);
    auto [gx, gy] = GivenCell();
    const int given = Puzzle[gx][gy];
    ChosenNumber = 3;
    Click(gx, gy, 2);
    EXPECT_EQ(Puzzle[gx][gy], given);
    EXPECT_EQ(Markup[gx][gy][2], 0) << "a locked cell takes no marks";
    auto [x, y] = EmptyCell();
    Locked = {};
    Puzzle[x][y] = 7;
    Markup[x][y][2] = 1;
    ChosenNumber = 0;
    Click(x, y);
    EXPECT_EQ(Puzzle[x][y], 0);
    EXPECT_EQ(Markup[x][y][2], 0);

    Puzzle[x][y] = 4;
    ChosenNumber = 6;
    Click(x, y, 2);
    EXPECT_EQ(Puzzle[x][y], 0) << "a mark empties an unlocked cell";
    EXPECT_EQ(Markup[x][y][5], 1);
    Click(x, y, 1, true);  // Ctrl with the left button counts as the right button: the mark goes again
    EXPECT_EQ(Markup[x][y][5], 0);
}

TEST_F(CellsTest, ArmedRevealWritesTheSolutionEvenIntoALockedCellAndKeepsItUnderAMarkClick) {
    NewBoard(9);
    auto [x, y] = EmptyCell();
    Puzzle[x][y] = Solution[x][y] % 9 + 1;  // a wrong number, locked
    Locked[x][y] = 1;
    Markup[x][y][0] = 1;
    Core.ShowDesiredCell();
    Click(x, y);
    EXPECT_EQ(Puzzle[x][y], Solution[x][y]);
    EXPECT_EQ(ShowDesiredCellArmed, 0);

    // A right or Ctrl click used for the reveal toggles the chosen number's mark too, as any such click does,
    // but must not empty the cell it has just revealed.
    Locked = {};
    Puzzle[x][y] = 0;
    ChosenNumber = 5;
    Core.ShowDesiredCell();
    Click(x, y, 2);
    EXPECT_EQ(Puzzle[x][y], Solution[x][y]);
    EXPECT_EQ(Markup[x][y][4], 1);
    Puzzle[x][y] = 0;
    Core.ShowDesiredCell();
    Click(x, y, 1, true);
    EXPECT_EQ(Puzzle[x][y], Solution[x][y]);
    EXPECT_EQ(Markup[x][y][4], 1)
        << "the reveal clears the marks, then the Ctrl click toggles the chosen one on";
}

// Press and release of a quick tap can both arrive before the cells are managed.
TEST_F(CellsTest, QuickTapReleasedBeforeTheFrameStillCounts) {
    NewBoard(9);
    auto [x, y] = EmptyCell();
    ChosenNumber = Solution[x][y];
    TCell* cell = CellAt(x, y);
    MoveMouse(int(cell->x), int(cell->y));
    Press(1);
    Release(1);
    Game->DoPeekEvent();
    CellList.Manage();
    EXPECT_EQ(Puzzle[x][y], Solution[x][y]);
}

// A chosen number outside the board's range, a cell pointing outside the board or a cell of another type
// never changes the grids.
TEST_F(CellsTest, OutOfRangeNumbersCellsAndOtherTypesNeverTouchTheGrids) {
    NewBoard(9);
    PreventDoubleNumbers = 0;
    auto [x, y] = EmptyCell();
    const auto marks = Markup;
    for (int n : {10, 17, 40, -3}) {
        ChosenNumber = n;
        Click(x, y);
        Click(x, y, 2);
        EXPECT_EQ(Puzzle[x][y], 0) << n;
    }
    EXPECT_EQ(Markup, marks);

    CellAt(x, y)->CellType = 1;
    ChosenNumber = Solution[x][y];
    Click(x, y);
    EXPECT_EQ(Puzzle[x][y], 0);
    Game->Mouse->x = Game->Mouse->y = -100;

    TCell* cell = CellAt(8, 8);
    cell->ArrayLocationX = 40;
    cell->ArrayLocationY = -2;
    const auto before = Puzzle;
    ChosenNumber = 3;
    MoveMouse(int(cell->x), int(cell->y));
    Press(1);
    Game->DoPeekEvent();
    CellList.Manage();
    EXPECT_EQ(Puzzle, before);
    rec.calls.clear();
    cell->DrawSpecial(1);
    EXPECT_TRUE(rec.Find("DrawText").empty()) << "a cell outside the board draws no number";
}

// A number's colour tells its state: wrong under "show mistakes" or flashing in conflict red, a locked one
// grey, any other white; it stands 8 pixels in from the cell's left (7 for the letters) and 1 down.
TEST_F(CellsTest, ANumbersColourAndPlaceTellItsState) {
    const struct {
        const char* what;
        int size;
        bool locked, wrong, mistakes, conflictHere, conflictElsewhere;
        int red, green, blue;
    } rows[] = {
        {"given", 9, true, false, false, false, false, 200, 200, 200},
        {"own", 9, false, false, false, false, false, 255, 255, 255},
        {"wrong, mistakes hidden", 9, false, true, false, false, false, 255, 255, 255},
        {"wrong, mistakes shown", 9, false, true, true, false, false, 255, 0, 0},
        {"right, mistakes shown", 9, false, false, true, false, false, 255, 255, 255},
        {"locked wrong, mistakes shown", 9, true, true, true, false, false, 255, 0, 0},
        {"conflict here", 9, true, false, false, true, false, 255, 0, 0},
        {"conflict elsewhere", 9, false, false, false, false, true, 255, 255, 255},
        {"letter", 16, false, false, false, false, false, 255, 255, 255},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        NewBoard(row.size);
        const int x = 2, y = 1;
        const int value = row.size == 16 ? 10 : 5;  // the first letter
        Solution[x][y] = static_cast<std::uint8_t>(row.wrong ? value % row.size + 1 : value);
        Puzzle[x][y] = static_cast<std::uint8_t>(value);
        Locked[x][y] = row.locked ? 1 : 0;
        ShowMistakes = row.mistakes ? 1 : 0;
        ConflictShown = row.conflictHere || row.conflictElsewhere ? 1 : 0;
        ConflictX = row.conflictHere ? x : x + 1;
        ConflictY = row.conflictHere ? y : y + 1;
        TCell* cell = CellAt(x, y);
        ASSERT_NE(cell, nullptr);
        rec.calls.clear();
        SetColor(10, 20, 30);  // whatever was drawn before
        cell->DrawSpecial(0);
        const TDrawCommand* text = nullptr;
        for (const TDrawCommand* c : rec.Find("DrawText"))
            if (c->text == CellSymbol(value)) text = c;
        ASSERT_NE(text, nullptr);
        EXPECT_EQ((std::vector<int>{text->state.red, text->state.green, text->state.blue}),
                  (std::vector<int>{row.red, row.green, row.blue}));
        EXPECT_FLOAT_EQ(text->args[0], std::floor(cell->x - 16 + (value >= 10 ? 7 : 8) + 0.5f));
        EXPECT_FLOAT_EQ(text->args[1], std::floor(cell->y - 16 + 1 + 0.5f));
        EXPECT_EQ(GetDrawState().red + GetDrawState().green + GetDrawState().blue, 3 * 255) << "left white";
        ConflictShown = ShowMistakes = 0;
    }
    // The solution shown is white, in the place of the number: a digit, and a letter as in play.
    for (const int value : {5, 12}) {
        SCOPED_TRACE(value);
        NewBoard(value > 9 ? 16 : 9);
        ShowSolution = 1;
        Solution[3][3] = static_cast<std::uint8_t>(value);
        TCell* cell = CellAt(3, 3);
        ASSERT_NE(cell, nullptr);
        rec.calls.clear();
        SetColor(10, 20, 30);
        cell->DrawSpecial(0);
        ShowSolution = 0;
        const auto texts = rec.Find("DrawText");
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back()->text, CellSymbol(value));
        EXPECT_EQ(
            (std::vector<int>{texts.back()->state.red, texts.back()->state.green, texts.back()->state.blue}),
            (std::vector<int>{255, 255, 255}));
        EXPECT_FLOAT_EQ(texts.back()->args[0], std::floor(cell->x - 16 + (value > 9 ? 7 : 8) + 0.5f));
        EXPECT_FLOAT_EQ(texts.back()->args[1], std::floor(cell->y - 16 + 1 + 0.5f));
    }
}

TEST_F(CellsTest, SymbolsAreDigitsThenLetters) {
    const std::pair<int, const char*> rows[] = {{0, ""},   {1, "1"}, {9, "9"}, {10, "A"},
                                                {16, "G"}, {17, ""}, {-1, ""}};
    for (const auto& [value, symbol] : rows) EXPECT_EQ(CellSymbol(value), symbol) << value;
}

// Pencil marks are white whatever was drawn before; while no region shape is set they are not drawn.
TEST_F(CellsTest, MarksAreWhiteAndNeedARegionShape) {
    NewBoard(9);
    auto [x, y] = EmptyCell();
    Markup[x][y][0] = Markup[x][y][4] = 1;
    TCell* cell = CellAt(x, y);
    ASSERT_NE(cell, nullptr);
    SetColor(10, 20, 30);  // whatever was drawn before
    cell->DrawSpecial(0);
    const size_t withShape = rec.Find("DrawText").size();
    EXPECT_GE(withShape, 2u);
    for (const TDrawCommand* c : rec.Find("DrawText"))
        EXPECT_EQ((std::vector<int>{c->state.red, c->state.green, c->state.blue}),
                  (std::vector<int>{255, 255, 255}))
            << "marks are white";
    rec.calls.clear();
    RegionWidth = 0;
    cell->DrawSpecial(0);
    EXPECT_TRUE(rec.Find("DrawText").empty());
    Core.SetPuzzleRegion();
}

// Flying in, each column's cells start stacked above the board, each 15 to 50 pixels further down than a
// tile below the one before, and fall at 2.5 pixels a tick; the board stands 80 pixels right of the centre
// and 10 above it, its regions shaded in turn.
TEST_F(CellsTest, CellsStartAboveTheBoardAndFallIntoAShadedGrid) {
    for (int n : {4, 9, 16}) {
        SCOPED_TRACE(n);
        NewBoard(n, 1);
        ASSERT_EQ(CellList.Count(), n * n);
        const int left = 80 + (ScreenWidth - n * 32) / 2, top = (ScreenHeight - n * 32) / 2 - 10;
        int lowestGap = 1000, highestGap = 0;
        std::map<int, float> lastStart;
        for (const auto& cell : CellList.Items()) {
            const int x = cell->ArrayLocationX, y = cell->ArrayLocationY;
            EXPECT_EQ(cell->TargetX, left + x * 32);
            EXPECT_EQ(cell->TargetY, top + y * 32);
            EXPECT_FLOAT_EQ(cell->x, float(cell->TargetX));
            EXPECT_FLOAT_EQ(cell->dx, 0.0f);
            EXPECT_FLOAT_EQ(cell->dy, 2.5f);
            EXPECT_EQ(cell->CellType, 0);
            EXPECT_EQ(cell->CellRegion, (x / RegionWidth + y / RegionHeight) % 2);
            const float base = y == 0 ? float(-top - n * 67) : lastStart[x] + 32;
            const int gap = int(cell->y - base);
            lowestGap = std::min(lowestGap, gap), highestGap = std::max(highestGap, gap);
            lastStart[x] = cell->y;
        }
        EXPECT_GE(lowestGap, 15);
        EXPECT_LE(highestGap, 50);
    }
    NewBoard(9, 0);
    for (const auto& cell : CellList.Items()) EXPECT_FLOAT_EQ(cell->y, float(cell->TargetY)) << "no fly-in";
}

// Under the pointer a cell lights up and the hint line tells what a click does there; an armed reveal or a
// solved board shows no hint, and the highlighter lights the pointed cell's row, column and region.
TEST_F(CellsTest, HoverHintsAndTheHighlighter) {
    const struct {
        const char* what;
        bool given, locked;
        int custom, armed, completed;
        const char* hint;  // a word of the expected hint, "" for none
    } rows[] = {
        {"empty", false, false, 0, 0, 0, "Left-click"},
        {"locked given", true, true, 0, 0, 0, "locked"},
        {"unlocked given", true, false, 0, 0, 0, "Left-click"},
        {"typing in", false, false, 1, 0, 0, "Check"},
        {"armed", false, false, 0, 1, 0, ""},
        {"solved", false, false, 0, 0, 1, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        NewBoard(9);
        const auto [x, y] = row.given ? GivenCell() : EmptyCell();
        Locked[x][y] = row.locked ? 1 : 0;
        CustomPuzzleMode = row.custom, ShowDesiredCellArmed = row.armed, PuzzleCompleted = row.completed;
        TCell* cell = CellAt(x, y);
        ASSERT_NE(cell, nullptr);
        Game->Mouse->x = int(cell->x), Game->Mouse->y = int(cell->y);
        rec.calls.clear();
        cell->DrawSpecial(1);
        std::string texts;
        for (const TDrawCommand* c : rec.Find("DrawText")) texts += c->text + " ";
        if (*row.hint == 0) {
            EXPECT_EQ(texts.find("click"), std::string::npos) << texts;
            EXPECT_EQ(texts.find("locked"), std::string::npos) << texts;
        } else {
            EXPECT_NE(texts.find(row.hint), std::string::npos) << texts;
        }
        const TImage* lit = ImageBank->Find("cell3")->image.get();
        bool drawnLit = false;
        for (const TDrawCommand* c : rec.Find("DrawImage")) drawnLit = drawnLit || c->image == lit;
        EXPECT_EQ(drawnLit, row.completed == 0);
        rec.calls.clear();
        cell->DrawSpecial(0);
        drawnLit = false;
        for (const TDrawCommand* c : rec.Find("DrawImage")) drawnLit = drawnLit || c->image == lit;
        EXPECT_FALSE(drawnLit) << "no hover drawn when the board says so";
        CustomPuzzleMode = ShowDesiredCellArmed = PuzzleCompleted = 0;
    }

    NewBoard(9);
    ShowHighlighter = 1;
    HighlightX = 4, HighlightY = 4;
    Game->Mouse->x = Game->Mouse->y = 0;
    const TImage* lit = ImageBank->Find("cell3")->image.get();
    for (const auto& cell : CellList.Items()) {
        const int x = cell->ArrayLocationX, y = cell->ArrayLocationY;
        rec.calls.clear();
        cell->DrawSpecial(1);
        bool drawnLit = false;
        for (const TDrawCommand* c : rec.Find("DrawImage")) drawnLit = drawnLit || c->image == lit;
        EXPECT_EQ(drawnLit, x == 4 || y == 4 || (x / 3 == 1 && y / 3 == 1)) << x << "," << y;
    }
    HighlightX = -1;
    rec.calls.clear();
    CellList.Items()[0]->DrawSpecial(1);
    for (const TDrawCommand* c : rec.Find("DrawImage")) EXPECT_NE(c->image, lit) << "nothing highlighted";
    ShowHighlighter = 0;
    HighlightY = -1;
}

}  // namespace
