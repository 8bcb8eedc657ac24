// Windows bitmaps of 32-bit pixels, as screenshots are kept: a 40-byte
// BITMAPINFOHEADER (BI_RGB, rows bottom-up) and B, G, R, A bytes per pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

// The device-independent bitmap alone (header and pixels), as the clipboard's
// bitmap format holds it. `pixels` are 0xAARRGGBB rows top-down, `pitch`
// pixels apart.
std::vector<std::uint8_t> EncodeDib(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                    std::uint32_t pitch);

// A whole .bmp file: the 14-byte file header followed by the bitmap.
std::vector<std::uint8_t> EncodeBmpFile(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                        std::uint32_t pitch);

} // namespace plat
