// How far apart two ARGB colours are: the largest difference of any channel.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace testsupport {

inline int ColourDistance(std::uint32_t a, std::uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8)
        largest =
            std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

} // namespace testsupport
