// Finding the General MIDI soundfont: the environment's choice first, then
// FluidSynth's own default, then the usual places of Debian's packages.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace midi {

// Set to a soundfont file to use it; set to a missing file to play silently.
constexpr const char* kSoundFontVariable = "VELMORA_SOUNDFONT";

std::optional<std::filesystem::path> FindSoundFont();

// The search itself, with its inputs given: `overridePath` (from the
// environment, may be null), FluidSynth's default (may be empty), then the
// named files and any *.sf2 in `folders`.
std::optional<std::filesystem::path> FindSoundFontIn(const char* overridePath,
                                                     const std::filesystem::path& synthDefault,
                                                     const std::vector<std::filesystem::path>& folders);

} // namespace midi
