// The engine's C entry points, the only way the game reaches the engine.
//
// Grids are byte arrays, one signed byte per cell, 0 for an empty cell and 1..N for a number,
// column-major: the cell in column k, row r is at index k * N + r. Only the first N * N bytes are
// read or written. Each call builds a board, works and destroys it; no state survives but the
// generator's random state. Not reentrant: one call at a time.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Fills `puzzle` and `solution` with a puzzle of the given size (4, 6, 9, 12, 16) and level
// (0 Very Easy .. 4 Very Hard) and returns 1; returns 0 and writes nothing when a time slice of
// about 50 ms ends without an accepted puzzle (call again) or when size or level is invalid. A
// grading that the end of a slice cut short is done again at the start of the next call for the
// same size and level, which may then take up to 250 ms.
int GeneratePuzzle(int size, int level, signed char* puzzle, signed char* solution);

// Solves `cells` into `out` and returns 1 with a valid complete grid that keeps every given; of
// several solutions, the first in reading order (row by row, smallest value first) when a bounded
// search can tell, else the first in that order of those it found. Returns 0 and
// writes nothing for an invalid size or a null grid; returns 0 with `out` a copy of `cells` when a
// byte lies outside 0..N or a value repeats in a row, column or block; returns 0 with the givens
// plus what logic could place when the grid has no solution. The search always decides unless the
// caller stops it: while it runs, the pump set by SetSolvePuzzlePump is called about every 50 ms,
// and when the pump asks to stop, the search is abandoned and SolvePuzzle returns -1 at once,
// writing nothing.
int SolvePuzzle(int size, const signed char* cells, signed char* out);

// Grades a typed-in puzzle as the generator grades its own puzzles (see SudokuGenerator::Grade):
// returns the level 0 (Very Easy) .. 4 (Very Hard) of a valid grid with exactly one solution and at
// least one empty cell, else -1 (an invalid size or byte, a clash, no solution, several solutions,
// nothing left to fill, or a search the pump abandoned). Calls the pump as SolvePuzzle does.
int GradePuzzle(int size, const signed char* cells);

// Sets the function SolvePuzzle calls about every 50 ms of a long solve (null for none), so that
// the caller's window keeps answering and the caller can give up a search it no longer needs.
// The pump returns 0 to let the search go on, anything else to abandon it: SolvePuzzle then
// returns -1 without calling the pump again, before any further search work. The pump is never
// called by GeneratePuzzle, nor by a solve that ends within its first 50 ms. It must not call the
// engine.
void SetSolvePuzzlePump(int (*pump)(void));

#ifdef __cplusplus
}
#endif
