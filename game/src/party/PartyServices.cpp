// The party services the game-data record, the save files and the use rules
// call; the fuller services for menus and events come later on these fields.
#include "party/Character.h"

#include "media/PlaySE.h"
#include "party/MemberIndicators.h"
#include "party/PartyBattle.h"
#include "record/Pipkorn.h"

int GetMaxPartyLevel()
{
    if (TheCharacter == nullptr)
        return 0;
    int highest = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (TheCharacter->level[m] > highest)
            highest = TheCharacter->level[m];
    return highest;
}

void InitPartyNewGame()
{
    if (TheCharacter == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    party.ResetKeepingTextures();
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.baseMaxHp[m] = 100;
        party.maxHp[m] = 100;
        party.hp[m] = 100;
        party.hpPercent[m] = 100;
        party.sp[m] = 20;
        party.maxSp[m] = 20;
        party.equipment[EQUIP_WEAPON][m] = 0;
        party.equipment[EQUIP_ARMOR][m] = 0;
        for (int s = 0; s < 4; ++s)
            party.statsA[m][s] = 10;
    }
}

namespace {

std::uint8_t Percent(std::int64_t value, std::int64_t maximum)
{
    return static_cast<std::uint8_t>(maximum <= 0 ? 100 : value * 100 / maximum);
}

// The leader when it lacks some and healing it first is on, else the lowest
// share (ties keep the lower index; a maximum of 0 counts as full).
template <typename Value, typename Maximum> int PickLowest(const Value* values, const Maximum* maxima)
{
    if (TheCharacter == nullptr)
        return 0;
    const int leader = TheCharacter->Leader();
    if (TheCharacter->HealsLeaderFirst() && leader < PARTY_MEMBER_COUNT && values[leader] < maxima[leader])
        return leader;
    int lowest = 0;
    for (int m = 1; m < PARTY_MEMBER_COUNT; ++m)
        if (Percent(values[m], maxima[m]) < Percent(values[lowest], maxima[lowest]))
            lowest = m;
    return lowest;
}

} // namespace

int PickLowestHPMember()
{
    return TheCharacter == nullptr ? 0 : PickLowest(TheCharacter->hp, TheCharacter->maxHp);
}

int PickLowestMPMember()
{
    return TheCharacter == nullptr ? 0 : PickLowest(TheCharacter->sp, TheCharacter->maxSp);
}

void RefreshPartyDisplay()
{
    if (TheCharacter != nullptr)
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            SetMemberMaxHP(m, TheCharacter->baseMaxHp[m], TheCharacter->abilityBits[m]);
    if (TheGameData != nullptr)
        TheGameData->RebuildItemLists(LIST_ALL, false);
}

void ValidateEquipment()
{
    if (TheCharacter == nullptr || TheGameData == nullptr)
        return;
    GameData& data = *TheGameData;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const int categories[3] = {ITEM_CATEGORY_WEAPON + m, ITEM_CATEGORY_ARMOR + m, ITEM_CATEGORY_ACCESSORY};
        for (int kind = 0; kind < 3; ++kind) {
            std::int16_t& worn = TheCharacter->equipment[kind][m];
            const int category = categories[kind];
            if (worn < 0 || data.HeldCount(category, worn) != 0)
                continue;
            data.RebuildItemLists(category, true);
            worn = data.categoryListCount[category] > 0 ? data.categoryList[category][0] : -1;
        }
    }
}

void SetPartyFlag30Ex(std::uint32_t value, bool toggle, bool refreshIndicators, bool sound)
{
    if (TheCharacter == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    if (sound)
        PlaySoundEffect(5);
    MagicOff::Set(party.partyWordC, toggle ? !party.PartyFlag30() : (value & 1u));
    const BattleMember& third = party.members[2];
    if (party.PartyFlag30() && third.Action() == ACTION_MAGIC && !third.IsDown() &&
        !KeepMagic::IsSet(party.partyWordC) && party.Leader() != 2) {
        ResetMemberFlagsAndAction(2);
        party.SetMemberSpriteRect(2);
    }
    if (refreshIndicators)
        RebuildMemberIndicators();
}
