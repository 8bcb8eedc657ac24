#include "MidiAudioSink.h"

#include <SDL.h>

#include "platform/Headless.h"

namespace midi {
namespace {

class SdlAudioSink final : public AudioSink {
public:
    ~SdlAudioSink() override
    {
        if (device_ != 0)
            SDL_CloseAudioDevice(device_);
        if (subsystemStarted_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Start(RenderFunction render) override
    {
        render_ = std::move(render);
        plat::PrepareSdlForHeadless();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        subsystemStarted_ = true;
        SDL_AudioSpec want{};
        want.freq = kSynthSampleRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = &SdlAudioSink::Callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (device_ == 0)
            return false;
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

private:
    static void Callback(void* self, Uint8* stream, int bytes)
    {
        auto* sink = static_cast<SdlAudioSink*>(self);
        sink->render_(reinterpret_cast<std::int16_t*>(stream), bytes / 4);
    }

    RenderFunction render_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystemStarted_ = false;
};

} // namespace

std::unique_ptr<AudioSink> MakeSdlAudioSink()
{
    return std::make_unique<SdlAudioSink>();
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
