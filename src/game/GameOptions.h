// The game's options file "config.ini" in the shared data folder: the three player options of the board
// model (PreventDoubleNumbers, ShowTimer, ShowHighlighter, declared with the board state) and the first-run
// flag, plus the maker's get-started page opened on the first orderly quit.
// Used by the game's start-up wiring (load at start, save at quit) and the options screen.
#pragma once

#include <string>

#include "core/IniFile.h"

extern int FirstRun;  // 1 until the first orderly quit
extern TIniFile GameIni;

// The page the first quit opens: the maker's "getstarted.php" with the query "id=NM".
extern const char* const GetStartedURL;

// Empties GameIni and adds the four keys with the current option values, in file order.
void OptionsFill();
// Copies the values of GameIni's keys into the option globals (keys compare upper-cased); unknown keys are
// ignored.
void OptionsLoad();
// OptionsFill, then the atomic save of GameIni.
void OptionsSave();

// The start-up step: GameIni bound to SubPath + "config", defaults added, the file loaded (and written
// back), the values taken.
void OptionsStartUp(const std::string& subPath);

// With a non-zero flag: leaves full screen (so the browser is visible) and opens GetStartedURL.
void OpenGetStartedPage(int firstRun);
