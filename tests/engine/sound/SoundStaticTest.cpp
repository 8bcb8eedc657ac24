#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "OfflineSound.h"
#include "SoundDevice.h"
#include "SoundStaticDerived.h"
#include "SoundVolume.h"
#include "TempFolder.h"
#include "WavFixture.h"
#include "Zeph.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

using namespace wavfixture;
using testsupport::TempFolder;

namespace {

constexpr int kShort = 4410; // frames of the short effects (100 ms)

enum Entry {
    kOneShotEntry, // 10000 for 100 ms
    kLoopEntry,    // 8000, looped
    kOtherEntry,   // -3000 for 100 ms
    kRampEntry,    // 0, 1, 2, ... for one second
    kBrokenEntry,  // not a WAV
    kEntryCount
};

Bytes RampWav(int frames)
{
    Bytes pcm;
    for (int i = 0; i < frames; ++i)
        Put16(pcm, static_cast<std::uint16_t>(i));
    return Riff({Chunk("fmt ", Format(1, 44100, 16)), Chunk("data", pcm)});
}

class SoundStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        offlinesound::Use(folder.path());
        std::vector<Bytes> entries(kEntryCount);
        entries[kOneShotEntry] = ConstantWav(10000, kShort);
        entries[kLoopEntry] = ConstantWav(8000, kShort);
        entries[kOtherEntry] = ConstantWav(-3000, kShort);
        entries[kRampEntry] = RampWav(44100);
        entries[kBrokenEntry] = Bytes{'n', 'o', 'p', 'e'};
        pack = offlinesound::OpenPack(folder.path(), entries);
        ASSERT_NE(pack, nullptr);
        sound = static_cast<CSoundStaticDerived*>(CreateSoundStatic());
        ASSERT_EQ(sound->Init(4, 0, 150, false), Zeph::kResultOk);
        ASSERT_TRUE(sound->Load(0, kOneShotEntry, false, true));
        ASSERT_TRUE(sound->Load(1, kLoopEntry, true, true));
        ASSERT_TRUE(sound->Load(2, kRampEntry, false, true));
    }
    void TearDown() override
    {
        if (sound != nullptr)
            sound->Release();
        if (pack != nullptr)
            pack->Release();
        plat::UseRealClock();
    }

    static std::vector<std::int16_t> Mix(int frames)
    {
        std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
        plat::AudioMixer::Shared().Mix(out.data(), frames);
        return out;
    }
    static std::int16_t NextSample() { return Mix(1)[0]; }

    std::vector<bool> Busy(int s)
    {
        std::vector<bool> flags;
        for (int b = 0; b < 8; ++b)
            flags.push_back(sound->IsBusy(s, b));
        return flags;
    }
    int Playing(int s)
    {
        int count = 0;
        for (int b = 0; b < 8; ++b)
            count += sound->BufferOf(s, b)->IsPlaying() ? 1 : 0;
        return count;
    }

    TempFolder folder;
    Zeph::CFilePack* pack = nullptr;
    CSoundStaticDerived* sound = nullptr;
};

TEST(SoundVolume, LevelTableFollowsTheDecibelScale)
{
    EXPECT_EQ(engine::VolumeLevelTable[0], -10000);
    for (int level = 1; level <= 10; ++level)
        EXPECT_EQ(engine::VolumeLevelTable[level], std::lround(2000.0 * std::log10(level / 10.0))) << level;
    EXPECT_NEAR(engine::VolumeToAmplitude(engine::VolumeLevelTable[5]), 0.5, 1e-4);
    EXPECT_DOUBLE_EQ(engine::VolumeToAmplitude(-10000), engine::kSilentAmplitude);
    // Back from amplitudes: truncated toward zero, clamped.
    EXPECT_EQ(engine::AmplitudeToVolume(0.5), -602);
    EXPECT_EQ(engine::AmplitudeToVolume(1.0), 0);
    EXPECT_EQ(engine::AmplitudeToVolume(2.0), 0);
    EXPECT_EQ(engine::AmplitudeToVolume(1e-9), -10000);
    EXPECT_EQ(engine::AmplitudeToVolume(0.0), -10000);
    EXPECT_EQ(engine::FadeSteps(150), 8);
    EXPECT_EQ(engine::FadeSteps(16), 0);
}

TEST_F(SoundStaticTest, LevelsScaleTheAmplitude)
{
    struct Case {
        int level;
        int expected;
    };
    const Case cases[] = {{10, 10000}, {5, 5000}, {1, 1000}};
    for (const Case& c : cases) {
        ASSERT_TRUE(sound->SetVolume(c.level));
        sound->Play(0);
        EXPECT_NEAR(NextSample(), c.expected, 1) << "level " << c.level;
        sound->Stop(0);
        Mix(1);
    }
    long volume = 1;
    EXPECT_TRUE(sound->GetVolume(0, &volume));
    EXPECT_EQ(volume, -2000);
    EXPECT_FALSE(sound->SetVolume(11));
    EXPECT_FALSE(sound->SetVolume(-1));
}

