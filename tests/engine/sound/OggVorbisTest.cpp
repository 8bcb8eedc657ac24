#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "OggFixture.h"
#include "OfflineSound.h"
#include "OggVorbisDerived.h"
#include "StreamFixture.h"
#include "TempFolder.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

using streamfixture::Samples;
using testsupport::TempFolder;

namespace {

constexpr int kFrames = 44100; // one second of music

class OggVorbisTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new TempFolder;
        ASSERT_TRUE(oggfixture::WriteTones(*folder / "tones.ogg", kFrames));
        reference = new Samples(oggfixture::Decode(*folder / "tones.ogg"));
        ASSERT_EQ(reference->size(), static_cast<std::size_t>(kFrames) * 2);
    }
    static void TearDownTestSuite()
    {
        delete reference;
        delete folder;
    }
    void SetUp() override
    {
        offlinesound::Use(folder->path());
        ogg = static_cast<COggVorbisDerived*>(CreateOggVorbis());
        ASSERT_EQ(ogg->Init(2, 16384, false, true, 2, 44100), Zeph::kResultOk);
        ASSERT_TRUE(ogg->SetVolume(0, 10));
    }
    void TearDown() override
    {
        ogg->Release();
        plat::UseRealClock();
    }

    Samples Run(int frames)
    {
        return streamfixture::Run([this] { return ogg->WorkersIdle(); }, frames);
    }
    static Samples Ref(std::size_t fromFrame, std::size_t frames)
    {
        return Samples(reference->begin() + static_cast<long>(fromFrame * 2),
                       reference->begin() + static_cast<long>((fromFrame + frames) * 2));
    }
    static Samples Concat(std::initializer_list<Samples> parts)
    {
        Samples out;
        for (const Samples& part : parts)
            out.insert(out.end(), part.begin(), part.end());
        return out;
    }
    static Zeph::OggTuneDef Tune(const char* path, double loopStartMs = 0, double loopEndMs = 0, int pairs = 0)
    {
        return Zeph::OggTuneDef{path, 0.0, loopStartMs, loopEndMs, 1.0, static_cast<std::int8_t>(pairs)};
    }

    static TempFolder* folder;
    static Samples* reference;
    COggVorbisDerived* ogg = nullptr;
};

TempFolder* OggVorbisTest::folder = nullptr;
Samples* OggVorbisTest::reference = nullptr;

TEST_F(OggVorbisTest, PlaysTheFileItsRepeatCountTimesThenStops)
{
    const Zeph::OggTuneDef tune = Tune("tones.ogg");
    ASSERT_TRUE(ogg->Load(0, &tune, false, false));
    EXPECT_DOUBLE_EQ(ogg->GetLengthMs(0), 1000.0);
    ogg->SetLoopCount(0, 1);
    ogg->Play(0);
    EXPECT_TRUE(ogg->IsPlaying(0));
    const Samples out = Run(kFrames * 2 + 8192);
    EXPECT_EQ(Samples(out.begin(), out.begin() + kFrames * 4), Concat({*reference, *reference}));
    EXPECT_EQ(Samples(out.begin() + kFrames * 4, out.end()), Samples(8192 * 2, 0));
    EXPECT_FALSE(ogg->IsPlaying(0));
    EXPECT_FALSE(ogg->BufferOf(0)->IsPlaying());

    // Played again, with no repeat: once.
    ogg->SetLoopCount(0, 0);
    ogg->Play(0);
    const Samples again = Run(kFrames + 8192);
    EXPECT_EQ(Samples(again.begin(), again.begin() + kFrames * 2), *reference);
    EXPECT_FALSE(ogg->IsPlaying(0));
}

TEST_F(OggVorbisTest, LoopPointsContinueFromTheLoopStartWithoutAGap)
{
    const Zeph::OggTuneDef tune = Tune("tones.ogg", 250.0, 750.0, 1);
    ASSERT_TRUE(ogg->Load(0, &tune, false, false));
    ogg->Play(0);
    const Samples out = Run(33075 + 22050 * 3);
    EXPECT_EQ(out, Concat({Ref(0, 33075), Ref(11025, 22050), Ref(11025, 22050), Ref(11025, 22050)}));
    EXPECT_TRUE(ogg->IsPlaying(0));
}

TEST_F(OggVorbisTest, SeekWhileStoppedPreparesAndResumeStartsThere)
{
    const Zeph::OggTuneDef tune = Tune("tones.ogg");
    ASSERT_TRUE(ogg->Load(0, &tune, false, false));
    ogg->SetLoopCount(0, 0);
    EXPECT_EQ(ogg->Seek(0, 500.0), 0u);
    EXPECT_EQ(Run(1000), Samples(2000, 0));
    ogg->Resume(0);
    EXPECT_EQ(Run(10000), Ref(22050, 10000));
}

TEST_F(OggVorbisTest, SeekWhilePlayingGoesOnFromTheNewPosition)
{
    const Zeph::OggTuneDef tune = Tune("tones.ogg");
    ASSERT_TRUE(ogg->Load(0, &tune, false, false));
    ogg->Play(0);
    EXPECT_EQ(Run(5000), Ref(0, 5000));
    EXPECT_EQ(ogg->Seek(0, 200.0), 0u);
    EXPECT_TRUE(ogg->IsPlaying(0));
    EXPECT_EQ(Run(10000), Ref(8820, 10000));
}

