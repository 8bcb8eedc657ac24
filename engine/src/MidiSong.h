// A song of the MIDI object: the events of one Standard MIDI File merged into
// one list, the tune's settings, and the state the sequencer keeps while it
// plays the song (tempo, waits, the kept place, the note and volume tables).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <vector>

namespace midi {

constexpr int kChannelCount = 16;
constexpr int kNoteCount = 128;
constexpr std::uint8_t kDefaultChannelVolume = 100; // General MIDI's power-on value of controller 7
constexpr std::uint8_t kLoopController = 111;
constexpr std::uint8_t kVolumeController = 7;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;

struct MidiEvent {
    MidiEvent* next = nullptr;
    std::uint32_t delta = 0;  // ticks since the previous event (of its track until merged)
    std::uint32_t length = 0; // SysEx: bytes held, 0xF0 included; meta: data length
    std::uint8_t status = 0;
    std::uint8_t data1 = 0; // SysEx: skip flag; meta: type
    std::uint8_t data2 = 0;
    std::uint8_t extra = 0;
    const std::uint8_t* data = nullptr; // SysEx bytes or the three tempo bytes

    bool IsMeta() const { return status == 0xFF; }
    bool IsSysEx() const { return status == 0xF0; }
    bool IsEndOfTrack() const { return IsMeta() && data1 == kMetaEndOfTrack; }
    bool IsController(std::uint8_t number) const { return (status & 0xF0) == 0xB0 && data1 == number; }
    bool IsNoteOn() const { return (status & 0xF0) == 0x90; }
};

// Settings taken from the tune descriptor.
struct TuneSettings {
    double volumeScale = 1.0; // square root of the tune's volume
    std::int32_t startMarker = -1;
    std::int32_t loopMarker = -1;
    std::int32_t endMarker = -1;
    bool replaceResets = false;
    bool fullChase = false;

    bool HasStartMarker() const { return startMarker != -1; }
    bool HasLoopMarker() const { return loopMarker != -1; }
    bool HasEndMarker() const { return endMarker != -1; }
};

// What reading a file produces: the event nodes and their data, owned here,
// and the list's landmarks. Built once per load and only read afterwards.
struct EventList {
    std::deque<MidiEvent> nodes;
    std::deque<std::vector<std::uint8_t>> blobs;
    MidiEvent* first = nullptr;
    MidiEvent* loopStart = nullptr;
    MidiEvent* firstNote = nullptr;
    std::uint16_t format = 0;
    std::uint16_t trackCount = 0;
    std::uint16_t division = 0;
    bool sendResets = true;
    bool noLoopPoint = true;

    MidiEvent* NewEvent() { return &nodes.emplace_back(); }
    const std::uint8_t* Keep(std::vector<std::uint8_t> bytes) { return blobs.emplace_back(std::move(bytes)).data(); }
};

// Everything the sequencer changes while it plays; reset when a song loads.
struct PlayState {
    double tempoMs = 500.0; // milliseconds per quarter note
    std::uint32_t wait = 0; // milliseconds still to wait before the next event
    std::uint32_t lag = 0;  // milliseconds spent sending, paid back from later waits
    double waitCarry = 0.0; // fractions of a millisecond not yet waited, so tempo does not drift
    const MidiEvent* keptPlace = nullptr;
    std::array<std::array<std::uint8_t, kNoteCount>, kChannelCount> notes{};
    std::array<std::uint8_t, kChannelCount> channelVolumes{};
    bool hasLooped = false;

    PlayState() { channelVolumes.fill(kDefaultChannelVolume); }
};

struct MidiSong {
    TuneSettings tune;
    EventList events;
    PlayState play;
    // Written by the loader and the caller's thread, read by the caller's thread.
    std::atomic<bool> error{false};
};

} // namespace midi
