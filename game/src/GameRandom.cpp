#include "GameRandom.h"

namespace {
std::uint32_t randomState = 1;
}

void SeedGameRandom(std::uint32_t seed)
{
    randomState = seed;
}

int GameRand()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & GAME_RAND_MAX);
}