TEST_F(OggVorbisTest, StopAndResumeContinue)
{
    const Zeph::OggTuneDef tune = Tune("tones.ogg");
    ASSERT_TRUE(ogg->Load(0, &tune, true, true));
    ogg->Play(0);
    Samples heard = Run(7000);
    ogg->Stop(0);
    EXPECT_FALSE(ogg->IsPlaying(0));
    EXPECT_EQ(Run(3000), Samples(6000, 0));
    ogg->Resume(0);
    const Samples rest = Run(7000);
    heard.insert(heard.end(), rest.begin(), rest.end());
    EXPECT_EQ(heard, Ref(0, 14000));
}

TEST_F(OggVorbisTest, AFadeToZeroKeepsPlayingAndAFadeOutStops)
{
    const Zeph::OggTuneDef tune = Tune("tones.ogg");
    ASSERT_TRUE(ogg->Load(0, &tune, false, false));
    ogg->Play(0);
    Run(2000);
    EXPECT_EQ(ogg->Fade(0, 10, 0, 150, true), Zeph::kResultOk);
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(ogg->IsFading(0));
        ogg->UpdateFades();
    }
    EXPECT_FALSE(ogg->IsAnyFading());
    EXPECT_EQ(ogg->BufferOf(0)->Volume(), -10000);
    EXPECT_EQ(ogg->GetVolumeLevel(0), -10000);
    EXPECT_TRUE(ogg->IsPlaying(0));
    EXPECT_TRUE(ogg->BufferOf(0)->IsPlaying());

    ogg->ResumeWithFade(0, 10, 150, true); // playing already: only the fade
    for (int i = 0; i < 8; ++i)
        ogg->UpdateFades();
    EXPECT_EQ(ogg->BufferOf(0)->Volume(), 0);
    EXPECT_EQ(ogg->FadeOut(0, 10, 100, false), Zeph::kResultOk); // 5 steps
    for (int i = 0; i < 4; ++i)
        ogg->UpdateFades();
    EXPECT_TRUE(ogg->IsPlaying(0));
    ogg->UpdateFades();
    EXPECT_FALSE(ogg->IsPlaying(0));
    EXPECT_FALSE(ogg->BufferOf(0)->IsPlaying());
}

TEST_F(OggVorbisTest, AVolumeScaleLowersTheLevelButNeverRaisesIt)
{
    Zeph::OggTuneDef tune = Tune("tones.ogg");
    tune.volumeScale = 0.5;
    ASSERT_TRUE(ogg->Load(1, &tune, false, false));
    ASSERT_TRUE(ogg->SetVolume(1, 10));
    EXPECT_EQ(ogg->GetVolumeLevel(1), -602);
    tune.volumeScale = 3.0;
    ASSERT_TRUE(ogg->Load(1, &tune, false, false));
    EXPECT_EQ(ogg->GetVolumeLevel(1), 0);
    ASSERT_TRUE(ogg->SetVolume(1, 5));
    EXPECT_EQ(ogg->GetVolumeLevel(1), -602);
}

TEST_F(OggVorbisTest, BadFilesAndTunesFailTheLoadCleanly)
{
    const std::filesystem::path& base = folder->path();
    std::filesystem::copy_file(base / "tones.ogg", base / "cut.ogg", std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(base / "cut.ogg", 200);
    std::filesystem::copy_file(base / "tones.ogg", base / "tail.ogg",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(base / "tail.ogg", std::filesystem::file_size(base / "tail.ogg") - 1000);
    std::ofstream(base / "empty.ogg").close();
    ASSERT_TRUE(oggfixture::WriteTones(base / "mono22k.ogg", 2000, 22050, 1));
    const char* bad[] = {"cut.ogg", "tail.ogg", "empty.ogg", "mono22k.ogg", "missing.ogg"};
    for (const char* path : bad) {
        const Zeph::OggTuneDef tune = Tune(path);
        EXPECT_FALSE(ogg->Load(0, &tune, false, false)) << path;
    }
    struct LoopCase {
        double start, end;
    };
    for (const LoopCase& loop : {LoopCase{750, 250}, LoopCase{-10, 500}, LoopCase{100, 1500}, LoopCase{300, 300}}) {
        const Zeph::OggTuneDef tune = Tune("tones.ogg", loop.start, loop.end, 1);
        EXPECT_FALSE(ogg->Load(0, &tune, false, false)) << loop.start << ".." << loop.end;
    }
    Zeph::OggTuneDef late = Tune("tones.ogg");
    late.startMs = 1000.0;
    EXPECT_FALSE(ogg->Load(0, &late, false, false));
    EXPECT_FALSE(ogg->Load(2, &late, false, false));
    EXPECT_FALSE(ogg->Load(0, nullptr, false, false));
    ogg->Play(0); // never loaded: nothing happens
    EXPECT_FALSE(ogg->IsPlaying(0));
    EXPECT_NE(ogg->Seek(0, 10.0), 0u);
}

} // namespace
