// The file formats of the sample data: PNG pictures, WAV sounds and
// Standard MIDI Files, all made in memory.
#pragma once

#include <cstdint>
#include <vector>

#include "ByteBuffer.h"
#include "Canvas.h"

namespace sampledata {

// An 8-bit RGBA PNG of the canvas; empty on failure.
Bytes EncodePng(const Canvas& canvas);

// A 16-bit mono PCM WAV with a plain 16-byte format chunk.
constexpr int kSoundRate = 22050;
Bytes EncodeWav(const std::vector<std::int16_t>& samples, int rate = kSoundRate);

// One note of a tune: key (0 = rest), length in ticks.
struct Note {
    int key;
    int ticks;
};

// A format-1 Standard MIDI File: a tempo track and one track per part, each
// on its own channel with its own programme. `loopPoint` puts a controller
// 111 (the loop point) at the start of the first part.
struct TunePart {
    int channel;
    int program;
    int velocity;
    std::vector<Note> notes;
};
constexpr int kTicksPerQuarter = 96;
Bytes EncodeMidi(int beatsPerMinute, const std::vector<TunePart>& parts, bool loopPoint);

} // namespace sampledata
