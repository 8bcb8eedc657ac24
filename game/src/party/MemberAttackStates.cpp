// The attack state of each member: a held button chains the next blow or
// shot once the current one has run its frames; member 2 casts its attack.
#include "media/PlaySE.h"
#include "party/AttackCosts.h"
#include "party/BattleButtons.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "party/MemberAttacks.h"
#include "party/MemberThinking.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"
#include "party/ThirdMember.h"

namespace {

constexpr int kRecheckFrames = 60;

using AttackStart = bool (*)(int member, int level, int direction);
using AutoRun = bool (*)();

bool RunMember1AutoWithShot()
{
    return RunMember1Auto(true);
}

// The next skill while its button stays held (without 10); a refusal for
// want of SP, or under skill seal or stop, says so.
void ChainSkillOrEnd(int member, AttackStart start)
{
    const CCharacter& party = *TheCharacter;
    const int facing = party.members[member].FacingDirection();
    int level = 0;
    if (Held(BUTTON_SKILL1) && !Held(BUTTON_SHIFT))
        level = 1;
    else if (Held(BUTTON_SKILL2) && !Held(BUTTON_SHIFT))
        level = 2;
    if (level == 0) {
        EndMemberAction(member);
        return;
    }
    if (start(member, level, facing))
        return;
    EndMemberAction(member);
    if (party.sp[member] < MemberAttackSpCost[member][level] || party.HasEffect(member, EFFECT_SKILL_SEAL) ||
        party.HasEffect(member, EFFECT_STOP))
        PlaySoundEffect(SE_REFUSE);
}

// Members 0 and 1: after `chainFrames` the action ends or the next one starts.
void UpdateChainedAttack(int member, int chainFrames, AttackStart start, AutoRun think)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    if (++record.actionFrame < chainFrames)
        return;
    if (party.GetBattlePhase() == BATTLE_PHASE_VICTORY) {
        EndMemberAction(member);
    } else if (party.Leader() != member) {
        EndMemberAction(member);
        if (!think())
            ApplyMemberMoveInput(member);
    } else if (Held(BUTTON_ATTACK)) {
        if (!start(member, 0, record.FacingDirection()))
            EndMemberAction(member);
    } else {
        ChainSkillOrEnd(member, start);
    }
}

// Member 2 keeps an attack it runs by itself only while it stays worth it.
bool ThirdMemberKeepsAction(const CCharacter& party, bool keepFlag)
{
    return party.Leader() == 2 || keepFlag || KeepActionsOption::IsSet(party.partyWordD);
}

} // namespace

void HandleMemberAttackState(int member)
{
    switch (member) {
    case 0:
        UpdateMember0Attack();
        break;
    case 1:
        UpdateMember1Attack();
        break;
    default:
        UpdateThirdMemberCast();
        break;
    }
}

void UpdateMember0Attack()
{
    UpdateChainedAttack(0, MEMBER0_CHAIN_FRAMES, StartMemberAttack, RunMember0Auto);
}

void UpdateMember1Attack()
{
    UpdateChainedAttack(1, MEMBER1_CHAIN_FRAMES, StartMember1Attack, RunMember1AutoWithShot);
}

void UpdateThirdMemberCast()
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[2];
    if (PendingOrderKind::IsSet(party.partyWordC)) {
        InterruptMemberAction(2);
        StartPendingThirdMemberOrder();
        return;
    }
    const int level = static_cast<int>(AttackLevel::Get(record.state)) % ATTACK_LEVEL_COUNT;
    if (++record.actionFrame < ThirdMemberCastFrames[level]) {
        if (Pushed(BUTTON_STRIKE) && !Held(BUTTON_SHIFT)) {
            InterruptMemberAction(2);
            return;
        }
        if (!ThirdMemberKeepsAction(party, KeepAttack::IsSet(party.partyWordC)) &&
            record.actionFrame % kRecheckFrames == 0 && !IsThirdMemberAttackReady(level)) {
            EndMemberAction(2);
            ThinkCounter::Clear(party.partyWordB);
        }
        return;
    }
    CompleteThirdMemberAttack(level);
    EndMemberAction(2);
    if (party.Leader() == 2)
        ChainThirdMemberAttack();
    else if (!RunThirdMemberAuto())
        ApplyMemberMoveInput(2);
}

bool ChainThirdMemberAttack()
{
    if (Held(BUTTON_SHIFT))
        return false;
    if (Held(BUTTON_ATTACK))
        return StartThirdMemberAttack(0, false, false, 0);
    if (Held(BUTTON_SKILL1))
        return StartThirdMemberAttack(1, false, false, 0);
    if (Held(BUTTON_SKILL2))
        return StartThirdMemberAttack(2, false, false, 0);
    return false;
}
