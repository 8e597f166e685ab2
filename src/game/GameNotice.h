// Messages that the game shows the player without ending the run (a save that could not be written, a
// saved game that cannot be read). They go to the system notice of the core (message box and standard
// error; never the error log, which is for errors); where that box cannot open while the display is up,
// the game's own OK dialog takes over (RegisterNoticeDialog). The handler is replaceable for tests.
// Used by the screens and the save-game and best-time code whenever a write or read fails.
#pragma once

#include <functional>
#include <string>

void GameNotice(const std::string& text);

// An empty function restores the core's notice.
void SetGameNoticeHandler(std::function<void(const std::string& text)> handler);

// Shows text in the game's own OK dialog over the current screen and returns once the player has
// closed it (or the window is being closed). Runs its own frames: input, logic ticks, drawing.
void RunNoticeDialog(const std::string& text);

// Hands RunNoticeDialog to the core as its in-game notice; called once the game's images are loaded.
void RegisterNoticeDialog();

// The game text of a key; "" before the texts are read or when the key is absent.
std::string GameString(const std::string& key);
