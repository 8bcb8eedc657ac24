// A record's 32-bit words as the pack stores them: little-endian bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

inline std::vector<std::uint8_t> WordsToBytes(const std::vector<std::uint32_t>& words)
{
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
    return bytes;
}

} // namespace testsupport
