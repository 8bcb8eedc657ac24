// Plays a song's event list on an output in real time: tempo, loop start,
// the skip to the first note, chasing the channel state on resume, the
// volume scaling of controller 7, and silencing every note on stop.
#pragma once

#include <cstdint>

#include "MidiOutput.h"
#include "MidiSong.h"

namespace midi {

// What the sequencer reads of the player's shared state while it plays.
class SequencerLink {
public:
    virtual ~SequencerLink() = default;
    // Cleared by the caller's thread to stop the song within one wait slice.
    virtual bool KeepPlaying() = 0;
    // Output amplitude 0..1 applied to every channel volume.
    virtual double Volume() = 0;
    // True (and cleared) when the volume changed since the last call.
    virtual bool TakeVolumeChange() = 0;
    virtual void MarkVolumeChanged() = 0;
};

constexpr std::uint32_t kWaitSliceMs = 16;

class Sequencer {
public:
    Sequencer(MidiSong& song, MidiOutput& output, SequencerLink& link);

    // Plays from the start (the first note) or, when resuming, from the kept
    // place; returns once the link says stop, with every note silenced and
    // the place that was due kept.
    void Play(bool fromResume);

private:
    const MidiEvent* ChaseToEvent(const MidiEvent* target);
    const MidiEvent* SkipToFirstNote(bool& skipNextWait);
    void ChaseEvent(const MidiEvent& event);
    void SendEvent(const MidiEvent& event);
    void SendChannelMessage(const MidiEvent& event);
    void SendChannelVolumes(bool addToLag, bool takeFromWait);
    void SendScaledVolume(const MidiEvent& event);
    void SendLong(const std::uint8_t* bytes, std::uint32_t length);
    void SetTempo(const MidiEvent& event);
    std::uint32_t TicksToMs(std::uint32_t ticks);
    // Waits the song's wait in slices; false when told to stop meanwhile.
    bool WaitSlices();
    // A loop pass that takes no time would send its events for ever: hold still until stopped.
    void Park();
    void StopAt(const MidiEvent* due);
    std::uint8_t ScaledVolume(std::uint8_t channelVolume);

    MidiSong& song_;
    const EventList& list_;
    PlayState& state_;
    MidiOutput& output_;
    SequencerLink& link_;
};

} // namespace midi
