// The game's data tables, loaded from a pack whose table entries are the input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "PackWriter.h"
#include "Zeph.h"
#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"
#include "core/ZephGlobals.h"
#include "platform/Paths.h"

namespace {

// The table entries in the order the input's pieces fill them.
std::vector<int> TableEntries()
{
    std::vector<int> entries = {PACK_ITEM_TABLE};
    for (int member = 0; member < 3; ++member)
        entries.push_back(PACK_WEAPON_TABLES[member]);
    for (int member = 0; member < 3; ++member)
        entries.push_back(PACK_ARMOR_TABLES[member]);
    entries.push_back(PACK_ACCESSORY_TABLE);
    entries.push_back(PACK_WARP_POINT_TABLE);
    entries.push_back(PACK_ENEMY_KIND_BLOB);
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<packwriter::Bytes> entries(PACK_ENTRY_COUNT);
    fuzzsupport::PieceReader pieces(data, size);
    for (int entry : TableEntries())
        entries[entry] = pieces.Next();
    plat::SetBaseFolder(fuzzsupport::ScratchFolder());
    if (!packwriter::WritePack(fuzzsupport::ScratchFolder() / "Tables.dat", entries))
        return 0;
    Zeph::CFilePack* pack = CreateFilePack();
    if (pack->Init(1) && pack->OpenPack("Tables.dat", 0)) {
        ZephFilePack = pack;
        if (LoadGameData()) {
            // Every kind the lookup lists must lie inside the loaded blob.
            for (int kind = 0; kind < ENEMY_KIND_COUNT; ++kind)
                if (EnemyKindTable[kind] != nullptr)
                    (void)EnemyKindMoveCount(EnemyKindTable[kind]);
        }
        FreeGameData();
        ZephFilePack = nullptr;
    }
    pack->Release();
    return 0;
}
