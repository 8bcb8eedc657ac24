// The volume scale the sound objects share: hundredths of a decibel, the
// eleven levels the settings offer, and the per-buffer fade that the host
// steps once a frame (a fade of t ms takes t / 17 steps).
#pragma once

#include <climits>
#include <cstdint>

namespace engine {

constexpr int kVolumeLevelCount = 11;
// Hundredths of a decibel by level 0..10: 2000 × log10(level / 10), level 0 silence.
extern const std::int32_t VolumeLevelTable[kVolumeLevelCount];
// Hundredths of a decibel per decade of amplitude.
constexpr double DecibelFactor = 100.0 * 20.0;
constexpr std::int32_t kSilentVolume = -10000;
constexpr std::int32_t kFullVolume = 0;
// An object's volume before the first SetVolume: no valid volume.
constexpr std::int32_t kNoVolume = INT_MAX;
// The amplitude that stands for silence at the end of a fade-out.
constexpr double kSilentAmplitude = 1e-5;
constexpr unsigned kMsPerFadeStep = 17;

bool IsValidLevel(int level);
bool IsValidVolume(std::int32_t volume);
// 10^(volume / 2000).
double VolumeToAmplitude(std::int32_t volume);
// 2000 × log10(amplitude) truncated toward zero, clamped to silence..full.
std::int32_t AmplitudeToVolume(double amplitude);
int FadeSteps(unsigned fadeMs);

enum FadeMode : int { kFadeNone = 0, kFadeIn = 1, kFadeOut = 2 };

struct BufferFade {
    double startAmplitude = 0.0;
    double endAmplitude = 0.0;
    double amplitudeDelta = 0.0;
    int step = 0;
    int steps = 0;
    std::int32_t startVolume = 0;
    std::int32_t targetVolume = 0;
    std::int32_t volumeDelta = 0;
    int mode = kFadeNone;
};

// Starts a fade from `start` to `target` at step `step` of `steps`; a
// fade-out ends at kSilentAmplitude. Both volumes must be valid.
void BeginFade(BufferFade& fade, std::int32_t start, std::int32_t target, int step, int steps, FadeMode mode);

// Where a reversed fade starts: a fade running the other way continues from
// `currentVolume` at the mirrored step; otherwise from `freshStart` at step 0.
struct FadeStart {
    std::int32_t volume;
    int step;
};
FadeStart ReverseOrStart(const BufferFade& fade, FadeMode opposite, std::int32_t currentVolume, std::int32_t freshStart,
                         int steps);

struct FadeTick {
    std::int32_t volume; // to set on the buffer
    bool finished;       // the target was reached; mode is now kFadeNone
    bool stopBuffer;     // a fade-out ended: the buffer stops
};
// One update of a running fade (mode not kFadeNone).
FadeTick StepFade(BufferFade& fade);

} // namespace engine
