#include <gtest/gtest.h>

#include <cstdlib>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/EventGroup.h"
#include "platform/LittleEndian.h"
#include "platform/SoundBuffer.h"

using plat::AudioMixer;
using plat::EventGroup;
using plat::PcmFormat;
using plat::SoundBuffer;

namespace {

using Samples = std::vector<std::int16_t>;

Samples MixFrames(AudioMixer& mixer, int frames)
{
    Samples out(static_cast<std::size_t>(frames) * 2);
    mixer.Mix(out.data(), frames);
    return out;
}

// A buffer holding `frames` copies of the frame `frame` (raw bytes in the format).
std::shared_ptr<SoundBuffer> Constant(AudioMixer& mixer, const PcmFormat& format,
                                      const std::vector<std::uint8_t>& frame, std::uint32_t frames)
{
    auto buffer = SoundBuffer::Create(mixer, format, frames * static_cast<std::uint32_t>(frame.size()));
    if (buffer == nullptr)
        return nullptr;
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t i = 0; i < frames; ++i)
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    buffer->Write(0, bytes.data(), buffer->Bytes());
    return buffer;
}

// A 16-bit stereo buffer whose frame i holds (i, -i).
std::shared_ptr<SoundBuffer> Ramp(AudioMixer& mixer, std::uint32_t frames)
{
    auto buffer = SoundBuffer::Create(mixer, PcmFormat{2, 44100, 16}, frames * 4);
    std::vector<std::uint8_t> bytes(buffer->Bytes());
    for (std::uint32_t i = 0; i < frames; ++i) {
        const auto left = static_cast<std::uint16_t>(i);
        const auto right = static_cast<std::uint16_t>(-static_cast<std::int32_t>(i));
        plat::StoreLe16(bytes.data() + i * 4, left);
        plat::StoreLe16(bytes.data() + i * 4 + 2, right);
    }
    buffer->Write(0, bytes.data(), buffer->Bytes());
    return buffer;
}

TEST(Mixer, DecodesEachSampleFormatToStereo16Bit)
{
    struct Case {
        const char* name;
        PcmFormat format;
        std::vector<std::uint8_t> frame;
        std::int16_t left, right;
    };
    const Case cases[] = {
        {"16-bit mono", {1, 44100, 16}, {0x00, 0x10}, 4096, 4096},
        {"16-bit stereo", {2, 44100, 16}, {0xE8, 0x03, 0x30, 0xF8}, 1000, -2000},
        {"8-bit mono", {1, 44100, 8}, {0xC0}, 16384, 16384},
        {"8-bit stereo", {2, 44100, 8}, {0x00, 0xFF}, -32768, 32512},
    };
    for (const Case& c : cases) {
        AudioMixer mixer;
        auto buffer = Constant(mixer, c.format, c.frame, 600);
        ASSERT_NE(buffer, nullptr) << c.name;
        ASSERT_TRUE(buffer->Play(false));
        const Samples out = MixFrames(mixer, 700);
        for (int i = 0; i < 600; ++i) {
            ASSERT_EQ(out[i * 2], c.left) << c.name << " frame " << i;
            ASSERT_EQ(out[i * 2 + 1], c.right) << c.name << " frame " << i;
        }
        for (int i = 600; i < 700; ++i)
            ASSERT_EQ(out[i * 2], 0) << c.name << " after the end, frame " << i;
        EXPECT_FALSE(buffer->IsPlaying()) << c.name;
    }
}

TEST(Mixer, VolumeScalesAmplitudeInHundredthsOfADecibel)
{
    struct Case {
        std::int32_t volume;
        int expected;
    };
    // 10000 × 10^(v / 2000); -602 is half, -10000 silence.
    const Case cases[] = {{0, 10000}, {-602, 5000}, {-2000, 1000}, {-4000, 100}, {-10000, 0}};
    for (const Case& c : cases) {
        AudioMixer mixer;
        auto buffer = Constant(mixer, PcmFormat{1, 44100, 16}, {0x10, 0x27}, 100); // 10000
        ASSERT_TRUE(buffer->SetVolume(c.volume));
        EXPECT_EQ(buffer->Volume(), c.volume);
        buffer->Play(false);
        const Samples out = MixFrames(mixer, 50);
        EXPECT_NEAR(out[10], c.expected, 1) << "volume " << c.volume;
    }
}

