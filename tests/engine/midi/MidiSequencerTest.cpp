#include <gtest/gtest.h>

#include <cmath>

#include "MidiResetMessages.h"
#include "MidiTestSupport.h"

namespace {

using miditest::NoteOns;
using miditest::SongFrom;
using miditest::StopAtTime;
using miditest::TimedNote;
using SequencerTest = miditest::VirtualClockTest;

const smf::Bytes kGmOn = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
const smf::Bytes kGsReset = {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7};
const smf::Bytes kXgOn = {0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7};

// Division 480 at the default tempo: 480 ticks are 500 ms.
std::vector<TimedNote> PlayUntil(midi::MidiSong& song, std::uint32_t stopMs, midi::RecordingMidiOutput& output)
{
    StopAtTime link(stopMs);
    midi::Sequencer(song, output, link).Play(false);
    return NoteOns(output.Messages());
}

TEST_F(SequencerTest, LoopsToTheEventAfterControllerOneHundredEleven)
{
    auto song = SongFrom(smf::File(
        0, 480,
        {smf::Track().NoteOn(0, 0, 60).Controller(0, 0, 111, 0).NoteOn(480, 0, 62).NoteOn(480, 0, 64).End(480)}));
    midi::RecordingMidiOutput output;
    const std::vector<TimedNote> expected = {{0, 60}, {500, 62}, {1000, 64}, {2000, 62}, {2500, 64}, {3500, 62}};
    EXPECT_EQ(PlayUntil(*song, 3600, output), expected);
}

TEST_F(SequencerTest, WithoutALoopPointRepeatsFromTheFirstNoteWithTheSettingsBeforeIt)
{
    auto song =
        SongFrom(smf::File(0, 480, {smf::Track().Program(0, 0, 7).NoteOn(960, 0, 60).NoteOn(480, 0, 62).End(480)}));
    midi::RecordingMidiOutput output;
    // The silence before the first note is skipped every time round.
    const std::vector<TimedNote> expected = {{0, 60}, {500, 62}, {1000, 60}, {1500, 62}};
    EXPECT_EQ(PlayUntil(*song, 1600, output), expected);
    const auto programs = miditest::Matching(output.Messages(), 0xC0);
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].timeMs, 0u);
    EXPECT_EQ(programs[1].timeMs, 1000u);
}

TEST_F(SequencerTest, MergedTracksPlayEqualTimesInTrackOrder)
{
    auto song = SongFrom(smf::File(1, 480,
                                   {smf::Track().NoteOn(0, 0, 50).NoteOn(480, 0, 51).End(),
                                    smf::Track().NoteOn(0, 1, 70).NoteOn(480, 1, 71).End()}));
    midi::RecordingMidiOutput output;
    const std::vector<TimedNote> expected = {{0, 50}, {0, 70}, {500, 51}, {500, 71}};
    auto played = PlayUntil(*song, 501, output);
    played.resize(std::min<std::size_t>(played.size(), 4));
    EXPECT_EQ(played, expected);
}

TEST_F(SequencerTest, StopSilencesEveryNoteAndReleasesThePedal)
{
    auto song = SongFrom(smf::File(0, 480, {smf::Track().Controller(0, 0, 64, 127).NoteOn(0, 0, 60).End(4800)}));
    midi::RecordingMidiOutput output;
    PlayUntil(*song, 100, output);
    const auto messages = output.Messages();
    int noteOffs = 0;
    std::vector<bool> seen(16 * 128, false);
    for (const auto& m : messages)
        if ((m.Status() & 0xF0) == 0x80 && m.Data2() == 0) {
            ++noteOffs;
            seen[(m.Status() & 0x0F) * 128 + m.Data1()] = true;
        }
    EXPECT_EQ(noteOffs, 2048);
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));
    for (int channel = 0; channel < 16; ++channel) {
        const auto pedal = miditest::Matching(messages, static_cast<std::uint8_t>(0xB0 | channel), 64);
        ASSERT_FALSE(pedal.empty());
        EXPECT_EQ(pedal.back().Data2(), 0) << channel;
        EXPECT_EQ(miditest::Matching(messages, static_cast<std::uint8_t>(0xB0 | channel), 120).size(), 1u);
    }
    EXPECT_GE(messages.back().timeMs, 100u);
    EXPECT_LT(messages.back().timeMs, 100u + midi::kWaitSliceMs) << "the stop comes within one wait slice";
}

