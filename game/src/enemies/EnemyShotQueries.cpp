// What a shot's hit amounts to: its power, the ailments it gives, whether
// the party may pass through it; and the field clamp of the volleys.
#include <algorithm>

#include "core/GameConstants.h"
#include "core/Random.h"
#include "enemies/EnemyShot.h"
#include "party/PartyServices.h"

namespace {

constexpr float kAttackUpFactors[4] = {1.2f, 1.5f, 2.0f, 4.0f};
constexpr int kLastSingleKind = 14;
constexpr int kFirstMaskKind = 15;
constexpr int kLastKind = 30;
constexpr int kLastAilmentBit = 18;

// Kinds 15-30: their fixed masks (with `all` for the kinds that otherwise pick one).
constexpr std::uint32_t kKindMasks[16] = {4128,   192,  2304,   262656, 69632, 16896, 66560, 94688,
                                          491488, 8320, 491488, 524256, 16640, 6144,  8736,  12288};

bool Roll(int rate)
{
    return GameRandom() < rate * 327670 / 100;
}

// Kinds that, without `all`, give exactly one ailment of theirs.
std::uint32_t PickOne(int kind)
{
    switch (kind) {
    case 22: {
        constexpr std::uint32_t kChoices[8] = {32, 64, 128, 256, 4096, 8192, 16384, 65536};
        return kChoices[GameRandom() * 8 >> 15];
    }
    case 25: {
        int bit = FIRST_AILMENT_EFFECT + (GameRandom() * 13 >> 15);
        if (bit >= 15)
            ++bit;
        return 1u << bit;
    }
    case 26:
        return 1u << (FIRST_AILMENT_EFFECT + (GameRandom() * 14 >> 15));
    case 29: {
        constexpr std::uint32_t kChoices[3] = {32, 512, 8192};
        return kChoices[GameRandom() * 3 >> 15];
    }
    default:
        return 0;
    }
}

} // namespace

float GetEffectiveShotPower(const EnemyShotNode& node)
{
    float power = node.Power;
    if (eshot::AttackUp::IsSet(node.BitsC))
        power *= kAttackUpFactors[eshot::AttackUpLevel::Get(node.BitsC)];
    if (eshot::Weak90::IsSet(node.BitsD))
        power *= 0.9000001f;
    if (eshot::Weak85::IsSet(node.BitsD))
        power *= 0.85f;
    if (eshot::Weak75::IsSet(node.BitsD))
        power *= 0.75f;
    return power;
}

std::uint32_t GetShotKindMask(int kind, int rate, bool all)
{
    if (kind <= 0 || kind > kLastKind)
        return 0;
    if (kind <= kLastSingleKind)
        return Roll(rate) ? 1u << (kind + 4) : 0u;
    if (!all) {
        if (const std::uint32_t one = PickOne(kind); one != 0)
            return Roll(rate) ? one : 0u;
    }
    std::uint32_t mask = kKindMasks[kind - kFirstMaskKind];
    if (all)
        return mask;
    for (int bit = 0; bit <= kLastAilmentBit; ++bit)
        if ((mask >> bit) & 1u)
            if (!Roll(rate))
                mask &= ~(1u << bit);
    return mask;
}

bool ShotIgnoresTouch(const EnemyShotNode& node)
{
    if (node.Age < 1 || node.VelX != 0.0f || node.VelY != 0.0f)
        return true;
    switch (eshot::Motion::Get(node.BitsA)) {
    case 0:
    case 1:
    case 3:
    case 4:
    case 5:
    case 6:
    case 8:
    case 10:
    case 11:
    case 13:
    case 15:
        return false;
    default:
        return true;
    }
}

void ClampToBattleField(float& x, float& y)
{
    if (y < FIELD_TOP)
        y = FIELD_TOP;
    else if (y + ENEMY_SHOT_SIZE > FIELD_BOTTOM - 1.0f)
        y = FIELD_BOTTOM - 1.0f - ENEMY_SHOT_SIZE;
    if (x < FIELD_LEFT)
        x = FIELD_LEFT;
    else if (x + ENEMY_SHOT_SIZE > FIELD_RIGHT - 1.0f)
        x = FIELD_RIGHT - 1.0f - ENEMY_SHOT_SIZE;
}
