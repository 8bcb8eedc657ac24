// Runs arbitrary bytes as a map entry, for the map tests and a libFuzzer
// target: the entry is checked and loaded as the map changes load it, and
// when the field takes it the player walks around it with the view
// following while the map layers are drawn every frame. Nothing but the
// game's own checks stands between the bytes and the field.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mapfuzz {

struct RunReport {
    bool passedCheck = false;    // CheckMapEntry accepted the bytes
    bool entered = false;        // the field made them the current map
    bool tileOutOfRange = false; // a cell of the current map holds no tile the grid may hold
    int framesRun = 0;
};

// The bytes are the entry; it is served as the map its header names.
RunReport RunMapEntryBytes(const std::uint8_t* data, std::size_t size, int frames = 64);

} // namespace mapfuzz
