// Stand-in for the third member's own magic, attack levels and battle
// items: not built yet. Its attack start checks, pays and enters the state;
// its thinking starts nothing; each entry notes that it ran (see
// SceneTrace.h). Delete this file when the part lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"
#include "party/AttackCosts.h"
#include "party/Character.h"

inline bool ThinkThirdMember()
{
    SceneTrace::Note("ThinkThirdMember");
    return false;
}

inline bool ChooseThirdMemberMagic()
{
    SceneTrace::Note("ChooseThirdMemberMagic");
    return false;
}

inline void RefreshThirdMemberPlan()
{
    SceneTrace::Note("RefreshThirdMemberPlan");
}

inline bool StartThirdMemberAttack(int level)
{
    SceneTrace::Note("StartThirdMemberAttack", level);
    CCharacter& party = *TheCharacter;
    if (level < 0 || level >= ATTACK_LEVEL_COUNT || party.IsKnockedOut(2) ||
        party.sp[2] < MemberAttackSpCost[2][level] || (level == 0 && party.st[2] < MEMBER2_ATTACK_ST) ||
        party.HasEffect(2, EFFECT_SKILL_SEAL) || party.HasEffect(2, EFFECT_STOP))
        return false;
    BattleMember& record = party.members[2];
    ActionState::Set(record.state, ACTION_ATTACK);
    AttackLevel::Set(record.state, static_cast<std::uint32_t>(level));
    Walking::Clear(record.state);
    record.actionFrame = 0;
    record.walkFrame = 0;
    if (MemberAttackSpCost[2][level] != 0)
        SetMemberMP(2, -MemberAttackSpCost[2][level], false);
    return true;
}

inline bool IsThirdMemberAttackReady(int level)
{
    SceneTrace::Note("IsThirdMemberAttackReady", level);
    return true;
}

inline void CompleteThirdMemberAttack(int level)
{
    SceneTrace::Note("CompleteThirdMemberAttack", level);
    if (level == 0)
        SetMemberGauge(2, -MEMBER2_ATTACK_ST, true, false);
}

// The member member 2 heals when an order names none.
inline int ChooseHealTarget()
{
    SceneTrace::Note("ChooseHealTarget");
    return 0;
}

// Member 2 turns toward an enemy, or the way a magic wants.
inline void FaceEnemy(int slot)
{
    SceneTrace::Note("FaceEnemy", slot);
}
inline void FaceForMagic(int magic)
{
    SceneTrace::Note("FaceForMagic", magic);
}

inline bool UseBattleItem(int item)
{
    SceneTrace::Note("UseBattleItem", item);
    return false;
}

// Whether the support magic is still wanted (its target still lacks it).
inline bool IsSupportMagicNeeded(int magic)
{
    SceneTrace::Note("IsSupportMagicNeeded", magic);
    return true;
}
