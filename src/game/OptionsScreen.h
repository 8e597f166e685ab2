// The options screen: check buttons for full screen, the timer, the highlighter and the guard against
// double numbers, and the music and sound volume sliders. Changes act at once; "ok" writes them to disk.
// Reached from the title screen.
#pragma once

#include <memory>

#include "game/MenuScreen.h"

class TMenu;
class TSlider;

class TOptionsScreen : public TMenuScreen {
  public:
    std::shared_ptr<TMenu> OptionsMenu;
    std::shared_ptr<TSlider> MusicSlider, SoundSlider;
    int LastClickTime = 0;
    // The full-screen state the check button shows; Alt+Enter can change the real one behind its back.
    int ShownFullScreen = 0;

    void Load() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;
    // A sample of the new sound volume: the "ok" button's click.
    void ClickSound();
};

extern std::unique_ptr<TOptionsScreen> OptionsScreen;
