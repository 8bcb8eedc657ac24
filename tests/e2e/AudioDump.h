// The audio dump of a headless run (VELMORA_DUMP_AUDIO) read back.
#pragma once

#include <filesystem>
#include <string>

namespace e2e {

std::string ReadBytes(const std::filesystem::path& path);
// RMS amplitude (0 to 1) of both channels of a 44.1 kHz stereo 16-bit dump between two times.
double WavRms(const std::string& wav, double fromSeconds, double toSeconds);

} // namespace e2e
