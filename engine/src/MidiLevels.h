// The music levels 0..10: volume is held as an amplitude, fades run linearly
// in power (the amplitude squared).
#pragma once

#include <algorithm>
#include <cmath>

namespace midi {

constexpr int kMaxLevel = 10;
// A fade of t milliseconds takes t / 17 calls of the once-a-frame update.
constexpr unsigned kFadeStepMs = 17;

inline int ClampLevel(int level)
{
    return std::clamp(level, 0, kMaxLevel);
}

inline double LevelPower(int level)
{
    return ClampLevel(level) / static_cast<double>(kMaxLevel);
}

inline double LevelAmplitude(int level)
{
    return std::sqrt(LevelPower(level));
}

} // namespace midi
