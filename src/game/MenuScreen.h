// What the menu screens around the board share: the base class TMenuScreen (the background picture
// offset, the glowing header, the common Start with its fade-in, the screen change through a fade-out)
// and the mouse pointer's trail of coloured sparkles.
// The base of the title, play, options, help and best-time screens.
#pragma once

#include <memory>
#include <string>

#include "core/Screen.h"

class TGameImage;
class TParticle;

class TMenuScreen : public TScreen {
  public:
    float x = 0, y = 0;  // offset of the background picture from the screen centre
    std::shared_ptr<TGameImage> Background;

    // TScreen's Start, the screen fade-in, the pointer on, fresh timing, Escape handled by the screen.
    void Start() override;

    // The background from the image bank (mid-handled) and the glowing header sprite from the graphics
    // folder, centred on (x, y).
    void LoadBackground(const std::string& name);
    void LoadHeader(const std::string& name, float headerX, float headerY);
    void ManageHeaderGlow();
    // Solid blending, the background at the screen centre plus (x, y), then alpha blending.
    void DrawBackground();
    void DrawHeader();
    // Escape leads to the title screen on every menu screen but the title screen itself.
    int SetEscDestination() override;
};

// The screen change every menu screen makes: a fade-out with the music, then the destination.
void ChangeScreenTo(TScreen* destination);

// The sparkle image ("particle1") and the pointer's trail.
extern std::shared_ptr<TGameImage> MenuParticleImage;
void MenuSparklesOn();
void MenuParticleEmit();
std::shared_ptr<TParticle> MenuParticleCreate(float x, float y, const std::shared_ptr<TGameImage>& image);
