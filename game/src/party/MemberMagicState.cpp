// The magic state: member 2 casts for the magic's time, then the magic takes
// effect; a magic it chose by itself is dropped once it is no longer worth it.
#include "enemies/EnemyServices.h"
#include "party/BattleButtons.h"
#include "party/Character.h"
#include "party/MagicExecution.h"
#include "party/MemberActions.h"
#include "party/PartyBattle.h"
#include "party/PartyOptions.h"
#include "party/PartyServices.h"
#include "party/ThirdMember.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kRecheckFrames = 60;
constexpr int kMagicKindWithoutPlan = 4;
constexpr std::uint8_t kNoPlannedMagic = 255;

bool KeepsMagic(const CCharacter& party, int member)
{
    return party.Leader() == member || KeepMagic::IsSet(party.partyWordC) || KeepActionsOption::IsSet(party.partyWordD);
}

// The enemies will make the magic's cost due before it ends, and it can be used.
bool StillWorthIt(int magic, int framesLeft)
{
    const int due = TheEnemyGroup != nullptr ? TheEnemyGroup->CountDueEnemyActions(MagicStock(magic), framesLeft) : 0;
    return MagicCostTable[magic] <= due && IsMagicUsable(magic, true);
}

void AfterMagic(const CCharacter& party, int member)
{
    if (party.Leader() == member)
        ChainThirdMemberAttack();
    else if (!RunThirdMemberAuto())
        ApplyMemberMoveInput(member);
}

} // namespace

void UpdateMemberMagicState(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    if (PendingOrderKind::IsSet(party.partyWordC)) {
        InterruptMemberAction(member);
        StartPendingThirdMemberOrder();
        return;
    }
    const int magic = static_cast<int>(MagicIdField::Get(record.state)) % MAGIC_COUNT;
    const int kind = MagicStock(magic);
    if (++record.actionFrame < record.magicTime) {
        if (Pushed(BUTTON_STRIKE) && !Held(BUTTON_SHIFT)) {
            InterruptMemberAction(member);
            if (kind != kMagicKindWithoutPlan)
                party.plannedMagic[kind] = kNoPlannedMagic;
            return;
        }
        if (!KeepsMagic(party, member) && record.actionFrame % kRecheckFrames == 0 &&
            !StillWorthIt(magic, record.magicTime - record.actionFrame))
            ResetMemberFlagsAndAction(member);
        return;
    }
    // A magic member 2 chose by itself is dropped unpaid once it no longer
    // passes the thinking's own usability test (a heal nobody needs any more).
    if (!KeepsMagic(party, member) && !IsMagicUsable(magic, true)) {
        ResetMemberFlagsAndAction(member);
        return;
    }
    if (ExecuteMemberMagic(magic) && party.Leader() != member)
        party.plannedMagic[kind] = kNoPlannedMagic;
    ResetMemberFlagsAndAction(member);
    AfterMagic(party, member);
}
