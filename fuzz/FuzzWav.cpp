// WAV data of sound-effect entries: the format chunk and the walk to the data.
#include <cstddef>
#include <cstdint>

#include "WavEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto sound = engine::ReadWavEntry(data, size);
    // The data chunk must lie whole inside the entry.
    if (sound && (sound->dataOffset > size || sound->dataBytes > size - sound->dataOffset))
        __builtin_trap();
    return 0;
}
