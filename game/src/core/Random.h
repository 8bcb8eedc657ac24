// The game-wide random generator: 15-bit results (0 to 32767) from a linear
// congruential sequence, so a seeded run repeats exactly on every machine.
// The C library's rand is never used.
#pragma once

#include <cstdint>

void SeedGameRandom(std::uint32_t seed);
// The next value, 0 to 32767.
int GameRandom();
// The generator's state, for tests that need to restore it.
std::uint32_t GameRandomState();
