// Whole-frame kind movements that follow a member: lined up vertically,
// towards the party's centre, onto its row or column, round it, and a
// four-step stalk.
#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "battle/BattleServices.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySteering.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/ShotHeadingRules.h"
#include "enemies/kinds/KindMoves.h"
#include "party/PartyServices.h"

using namespace kindmove;

namespace {

constexpr int kUp = 1;
constexpr int kDown = 3;
constexpr int kKeepFacingBit = 8;
constexpr int kAlignRangeMask = 7;
constexpr std::uint32_t FLAGS_G_CIRCLING = 1u << 16;
constexpr int FLAGS_G_STALK_STEP = 10; // 2 bits
constexpr float kCircleGap = 16.0f + 32.0f;

bool StepStarts(const EnemyRecord& r, const EnemyMoveDef& def)
{
    return def.Period != 0 ? r.MoveFrame % def.Period == 0 : r.MoveFrame == 0;
}

int ChooseMember(CEnemyGroup& group, int slot, int rule)
{
    EnemyRecord& r = group.Records[slot];
    const int member = group.GetMoveTargetMember(slot, rule) % PARTY_MEMBER_COUNT;
    SetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2, static_cast<std::uint32_t>(member));
    return member;
}

int ChosenMember(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2)) % PARTY_MEMBER_COUNT;
}

void Stand(EnemyRecord& r)
{
    r.MoveX = 0.0f;
    r.MoveY = 0.0f;
}

} // namespace

void TrackMemberVertically(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    if (r.MoveFrame == 0) {
        const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
        const bool keep = (def.Param & kKeepFacingBit) != 0 && (facing == kUp || facing == kDown);
        const int dir = keep ? facing : ((GameRandom() & 1) != 0 ? kUp : kDown);
        SetBits(r.FlagsC, FLAGS_C_WALK_DIR, 2, static_cast<std::uint32_t>(dir));
    }
    const float speed = std::fabs(group.ApplySpeedStatus(slot, def.Speed));
    r.MoveX = 0.0f;
    int member = 0;
    if (TheBattleTouch != nullptr && TheCharacter != nullptr && (def.Param & kAlignRangeMask) < TOUCH_RANGES &&
        TheBattleTouch->FindTargetsAlignedY(slot, r.CenterX, r.CenterY, def.Param & kAlignRangeMask, member)) {
        const float gap = TheCharacter->members[member % PARTY_MEMBER_COUNT].centerY - r.CenterY;
        r.MoveY = std::clamp(gap, -speed, speed);
        return;
    }
    r.MoveY = GetBits(r.FlagsC, FLAGS_C_WALK_DIR, 2) == kUp ? -speed : speed;
}

void MoveToPartyCentre(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (TheCharacter == nullptr) {
        Stand(r);
        return;
    }
    float x = 0.0f;
    float y = 0.0f;
    GetPartyCentre(x, y);
    // The game's rule: always a whole step, so on reaching the centre it
    // passes it and turns back (on it exactly, the direction is down).
    group.WalkAlongHeading(slot, group.RunningMove(slot).Speed, DirectionTo(r, x, y));
}

void AlignWithMember(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    if (TheCharacter == nullptr) {
        Stand(r);
        return;
    }
    const int member = r.MoveFrame == 0 ? ChooseMember(group, slot, def.Param) : ChosenMember(r);
    const BattleMember& m = TheCharacter->members[member];
    // It closes the smaller gap, so it lines up on the axis that is nearer.
    if (std::fabs(m.centerY - r.CenterY) > std::fabs(m.centerX - r.CenterX))
        group.StepTowardPoint(slot, m.centerX, r.CenterY, def.Speed);
    else
        group.StepTowardPoint(slot, r.CenterX, m.centerY, def.Speed);
}

void CircleMember(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    if (TheCharacter == nullptr) {
        Stand(r);
        return;
    }
    bool freshMember = r.MoveFrame == 0;
    if (def.Period != 0 && r.MoveFrame % def.Period == 0) {
        const int before = ChosenMember(r);
        freshMember = ChooseMember(group, slot, def.Param) != before || freshMember;
        r.FlagsG |= FLAGS_G_CIRCLING;
    }
    const int member = ChosenMember(r);
    const BattleMember& m = TheCharacter->members[member];
    if (m.IsDown())
        r.FlagsG &= ~FLAGS_G_CIRCLING;
    if (!(r.FlagsG & FLAGS_G_CIRCLING)) {
        Stand(r);
        return;
    }
    if (freshMember) {
        const float dx = r.CenterX - m.centerX;
        const float dy = r.CenterY - m.centerY;
        r.Heading = (dx == 0.0f && dy == 0.0f) ? 0.0f : AngleFromDelta(dx, dy);
    } else {
        r.Heading = WrapHeading(r.Heading + def.Speed2);
    }
    const float radius = std::max(r.Width, r.Height) / 2.0f + kCircleGap;
    group.StepTowardPoint(slot, m.centerX + radius * std::sin(r.Heading), m.centerY + radius * std::cos(r.Heading),
                          def.Speed);
}

void FourStepStalk(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    if (StepStarts(r, def)) {
        const int step = def.Period != 0 ? (r.MoveFrame / def.Period) % 4 : 0;
        SetBits(r.FlagsG, FLAGS_G_STALK_STEP, 2, static_cast<std::uint32_t>(step));
        const int member = TheCharacter != nullptr ? ChooseMember(group, slot, def.Param) : 0;
        if (step == 0 && TheCharacter != nullptr)
            FaceMember(group, slot, member);
        else if (step == 1)
            r.Heading = RandomHeadingInFront90(group, slot);
    }
    const int step = static_cast<int>(GetBits(r.FlagsG, FLAGS_G_STALK_STEP, 2));
    if (step == 1 || step == 2)
        group.WalkAlongHeading(slot, def.Speed, r.Heading);
    else
        Stand(r);
}
