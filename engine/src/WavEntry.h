// Reading the WAV data held in a pack entry: the format chunk at its fixed
// place and the chunk walk to the data, bounded by the entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/SoundBuffer.h"

namespace engine {

struct WavSound {
    plat::PcmFormat format;
    std::size_t dataOffset = 0;
    std::uint32_t dataBytes = 0;
};

// The format and data chunk of `entry` (`size` bytes), or nothing when the
// format chunk is larger than 18 bytes or too small, the format is not
// PCM that the mixer plays, or no data chunk lies whole inside the entry.
std::optional<WavSound> ReadWavEntry(const unsigned char* entry, std::size_t size);

} // namespace engine
