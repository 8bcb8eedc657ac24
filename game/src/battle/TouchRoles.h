// The enemy and member flags the contact tests read, by their role.
#pragma once

#include <cstdint>

#include "core/Parts.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

constexpr int ABILITY_EVADE = 16;
constexpr int ENEMY_GRACE_BITS = 7;

inline bool EnemyIsDefeated(const EnemyRecord& r)
{
    return (r.FlagsA & FLAGS_A_DEFEATED) != 0;
}
// Fading in, or not yet on the field.
inline bool EnemyIsAppearing(const EnemyRecord& r)
{
    return r.State == ENEMY_APPEARING || (r.KindWord & KIND_WORD_NOT_PRESENT) != 0;
}
// Passing through by its action or by its movement.
inline bool EnemyIsIntangible(const EnemyRecord& r)
{
    return (r.FlagsA & FLAGS_A_SKIP_RECT) != 0 || (r.KindWord & KIND_WORD_SKIP_RECT) != 0;
}
inline bool EnemyMayOverlapParty(const EnemyRecord& r)
{
    return (r.KindWord & KIND_WORD_GRACE) != 0;
}
inline bool EnemyHasNoContact(const EnemyRecord& r)
{
    return (r.FlagsE & FLAGS_E_NO_CONTACT) != 0;
}
inline int EnemyAppearGrace(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsB, FLAGS_B_GRACE_COUNT, ENEMY_GRACE_BITS));
}
inline int EnemyFacing(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}
inline bool EnemyHasStatus(const EnemyRecord& r, int effect)
{
    return r.Status.HasEffect(effect);
}

// The kind of a slot; null when none was made there.
inline const EnemyKindDef* KindOfSlot(int slot)
{
    return TheEnemyGroup->KindDefs[slot];
}
inline bool EnemyHasBodyCollision(int slot)
{
    return KindOfSlot(slot) != nullptr && KindOfSlot(slot)->NoBodyCollision == 0;
}

inline bool MemberIsInvincible(const BattleMember& m)
{
    return Invincible::IsSet(m.state);
}
inline bool MemberJustRevived(const BattleMember& m)
{
    return JustRevived::IsSet(m.state);
}
