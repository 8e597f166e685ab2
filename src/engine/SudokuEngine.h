// The engine's two C entry points, the only way the game reaches the engine.
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
// about 50 ms ends without an accepted puzzle (call again) or when size or level is invalid.
int GeneratePuzzle(int size, int level, signed char* puzzle, signed char* solution);

// Solves `cells` into `out` and returns 1 with a valid complete grid that keeps every given.
// Returns 0 and writes nothing for an invalid size or a null grid; returns 0 with `out` a copy of
// `cells` when a byte lies outside 0..N or a value repeats in a row, column or block; returns 0
// with the givens plus what logic could place when the grid has no solution (or none is found
// within a bounded search, so that a sparse grid cannot hang the caller).
int SolvePuzzle(int size, const signed char* cells, signed char* out);

#ifdef __cplusplus
}
#endif
