// The system-exclusive messages that reset a synthesizer: the ones recognised
// in a file, and the pair the engine sends itself before a song.
#pragma once

#include <cstdint>
#include <span>

namespace midi {

bool IsResetSysEx(std::span<const std::uint8_t> message);

// General MIDI System On, then GS Reset.
std::span<const std::uint8_t> GmSystemOn();
std::span<const std::uint8_t> GsReset();

} // namespace midi
