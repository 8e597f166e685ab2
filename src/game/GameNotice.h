// Messages that the game shows the player without ending the run (a save that could not be written, a
// saved game that cannot be read). They go to the platform notice until the dialogs take them over; the
// handler is replaceable for that and for tests.
// Used by the screens and the save-game and best-time code whenever a write or read fails.
#pragma once

#include <functional>
#include <string>

void GameNotice(const std::string& text);

// An empty function restores the platform notice.
void SetGameNoticeHandler(std::function<void(const std::string& text)> handler);

// The game text of a key; "" before the texts are read or when the key is absent.
std::string GameString(const std::string& key);
