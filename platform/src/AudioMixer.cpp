#include "platform/AudioMixer.h"

#include <sched.h>

#include <algorithm>
#include <cmath>

#include "MixerSlots.h"
#include "platform/Headless.h"

namespace plat {

float VolumeGain(std::int32_t volume)
{
    if (volume <= kVolumeSilent)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(volume) / 2000.0));
}

// ---------------------------------------------------------------------------
void AudioMixer::Impl::WaitForPassEnd() const
{
    const std::uint64_t pass = passCounter.load();
    if ((pass & 1) == 0)
        return;
    while (passCounter.load() == pass)
        sched_yield();
}

int AudioMixer::Impl::ClaimVoice(PcmStore* store)
{
    std::lock_guard lock(controlMutex);
    for (int i = 0; i < kMaxVoices; ++i) {
        VoiceSlot& voice = voices[i];
        if (voice.inUse.load())
            continue;
        voice.store = store;
        voice.step = (static_cast<std::uint64_t>(store->format.sampleRate) << 32) / kMixRate;
        voice.volume.store(kVolumeFull, std::memory_order_relaxed);
        voice.transport.store(0, std::memory_order_relaxed);
        voice.notifyCount.store(0, std::memory_order_relaxed);
        voice.wasPlaying = false;
        voice.generation = 0;
        voice.phase = 0;
        voice.gainVolume = kVolumeFull;
        voice.gain = 1.0f;
        voice.inUse.store(true);
        return i;
    }
    return -1;
}

void AudioMixer::Impl::FreeVoice(int slot)
{
    std::lock_guard lock(controlMutex);
    voices[slot].inUse.store(false);
    WaitForPassEnd();
    voices[slot].store = nullptr;
}

void AudioMixer::Impl::MixBlock(float* block, int frames)
{
    std::fill(block, block + frames * kMixChannels, 0.0f);
    for (VoiceSlot& voice : voices) {
        if (voice.inUse.load())
            MixVoice(voice, block, frames);
    }
    for (SourceSlot& source : sources) {
        if (!source.active.load())
            continue;
        float* rendered = sourceBlock.data();
        std::fill(rendered, rendered + frames * kMixChannels, 0.0f);
        source.render(source.user, rendered, frames);
        for (int i = 0; i < frames * kMixChannels; ++i)
            block[i] += rendered[i];
    }
}

// ---------------------------------------------------------------------------
namespace {

void AudioCallback(void* user, Uint8* stream, int length)
{
    auto* mixer = static_cast<AudioMixer*>(user);
    mixer->Mix(reinterpret_cast<std::int16_t*>(stream), length / static_cast<int>(sizeof(std::int16_t) * kMixChannels));
}

std::int16_t ToSample(float value)
{
    const long scaled = std::lrint(static_cast<double>(value) * 32768.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768L, 32767L));
}

} // namespace

AudioMixer::AudioMixer() : impl_(std::make_unique<Impl>()) {}

AudioMixer::~AudioMixer()
{
    if (impl_->device != 0) {
        SDL_CloseAudioDevice(impl_->device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

AudioMixer& AudioMixer::Shared()
{
    static AudioMixer mixer;
    return mixer;
}

namespace {

// Starts SDL's audio and opens the default device for the mixer; 0 when either fails.
SDL_AudioDeviceID OpenAudioDevice(AudioMixer* mixer)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    SDL_AudioSpec wanted{};
    wanted.freq = kMixRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kMixChannels;
    wanted.samples = kMixFramesPerCallback;
    wanted.callback = AudioCallback;
    wanted.userdata = mixer;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts our format to the device's if needed.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return device;
}

} // namespace

bool AudioMixer::AcquireOutput()
{
    std::lock_guard lock(impl_->controlMutex);
    if (impl_->outputUsers > 0 || impl_->offline) {
        ++impl_->outputUsers;
        return true;
    }
    PrepareSdlForHeadless();
    impl_->device = OpenAudioDevice(this);
    if (impl_->device == 0) {
        // No sound card or audio server: play on into SDL's silent driver, so
        // the game runs (without sound) and its fades and notifications still
        // advance, instead of refusing to start.
        std::fprintf(stderr, "Velmora: no audio device (%s); sound is silent\n", SDL_GetError());
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        impl_->device = OpenAudioDevice(this);
        if (impl_->device == 0)
            return false;
    }
    SDL_PauseAudioDevice(impl_->device, 0);
    ++impl_->outputUsers;
    return true;
}

void AudioMixer::ReleaseOutput()
{
    SDL_AudioDeviceID closing = 0;
    {
        std::lock_guard lock(impl_->controlMutex);
        if (impl_->outputUsers == 0 || --impl_->outputUsers > 0)
            return;
        closing = impl_->device;
        impl_->device = 0;
    }
    if (closing != 0) {
        SDL_CloseAudioDevice(closing);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool AudioMixer::IsOutputOpen() const
{
    std::lock_guard lock(impl_->controlMutex);
    return impl_->outputUsers > 0;
}

void AudioMixer::SetOffline(bool offline)
{
    std::lock_guard lock(impl_->controlMutex);
    impl_->offline = offline;
}

bool AudioMixer::IsOffline() const
{
    std::lock_guard lock(impl_->controlMutex);
    return impl_->offline;
}

void AudioMixer::Mix(std::int16_t* out, int frames)
{
    float* block = impl_->mixBlock.data();
    while (frames > 0) {
        const int count = std::min(frames, kMixFramesPerCallback);
        impl_->passCounter.fetch_add(1);
        impl_->MixBlock(block, count);
        impl_->passCounter.fetch_add(1);
        for (int i = 0; i < count * kMixChannels; ++i)
            out[i] = ToSample(block[i]);
        out += count * kMixChannels;
        frames -= count;
    }
}

std::uint64_t AudioMixer::PassCount() const
{
    return impl_->passCounter.load() / 2;
}

int AudioMixer::AddSource(MixSourceProc render, void* user)
{
    if (render == nullptr)
        return -1;
    std::lock_guard lock(impl_->controlMutex);
    for (int i = 0; i < kMaxSources; ++i) {
        SourceSlot& source = impl_->sources[i];
        if (source.active.load())
            continue;
        source.render = render;
        source.user = user;
        source.active.store(true);
        return i;
    }
    return -1;
}

void AudioMixer::RemoveSource(int id)
{
    if (id < 0 || id >= kMaxSources)
        return;
    std::lock_guard lock(impl_->controlMutex);
    impl_->sources[id].active.store(false);
    impl_->WaitForPassEnd();
}

} // namespace plat
