// Process entry: the application core's start-up runs the whole program and never returns.
#include "core/Startup.h"

int main() { MainUnitInit(); }
