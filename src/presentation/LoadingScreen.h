// TLoadingScreen: a screen that shows a background, a centred "loading" text image and a progress bar
// while data loads step by step, then waits for a click on an optional click-here button before fading
// to its destination. The application object keeps one (Game->LoadingScreen), which this game never
// shows: its start-up loads without a loading screen.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/Screen.h"
#include "presentation/Button.h"
#include "presentation/LoadingBar.h"

class TImage;

class TLoadingScreen : public TScreen {
  public:
    TLoadingScreen();

    std::unique_ptr<TLoadingBar> LoadingBar;
    std::shared_ptr<TButton> ClickHereButton;
    int Finished = 0;
    std::shared_ptr<TImage> LoadingTextImage;
    int LoadingX = 0, LoadingY = 0;
    int DrawLoadingTextImage2 = 0;
    std::shared_ptr<TImage> LoadingTextImage2;
    std::function<void()> CustomDrawFunction;
    std::function<void()> CustomKillFunction;
    int EscapeCloses = 1;
    int FadeMusic = 0;

    void Kill() override;
    void Logic() override;
    void Draw() override;
    void Start() override;
    // Images from Game->ImagePath; names carry their extension. The bar's "empty" and "final"
    // companions (stem + "empty" / "final" + extension) are optional; the others are fatal when missing.
    void SpecialLoad(const std::string& background, const std::string& bar, const std::string& text);
    void SetSteps(int n);
    // Normal, mouse-over, pressed and disabled image names (empty names are skipped), centred at y.
    void SetClickHereButton(const std::string& image, const std::string& imageMO,
                            const std::string& imageClick, const std::string& imageDisabled, int y);
    void DrawLoading(int flip);
    void Progress();
};
