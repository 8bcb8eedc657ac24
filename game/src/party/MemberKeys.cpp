// The free state and the leader's keys: the leader starts actions with its
// buttons; the others think for themselves.
#include "media/PlaySE.h"
#include "party/AttackCosts.h"
#include "party/BattleButtons.h"
#include "party/BattleOutcome.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "party/MemberAttacks.h"
#include "party/MemberThinking.h"
#include "party/PartyBattle.h"
#include "party/ThirdMember.h"

namespace {

constexpr int kOrderMagic = 1;
constexpr int kOrderAttack = 4;

using AttackStart = bool (*)(int member, int level, int direction);

bool RunMemberKeys(int member)
{
    switch (member) {
    case 0:
        return HandleMember0Keys();
    case 1:
        return HandleMember1Keys();
    default:
        return HandleMember2Keys();
    }
}

// A skill refused for want of SP, or under skill seal or stop, says so; a
// refusal for want of ST is silent.
void RefuseSkill(int member, int level)
{
    const CCharacter& party = *TheCharacter;
    if (party.sp[member] < MemberAttackSpCost[member][level] || party.HasEffect(member, EFFECT_SKILL_SEAL) ||
        party.HasEffect(member, EFFECT_STOP))
        PlaySoundEffect(SE_REFUSE);
}

// The keys of member 0 or 1 as leader: button 0 the plain attack, 4 and 5
// (without 10) the skills.
bool HandleAttackKeys(int member, AttackStart start)
{
    BattleMember& record = TheCharacter->members[member];
    const int facing = record.FacingDirection();
    if (Pushed(BUTTON_ATTACK)) {
        if (start(member, 0, facing))
            return true;
    } else if (Pushed(BUTTON_SKILL1) && !Held(BUTTON_SHIFT)) {
        if (start(member, 1, facing))
            return true;
        RefuseSkill(member, 1);
    } else if (Pushed(BUTTON_SKILL2) && !Held(BUTTON_SHIFT)) {
        if (start(member, 2, facing))
            return true;
        RefuseSkill(member, 2);
    }
    record.moveBits = HeldDirections();
    return false;
}

} // namespace

void HandleMemberFreeState(int member)
{
    if (TheCharacter->HasEffect(member, EFFECT_STOP) || !RunMemberKeys(member))
        ApplyMemberMoveInput(member);
}

bool HandleMember0Keys()
{
    if (TheCharacter->Leader() != 0)
        return RunMember0Auto();
    return HandleAttackKeys(0, StartMemberAttack);
}

bool HandleMember1Keys()
{
    if (TheCharacter->Leader() != 1)
        return RunMember1Auto(false);
    return HandleAttackKeys(1, StartMember1Attack);
}

bool StartPendingThirdMemberOrder()
{
    const CCharacter& party = *TheCharacter;
    const int id = static_cast<int>(PendingOrderId::Get(party.partyWordD));
    switch (PendingOrderKind::Get(party.partyWordC)) {
    case kOrderMagic:
        return StartMemberMagic(2, id, true, 0, 0, -1);
    case kOrderAttack:
        return StartThirdMemberAttack(id, false, false, 0);
    default:
        return false;
    }
}

bool HandleMember2Keys()
{
    CCharacter& party = *TheCharacter;
    if (OpeningOrderKind::IsSet(party.partyWordE) && RunQueuedThirdMemberOrder())
        return true;
    if (PendingOrderKind::IsSet(party.partyWordC))
        return StartPendingThirdMemberOrder();
    if (party.Leader() != 2)
        return RunThirdMemberAuto();
    const bool shift = Held(BUTTON_SHIFT);
    if (Pushed(BUTTON_ATTACK)) {
        if (shift ? ChooseThirdMemberMagic() : StartThirdMemberAttack(0, false, false, 0))
            return true;
    } else if (Pushed(BUTTON_STRIKE) && !shift) {
        if (StartMemberStrike(2))
            return true;
        if (party.HasEffect(2, EFFECT_SKILL_SEAL) || party.HasEffect(2, EFFECT_BIND) || party.HasEffect(2, EFFECT_STOP))
            PlaySoundEffect(SE_REFUSE);
    } else if (Pushed(BUTTON_SKILL1) && !shift) {
        if (StartThirdMemberAttack(1, false, false, 0))
            return true;
        RefuseSkill(2, 1);
    } else if (Pushed(BUTTON_SKILL2) && !shift) {
        if (StartThirdMemberAttack(2, false, false, 0))
            return true;
        RefuseSkill(2, 2);
    }
    party.members[2].moveBits = HeldDirections();
    return false;
}
