// What each entry of the resource pack "Data/Pack.dat" holds, as the whole
// game uses it. All entries are in pack 0.
#pragma once

#include <cstdint>

constexpr int PACK_ENTRY_COUNT = 516;

// Data tables, loaded at start-up.
constexpr int PACK_ACCESSORY_TABLE = 0;
constexpr int PACK_ENEMY_KIND_BLOB = 2;
constexpr int PACK_ITEM_TABLE = 4;
constexpr int PACK_WARP_POINT_TABLE = 259;
constexpr int PACK_ARMOR_TABLES[3] = {260, 261, 262};  // members 0, 1, 2
constexpr int PACK_WEAPON_TABLES[3] = {266, 265, 267}; // members 0, 1, 2

// Extra data of map 21 (one direction byte per cell).
constexpr int PACK_MAP21_DATA = 3;

// Map n (0 to 252) is entry n + 5.
constexpr int PACK_FIRST_MAP = 5;
constexpr int MAP_COUNT = 253;
constexpr int MapPackEntry(int map)
{
    return map + PACK_FIRST_MAP;
}

// Shader programs and effect descriptors.
constexpr int PACK_BANNER_EFFECT = 1;
constexpr int PACK_BASIC_PIXEL_SHADER = 258;
constexpr int PACK_BANNER_CUT_EFFECT = 263;
constexpr int PACK_BANNER_PIXEL_SHADER = 264;
constexpr int PACK_SCREEN_EFFECT = 268;

// Textures with a fixed use.
constexpr int PACK_BATTLE_BACKDROP_FIRST = 271; // + backdrop kind 0..3; 274 is also the battle menu sheet
constexpr int PACK_BATTLE_MENU_PANEL = 275;
constexpr int PACK_ENEMY_WHIRL = 276;
constexpr int PACK_PARTY_ICONS = 277;
constexpr int PACK_PARTY_SHOTS = 283;
constexpr int PACK_MAP_OVERLAY = 285;
constexpr int PACK_MAP_DRAW_LIST = 288;
constexpr int PACK_ENEMY_SHOTS = 295;
constexpr int PACK_ENEMY_GRAPHIC_FIRST = 297; // + graphic id 0..182
constexpr int ENEMY_GRAPHIC_COUNT = 183;
constexpr int PACK_EVENT_TILE_ATLAS = 482;
constexpr int PACK_BATTLE_SPARKS = 486;
constexpr int PACK_EVENT_SPRITES = 487;
constexpr int PACK_EVENT_ICONS = 489;
constexpr int PACK_MAGIC_CIRCLES = 491;
constexpr int PACK_MAP_TILE_SHEET = 493;
constexpr int PACK_MEMBER_SPRITES_FIRST = 494; // + member 0..2
constexpr int PACK_BATTLE_MARKS = 497;
constexpr int PACK_TITLE_PICTURE = 508;
constexpr int PACK_BATTLE_BURSTS = 512;
// The enemy group's shared textures.
constexpr int PACK_ENEMY_GROUP_TEXTURES[5] = {270, 289, 292, 294, 296};

// The 36 sound effects by id; 27 and 29 play looping.
constexpr int SOUND_EFFECT_COUNT = 36;
constexpr int SoundEffectPackEntry[SOUND_EFFECT_COUNT] = {287, 278, 499, 488, 498, 509, 480, 510, 485, 511, 284, 506,
                                                          484, 505, 501, 513, 503, 293, 286, 280, 483, 281, 504, 290,
                                                          481, 507, 269, 282, 514, 515, 490, 492, 500, 291, 502, 279};
