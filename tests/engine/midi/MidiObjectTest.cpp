#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "FluidSynthOutput.h"
#include "MidiDerived.h"
#include "SoundFontLocator.h"
#include "MidiTestSupport.h"
#include "TempFolder.h"

namespace {

// A looping tune whose notes are all `note`; 480 ticks are 500 ms.
smf::Bytes LoopingTune(int note)
{
    return smf::File(0, 480,
                     {smf::Track()
                          .Program(0, 0, 1)
                          .Controller(0, 0, 7, 100)
                          .NoteOn(0, 0, note)
                          .Controller(0, 0, 111, 0)
                          .NoteOff(480, 0, note)
                          .NoteOn(0, 0, note)
                          .End(480)});
}

class MidiObjectTest : public testing::Test {
protected:
    void SetUp() override
    {
        plat::UseVirtualClock(0);
        for (int i = 0; i < 3; ++i)
            smf::Write(folder_ / Name(i), LoopingTune(60 + i));
        smf::Write(folder_ / "broken.mid", smf::Bytes{'M', 'T', 'h', 'd', 0, 0});
        midi_ = new CMidiDerived([this] {
            auto output = std::make_unique<midi::RecordingMidiOutput>();
            output->SetLimit(100000);
            recorder_ = output.get();
            return output;
        });
        ASSERT_TRUE(midi_->Init(2, false));
    }
    void TearDown() override
    {
        midi_->Release();
        plat::UseRealClock();
    }

    static std::string Name(int tune) { return "tune" + std::to_string(tune) + ".mid"; }

    // The descriptor keeps a pointer to the path: the strings live in the fixture.
    const Zeph::BgmTuneDef* Tune(const std::string& name, double volume = 1.0)
    {
        paths_.push_back((folder_ / name).string());
        descriptors_.push_back(Zeph::BgmTuneDef{nullptr, volume, -1, -1, -1, 1, 0});
        for (std::size_t i = 0; i < paths_.size(); ++i)
            descriptors_[i].path = paths_[i].c_str();
        return &descriptors_.back();
    }

    void LoadAndPlay(int song, int tune)
    {
        ASSERT_TRUE(midi_->Load(song, Tune(Name(tune))));
        midi_->Play(song);
        ASSERT_TRUE(midi_->IsPlaying(song));
    }

    // Real time for the player thread to get on with it.
    static void LetPlayerRun() { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }

