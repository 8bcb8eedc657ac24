// The end of an action and the reset of the thinking that chose it.
#include "party/Character.h"
#include "party/MemberActions.h"

namespace {

constexpr std::uint8_t kNoPlannedMagic = 255;

void ClearThinking(BattleMember& record)
{
    for (auto& counter : record.moveCounters)
        counter = 0;
    record.flags &= ~kApproachFlagBits;
    record.flags2 &= ~kApproachFlag2Bits;
}

} // namespace

void EndMemberAction(int member)
{
    BattleMember& record = TheCharacter->members[member];
    ActionState::Set(record.state, ACTION_FREE);
    Walking::Clear(record.state);
    record.walkFrame = 0;
    ClearThinking(record);
}

void ResetMemberThinking(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    ClearThinking(record);
    StFullSinceAction::Clear(record.flags2);
    if (member != 2)
        return;
    ThinkCounter::Set(party.partyWordB, 59);
    PlanCounter::Clear(party.partyWordB);
    for (auto& planned : party.plannedMagic)
        planned = kNoPlannedMagic;
}
