// Battle items: who an item goes to, what it does, whether it is used up,
// and the cooldown that keeps the next item back for the item's seconds.
#include <algorithm>

#include "core/GameDataTables.h"
#include "core/Random.h"
#include "party/Character.h"
#include "party/MemberAttacks.h"
#include "party/PartyBattleHelpers.h"
#include "party/PartyQueries.h"
#include "party/PartyRecovery.h"
#include "party/PartyServices.h"
#include "party/StatusEffects.h"
#include "party/ThirdMember.h"
#include "platform/LittleEndian.h"
#include "record/Pipkorn.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kEndlessItem = 21;
constexpr int kFramesPerSecond = 60;
constexpr int kCooldownWord = 13;
constexpr int kWholePercent = 100;
constexpr int kWholeSp = 255;
constexpr int kRevivePercent = 35;
constexpr int kRandomReviveBase = 20;
constexpr int kRandomReviveSpread = 81;

const CCharacter& Party()
{
    return *TheCharacter;
}

bool Up(int member)
{
    return !Party().IsKnockedOut(member);
}

bool Hurt(int member)
{
    const CCharacter& party = Party();
    return party.maxHp[member] > 0 && party.hp[member] < party.maxHp[member];
}

bool Ailing(int member)
{
    return Up(member) && (Party().members[member].effectBits & AILMENT_EFFECT_BITS) != 0;
}

bool SpLacking(int member)
{
    return Party().sp[member] < Party().maxSp[member];
}

bool StLacking(int member)
{
    return Party().st[member] < Party().maxSt[member];
}

bool NeedsRestore(int member)
{
    return !Up(member) || Hurt(member) || Ailing(member) || SpLacking(member) || StLacking(member);
}

int FirstWhere(bool (*test)(int))
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (test(m))
            return m;
    return -1;
}

bool Down(int member)
{
    return !Up(member);
}

bool IsReviveItem(int item)
{
    return item == 6 || item == 7 || item == 16 || item == 11 || item == 12 || item == 13 || item == kEndlessItem;
}

// The leader when the party heals it first and it is up and needs the item.
bool LeaderFirst(bool (*needs)(int))
{
    const int leader = Party().Leader();
    return Party().HealsLeaderFirst() && Up(leader) && needs(leader);
}

bool HurtOrAiling(int member)
{
    return Hurt(member) || Ailing(member);
}

int AutoTarget(int item)
{
    const int leader = Party().Leader();
    switch (item) {
    case 3:
    case 15:
        return FirstWhere(Ailing);
    case 5:
    case 18:
        if (LeaderFirst(HurtOrAiling))
            return leader;
        return FirstWhere(Ailing) >= 0 ? FirstWhere(Ailing) : ChooseHealTarget();
    case 6:
    case 7:
    case 16:
        if (Down(leader))
            return leader;
        return FirstWhere(Down) >= 0 ? FirstWhere(Down) : ChooseHealTarget();
    case 8:
    case 9:
    case 19:
        return ChooseLowestSpMember();
    case 11:
    case 12: {
        if (LeaderFirst(NeedsRestore))
            return leader;
        for (bool (*needs)(int) : {Down, Ailing})
            if (FirstWhere(needs) >= 0)
                return FirstWhere(needs);
        if (Hurt(ChooseHealTarget()))
            return ChooseHealTarget();
        if (SpLacking(ChooseLowestSpMember()))
            return ChooseLowestSpMember();
        return ChooseLowestStMember();
    }
    case 13:
        return FirstWhere(Down);
    default:
        return ChooseHealTarget();
    }
}

void GiveRandomAilment(int member)
{
    const int effect = FIRST_AILMENT_EFFECT + (GameRandom() * AILMENT_COUNT >> 15);
    CCharacter& party = *TheCharacter;
    ApplyHitStatusEffects(party.members[member], EFFECT_SIDE_PARTY, member, effect, 0);
}

bool HealPercent(int item, int target, bool revive)
{
    if (!Hurt(target) && Up(target))
        return false;
    HealMemberPercent(target, GetItemHealPercent(item), revive, true);
    return true;
}

