#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "OfflineSound.h"
#include "SoundDerived.h"
#include "StreamFixture.h"
#include "TempFolder.h"
#include "WavFixture.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/LittleEndian.h"

using streamfixture::Samples;
using testsupport::TempFolder;
using wavfixture::Bytes;

namespace {

constexpr std::uint32_t kBufferBytes = 16384; // quarters of 4096 bytes = 1024 frames
constexpr int kQuarterFrames = 1024;

enum Entry { kLong, kShort, kWholeQuarters, kLoud, kQuiet, kEntryCount };

Bytes Noise(std::size_t bytes, unsigned seed)
{
    Bytes out(bytes);
    std::mt19937 random(seed);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(random());
    return out;
}

// 16-bit stereo frames as the mixer outputs them.
Samples AsSamples(const Bytes& bytes)
{
    Samples out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = plat::LoadLeI16(bytes.data() + i * 2);
    return out;
}

class SoundStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        offlinesound::Use(folder.path());
        entries.resize(kEntryCount);
        entries[kLong] = Noise(4096 * 10 + 2052, 7); // ten quarters and a half: wraps the buffer twice
        entries[kShort] = Noise(1000, 8);
        entries[kWholeQuarters] = Noise(4096 * 6, 9);
        entries[kLoud] = wavfixture::ConstantPcm16(10000, 20000, 2);
        entries[kQuiet] = wavfixture::ConstantPcm16(-2000, 20000, 2);
        pack = offlinesound::OpenPack(folder.path(), entries);
        ASSERT_NE(pack, nullptr);
        sound = static_cast<CSoundDerived*>(CreateSound());
        ASSERT_EQ(sound->Init(2, 0, kBufferBytes, 150, false, 2, 44100, 16), Zeph::kResultOk);
    }
    void TearDown() override
    {
        if (sound != nullptr)
            sound->Release();
        if (pack != nullptr)
            pack->Release();
        plat::UseRealClock();
    }

    Samples Run(int frames)
    {
        return streamfixture::Run([this] { return sound->WorkersIdle(); }, frames);
    }
    static Samples Silence(std::size_t frames) { return Samples(frames * 2, 0); }
    static Samples Slice(const Samples& samples, std::size_t fromFrame, std::size_t frames)
    {
        return Samples(samples.begin() + static_cast<long>(fromFrame * 2),
                       samples.begin() + static_cast<long>((fromFrame + frames) * 2));
    }

    TempFolder folder;
    std::vector<Bytes> entries;
    Zeph::CFilePack* pack = nullptr;
    CSoundDerived* sound = nullptr;
};

TEST_F(SoundStreamTest, EntriesPlayBackBitExactAndStopAtTheirEnd)
{
    ASSERT_TRUE(sound->SetVolume(10));
    for (Entry entry : {kLong, kShort, kWholeQuarters}) {
        const Samples source = AsSamples(entries[entry]);
        const std::size_t frames = source.size() / 2;
        sound->Play(0, entry);
        const Samples out = Run(static_cast<int>(frames) + 3 * kQuarterFrames);
        ASSERT_EQ(Slice(out, 0, frames), source) << "entry " << entry;
        EXPECT_EQ(Slice(out, frames, 3 * kQuarterFrames), Silence(3 * kQuarterFrames)) << "entry " << entry;
        EXPECT_FALSE(sound->BufferOf(0, 0)->IsPlaying() || sound->BufferOf(1, 0)->IsPlaying()) << "entry " << entry;
    }
}

