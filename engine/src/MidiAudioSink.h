// Where a synthesizer's sound goes: the shared mixer, or an offline buffer in
// tests. The sink calls the render function from the mixing thread (or the
// caller's, offline) for interleaved 16-bit stereo frames.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace midi {

using RenderFunction = std::function<void(std::int16_t* stereoFrames, int frameCount)>;

constexpr int kSynthSampleRate = 44100;

class AudioSink {
public:
    virtual ~AudioSink() = default;
    // Starts pulling frames from `render`; false when no sound can be made.
    virtual bool Start(RenderFunction render) = 0;
};

// The shared mixer's output, where the sound effects play too (SDL's dummy
// driver when headless).
std::unique_ptr<AudioSink> MakeMixerAudioSink();

// Renders only when asked, into a buffer: for tests and measurements.
class OfflineAudioSink final : public AudioSink {
public:
    bool Start(RenderFunction render) override;
    // Appends `frameCount` frames to the buffer.
    void Render(int frameCount);
    const std::vector<std::int16_t>& Samples() const { return samples_; }
    std::size_t FramesRendered() const { return samples_.size() / 2; }
    void Clear() { samples_.clear(); }

private:
    RenderFunction render_;
    std::vector<std::int16_t> samples_;
};

} // namespace midi
