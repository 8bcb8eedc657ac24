// The sound of a headless run: the mixer is rendered by the frame loop, the
// samples of exactly the game time that has passed, instead of by a sound
// card. With VELMORA_DUMP_AUDIO=file.wav the mix is also written to that
// file, so a run's music and sound effects can be checked exactly.
#pragma once

#include <cstdint>
#include <filesystem>

// Takes the mixer offline (before the engine opens its output) and opens the
// dump when a path is given; `startMs` is the game time the mix starts at.
void StartHeadlessAudio(std::uint32_t startMs, const std::filesystem::path& dumpPath);

// Mixes the samples up to game time `nowMs` (and writes them to the dump).
void MixHeadlessAudio(std::uint32_t nowMs);
