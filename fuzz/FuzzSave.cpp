// Save files: the whole 952-byte file (unscrambled, checksum checked, payload
// unpacked), and the payload words unpacked on their own.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "record/SaveAndLoad.h"
#include "record/SavePayload.h"

namespace {

bool CellOnSmallMap(int map, int x, int y)
{
    return map >= 0 && map < 253 && x >= 0 && x < 64 && y >= 0 && y < 64;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SaveState state{};
    (void)ReadSaveFileBytes(std::vector<std::uint8_t>(data, data + size), state, CellOnSmallMap);

    SavePayloadWords words{};
    std::memcpy(words.data(), data, std::min(size, sizeof(words)));
    SaveState unpacked{};
    if (UnpackSavePayload(words, unpacked, CellOnSmallMap)) {
        // What was accepted packs and unpacks to itself.
        SaveState again{};
        if (!UnpackSavePayload(PackSavePayload(unpacked), again, CellOnSmallMap) || !(again == unpacked))
            __builtin_trap();
    }
    return 0;
}
