// Linked into the core and game suites: wires the presentation layer and the game's start-up hooks
// into the application core before any test runs, as the game's main does.
#include "game/GameStartup.h"

namespace {

const bool Registered = (RegisterGameLayers(), true);

}  // namespace
