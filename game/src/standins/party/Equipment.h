// Stand-in for the party's equipment services: not built yet. Each notes
// that it ran (see SceneTrace.h); equipping stores the piece and the figures
// through the party's setters. Delete this file when the part lands in
// game/src/party/.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/EquipmentRows.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

// A guard (special codes 22 to 31) sets the member's guard directions and factor.
inline void ApplyGuardSpecial(int member)
{
    SceneTrace::Note("ApplyGuardSpecial", member);
}

// The figures a member has with a given weapon, armour and accessory.
struct MemberStats {
    std::int16_t stats[EQUIP_STAT_COUNT]; // 攻撃, 魔攻, 防御, 魔防 with the equipment
    std::int16_t maxSp;
    std::int16_t maxStamina;
    std::int8_t colourLevels[EQUIP_COLOUR_COUNT]; // 0-7
};

namespace equipstandin {

// What the three pieces add together.
inline EquipmentRow Sum(int member, const int ids[3])
{
    EquipmentRow total{};
    for (int kind = 0; kind < 3; ++kind) {
        EquipmentRow row;
        if (!ReadEquipmentRow(EquipCategoryOf(kind, member), ids[kind], row))
            continue;
        for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
            total.stats[s] += row.stats[s];
        for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
            total.colours[c] += row.colours[c];
        total.sp += row.sp;
        total.stamina += row.stamina;
    }
    return total;
}

inline int Within(int value, int low, int high)
{
    return std::clamp(value, low, high);
}

} // namespace equipstandin

// The member's figures now, moved by what the given pieces add beyond the worn ones.
inline void ComputeMemberStats(int member, MemberStats& out, int weapon, int armour, int accessory)
{
    SceneTrace::Note("ComputeMemberStats", member);
    out = MemberStats{};
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    const CCharacter& party = *TheCharacter;
    const int worn[3] = {party.equipment[EQUIP_WEAPON][member], party.equipment[EQUIP_ARMOR][member],
                         party.equipment[EQUIP_ACCESSORY][member]};
    const int given[3] = {weapon, armour, accessory};
    const EquipmentRow now = equipstandin::Sum(member, worn);
    const EquipmentRow then = equipstandin::Sum(member, given);
    using equipstandin::Within;
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        out.stats[s] = static_cast<std::int16_t>(
            Within(party.statsB[member][s] + then.stats[s] - now.stats[s], 0, PARTY_MAX_STAT));
    out.maxSp = static_cast<std::int16_t>(Within(party.maxSp[member] + then.sp - now.sp, 0, 255));
    out.maxStamina = static_cast<std::int16_t>(Within(party.maxSt[member] + then.stamina - now.stamina, 0, 255));
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
        out.colourLevels[c] =
            static_cast<std::int8_t>(Within(party.elementLevel[member][c] + then.colours[c] - now.colours[c], 0, 7));
}

// Wears the piece (-1 takes the slot's piece off) and keeps the figures.
inline void EquipMemberItem(int member, int slotKind, int id)
{
    SceneTrace::Note("EquipMemberItem", member * 1000 + slotKind * 100 + id);
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT || slotKind < 0 || slotKind > 2)
        return;
    CCharacter& party = *TheCharacter;
    int ids[3] = {party.equipment[EQUIP_WEAPON][member], party.equipment[EQUIP_ARMOR][member],
                  party.equipment[EQUIP_ACCESSORY][member]};
    ids[slotKind] = id;
    MemberStats stats;
    ComputeMemberStats(member, stats, ids[0], ids[1], ids[2]);
    party.equipment[slotKind][member] = static_cast<std::int16_t>(id);
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        SetMemberSlotB(member, s, stats.stats[s]);
    SetMemberMaxMP(member, stats.maxSp);
    SetMemberMaxGauge(member, stats.maxStamina);
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
        party.elementLevel[member][c] = static_cast<std::uint8_t>(stats.colourLevels[c]);
    if (TheGameData != nullptr)
        TheGameData->RebuildItemLists(slotKind == 2
                                          ? ITEM_CATEGORY_ACCESSORY
                                          : (slotKind == 0 ? ITEM_CATEGORY_WEAPON : ITEM_CATEGORY_ARMOR) + member,
                                      false);
}

// The colours a weapon's magic effect (22-31) raises: bit c for colour c.
inline int GetEffectColorBits(int effect)
{
    SceneTrace::Note("GetEffectColorBits", effect);
    switch (effect) {
    case 22:
    case 26:
        return 1;
    case 23:
    case 27:
        return 2;
    case 24:
    case 28:
        return 4;
    case 25:
    case 29:
        return 8;
    case 30:
        return 3;
    case 31:
        return 12;
    default:
        return 0;
    }
}

// 1 for the effects that raise magic attack by 20% (26-29), else 0.
inline int GetEffectColorMode(int effect)
{
    SceneTrace::Note("GetEffectColorMode", effect);
    return effect >= 26 && effect <= 29 ? 1 : 0;
}
