#include "SoundDevice.h"

#include "platform/Clock.h"

namespace engine {
namespace {

struct SharedSoundDevice {
    bool open = false;
    std::shared_ptr<plat::SoundBuffer> silentMixBuffer;
};

SharedSoundDevice& Device()
{
    // Made first, the mixer is destroyed last at exit, after the device's buffers.
    static plat::AudioMixer& mixer = plat::AudioMixer::Shared();
    static SharedSoundDevice device;
    (void)mixer;
    return device;
}

constexpr std::uint32_t kSilentMixBytes = 0x40000;
// Time for voices stopped just before to fall silent before the output closes.
constexpr std::uint32_t kReleaseDelayMs = 200;

} // namespace

int& SoundUserCount()
{
    static int users = 0;
    return users;
}

plat::AudioMixer& SoundMixer()
{
    return plat::AudioMixer::Shared();
}

Zeph::HResult CreateSharedSoundDevice()
{
    SharedSoundDevice& device = Device();
    if (device.open)
        return Zeph::kResultOk;
    if (!SoundMixer().AcquireOutput())
        return Zeph::kResultFail;
    device.open = true;
    return Zeph::kResultOk;
}

bool SharedSoundDeviceExists()
{
    return Device().open;
}

Zeph::HResult StartSilentMixBuffer()
{
    SharedSoundDevice& device = Device();
    if (device.silentMixBuffer != nullptr)
        return Zeph::kResultOk;
    auto buffer = plat::SoundBuffer::Create(SoundMixer(), plat::PcmFormat{2, 44100, 16}, kSilentMixBytes);
    if (buffer == nullptr)
        return Zeph::kResultFail;
    ClearSoundBuffer(*buffer, 0);
    if (!buffer->Play(true))
        return Zeph::kResultFail;
    device.silentMixBuffer = std::move(buffer);
    return Zeph::kResultOk;
}

bool SilentMixBufferRuns()
{
    return Device().silentMixBuffer != nullptr;
}

Zeph::HResult ClearSoundBuffer(plat::SoundBuffer& buffer, std::uint8_t value)
{
    buffer.Fill(value);
    return Zeph::kResultOk;
}

void ReleaseSharedSoundDevice()
{
    int& users = SoundUserCount();
    const int before = users--;
    if (before != 1)
        return;
    plat::SleepMs(kReleaseDelayMs);
    SharedSoundDevice& device = Device();
    if (device.silentMixBuffer != nullptr) {
        device.silentMixBuffer->Stop();
        device.silentMixBuffer.reset();
    }
    if (device.open) {
        SoundMixer().ReleaseOutput();
        device.open = false;
    }
}

} // namespace engine
