// The board's cells: drawing every visual state of a grid position, the click rules, and rebuilding the
// set of cells for the current board.
#include "game/Cells.h"

#include <utility>

#include "core/Game.h"
#include "core/GameText.h"
#include "core/Input.h"
#include "core/Startup.h"
#include "game/Core.h"
#include "game/GameHelpers.h"
#include "platform/Clock.h"
#include "platform/Draw.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "presentation/DrawHelpers.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"

TCellList CellList;

namespace {

constexpr int CellSize = 32;
constexpr int HalfCell = CellSize / 2;
constexpr float HintLineY = 565.0f;

// Font and placement of the pencil marks by grid height: offset of the first mark from the cell's
// top-left corner, then the step per mark column and per mark row.
struct TMarkLayout {
    std::shared_ptr<TImageFont>* font;
    int x, y, stepX, stepY;
};

TMarkLayout MarkLayout(int height) {
    switch (height) {
        case 4:
            return {&FontCalibri16, 5, 1, 15, 16};
        case 6:
            return {&FontCalibri14, 4, 1, 9, 16};
        case 12:
            return {&FontCalibri11, 3, 1, 7, 10};
        case 16:
            return {&FontCalibri10, 3, -1, 7, 8};
        default:
            return {&FontCalibri12, 4, 1, 9, 10};
    }
}

bool CtrlDown() {
    return GameKeyDown(KEY_LCONTROL) != 0 || GameKeyDown(KEY_RCONTROL) != 0;
}

// Marks 1 to N of one cell off.
void ClearCellMarks(int x, int y) {
    for (int n = 0; n < PuzzleHeight && n < 16; ++n) Markup[x][y][n] = 0;
}

bool SameRegion(int x1, int y1, int x2, int y2) {
    return RegionWidth > 0 && RegionHeight > 0 && x1 / RegionWidth == x2 / RegionWidth &&
           y1 / RegionHeight == y2 / RegionHeight;
}

void DrawImageAt(const char* name, float x, float y) {
    const auto image = ImageBank->Find(name);
    DrawImage(image->image.get(), x, y);
}

// A number or a solution in the current font, snapped, its top-left at (8, 1) from the cell's corner; a
// letter, wider, one pixel further left.
void DrawCellValue(int value, float left, float top) {
    const float offsetX = value >= 10 ? 7.0f : 8.0f;
    DrawTextAt(CellSymbol(value), left + offsetX, top + 1, 0, 1);
}

}  // namespace

std::string CellSymbol(int value) {
    if (value >= 1 && value <= 9) return std::string(1, static_cast<char>('0' + value));
    if (value >= 10 && value <= 16) return std::string(1, static_cast<char>('A' + value - 10));
    return "";
}

std::shared_ptr<TCell> TCell::Create(std::shared_ptr<TGameImage> image, float x, float y) {
    auto cell = std::make_shared<TCell>();
    cell->SetImage(std::move(image));
    cell->SetPosition(x, y);
    return cell;
}

void TCell::Move() {
    TSprite::Move();
    if (x >= static_cast<float>(TargetX)) {
        dx = 0;
        x = static_cast<float>(TargetX);
    }
    if (y >= static_cast<float>(TargetY)) {
        dy = 0;
        y = static_cast<float>(TargetY);
    }
}

int TCell::IsMouseOver() {
    const float mx = static_cast<float>(Game->Mouse->x);
    const float my = static_cast<float>(Game->Mouse->y);
    return (x - HalfCell < mx && mx < x + HalfCell && y - HalfCell < my && my < y + HalfCell) ? 1 : 0;
}

// A cell must never read or write outside the grids, whatever its fields say.
bool TCell::InGrid() const {
    return ArrayLocationX >= 0 && ArrayLocationY >= 0 && ArrayLocationX < PuzzleWidth &&
           ArrayLocationY < PuzzleHeight && ArrayLocationX < 16 && ArrayLocationY < 16;
}

