// Numbered screenshot files: "ScreenShot/ScreenShotNNN.bmp" in the game's
// folder, the first free number from 000 to 999. A file is created only when
// the name is free, so an existing screenshot is never overwritten.
#pragma once

#include <cstdint>
#include <filesystem>

namespace engine {

// The path written, or an empty path when nothing was written (all numbers
// taken, the folder cannot be made, a write failed).
std::filesystem::path SaveScreenShotFile(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                         std::uint32_t pitch);

} // namespace engine
