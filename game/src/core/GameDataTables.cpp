#include "core/GameDataTables.h"

#include <cstdio>
#include <cstdlib>

#include "core/PackCatalogue.h"
#include "core/ZephGlobals.h"
#include "core/EnemyKinds.h"
#include "core/TableCheck.h"
#include "platform/LittleEndian.h"

unsigned char* GameDataBuffers[GAME_DATA_BUFFER_COUNT] = {};
unsigned char* ItemTable = nullptr;
unsigned char* WeaponTable[3] = {};
unsigned char* ArmorTable[3] = {};
unsigned char* AccessoryTable = nullptr;
unsigned char* WarpPointTable = nullptr;
unsigned char* EnemyKindBlob = nullptr;
unsigned char** EnemyKindTable = nullptr;
unsigned char** EnemyMoveTable = nullptr;
unsigned char** EnemyActionTable = nullptr;

namespace {

struct TableEntry {
    int entry;
    int minimumBytes;
    unsigned char** table;
};

// In load order; the enemy kinds, whose size is only known by walking them, come last.
const TableEntry kTableEntries[GAME_DATA_BUFFER_COUNT] = {
    {PACK_ITEM_TABLE, ITEM_ROW_COUNT* ITEM_ROW_SIZE, &ItemTable},
    {PACK_WEAPON_TABLES[0], WEAPON_ROW_COUNT* WEAPON_ROW_SIZE, &WeaponTable[0]},
    {PACK_WEAPON_TABLES[1], WEAPON_ROW_COUNT* WEAPON_ROW_SIZE, &WeaponTable[1]},
    {PACK_WEAPON_TABLES[2], WEAPON_ROW_COUNT* WEAPON_ROW_SIZE, &WeaponTable[2]},
    {PACK_ARMOR_TABLES[0], ARMOR_ROW_COUNT* ARMOR_ROW_SIZE, &ArmorTable[0]},
    {PACK_ARMOR_TABLES[1], ARMOR_ROW_COUNT* ARMOR_ROW_SIZE, &ArmorTable[1]},
    {PACK_ARMOR_TABLES[2], ARMOR_ROW_COUNT* ARMOR_ROW_SIZE, &ArmorTable[2]},
    {PACK_ACCESSORY_TABLE, ACCESSORY_ROW_COUNT* ACCESSORY_ROW_SIZE, &AccessoryTable},
    {PACK_WARP_POINT_TABLE, WARP_POINT_ROW_COUNT* WARP_POINT_ROW_SIZE, &WarpPointTable},
    {PACK_ENEMY_KIND_BLOB, 0, &EnemyKindBlob},
};

// Indexes the kinds, which lie back to back: definition, move rows, action rows.
// Every kind must lie wholly inside the entry.
bool IndexEnemyKinds(unsigned char* blob, int length)
{
    long offset = 0;
    for (int k = 0; k < ENEMY_KIND_COUNT; ++k) {
        if (offset + ENEMY_KIND_DEF_SIZE > length)
            return false;
        unsigned char* kind = blob + offset;
        const long moveBytes = static_cast<long>(ENEMY_MOVE_DEF_SIZE) * EnemyKindMoveCount(kind);
        const long actionBytes = static_cast<long>(ENEMY_ACTION_DEF_SIZE) * EnemyKindActionCount(kind);
        const long kindBytes = ENEMY_KIND_DEF_SIZE + moveBytes + actionBytes;
        if (offset + kindBytes > length)
            return false;
        EnemyKindTable[k] = kind;
        EnemyMoveTable[k] = kind + ENEMY_KIND_DEF_SIZE;
        EnemyActionTable[k] = kind + ENEMY_KIND_DEF_SIZE + moveBytes;
        offset += kindBytes;
    }
    return true;
}

unsigned char** AllocateLookup()
{
    return static_cast<unsigned char**>(std::calloc(ENEMY_KIND_COUNT, sizeof(unsigned char*)));
}

} // namespace

int EnemyKindMoveCount(const unsigned char* kind)
{
    return static_cast<int>((plat::LoadLe32(kind + 4 * 15) >> 4) & 0xF);
}

int EnemyKindActionCount(const unsigned char* kind)
{
    return static_cast<int>((plat::LoadLe32(kind + 4 * 14) >> 22) & 0x1F);
}

bool LoadGameData()
{
    if (ZephFilePack == nullptr)
        return false;
    int enemyBlobLength = 0;
    for (int i = 0; i < GAME_DATA_BUFFER_COUNT; ++i) {
        const TableEntry& table = kTableEntries[i];
        int length = 0;
        unsigned char* buffer = ZephFilePack->LoadData(0, table.entry, &length, nullptr);
        if (buffer == nullptr)
            return false;
        GameDataBuffers[i] = buffer;
        *table.table = buffer;
        // A short table is refused like a missing one, before any row is read.
        if (length < table.minimumBytes)
            return false;
        if (table.entry == PACK_ENEMY_KIND_BLOB)
            enemyBlobLength = length;
    }

    // Every field the game reads is checked once here; a bad one is named.
    TableFault fault;
    if (!CheckLoadedTables(fault)) {
        const std::string line = fault.Line();
        std::fprintf(stderr, "Velmora: %s\n", line.c_str());
        if (ZephError != nullptr)
            ZephError->Error("GameDataTables", __LINE__, ERROR_GENERAL, "%s", line.c_str());
        return false;
    }

    EnemyKindTable = AllocateLookup();
    EnemyMoveTable = AllocateLookup();
    EnemyActionTable = AllocateLookup();
    if (EnemyKindTable == nullptr || EnemyMoveTable == nullptr || EnemyActionTable == nullptr) {
        if (ZephError != nullptr)
            ZephError->Error("Initialize.cpp", 620, ERROR_NO_MEMORY, nullptr);
        return false;
    }
    // The checked reading names what is wrong with a bad entry; the walk
    // below then cannot fail.
    return LoadEnemyKinds(EnemyKindBlob, static_cast<std::size_t>(enemyBlobLength)) &&
           IndexEnemyKinds(EnemyKindBlob, enemyBlobLength);
}

void FreeGameData()
{
    FreeEnemyKinds();
    std::free(EnemyActionTable);
    std::free(EnemyMoveTable);
    std::free(EnemyKindTable);
    EnemyActionTable = EnemyMoveTable = EnemyKindTable = nullptr;
    for (int i = GAME_DATA_BUFFER_COUNT - 1; i >= 0; --i) {
        if (GameDataBuffers[i] != nullptr && ZephFilePack != nullptr)
            ZephFilePack->FreeData(GameDataBuffers[i]);
        GameDataBuffers[i] = nullptr;
        *kTableEntries[i].table = nullptr;
    }
}