TEST_F(SequencerTest, ResumeChasesHeldNotesAndFinishesTheInterruptedWait)
{
    auto song = SongFrom(smf::File(0, 480,
                                   {smf::Track()
                                        .Program(0, 0, 9)
                                        .NoteOn(0, 0, 60, 90)
                                        .NoteOn(480, 0, 64, 70)
                                        .NoteOff(0, 0, 60)
                                        .NoteOn(0, 0, 67, 50)
                                        .NoteOff(480, 0, 64)
                                        .NoteOn(0, 0, 72)
                                        .End(4800)}));
    midi::RecordingMidiOutput output;
    StopAtTime link(700);
    midi::Sequencer(*song, output, link).Play(false);
    // Stopped in the wait after 500 ms at a slice end: 500 + 13 × 16 = 708, 292 ms still to wait.
    ASSERT_EQ(output.Messages().back().timeMs, 708u);

    output.Clear();
    plat::AdvanceVirtualClock(10000 - plat::NowMs());
    link.SetStop(20000);
    link.MarkVolumeChanged();
    midi::Sequencer(*song, output, link).Play(true);
    const auto messages = output.Messages();
    const std::vector<TimedNote> resumed = NoteOns(messages);
    ASSERT_GE(resumed.size(), 3u);
    // The sounding notes come back at once with their velocities, then the rest of the wait.
    EXPECT_EQ(resumed[0], (TimedNote{10000, 64}));
    EXPECT_EQ(resumed[1], (TimedNote{10000, 67}));
    EXPECT_EQ(resumed[2], (TimedNote{10292, 72}));
    const auto chased = miditest::Matching(messages, 0x90, 64);
    EXPECT_EQ(chased.front().Data2(), 70);
    // The program change before the kept place is sent again.
    ASSERT_FALSE(miditest::Matching(messages, 0xC0).empty());
    EXPECT_EQ(miditest::Matching(messages, 0xC0).front().timeMs, 10000u);
}

struct VolumeCase {
    int controllerValue;
    double outputVolume;
    double tuneVolume;
    int expected;
};

void PrintTo(const VolumeCase& c, std::ostream* out)
{
    *out << c.controllerValue << " x " << c.outputVolume << " x " << c.tuneVolume;
}

class ControllerSevenFormula : public SequencerTest, public testing::WithParamInterface<VolumeCase> {};

TEST_P(ControllerSevenFormula, SendsValueTimesVolumeTimesTheRootOfTheTuneVolumeTruncated)
{
    midi::TuneSettings tune;
    tune.volumeScale = std::sqrt(GetParam().tuneVolume);
    auto song = SongFrom(
        smf::File(0, 480, {smf::Track().Controller(0, 3, 7, GetParam().controllerValue).NoteOn(0, 3, 60).End(480)}),
        tune);
    midi::RecordingMidiOutput output;
    StopAtTime link(100, GetParam().outputVolume);
    midi::Sequencer(*song, output, link).Play(false);
    const auto sent = miditest::Matching(output.Messages(), 0xB3, 7);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front().Data2(), GetParam().expected);
    EXPECT_EQ(song->play.channelVolumes[3], GetParam().controllerValue);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControllerSevenFormula,
                         testing::Values(VolumeCase{100, 1.0, 1.0, 100}, VolumeCase{100, 0.5, 0.25, 25},
                                         VolumeCase{127, std::sqrt(0.3), 0.7, 58}, VolumeCase{90, 0.0, 1.0, 0},
                                         VolumeCase{1, 0.999, 1.0, 0}, VolumeCase{127, 0.9486832980505138, 1.0, 120}));

TEST_F(SequencerTest, AVolumeChangeDuringAWaitResendsEveryChannelVolume)
{
    auto song = SongFrom(smf::File(0, 480, {smf::Track().Controller(0, 2, 7, 80).NoteOn(0, 2, 60).End(4800)}));
    midi::RecordingMidiOutput output;
    StopAtTime link(1000, 1.0);
    link.ChangeVolumeAt(300, 0.5);
    midi::Sequencer(*song, output, link).Play(false);
    const auto messages = output.Messages();
    // Channels without a controller 7 of their own start from 100.
    const auto channel0 = miditest::Matching(messages, 0xB0, 7);
    ASSERT_EQ(channel0.size(), 2u);
    EXPECT_EQ(channel0[0].Data2(), 100);
    EXPECT_EQ(channel0[0].timeMs, 0u);
    EXPECT_EQ(channel0[1].Data2(), 50);
    EXPECT_GE(channel0[1].timeMs, 300u);
    EXPECT_LT(channel0[1].timeMs, 300u + midi::kWaitSliceMs);
    const auto channel2 = miditest::Matching(messages, 0xB2, 7);
    ASSERT_FALSE(channel2.empty());
    EXPECT_EQ(channel2.back().Data2(), 40);
}

