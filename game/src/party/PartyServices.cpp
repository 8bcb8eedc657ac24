// The party services the game-data record, the save files and the use rules
// call, until the party itself is built.
#include "party/Character.h"

#include "record/Pipkorn.h"

CCharacter::CCharacter()
    : battlePhase(0), quickSlots{}, hp{}, baseMaxHp{}, maxHp{}, abilityBits{}, hpPercent{}, members{},
      curableMask(0x7FFE0), money(0), statsA{}, level{}, exp{}, sp{}, maxSp{}, st{}, maxSt{}, stock{},
      stockRegenFrame{}, stockRegenSpeed{}, equipment{}, memberOptions{}, learned{}, autoMagicAllowed{}, partyWordB(0),
      partyWordC((3u << 10) | (5u << 14)), partyWordD((4u << 14) | (5u << 18))
{
    quickSlots[0][0] = {3, 1};
    quickSlots[0][1] = {3, 2};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        level[m] = 1;
        hp[m] = 1;
        baseMaxHp[m] = 1;
        maxHp[m] = 1;
        memberOptions[m][0] = 1;
        equipment[EQUIP_ACCESSORY][m] = -1;
    }
}

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

void SetMoney(std::int64_t value, bool set)
{
    if (TheCharacter == nullptr)
        return;
    std::int64_t money = set ? value : static_cast<std::int64_t>(TheCharacter->money) + value;
    if (money < 0)
        money = 0;
    if (money > PARTY_MAX_MONEY)
        money = PARTY_MAX_MONEY;
    TheCharacter->money = static_cast<std::uint32_t>(money);
}

void InitPartyNewGame()
{
    if (TheCharacter == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    party = CCharacter();
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

bool ValidMember(int member)
{
    return TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT;
}

std::int64_t Clamp(std::int64_t value, std::int64_t highest)
{
    return value < 0 ? 0 : value > highest ? highest : value;
}

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

void SetMemberHP(int member, std::int32_t value, bool set)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    party.hp[member] =
        static_cast<std::int32_t>(Clamp(set ? value : std::int64_t{party.hp[member]} + value, party.maxHp[member]));
    party.hpPercent[member] = Percent(party.hp[member], party.maxHp[member]);
}

void SetMemberMP(int member, std::int32_t value, bool set)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    // The party keeps SP in 16 bits.
    const auto sum = static_cast<std::int16_t>(set ? value : party.sp[member] + value);
    party.sp[member] = static_cast<std::int16_t>(Clamp(sum, party.maxSp[member]));
}

void SetPartyStock(int kind, std::int32_t value, bool set)
{
    if (TheCharacter == nullptr || kind < 0 || kind >= STOCK_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    const auto sum = static_cast<std::int16_t>(set ? value : party.stock[kind] + value);
    party.stock[kind] = static_cast<std::int16_t>(Clamp(sum, party.stockMax[kind]));
}

void SetMemberMaxHP(int member, std::int32_t value, std::uint32_t abilityBits)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    party.baseMaxHp[member] = value;
    std::int64_t scaled = value;
    const bool raise = (abilityBits & (1u << 25)) != 0;
    const bool lower = (abilityBits & (1u << 26)) != 0;
    if (raise && !lower)
        scaled = static_cast<std::int64_t>(static_cast<float>(value) * 1.25f);
    else if (lower && !raise)
        scaled = static_cast<std::int64_t>(static_cast<float>(value) * 0.8f);
    party.maxHp[member] = static_cast<std::int32_t>(Clamp(scaled, PARTY_MAX_HP));
    if (party.maxHp[member] < party.hp[member])
        SetMemberHP(member, party.maxHp[member], true);
    party.hpPercent[member] = Percent(party.hp[member], party.maxHp[member]);
}

void SetMemberSlotA(int member, int index, int value, bool /*refresh*/)
{
    if (ValidMember(member) && index >= 0 && index < 4)
        TheCharacter->statsA[member][index] = static_cast<std::int16_t>(value);
}

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
