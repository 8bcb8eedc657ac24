// The one random generator of the game: 15-bit results from a 32-bit linear
// congruential state. Seeded once at start-up; tests seed it themselves.
#pragma once

#include <cstdint>

constexpr int GAME_RAND_MAX = 0x7FFF;

void SeedGameRandom(std::uint32_t seed);

// The next value, 0 to 32767.
int GameRand();
