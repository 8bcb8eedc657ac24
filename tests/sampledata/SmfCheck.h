// A minimal Standard MIDI File checker for the tests: walks the header and
// every track chunk event by event, with running status, and requires each
// track to end with its end-of-track event exactly at the chunk's end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace smfcheck {

struct Summary {
    bool ok = false;
    std::string error;
    int tracks = 0;
    int events = 0;
    int noteOns = 0;
};

Summary Check(const std::vector<std::uint8_t>& file);

} // namespace smfcheck