TEST(Mixer, RefusesBadRequests)
{
    AudioMixer mixer;
    EXPECT_EQ(SoundBuffer::Create(mixer, PcmFormat{3, 44100, 16}, 600), nullptr);
    EXPECT_EQ(SoundBuffer::Create(mixer, PcmFormat{2, 44100, 24}, 600), nullptr);
    EXPECT_EQ(SoundBuffer::Create(mixer, PcmFormat{2, 0, 16}, 600), nullptr);
    EXPECT_EQ(SoundBuffer::Create(mixer, PcmFormat{2, 44100, 16}, 3), nullptr); // less than a frame

    auto buffer = SoundBuffer::Create(mixer, PcmFormat{2, 44100, 16}, 400);
    ASSERT_NE(buffer, nullptr);
    EXPECT_FALSE(buffer->SetVolume(1));
    EXPECT_FALSE(buffer->SetVolume(-10001));
    EXPECT_FALSE(buffer->SetVolume(0x7FFFFFFF));
    EXPECT_EQ(buffer->Volume(), 0);
    EXPECT_FALSE(buffer->SetPosition(400));
    EXPECT_TRUE(buffer->SetPosition(398));
    EXPECT_EQ(buffer->Position(), 396u); // rounded down to a frame
    const std::vector<std::uint8_t> bytes(101, 1);
    EXPECT_FALSE(buffer->Write(300, bytes.data(), 101));
    EXPECT_FALSE(buffer->Write(401, bytes.data(), 0));
    EXPECT_FALSE(buffer->FillRange(0, 401, 1));
    EXPECT_TRUE(buffer->Write(300, bytes.data(), 100));
}

TEST(Mixer, ResamplesAnyRateToTheMixRate)
{
    struct Case {
        int rate;
        int frames;
        int expectedOutput;
    };
    const Case cases[] = {{22050, 1000, 2000}, {11025, 500, 2000}, {44100, 777, 777}, {48000, 960, 882}};
    for (const Case& c : cases) {
        AudioMixer mixer;
        auto buffer = Constant(mixer, PcmFormat{1, c.rate, 16}, {0x00, 0x20}, static_cast<std::uint32_t>(c.frames));
        buffer->Play(false);
        const Samples out = MixFrames(mixer, 5000);
        int sounding = 0;
        while (sounding < 5000 && out[sounding * 2] == 8192)
            ++sounding;
        EXPECT_NEAR(sounding, c.expectedOutput, 1) << c.rate << " Hz";
        for (int i = sounding; i < 5000; ++i)
            ASSERT_EQ(out[i * 2], 0) << c.rate << " Hz, frame " << i;
    }
}

