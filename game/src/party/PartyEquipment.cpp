// Equipment and the figures it gives: a member's stats are always computed
// afresh from its base stats and the three pieces, so nothing derived is
// kept in the saves.
#include "party/Equipment.h"

#include <algorithm>
#include <cstring>

#include "core/SceneTrace.h"
#include "party/Character.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

static_assert(sizeof(MemberStats) == sizeof(CCharacter::statsWork), "the scratch record holds one computation");

namespace {

bool ValidMember(int member)
{
    return TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT;
}

// The item-list category of a slot kind's pieces for the member.
int ListCategoryOf(int slotKind, int member)
{
    if (slotKind == EQUIP_ACCESSORY)
        return ITEM_CATEGORY_ACCESSORY;
    return (slotKind == EQUIP_WEAPON ? ITEM_CATEGORY_WEAPON : ITEM_CATEGORY_ARMOR) + member;
}

// The piece's row: false (and nothing added) for -1 or an id beyond its table.
bool ReadPiece(int slotKind, int member, int id, EquipmentRow& row)
{
    return ReadEquipmentRow(EquipCategoryOf(slotKind, member), id, row);
}

void AddStats(MemberStats& out, const EquipmentRow& row)
{
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        out.stats[s] += row.stats[s];
    out.maxStamina = static_cast<std::int16_t>(out.maxStamina + row.stamina);
}

// Armour and accessories lower the defence levels and grant abilities.
void AddProtection(MemberStats& out, const EquipmentRow& row)
{
    AddStats(out, row);
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
        out.colourLevels[c] = static_cast<std::int8_t>(out.colourLevels[c] - row.colours[c]);
    out.abilityBits |= row.abilities;
}

void ClampStats(MemberStats& out)
{
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        out.stats[s] = std::clamp(out.stats[s], 0, MEMBER_STAT_MAX);
    out.maxStamina = static_cast<std::int16_t>(std::clamp<int>(out.maxStamina, 0, MEMBER_ST_MAX));
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
        out.colourLevels[c] = static_cast<std::int8_t>(std::clamp<int>(out.colourLevels[c], 0, DEFENCE_LEVEL_MAX));
}

} // namespace

void ComputeMemberStats(int member, MemberStats& out, int weapon, int armour, int accessory)
{
    out = MemberStats{};
    if (!ValidMember(member))
        return;
    const CCharacter& party = *TheCharacter;
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        out.stats[s] = party.statsA[member][s];
    out.maxStamina = MEMBER_ST_BASE;
    std::fill(std::begin(out.colourLevels), std::end(out.colourLevels), static_cast<std::int8_t>(DEFENCE_LEVEL_BASE));
    EquipmentRow row;
    if (ReadPiece(EQUIP_WEAPON, member, weapon, row)) {
        AddStats(out, row);
        out.maxSp = static_cast<std::uint8_t>(row.sp);
        out.specialCode = static_cast<std::uint8_t>(row.effect);
    }
    if (ReadPiece(EQUIP_ARMOR, member, armour, row))
        AddProtection(out, row);
    if (ReadPiece(EQUIP_ACCESSORY, member, accessory, row))
        AddProtection(out, row);
    ClampStats(out);
}

void EquipMemberItem(int member, int slotKind, int id)
{
    SceneTrace::Note("EquipMemberItem", member * 1000 + slotKind * 100 + id);
    if (!ValidMember(member) || slotKind < EQUIP_WEAPON || slotKind > EQUIP_ACCESSORY)
        return;
    CCharacter& party = *TheCharacter;
    int pieces[3] = {party.equipment[EQUIP_WEAPON][member], party.equipment[EQUIP_ARMOR][member],
                     party.equipment[EQUIP_ACCESSORY][member]};
    pieces[slotKind] = id;
    MemberStats stats;
    ComputeMemberStats(member, stats, pieces[EQUIP_WEAPON], pieces[EQUIP_ARMOR], pieces[EQUIP_ACCESSORY]);
    std::memcpy(party.statsWork, &stats, sizeof stats);
    party.equipment[slotKind][member] = static_cast<std::int16_t>(id);

    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        SetMemberSlotB(member, s, stats.stats[s]);
    SetMemberMaxMP(member, stats.maxSp);
    SetMemberMaxGauge(member, stats.maxStamina);
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
        party.elementLevel[member][c] = static_cast<std::uint8_t>(stats.colourLevels[c]);
    party.specialCode[member] = stats.specialCode;
    party.abilityBits[member] = stats.abilityBits;
    SetMemberMaxHP(member, party.baseMaxHp[member], party.abilityBits[member]);
    if (party.st[member] < party.maxSt[member])
        SetMemberGauge(member, party.maxSt[member] - party.st[member], false, false);
    // The worn piece stays at the top of its list in the menu.
    if (TheGameData != nullptr)
        TheGameData->RebuildItemLists(ListCategoryOf(slotKind, member), false);
}

void SetMemberEquipAndRefresh(int member)
{
    if (ValidMember(member))
        EquipMemberItem(member, EQUIP_WEAPON, TheCharacter->equipment[EQUIP_WEAPON][member]);
}

void ValidateEquipment()
{
    if (TheCharacter == nullptr || TheGameData == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    GameData& data = *TheGameData;
    for (int kind : {EQUIP_WEAPON, EQUIP_ARMOR})
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            const int worn = party.equipment[kind][m];
            const int category = ListCategoryOf(kind, m);
            if (worn < 0 || data.HeldCount(category, worn) != 0)
                continue;
            data.RebuildItemLists(category, true);
            EquipMemberItem(m, kind, data.categoryListCount[category] > 0 ? data.categoryList[category][0] : -1);
        }
    // Two members wearing the same accessory need two of it: the earlier
    // member keeps it when only one is left.
    for (int id = 0; id < ACCESSORY_ROW_COUNT; ++id)
        party.accessoryScratch[id] =
            static_cast<std::uint8_t>(std::max(0, static_cast<int>(data.HeldCount(ITEM_CATEGORY_ACCESSORY, id))));
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const int worn = party.equipment[EQUIP_ACCESSORY][m];
        if (worn < 0)
            continue;
        if (worn < ACCESSORY_ROW_COUNT && party.accessoryScratch[worn] > 0)
            --party.accessoryScratch[worn];
        else
            EquipMemberItem(m, EQUIP_ACCESSORY, -1);
    }
}

int GetCommandDirectionBits(int code)
{
    switch (code) {
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

int GetCommandDirectionMode(int code)
{
    return code >= 26 && code <= 29 ? 1 : 0;
}

float GetElementBoostFactor(int code)
{
    if (GetCommandDirectionMode(code) != 0)
        return 1.2f;
    return GetCommandDirectionBits(code) != 0 ? 1.1f : 1.0f;
}
