// QDGenerateScreen: a reusable dimming overlay that fades in over the current screen, runs its
// GenerateFunction once the fade-in is done, and fades out again when hidden. Never the current
// screen: its owner calls Logic and Draw.
// A framework piece of the game layer that this game does not use: its own overlay is
// TGenerateScreen (GenerateScreen.h).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/Screen.h"

class TAnimation;

class QDGenerateScreen : public TScreen {
  public:
    int Active = 0;
    int MouseState = 0;
    std::shared_ptr<TAnimation> FadeIn, FadeOut;
    int HasGenerated = 0;
    std::string HeaderImage = "generating";
    std::function<void()> GenerateFunction;

    void Load() override;
    void Show();
    void Hide();
    void Logic() override;
    void Draw() override;
    void Kill() override;
};
