// A voice of the mixer over PCM bytes, in the manner of the platform's sound
// buffers: volume, play position, play once or looping, stop, status, and
// events signalled when the play cursor passes given offsets or the voice
// stops. Duplicates share the bytes of the buffer they were made from.
//
// Control operations may come from several threads; the mixer sees them
// through atomics. The bytes are shared with the mixing thread byte by byte
// (relaxed atomics): a writer that falls behind the play cursor gives stale
// sound, never undefined behaviour. Each write is published to the mixer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/AudioMixer.h"

namespace plat {

class EventGroup;

struct PcmFormat {
    int channels = 2;       // 1 or 2
    int sampleRate = 44100; // frames a second, any rate (resampled)
    int bitsPerSample = 16; // 8 (unsigned) or 16 (signed, little-endian)

    int BlockAlign() const { return channels * bitsPerSample / 8; }
    bool IsSupported() const;
};

struct PcmStore;

class SoundBuffer {
public:
    // The play-cursor offset that stands for "the voice stopped".
    static constexpr std::uint32_t kStopOffset = 0xFFFFFFFFu;
    static constexpr int kMaxNotifications = 8;

    struct Notification {
        std::uint32_t byteOffset; // or kStopOffset
        EventGroup* events;       // must outlive the buffer or its next SetNotifications
        int index;
    };

    // A voice of `bytes` zero bytes; null when the format is not supported,
    // the buffer holds less than one frame or the mixer has no free voice.
    static std::shared_ptr<SoundBuffer> Create(AudioMixer& mixer, const PcmFormat& format, std::uint32_t bytes);
    // A new voice over the same bytes, stopped at position 0, full volume,
    // without notifications; null when the mixer has no free voice.
    std::shared_ptr<SoundBuffer> Duplicate() const;
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    const PcmFormat& Format() const;
    std::uint32_t Bytes() const;

    // Copies `size` bytes to `offset`; false (nothing written) when the range
    // is outside the buffer.
    bool Write(std::uint32_t offset, const std::uint8_t* bytes, std::uint32_t size);
    bool FillRange(std::uint32_t offset, std::uint32_t size, std::uint8_t value);
    void Fill(std::uint8_t value);

    // False (and nothing changes) outside kVolumeSilent..kVolumeFull.
    bool SetVolume(std::int32_t volume);
    std::int32_t Volume() const;
    // In bytes, rounded down to a whole frame; false past the end.
    bool SetPosition(std::uint32_t byteOffset);
    std::uint32_t Position() const;
    // Plays from the current position; false when the buffer is lost.
    bool Play(bool looping);
    void Stop();
    bool IsPlaying() const;
    bool IsLooping() const;

    // Replaces the notifications; only while stopped (false when playing or
    // when more than kMaxNotifications are given).
    bool SetNotifications(const std::vector<Notification>& notifications);

    // Loss of the bytes, as when the device is taken away: a lost buffer and
    // its duplicates do not play until Restore. The platform never loses
    // buffers by itself; tests simulate it to run the recovery paths.
    void SimulateLoss();
    bool IsLost() const;
    void Restore();

private:
    SoundBuffer(AudioMixer& mixer, std::shared_ptr<PcmStore> store, int slot);
    static std::shared_ptr<SoundBuffer> Attach(AudioMixer& mixer, std::shared_ptr<PcmStore> store);

    AudioMixer& mixer_;
    std::shared_ptr<PcmStore> store_;
    int slot_;
};

} // namespace plat
