#include "AudioDump.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {
constexpr int kRate = 44100;
constexpr std::size_t kWavHeader = 44;
} // namespace

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double WavRms(const std::string& wav, double fromSeconds, double toSeconds)
{
    const std::size_t first = kWavHeader + static_cast<std::size_t>(fromSeconds * kRate) * 4;
    const std::size_t last = std::min(wav.size(), kWavHeader + static_cast<std::size_t>(toSeconds * kRate) * 4);
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t at = first; at + 1 < last; at += 2, ++count) {
        const auto sample =
            static_cast<std::int16_t>(static_cast<std::uint8_t>(wav[at]) | static_cast<std::uint8_t>(wav[at + 1]) << 8);
        sum += (sample / 32768.0) * (sample / 32768.0);
    }
    return count == 0 ? -1 : std::sqrt(sum / static_cast<double>(count));
}

} // namespace e2e
