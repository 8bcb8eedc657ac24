// What the members' own thinking reads of an enemy: its kind's knock-back,
// guard and movement class, its velocity, the range its centre can reach on
// the field and the record flags that say whether it stands its ground.
#pragma once

#include <algorithm>

#include "core/EnemyDefs.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "enemies/EnemyServices.h"

namespace thinking {

// Record flags read by name: A may move, B moving, C guards where it stands,
// D to F the enemy is out of reach of a shot.
constexpr std::uint32_t kFlagA = FLAGS_A_MAY_MOVE;
constexpr std::uint32_t kFlagB = FLAGS_A_MOVE_RUNNING;
constexpr std::uint32_t kFlagsDEF = FLAGS_A_DEFEATED | FLAGS_A_SKIP_RECT | FLAGS_A_ESCAPED;

inline const EnemyKindDef* KindOf(int slot)
{
    return slot >= 0 && slot < ENEMY_SLOTS ? TheEnemyGroup->KindDefs[slot] : nullptr;
}
inline int KnockLength(int slot)
{
    const EnemyKindDef* kind = KindOf(slot);
    return kind != nullptr ? kind->KnockbackFrames : 0;
}
inline int MoveClass(int slot)
{
    const EnemyKindDef* kind = KindOf(slot);
    return kind != nullptr ? kind->MoveClass : 0;
}
inline bool GuardsFront(int slot)
{
    const EnemyKindDef* kind = KindOf(slot);
    return kind != nullptr && kind->GuardsFront != 0;
}
inline float VelocityX(const EnemyRecord& e)
{
    return e.PosX - e.PrevX;
}
inline float VelocityY(const EnemyRecord& e)
{
    return e.PosY - e.PrevY;
}
inline int Facing(const EnemyRecord& e)
{
    return static_cast<int>(GetBits(e.FlagsA, FLAGS_A_FACING, 2));
}
inline int KnockSideOf(const EnemyRecord& e)
{
    return static_cast<int>(GetBits(e.FlagsA, FLAGS_A_HIT_DIRECTION, 2));
}

// The range of the enemy's centre x, and of its top y, on the field.
inline float MinCentreX(const EnemyRecord& e)
{
    return FIELD_LEFT - e.OuterBox.left + e.Width / 2.0f;
}
inline float MaxCentreX(const EnemyRecord& e)
{
    return FIELD_RIGHT - 1.0f - e.OuterBox.right + e.Width / 2.0f;
}
inline float MinTopY(const EnemyRecord& e)
{
    return FIELD_TOP - e.OuterBox.top;
}
inline float MaxTopY(const EnemyRecord& e)
{
    return FIELD_BOTTOM - 1.0f - e.OuterBox.bottom;
}

// Knock-back frames the member's blow or shot gives the enemy, 0 when none
// moves it: it cannot be hurt, it guards the side hit, or it stands guard.
inline int EffectiveKnockLength(int slot, int side)
{
    const EnemyRecord* e = PresentEnemy(slot);
    if (e == nullptr || IsEnemyUnhittable(slot) || (GuardsFront(slot) && side == (Facing(*e) ^ 2)))
        return 0;
    const bool guards = (e->FlagsF & FLAGS_F_GUARDS) != 0;
    const bool a = (e->FlagsA & kFlagA) != 0;
    const bool b = (e->FlagsA & kFlagB) != 0;
    if (guards && e->State == ENEMY_NORMAL && (!a || !b))
        return 0;
    return KnockLength(slot);
}

} // namespace thinking
