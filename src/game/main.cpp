// Process entry: wires the game into the layers below it, then the application core's start-up runs
// the whole program and never returns.
#include "core/Startup.h"
#include "game/GameStartup.h"

int main() {
    RegisterGameLayers();
    MainUnitInit();
}
