// Non-fatal player messages, routed through one replaceable handler.
#include "game/GameNotice.h"

#include <utility>

#include "core/Game.h"
#include "core/GameText.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace {

std::function<void(const std::string&)>& Handler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}

}  // namespace

// A system notice is shown over a window; once the player has read it, a full-screen game goes back to
// full screen instead of carrying on windowed while its settings still say full screen.
void GameNotice(const std::string& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    const bool restoreFullScreen = Game && Game->FullScreen != 0 && GraphicsIsFullScreen();
    Notify(text);
    if (restoreFullScreen && GraphicsOpen() && !GraphicsIsFullScreen()) Game->GraphicsCreate();
}

void SetGameNoticeHandler(std::function<void(const std::string& text)> handler) {
    Handler() = std::move(handler);
}

std::string GameString(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}
