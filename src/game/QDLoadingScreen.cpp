// The game layer's loading screen: one loading step drawn and shown at once.
#include "game/QDLoadingScreen.h"

#include "core/Game.h"
#include "platform/Window.h"

void QDLoadingScreen::MoveBar() {
    Progress();
    Draw();
    Flip(FlipSync);
}
