#include "WavEntry.h"

#include <cstring>

namespace engine {
namespace {

constexpr std::size_t kFormatSizeAt = 16;
constexpr std::size_t kFormatAt = 20;
constexpr std::uint32_t kSmallestFormat = 16; // PCM fields without the extension size
constexpr std::uint32_t kLargestFormat = 18;
constexpr std::uint16_t kFormatPcm = 1;

std::uint16_t Read16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::optional<plat::PcmFormat> ReadFormat(const unsigned char* body)
{
    const std::uint16_t tag = Read16(body);
    plat::PcmFormat format;
    format.channels = Read16(body + 2);
    format.sampleRate = static_cast<int>(Read32(body + 4) & 0x7FFFFFFF);
    const std::uint16_t blockAlign = Read16(body + 12);
    format.bitsPerSample = Read16(body + 14);
    if (tag != kFormatPcm || !format.IsSupported() || blockAlign != format.BlockAlign())
        return std::nullopt;
    return format;
}

} // namespace

std::optional<WavSound> ReadWavEntry(const unsigned char* entry, std::size_t size)
{
    if (entry == nullptr || size < kFormatAt)
        return std::nullopt;
    const std::uint32_t formatSize = Read32(entry + kFormatSizeAt);
    if (formatSize < kSmallestFormat || formatSize > kLargestFormat || kFormatAt + formatSize > size)
        return std::nullopt;
    const auto format = ReadFormat(entry + kFormatAt);
    if (!format)
        return std::nullopt;

    // Chunks after the format chunk, each padded to an even size, up to "data".
    std::size_t at = kFormatAt + formatSize + (formatSize & 1);
    while (at <= size && size - at >= 8) {
        const std::uint32_t chunkSize = Read32(entry + at + 4);
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
