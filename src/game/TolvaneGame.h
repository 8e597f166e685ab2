// TTolvaneGame: the game's application object. It differs from the framework's TGame in its logic
// call, which keeps the screen logic running through the first five seconds after start-up even
// while paused or suspended (the title screen may start out of focus).
#pragma once

#include "core/Game.h"

class TTolvaneGame : public TGame {
public:
    int LogicWrapper() override;
    // A hook of the Macintosh build (Command-Q); nothing to do here.
    int CheckCommandQForMac();
};