    testsupport::TempFolder folder_;
    CMidiDerived* midi_ = nullptr;
    midi::RecordingMidiOutput* recorder_ = nullptr;
    std::deque<std::string> paths_;
    std::deque<Zeph::BgmTuneDef> descriptors_;
};

struct FadeCase {
    const char* name;
    int setLevel;
    int from;
    int to;
    unsigned ms;
    unsigned steps;
    double startPower;
    double endPower;
};

void PrintTo(const FadeCase& c, std::ostream* out)
{
    *out << c.name;
}

class FadeSteps : public MidiObjectTest, public testing::WithParamInterface<FadeCase> {};

TEST_P(FadeSteps, RunLinearlyInPowerOverMsDividedBy17Updates)
{
    const FadeCase& c = GetParam();
    midi_->SetVolume(c.setLevel);
    midi_->Fade(0, c.from, c.to, c.ms, false);
    for (unsigned step = 1; step < c.steps; ++step) {
        midi_->UpdateFade();
        const double expected = c.startPower + (c.endPower - c.startPower) * step / c.steps;
        ASSERT_NEAR(midi_->Volume() * midi_->Volume(), expected, 1e-12) << "step " << step;
    }
    midi_->UpdateFade();
    EXPECT_DOUBLE_EQ(midi_->Volume(), std::sqrt(c.endPower));
    midi_->SetVolume(3); // the fade is over: the next update changes nothing
    midi_->UpdateFade();
    EXPECT_DOUBLE_EQ(midi_->Volume(), std::sqrt(0.3));
}

INSTANTIATE_TEST_SUITE_P(Cases, FadeSteps,
                         testing::Values(FadeCase{"DownToSilence", 10, 10, 0, 170, 10, 1.0, 0.0},
                                         FadeCase{"FromCurrentToFour", 10, -1, 4, 340, 20, 1.0, 0.4},
                                         FadeCase{"UpToTheSetLevel", 7, 2, -1, 500, 29, 0.2, 0.7},
                                         FadeCase{"UnderOneFrameEndsAtTheFirstUpdate", 10, 2, 8, 16, 1, 0.2, 0.8}),
                         [](const testing::TestParamInfo<FadeCase>& param) { return param.param.name; });

TEST_F(MidiObjectTest, AFadeToSilenceStopsTheSongAndSilencesIt)
{
    LoadAndPlay(0, 0);
    LetPlayerRun();
    midi_->Fade(0, -1, 0, 34, false);
    EXPECT_TRUE(midi_->IsFading());
    midi_->UpdateFade();
    EXPECT_TRUE(midi_->IsPlaying(0));
    midi_->UpdateFade();
    EXPECT_FALSE(midi_->IsPlaying(0));
    EXPECT_FALSE(midi_->IsFading());
    ASSERT_TRUE(midi_->WaitForPlayerIdle());
    const auto last = recorder_->Messages().back();
    EXPECT_EQ(last.Status(), 0xBF);
    EXPECT_EQ(last.Data1(), 120) << "the stop's silencing comes last";
}

TEST_F(MidiObjectTest, AFadeOfAnotherSongIsIgnoredWhileOnePlays)
{
    ASSERT_TRUE(midi_->Load(1, Tune(Name(1))));
    LoadAndPlay(0, 0);
    midi_->Fade(1, 10, 0, 170, false);
    EXPECT_FALSE(midi_->IsFading());
    EXPECT_DOUBLE_EQ(midi_->Volume(), 1.0);
}

TEST_F(MidiObjectTest, VolumeZeroStopsAndKeepsPlayAndResumeQuiet)
{
    LoadAndPlay(0, 0);
    midi_->SetVolume(0);
    EXPECT_FALSE(midi_->IsPlaying(0));
    ASSERT_TRUE(midi_->WaitForPlayerIdle());
    const std::size_t before = recorder_->Count();
    midi_->Play(0);
    midi_->Resume(0);
    midi_->ResumeWithFade(0, 5, 170, false);
    EXPECT_FALSE(midi_->IsPlaying(0));
    LetPlayerRun();
    EXPECT_EQ(recorder_->Count(), before);
    midi_->SetVolume(4);
    midi_->Play(0);
    EXPECT_TRUE(midi_->IsPlaying(0));
    EXPECT_DOUBLE_EQ(midi_->Volume(), std::sqrt(0.4));
}

TEST_F(MidiObjectTest, LoadingThePlayingSongStopsItBeforeReplacingIt)
{
    LoadAndPlay(0, 0);
    LetPlayerRun();
    std::atomic<bool> loaded{false};
    std::atomic<int> oldNotesAfterLoad{0};
    recorder_->SetObserver([&](const midi::RecordedMessage& m) {
        if (loaded && miditest::IsNoteOn(m) && m.Data1() == 60)
            ++oldNotesAfterLoad;
    });
    ASSERT_TRUE(midi_->Load(0, Tune(Name(1))));
    loaded = true;
    EXPECT_FALSE(midi_->IsPlaying(0));
    const auto messages = recorder_->Messages();
    EXPECT_EQ(messages.back().Data1(), 120) << "stopped and silenced before Load returned";
    midi_->Play(0);
    LetPlayerRun();
    midi_->Stop(0);
    ASSERT_TRUE(midi_->WaitForPlayerIdle());
    EXPECT_EQ(oldNotesAfterLoad, 0);
    const auto notes = miditest::NoteOns(recorder_->Messages());
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.back().note, 61);
}

