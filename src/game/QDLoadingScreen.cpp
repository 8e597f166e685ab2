// The game layer's loading screen: one loading step drawn and shown at once.
#include "game/QDLoadingScreen.h"

#include "core/Game.h"
#include "platform/Window.h"

void QDLoadingScreen::SetClickHereButton(const std::string& image, const std::string& imageMO,
                                         const std::string& imageClick, const std::string& imageDisabled,
                                         int centreX) {
    TLoadingScreen::SetClickHereButton(image, imageMO, imageClick, imageDisabled, 0);
    ClickHereButton->MoveTo(float(centreX - ClickHereButton->w / 2),
                            float(ScreenHeight / 2 - ClickHereButton->h / 2));
}

void QDLoadingScreen::MoveBar() {
    Progress();
    Draw();
    Flip(FlipSync);
}
