// White whose alpha fades once a counter passes its opaque frames: opaque up
// to `opaqueFrames`, then `step` less alpha each frame, never below 0. The
// balloon over the player and the indicators over the members use it.
#pragma once

#include <cstdint>

constexpr std::uint32_t FadeInAlphaColor(int opaqueFrames, int counter, int step)
{
    if (counter <= opaqueFrames)
        return 0xFFFFFFFFu;
    const int alpha = 255 - (counter - opaqueFrames) * step;
    return static_cast<std::uint32_t>(alpha < 0 ? 0 : alpha) << 24 | 0x00FFFFFFu;
}
