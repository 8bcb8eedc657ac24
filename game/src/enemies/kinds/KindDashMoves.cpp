// Whole-frame kind movements that dash across the field: a diagonal by
// facing, a charge at the AI's target, a boomerang that comes back to its
// start line and steps that speed up and slow down; and the hand-over of
// every whole-frame kind movement type.
#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySteering.h"
#include "enemies/ShotHeadingRules.h"
#include "enemies/ShotMemberChoices.h"
#include "enemies/kinds/KindMoves.h"
#include "party/PartyServices.h"

using namespace kindmove;

namespace {

constexpr int kReflect = 1;
constexpr int kReverse = 3;
constexpr float kDiagonalOfFacing[4] = {-3.0f * BATTLE_PI / 4.0f, 3.0f * BATTLE_PI / 4.0f, BATTLE_PI / 4.0f,
                                        -BATTLE_PI / 4.0f};
constexpr float kChargeTopSpeed = 8.0f;
constexpr int kChargeTopRule = 16;
constexpr int kEaseFrames = 64;
constexpr int kSlowDownFrames = 128;
constexpr std::uint32_t FLAGS_F_TURNED = 1u << 27;
constexpr int FLAGS_F_AXIS = 11; // 2 bits: 0 sent right, 1 down, 2 left, 3 up
constexpr int kAimAtFront = 1;

int FacingOfRecord(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

int AxisOf(float heading)
{
    if (heading >= BATTLE_PI / 4.0f && heading < 3.0f * BATTLE_PI / 4.0f)
        return 0;
    if (heading >= -BATTLE_PI / 4.0f && heading < BATTLE_PI / 4.0f)
        return 1;
    if (heading >= -3.0f * BATTLE_PI / 4.0f && heading < -BATTLE_PI / 4.0f)
        return 2;
    return 3;
}

// Whether this frame's move brings it back to or behind the line it started from.
bool BackAtStartLine(const EnemyRecord& r)
{
    switch (GetBits(r.FlagsF, FLAGS_F_AXIS, 2)) {
    case 0:
        return r.PosX + r.MoveX <= r.SavedPointX;
    case 1:
        return r.PosY + r.MoveY <= r.SavedPointY;
    case 2:
        return r.PosX + r.MoveX >= r.SavedPointX;
    default:
        return r.PosY + r.MoveY >= r.SavedPointY;
    }
}

bool AnyMemberInFront(const EnemyRecord& r)
{
    if (TheCharacter == nullptr)
        return false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (IsMemberInFacing(m, r.CenterX, r.CenterY, FacingOfRecord(r)))
            return true;
    return false;
}

} // namespace

void MoveDiagonalByFacing(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.MoveFrame == 0)
        r.Heading = kDiagonalOfFacing[FacingOfRecord(r)];
    group.WalkAlongHeading(slot, group.RunningMove(slot).Speed, r.Heading);
    group.BounceAtFieldEdge(slot, kReverse, 0);
}

void ChargeTarget(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    if (r.MoveFrame == 0) {
        group.AimMoveAtTarget(slot);
        r.SpecialTopSpeed = def.Param >= kChargeTopRule ? static_cast<float>(def.Param >> 4) : kChargeTopSpeed;
    }
    float speed = std::min(static_cast<float>(r.MoveFrame) * def.Speed2 + def.Speed, r.SpecialTopSpeed);
    speed = group.ApplySpeedStatus(slot, speed);
    const int left = def.Duration - r.MoveFrame;
    if (left < kSlowDownFrames)
        speed = speed * static_cast<float>(left) / static_cast<float>(kSlowDownFrames);
    group.WalkAlongHeadingRaw(slot, speed, r.Heading);
    group.BounceAtFieldEdge(slot, kReflect, 0);
}

void BoomerangMove(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    if (r.MoveFrame == 0) {
        r.FlagsF &= ~FLAGS_F_TURNED;
        // Edges met by earlier walks do not count towards this flight's turns.
        r.EdgeTurns = 0;
        group.AimMoveAtTarget(slot);
        r.SavedPointX = r.PosX;
        r.SavedPointY = r.PosY;
        SetBits(r.FlagsF, FLAGS_F_AXIS, 2, static_cast<std::uint32_t>(AxisOf(r.Heading)));
    }
    group.WalkAlongHeading(slot, def.Speed, r.Heading);
    group.BounceAtFieldEdge(slot, kReverse, 0);
    if (r.MoveFrame == def.Period - 1 && !(r.FlagsF & FLAGS_F_TURNED)) {
        r.FlagsF |= FLAGS_F_TURNED;
        // Confused, it turns as if it faced the other way.
        const int facing = r.Status.HasEffect(EFFECT_CONFUSION) ? FacingOfRecord(r) ^ 2 : FacingOfRecord(r);
        ReverseAngleAwayFromEdge(r.Heading, facing);
        group.WalkAlongHeading(slot, def.Speed, r.Heading);
    }
    const int turns = r.EdgeTurns + ((r.FlagsF & FLAGS_F_TURNED) ? 1 : 0);
    if ((r.MoveFrame != 0 && BackAtStartLine(r)) || turns >= 2)
        r.MoveFrame = def.Duration - 1;
}

void StepTowardsTarget(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    const int length = def.Period != 0 ? def.Period : def.Duration;
    const int f = def.Period != 0 ? r.MoveFrame % def.Period : r.MoveFrame;
    if (f == 0 && (def.Period != 0 || r.MoveFrame == 0)) {
        if (def.Param == kAimAtFront && AnyMemberInFront(r))
            group.AimAtMember(slot, ChooseFrontTarget(group, slot));
        else
            r.Heading = RandomHeadingInFront90(group, slot);
    }
    float speed = def.Speed;
    if (f < kEaseFrames)
        speed = speed * static_cast<float>(f) / kEaseFrames;
    if (length - f < kEaseFrames)
        speed = speed * static_cast<float>(length - f) / kEaseFrames;
    group.WalkAlongHeading(slot, speed, r.Heading);
    group.BounceAtFieldEdge(slot, kReflect, 0);
}

bool RunKindWholeFrameMove(CEnemyGroup& group, int slot, int type)
{
    switch (type) {
    case 36:
        TrackMemberVertically(group, slot);
        return true;
    case 37:
        MoveDiagonalByFacing(group, slot);
        return true;
    case 38:
        ChargeTarget(group, slot);
        return true;
    case 46:
        BoomerangMove(group, slot);
        return true;
    case 47:
        StepTowardsTarget(group, slot);
        return true;
    case 49:
        MoveToPartyCentre(group, slot);
        return true;
    case 50:
        AlignWithMember(group, slot);
        return true;
    case 51:
        CircleMember(group, slot);
        return true;
    case 52:
        FourStepStalk(group, slot);
        return true;
    default:
        return false;
    }
}
