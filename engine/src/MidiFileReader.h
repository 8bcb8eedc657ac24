// Reading a Standard MIDI File into one event list: the header, every track,
// and the merge of the tracks in time order. Each read is bounded by the
// file's and the track's length; any fault refuses the whole file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "MidiSong.h"

namespace midi {

// Fills `list` from the file's bytes. False when the file is refused; `list`
// is then not to be played.
bool ReadMidiFile(std::span<const std::uint8_t> bytes, const TuneSettings& tune, EventList& list);

// Links the tracks' events into one list in time order (ties to the lower
// track) and finds the loop start and the first note. Null when nothing was
// merged.
MidiEvent* MergeTracks(const std::vector<MidiEvent*>& tracks, const TuneSettings& tune, EventList& list);

} // namespace midi
