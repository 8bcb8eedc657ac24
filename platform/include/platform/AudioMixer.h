// Our mixer in place of the platform's sound device: voices over shared PCM
// (SoundBuffer.h) and external sources are summed into one 44.1 kHz stereo
// 16-bit output, played through one SDL audio device or, offline, rendered on
// demand by Mix for tests and measurements.
//
// Threads: voices and sources are added and removed on control threads; the
// mixing thread (SDL's audio callback, or whoever calls Mix) only reads
// atomics and never takes a lock, allocates or waits.
#pragma once

#include <cstdint>
#include <memory>

namespace plat {

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
constexpr int kMixFramesPerCallback = 512;

// Volumes are in hundredths of a decibel, from silence to full scale.
constexpr std::int32_t kVolumeSilent = -10000;
constexpr std::int32_t kVolumeFull = 0;
// The amplitude factor of a volume: 10^(volume / 2000), and exactly 0 at kVolumeSilent.
float VolumeGain(std::int32_t volume);

// An external source, called on the mixing thread once per block with a
// stereo interleaved float buffer of `frames` frames (at kMixRate) to fill
// with samples in -1..1; the mixer adds them into the mix. It must not block
// or allocate. This is how a synthesiser (the MIDI output) plays through
// the same device as the sound effects.
using MixSourceProc = void (*)(void* user, float* stereo, int frames);

class AudioMixer {
public:
    static constexpr int kMaxVoices = 1024;
    static constexpr int kMaxSources = 8;

    AudioMixer();
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // The one mixer of the process, which the engine's sound objects and the
    // MIDI output share.
    static AudioMixer& Shared();

    // The output device is opened by the first user and closed by the last.
    // In offline mode no device is opened and the holder of the mixer drives
    // it with Mix. False when the device cannot be opened.
    bool AcquireOutput();
    void ReleaseOutput();
    bool IsOutputOpen() const;
    // Chosen before the first AcquireOutput (tests and benchmarks).
    void SetOffline(bool offline);
    bool IsOffline() const;

    // Renders `frames` frames into `out` (interleaved stereo). Called by the
    // audio callback; offline, by the caller. Only one thread mixes at a time.
    void Mix(std::int16_t* out, int frames);
    // Completed mixing passes (blocks of at most kMixFramesPerCallback frames).
    std::uint64_t PassCount() const;

    // Adds an external source; gives its id, or -1 when all places are taken.
    int AddSource(MixSourceProc render, void* user);
    // After RemoveSource returns, the source is not called again.
    void RemoveSource(int id);

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace plat
