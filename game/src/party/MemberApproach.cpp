// A member's walk towards the stand-off point beside its target: one axis
// first, around standing obstacles, pausing before moving ones, and after
// three fruitless tries in a frame the target is given up.
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "enemies/EnemyServices.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberApproach.h"
#include "party/MemberThinking.h"
#include "party/MemberThinkingTable.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"

namespace {

constexpr float kNoMove = 1.0f / 1024.0f;
constexpr float kCellSize = 32.0f;
constexpr float kRightMost = FIELD_RIGHT - 1.0f - kCellSize;
constexpr float kBottomMost = FIELD_BOTTOM - 1.0f - kCellSize;
enum Side { kLeft = 0, kUp = 1, kRight = 2, kDown = 3 };

// The step along one axis that brings the distance to the target to its margin.
float AxisStep(float own, float target, float lowMargin, float highMargin, float speed)
{
    const float d = target - own;
    float step = 0.0f;
    if (d > 0.0f) {
        if (d > highMargin)
            step = std::fmin(speed, d - highMargin);
        else if (highMargin > d)
            step = -std::fmin(speed, highMargin - d);
    } else {
        if (-d > lowMargin)
            step = -std::fmin(speed, -d - lowMargin);
        else if (lowMargin > -d)
            step = std::fmin(speed, lowMargin + d);
    }
    return std::fabs(step) <= kNoMove ? 0.0f : step;
}

int Blocked(int member, float dx, float dy)
{
    const BattleMember& record = TheCharacter->members[member];
    return TheBattleTouch->IsMemberNearEnemyEx(record.x + dx, record.y + dy, MemberCrowdMarginX(member),
                                               MemberCrowdMarginY(member),
                                               static_cast<int>(TargetEnemy::Get(record.flags)), false);
}

// One try of the step; true when it settled the frame (a pause began).
bool TryStep(int member, float ownX, float ownY, float targetX, float targetY)
{
    BattleMember& record = TheCharacter->members[member];
    const float speed = GetMemberWalkSpeed(member);
    const bool horizontal = HorizontalApproach::IsSet(record.flags);
    float& along = horizontal ? record.velX : record.velY;
    float& across = horizontal ? record.velY : record.velX;
    along = horizontal ? AxisStep(ownX, targetX, record.standOff[kLeft], record.standOff[kRight], speed)
                       : AxisStep(ownY, targetY, record.standOff[kUp], record.standOff[kDown], speed);
    across = 0.0f;
    const int ahead = horizontal ? Blocked(member, along, 0.0f) : Blocked(member, 0.0f, along);
    if (ahead == 0) {
        across = horizontal ? AxisStep(ownY, targetY, record.standOff[kUp], record.standOff[kDown], speed)
                            : AxisStep(ownX, targetX, record.standOff[kLeft], record.standOff[kRight], speed);
        if (Blocked(member, record.velX, record.velY) != 0)
            across = 0.0f;
        return false;
    }
    if (ahead == 1) {
        ApproachPause::Set(record.flags2, MEMBER_APPROACH_PAUSE);
        ApproachActive::Clear(record.flags);
        record.velX = record.velY = 0.0f;
        return true;
    }
    // Only standing things in the way: slide around them, turning at the field's edge.
    std::uint32_t sub = SlideSubDirection::Get(record.flags);
    if (horizontal) {
        if (record.y == FIELD_TOP && sub == kUp)
            sub = kDown;
        else if (record.y == kBottomMost && sub == kDown)
            sub = kUp;
    } else {
        if (record.x == FIELD_LEFT && sub == kLeft)
            sub = kRight;
        else if (record.x == kRightMost && sub == kRight)
            sub = kLeft;
    }
    SlideSubDirection::Set(record.flags, sub);
    across = (sub == kUp || sub == kLeft) ? -speed : speed;
    const int sideways = horizontal ? Blocked(member, 0.0f, across) : Blocked(member, across, 0.0f);
    along = sideways != 0 ? (along >= 0.0f ? -speed : speed) : 0.0f;
    return false;
}

} // namespace

float MemberCrowdMarginX(int member)
{
    if (member == 2 && TheCharaShot != nullptr &&
        TheCharaShot->CountMagicShotsOfSubtype(MEMBER2_NARROW_MAGIC) >= MEMBER2_SHOTS_FOR_NARROW_MARGINS)
        return MEMBER2_NARROW_MARGIN;
    return MEMBER_CROWD_MARGIN_X[member];
}

