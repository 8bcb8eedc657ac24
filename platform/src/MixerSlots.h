// The mixer's insides shared by AudioMixer.cpp, SoundBuffer.cpp and
// MixVoice.cpp: the PCM store, the voice table and the transport word.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/SoundBuffer.h"

namespace plat {

class EventGroup;

// The bytes a buffer and its duplicates share.
struct PcmStore {
    PcmFormat format;
    // Read and written only through std::atomic_ref (relaxed).
    std::unique_ptr<std::uint8_t[]> bytes;
    std::uint32_t size = 0;
    std::uint32_t frameCount = 0;
    // Advanced after every write (release) and read by the mixer (acquire)
    // before it reads the bytes, so a finished write is seen whole.
    std::atomic<std::uint32_t> published{0};
    std::atomic<bool> lost{false};
};

// Play state of a voice in one word, so control threads and the mixer can
// change it with compare-and-swap: playing, looping, a generation bumped by
// every position change, and the position in frames.
namespace transport {
constexpr std::uint64_t kPlaying = 1ull << 63;
constexpr std::uint64_t kLooping = 1ull << 62;
constexpr int kGenerationShift = 40;
constexpr std::uint64_t kGenerationMask = (1ull << 22) - 1;
constexpr std::uint64_t kPositionMask = (1ull << kGenerationShift) - 1;

inline bool Playing(std::uint64_t word)
{
    return (word & kPlaying) != 0;
}
inline bool Looping(std::uint64_t word)
{
    return (word & kLooping) != 0;
}
inline std::uint32_t Generation(std::uint64_t word)
{
    return static_cast<std::uint32_t>((word >> kGenerationShift) & kGenerationMask);
}
inline std::uint64_t Position(std::uint64_t word)
{
    return word & kPositionMask;
}
inline std::uint64_t WithPosition(std::uint64_t word, std::uint64_t position)
{
    return (word & ~kPositionMask) | (position & kPositionMask);
}
inline std::uint64_t NextGeneration(std::uint64_t word)
{
    const std::uint64_t generation = (Generation(word) + 1) & kGenerationMask;
    return (word & ~(kGenerationMask << kGenerationShift)) | (generation << kGenerationShift);
}
} // namespace transport

struct NotifySlot {
    std::atomic<std::uint32_t> frame{0}; // or SoundBuffer::kStopOffset
    std::atomic<EventGroup*> events{nullptr};
    std::atomic<int> index{0};
};

struct VoiceSlot {
    std::atomic<bool> inUse{false};
    // Set before inUse is published and fixed while it holds.
    PcmStore* store = nullptr;
    std::uint64_t step = 0; // source frames per output frame, 32.32 fixed point

    std::atomic<std::int32_t> volume{kVolumeFull};
    std::atomic<std::uint64_t> transport{0};
    std::atomic<int> notifyCount{0};
    NotifySlot notify[SoundBuffer::kMaxNotifications];

    // Touched only by the mixing thread (and by the control thread before
    // the slot is published).
    bool wasPlaying = false;
    std::uint32_t generation = 0;
    std::uint32_t phase = 0; // fraction of a source frame, 0.32 fixed point
    std::int32_t gainVolume = kVolumeFull;
    float gain = 1.0f;
};

struct SourceSlot {
    std::atomic<bool> active{false};
    MixSourceProc render = nullptr;
    void* user = nullptr;
};

struct AudioMixer::Impl {
    VoiceSlot voices[kMaxVoices];
    SourceSlot sources[kMaxSources];
    // Odd while a pass is mixing; control threads wait for an even change
    // before they reuse a slot the mixer may still be reading.
    std::atomic<std::uint64_t> passCounter{0};
    std::vector<float> mixBlock = std::vector<float>(kMixFramesPerCallback * kMixChannels);
    std::vector<float> sourceBlock = std::vector<float>(kMixFramesPerCallback * kMixChannels);

    std::mutex controlMutex; // slot allocation and the output's user count; never taken by the mixer
    int outputUsers = 0;
    bool offline = false;
    SDL_AudioDeviceID device = 0;

    void WaitForPassEnd() const;
    int ClaimVoice(PcmStore* store);
    void FreeVoice(int slot);
    void MixBlock(float* block, int frames);
};

// Mixes one voice into `block` (interleaved stereo, `frames` frames) and
// moves its transport on, signalling the notifications it passed.
void MixVoice(VoiceSlot& voice, float* block, int frames);

// Signals the voice's notifications at kStopOffset.
void SignalStop(VoiceSlot& voice);

} // namespace plat
