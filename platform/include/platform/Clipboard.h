// Putting a picture on the X11 clipboard. A small selection owner of ours (a
// hidden window on its own display connection, served by its own thread)
// hands it to whoever pastes, as "image/png" or "image/bmp", until another
// program takes the clipboard or this one ends.
#pragma once

#include <cstdint>

namespace plat {

// `pixels` are 0xAARRGGBB rows top-down, `pitch` pixels apart. False when no
// X display can be reached or the clipboard could not be taken.
bool PlaceImageOnClipboard(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height, std::uint32_t pitch);

} // namespace plat
