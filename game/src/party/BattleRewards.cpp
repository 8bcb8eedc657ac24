// The battle's experience shared out among the members standing, the money,
// their texts in the result window, and both poured in step by step.
#include <algorithm>

#include "party/BattleOutcome.h"
#include "party/Character.h"
#include "party/PartyServices.h"
#include "party/PartyStats.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kExpTextWidth = 4;
constexpr std::uint32_t kAbilityMoreExp = 1u << 23;
constexpr std::int64_t kGapRuleFrom = 150;

int DecimalDigits(std::int64_t value)
{
    int digits = 1;
    for (std::int64_t limit = 10; value >= limit && digits < 10; limit *= 10)
        ++digits;
    return digits;
}

void UpdateExpText(int member)
{
    CCharacter& party = *TheCharacter;
    const std::int32_t value = party.pendingExp[member];
    FormatNumberRight(party.expText[member], value, DecimalDigits(value), kExpTextWidth);
}

void UpdateMoneyText()
{
    CCharacter& party = *TheCharacter;
    const int width = std::min(static_cast<int>(MoneyTextWidth::Get(party.partyWordE)), MONEY_TEXT_WIDTH_MAX);
    FormatNumberRight(party.moneyText, party.pendingMoney, DecimalDigits(party.pendingMoney), width);
}

std::int64_t ExpKey(const CCharacter& party, int m)
{
    return std::int64_t{party.level[m]} * EXP_PER_LEVEL + party.exp[m];
}

// Part of the highest member's share goes to the lowest member when their
// levels lie far apart.
void NarrowTheGap(const CCharacter& party, std::int64_t share[PARTY_MEMBER_COUNT])
{
    int low = -1;
    int high = -1;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (party.IsKnockedOut(m))
            continue;
        if (low < 0 || ExpKey(party, m) < ExpKey(party, low))
            low = m;
        if (high < 0 || ExpKey(party, m) > ExpKey(party, high))
            high = m;
    }
    if (low < 0 || high == low)
        return;
    const std::int64_t gap = ExpKey(party, high) - ExpKey(party, low);
    if (gap < kGapRuleFrom || (share[high] >= GetExpRoom(high) && party.level[high] != PARTY_MAX_LEVEL))
        return;
    std::int64_t moved = gap / 100 >= 6 ? gap / 100 : 5;
    moved = std::min(moved, share[high] / 2);
    if (share[low] + moved > REWARD_EXP_MAX)
        moved = REWARD_EXP_MAX - share[low];
    moved = std::max<std::int64_t>(moved, 0);
    share[high] -= moved;
    share[low] += moved;
}

} // namespace

void DistributeBattleRewards(std::uint32_t exp)
{
    CCharacter& party = *TheCharacter;
    std::int64_t share[PARTY_MEMBER_COUNT] = {};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        std::fill(std::begin(party.expText[m]), std::end(party.expText[m]), u'\0');
        if (party.IsKnockedOut(m))
            continue;
        share[m] = (party.abilityBits[m] & kAbilityMoreExp) != 0 ? static_cast<std::int64_t>(exp * 1.1) : exp;
    }
    NarrowTheGap(party, share);
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const std::int64_t given = std::min<std::int64_t>(share[m], GetExpRoom(m));
        party.pendingExp[m] = static_cast<std::int32_t>(std::clamp<std::int64_t>(given, 0, REWARD_EXP_MAX));
        party.shownExp[m] = party.pendingExp[m];
        UpdateExpText(m);
    }
}

void SetBattleMoneyReward(std::uint32_t amount, std::int8_t width)
{
    CCharacter& party = *TheCharacter;
    party.pendingMoney = static_cast<std::int32_t>(std::min<std::uint32_t>(amount, PARTY_MAX_MONEY));
    party.shownMoney = party.pendingMoney;
    MoneyTextWidth::Set(party.partyWordE, static_cast<std::uint32_t>(std::clamp<int>(width, 0, MONEY_TEXT_WIDTH_MAX)));
    UpdateMoneyText();
}

void GiveExpToMember(std::uint32_t member, std::int32_t step)
{
    if (member >= PARTY_MEMBER_COUNT || step <= 0)
        return;
    CCharacter& party = *TheCharacter;
    const std::int32_t given = std::min(party.pendingExp[member], step);
    if (given <= 0)
        return;
    AddMemberExp(static_cast<int>(member), given, false);
    party.pendingExp[member] -= given;
    UpdateExpText(static_cast<int>(member));
}

void GiveMoneyReward(std::uint32_t step)
{
    CCharacter& party = *TheCharacter;
    const std::int32_t given =
        static_cast<std::int32_t>(std::min<std::int64_t>(std::max(party.pendingMoney, 0), std::int64_t{step}));
    if (given == 0)
        return;
    SetMoney(given, false);
    party.pendingMoney -= given;
    UpdateMoneyText();
}

std::int32_t GetExpRoom(int member)
{
    const CCharacter& party = *TheCharacter;
    if (party.level[member] >= PARTY_MAX_LEVEL)
        return 0;
    return (PARTY_MAX_LEVEL - 1 - party.level[member]) * EXP_PER_LEVEL + (EXP_PER_LEVEL - party.exp[member]);
}

std::int32_t GetMaxStatOfAlive()
{
    std::int32_t most = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (!TheCharacter->IsKnockedOut(m))
            most = std::max(most, GetExpRoom(m));
    return most;
}

std::int32_t GetMaxAliveLevel()
{
    std::int32_t highest = 1;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (!TheCharacter->IsKnockedOut(m))
            highest = std::max<std::int32_t>(highest, TheCharacter->level[m]);
    return highest;
}

bool HasMemberAbility(std::uint32_t mask)
{
    for (const std::uint32_t bits : TheCharacter->abilityBits)
        if ((bits & mask) != 0)
            return true;
    return false;
}

bool IsPartyActionable()
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (!TheCharacter->IsKnockedOut(m) && !TheCharacter->HasEffect(m, EFFECT_BIND) &&
            !TheCharacter->HasEffect(m, EFFECT_STOP))
            return true;
    return false;
}
