#pragma once
// The one pseudo-random generator of the program. Seeded from the clock on every
// activation of the main window; tests seed it to get exact outcomes.
#include <cstdint>

void RandomSeed(std::uint32_t seed);
// 0 .. n-1; 0 when n <= 0.
std::int32_t Random(std::int32_t n);
// A real in [0, 1).
double RandomReal();
