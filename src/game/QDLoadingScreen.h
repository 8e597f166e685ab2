// QDLoadingScreen: the game layer's loading screen. It behaves as the framework's loading screen does
// (background, progress bar, loading text, optional click-here button, fade to its destination) and
// adds MoveBar, one self-contained frame for loaders that run outside the main loop. Its click-here
// button is placed by its centre x. A framework screen of the game layer that this game does not use
// (its tests do).
#pragma once

#include <string>

#include "presentation/LoadingScreen.h"

class QDLoadingScreen : public TLoadingScreen {
  public:
    // Normal, mouse-over, pressed and disabled image names (empty names are skipped); the button is
    // centred on centreX and halfway down the screen, where the loading text showed until the end.
    void SetClickHereButton(const std::string& image, const std::string& imageMO,
                            const std::string& imageClick, const std::string& imageDisabled, int centreX);
    // Progress, Draw, then a flip with the vertical-sync setting.
    void MoveBar();
};
