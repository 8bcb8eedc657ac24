// The party services the game-data record and the save files call, until the
// party itself is built.
#include "Character.h"

#include "Pipkorn.h"

CCharacter::CCharacter()
    : battlePhase(0), quickSlots{}, hp{}, baseMaxHp{}, curableMask(0x7FFE0),
      money(0), statsA{}, level{}, exp{}, sp{}, stock{}, equipment{}, memberOptions{}, learned{}, autoMagicAllowed{},
      partyWordC((3u << 10) | (5u << 14)), partyWordD(4u << 14)
{
    quickSlots[0][0] = {3, 1};
    quickSlots[0][1] = {3, 2};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        level[m] = 1;
        hp[m] = 1;
        baseMaxHp[m] = 1;
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
        party.hp[m] = 100;
        party.sp[m] = 20;
        party.equipment[EQUIP_WEAPON][m] = 0;
        party.equipment[EQUIP_ARMOR][m] = 0;
        for (int s = 0; s < 4; ++s)
            party.statsA[m][s] = 10;
    }
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