TEST_F(SoundStaticTest, NothingPlaysBeforeAVolumeIsSetOrAtLevelZero)
{
    sound->Play(0);
    sound->PlayOnCurrentBuffer(1);
    sound->FadeIn(1);
    EXPECT_EQ(Mix(100), std::vector<std::int16_t>(200, 0));
    EXPECT_EQ(Playing(0) + Playing(1), 0);
    EXPECT_FALSE(sound->IsAnyFading());

    ASSERT_TRUE(sound->SetVolume(0));
    sound->Play(0);
    EXPECT_EQ(Playing(0), 0);
    EXPECT_EQ(NextSample(), 0);
}

TEST_F(SoundStaticTest, PlayTakesTheLowestFreeBufferAndDropsANinthCopy)
{
    ASSERT_TRUE(sound->SetVolume(10));
    for (int i = 0; i < 8; ++i)
        sound->Play(0);
    EXPECT_EQ(Busy(0), std::vector<bool>(8, true));
    EXPECT_EQ(NextSample(), 32767); // eight copies of 10000, clamped
    const std::uint32_t position = sound->BufferOf(0, 0)->Position();
    sound->Play(0); // a ninth copy is dropped, nothing restarts
    Mix(1);
    EXPECT_EQ(Playing(0), 8);
    EXPECT_EQ(sound->BufferOf(0, 0)->Position(), position + 2);
}

TEST_F(SoundStaticTest, EachPlayReapsOneFinishedBufferBeforeChoosing)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(0); // buffer 0
    Mix(1000);
    sound->Play(0); // buffer 1
    Mix(1000);
    sound->Play(0); // buffer 2
    Mix(3500);      // at 5500: 0 and 1 have ended, 2 sounds until 6410
    EXPECT_EQ(Playing(0), 1);
    EXPECT_EQ(Busy(0), (std::vector<bool>{true, true, true, false, false, false, false, false}));

    sound->Play(0); // reaps 0, takes 0
    sound->Play(0); // reaps 1, takes 1
    sound->Play(0); // nothing to reap: takes 3
    EXPECT_EQ(Busy(0), (std::vector<bool>{true, true, true, true, false, false, false, false}));
    EXPECT_TRUE(sound->BufferOf(0, 3)->IsPlaying());
    EXPECT_EQ(sound->BufferOf(0, 0)->Position(), 0u);
}

TEST_F(SoundStaticTest, ALoopingSoundWithAllBuffersBusyRestartsBufferZeroAndCanStillBeStopped)
{
    ASSERT_TRUE(sound->SetVolume(10));
    for (int i = 0; i < 8; ++i)
        sound->Play(1);
    Mix(500);
    sound->Play(1); // all eight busy: everything stops, buffer 0 starts again
    EXPECT_EQ(Playing(1), 1);
    EXPECT_TRUE(sound->BufferOf(1, 0)->IsPlaying());
    EXPECT_EQ(sound->BufferOf(1, 0)->Position(), 0u);
    EXPECT_EQ(NextSample(), 8000);

    sound->FadeOut(1); // reaps the stopped seven; buffer 0 stays busy and fades
    EXPECT_EQ(Busy(1), (std::vector<bool>{true, false, false, false, false, false, false, false}));
    for (int i = 0; i < 8; ++i)
        sound->UpdateFades();
    EXPECT_EQ(Playing(1), 0);
    EXPECT_EQ(NextSample(), 0);
}

TEST_F(SoundStaticTest, A150MsFadeOutTakesEightUpdatesLinearInAmplitudeThenStops)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(1);
    sound->FadeOut(1);
    plat::SoundBuffer* buffer = sound->BufferOf(1, 0);
    EXPECT_EQ(buffer->Volume(), 0);
    for (int update = 1; update < 8; ++update) {
        sound->UpdateFades();
        const double expected = 1.0 - update / 8.0 * (1.0 - engine::kSilentAmplitude);
        EXPECT_NEAR(engine::VolumeToAmplitude(buffer->Volume()), expected, expected * 0.0012) << update;
        EXPECT_TRUE(buffer->IsPlaying()) << update;
        EXPECT_TRUE(sound->IsAnyFading()) << update;
    }
    sound->UpdateFades();
    EXPECT_EQ(buffer->Volume(), -10000);
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_FALSE(sound->IsAnyFading());
}

