#include "SoundVolume.h"

#include <algorithm>
#include <cmath>

namespace engine {

const std::int32_t VolumeLevelTable[kVolumeLevelCount] = {-10000, -2000, -1398, -1046, -796, -602,
                                                          -444,   -310,  -194,  -92,   0};

bool IsValidLevel(int level)
{
    return level >= 0 && level < kVolumeLevelCount;
}

bool IsValidVolume(std::int32_t volume)
{
    return volume >= kSilentVolume && volume <= kFullVolume;
}

double VolumeToAmplitude(std::int32_t volume)
{
    return std::pow(10.0, static_cast<double>(volume) / DecibelFactor);
}

std::int32_t AmplitudeToVolume(double amplitude)
{
    if (!(amplitude > 0.0))
        return kSilentVolume;
    const double volume = -(DecibelFactor * std::log10(1.0 / amplitude));
    return static_cast<std::int32_t>(
        std::clamp(std::trunc(volume), static_cast<double>(kSilentVolume), static_cast<double>(kFullVolume)));
}

int FadeSteps(unsigned fadeMs)
{
    return static_cast<int>(fadeMs / kMsPerFadeStep);
}

void BeginFade(BufferFade& fade, std::int32_t start, std::int32_t target, int step, int steps, FadeMode mode)
{
    fade.startVolume = start;
    fade.targetVolume = target;
    fade.volumeDelta = target - start;
    fade.startAmplitude = VolumeToAmplitude(start);
    fade.endAmplitude = mode == kFadeOut ? kSilentAmplitude : VolumeToAmplitude(target);
    fade.amplitudeDelta = fade.endAmplitude - fade.startAmplitude;
    fade.step = step;
    fade.steps = steps;
    fade.mode = mode;
}

FadeStart ReverseOrStart(const BufferFade& fade, FadeMode opposite, std::int32_t currentVolume, std::int32_t freshStart,
                         int steps)
{
    if (fade.mode == opposite && IsValidVolume(currentVolume))
        return {currentVolume, steps - fade.step};
    return {freshStart, 0};
}

FadeTick StepFade(BufferFade& fade)
{
    fade.step += 1;
    if (fade.step < fade.steps) {
        const double amplitude =
            static_cast<double>(fade.step) / static_cast<double>(fade.steps) * fade.amplitudeDelta +
            fade.startAmplitude;
        return {AmplitudeToVolume(amplitude), false, false};
    }
    const bool stop = fade.mode == kFadeOut;
    fade.mode = kFadeNone;
    return {fade.targetVolume, true, stop};
}

} // namespace engine
