// Sound effects: short generated tones, sweeps and noise bursts, one sound
// per id; the two looping effects (27 and 29) are a whole number of cycles.
#include <cmath>
#include <cstdint>
#include <vector>

#include "Encoders.h"
#include "SampleData.h"

namespace sampledata {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::int16_t Clip(double v)
{
    return static_cast<std::int16_t>(std::lround(std::fmax(-32767.0, std::fmin(32767.0, v))));
}

// A tone gliding from `from` to `to` Hz with a short attack and a decay.
std::vector<std::int16_t> Sweep(double from, double to, double seconds, double amplitude)
{
    const int n = static_cast<int>(seconds * kSoundRate);
    std::vector<std::int16_t> s(static_cast<std::size_t>(n));
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        phase += 2 * kPi * (from + (to - from) * t) / kSoundRate;
        const double envelope = std::fmin(1.0, i / 200.0) * (1.0 - t);
        s[static_cast<std::size_t>(i)] = Clip(amplitude * envelope * std::sin(phase));
    }
    return s;
}

// Noise from a fixed linear congruential sequence, so the data never changes.
std::vector<std::int16_t> Noise(double seconds, double amplitude, unsigned seed)
{
    const int n = static_cast<int>(seconds * kSoundRate);
    std::vector<std::int16_t> s(static_cast<std::size_t>(n));
    std::uint32_t state = seed;
    for (int i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        const double white = static_cast<double>((state >> 16) & 0x7FFF) / 16383.5 - 1.0;
        s[static_cast<std::size_t>(i)] = Clip(amplitude * (1.0 - static_cast<double>(i) / n) * white);
    }
    return s;
}

// A steady hum of whole cycles, so it loops without a click.
std::vector<std::int16_t> Hum(double frequency, int cycles, double amplitude)
{
    const int n = static_cast<int>(std::lround(cycles * kSoundRate / frequency));
    std::vector<std::int16_t> s(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        s[static_cast<std::size_t>(i)] = Clip(amplitude * std::sin(2 * kPi * cycles * i / n));
    return s;
}

} // namespace

Bytes SoundEffectEntry(int soundId)
{
    if (soundId == 27)
        return EncodeWav(Hum(220.0, 220, 6000));
    if (soundId == 29)
        return EncodeWav(Hum(330.0, 330, 6000));
    switch (soundId % 4) {
    case 0:
        return EncodeWav(Sweep(440.0 + 40.0 * soundId, 880.0 + 40.0 * soundId, 0.12, 12000));
    case 1:
        return EncodeWav(Sweep(700.0 + 20.0 * soundId, 300.0, 0.15, 12000));
    case 2:
        return EncodeWav(Noise(0.2, 9000, static_cast<unsigned>(soundId)));
    default:
        return EncodeWav(Sweep(200.0 + 30.0 * soundId, 200.0 + 30.0 * soundId, 0.25, 10000));
    }
}

} // namespace sampledata
