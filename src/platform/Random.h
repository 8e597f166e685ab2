// Random numbers for effects: one seeded generator shared by the program's sparkles and particles.
// Used by the core's channel pool and start-up (the seed), the sprites and dialogs, and the game.
#pragma once

#include <cstdint>

void SeedRnd(uint32_t seed);
// A float in [low, high); the bounds may come in either order.
float Rnd(float low = 0.0f, float high = 1.0f);
// An integer in [low, high], both included; the bounds may come in either order.
int Rand(int low, int high);