TEST(Mixer, InterpolatesBetweenSourceFrames)
{
    AudioMixer mixer;
    // 22050 Hz: every other output frame lies half-way between two source frames.
    auto buffer = SoundBuffer::Create(mixer, PcmFormat{1, 22050, 16}, 6);
    const std::uint8_t bytes[] = {0x00, 0x00, 0xE8, 0x03, 0xB8, 0x0B}; // 0, 1000, 3000
    buffer->Write(0, bytes, 6);
    buffer->Play(false);
    const Samples out = MixFrames(mixer, 8);
    const std::int16_t expected[] = {0, 500, 1000, 2000, 3000, 3000, 0, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(out[i * 2], expected[i]) << "frame " << i;
}

TEST(Mixer, LoopingWrapsAndStopKeepsThePosition)
{
    AudioMixer mixer;
    auto buffer = Ramp(mixer, 1000);
    buffer->Play(true);
    Samples out = MixFrames(mixer, 2500);
    for (int i = 0; i < 2500; ++i)
        ASSERT_EQ(out[i * 2], i % 1000) << "frame " << i;
    EXPECT_TRUE(buffer->IsPlaying());
    EXPECT_TRUE(buffer->IsLooping());
    EXPECT_EQ(buffer->Position(), 500u * 4);

    buffer->Stop();
    EXPECT_EQ(MixFrames(mixer, 100), Samples(200, 0));
    EXPECT_EQ(buffer->Position(), 500u * 4);
    buffer->Play(false);
    out = MixFrames(mixer, 600);
    EXPECT_EQ(out[0], 500);
    EXPECT_EQ(out[499 * 2], 999);
    EXPECT_EQ(out[500 * 2], 0);
    // A voice that played to its end stops and goes back to the start.
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(buffer->Position(), 0u);
}

TEST(Mixer, SumsVoicesAndClampsTheMix)
{
    AudioMixer mixer;
    auto a = Constant(mixer, PcmFormat{1, 44100, 16}, {0x00, 0x60}, 100); // 24576
    auto b = Constant(mixer, PcmFormat{1, 44100, 16}, {0x00, 0x20}, 100); // 8192
    auto c = Constant(mixer, PcmFormat{1, 44100, 16}, {0x00, 0x20}, 100);
    a->Play(false);
    b->Play(false);
    EXPECT_EQ(MixFrames(mixer, 10)[0], 32767);
    a->Stop();
    c->Play(false);
    EXPECT_EQ(MixFrames(mixer, 10)[0], 16384);
}

TEST(Mixer, DuplicatesShareBytesButNotVolumeOrPosition)
{
    AudioMixer mixer;
    auto original = Ramp(mixer, 1000);
    auto copy = original->Duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Bytes(), original->Bytes());

    // Written through the original after duplicating: the copy plays it too.
    const std::uint8_t leet[] = {0x39, 0x05}; // 1337
    original->Write(0, leet, 2);
    original->SetVolume(-10000);
    copy->Play(false);
    Samples out = MixFrames(mixer, 10);
    EXPECT_EQ(out[0], 1337);
    EXPECT_EQ(out[2], 1);
    EXPECT_EQ(copy->Volume(), 0);
    EXPECT_FALSE(original->IsPlaying());
    EXPECT_EQ(original->Position(), 0u);

    // The bytes outlive the buffer they were made in.
    original.reset();
    out = MixFrames(mixer, 10);
    EXPECT_EQ(out[0], 10);
}

TEST(Mixer, SignalsPositionAndStopNotifications)
{
    AudioMixer mixer;
    EventGroup events;
    auto buffer = SoundBuffer::Create(mixer, PcmFormat{2, 44100, 16}, 4096 * 4); // quarters of 1024 frames
    ASSERT_TRUE(buffer->SetNotifications({{1024 * 4, &events, 0},
                                          {2048 * 4, &events, 1},
                                          {3072 * 4, &events, 2},
                                          {0, &events, 3},
                                          {SoundBuffer::kStopOffset, &events, 4}}));
    auto signalled = [&] {
        std::uint32_t mask = 0;
        for (int i = 0; i < 5; ++i) {
            if (events.IsSignalled(i))
                mask |= 1u << i;
            events.Reset(i);
        }
        return mask;
    };
    buffer->Play(true);
    // Each step: frames mixed, then the notifications the cursor passed.
    const std::pair<int, std::uint32_t> steps[] = {
        {512, 1u << 3}, // the start passes offset 0
        {512, 0},
        {1, 1u << 0},                  // reaching 1024 exactly
        {1535, 1u << 1},               // 1025..2559 passes 2048
        {2049, (1u << 2) | (1u << 3)}, // 2560..4608 passes 3072 and wraps past 0
    };
    for (const auto& [frames, expected] : steps) {
        MixFrames(mixer, frames);
        EXPECT_EQ(signalled(), expected) << "after " << frames << " frames";
    }
    EXPECT_FALSE(buffer->SetNotifications({})); // only while stopped
    buffer->Stop();
    EXPECT_EQ(signalled(), 1u << 4);
    buffer->Stop();
    EXPECT_EQ(signalled(), 0u); // stopping a stopped voice is no stop

    // Playing once to the end passes the rest and stops.
    buffer->SetPosition(3000 * 4);
    buffer->Play(false);
    MixFrames(mixer, 2000);
    EXPECT_EQ(signalled(), (1u << 2) | (1u << 4));
}

