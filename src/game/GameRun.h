// The game's share of start-up: after the framework has opened the display, GameRun loads the game's
// sounds and images, the eight pictures of the resource archive and the five best-time tables, and
// hands over to the title screen.
// Called by the game's start-up wiring (GameStartup); the title screen sets its hook for the first screen.
#pragma once

#include <functional>

void LoadSounds();
void LoadImages();
void GameRun();

// Loads and starts the title screen and makes it the current screen; set by the title screen's module.
extern std::function<void()> GameRunStartTitle;
