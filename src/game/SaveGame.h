// Save games: one 8-bit text file per name in the profiles folder, holding the grid size, the difficulty,
// the automatic-marks flag, the elapsed time and five grids (givens, numbers, solution, locks, marks) in
// fixed-width lines ending in CR LF.
//
// Reading is all or nothing: the whole file is parsed and checked into a separate record first, and the
// board model is only written once every line has passed, so a damaged file can neither leave a half-loaded
// board nor write outside the grids.
//
// Used by the board screen (save) and the play screen (load).
#pragma once

#include <optional>
#include <string>

#include "game/Core.h"

// Everything a save game holds, apart from the board model.
struct TSaveGameData {
    int Width = 9;
    int Height = 9;
    int Difficulty = 0;
    int ShowMarkup = 0;
    int ElapsedTime = 0;  // milliseconds
    TByteGrid PuzzleStart{};
    TByteGrid Puzzle{};
    TByteGrid Solution{};
    TByteGrid Locked{};
    TMarkupGrid Markup{};
};

// The file's text for the data (CR LF line ends).
std::string SaveGameFormat(const TSaveGameData& data);

// Parses and checks a file's text; nullopt with a reason in `error` when anything is out of place.
// CR LF and LF line ends are both accepted.
std::optional<TSaveGameData> SaveGameParse(const std::string& text, std::string* error = nullptr);

// The board model's current state as save data, and the reverse.
TSaveGameData SaveGameCapture();
void SaveGameApply(const TSaveGameData& data);

class TSaveGame {
  public:
    std::string Name;  // without folder or extension

    static TSaveGame Create(const std::string& name);
    void Init(const std::string& name);

    // The file's path, Game.ProfilePath + Name + ".dat".
    std::string Path() const;

    // Writes the board model through the atomic write. 1 when written; 0 after showing the player
    // "Could Not Create File" with the path, play going on.
    int Save();

    // 1 when the file was read into the board model. 0 when it is missing or damaged: the board model is
    // untouched, nothing is written, and `Error` says why.
    int Load();

    std::string Error;
};

// The board screen's and play screen's entry points; both show their failure to the player and return
// the result (1 success, 0 failure).
int SaveGameSave(const std::string& name);
int SaveGameLoad(const std::string& name);
