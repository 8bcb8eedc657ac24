// Using an item or a magic outside battle: what it does to the party, and
// when it does nothing (and so is not spent).
#include "party/PartyServices.h"
#include "record/Pipkorn.h"
#include "media/PlaySE.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kHealSound = 8;  // after an HP or SP effect
constexpr int kOtherSound = 7; // after the others
constexpr std::int32_t kFullHeal = PARTY_MAX_HP;
constexpr std::int32_t kFullSp = 255;

bool IsMember(int member)
{
    return member >= 0 && member < PARTY_MEMBER_COUNT;
}

bool FullHp(int member)
{
    return TheCharacter->hp[member] >= TheCharacter->maxHp[member];
}

bool FullSp(int member)
{
    return TheCharacter->sp[member] >= TheCharacter->maxSp[member];
}

std::int32_t HealAmount(int member, int percent)
{
    return TheCharacter->maxHp[member] * percent / 100;
}

// One member by `percent` of its maximum HP; false when it is at full HP.
bool HealOne(int member, int percent)
{
    if (!IsMember(member) || FullHp(member))
        return false;
    SetMemberHP(member, HealAmount(member, percent), false);
    return true;
}

// Every member; false when even the most hurt one is at full HP.
bool HealAll(int percent)
{
    if (FullHp(PickLowestHPMember()))
        return false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        SetMemberHP(m, HealAmount(m, percent), false);
    return true;
}

bool RestoreSpOne(int member, int amount)
{
    if (!IsMember(member) || FullSp(member))
        return false;
    SetMemberMP(member, amount, false);
    return true;
}

bool RestoreSpAll(int amount)
{
    if (FullSp(PickLowestMPMember()))
        return false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        SetMemberMP(m, amount, false);
    return true;
}

// Whom a full restore goes to when the item chooses.
int PickFullRestoreMember()
{
    const int leader = TheCharacter->Leader();
    if (TheCharacter->HealsLeaderFirst() && IsMember(leader) && (!FullHp(leader) || !FullSp(leader)))
        return leader;
    const int lowestHp = PickLowestHPMember();
    return FullHp(lowestHp) ? PickLowestMPMember() : lowestHp;
}

bool RestoreFully(int member)
{
    if (!IsMember(member) || (FullHp(member) && FullSp(member)))
        return false;
    SetMemberHP(member, kFullHeal, false);
    SetMemberMP(member, kFullSp, false);
    return true;
}

bool RestoreAllFully()
{
    if (FullHp(PickLowestHPMember()) && FullSp(PickLowestMPMember()))
        return false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SetMemberHP(m, kFullHeal, false);
        SetMemberMP(m, kFullSp, false);
    }
    return true;
}

bool RaiseMaxHp(int member)
{
    if (!IsMember(member) || TheCharacter->baseMaxHp[member] >= PARTY_MAX_HP)
        return false;
    const std::int32_t raised = TheCharacter->baseMaxHp[member] + 10;
    SetMemberMaxHP(member, raised < PARTY_MAX_HP ? raised : PARTY_MAX_HP, TheCharacter->abilityBits[member]);
    return true;
}

bool RaiseStat(int member, int stat)
{
    if (!IsMember(member) || TheCharacter->statsA[member][stat] >= GROWTH_STAT_CAP)
        return false;
    SetMemberSlotA(member, stat, TheCharacter->statsA[member][stat] + 1, true);
    return true;
}

} // namespace

bool GameData::UseFieldItem(int item, int member, bool autoTarget, bool throughList)
{
    if (TheCharacter == nullptr || item < 0 || item >= FIELD_ITEM_LIMIT || heldItems[item] < 1)
        return false;
    const int lowestHp = autoTarget ? PickLowestHPMember() : member;
    const int lowestSp = autoTarget ? PickLowestMPMember() : member;
    bool used = false;
    int sound = kHealSound;
    switch (item) {
    case 0:
    case 1:
    case 5:
    case 6:
    case 7:
    case 14:
    case 16:
    case 18:
    case 20:
    case 40:
    case 45:
        used = HealOne(lowestHp, GetItemHealPercent(item));
        break;
    case 2:
    case 42:
    case 47:
        used = HealAll(GetItemHealPercent(item));
        break;
    case 8:
    case 9:
    case 19:
    case 41:
    case 46:
        used = RestoreSpOne(lowestSp, GetItemMpRestoreAmount(item));
        break;
    case 10:
    case 43:
    case 44:
        used = RestoreSpAll(GetItemMpRestoreAmount(item));
        break;
    case 11:
        used = RestoreFully(autoTarget ? PickFullRestoreMember() : member);
        break;
    case 12:
        used = RestoreAllFully();
        break;
    case 35:
        used = RaiseMaxHp(member);
        sound = kOtherSound;
        break;
    case 36:
    case 37:
    case 38:
    case 39:
        used = RaiseStat(member, item - 36);
        sound = kOtherSound;
        break;
    default:
        if (item >= FIRST_STOCK_ITEM && item <= DRAIN_STOCK_ITEM) {
            used = ApplyRestoreItem(item, false);
            sound = -1; // the stock item has played its own
        }
        break;
    }
    if (!used)
        return false;
    if (sound >= 0)
        PlaySoundEffect(sound);
    if (throughList)
        RemoveItem(ITEM_CATEGORY_ITEM, item, 1);
    else
        --heldItems[item];
    return true;
}

bool GameData::ApplyRestoreItem(int item, bool inBattle)
{
    if (TheCharacter == nullptr || item < FIRST_STOCK_ITEM || item > DRAIN_STOCK_ITEM)
        return false;
    CCharacter& party = *TheCharacter;
    if (item < DRAIN_STOCK_ITEM) {
        const int kind = (item - FIRST_STOCK_ITEM) % STOCK_COUNT;
        if (party.stock[kind] >= party.stockMax[kind])
            return false;
        SetPartyStock(kind, item < FIRST_STOCK_ITEM + STOCK_COUNT ? 50 : 100, false);
    } else {
        if (!inBattle && MapRefillsStocks())
            return false;
        bool anyStock = false;
        for (int k = 0; k < STOCK_COUNT; ++k)
            anyStock = anyStock || party.stock[k] != 0;
        if (!anyStock)
            return false;
        for (int k = 0; k < STOCK_COUNT; ++k)
            SetPartyStock(k, -100, false);
    }
    PlaySoundEffect(kOtherSound);
    return true;
}

bool GameData::UseFieldMagic(int magic, int member, bool autoTarget)
{
    if (TheCharacter == nullptr || magic < 0 || magic >= MAGIC_COUNT || TheCharacter->learned[magic] == 0)
        return false;
    const int stock = MagicStock(magic);
    const int cost = MagicCostTable[magic];
    if (TheCharacter->stock[stock] < cost)
        return false;
    const int target = autoTarget ? PickLowestHPMember() : member;
    bool used = false;
    switch (magic) {
    case 16:
        used = HealOne(target, 80);
        break;
    case 19:
        used = HealOne(target, 75);
        break;
    case 18:
        used = HealAll(60);
        break;
    default:
        break;
    }
    if (!used)
        return false;
    SetPartyStock(stock, -cost, false);
    PlaySoundEffect(kHealSound);
    return true;
}
