// The pixel-shader version the device reports in its capabilities: 2.0,
// unless the test switch VELMORA_PIXEL_SHADER_VERSION asks for a lower one
// ("none" or "0" for no shaders, else "major.minor" such as "1.4") so that
// the game's fallback drawing can be run. Chosen by the environment only.
#pragma once

#include <cstdint>

namespace plat {

// The version as the capabilities give it (0xFFFF0000 | major << 8 | minor),
// 0 for none; `fallback` for text that is not a version.
std::uint32_t ParsePixelShaderVersion(const char* text, std::uint32_t fallback);

std::uint32_t ReportedPixelShaderVersion();

} // namespace plat
