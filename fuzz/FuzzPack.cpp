// Resource pack files: the index is opened and every entry it lists is loaded.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "Zeph.h"
#include "platform/Paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = fuzzsupport::WriteScratchFile("Pack.dat", data, size);
    if (path.empty())
        return 0;
    plat::SetBaseFolder(fuzzsupport::ScratchFolder());
    Zeph::CFilePack* pack = CreateFilePack();
    if (pack->Init(1) && pack->OpenPack("Pack.dat", 0)) {
        // Out-of-range entries are asked for too: they must fail cleanly.
        for (int entry = -1; entry <= 600; ++entry) {
            int length = 0;
            unsigned char* bytes = pack->LoadData(0, entry, &length, nullptr);
            if (bytes != nullptr && length < 0)
                __builtin_trap();
            pack->FreeData(bytes);
        }
    }
    pack->Release();
    return 0;
}