TEST_F(SoundStreamTest, PlayOnASoundingChannelCrossFades)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(1, kLoud); // on stream 0 of channel 1
    Samples out = Run(2000);
    EXPECT_EQ(out[3000], 10000);
    sound->Play(1, kQuiet); // stream 0 fades out while stream 1 starts
    plat::SoundBuffer* old = sound->BufferOf(0, 1);
    plat::SoundBuffer* fresh = sound->BufferOf(1, 1);
    EXPECT_EQ(old->Volume(), 0);
    std::int32_t last = 0;
    for (int update = 1; update <= 8; ++update) {
        sound->UpdateFades();
        out = Run(256);
        const double gain = engine::VolumeToAmplitude(old->Volume());
        if (update < 8) {
            EXPECT_LT(old->Volume(), last) << update;
            EXPECT_NEAR(gain, 1.0 - update / 8.0, 0.002) << update;
            EXPECT_NEAR(out[200], 10000 * gain - 2000, 2) << update;
        }
        EXPECT_EQ(fresh->Volume(), 0) << update;
        last = old->Volume();
    }
    EXPECT_EQ(old->Volume(), -10000);
    EXPECT_FALSE(old->IsPlaying());
    EXPECT_TRUE(fresh->IsPlaying());
    EXPECT_FALSE(sound->IsAnyFading());
    EXPECT_EQ(Run(10)[0], -2000);
}

TEST_F(SoundStreamTest, ResumeAfterStopContinuesTheEntry)
{
    ASSERT_TRUE(sound->SetVolume(10));
    const Samples source = AsSamples(entries[kLong]);
    sound->Play(0, kLong);
    Samples heard = Run(3000);
    sound->Stop(0);
    EXPECT_EQ(Run(1500), Silence(1500));
    sound->Resume(0);
    const Samples rest = Run(4000);
    heard.insert(heard.end(), rest.begin(), rest.end());
    EXPECT_EQ(heard, Slice(source, 0, 7000));
}

TEST_F(SoundStreamTest, FadeInAndFadeOutOfAChannel)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(0, kLoud);
    Run(500);
    sound->FadeOut(0);
    for (int i = 0; i < 3; ++i)
        sound->UpdateFades();
    plat::SoundBuffer* buffer = sound->BufferOf(0, 0);
    const std::int32_t reached = buffer->Volume();
    sound->FadeIn(0); // reverses from where the fade-out stands
    EXPECT_EQ(buffer->Volume(), reached);
    for (int i = 0; i < 3; ++i)
        sound->UpdateFades();
    EXPECT_FALSE(sound->IsAnyFading());
    EXPECT_EQ(buffer->Volume(), 0);
    EXPECT_TRUE(buffer->IsPlaying());
    long volume = 1;
    EXPECT_TRUE(sound->GetVolume(0, &volume));
    EXPECT_EQ(volume, 0);

    sound->FadeOutAll();
    for (int i = 0; i < 8; ++i)
        sound->UpdateFades();
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(Run(600), Silence(600));
}

TEST_F(SoundStreamTest, PauseAllHoldsAndResumesTheStreams)
{
    ASSERT_TRUE(sound->SetVolume(10));
    const Samples source = AsSamples(entries[kLong]);
    sound->Play(0, kLong);
    Samples heard = Run(1500);
    sound->PauseAll(false);
    EXPECT_EQ(Run(800), Silence(800));
    sound->PauseAll(true);
    const Samples rest = Run(1500);
    heard.insert(heard.end(), rest.begin(), rest.end());
    EXPECT_EQ(heard, Slice(source, 0, 3000));
}

TEST_F(SoundStreamTest, BadChannelsEntriesAndSettingsAreRefused)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(2, kLong);
    sound->Play(-1, kLong);
    sound->Play(0, kEntryCount); // no such entry: plays nothing
    sound->Play(1, -7);
    EXPECT_EQ(Run(2000), Silence(2000));
    long volume = 0;
    EXPECT_FALSE(sound->GetVolume(2, &volume));
    EXPECT_FALSE(sound->SetVolume(11));

    Zeph::CSound* other = CreateSound();
    EXPECT_LT(other->Init(1, 0, 16383, 150, false, 2, 44100, 16), 0); // quarters not whole frames
    EXPECT_LT(other->Init(1, 0, 16384, 150, false, 2, 44100, 12), 0);
    EXPECT_LT(other->Init(1, 5, 16384, 150, false, 2, 44100, 16), 0); // pack never opened
    other->Release();
}

TEST_F(SoundStreamTest, LevelZeroPlaysNothing)
{
    ASSERT_TRUE(sound->SetVolume(0));
    sound->Play(0, kLoud);
    EXPECT_EQ(Run(2000), Silence(2000));
}

} // namespace
