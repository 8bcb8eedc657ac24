#include "core/PackCatalogue.h"
#include "SampleData.h"

namespace sampledata {

std::vector<Bytes> BuildPackEntries()
{
    std::vector<Bytes> entries(PACK_ENTRY_COUNT);
    entries[PACK_ACCESSORY_TABLE] = AccessoryTableEntry();
    entries[PACK_ENEMY_KIND_BLOB] = EnemyKindEntry();
    entries[PACK_MAP21_DATA] = Map21DataEntry();
    entries[PACK_ITEM_TABLE] = ItemTableEntry();
    for (int map = 0; map < MAP_COUNT; ++map)
        entries[MapPackEntry(map)] = MapEntry(map);
    entries[PACK_WARP_POINT_TABLE] = WarpPointTableEntry();
    for (int member = 0; member < 3; ++member) {
        entries[PACK_ARMOR_TABLES[member]] = ArmorTableEntry(member);
        entries[PACK_WEAPON_TABLES[member]] = WeaponTableEntry(member);
    }
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id)
        entries[SoundEffectPackEntry[id]] = SoundEffectEntry(id);
    for (int entry = 0; entry < PACK_ENTRY_COUNT; ++entry) {
        if (IsEffectEntry(entry))
            entries[entry] = EffectEntry(entry);
        else if (IsTextureEntry(entry))
            entries[entry] = TextureEntry(entry);
    }
    return entries;
}

} // namespace sampledata
