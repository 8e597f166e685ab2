// The wiring of the game into the layers below it: registers the presentation layer's front end with
// the application core and fills the core's start-up hooks with the game's own steps. main calls it
// before MainUnitInit; the core and game tests' support code calls it too.
#pragma once

void RegisterGameLayers();
