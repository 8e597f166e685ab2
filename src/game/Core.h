// The board model: the one puzzle state of the game and the operations on it.
//
// The state is a set of program-wide globals because the cells, the board screen, the generating overlay,
// the save games and the play screen all read and write it directly; there is no other copy. Every grid is
// a fixed 16 x 16 array indexed [x][y] (x the column from the left, y the row from the top); only the first
// PuzzleWidth columns and PuzzleHeight rows are used. TCore turns the engine's two entry points into game
// puzzles; the free functions below check the Sudoku rule and compute the automatic pencil marks.
//
// Used by the board screen, the cells, the screens around them, the save games, the best times and the
// options.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

using TByteGrid = std::array<std::array<std::uint8_t, 16>, 16>;
using TMarkupGrid = std::array<TByteGrid, 16>;  // [x][y][n - 1]

extern int PuzzleWidth;
extern int PuzzleHeight;  // always equal to PuzzleWidth; also the largest number
extern int PuzzleDifficulty;
// For a typed-in puzzle on the board, the engine's grade of it (0..4), or -1 when it takes no place in the
// best-time tables (several solutions, nothing to fill); none for a generated puzzle.
extern std::optional<int> CustomPuzzleGrade;
extern int RegionWidth;
extern int RegionHeight;

extern TByteGrid Puzzle;       // the numbers on the board, 0 empty
extern TByteGrid PuzzleStart;  // the givens
extern TByteGrid Locked;       // 1: a click may not change the cell
extern TByteGrid Solution;
extern TMarkupGrid Markup;  // [x][y][n - 1] is 1 when the cell carries the pencil mark n

extern int ChosenNumber;  // 0 is the eraser
extern int ShowDesiredCellArmed;
extern int ShowSolution;
extern int ShowMistakes;
extern int ShowMarkup;
extern int NumbersLocked;
extern int PuzzleCompleted;
extern int CustomPuzzleMode;
extern int CustomPuzzleAccepted;
extern int HighlightX;
extern int HighlightY;
extern int ConflictShown;
extern int ConflictTime;
extern int ConflictX;
extern int ConflictY;
extern int FoundX;
extern int FoundY;
extern int PuzzleStartTime;
extern int PuzzleEndTime;  // 0 while the stopwatch runs
extern int BoardOffsetX;

// Player options kept in the game's options file.
extern int PreventDoubleNumbers;
extern int ShowTimer;
extern int ShowHighlighter;

class TCore {
  public:
    TCore();
    virtual ~TCore() = default;

    virtual int Start();
    virtual int SetPuzzleRegion();
    // Has the engine solve the typed-in puzzle: 1 when it has a solution (taken as the puzzle's, its givens
    // graded for the best-time table), 0 when not, -1 when the player asked to quit or pressed Escape while
    // the engine searched (nothing changed).
    virtual int CheckCustomPuzzle();
    // The engine's grade of the givens PuzzleStart: 0..4, or -1 (see GradePuzzle).
    int GradeGivens() const;
    virtual int CreateCells(int flyIn);
    virtual int IsPuzzleCompleted();
    virtual int ShowHideMarkup();
    virtual int ShowHideSolution();
    virtual int ShowHideMistakes();
    virtual int ShowDesiredCell();
    // Reveals one cell that differs from the solution; nothing when none does.
    virtual int ShowRandomCell();
    virtual int ClearBoardCompletely();
    virtual int ClearBoard();
    virtual int SetDefaultLocked();
    virtual int LockNumbers();
    virtual int NewPuzzle();
    virtual int CustomPuzzle();
    virtual int RestartPuzzle();
    // Calls the generator until it succeeds; a size or level it cannot make is refused (board unchanged).
    virtual int CreatePuzzle(int width, int height, int difficulty);

    // The engine's entry points and the event pump, replaceable so that the model can be driven without
    // the engine's running time or a window.
    std::function<int(int size, int level, signed char* puzzle, signed char* solution)> Generate;
    std::function<int(int size, const signed char* cells, signed char* out)> Solve;
    std::function<int(int size, const signed char* cells)> Grade;
    std::function<void()> PumpEvents;
    // Asked after each pump of a long solve: true abandons the solve.
    std::function<bool()> SolveAbandoned;

    // Set by the modules that own the cell sprites and the board screen: rebuilding the cells, and the
    // screen change that follows an accepted custom puzzle.
    std::function<void(int flyIn)> OnCreateCells;
    std::function<void()> OnCustomPuzzleAccepted;
};

extern TCore Core;

// Whether the player has asked to end a long solve: a quit request waits (it stays queued, so the main
// loop ends the program as usual) or Escape was pressed (the key is taken, it only stops the solve).
bool QuitOrEscapePending();

// The level a finished puzzle's time is recorded under: PuzzleDifficulty, or a typed-in puzzle's grade;
// -1 when it takes no place.
int HighScoreDifficulty();

// Columns and rows of one region of a size x size grid; any other size gets 3 x 3.
std::pair<int, int> RegionShape(int size);
// Every number 1 to size once in each row, column and region of the first size columns and rows.
bool GridFollowsTheRule(const TByteGrid& grid, int size, int regionWidth, int regionHeight);

int IsNumberInRowOrColumn(int n, int x, int y);
int IsNumberInRegion(int n, int rx, int ry);
int IsNumberAllowed(int n, int x, int y);
void MarkupClear();
void AutoMarkupCalculate();

// The stopwatch runs on the system clock (MilliSecs).
void StopwatchStart();
void StopwatchPause();
void StopwatchResume();
int StopwatchElapsed();
std::string StopwatchText();
std::string FormatMinSec(int ms);
