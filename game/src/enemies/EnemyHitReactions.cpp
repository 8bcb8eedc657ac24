// What a party hit starts: a flinch, or a knock-back that pushes the enemy
// along the hit's direction by the push table and may turn it at the end.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyBehaviour.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr int kPushFrames = 20;
constexpr int kLongKnockbackFrames = 30;
constexpr int kUnpushableAttackKind = 32;
constexpr std::uint32_t kAttackKindMask = 0x3F;
constexpr std::uint32_t kAttackFlag64 = 64;
constexpr int kAttackClassShift = 10;
constexpr int kExemptAttackClass = 5;
constexpr int kBreakableActionType = 39;

// Pixels a frame by hit strength and knock-back frame.
constexpr std::uint8_t kPushTable[4][kPushFrames] = {
    {4, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
    {6, 6, 5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1, 1, 0},
    {12, 12, 11, 11, 11, 10, 10, 10, 9, 9, 9, 9, 8, 7, 6, 4, 2, 1, 1, 0},
    {20, 20, 19, 19, 18, 18, 17, 17, 16, 15, 14, 13, 12, 11, 9, 7, 5, 3, 1, 0},
};

int Opposite(int direction)
{
    return direction ^ 2;
}

void DropCirclesAndPopups(int slot)
{
    if (TheMagicCircle != nullptr)
        TheMagicCircle->KillMagicCircles(0, slot);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->FlushDamagePopups(false, slot);
}

} // namespace

void CEnemyGroup::StartEnemyFlinch(int slot)
{
    EnemyRecord& r = Records[slot];
    if (CannotBeHurtNow(*this, slot))
        return;
    if (r.State == ENEMY_FLINCH) {
        r.FlinchTimer = 0;
        return;
    }
    if (KindDefs[slot]->FlinchFrames == 0)
        return;
    DropCirclesAndPopups(slot);
    r.FlinchTimer = 0;
    r.FlinchFrames = static_cast<std::int16_t>(KindDefs[slot]->FlinchFrames);
    r.State = ENEMY_FLINCH;
    r.Alpha = 255;
}

void CEnemyGroup::StartEnemyKnockback(int slot, int attackWord23, int attackWord21, int direction, int strength)
{
    EnemyRecord& r = Records[slot];
    const EnemyKindDef& def = *KindDefs[slot];
    const auto word23 = static_cast<std::uint32_t>(attackWord23);
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    direction &= 3;
    strength = std::clamp(strength, 0, 3);
    if (CannotBeHurtNow(*this, slot) || r.Status.HasEffect(EFFECT_STOP) ||
        (word23 & kAttackKindMask) == kUnpushableAttackKind)
        return;
    if (def.GuardsFront && direction == Opposite(facing) && (GameRandom() >> 13) != 0)
        return;
    if ((r.FlagsF & FLAGS_F_GUARDS) && r.State == ENEMY_NORMAL &&
        !((r.FlagsA & FLAGS_A_MAY_MOVE) && (r.FlagsA & FLAGS_A_MOVE_RUNNING)))
        return;
    if ((r.FlagsF & FLAGS_F_ONE_KNOCKBACK) && r.State == ENEMY_KNOCKBACK && strength == 0)
        return;
    if ((r.FlagsF & FLAGS_F_CLASS_5_ONLY) && (word23 & kAttackFlag64) &&
        GetBits(static_cast<std::uint32_t>(attackWord21), kAttackClassShift, 3) != kExemptAttackClass)
        return;
    const KindKnockHit hit{word23, static_cast<std::uint32_t>(attackWord21), r.State, strength};
    if (r.FlagsF & FLAGS_F_KIND_HIT_REACTION)
        RunKindHitReaction(*this, slot, hit);
    if (r.State == ENEMY_NORMAL) {
        const bool moving = (r.FlagsA & FLAGS_A_MOVE_RUNNING) != 0;
        r.FlagsE = moving ? r.FlagsE | FLAGS_E_MOVE_INTERRUPTED : r.FlagsE & ~FLAGS_E_MOVE_INTERRUPTED;
        if ((r.FlagsA & FLAGS_A_ACTION_RUNNING) && (r.FlagsC & FLAGS_C_ACTING) && r.ActionType == kBreakableActionType)
            ReturnDrainedStock(*this, slot);
    }
    r.State = ENEMY_KNOCKBACK;
    r.KnockbackTimer = 0;
    r.KnockbackFrames = static_cast<std::int16_t>(def.KnockbackFrames);
    SetBits(r.FlagsA, FLAGS_A_HIT_DIRECTION, 2, static_cast<std::uint32_t>(direction));
    r.Alpha = 255;
    ++r.KnockbackCount;
    if (strength != 0 && def.KnockbackMode != 2)
        r.KnockbackFrames = std::max<std::int16_t>(r.KnockbackFrames, kPushFrames);
    if (def.LongFacingKnockback && direction == facing)
        r.KnockbackFrames = kLongKnockbackFrames;
    if (r.FlagsF & FLAGS_F_STRONG_HITS)
        strength = std::max(strength, 2);
    SetBits(r.FlagsB, FLAGS_B_HIT_STRENGTH, 2, static_cast<std::uint32_t>(strength));
    DropCirclesAndPopups(slot);
    if (def.KnockbackCounter && strength == 0 && !r.Status.HasEffect(EFFECT_SKILL_SEAL))
        ReactEnemyKindToKnockback(*this, slot, hit);
    if ((r.FlagsE & FLAGS_E_KIND_KNOCK_REACTION) || (r.FlagsF & (FLAGS_F_KIND_REACTION_A | FLAGS_F_KIND_REACTION_B)) ||
        (r.FlagsG & FLAGS_G_KIND_REACTION))
        RunKindKnockReactions(*this, slot, hit);
    UpdateSpriteFrame(slot);
}

// A push along the hit's direction while the table has one for this frame.
void CEnemyGroup::PushKnockback(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyKindDef& def = *KindDefs[slot];
    const int strength = static_cast<int>(GetBits(r.FlagsB, FLAGS_B_HIT_STRENGTH, 2));
    if (r.KnockbackTimer >= kPushFrames || def.KnockbackMode == 2)
        return;
    if (def.KnockbackMode == 1 && strength == 0 && !r.Status.HasEffect(EFFECT_SLIP))
        return;
    if (r.KnockbackTimer + 1 >= r.KnockbackFrames)
        return;
    const int direction = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_HIT_DIRECTION, 2));
    const float push = kPushTable[strength][r.KnockbackTimer] * (direction == 0 || direction == 1 ? -1.0f : 1.0f);
    if (direction == 0 || direction == 2)
        r.MoveX = push;
    else
        r.MoveY = push;
    if (r.KnockbackTimer == 0 && r.Status.HasEffect(EFFECT_SLIP)) {
        r.InertiaX = r.MoveX;
        r.InertiaY = r.MoveY;
    }
}

void CEnemyGroup::EndKnockback(int slot)
{
    EnemyRecord& r = Records[slot];
    r.FlagsE |= FLAGS_E_KNOCKBACK_ENDED;
    r.KnockbackEndFrame = FrameCounter;
    StopAction(slot);
    if (!((r.FlagsE & FLAGS_E_MOVE_INTERRUPTED) && ResumesMoveAfterKnockback(*this, slot))) {
        StopMove(slot);
        if (GameRandom() < KindDefs[slot]->TurnChance * 327670 / 100) {
            const int direction = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_HIT_DIRECTION, 2));
            SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(Opposite(direction)));
        }
    }
    r.State = ENEMY_NORMAL;
}
