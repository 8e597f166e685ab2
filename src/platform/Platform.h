// Umbrella for the platform layer: the one place where the rest of the program learns what the
// machine offers (window, drawing, input, clock, audio, files, system services).
// Nothing includes it: each file names the platform headers it needs.
#pragma once
