// The damage of the three kinds of hit: a party shot on an enemy, an enemy's
// body on a member and an enemy shot on a member. Products are taken in
// single precision and truncated, and every formula shares one random factor.
#include <algorithm>
#include <cstdint>

#include "battle/BattleTouch.h"
#include "battle/TouchRoles.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr int kDefenceStat = 2;
constexpr int kMagicDefenceStat = 3;
constexpr int kPiercingCode = 19;
constexpr int kPiercingChance = 1638;
constexpr std::int32_t kPiercingFixedDamage = 150;
constexpr int kEvadeChance = 1638;
constexpr int kOneDamageAttackKind = 5;

// 0.9375 to 1.0623779, from one draw.
float RandomFactor()
{
    return 0.9375f + static_cast<float>(GameRandom() >> 5) * (1.0f / 8192.0f);
}

std::int32_t Scaled(std::int32_t base, float rate, float factor)
{
    const auto first = static_cast<std::int32_t>(static_cast<float>(base) * rate * factor);
    const auto damage = static_cast<std::int32_t>(static_cast<float>(first) * RandomFactor());
    return damage == 0 && base >= 1 ? 1 : damage;
}

std::int32_t SignedPower(std::uint32_t raw21)
{
    return (raw21 & (1u << 20)) != 0 ? static_cast<std::int32_t>(raw21) - (1 << 21) : static_cast<std::int32_t>(raw21);
}

bool Evades(int member)
{
    return ((TheCharacter->abilityBits[member] >> ABILITY_EVADE) & 1u) != 0 && GameRandom() < kEvadeChance;
}

// A member's defence against a hit, skipped under the pierce status.
std::int32_t LessDefence(int member, std::int32_t base, bool magical)
{
    const CCharacter& party = *TheCharacter;
    if (!party.HasEffect(member, EFFECT_PIERCE))
        base -= party.statsB[member][magical ? kMagicDefenceStat : kDefenceStat];
    return std::max(base, 0);
}

void EndBarrier(StatusEffectBlock& block)
{
    RemoveStatusEffect(block, EFFECT_PROTECTION);
    block.effectBits &= ~(1u << EFFECT_PROTECTION);
}

} // namespace

std::int32_t CBattleTouch::CalcShotDamageToEnemy(int enemy, const CharaShotNode& shot)
{
    EnemyRecord& r = TheEnemyGroup->Records[enemy];
    const bool magical = ShotMagical::IsSet(shot.specialBits);
    std::int32_t damage = 0;
    if (EnemyHasStatus(r, EFFECT_FRAGILE) && !magical) {
        damage = r.Hp;
    } else {
        const float a = TheCharaShot->GetCharaShotDamage(shot);
        const float b = TheEnemyGroup->GetEnemyDamageRate(enemy, shot.Kind() == SHOT_MAGIC,
                                                          static_cast<int>(ShotElement::Get(shot.shotBits)));
        const int owner = static_cast<int>(ShotOwner::Get(shot.shotBits));
        std::int32_t p = SignedPower(ShotPower::Get(shot.powerBits));
        const bool oneDamage = KindOfSlot(enemy) != nullptr && KindOfSlot(enemy)->OneDamage != 0;
        if (oneDamage) {
            p = 1;
        } else {
            const bool pierced =
                EnemyHasStatus(r, EFFECT_PIERCE) ||
                (ShotSpecialCode::Get(shot.specialBits) == kPiercingCode && GameRandom() < kPiercingChance);
            if (FixedDamageMode())
                p = pierced ? kPiercingFixedDamage : r.FixedDamage[owner];
            else if (!pierced)
                p -= magical ? r.DefenceB : r.Defence;
            p = std::max(p, 0);
        }
        const auto first = static_cast<std::int32_t>(static_cast<float>(p) * a * b);
        damage = static_cast<std::int32_t>(static_cast<float>(first) * RandomFactor());
        if (damage == 0 && p >= 1 && !oneDamage)
            damage = 1;
    }
    if (EnemyHasStatus(r, EFFECT_PROTECTION) && damage >= 1 && shot.Kind() != SHOT_ATTACHED) {
        const auto charge = ProtectionCharge::Get(r.Status.boostLevels);
        ProtectionCharge::Set(r.Status.boostLevels, charge > 0 ? charge - 1 : 0);
        damage = 0;
        if (ProtectionCharge::Get(r.Status.boostLevels) == 0)
            EndBarrier(r.Status);
    }
    return damage;
}

std::int32_t CBattleTouch::CalcContactDamageToMember(int enemy, int member, float power)
{
    const CCharacter& party = *TheCharacter;
    std::int32_t damage = 0;
    if (party.HasEffect(member, EFFECT_FRAGILE)) {
        damage = party.hp[member];
    } else {
        const float a = TheEnemyGroup->GetEnemyAttackRate(enemy) * power;
        const float f = GetMemberDamageFactor(member, false, 0);
        std::int32_t base = TheEnemyGroup->Records[enemy].Attack;
        base = FixedDamageMode() ? ScaleMemberMaxHp(member, 0) : LessDefence(member, base, false);
        damage = Scaled(base, a, f);
    }
    return Evades(member) ? 0 : damage;
}

std::int32_t CBattleTouch::CalcEnemyShotDamageToMember(const EnemyShotNode& shot, int member)
{
    CCharacter& party = *TheCharacter;
    const bool magical = eshot::Magic::IsSet(shot.BitsD);
    const int attackKind = static_cast<int>(eshot::Element::Get(shot.BitsA));
    if (magical && attackKind == kOneDamageAttackKind)
        return 1;
    const float a = GetEffectiveShotPower(shot);
    const float f = GetMemberDamageFactor(member, magical, attackKind);
    std::int32_t damage = 0;
    if (party.HasEffect(member, EFFECT_FRAGILE) && !magical) {
        damage = party.hp[member];
    } else {
        std::int32_t p = shot.Attack();
        p = FixedDamageMode() ? ScaleMemberMaxHp(member, magical ? 1 : 0) : LessDefence(member, p, magical);
        damage = Scaled(p, a, f);
    }
    const int owner = static_cast<int>(eshot::OwnerSlot::Get(shot.BitsB));
    if (magical && EnemyHitsSurely(owner))
        return damage;
    if (Evades(member))
        damage = 0;
    BattleMember& m = party.members[member];
    if (m.HasEffect(EFFECT_PROTECTION) && damage >= 1) {
        if (EnemyPiercesBarrier(owner)) {
            ProtectionCharge::Set(m.boostLevels, 0);
            damage = std::max(damage / 4, 1);
        } else {
            const auto charge = ProtectionCharge::Get(m.boostLevels);
            ProtectionCharge::Set(m.boostLevels, charge > 0 ? charge - 1 : 0);
            damage = 0;
        }
        if (ProtectionCharge::Get(m.boostLevels) == 0)
            EndBarrier(m);
    }
    return damage;
}
