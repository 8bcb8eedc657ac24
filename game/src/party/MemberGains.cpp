// What hits do to a member's numbers: SP for hitting, HP drained from an
// enemy, and the factor of the damage the member takes.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "party/Character.h"
#include "party/PartyServices.h"

namespace {

constexpr std::int16_t kSpPerHit[PARTY_MEMBER_COUNT] = {2, 2, 1};
constexpr float kElementFactor[8] = {0.4f, 0.55f, 0.75f, 1.0f, 1.5f, 2.0f, 2.5f, 3.5f};
constexpr float kDefenceUpFactor[4] = {0.8333334f, 0.6666667f, 0.5f, 0.25f};
constexpr float kAbilityDownFactor = 1.3333334f;
constexpr int kAbilityHalveSometimes = 15;
constexpr int kAbilityDoubleSometimes = 18;
constexpr int kHalveChance = 3276;  // 10 % of 32768
constexpr int kDoubleChance = 8192; // 25 %

bool FixedDamageMode()
{
    return TheBattleTouch != nullptr && (TheBattleTouch->flags & 1u) != 0;
}

} // namespace

void DrainHealMember(int member, int enemy, std::int32_t amount, bool popup)
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    if (TheEnemyGroup != nullptr && enemy >= 0 && enemy < ENEMY_SLOTS)
        amount = std::min(amount, TheEnemyGroup->Records[enemy].Hp);
    std::int32_t heal = amount;
    if (FixedDamageMode()) {
        const double share = static_cast<double>(party.maxHp[member]) * (static_cast<double>(amount) / 1000.0);
        // fixedDamageMode: a share of MaxHP, larger for the frailer members.
        heal = std::max(static_cast<std::int32_t>(share / party.drainRatio[member]), 1);
    }
    heal = std::max(0, std::min(heal, party.maxHp[member] - party.hp[member]));
    SetMemberHP(member, heal, false);
    if (popup && TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(true, member, POPUP_HEAL, false, heal);
}

void AddMemberMPCapped(int member)
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    const int missing = party.maxSp[member] - party.sp[member];
    if (missing > 0)
        SetMemberMP(member, std::min<int>(kSpPerHit[member], missing), false);
}

float GetMemberDamageFactor(int member, bool useElement, int element)
{
    const CCharacter& party = *TheCharacter;
    const BattleMember& record = party.members[member];
    float factor = 1.0f;
    if (useElement && element >= 0 && element < 4)
        factor = kElementFactor[party.elementLevel[member][element] & 7];
    if (record.HasEffect(EFFECT_DEFENCE_UP))
        factor *= kDefenceUpFactor[DefenceUpLevel::Get(record.boostLevels)];
    if (record.HasEffect(EFFECT_ABILITY_DOWN))
        factor *= kAbilityDownFactor;
    const std::uint32_t abilities = party.abilityBits[member];
    if (((abilities >> kAbilityHalveSometimes) & 1u) != 0 && GameRandom() < kHalveChance)
        factor *= 0.5f;
    if (((abilities >> kAbilityDoubleSometimes) & 1u) != 0 && GameRandom() < kDoubleChance)
        factor *= 2.0f;
    return factor;
}
