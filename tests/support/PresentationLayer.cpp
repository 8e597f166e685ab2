// Linked into the presentation suites: registers the presentation layer's front end with the
// application core before any test runs, as the game's start-up does.
#include "presentation/CoreFrontEnd.h"

namespace {

const bool Registered = (RegisterPresentation(), true);

}  // namespace
