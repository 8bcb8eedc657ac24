// A member crowded by enemies backs away from them, or strikes the one that
// blocks its way out; after a while without contact it walks in again.
#include <cmath>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "enemies/EnemyServices.h"
#include "party/Character.h"
#include "party/MemberApproach.h"
#include "party/MemberAttacks.h"
#include "party/MemberThinking.h"
#include "party/MemberThinkingTable.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"

namespace {

enum Counter { kStep = 0, kGiveUp = 1, kRetarget = 2 };
enum EscapeResult { kNoWayOut = 0, kFreeWay = 1, kBlockedLeft = 2, kBlockedDown = 5 };
enum Crowding { kFree = 0, kBusy = 1, kAttacked = 2 };

bool Crowded(int member, float marginX)
{
    return TheBattleTouch->IsMemberNearEnemy(member, marginX, MemberCrowdMarginY(member));
}

void StartCrowdEscape(BattleMember& record)
{
    CrowdEscape::Set(record.flags, 1);
    record.moveCounters[kGiveUp] = 0;
}

void EnterCrowdMode(BattleMember& record)
{
    CrowdMode::Set(record.flags, 1);
    CrowdEscape::Clear(record.flags);
    TargetChosen::Clear(record.flags);
    ApproachRetry::Clear(record.flags2);
    for (auto& counter : record.moveCounters)
        counter = 0;
    record.escapeAngle = 0.0f;
}

// The velocity along the free heading: the dominant axis at full speed.
// The game's rule for headings: h moves a point by (sin h, cos h), 0 straight
// down and pi/2 right, so the sine is the sideways part and the cosine the
// vertical one.
void SetEscapeVelocity(BattleMember& record, float angle, float speed)
{
    const float across = std::sin(angle);
    const float down = std::cos(angle);
    if (std::fabs(across) > std::fabs(down)) {
        record.escapeVelX = std::copysign(speed, across);
        record.escapeVelY = record.escapeVelX / across * down;
    } else {
        record.escapeVelY = std::copysign(speed, down);
        record.escapeVelX = record.escapeVelY / down * across;
    }
}

bool StrikeBlocker(int member, int side)
{
    if (member == 0)
        return StartMemberAttack(0, 0, side);
    if (member == 1)
        return StartMember1Attack(1, 0, side);
    return false;
}

// A new heading every period; false with crowd escape begun when there is none.
// `attacked` tells that the member struck its way free instead.
bool AimEscape(int member, bool reTest, bool& attacked)
{
    BattleMember& record = TheCharacter->members[member];
    if (reTest && !Crowded(member, MEMBER_CROWD_RETEST_X[member])) {
        StartCrowdEscape(record);
        return false;
    }
    record.escapeVelX = record.escapeVelY = 0.0f;
    float angle = 0.0f;
    const int way = TheBattleTouch->FindMemberEscapeDirection(member, MEMBER_ESCAPE_RADIUS[member], angle);
    if (way == kFreeWay) {
        record.escapeAngle = angle;
        SetEscapeVelocity(record, angle, GetMemberWalkSpeed(member));
        return true;
    }
    if (way >= kBlockedLeft && way <= kBlockedDown && StrikeBlocker(member, way - kBlockedLeft)) {
        record.velX = record.velY = 0.0f;
        attacked = true;
        return false;
    }
    StartCrowdEscape(record);
    return false;
}

bool MayMove(const BattleMember& record)
{
    return !Invincible::IsSet(record.state) && !record.HasEffect(EFFECT_HARDENING);
}

// One frame of backing away; true when the member attacked instead.
bool EscapeStep(int member, bool reTest)
{
    BattleMember& record = TheCharacter->members[member];
    if (record.moveCounters[kStep] == 0) {
        bool attacked = false;
        if (!AimEscape(member, reTest, attacked))
            return attacked;
    }
    if (++record.moveCounters[kStep] >= MEMBER_ESCAPE_PERIOD[member])
        record.moveCounters[kStep] = 0;
    record.velX = record.escapeVelX;
    record.velY = record.escapeVelY;
    if (MayMove(record) &&
        TheBattleTouch->IsMemberNearEnemyEx(record.x + record.velX, record.y + record.velY, 0.0f, 0.0f, -1, true) &&
        !TheBattleTouch->IsMemberNearEnemyEx(record.x, record.y, 0.0f, 0.0f, -1, true))
        record.velX = record.velY = 0.0f;
    return false;
}

int EnterAndEscape(int member)
{
    EnterCrowdMode(TheCharacter->members[member]);
    return EscapeStep(member, false) ? kAttacked : kBusy;
}

} // namespace

// The push of the frame when a member keeps away: from the enemies' field shot, else from the pull.
void TakeMemberPushStep(int member)
{
    if (TheCharacter->fieldShotActive != 0)
        SetMemberPushFromHit(member);
    else if (TheEnemyGroup != nullptr && TheEnemyGroup->pullFlag != 0)
        SetMemberPushFromShove(member);
}

int CheckMemberCrowding(int member)
{
    BattleMember& record = TheCharacter->members[member];
    if (!CrowdMode::IsSet(record.flags))
        return Crowded(member, MemberCrowdMarginX(member)) ? EnterAndEscape(member) : kFree;
    if (!CrowdEscape::IsSet(record.flags))
        return EscapeStep(member, true) ? kAttacked : kBusy;
    if (Crowded(member, MemberCrowdMarginX(member)))
        return EnterAndEscape(member);
    if (++record.moveCounters[kGiveUp] >= MEMBER_CROWD_GIVE_UP[member]) {
        CrowdMode::Clear(record.flags);
        CrowdEscape::Clear(record.flags);
        return kFree;
    }
    TakeMemberPushStep(member);
    return kBusy;
}