TEST_F(MidiObjectTest, ChannelVolumesStartAt100AgainAfterALoad)
{
    smf::Write(folder_ / "quiet5.mid",
               smf::File(0, 480, {smf::Track().Controller(0, 5, 7, 20).NoteOn(0, 0, 60).End(480)}));
    ASSERT_TRUE(midi_->Load(0, Tune("quiet5.mid")));
    midi_->Play(0);
    LetPlayerRun();
    ASSERT_TRUE(midi_->Load(0, Tune(Name(1))));
    ASSERT_EQ(miditest::Matching(recorder_->Messages(), 0xB5, 7).back().Data2(), 20);
    recorder_->Clear();
    midi_->Play(0);
    LetPlayerRun();
    midi_->Stop(0);
    ASSERT_TRUE(midi_->WaitForPlayerIdle());
    const auto channel5 = miditest::Matching(recorder_->Messages(), 0xB5, 7);
    ASSERT_FALSE(channel5.empty());
    EXPECT_EQ(channel5.front().Data2(), 100);
}

TEST_F(MidiObjectTest, AStoppedResumeNeverStartsLater)
{
    ASSERT_TRUE(midi_->Load(1, Tune(Name(1))));
    LoadAndPlay(0, 0);
    midi_->Resume(1);
    midi_->Stop(1);
    ASSERT_TRUE(midi_->WaitForPlayerIdle());
    const std::size_t count = recorder_->Count();
    LetPlayerRun();
    EXPECT_EQ(recorder_->Count(), count);
    EXPECT_FALSE(midi_->IsPlaying(1));
}

TEST_F(MidiObjectTest, PauseAndUnpauseContinueTheSongWithItsFade)
{
    LoadAndPlay(0, 0);
    midi_->Fade(0, -1, 5, 1700, false);
    midi_->UpdateFade();
    midi_->UpdateFade();
    const double during = midi_->Volume();
    midi_->Pause(false);
    EXPECT_FALSE(midi_->IsPlaying(0));
    ASSERT_TRUE(midi_->WaitForPlayerIdle());
    recorder_->Clear();
    midi_->Pause(true);
    EXPECT_TRUE(midi_->IsPlaying(0));
    EXPECT_TRUE(midi_->IsFading());
    EXPECT_DOUBLE_EQ(midi_->Volume(), during);
    midi_->UpdateFade();
    EXPECT_LT(midi_->Volume(), during);
    LetPlayerRun();
    EXPECT_FALSE(miditest::NoteOns(recorder_->Messages()).empty());
}

TEST_F(MidiObjectTest, ResumeWithFadeStartsFromSilenceAndRises)
{
    LoadAndPlay(0, 0);
    midi_->Stop(0);
    midi_->ResumeWithFade(0, 8, 170, false);
    EXPECT_TRUE(midi_->IsPlaying(0));
    EXPECT_DOUBLE_EQ(midi_->Volume(), 0.0);
    midi_->UpdateFade();
    EXPECT_NEAR(midi_->Volume() * midi_->Volume(), 0.08, 1e-12);
    for (int i = 0; i < 9; ++i)
        midi_->UpdateFade();
    EXPECT_DOUBLE_EQ(midi_->Volume(), std::sqrt(0.8));
    EXPECT_EQ(midi_->Level(), 10) << "kept only when asked";
}

TEST_F(MidiObjectTest, ResumeWithFadeOfANewlyLoadedSongKeepsTheFade)
{
    ASSERT_TRUE(midi_->Load(0, Tune(Name(2))));
    midi_->ResumeWithFade(0, 10, 340, true);
    EXPECT_TRUE(midi_->IsPlaying(0));
    EXPECT_TRUE(midi_->IsFading());
    EXPECT_DOUBLE_EQ(midi_->Volume(), 0.0);
}

TEST_F(MidiObjectTest, BadLoadsFailAndLeaveTheSongSilent)
{
    EXPECT_FALSE(midi_->Load(0, Tune(std::string(130, 'x'))));
    EXPECT_TRUE(midi_->SongFailed(0));
    EXPECT_FALSE(midi_->Load(0, Tune("missing.mid")));
    midi_->Play(0);
    EXPECT_FALSE(midi_->IsPlaying(0));

    // A file that cannot be read fails later, on the loader thread.
    EXPECT_TRUE(midi_->Load(1, Tune("broken.mid")));
    midi_->Play(1);
    EXPECT_FALSE(midi_->IsPlaying(1));
    EXPECT_TRUE(midi_->SongFailed(1));

    // A good load clears the failure.
    LoadAndPlay(1, 2);
    EXPECT_FALSE(midi_->SongFailed(1));
}

