// The title screen: the first screen after start-up, with play, help, options, best times and exit.
// It also holds the wiring of all the menu screens: their one instance each and the hand-over from
// start-up.
// Made at start-up (GameStartup); every menu screen leads back to it.
#pragma once

#include <memory>

#include "game/MenuScreen.h"

class TTitleScreen : public TMenuScreen {
  public:
    void Load() override;
    void Logic() override;
    void Draw() override;
    // Escape on the title screen quits.
    int SetEscDestination() override;
};

extern std::unique_ptr<TTitleScreen> TitleScreen;

// Creates the menu screens (title, play, options, help, best times) and lets GameRun start the title
// screen. Start-up calls it once, before GameRun.
void MenuScreensInit();
// Loads and starts the title screen as the first screen of the run.
void StartTitleScreen();
