#include "core/Random.h"

namespace {

std::uint32_t state = 1;

} // namespace

void SeedGameRandom(std::uint32_t seed)
{
    state = seed;
}

int GameRandom()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

std::uint32_t GameRandomState()
{
    return state;
}
