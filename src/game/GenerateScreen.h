// The generating overlay: a screen object that is never the current screen. The play screen and the board
// screen draw it on top of themselves; it darkens the picture, shows "generating" (or "solving" for a
// typed-in puzzle) and, once faded in, runs the puzzle engine inside its Draw, on the one program thread,
// before it hands over to the board screen.
//
// Its owners replace the one instance (the global GenerateScreen) with a fresh one when they load, so an
// overlay never outlives the screen that showed it.
//
// Used by the play and board screens.
#pragma once

#include <memory>

#include "core/Screen.h"

class TAnimation;
class TChannel;
class TGameSound;

class TGenerateScreen : public TScreen {
  public:
    int Active = 0;      // the overlay is shown
    int MouseState = 0;  // the pointer's Active state when the overlay was shown
    std::shared_ptr<TGameSound> ActivateSound;
    std::shared_ptr<TGameSound> DeactivateSound;
    std::shared_ptr<TChannel> Channel;
    std::shared_ptr<TAnimation> FadeIn;
    std::shared_ptr<TAnimation> FadeOut;
    int HasGenerated = 0;  // the engine has run for this showing

    void Load() override;
    void Kill() override;
    // The owners call Logic and Draw from their own and stop their own logic while Active is set.
    void Logic() override;
    void Draw() override;
    void Show(int playSound);
    void Hide();
};

extern std::unique_ptr<TGenerateScreen> GenerateScreen;

// Drops the current overlay and puts a freshly loaded one in its place.
void GenerateScreenReplace();
