// TTolvaneGame: the game's application object. It differs from the framework's TGame in its logic
// call, which keeps the screen logic running through the first five seconds after start-up even
// while paused or suspended (the title screen may start out of focus).
// Made by the game's start-up wiring (GameStartup) as the global Game.
#pragma once

#include <string>

#include "core/Game.h"

class TTolvaneGame : public TGame {
  public:
    // Names the game's own player files (options, best-time tables) for the start-up clean-up.
    TTolvaneGame();
    int LogicWrapper() override;
    // A hook of the Macintosh build (Command-Q); nothing to do here.
    int CheckCommandQForMac();
    // Music streamed from MusicPath + name instead of loaded whole; the game's entry to streaming.
    int MusicStreamLoad(const std::string& name, int loop);
    int MusicStreamPlay();
    int MusicStreamStop();
    // Silences every effect channel of the pool, each replaced by a fresh one.
    int SoundStop();
};
