// The board model's state and operations. The engine is reached only through its entry points, with
// byte grids that this file allocates per call (column-major: the cell (x, y) of an N x N puzzle sits at
// index x * N + y).
#include "game/Core.h"

#include <array>
#include <tuple>
#include <utility>
#include <vector>

#include "SudokuEngine.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Keys.h"
#include "platform/Random.h"

int PuzzleWidth = 9;
int PuzzleHeight = 9;
int PuzzleDifficulty = 0;
std::optional<int> CustomPuzzleGrade;
int RegionWidth = 3;
int RegionHeight = 3;

TByteGrid Puzzle{};
TByteGrid PuzzleStart{};
TByteGrid Locked{};
TByteGrid Solution{};
TMarkupGrid Markup{};

int ChosenNumber = 1;
int ShowDesiredCellArmed = 0;
int ShowSolution = 0;
int ShowMistakes = 0;
int ShowMarkup = 0;
int NumbersLocked = 1;
int PuzzleCompleted = 0;
int CustomPuzzleMode = 0;
int CustomPuzzleAccepted = 0;
int HighlightX = -1;
int HighlightY = -1;
int ConflictShown = 0;
int ConflictTime = 0;
int ConflictX = 0;
int ConflictY = 0;
int FoundX = 0;
int FoundY = 0;
int PuzzleStartTime = 0;
int PuzzleEndTime = 0;
int BoardOffsetX = 80;

int PreventDoubleNumbers = 1;
int ShowTimer = 1;
int ShowHighlighter = 0;

TCore Core;

namespace {

using TEngineGrid = std::array<signed char, 256>;

TEngineGrid EngineGrid(const TByteGrid& grid, int n) {
    TEngineGrid bytes{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) bytes[x * n + y] = static_cast<signed char>(grid[x][y]);
    return bytes;
}

int Toggled(int flag) {
    return flag == 0 ? 1 : 0;
}

bool IsPuzzleSize(int size) {
    return size == 4 || size == 6 || size == 9 || size == 12 || size == 16;
}

}  // namespace

// A long solve of a typed-in grid pumps the system's events through the core's pump, as generation does
// between its slices, and stops when the player asks to quit or presses Escape.
TCore::TCore()
    : Generate(GeneratePuzzle),
      Solve(SolvePuzzle),
      Grade(GradePuzzle),
      PumpEvents([] { PollSystem(); }),
      SolveAbandoned(QuitOrEscapePending) {
    SetSolvePuzzlePump([] {
        if (Core.PumpEvents) Core.PumpEvents();
        return Core.SolveAbandoned && Core.SolveAbandoned() ? 1 : 0;
    });
}

bool QuitOrEscapePending() {
    if (EventPending(EVENT_APPTERMINATE)) return true;
    if (!TakeEvent(EVENT_KEYDOWN, KEY_ESCAPE)) return false;
    TakeEvent(EVENT_KEYCHAR, KEY_ESCAPE);  // the same press as a typed character
    return true;
}

int TCore::Start() {
    PuzzleWidth = 9;
    PuzzleHeight = 9;
    PuzzleDifficulty = 0;
    SetPuzzleRegion();
    return 0;
}

int TCore::SetPuzzleRegion() {
    std::tie(RegionWidth, RegionHeight) = RegionShape(PuzzleWidth);
    return 0;
}

int TCore::CheckCustomPuzzle() {
    const int n = PuzzleWidth;
    if (!IsPuzzleSize(n)) return 0;
    const TEngineGrid grid = EngineGrid(Puzzle, n);
    TEngineGrid output{};
    const int solved = Solve(n, grid.data(), output.data());
    if (solved != 1) return solved < 0 ? -1 : 0;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            Solution[x][y] = static_cast<std::uint8_t>(output[x * n + y]);
            PuzzleStart[x][y] = Puzzle[x][y];
        }
    // Its time goes under the level the engine grades it at, not the one last chosen for new puzzles.
    CustomPuzzleGrade = GradeGivens();
    CustomPuzzleAccepted = 1;
    if (OnCustomPuzzleAccepted) OnCustomPuzzleAccepted();
    return 1;
}

int TCore::GradeGivens() const {
    if (!IsPuzzleSize(PuzzleWidth)) return -1;
    const TEngineGrid grid = EngineGrid(PuzzleStart, PuzzleWidth);
    return Grade(PuzzleWidth, grid.data());
}

