// Clean-up of the game's screen globals shared by the tests that build the menu screens.
#pragma once

#include "game/GameRun.h"
#include "game/GameScreen.h"
#include "game/GenerateScreen.h"
#include "game/HelpScreen.h"
#include "game/HighScoreScreen.h"
#include "game/OptionsScreen.h"
#include "game/PlayScreen.h"
#include "game/TitleScreen.h"

// Ends the menu screens still made, as leaving them would.
inline void KillMenuScreens() {
    for (TScreen* s : {static_cast<TScreen*>(TitleScreen.get()), static_cast<TScreen*>(PlayScreen.get()),
                       static_cast<TScreen*>(OptionsScreen.get()), static_cast<TScreen*>(HelpScreen.get()),
                       static_cast<TScreen*>(HighScoreScreen.get())})
        if (s) s->Kill();
}

// Drops every screen the start-up made and the title screen the run was to begin with.
inline void ReleaseScreens() {
    TitleScreen.reset();
    PlayScreen.reset();
    OptionsScreen.reset();
    HelpScreen.reset();
    HighScoreScreen.reset();
    GenerateScreen.reset();
    GameScreen.reset();
    GameRunStartTitle = nullptr;
}
