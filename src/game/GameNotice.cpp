// Non-fatal player messages, routed through one replaceable handler.
#include "game/GameNotice.h"

#include <utility>

#include "core/GameText.h"
#include "platform/System.h"

namespace {

std::function<void(const std::string&)>& Handler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}

}  // namespace

void GameNotice(const std::string& text) {
    if (Handler())
        Handler()(text);
    else
        Notify(text);
}

void SetGameNoticeHandler(std::function<void(const std::string& text)> handler) {
    Handler() = std::move(handler);
}

std::string GameString(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}
