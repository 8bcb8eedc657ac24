#include "enemies/ShotHeadingRules.h"

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySteering.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindShotHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr float kPi = BATTLE_PI;
constexpr float kDegree = 0.017453292f;
constexpr int kDegreesPerTurn = 360;
constexpr float kCornerHeading = 1.0040007f;
constexpr float kFront90Step = 0.006112048f;

enum Edge { kLeftLine, kTopLine, kRightLine, kOtherLine };

// The edge line a spawn point lies on, tested in the order left, top, right;
// anything else counts as the bottom line.
Edge EdgeOf(float x, float y)
{
    if (x == SHOT_EDGE_LEFT_X)
        return kLeftLine;
    if (y == SHOT_EDGE_TOP_Y)
        return kTopLine;
    if (x == SHOT_EDGE_RIGHT_X)
        return kRightLine;
    return kOtherLine;
}

// The heading that points straight into the field from an edge, less a quarter turn.
float EdgeTerm(float x, float y)
{
    constexpr float kTerms[4] = {0.0f, -kPi / 2.0f, -kPi, kPi / 2.0f};
    return kTerms[EdgeOf(x, y)];
}

int FacingOf(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

// The action's `Param` as whole degrees of one turn.
int ParamDegrees(const CEnemyGroup& group, int slot)
{
    return (group.RunningAction(slot).Param % kDegreesPerTurn + kDegreesPerTurn) % kDegreesPerTurn;
}

// A random cone of D degrees centred on `centre` degrees.
float ConeDegrees(int centre, int d)
{
    return static_cast<float>((2 * centre - d) / 2 + GameRandom() * d / 32768) * kDegree;
}

float CornerHeading(float b, float x, float y)
{
    const bool left = x == SHOT_EDGE_LEFT_X;
    const bool top = y == SHOT_EDGE_TOP_Y;
    if (left && top)
        return WrapHeading(b);
    if (top && x == SHOT_EDGE_RIGHT_X)
        return WrapHeading(-b);
    if (left && y == SHOT_EDGE_BOTTOM_Y)
        return WrapHeading(kPi - b);
    return WrapHeading(b - kPi);
}

float TurnFromEdge(float heading, float x, float y)
{
    constexpr float kTurns[4] = {kPi / 2.0f, 0.0f, -kPi / 2.0f, kPi};
    return WrapHeading(heading + kTurns[EdgeOf(x, y)]);
}

float TowardsFieldCentre(float x, float y)
{
    const float dx = FIELD_CENTER_X - (x + 8.0f);
    const float dy = FIELD_CENTER_Y - (y + 8.0f);
    if (dx == 0.0f && dy == 0.0f)
        return 0.0f;
    return WrapHeadingOnce(AngleFromDelta(dx, dy));
}

// From the shot's centre to a member's, knocked out or not; the enemy's
// facing when the two centres meet.
float TowardsMemberFrom(const EnemyRecord& r, int member, float x, float y)
{
    if (TheCharacter == nullptr)
        return GetDirectionAngle(FacingOf(r));
    const BattleMember& m = TheCharacter->members[member];
    const float dx = m.centerX - (x + 8.0f);
    const float dy = m.centerY - (y + 8.0f);
    if (dx == 0.0f && dy == 0.0f)
        return GetDirectionAngle(FacingOf(r));
    return WrapHeadingOnce(AngleFromDelta(dx, dy));
}

// Shot numbers take the members in turn (a kind's own offset may make them negative).
int MemberOf(int number)
{
    return (number % PARTY_MEMBER_COUNT + PARTY_MEMBER_COUNT) % PARTY_MEMBER_COUNT;
}

float MirrorUpDown(float h)
{
    return h >= 0.0f ? kPi - h : -kPi - h;
}

float MirrorLeftRight(float h)
{
    return -h;
}

} // namespace

float AdjustSpawnedShotHeading(CEnemyGroup& group, int slot, float heading, int pattern, float x, float y, int m)
{
    const EnemyRecord& r = group.Records[slot];
    switch (pattern) {
    case 36:
        return WrapHeading(static_cast<float>(ParamDegrees(group, slot)) * kDegree + EdgeTerm(x, y));
    case 37:
        return GetKindEdgeShotHeading(group, slot, x, y, heading);
    case 38:
        return WrapHeading(ConeDegrees(90, ParamDegrees(group, slot)) + EdgeTerm(x, y));
    case 39:
        return CornerHeading(kCornerHeading, x, y);
    case 40:
        return CornerHeading(static_cast<float>(ParamDegrees(group, slot)) * kDegree, x, y);
    case 41:
        return CornerHeading(ConeDegrees(45, ParamDegrees(group, slot)), x, y);
    case 43:
    case 45:
        return TurnFromEdge(heading, x, y);
    case 46:
        return TowardsFieldCentre(x, y);
    case 54:
        return TowardsMemberFrom(r, MemberOf(m), x, y);
    case 69:
        return TowardsMemberFrom(r, MemberOf(m / 4), x, y);
    default:
        return heading;
    }
}

bool MirrorEdgeShotHeading(float& heading, float x, float y)
{
    switch (EdgeOf(x, y)) {
    case kLeftLine:
        if (heading == kPi / 2.0f)
            return false;
        heading = kPi - heading;
        break;
    case kTopLine:
        if (heading == 0.0f)
            return false;
        heading = -heading;
        break;
    case kRightLine:
        if (heading == -kPi / 2.0f)
            return false;
        heading = -(heading + kPi);
        break;
    default:
        if (heading == -kPi)
            return false;
        heading = -heading;
        break;
    }
    heading = WrapHeading(heading);
    return true;
}

float MirrorHeading(const CEnemyGroup& group, int slot, float heading, int mode)
{
    const bool sideways = FacingOf(group.Records[slot]) % 2 == 0;
    switch (mode) {
    case 1:
        heading = MirrorUpDown(heading);
        break;
    case 2:
        heading = MirrorLeftRight(heading);
        break;
    case 3:
        heading = MirrorLeftRight(MirrorUpDown(heading));
        break;
    case 4:
        heading = sideways ? MirrorLeftRight(heading) : MirrorUpDown(heading);
        break;
    case 5:
        heading = sideways ? MirrorUpDown(heading) : MirrorLeftRight(heading);
        break;
    default:
        break;
    }
    return WrapHeading(heading);
}

float RandomHeadingInFront90(const CEnemyGroup& group, int slot)
{
    constexpr float kTurns[4] = {kPi / 4.0f, 7.0f * kPi / 4.0f, 5.0f * kPi / 4.0f, 3.0f * kPi / 4.0f};
    const float share = static_cast<float>(GameRandom() / 128 + 1) * kFront90Step - kPi;
    return WrapHeading(share + kTurns[FacingOf(group.Records[slot])]);
}

float RandomHeadingInFront180(const CEnemyGroup& group, int slot)
{
    constexpr float kTurns[4] = {0.0f, 3.0f * kPi / 2.0f, kPi, kPi / 2.0f};
    const float share = static_cast<float>(GameRandom() / 64) * (2.0f * kPi / 1024.0f) - kPi;
    return WrapHeading(share + kTurns[FacingOf(group.Records[slot])]);
}