bool ApplyTo(int item, int target)
{
    switch (item) {
    case 0:
    case 1:
    case 14:
    case 20:
        return HealPercent(item, target, false);
    case 2:
        if (!Hurt(target))
            return false;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (Up(m))
                HealMemberPercent(m, kWholePercent, false, true);
        return true;
    case 3:
    case 15:
        if (!Ailing(target))
            return false;
        CureMemberAilments(target);
        return true;
    case 4:
    case 17:
        if (FirstWhere(Ailing) < 0)
            return false;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            CureMemberAilments(m);
        return true;
    case 5:
    case 18:
        if (!HurtOrAiling(target))
            return false;
        // Heal, then cure: a member at full HP still sees its heal of 0.
        HealMemberPercent(target, GetItemHealPercent(item), false, true);
        if (Up(target))
            CureMemberAilments(target);
        return true;
    case 6:
    case 7:
    case 16:
        return HealPercent(item, target, true);
    case 8:
    case 9:
    case 19:
        if (!SpLacking(target))
            return false;
        HealMemberMP(target, static_cast<std::uint32_t>(GetItemMpRestoreAmount(item)), true, true);
        return true;
    case 10:
        if (!SpLacking(target))
            return false;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            HealMemberMP(m, kWholeSp, true, true);
        return true;
    case 11:
        if (!NeedsRestore(target))
            return false;
        RestoreMemberFully(target);
        return true;
    case 12:
        if (FirstWhere(NeedsRestore) < 0)
            return false;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            RestoreMemberFully(m);
        return true;
    case 13:
        if (Up(target))
            return false;
        HealMemberPercent(target, kRandomReviveBase + (GameRandom() * kRandomReviveSpread >> 15), true, true);
        if (Up(target))
            GiveRandomAilment(target);
        return true;
    case kEndlessItem:
        if (FirstWhere(Down) < 0)
            return false;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (Down(m))
                HealMemberPercent(m, kRevivePercent, true, true);
        return true;
    default:
        return TheGameData != nullptr && TheGameData->ApplyRestoreItem(item, true);
    }
}

// The item's cooldown in seconds: the low byte of its row's last word.
int CooldownSeconds(int item)
{
    if (ItemTable == nullptr)
        return 0;
    const unsigned char* row = ItemTable + static_cast<std::size_t>(item) * ITEM_ROW_SIZE;
    return static_cast<int>(plat::LoadLe32(row + 4 * kCooldownWord) & 0xFFu);
}

} // namespace

bool ApplyBattleItem(int item, int member, bool autoTarget)
{
    if (item < 0 || item > BATTLE_ITEM_LAST || FirstWhere(Up) < 0)
        return false;
    int target = member;
    if (autoTarget || item == 2 || item == 10)
        target = item == 10 ? ChooseLowestSpMember() : AutoTarget(item);
    if (target < 0 || target >= PARTY_MEMBER_COUNT)
        return false;
    if (!IsReviveItem(item) && Down(target)) {
        target = FindOtherAliveMember(target);
        if (target < 0 || Down(target))
            return false;
    }
    return ApplyTo(item, target);
}

bool UseBattleItem(int item, int member, bool autoTarget)
{
    if (item < 0 || item > BATTLE_ITEM_LAST || TheGameData == nullptr || TheGameData->heldItems[item] <= 0)
        return false;
    CCharacter& party = *TheCharacter;
    const bool limited = ItemUsesLimited::IsSet(party.partyWordD);
    if (limited && ItemUsesLeft::Get(party.partyWordD) == 0)
        return false;
    if (!ApplyBattleItem(item, member, autoTarget))
        return false;
    if (item != kEndlessItem)
        TheGameData->RemoveItem(ITEM_CATEGORY_ITEM, item, 1);
    if (limited)
        SetBattleItemCounter(-1, false);
    const int seconds = CooldownSeconds(item);
    if (seconds > 0) {
        ItemCooldownRunning::Set(party.partyWordB, 1);
        party.itemCooldownFrame = 0;
        party.itemCooldownLength = static_cast<std::int16_t>(seconds * kFramesPerSecond);
    }
    return true;
}

void TickItemCooldown()
{
    CCharacter& party = *TheCharacter;
    if (!ItemCooldownRunning::IsSet(party.partyWordB) || ++party.itemCooldownFrame < party.itemCooldownLength)
        return;
    ItemCooldownRunning::Clear(party.partyWordB);
    ItemReadyShown::Set(party.partyWordC, 1);
    ItemReadyCounter::Clear(party.partyWordC);
}

int GetTimerSeconds()
{
    const CCharacter& party = Party();
    const int left = std::max(party.itemCooldownLength - party.itemCooldownFrame, 0);
    return std::clamp((left + kFramesPerSecond - 1) / kFramesPerSecond, 1, 255);
}
