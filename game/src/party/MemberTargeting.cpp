// Members 0 and 1 on their own: each frame they back away from a crowd, then
// re-choose a target once a second, walk to their stand-off point beside it
// once their ST is full, and act when the look-ahead allows.
#include <cmath>

#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberApproach.h"
#include "party/MemberThinking.h"
#include "party/MemberThinkingTable.h"
#include "party/PartyServices.h"

namespace {

constexpr int kRetargetCounter = 2;

int TargetOf(const BattleMember& record)
{
    return static_cast<int>(TargetEnemy::Get(record.flags));
}

bool KeepsTarget(const BattleMember& record)
{
    const EnemyRecord* target = PresentEnemy(TargetOf(record));
    return TargetChosen::IsSet(record.flags) && target != nullptr &&
           std::fabs(target->PosX - record.targetX) < MEMBER_TARGET_DRIFT &&
           std::fabs(target->PosY - record.targetY) < MEMBER_TARGET_DRIFT &&
           ApproachRetry::Get(record.flags2) < MEMBER_RETRY_DROP;
}

int PickTarget(int member, const BattleMember& record)
{
    const int current = TargetOf(record);
    const int avoided = ApproachRetry::Get(record.flags2) >= MEMBER_RETRY_DROP ? current : -1;
    if (member == 1 && GameRandom() < RANDOM_HALF && !TheCharaShot->AnyStraightShotAlive())
        return SelectAutoTargetEnemy(member, record.centerX, record.centerY, current, avoided, false);
    return FindNearestEnemy(member, record.centerX, record.centerY, avoided, false);
}

// Member 0 (1) acts once its ST is full again and at least this high.
int ActionSt(int member)
{
    return member == 0 ? MEMBER0_AUTO_ST : MEMBER1_AUTO_ST;
}

bool ReadyToAct(int member)
{
    const CCharacter& party = *TheCharacter;
    return StFullSinceAction::IsSet(party.members[member].flags2) && party.st[member] >= ActionSt(member);
}

bool RunMemberAuto(int member, bool mayFireAtOnce)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    if (party.st[member] == party.maxSt[member])
        StFullSinceAction::Set(record.flags2, 1);
    if (member == 1 && Member1HoldsFire::IsSet(party.partyWordE))
        return false;
    switch (CheckMemberCrowding(member)) {
    case 1:
        return false;
    case 2:
        return true;
    default:
        break;
    }
    if (member == 1 && mayFireAtOnce && PresentEnemy(TargetOf(record)) != nullptr && ReadyToAct(1) &&
        ChooseMember1Attack())
        return true;
    TickMemberRetarget(member);
    float tx = 0.0f, ty = 0.0f;
    if (GetEnemyCentre(TargetOf(record), tx, ty) && PresentEnemy(TargetOf(record)) != nullptr && ReadyToAct(member)) {
        StepMemberApproach(member, record.centerX, record.centerY, tx, ty);
        StopAtFieldEdge(member);
        FaceMovementSide(member);
        return member == 0 ? ChooseMember0Attack() : ChooseMember1Attack();
    }
    TakeMemberPushStep(member);
    return false;
}

} // namespace

bool RunMember0Auto()
{
    return RunMemberAuto(0, false);
}

bool RunMember1Auto(bool mayFireAtOnce)
{
    return RunMemberAuto(1, mayFireAtOnce);
}

void TickMemberRetarget(int member)
{
    std::uint8_t& timer = TheCharacter->members[member].moveCounters[kRetargetCounter];
    if (timer == 0)
        ChooseMemberTarget(member);
    if (++timer >= MEMBER_RETARGET_PERIOD)
        timer = 0;
}

void ChooseMemberTarget(int member)
{
    BattleMember& record = TheCharacter->members[member];
    if (KeepsTarget(record)) {
        if (member == 1)
            EstimateTargetKnockback();
        return;
    }
    const int slot = PickTarget(member, record);
    TargetEnemy::Set(record.flags, static_cast<std::uint32_t>(slot));
    const EnemyRecord* target = PresentEnemy(slot);
    if (target == nullptr)
        return;
    record.targetX = target->PosX;
    record.targetY = target->PosY;
    const float dx = std::fabs(target->CenterX - record.centerX);
    const float dy = std::fabs(target->CenterY - record.centerY);
    SetApproachAxis(member, dy < dx, record.centerX, record.centerY, target->CenterX, target->CenterY);
    if (member != 2)
        SetStandOffMargins(member, slot);
    if (member == 1)
        EstimateTargetKnockback();
    TargetChosen::Set(record.flags, 1);
    ClearApproachRetry(member);
}
