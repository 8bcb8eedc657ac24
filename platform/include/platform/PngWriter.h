// Encoding a picture as a PNG image (8-bit RGBA), as the clipboard offers it.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

// `pixels` are 0xAARRGGBB rows top-down, `pitch` pixels apart; empty on failure.
std::vector<std::uint8_t> EncodePng(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                    std::uint32_t pitch);

} // namespace plat
