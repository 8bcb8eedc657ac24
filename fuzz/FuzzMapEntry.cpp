// Map entries: the header read every map passes before it is made current,
// and what the field relies on once it passed.
#include <cstddef>
#include <cstdint>

#include "field/MapHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MapHeader header{};
    if (ReadMapHeader(data, size, header) != mapblob::BlobFault::None)
        return 0;
    // A map that passes covers the screen, holds its whole grid and its
    // event area, and its name always ends.
    if (header.width < mapblob::kMinWidth || header.height < mapblob::kMinHeight || header.EventAreaOffset() > size ||
        header.name[mapblob::kNameUnits - 1] != 0)
        __builtin_trap();
    return 0;
}