int TCore::CreateCells(int flyIn) {
    if (OnCreateCells) OnCreateCells(flyIn);
    return 0;
}

int TCore::IsPuzzleCompleted() {
    for (int x = 0; x < PuzzleWidth; ++x)
        for (int y = 0; y < PuzzleHeight; ++y)
            if (Puzzle[x][y] != Solution[x][y]) return 0;
    PuzzleCompleted = 1;
    return 1;
}

int TCore::ShowHideMarkup() {
    if (ShowMarkup) {
        ShowMarkup = 0;
        MarkupClear();
    } else {
        ShowMarkup = 1;
        AutoMarkupCalculate();
    }
    return 0;
}

int TCore::ShowHideSolution() {
    ShowSolution = Toggled(ShowSolution);
    return 0;
}

int TCore::ShowHideMistakes() {
    ShowMistakes = Toggled(ShowMistakes);
    return 0;
}

int TCore::ShowDesiredCell() {
    ShowDesiredCellArmed = 1;
    return 0;
}

// Picks among the cells that differ from the solution, so a board that already equals it is left alone
// instead of searching forever.
int TCore::ShowRandomCell() {
    std::vector<std::pair<int, int>> differing;
    for (int x = 0; x < PuzzleWidth; ++x)
        for (int y = 0; y < PuzzleHeight; ++y)
            if (Puzzle[x][y] != Solution[x][y]) differing.emplace_back(x, y);
    if (differing.empty()) return 0;
    const auto [x, y] = differing[Rand(0, static_cast<int>(differing.size()) - 1)];
    Puzzle[x][y] = Solution[x][y];
    if (ShowMarkup) AutoMarkupCalculate();
    return 0;
}

int TCore::ClearBoardCompletely() {
    Puzzle = {};
    PuzzleStart = {};
    Solution = {};
    Locked = {};
    return 0;
}

int TCore::ClearBoard() {
    Puzzle = PuzzleStart;
    return 0;
}

int TCore::SetDefaultLocked() {
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) Locked[x][y] = PuzzleStart[x][y] != 0 ? 1 : 0;
    return 0;
}

int TCore::LockNumbers() {
    NumbersLocked = Toggled(NumbersLocked);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) Locked[x][y] = (NumbersLocked && Puzzle[x][y] != 0) ? 1 : 0;
    return 0;
}

int TCore::NewPuzzle() {
    CreatePuzzle(PuzzleWidth, PuzzleHeight, PuzzleDifficulty);
    CreateCells(1);
    RestartPuzzle();
    return 0;
}

int TCore::CustomPuzzle() {
    ClearBoardCompletely();
    CreateCells(1);
    RestartPuzzle();
    return 0;
}

int TCore::RestartPuzzle() {
    ClearBoard();
    MarkupClear();
    SetDefaultLocked();
    PuzzleCompleted = 0;
    ShowSolution = 0;
    ShowMistakes = 0;
    ShowDesiredCellArmed = 0;
    ShowMarkup = 0;
    NumbersLocked = 1;
    StopwatchStart();
    return 0;
}

// The engine gives up after a short slice without a puzzle; pumping the system's events between attempts
// keeps the window answering during a long generation. A close request arriving meanwhile stays queued
// and is handled by the main loop once the puzzle is there. The engine never succeeds for a size or level
// it does not know, so such a request is refused up front instead of retried for ever.
int TCore::CreatePuzzle(int width, int height, int difficulty) {
    if (!IsPuzzleSize(width) || height != width || difficulty < 0 || difficulty > 4) return 0;
    TEngineGrid puzzle{};
    TEngineGrid solution{};
    int generated = 0;
    do {
        SeedRnd(static_cast<std::uint32_t>(MilliSecs()));
        PumpEvents();
        generated = Generate(width, difficulty, puzzle.data(), solution.data());
    } while (generated == 0);
    PumpEvents();
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            Solution[x][y] = static_cast<std::uint8_t>(solution[x * height + y]);
            PuzzleStart[x][y] = static_cast<std::uint8_t>(puzzle[x * height + y]);
            Puzzle[x][y] = PuzzleStart[x][y];
        }
    PuzzleWidth = width;
    PuzzleHeight = height;
    PuzzleDifficulty = difficulty;
    CustomPuzzleGrade.reset();
    return 0;
}

