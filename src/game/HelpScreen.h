// The help screen: a picture, two help texts and an "ok" button back to the title screen.
// Used by the title and options screens, which lead to it.
#pragma once

#include <memory>

#include "game/MenuScreen.h"

class THelpScreen : public TMenuScreen {
  public:
    void Load() override;
    void Logic() override;
    void Draw() override;
};

extern std::unique_ptr<THelpScreen> HelpScreen;

// The "ok" menu of the help and options screens: one button, centred, 260 pixels below the centre line.
void CreateOKMenu(TScreen& screen);