void TCell::DrawSpecial(int drawHover) {
    if (CellType == 0 && InGrid()) {
        const bool hover = IsMouseOver() != 0 && PuzzleCompleted == 0 && drawHover != 0;
        if (hover) {
            DrawHover();
        } else if (ShowHighlighter != 0 && HighlightX != -1 && HighlightY != -1 &&
                   (ArrayLocationX == HighlightX || ArrayLocationY == HighlightY ||
                    SameRegion(ArrayLocationX, ArrayLocationY, HighlightX, HighlightY))) {
            DrawImageAt("cell3", x, y);
        } else {
            TSprite::Draw();
        }
        if (ShowSolution != 0) {
            SetColor(255, 255, 255);
            SetImageFont(FontCalibri34);
            DrawCellValue(Solution[ArrayLocationX][ArrayLocationY], x - HalfCell, y - HalfCell);
        } else if (Puzzle[ArrayLocationX][ArrayLocationY] == 0) {
            DrawPencilMarks();
        } else {
            DrawNumber();
        }
    }
    SetColor(255, 255, 255);
}

void TCell::DrawHover() {
    DrawImageAt("cell3", x, y);
    if (ShowDesiredCellArmed != 0) return;
    std::string key;
    if (Puzzle[ArrayLocationX][ArrayLocationY] != 0 && Locked[ArrayLocationX][ArrayLocationY] == 1)
        key = "Locked Cell";
    else
        key = CustomPuzzleMode != 0 ? "Cell Message Only" : "Cell Message Text";
    DrawTextBlock(GameText->FindString(key), -1, HintLineY, FontCalibri25, 1, 1, 1, 0);
}

void TCell::DrawNumber() {
    const int value = Puzzle[ArrayLocationX][ArrayLocationY];
    if (ShowMistakes != 0 && value != Solution[ArrayLocationX][ArrayLocationY])
        SetColor(255, 0, 0);
    else if (ConflictShown != 0 && ArrayLocationX == ConflictX && ArrayLocationY == ConflictY)
        SetColor(255, 0, 0);
    else if (Locked[ArrayLocationX][ArrayLocationY] == 1)
        SetColor(200, 200, 200);
    else
        SetColor(255, 255, 255);
    SetImageFont(FontCalibri34);
    DrawCellValue(value, x - HalfCell, y - HalfCell);
}

void TCell::DrawPencilMarks() {
    if (RegionWidth <= 0) return;
    const TMarkLayout layout = MarkLayout(PuzzleHeight);
    SetColor(255, 255, 255);
    SetImageFont(*layout.font);
    const float left = x - HalfCell, top = y - HalfCell;
    for (int k = 0; k < PuzzleHeight && k < 16; ++k) {
        if (Markup[ArrayLocationX][ArrayLocationY][k] != 1) continue;
        const int column = k % RegionWidth, row = k / RegionWidth;
        DrawTextAt(CellSymbol(k + 1), left + static_cast<float>(layout.x + column * layout.stepX),
                   top + static_cast<float>(layout.y + row * layout.stepY), 0, 1);
    }
}

