#include "platform/Bitmap.h"

namespace plat {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void AppendDib(std::vector<std::uint8_t>& out, const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
               std::uint32_t pitch)
{
    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height); // positive: the bottom row comes first
    Put16(out, 1);      // planes
    Put16(out, 32);     // bits per pixel
    Put32(out, 0);      // BI_RGB
    Put32(out, width * height * 4);
    Put32(out, 0); // horizontal resolution
    Put32(out, 0); // vertical resolution
    Put32(out, 0); // colours used
    Put32(out, 0); // important colours
    for (std::uint32_t row = height; row-- > 0;) {
        const std::uint32_t* line = pixels + static_cast<std::size_t>(row) * pitch;
        for (std::uint32_t x = 0; x < width; ++x)
            Put32(out, line[x]);
    }
}

} // namespace

std::vector<std::uint8_t> EncodeDib(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                    std::uint32_t pitch)
{
    std::vector<std::uint8_t> out;
    out.reserve(kInfoHeaderSize + static_cast<std::size_t>(width) * height * 4);
    AppendDib(out, pixels, width, height, pitch);
    return out;
}

std::vector<std::uint8_t> EncodeBmpFile(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                        std::uint32_t pitch)
{
    std::vector<std::uint8_t> out;
    const std::uint32_t pixelBytes = width * height * 4;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kFileHeaderSize + kInfoHeaderSize + pixelBytes);
    Put32(out, 0); // reserved
    Put32(out, kFileHeaderSize + kInfoHeaderSize);
    AppendDib(out, pixels, width, height, pitch);
    return out;
}

} // namespace plat