TEST_F(SequencerTest, TempoChangesTakeEffectAndRoundingDoesNotDrift)
{
    // 1 000 000 µs a quarter over 3 ticks: 333.33 ms a step, 30 steps must end at 10 000 ms.
    smf::Track track;
    track.Tempo(0, 1000000);
    for (int i = 0; i < 31; ++i)
        track.NoteOn(i == 0 ? 0 : 1, 0, 40 + i);
    track.End();
    auto song = SongFrom(smf::File(0, 3, {track}));
    midi::RecordingMidiOutput output;
    const auto played = PlayUntil(*song, 10001, output);
    ASSERT_GE(played.size(), 31u);
    EXPECT_EQ(played[1].timeMs, 333u);
    EXPECT_EQ(played[2].timeMs, 666u);
    EXPECT_EQ(played[3].timeMs, 1000u);
    EXPECT_EQ(played[30].timeMs, 10000u);
}

TEST_F(SequencerTest, ALoopPassWithNoTimeParksUntilStopped)
{
    auto song =
        SongFrom(smf::File(0, 480, {smf::Track().NoteOn(0, 0, 60).Controller(0, 0, 111, 0).NoteOn(0, 0, 62).End()}));
    midi::RecordingMidiOutput output;
    const auto played = PlayUntil(*song, 5000, output);
    EXPECT_LE(played.size(), 3u);
    EXPECT_GE(plat::NowMs(), 5000u);
}

// A song whose file failed to load holds no events at all.
TEST_F(SequencerTest, ASongWithoutEventsParksUntilStopped)
{
    midi::MidiSong song;
    midi::RecordingMidiOutput output;
    EXPECT_TRUE(PlayUntil(song, 2000, output).empty());
    EXPECT_GE(plat::NowMs(), 2000u);
}

struct ResetCase {
    const char* name;
    bool replaceResets;
    smf::Bytes fileReset;
    std::vector<smf::Bytes> expectedLongMessages;
};

void PrintTo(const ResetCase& c, std::ostream* out)
{
    *out << c.name;
}

class ResetMessages : public SequencerTest, public testing::WithParamInterface<ResetCase> {};

TEST_P(ResetMessages, EngineResetsReplaceTheFilesOnlyWhenAsked)
{
    midi::TuneSettings tune;
    tune.replaceResets = GetParam().replaceResets;
    auto song = SongFrom(
        smf::File(0, 480, {smf::Track().SysEx(0, GetParam().fileReset).SysEx(0, kXgOn).NoteOn(0, 0, 60).End(480)}),
        tune);
    midi::RecordingMidiOutput output;
    PlayUntil(*song, 100, output);
    std::vector<smf::Bytes> longMessages;
    for (const auto& m : output.Messages())
        if (m.Status() == 0xF0)
            longMessages.push_back(m.bytes);
    EXPECT_EQ(longMessages, GetParam().expectedLongMessages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResetMessages,
    testing::Values(ResetCase{"Replaced", true, kGsReset, {kGmOn, kGsReset}},
                    // Without replacing, the file's resets (both of them) go out in order and the engine sends none.
                    ResetCase{"Kept", false, kGsReset, {kGsReset, kXgOn}}),
    [](const testing::TestParamInfo<ResetCase>& param) { return param.param.name; });

class FullChase : public SequencerTest, public testing::WithParamInterface<bool> {};

// Note 50 starts at the end of the list and is still held when the song has
// looped: only a full chase, which runs through the whole list before the
// loop section, sounds it again on resume.
TEST_P(FullChase, DecidesWhetherNotesHeldOverTheLoopAreSoundedAgain)
{
    midi::TuneSettings tune;
    tune.fullChase = GetParam();
    tune.loopMarker = 2;
    auto song = SongFrom(smf::File(0, 480,
                                   {smf::Track()
                                        .Program(0, 0, 33)
                                        .NoteOn(0, 0, 60)
                                        .NoteOn(480, 0, 62)
                                        .NoteOn(480, 0, 64)
                                        .NoteOn(480, 0, 50)
                                        .End()}),
                         tune);
    midi::RecordingMidiOutput output;
    StopAtTime link(2200); // after the loop, in the wait before note 64
    midi::Sequencer(*song, output, link).Play(false);
    ASSERT_TRUE(song->play.hasLooped);
    output.Clear();
    link.SetStop(plat::NowMs() + 1);
    midi::Sequencer(*song, output, link).Play(true);
    std::vector<int> chased;
    for (const auto& note : NoteOns(output.Messages()))
        chased.push_back(note.note);
    const std::vector<int> expected = GetParam() ? std::vector<int>{50, 60, 62, 64} : std::vector<int>{60, 62};
    EXPECT_EQ(chased, expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, FullChase, testing::Bool());

} // namespace