float MemberCrowdMarginY(int member)
{
    if (member == 2 && TheCharaShot != nullptr &&
        TheCharaShot->CountMagicShotsOfSubtype(MEMBER2_NARROW_MAGIC) >= MEMBER2_SHOTS_FOR_NARROW_MARGINS)
        return MEMBER2_NARROW_MARGIN;
    return MEMBER_CROWD_MARGIN_Y[member];
}

void ClearApproachRetry(int member)
{
    ApproachRetry::Clear(TheCharacter->members[member].flags2);
}

void SetApproachAxis(int member, bool horizontal, float ownX, float ownY, float targetX, float targetY)
{
    std::uint32_t& flags = TheCharacter->members[member].flags;
    HorizontalApproach::Set(flags, horizontal ? 1u : 0u);
    if (horizontal) {
        ApproachSide::Set(flags, targetX > ownX ? kRight : kLeft);
        SlideSubDirection::Set(flags, targetY > ownY ? kDown : kUp);
    } else {
        ApproachSide::Set(flags, targetY > ownY ? kDown : kUp);
        SlideSubDirection::Set(flags, targetX > ownX ? kRight : kLeft);
    }
}

void SetStandOffMargins(int member, int enemy)
{
    BattleMember& record = TheCharacter->members[member];
    const EnemyRecord* target = PresentEnemy(enemy);
    for (float& margin : record.standOff)
        margin = 0.0f;
    if (target == nullptr)
        return;
    const float extra = MEMBER_STAND_OFF_EXTRA[member];
    const EnemyBox& box = target->BodyBox;
    if (HorizontalApproach::IsSet(record.flags)) {
        record.standOff[kLeft] = 13.0f + (box.right - target->Width / 2.0f) + extra;
        record.standOff[kRight] = 13.0f + (target->Width / 2.0f - box.left) + extra;
    } else {
        record.standOff[kUp] = 7.0f + (box.bottom - target->Height / 2.0f) + extra;
        record.standOff[kDown] = 6.0f + (target->Height / 2.0f - box.top) + extra;
    }
}

void StepMemberApproach(int member, float ownX, float ownY, float targetX, float targetY)
{
    BattleMember& record = TheCharacter->members[member];
    if (ApproachPause::IsSet(record.flags2)) {
        ApproachPause::Set(record.flags2, ApproachPause::Get(record.flags2) - 1);
        return;
    }
    ApproachActive::Set(record.flags, 1);
    if (TryStep(member, ownX, ownY, targetX, targetY) || record.velX != 0.0f || record.velY != 0.0f)
        return;
    switch (ApproachRetry::Get(record.flags2)) {
    case 0:
        SetApproachAxis(member, !HorizontalApproach::IsSet(record.flags), ownX, ownY, targetX, targetY);
        SetStandOffMargins(member, static_cast<int>(TargetEnemy::Get(record.flags)));
        ApproachRetry::Set(record.flags2, 1);
        StepMemberApproach(member, ownX, ownY, targetX, targetY);
        break;
    case 1:
        for (float& margin : record.standOff)
            margin = 0.0f;
        ApproachRetry::Set(record.flags2, 2);
        StepMemberApproach(member, ownX, ownY, targetX, targetY);
        break;
    case 2:
        ApproachRetry::Set(record.flags2, MEMBER_RETRY_DROP);
        break;
    default:
        break;
    }
}

void StopAtFieldEdge(int member)
{
    BattleMember& record = TheCharacter->members[member];
    if ((record.velY < 0.0f && record.y == FIELD_TOP) || (record.velY > 0.0f && record.y == kBottomMost))
        record.velY = 0.0f;
    if ((record.velX < 0.0f && record.x == FIELD_LEFT) || (record.velX > 0.0f && record.x == kRightMost))
        record.velX = 0.0f;
}

void FaceMovementSide(int member)
{
    BattleMember& record = TheCharacter->members[member];
    const int side = static_cast<int>(ApproachSide::Get(record.flags));
    const bool moves = (side == kLeft && record.velX < -1.0f) || (side == kUp && record.velY < -1.0f) ||
                       (side == kRight && record.velX > 1.0f) || (side == kDown && record.velY > 1.0f);
    if (!moves)
        return;
    FacingField::Set(record.state, static_cast<std::uint32_t>(side));
    FacingSetThisFrame::Set(record.flags, 1);
}
