// Umbrella for the platform layer: the one place where the rest of the program learns what the
// machine offers (window, drawing, input, clock, audio, files, system services).
#pragma once
