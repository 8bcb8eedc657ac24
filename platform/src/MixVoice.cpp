// Mixing one voice: sample decoding (8-bit unsigned or 16-bit signed, mono
// or stereo), resampling to the mix rate by linear interpolation, volume,
// and the notifications the play cursor passes.
#include <cstdint>

#include "MixerSlots.h"
#include "platform/EventGroup.h"

namespace plat {
namespace {

// Writers may touch bytes while they are read (a refill behind the cursor):
// every byte is a relaxed atomic, a plain byte load on common machines.
inline int Byte(std::uint8_t* p, int i)
{
    return std::atomic_ref<std::uint8_t>(p[i]).load(std::memory_order_relaxed);
}

template <int Bits, int Channels>
inline void ReadFrame(std::uint8_t* data, std::uint64_t frame, float& left, float& right)
{
    std::uint8_t* p = data + frame * static_cast<std::uint64_t>(Bits / 8 * Channels);
    if constexpr (Bits == 8) {
        left = static_cast<float>(Byte(p, 0) - 128) * (1.0f / 128.0f);
        right = Channels == 2 ? static_cast<float>(Byte(p, 1) - 128) * (1.0f / 128.0f) : left;
    } else {
        left = static_cast<float>(static_cast<std::int16_t>(Byte(p, 0) | (Byte(p, 1) << 8))) * (1.0f / 32768.0f);
        right = Channels == 2
                    ? static_cast<float>(static_cast<std::int16_t>(Byte(p, 2) | (Byte(p, 3) << 8))) * (1.0f / 32768.0f)
                    : left;
    }
}

// Mixes up to `frames` output frames from `position` on; gives the source
// frames advanced. A voice that is not looping ends at its last frame.
template <int Bits, int Channels>
std::uint64_t Render(VoiceSlot& voice, float* block, int frames, std::uint64_t& position, bool looping, bool& ended)
{
    const PcmStore& store = *voice.store;
    std::uint8_t* data = store.bytes.get();
    const std::uint64_t count = store.frameCount;
    const float gain = voice.gain;
    const std::uint64_t stepWhole = voice.step >> 32;
    const std::uint64_t stepFraction = voice.step & 0xFFFFFFFFull;
    std::uint32_t phase = voice.phase;
    std::uint64_t advanced = 0;
    for (int i = 0; i < frames; ++i) {
        float left, right;
        ReadFrame<Bits, Channels>(data, position, left, right);
        if (phase != 0) {
            std::uint64_t next = position + 1;
            if (next >= count)
                next = looping ? 0 : position;
            float nextLeft, nextRight;
            ReadFrame<Bits, Channels>(data, next, nextLeft, nextRight);
            const float t = static_cast<float>(phase) * (1.0f / 4294967296.0f);
            left += (nextLeft - left) * t;
            right += (nextRight - right) * t;
        }
        block[2 * i] += left * gain;
        block[2 * i + 1] += right * gain;

        const std::uint64_t sum = static_cast<std::uint64_t>(phase) + stepFraction;
        phase = static_cast<std::uint32_t>(sum);
        const std::uint64_t move = stepWhole + (sum >> 32);
        position += move;
        advanced += move;
        if (position >= count) {
            if (!looping) {
                ended = true;
                break;
            }
            position %= count;
        }
    }
    voice.phase = phase;
    return advanced;
}

std::uint64_t RenderFormat(VoiceSlot& voice, float* block, int frames, std::uint64_t& position, bool looping,
                           bool& ended)
{
    const PcmFormat& format = voice.store->format;
    if (format.bitsPerSample == 8)
        return format.channels == 1 ? Render<8, 1>(voice, block, frames, position, looping, ended)
                                    : Render<8, 2>(voice, block, frames, position, looping, ended);
    return format.channels == 1 ? Render<16, 1>(voice, block, frames, position, looping, ended)
                                : Render<16, 2>(voice, block, frames, position, looping, ended);
}

// Signals every position notification in the `covered` frames from `start` on.
void SignalPassed(VoiceSlot& voice, std::uint64_t start, std::uint64_t covered, std::uint64_t count)
{
    const int notifications = voice.notifyCount.load(std::memory_order_acquire);
    for (int i = 0; i < notifications; ++i) {
        const std::uint32_t frame = voice.notify[i].frame.load(std::memory_order_relaxed);
        if (frame == SoundBuffer::kStopOffset)
            continue;
        if (covered >= count || (frame + count - start) % count < covered)
            voice.notify[i]
                .events.load(std::memory_order_relaxed)
                ->Signal(voice.notify[i].index.load(std::memory_order_relaxed));
    }
}

} // namespace

void SignalStop(VoiceSlot& voice)
{
    const int notifications = voice.notifyCount.load(std::memory_order_acquire);
    for (int i = 0; i < notifications; ++i) {
        if (voice.notify[i].frame.load(std::memory_order_relaxed) == SoundBuffer::kStopOffset)
            voice.notify[i]
                .events.load(std::memory_order_relaxed)
                ->Signal(voice.notify[i].index.load(std::memory_order_relaxed));
    }
}

void MixVoice(VoiceSlot& voice, float* block, int frames)
{
    PcmStore& store = *voice.store;
    std::uint64_t word = voice.transport.load(std::memory_order_acquire);
    if (!transport::Playing(word) || store.lost.load(std::memory_order_acquire)) {
        voice.wasPlaying = false;
        return;
    }
    // A start, or a position set by a control thread, begins on a whole frame.
    if (!voice.wasPlaying || transport::Generation(word) != voice.generation) {
        voice.phase = 0;
        voice.generation = transport::Generation(word);
        voice.wasPlaying = true;
    }
    store.published.load(std::memory_order_acquire);
    const std::int32_t volume = voice.volume.load(std::memory_order_relaxed);
    if (volume != voice.gainVolume) {
        voice.gainVolume = volume;
        voice.gain = VolumeGain(volume);
    }

    const std::uint64_t count = store.frameCount;
    std::uint64_t position = transport::Position(word) % count;
    const std::uint64_t start = position;
    bool ended = false;
    const std::uint64_t advanced = RenderFormat(voice, block, frames, position, transport::Looping(word), ended);

    const std::uint64_t next =
        ended ? transport::WithPosition(word & ~transport::kPlaying, 0) : transport::WithPosition(word, position);
    // A control thread that changed the voice meanwhile wins.
    const bool stored =
        voice.transport.compare_exchange_strong(word, next, std::memory_order_acq_rel, std::memory_order_acquire);
    SignalPassed(voice, start, ended ? count - start : advanced, count);
    if (ended && stored) {
        voice.wasPlaying = false;
        SignalStop(voice);
    }
}

} // namespace plat