TEST(Mixer, ExternalSourcesAreAddedUntilRemoved)
{
    AudioMixer mixer;
    struct Tone {
        int calls = 0;
        static void Render(void* user, float* stereo, int frames)
        {
            auto* self = static_cast<Tone*>(user);
            ++self->calls;
            for (int i = 0; i < frames; ++i) {
                stereo[i * 2] = 0.25f;
                stereo[i * 2 + 1] = -0.25f;
            }
        }
    } tone;
    auto voice = Constant(mixer, PcmFormat{1, 44100, 16}, {0xE8, 0x03}, 5000); // 1000
    voice->Play(false);
    const int id = mixer.AddSource(&Tone::Render, &tone);
    ASSERT_GE(id, 0);
    Samples out = MixFrames(mixer, 1024);
    EXPECT_EQ(out[0], 8192 + 1000);
    EXPECT_EQ(out[1], -8192 + 1000);
    EXPECT_EQ(tone.calls, 2); // blocks of at most 512 frames
    mixer.RemoveSource(id);
    out = MixFrames(mixer, 100);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(tone.calls, 2);
}

TEST(Mixer, LostBuffersDoNotPlayUntilRestored)
{
    AudioMixer mixer;
    auto buffer = Ramp(mixer, 100);
    auto copy = buffer->Duplicate();
    buffer->SimulateLoss();
    EXPECT_TRUE(copy->IsLost());
    EXPECT_FALSE(copy->Play(false));
    EXPECT_FALSE(buffer->IsPlaying());
    buffer->Restore();
    EXPECT_TRUE(copy->Play(false));
    EXPECT_EQ(MixFrames(mixer, 10)[2], 1);
}

TEST(Mixer, TheOutputDeviceRunsTheMixerOnItsOwn)
{
    // In the test environment SDL uses its dummy audio driver, whose thread
    // still calls the audio callback.
    AudioMixer mixer;
    ASSERT_TRUE(mixer.AcquireOutput());
    ASSERT_TRUE(mixer.AcquireOutput());
    mixer.ReleaseOutput();
    EXPECT_TRUE(mixer.IsOutputOpen());
    const std::uint64_t before = mixer.PassCount();
    for (int i = 0; i < 200 && mixer.PassCount() < before + 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GE(mixer.PassCount(), before + 3);
    mixer.ReleaseOutput();
    EXPECT_FALSE(mixer.IsOutputOpen());
}

TEST(Mixer, WithoutAnAudioDeviceTheMixPlaysOnSilently)
{
    // No sound card or audio server: the output still opens (on SDL's silent
    // driver) and the mixer keeps running, so the game starts and its fades
    // and notifications advance.
    setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
    AudioMixer mixer;
    ASSERT_TRUE(mixer.AcquireOutput());
    const std::uint64_t before = mixer.PassCount();
    for (int i = 0; i < 200 && mixer.PassCount() < before + 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GE(mixer.PassCount(), before + 3);
    mixer.ReleaseOutput();
}

TEST(Mixer, OfflineOutputOpensNoDevice)
{
    AudioMixer mixer;
    mixer.SetOffline(true);
    ASSERT_TRUE(mixer.AcquireOutput());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(mixer.PassCount(), 0u);
    mixer.ReleaseOutput();
}

} // namespace
