// Decoding PNG images from memory into 32-bit ARGB texels. Every colour type,
// bit depth and interlacing becomes 8 bits per channel with alpha: palettes
// and grey are expanded, tRNS becomes alpha, 16-bit channels keep their high byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

struct ArgbImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint32_t> texels; // 0xAARRGGBB, rows top-down
};

// Whether the bytes start with the PNG signature followed by the IHDR chunk.
bool LooksLikePng(const unsigned char* data, std::size_t length);

// False for anything that is not a whole, valid PNG image or is larger than
// `maxSide` in either direction.
bool DecodePng(const unsigned char* data, std::size_t length, std::uint32_t maxSide, ArgbImage& image);

} // namespace engine
