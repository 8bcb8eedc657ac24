// What a member's pieces make of it: the figures computed from its base
// stats and three pieces, wearing a piece, and the colours a weapon's magic
// effect raises.
#pragma once

#include <cstdint>

#include "core/EquipmentRows.h"

constexpr int MEMBER_STAT_MAX = 9999;
constexpr int MEMBER_ST_BASE = 100;
constexpr int MEMBER_ST_MAX = 255;
constexpr int DEFENCE_LEVEL_BASE = 3;
constexpr int DEFENCE_LEVEL_MAX = 7;

// The figures of one computation, in the order the party's scratch record keeps them.
struct MemberStats {
    std::uint32_t abilityBits;
    std::int32_t stats[EQUIP_STAT_COUNT]; // 攻撃, 魔攻, 防御, 魔防 with the equipment
    std::int16_t maxStamina;
    std::int8_t colourLevels[EQUIP_COLOUR_COUNT]; // defence levels 0-7
    std::uint8_t maxSp;
    std::uint8_t specialCode;
};

// The member's figures with the given pieces (-1 none; an id beyond its
// table counts as none); also the field menu's preview of a change.
void ComputeMemberStats(int member, MemberStats& out, int weapon, int armour, int accessory);
// Wears piece `id` (-1 takes it off) in slot kind 0 weapon, 1 armour,
// 2 accessory and sends every derived figure to the party; ST is refilled.
// Another kind or member does nothing.
void EquipMemberItem(int member, int slotKind, int id);
// Recomputes the member's figures from the pieces it wears.
void SetMemberEquipAndRefresh(int member);
// The colours (elements) a weapon's special code (22-31) boosts: bit c for colour c.
int GetCommandDirectionBits(int code);
// 1 for the codes that boost more (26-29), else 0.
int GetCommandDirectionMode(int code);
// The damage factor of the boosted colours: 1.1, 1.2 for codes 26-29, else 1.0.
float GetElementBoostFactor(int code);