void TCell::Manage() {
    if (CellType != 0 || IsMouseOver() == 0) return;
    // Which button made the press is read before the press is consumed: a press released again before
    // this frame (a quick tap) still counts, with the button it was made with.
    TMousePointer& mouse = *Game->Mouse;
    const bool left = mouse.b1 != 0 || mouse.h1 > 0;
    const bool right = mouse.b2 != 0 || mouse.h2 > 0;
    if (mouse.GetMh(1) == 0) return;
    if (!InGrid()) return;
    const int ax = ArrayLocationX, ay = ArrayLocationY;
    // A number the board cannot hold is never written, even if a caller left ChosenNumber out of range.
    const bool numberValid = ChosenNumber >= 0 && ChosenNumber <= PuzzleHeight && ChosenNumber <= 16;

    const bool ctrl = CtrlDown();
    // A right click, or a left one with Ctrl, toggles the chosen number's mark after either kind of click.
    const bool markClick =
        (right || (left && ctrl)) && numberValid && ChosenNumber != 0 && Locked[ax][ay] == 0;
    const auto toggleMark = [&] {
        std::uint8_t& mark = Markup[ax][ay][ChosenNumber - 1];
        mark = mark == 0 ? 1 : 0;
    };
    if (ShowDesiredCellArmed != 0) {
        Puzzle[ax][ay] = Solution[ax][ay];
        ShowDesiredCellArmed = 0;
        ClearCellMarks(ax, ay);
        if (ShowMarkup != 0) AutoMarkupCalculate();
        // The revealed number stays: emptying the cell as a plain mark click does would undo the reveal that
        // the same click has just made.
        if (markClick) toggleMark();
        return;
    }
    if (!numberValid) return;
    if (left && !ctrl) {
        if (ChosenNumber != 0 && (PreventDoubleNumbers != 0 || CustomPuzzleMode != 0) &&
            IsNumberAllowed(ChosenNumber, ax, ay) == 0) {
            ConflictX = FoundX;
            ConflictY = FoundY;
            ConflictShown = 1;
            ConflictTime = MilliSecs();
        } else if (Locked[ax][ay] == 0) {
            Puzzle[ax][ay] = static_cast<std::uint8_t>(ChosenNumber);
            ClearCellMarks(ax, ay);
            if (ShowMarkup != 0) AutoMarkupCalculate();
        }
    }
    if (markClick) {
        Puzzle[ax][ay] = 0;
        toggleMark();
    }
}

template <typename F>
void TCellList::Walk(F&& f) {
    const std::vector<std::shared_ptr<TCell>> snapshot = items_;
    for (const auto& cell : snapshot) f(*cell);
}

std::shared_ptr<TCell> TCellList::AddNew(int x, int y, std::shared_ptr<TGameImage> image) {
    auto cell = TCell::Create(std::move(image), static_cast<float>(x), static_cast<float>(y));
    cell->Cells = this;
    items_.push_back(cell);
    return cell;
}

void TCellList::Draw(int drawHover) {
    Walk([drawHover](TCell& cell) { cell.DrawSpecial(drawHover); });
}

void TCellList::Manage() {
    Walk([](TCell& cell) { cell.Manage(); });
}

void TCellList::Move() {
    Walk([](TCell& cell) { cell.Move(); });
}

void TCellList::Clear() {
    for (const auto& cell : items_) cell->Cells = nullptr;
    items_.clear();
}

TCell* TCellList::CellUnderPointer() {
    for (const auto& cell : items_)
        if (cell->IsMouseOver() != 0) return cell.get();
    return nullptr;
}

void CreateBoardCells(int flyIn) {
    CellList.Clear();
    const int width = PuzzleWidth, height = PuzzleHeight;
    if (width < 1 || height < 1 || width > 16 || height > 16 || RegionWidth < 1 || RegionHeight < 1) return;
    const int left = BoardOffsetX + (ScreenWidth - width * CellSize) / 2;
    const int top = (ScreenHeight - height * CellSize) / 2 - 10;
    const auto shade1 = ImageBank->Find("cell1");
    const auto shade2 = ImageBank->Find("cell2");
    for (int x = 0; x < width; ++x) {
        int start = -top - height * 67;
        for (int y = 0; y < height; ++y) {
            const int targetX = left + x * CellSize;
            const int targetY = top + y * CellSize;
            const int shade = (x / RegionWidth + y / RegionHeight) % 2;
            start += Rand(15, 50);
            const int startY = flyIn != 0 ? start + y * CellSize : targetY;
            auto cell = CellList.AddNew(targetX, startY, shade == 0 ? shade1 : shade2);
            cell->TargetX = targetX;
            cell->TargetY = targetY;
            cell->CellType = 0;
            cell->CellRegion = shade;
            cell->ArrayLocationX = x;
            cell->ArrayLocationY = y;
            cell->dx = 0;
            cell->dy = 2.5f;
        }
    }
}
