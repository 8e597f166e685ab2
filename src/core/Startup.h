// The program's entry sequence and its one orderly end.
//
// MainUnitInit makes sure only one copy runs, builds the application object, prepares the shared
// data folder and the settings, opens the archive, the fonts and the display, hands over to the
// game and then runs the main loop for ever. Everything from the creation of Game on runs inside
// one top-level guard: whatever escapes is shown, logged and turned into GameQuit. Every end of the
// program except the silent end of a second copy goes through GameQuit.
//
// Used by the game's main and its start-up wiring (GameStartup), and by the game's screens for the fonts.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TGame;
class TImageFont;

// The nine smoothed fonts made from "calibri.ttf" at start-up.
extern std::shared_ptr<TImageFont> FontCalibri10, FontCalibri11, FontCalibri12, FontCalibri14, FontCalibri16,
    FontCalibri18, FontCalibri20, FontCalibri25, FontCalibri34;

// Set once the game options file was read; only then may GameQuit write it or open the
// first-run page (an earlier error would otherwise overwrite good options with defaults).
extern int GameOptionsLoaded;

// What start-up and GameQuit call in the game above the core. The game fills them in before it calls
// MainUnitInit (and the tests' support code does the same); an empty one is skipped.
struct TStartupHooks {
    // The image bank and the game's screens, before the application object exists.
    std::function<void()> CreateScreens;
    // The application object of the game's own class.
    std::function<std::unique_ptr<TGame>()> MakeGame;
    // The banks are told the data folders once TGame::Init has set them.
    std::function<void()> DataPathsSet;
    // The game's options file, then the game's own start (after GameOptionsLoaded is set).
    std::function<void()> LoadOptions;
    std::function<void()> Start;
    // The maker's splash, shown when screen fades are on.
    std::function<void()> Splash;
    // The game's first screen; the main loop follows.
    std::function<void()> Run;
    // Extra guarded steps of GameQuit, by name, run once the options were loaded.
    std::vector<std::pair<std::string, std::function<void()>>> QuitSteps;
};
TStartupHooks& StartupHooks();

[[noreturn]] void MainUnitInit();

// Ends the process at once, silently and with exit code 0, when another copy holds the lock in the
// runtime folder or in the player folder. A player folder that does not exist yet is locked by
// TGame::Init right after the first start has made it.
void SingleInstanceCheck(const std::string& name, const std::string& playerFolder = "");

// The orderly end: marker, channels, pointer, first-run page and options, then the exit code: 0 for
// a normal end, 1 after a fatal error (a launcher or script must not take a failed run for a
// success). Each step is guarded; a failing step is reported and logged and the others still run.
[[noreturn]] void GameQuit(int code = 0);

// Test seam: called with the name of each step of GameQuit as it starts.
void SetGameQuitTrace(std::function<void(const std::string& step)> trace);
