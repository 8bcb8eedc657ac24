// The settings file "SaveData/Config.cfg" as this program reads and writes it:
// 36 lines of an 8-character key, one blank and a decimal value, CR LF ends.
#pragma once

#include <filesystem>
#include <istream>
#include <string>

#include "ConfigState.h"

namespace config {

// True when the whole file was read and the volumes are in range. Values are
// stored as they are read, so on false the state may hold part of the file.
bool LoadConfig(std::istream& in, ConfigState& state);
bool LoadConfig(const std::filesystem::path& file, ConfigState& state);

// The file's text for `state`.
std::string FormatConfig(const ConfigState& state);

struct SaveResult {
    bool ok;
    std::string error; // UTF-8, for the player, when not ok
};

// Writes through a temporary file beside the target, synced and renamed into
// place, creating the target's folder (one level) when missing. On failure
// the old file is left as it was.
SaveResult SaveConfig(const std::filesystem::path& file, const ConfigState& state);

} // namespace config
