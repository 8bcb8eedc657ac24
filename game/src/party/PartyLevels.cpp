// Level-ups and experience.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "media/PlaySE.h"
#include "party/Character.h"
#include "party/Equipment.h"
#include "party/PartyOptions.h"
#include "party/PartyStats.h"

namespace {

constexpr int kSeLevelUp = 30;
constexpr std::int32_t kMaxHpGrowth[PARTY_MEMBER_COUNT] = {20, 16, 12};
constexpr std::int64_t kExpFieldMax = 32767;

bool ValidMember(int member)
{
    return TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT;
}

void GrowBaseStats(CCharacter& party, int member, int oldLevel)
{
    for (int stat = 0; stat < 4; ++stat) {
        const int g = MEMBER_STAT_TABLE[member][stat];
        const int growth = oldLevel * g / 10 - (oldLevel - 1) * g / 10;
        SetMemberSlotA(member, stat, std::min(party.statsA[member][stat] + growth, PARTY_MAX_STAT), false);
    }
}

void Refill(CCharacter& party, int member)
{
    SetMemberHP(member, party.maxHp[member], true);
    KnockedOut::Clear(party.members[member].state);
    SetMemberMP(member, party.maxSp[member], true);
    SetMemberGauge(member, party.maxSt[member] - party.st[member], true, false);
}

} // namespace

void LevelUpMember(int member)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    const int oldLevel = party.level[member];
    if (oldLevel >= PARTY_MAX_LEVEL)
        return;
    PlaySoundEffect(kSeLevelUp);
    party.level[member] = static_cast<std::int16_t>(oldLevel + 1);
    if (TheBattleBackground != nullptr)
        TheBattleBackground->SetHudLevel(member, party.level[member]);
    SetMemberMaxHP(member, std::min(party.baseMaxHp[member] + kMaxHpGrowth[member], PARTY_MAX_HP),
                   party.abilityBits[member]);
    GrowBaseStats(party, member, oldLevel);
    // Re-equipping fills ST without a mark; the level-up's own refill is the
    // one that flashes the gauge as full, so it starts from the ST before.
    const std::int16_t stBefore = party.st[member];
    SetMemberEquipAndRefresh(member);
    party.st[member] = std::min(stBefore, party.maxSt[member]);
    Refill(party, member);
    // Member 2 also refreshes its magic data.
    if (member == 2)
        RefreshMagicUsable();
    GainLearningPoint();
}

void AddMemberExp(int member, std::int32_t value, bool absolute)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    std::int64_t exp = party.exp[member];
    if (absolute)
        exp = value;
    else if (party.level[member] < PARTY_MAX_LEVEL)
        exp += value;
    while (exp >= EXP_PER_LEVEL && party.level[member] < PARTY_MAX_LEVEL) {
        LevelUpMember(member);
        exp -= EXP_PER_LEVEL;
        if (party.level[member] >= PARTY_MAX_LEVEL)
            exp = 0;
    }
    // The field holds 16 bits: what does not fit is cut before it is stored.
    party.exp[member] = static_cast<std::int16_t>(std::clamp<std::int64_t>(exp, 0, kExpFieldMax));
    if (TheBattleBackground != nullptr)
        TheBattleBackground->SetHudExp(member, party.exp[member]);
}
