// The game's steps of the core's start-up and orderly end, in the order the core calls them.
#include "game/GameStartup.h"

#include <memory>

#include "core/Game.h"
#include "core/Startup.h"
#include "game/Core.h"
#include "game/GameOptions.h"
#include "game/GameRun.h"
#include "game/GameScreen.h"
#include "game/MakerSplash.h"
#include "game/TitleScreen.h"
#include "game/TolvaneGame.h"
#include "presentation/CoreFrontEnd.h"
#include "presentation/ImageBank.h"

void RegisterGameLayers() {
    RegisterPresentation();
    TStartupHooks& hooks = StartupHooks();
    hooks.CreateScreens = [] {
        ImageBank = std::make_unique<TImageBank>();
        MenuScreensInit();
        BoardScreensInit();
    };
    hooks.MakeGame = [] { return std::make_unique<TTolvaneGame>(); };
    hooks.DataPathsSet = [] { ImageBank->SetPath(Game->ImagePath); };
    hooks.LoadOptions = [] { OptionsStartUp(Game->SubPath); };
    hooks.Start = [] { Core.Start(); };
    hooks.Splash = [] { ShowMakerSplash(Game->Sound, 0); };
    hooks.Run = [] { GameRun(); };
    hooks.QuitSteps = {{"OpenGetStartedPage", [] { OpenGetStartedPage(FirstRun); }},
                       {"FirstRun", [] { FirstRun = 0; }},
                       {"OptionsSave", [] { OptionsSave(); }}};
}