int HighScoreDifficulty() {
    return CustomPuzzleGrade ? *CustomPuzzleGrade : PuzzleDifficulty;
}

int IsNumberInRowOrColumn(int n, int x, int y) {
    if (n < 1 || n > 16) return 0;
    auto found = [](int fx, int fy) {
        FoundX = fx;
        FoundY = fy;
        return 1;
    };
    for (int row = y; row >= 0; --row)
        if (Puzzle[x][row] == n) return found(x, row);
    for (int row = y + 1; row < PuzzleHeight; ++row)
        if (Puzzle[x][row] == n) return found(x, row);
    for (int column = x; column >= 0; --column)
        if (Puzzle[column][y] == n) return found(column, y);
    for (int column = x + 1; column < PuzzleWidth; ++column)
        if (Puzzle[column][y] == n) return found(column, y);
    return 0;
}

std::pair<int, int> RegionShape(int size) {
    static constexpr int shapes[][3] = {{4, 2, 2}, {6, 3, 2}, {9, 3, 3}, {12, 4, 3}, {16, 4, 4}};
    for (const auto& shape : shapes)
        if (shape[0] == size) return {shape[1], shape[2]};
    return {3, 3};
}

bool GridFollowsTheRule(const TByteGrid& grid, int size, int regionWidth, int regionHeight) {
    if (size < 1 || size > 16 || regionWidth < 1 || regionHeight < 1) return false;
    std::array<unsigned, 16> rows{}, columns{}, regions{};
    const int regionsPerRow = (size + regionWidth - 1) / regionWidth;
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y) {
            const int v = grid[x][y];
            if (v < 1 || v > size) return false;
            const unsigned bit = 1u << v;
            const int region = (y / regionHeight) * regionsPerRow + x / regionWidth;
            if (region >= 16 || ((rows[y] | columns[x] | regions[region]) & bit) != 0) return false;
            rows[y] |= bit;
            columns[x] |= bit;
            regions[region] |= bit;
        }
    return true;
}

int IsNumberInRegion(int n, int rx, int ry) {
    for (int y = ry * RegionHeight; y < ry * RegionHeight + RegionHeight; ++y)
        for (int x = rx * RegionWidth; x < rx * RegionWidth + RegionWidth; ++x)
            if (Puzzle[x][y] == n) {
                FoundX = x;
                FoundY = y;
                return 1;
            }
    return 0;
}

int IsNumberAllowed(int n, int x, int y) {
    if (IsNumberInRowOrColumn(n, x, y)) return 0;
    if (IsNumberInRegion(n, x / RegionWidth, y / RegionHeight)) return 0;
    return 1;
}

void MarkupClear() {
    for (int x = 0; x < PuzzleWidth; ++x)
        for (int y = 0; y < PuzzleHeight; ++y)
            for (int n = 1; n <= PuzzleHeight; ++n) Markup[x][y][n - 1] = 0;
}

void AutoMarkupCalculate() {
    MarkupClear();
    for (int x = 0; x < PuzzleWidth; ++x)
        for (int y = 0; y < PuzzleHeight; ++y)
            for (int n = 1; n <= PuzzleHeight; ++n)
                Markup[x][y][n - 1] = static_cast<std::uint8_t>(IsNumberAllowed(n, x, y));
}

void StopwatchStart() {
    PuzzleEndTime = 0;
    PuzzleStartTime = MilliSecs();
}

void StopwatchPause() {
    PuzzleEndTime = MilliSecs();
}

void StopwatchResume() {
    PuzzleStartTime = MilliSecs() - (PuzzleEndTime - PuzzleStartTime);
    PuzzleEndTime = 0;
}

int StopwatchElapsed() {
    return PuzzleEndTime != 0 ? PuzzleEndTime - PuzzleStartTime : MilliSecs() - PuzzleStartTime;
}

std::string StopwatchText() {
    return FormatMinSec(StopwatchElapsed());
}

std::string FormatMinSec(int ms) {
    const int s = (ms / 10) / 100;
    const int m = s / 60;
    const int r = s - m * 60;
    auto lastTwo = [](int value) {
        const std::string text = "00" + std::to_string(value);
        return text.substr(text.size() - 2);
    };
    return lastTwo(m) + ":" + lastTwo(r);
}
