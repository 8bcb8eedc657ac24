// Shared pieces of the MIDI tests: a song read from bytes, a sequencer link
// that stops at a time of the virtual clock, and views of recorded messages.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "MidiFileReader.h"
#include "MidiRecordingOutput.h"
#include "MidiSequencer.h"
#include "SmfBuilder.h"
#include "platform/Clock.h"

namespace miditest {

inline std::unique_ptr<midi::MidiSong> SongFrom(const smf::Bytes& file, midi::TuneSettings tune = {})
{
    auto song = std::make_unique<midi::MidiSong>();
    song->tune = tune;
    EXPECT_TRUE(midi::ReadMidiFile(file, song->tune, song->events));
    return song;
}

// Plays until the virtual clock reaches the stop time.
class StopAtTime final : public midi::SequencerLink {
public:
    explicit StopAtTime(std::uint32_t stopMs, double volume = 1.0) : stopMs_(stopMs), volume_(volume) {}

    bool KeepPlaying() override
    {
        if (changeAtMs_ != 0 && plat::NowMs() >= changeAtMs_) {
            changeAtMs_ = 0;
            ChangeVolume(laterVolume_);
        }
        return plat::NowMs() < stopMs_;
    }
    double Volume() override { return volume_; }
    bool TakeVolumeChange() override { return changed_.exchange(false); }
    void MarkVolumeChanged() override { changed_ = true; }

    void SetStop(std::uint32_t stopMs) { stopMs_ = stopMs; }
    void ChangeVolume(double volume)
    {
        volume_ = volume;
        changed_ = true;
    }

    // The volume changes when the sequencer first looks at the clock at or after `atMs`.
    void ChangeVolumeAt(std::uint32_t atMs, double volume)
    {
        changeAtMs_ = atMs;
        laterVolume_ = volume;
    }

private:
    std::uint32_t stopMs_;
    std::uint32_t changeAtMs_ = 0;
    double laterVolume_ = 0.0;
    double volume_;
    std::atomic<bool> changed_{false};
};

// Starts every test on a virtual clock at 0 and puts the real one back after.
class VirtualClockTest : public testing::Test {
protected:
    void SetUp() override { plat::UseVirtualClock(0); }
    void TearDown() override { plat::UseRealClock(); }
};

struct TimedNote {
    std::uint32_t timeMs;
    int note;
    bool operator==(const TimedNote&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TimedNote& n)
{
    return out << n.note << "@" << n.timeMs;
}

inline bool IsNoteOn(const midi::RecordedMessage& m)
{
    return (m.Status() & 0xF0) == 0x90 && m.Data2() != 0;
}

inline std::vector<TimedNote> NoteOns(const std::vector<midi::RecordedMessage>& messages)
{
    std::vector<TimedNote> out;
    for (const auto& m : messages)
        if (IsNoteOn(m))
            out.push_back({m.timeMs, m.Data1()});
    return out;
}

inline std::vector<midi::RecordedMessage> Matching(const std::vector<midi::RecordedMessage>& messages,
                                                   std::uint8_t status, int data1 = -1)
{
    std::vector<midi::RecordedMessage> out;
    for (const auto& m : messages)
        if (m.Status() == status && (data1 < 0 || m.Data1() == data1))
            out.push_back(m);
    return out;
}

} // namespace miditest
