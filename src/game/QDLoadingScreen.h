// QDLoadingScreen: the game layer's loading screen. It behaves as the framework's loading screen does
// (background, progress bar, loading text, optional click-here button, fade to its destination) and
// adds MoveBar, one self-contained frame for loaders that run outside the main loop.
// A framework screen of the game layer that this game does not use (its tests do).
#pragma once

#include "presentation/LoadingScreen.h"

class QDLoadingScreen : public TLoadingScreen {
  public:
    // Progress, Draw, then a flip with the vertical-sync setting.
    void MoveBar();
};