TEST_F(SoundStaticTest, FadeInDuringAFadeOutReversesFromTheCurrentVolumeWithoutRestarting)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(2); // the ramp shows where the buffer stands
    sound->FadeOut(2);
    sound->UpdateFades();
    sound->UpdateFades();
    Mix(1000);
    plat::SoundBuffer* buffer = sound->BufferOf(2, 0);
    const std::int32_t reached = buffer->Volume();
    ASSERT_LT(reached, 0);

    sound->FadeIn(2);
    EXPECT_EQ(buffer->Volume(), reached);
    EXPECT_TRUE(buffer->IsPlaying());
    EXPECT_EQ(buffer->Position(), 2000u); // 1000 frames on, not back at 0
    // The fade-in goes on at the mirrored step: 8 − 2 done, 2 to go.
    sound->UpdateFades();
    EXPECT_TRUE(sound->IsAnyFading());
    sound->UpdateFades();
    EXPECT_FALSE(sound->IsAnyFading());
    EXPECT_EQ(buffer->Volume(), 0);
    EXPECT_TRUE(buffer->IsPlaying());
}

TEST_F(SoundStaticTest, FadeInReversesTheCurrentBufferFromItsOwnVolume)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(1); // buffer 0 starts fading first and gets quieter
    sound->FadeOut(1);
    for (int i = 0; i < 4; ++i)
        sound->UpdateFades();
    sound->Play(1); // buffer 1, now the current one
    sound->FadeOut(1);
    sound->UpdateFades();
    const std::int32_t own = sound->BufferOf(1, 1)->Volume();
    ASSERT_GT(own, sound->BufferOf(1, 0)->Volume());

    sound->FadeIn(1);
    EXPECT_EQ(sound->BufferOf(1, 1)->Volume(), own);
}

TEST_F(SoundStaticTest, FadeInStartsSilentAndAFadeShorterThanAStepEndsAtOnce)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->FadeIn(1);
    plat::SoundBuffer* buffer = sound->BufferOf(1, 0);
    EXPECT_TRUE(buffer->IsPlaying());
    EXPECT_EQ(buffer->Volume(), -10000);
    for (int i = 0; i < 8; ++i)
        sound->UpdateFades();
    EXPECT_EQ(buffer->Volume(), 0);
    EXPECT_FALSE(sound->IsAnyFading());

    CSoundStaticDerived* quick = static_cast<CSoundStaticDerived*>(CreateSoundStatic());
    ASSERT_EQ(quick->Init(1, 0, 16, false), Zeph::kResultOk);
    ASSERT_TRUE(quick->Load(0, kLoopEntry, true, true));
    ASSERT_TRUE(quick->SetVolume(10));
    quick->Play(0);
    quick->FadeOut(0);
    quick->UpdateFades();
    EXPECT_FALSE(quick->BufferOf(0, 0)->IsPlaying());
    EXPECT_FALSE(quick->IsAnyFading());
    quick->Release();
}

TEST_F(SoundStaticTest, SetVolumeLeavesFadingOutBuffersAndEndsFadeIns)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(1);
    sound->FadeOut(1);
    sound->UpdateFades();
    const std::int32_t fading = sound->BufferOf(1, 0)->Volume();
    sound->FadeIn(0);
    ASSERT_TRUE(sound->SetVolume(5));
    EXPECT_EQ(sound->BufferOf(1, 0)->Volume(), fading);
    EXPECT_EQ(sound->BufferOf(0, 0)->Volume(), -602);
    sound->Stop(1);
    EXPECT_FALSE(sound->IsAnyFading()); // the fade-in ended, the stop cleared the fade-out
}

TEST_F(SoundStaticTest, PauseAllThenResumeRestartsExactlyTheSoundingBuffersWhereTheyStopped)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(0); // 0/0 ends before the pause
    Mix(3000);
    sound->Play(2); // 2/0
    Mix(3000);
    sound->Play(2); // 2/1
    sound->Play(1); // 1/0, looping
    Mix(700);
    const std::uint32_t at20 = sound->BufferOf(2, 0)->Position();
    const std::uint32_t at21 = sound->BufferOf(2, 1)->Position();
    const std::uint32_t at10 = sound->BufferOf(1, 0)->Position();

    sound->PauseAll(false);
    EXPECT_EQ(Playing(0) + Playing(1) + Playing(2), 0);
    EXPECT_EQ(Mix(500), std::vector<std::int16_t>(1000, 0));
    sound->PauseAll(true);
    EXPECT_EQ(Playing(0), 0);
    EXPECT_EQ(Playing(1), 1);
    EXPECT_EQ(Playing(2), 2);
    EXPECT_EQ(sound->BufferOf(2, 0)->Position(), at20);
    EXPECT_EQ(sound->BufferOf(2, 1)->Position(), at21);
    EXPECT_EQ(sound->BufferOf(1, 0)->Position(), at10);
    // ramp at 3700 + ramp at 700 + 8000
    EXPECT_EQ(NextSample(), static_cast<int>(at20 / 2 + at21 / 2 + 8000));
    EXPECT_EQ(Busy(2), (std::vector<bool>{true, true, false, false, false, false, false, false}));
}

