// Map entries: the whole entry checked, loaded as a map change loads it and,
// when the field takes it, walked around and drawn (tests/field's runner on
// the field tests' world of fakes).
#include <cstddef>
#include <cstdint>

#include "MapEntryRunner.h"
#include "field/MapHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MapHeader header{};
    if (ReadMapHeader(data, size, header) != mapblob::BlobFault::None)
        return 0;
    // A header that passes covers the screen, holds its whole grid and its
    // event area, and its name always ends.
    if (header.width < mapblob::kMinWidth || header.height < mapblob::kMinHeight || header.EventAreaOffset() > size ||
        header.name[mapblob::kNameUnits - 1] != 0)
        __builtin_trap();
    // Only an entry the check passed becomes the current map, and then every
    // cell holds a tile the grid may hold.
    const mapfuzz::RunReport run = mapfuzz::RunMapEntryBytes(data, size);
    if ((run.entered && !run.passedCheck) || run.tileOutOfRange)
        __builtin_trap();
    return 0;
}
