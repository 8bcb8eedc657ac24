// Stand-in for the members' attack, strike and magic starts: not built yet.
// The starts check what they need, pay it and enter their action state; no
// shots fly and no magic takes effect, and each notes that it ran (see
// SceneTrace.h). Delete this file when the part lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"
#include "party/AttackCosts.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "record/UseRuleTables.h"

namespace memberattacks_standin {

inline void EnterAction(int member, std::uint32_t action, int level, int direction)
{
    BattleMember& record = TheCharacter->members[member];
    ActionState::Set(record.state, action);
    AttackLevel::Set(record.state, static_cast<std::uint32_t>(level));
    FacingField::Set(record.state, static_cast<std::uint32_t>(direction));
    Walking::Clear(record.state);
    record.actionFrame = 0;
    record.walkFrame = 0;
    record.stRegenWait = 0;
    record.flags &= ~kApproachFlagBits;
    record.flags2 &= ~kApproachFlag2Bits;
}

inline bool StartLevelledAttack(int member, int level, int direction, int stNeeded)
{
    CCharacter& party = *TheCharacter;
    const int cost = MemberAttackSpCost[member][level];
    if (party.st[member] < stNeeded || party.sp[member] < cost)
        return false;
    if (level > 0 && (party.HasEffect(member, EFFECT_SKILL_SEAL) || party.HasEffect(member, EFFECT_STOP)))
        return false;
    EnterAction(member, ACTION_ATTACK, level, direction);
    if (cost != 0)
        SetMemberMP(member, -cost, false);
    return true;
}

} // namespace memberattacks_standin

inline bool StartMemberAttack(int member, int level, int direction)
{
    SceneTrace::Note("StartMemberAttack", level);
    return memberattacks_standin::StartLevelledAttack(member, level, direction, MEMBER0_ATTACK_ST);
}

inline bool StartMember1Attack(int member, int level, int direction)
{
    SceneTrace::Note("StartMember1Attack", level);
    if (!memberattacks_standin::StartLevelledAttack(member, level, direction, MEMBER1_ATTACK_ST))
        return false;
    SetMemberGauge(member, -MEMBER1_ATTACK_ST, true, false);
    return true;
}

inline bool StartMemberStrike(int member)
{
    SceneTrace::Note("StartMemberStrike", member);
    CCharacter& party = *TheCharacter;
    if (party.st[member] < STRIKE_ST || party.HasEffect(member, EFFECT_SKILL_SEAL) ||
        party.HasEffect(member, EFFECT_BIND) || party.HasEffect(member, EFFECT_STOP))
        return false;
    memberattacks_standin::EnterAction(member, ACTION_STRIKE, 0, party.members[member].FacingDirection());
    SetMemberGauge(member, -STRIKE_ST, true, false);
    return true;
}

// The strike's two halves of 64 frames, without the move across the field.
inline void UpdateMemberStrike(int member)
{
    BattleMember& record = TheCharacter->members[member];
    if (++record.actionFrame >= 128)
        EndMemberAction(member);
}

inline bool StartMemberMagic(int member, int magic, bool byOrder, int, int, int)
{
    SceneTrace::Note("StartMemberMagic", magic);
    CCharacter& party = *TheCharacter;
    if (magic < 0 || magic >= MAGIC_COUNT || party.HasEffect(member, EFFECT_MAGIC_SEAL) ||
        party.HasEffect(member, EFFECT_STOP))
        return false;
    BattleMember& record = party.members[member];
    memberattacks_standin::EnterAction(member, ACTION_MAGIC, 0, record.FacingDirection());
    MagicIdField::Set(record.state, static_cast<std::uint32_t>(magic));
    record.magicTime = MagicChargeBonusTable[magic];
    if (QuickMagic::IsSet(record.flags2)) {
        QuickMagic::Clear(record.flags2);
        record.magicTime = record.magicTime < 48 ? record.magicTime : 48;
    }
    KeepMagic::Set(party.partyWordC, byOrder || party.Leader() == member ? 1u : 0u);
    return true;
}

inline bool ExecuteMemberMagic(int magic)
{
    SceneTrace::Note("ExecuteMemberMagic", magic);
    if (magic < 0 || magic >= MAGIC_COUNT || TheCharacter->stock[MagicStock(magic)] < MagicCostTable[magic])
        return false;
    SetPartyStock(MagicStock(magic), -MagicCostTable[magic], false);
    return true;
}
