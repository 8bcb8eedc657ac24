// Map entries: the check every map passes before it is made current, and the
// readers that rely on it.
#include <cstddef>
#include <cstdint>

#include "field/MapBlob.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (mapblob::CheckMapBlob(data, size) != mapblob::BlobFault::None)
        return 0;
    const int width = mapblob::ReadI16(data, mapblob::kWidthOffset);
    const int height = mapblob::ReadI16(data, mapblob::kHeightOffset);
    // A map that passes holds its whole grid and its event area.
    if (width <= 0 || height <= 0 || mapblob::EventAreaOffset(width, height) > size)
        __builtin_trap();
    return 0;
}
