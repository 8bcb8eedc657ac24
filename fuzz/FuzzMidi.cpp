// Standard MIDI Files: parsed, then played for two seconds of game time on the
// recording output with the virtual clock, so loops and tempo changes run.
#include <cstddef>
#include <cstdint>
#include <span>

#include "MidiFileReader.h"
#include "MidiRecordingOutput.h"
#include "MidiSequencer.h"
#include "platform/Clock.h"

namespace {

class StopAfter final : public midi::SequencerLink {
public:
    explicit StopAfter(std::uint32_t stopMs) : stopMs_(stopMs) {}
    bool KeepPlaying() override { return plat::NowMs() < stopMs_; }
    double Volume() override { return 1.0; }
    bool TakeVolumeChange() override { return false; }
    void MarkVolumeChanged() override {}

private:
    std::uint32_t stopMs_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    plat::UseVirtualClock(0);
    midi::MidiSong song;
    if (midi::ReadMidiFile(std::span<const std::uint8_t>(data, size), song.tune, song.events)) {
        midi::RecordingMidiOutput output;
        output.SetLimit(4096);
        StopAfter link(2000);
        midi::Sequencer(song, output, link).Play(false);
    }
    return 0;
}
