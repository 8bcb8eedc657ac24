#include "WavEntry.h"

#include <cstring>

#include "platform/LittleEndian.h"

namespace engine {
namespace {

constexpr std::size_t kFormatSizeAt = 16;
constexpr std::size_t kFormatAt = 20;
constexpr std::uint32_t kSmallestFormat = 16; // PCM fields without the extension size
constexpr std::uint32_t kLargestFormat = 18;
constexpr std::uint16_t kFormatPcm = 1;

std::optional<plat::PcmFormat> ReadFormat(const unsigned char* body)
{
    const std::uint16_t tag = plat::LoadLe16(body);
    plat::PcmFormat format;
    format.channels = plat::LoadLe16(body + 2);
    format.sampleRate = static_cast<int>(plat::LoadLe32(body + 4) & 0x7FFFFFFF);
    const std::uint16_t blockAlign = plat::LoadLe16(body + 12);
    format.bitsPerSample = plat::LoadLe16(body + 14);
    if (tag != kFormatPcm || !format.IsSupported() || blockAlign != format.BlockAlign())
        return std::nullopt;
    return format;
}

} // namespace

std::optional<WavSound> ReadWavEntry(const unsigned char* entry, std::size_t size)
{
    if (entry == nullptr || size < kFormatAt)
        return std::nullopt;
    const std::uint32_t formatSize = plat::LoadLe32(entry + kFormatSizeAt);
    if (formatSize < kSmallestFormat || formatSize > kLargestFormat || kFormatAt + formatSize > size)
        return std::nullopt;
    const auto format = ReadFormat(entry + kFormatAt);
    if (!format)
        return std::nullopt;

    // Chunks after the format chunk, each padded to an even size, up to "data".
    std::size_t at = kFormatAt + formatSize + (formatSize & 1);
    while (at <= size && size - at >= 8) {
        const std::uint32_t chunkSize = plat::LoadLe32(entry + at + 4);
        const std::size_t body = at + 8;
        if (std::memcmp(entry + at, "data", 4) == 0) {
            if (chunkSize > size - body || chunkSize < static_cast<std::uint32_t>(format->BlockAlign()))
                return std::nullopt;
            return WavSound{*format, body, chunkSize};
        }
        const std::size_t skip = static_cast<std::size_t>(chunkSize) + (chunkSize & 1);
        if (skip > size - body)
            return std::nullopt;
        at = body + skip;
    }
    return std::nullopt;
}

} // namespace engine
