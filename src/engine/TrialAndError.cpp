// Trial and error: depth-first guessing on the first empty cell with full undo. A guess counts
// only when it completes the board without a repeated value in any house; a complete but invalid
// board (possible only from contradictory givens) is backtracked like a stalled one.
#include <string>

#include "SudokuBoard.h"

bool SudokuBoard::TrialAndError() {
    int cell = 0;
    while (cell < CellCount() && value_[cell] != 0) ++cell;
    if (cell == CellCount()) return false;

    ValueSet remaining = RefreshCandidates(cell);
    while (remaining != 0) {
        const int v = LowestValue(remaining);
        remaining &= remaining - 1;

        PushSnapshot();
        if (logging)
            LogLine("Trying value " + std::to_string(v) + " for cell r" + std::to_string(rowOf_[cell] + 1) +
                    "c" + std::to_string(colOf_[cell] + 1) + "\n");
        PlaceValue(cell, v);
        --unsolvedCount;
        Solve(false);
        if (unsolvedCount == 0 && IsValid()) {
            DropSnapshot();
            return true;
        }
        if (logging) LogLine("Trial-and-error backtrack.\n");
        RestoreSnapshot();
    }
    return false;
}
