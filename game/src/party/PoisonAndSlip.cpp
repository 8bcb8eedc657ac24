// Poison's damage every five seconds and the slip's inertia.
#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/Random.h"
#include "party/PartyServices.h"
#include "party/StatusEffects.h"

namespace {

constexpr int kPoisonPercent = 4;
constexpr int kWeakenedPoisonPercent = 10;

// The damage formulas' spread: 0.9375 plus up to about 1/16.
double DamageSpread()
{
    return 0.9375 + static_cast<double>(GameRandom() >> 5) * 0.00012207031;
}

} // namespace

void TickPoisonDamage(int member)
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    PoisonTicks::Set(record.effectState, PoisonTicks::Get(record.effectState) + 1);
    if (PoisonTicks::Get(record.effectState) < POISON_PERIOD)
        return;
    PoisonTicks::Clear(record.effectState);
    const std::int32_t hp = party.hp[member];
    if (hp <= 1)
        return;
    const int percent = record.HasEffect(EFFECT_WEAKNESS) ? kWeakenedPoisonPercent : kPoisonPercent;
    const std::int32_t base = party.maxHp[member] * percent / 100;
    const auto damage = std::clamp(static_cast<std::int32_t>(base * DamageSpread()), 1, hp - 1);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(true, member, POPUP_DAMAGE, false, damage);
    SetMemberHP(member, -damage, false);
}

float EaseValue(float current, float target)
{
    if (current == target)
        return current;
    float next = current + target / 128.0f;
    if (next >= 0.0f && next > target)
        next = std::max(next - std::ceil(next) / 64.0f, target);
    else if (next < 0.0f && next < target)
        next = std::min(next - std::floor(next) / 64.0f, target);
    return next;
}

void EaseMemberVector(StatusEffectBlock& block, float& velX, float& velY)
{
    block.slideX = EaseValue(block.slideX, velX);
    block.slideY = EaseValue(block.slideY, velY);
    velX = block.slideX;
    velY = block.slideY;
}

void EaseVectorPair(const float pair[2], float& x, float& y)
{
    x = EaseValue(pair[0], x);
    y = EaseValue(pair[1], y);
}
