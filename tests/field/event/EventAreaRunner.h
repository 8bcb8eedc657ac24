// Runs arbitrary bytes as a map's events, for the malformed-data tests and
// a libFuzzer target: the bytes give a 24 × 18 map's event area and the
// buttons pressed, every record is started in turn and run for a bounded
// number of frames. Nothing but the game's own checks stands between the
// bytes and the interpreter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace eventfuzz {

struct RunReport {
    bool entered = false;   // the map took the event area
    int recordsStarted = 0; // records started by hand
    int framesRun = 0;
};

// Layout of `data`: u16 record count, u8 number of presses n, n bytes of
// buttons held a frame each (bit 0 confirm, bit 3 skip), then the area.
RunReport RunEventAreaBytes(const std::uint8_t* data, std::size_t size, int framesPerRecord = 40);

// The bytes for an area built by the assembler, with no presses but confirm.
std::vector<std::uint8_t> EventAreaInput(const std::vector<std::uint8_t>& area, int recordCount);

} // namespace eventfuzz

