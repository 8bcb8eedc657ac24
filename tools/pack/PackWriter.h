// Builds resource packs: entries numbered by their place in the list, stored
// word-padded and scrambled the way the engine's reader expects.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace packwriter {

using Bytes = std::vector<std::uint8_t>;

// The whole pack file for `entries` (entry n is entries[n]).
Bytes BuildPack(const std::vector<Bytes>& entries);

// Writes BuildPack(entries) to `path` through a temporary file; false on any failure.
bool WritePack(const std::filesystem::path& path, const std::vector<Bytes>& entries);

} // namespace packwriter
