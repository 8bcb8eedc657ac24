// The game's fixed data tables, loaded from the resource pack once at
// start-up and kept until shutdown: items, weapons, armour and accessories
// by party member, warp points, and the enemy kinds indexed by id.
#pragma once

#include <cstdint>

// Rows and row sizes of the tables.
constexpr int ITEM_ROW_COUNT = 70;
constexpr int ITEM_ROW_SIZE = 56;
constexpr int WEAPON_ROW_COUNT = 35;
constexpr int WEAPON_ROW_SIZE = 24;
constexpr int ARMOR_ROW_COUNT = 34;
constexpr int ARMOR_ROW_SIZE = 36;
constexpr int ACCESSORY_ROW_COUNT = 83;
constexpr int ACCESSORY_ROW_SIZE = 36;
constexpr int WARP_POINT_ROW_COUNT = 32;
constexpr int WARP_POINT_ROW_SIZE = 20;
constexpr int ENEMY_KIND_COUNT = 194;
constexpr int ENEMY_KIND_DEF_SIZE = 84;
constexpr int ENEMY_MOVE_DEF_SIZE = 32;
constexpr int ENEMY_ACTION_DEF_SIZE = 60;
constexpr int GAME_DATA_BUFFER_COUNT = 10;

// The pack buffers in load order, and the table pointers into them.
extern unsigned char* GameDataBuffers[GAME_DATA_BUFFER_COUNT];
extern unsigned char* ItemTable;
extern unsigned char* WeaponTable[3];
extern unsigned char* ArmorTable[3];
extern unsigned char* AccessoryTable;
extern unsigned char* WarpPointTable;
extern unsigned char* EnemyKindBlob;

// Per enemy kind: its definition, its first move row, its first action row.
extern unsigned char** EnemyKindTable;
extern unsigned char** EnemyMoveTable;
extern unsigned char** EnemyActionTable;

// Move and action counts as stored in a kind's definition.
int EnemyKindMoveCount(const unsigned char* kind);
int EnemyKindActionCount(const unsigned char* kind);

// Loads every table through ZephFilePack. False when an entry cannot be
// loaded or is shorter than its table, or when the enemy kinds do not fit
// in their entry; what was loaded stays for FreeGameData.
bool LoadGameData();

// Frees the lookup arrays and hands the buffers back in reverse load order.
void FreeGameData();
