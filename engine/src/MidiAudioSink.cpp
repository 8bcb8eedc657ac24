#include "MidiAudioSink.h"

#include "platform/AudioMixer.h"

namespace midi {
namespace {

// Plays through the shared mixer, beside the sound effects: the synthesizer
// is one of the mixer's external sources, rendered on the mixing thread.
class MixerAudioSink final : public AudioSink {
public:
    ~MixerAudioSink() override
    {
        auto& mixer = plat::AudioMixer::Shared();
        if (sourceId_ >= 0)
            mixer.RemoveSource(sourceId_);
        if (outputAcquired_)
            mixer.ReleaseOutput();
    }

    bool Start(RenderFunction render) override
    {
        render_ = std::move(render);
        auto& mixer = plat::AudioMixer::Shared();
        if (!mixer.AcquireOutput())
            return false;
        outputAcquired_ = true;
        sourceId_ = mixer.AddSource(&MixerAudioSink::Render, this);
        return sourceId_ >= 0;
    }

private:
    // Called on the mixing thread: renders into a fixed scratch block (no
    // allocation) and hands the mixer floats.
    static void Render(void* self, float* stereo, int frames)
    {
        auto* sink = static_cast<MixerAudioSink*>(self);
        while (frames > 0) {
            const int chunk = frames < kScratchFrames ? frames : kScratchFrames;
            sink->render_(sink->scratch_, chunk);
            for (int i = 0; i < chunk * 2; ++i)
                stereo[i] = static_cast<float>(sink->scratch_[i]) * (1.0f / 32768.0f);
            stereo += chunk * 2;
            frames -= chunk;
        }
    }

    static constexpr int kScratchFrames = plat::kMixFramesPerCallback;
    static_assert(kSynthSampleRate == plat::kMixRate, "the synthesizer renders at the mixer's rate");

    RenderFunction render_;
    std::int16_t scratch_[kScratchFrames * 2] = {};
    int sourceId_ = -1;
    bool outputAcquired_ = false;
};

} // namespace

std::unique_ptr<AudioSink> MakeMixerAudioSink()
{
    return std::make_unique<MixerAudioSink>();
}

bool OfflineAudioSink::Start(RenderFunction render)
{
    render_ = std::move(render);
    return true;
}

void OfflineAudioSink::Render(int frameCount)
{
    if (!render_ || frameCount <= 0)
        return;
    const std::size_t start = samples_.size();
    samples_.resize(start + static_cast<std::size_t>(frameCount) * 2);
    render_(samples_.data() + start, frameCount);
}

} // namespace midi