TEST_F(SoundStaticTest, LoadingASoundAgainReplacesItsBuffers)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(1);
    EXPECT_EQ(NextSample(), 8000);
    ASSERT_TRUE(sound->Load(1, kOtherEntry, false, true));
    EXPECT_EQ(NextSample(), 0); // the old buffers went with their sound
    sound->Play(1);
    EXPECT_EQ(NextSample(), -3000);
    EXPECT_EQ(Busy(1)[0], true);
}

TEST_F(SoundStaticTest, OutOfRangeSoundsAndFailedLoadsAreRefused)
{
    ASSERT_TRUE(sound->SetVolume(10));
    EXPECT_FALSE(sound->Load(-1, kOneShotEntry, false, true));
    EXPECT_FALSE(sound->Load(4, kOneShotEntry, false, true));
    EXPECT_FALSE(sound->Load(3, kEntryCount, false, true));
    EXPECT_FALSE(sound->Load(3, -1, false, true));
    EXPECT_FALSE(sound->Load(3, kBrokenEntry, false, true));
    EXPECT_FALSE(sound->Load(3, kOneShotEntry, false, false)); // no buffers to refill
    long volume = 0;
    EXPECT_FALSE(sound->GetVolume(3, &volume));
    EXPECT_FALSE(sound->GetVolume(4, &volume));
    for (int s : {-1, 3, 4, 1000}) {
        sound->Play(s);
        sound->PlayOnCurrentBuffer(s);
        sound->FadeIn(s);
        sound->FadeOut(s);
        sound->Stop(s);
    }
    sound->FadeOutAll();
    sound->UpdateFades();
    EXPECT_EQ(NextSample(), 0);

    CSoundStaticDerived* other = static_cast<CSoundStaticDerived*>(CreateSoundStatic());
    ASSERT_EQ(other->Init(1, 3, 150, false), Zeph::kResultOk); // pack 3 was never opened
    EXPECT_FALSE(other->Load(0, kOneShotEntry, false, true));
    other->Release();
}

TEST_F(SoundStaticTest, ALostBufferIsRestoredAndRefilledFromThePack)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->BufferOf(0, 0)->SimulateLoss();
    sound->RestoreBuffers();
    EXPECT_FALSE(sound->BufferOf(0, 0)->IsLost());
    sound->Play(0);
    EXPECT_EQ(NextSample(), 10000);

    // Lost at play time: recovered and played.
    sound->Stop(0);
    sound->BufferOf(2, 0)->SimulateLoss();
    sound->Play(2);
    EXPECT_TRUE(sound->BufferOf(2, 0)->IsPlaying());
    EXPECT_TRUE(sound->IsBusy(2, 0));
}

TEST_F(SoundStaticTest, FadeOutAllFadesEveryLoadedSound)
{
    ASSERT_TRUE(sound->SetVolume(10));
    sound->Play(0);
    sound->Play(1);
    sound->FadeOutAll();
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(sound->IsAnyFading());
        sound->UpdateFades();
    }
    EXPECT_EQ(Playing(0) + Playing(1), 0);
}

TEST_F(SoundStaticTest, ASecondObjectSharesTheDevice)
{
    EXPECT_TRUE(engine::SharedSoundDeviceExists());
    EXPECT_EQ(engine::SoundUserCount(), 1);
    CSoundStaticDerived* second = static_cast<CSoundStaticDerived*>(CreateSoundStatic());
    EXPECT_EQ(engine::SoundUserCount(), 2);
    ASSERT_EQ(second->Init(1, 0, 150, true), Zeph::kResultOk);
    EXPECT_TRUE(engine::SilentMixBufferRuns());
    ASSERT_TRUE(second->Load(0, kOneShotEntry, false, true));
    ASSERT_TRUE(second->SetVolume(10));

    sound->Release(); // the first goes; the device stays for the second
    sound = nullptr;
    EXPECT_TRUE(engine::SharedSoundDeviceExists());
    second->Play(0);
    EXPECT_EQ(NextSample(), 10000);
    second->Release();
    EXPECT_FALSE(engine::SharedSoundDeviceExists());
    EXPECT_FALSE(engine::SilentMixBufferRuns());
    EXPECT_EQ(engine::SoundUserCount(), 0);
}

} // namespace