TEST_F(MidiObjectTest, SongAndLevelArgumentsAreBounded)
{
    EXPECT_FALSE(midi_->Load(2, Tune(Name(0))));
    EXPECT_FALSE(midi_->Load(-1, Tune(Name(0))));
    EXPECT_FALSE(midi_->Load(0, nullptr));
    midi_->Play(2);
    midi_->Resume(-1);
    midi_->Stop(99);
    midi_->Fade(5, 0, 10, 170, true);
    EXPECT_FALSE(midi_->IsPlaying(2));
    EXPECT_EQ(midi_->Level(), 10);

    midi_->SetVolume(42);
    EXPECT_EQ(midi_->Level(), 10);
    EXPECT_DOUBLE_EQ(midi_->Volume(), 1.0);
    midi_->SetVolume(-3);
    EXPECT_EQ(midi_->Level(), 0);
    midi_->SetVolume(5);
    midi_->Fade(0, 20, -7, 17, true);
    midi_->UpdateFade();
    EXPECT_EQ(midi_->Level(), 0);
    EXPECT_DOUBLE_EQ(midi_->Volume(), 0.0);
}

TEST(MidiObjectInitTest, InitRefusesBadCountsASecondInitAndAMissingOutput)
{
    CMidiDerived noCount([] { return std::make_unique<midi::SilentMidiOutput>(); });
    EXPECT_FALSE(noCount.Init(0, false));
    EXPECT_FALSE(noCount.Init(-4, false));
    EXPECT_FALSE(noCount.Init(1 << 30, false));
    EXPECT_TRUE(noCount.Init(2, true));
    EXPECT_FALSE(noCount.Init(2, false));

    CMidiDerived noOutput([] { return std::unique_ptr<midi::MidiOutput>(); });
    EXPECT_FALSE(noOutput.Init(2, false));
}

TEST(MidiObjectInitTest, WithoutASoundFontTheFactoryObjectPlaysSilentlyWithAWarning)
{
    setenv("VELMORA_SOUNDFONT", "/nonexistent/none.sf2", 1);
    Zeph::CMidi* midi = CreateMidi();
    ASSERT_NE(midi, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(midi->Init(2, false));
    const std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("soundfont"), std::string::npos) << warning;
    EXPECT_NE(dynamic_cast<midi::SilentMidiOutput*>(static_cast<CMidiDerived*>(midi)->Output()), nullptr);
    midi->Release();
    unsetenv("VELMORA_SOUNDFONT");
}

TEST(MidiObjectInitTest, TheFactoryObjectPlaysThroughFluidSynthOnTheAudioDevice)
{
    unsetenv("VELMORA_SOUNDFONT");
    if (!midi::FindSoundFont())
        GTEST_SKIP() << "no General MIDI soundfont installed";
    testsupport::TempFolder folder;
    const std::string path = (folder / "tune.mid").string();
    smf::Write(path, LoopingTune(64));
    const Zeph::BgmTuneDef tune{path.c_str(), 0.8, -1, -1, -1, 1, 0};
    Zeph::CMidi* midi = CreateMidi();
    ASSERT_NE(midi, nullptr);
    ASSERT_TRUE(midi->Init(2, false));
    EXPECT_NE(dynamic_cast<midi::FluidSynthOutput*>(static_cast<CMidiDerived*>(midi)->Output()), nullptr);
    ASSERT_TRUE(midi->Load(0, &tune));
    midi->Play(0);
    EXPECT_TRUE(midi->IsPlaying(0));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    midi->FadeOut(34);
    midi->UpdateFade();
    midi->UpdateFade();
    EXPECT_FALSE(midi->IsPlaying(0));
    midi->Release();
}

} // namespace
