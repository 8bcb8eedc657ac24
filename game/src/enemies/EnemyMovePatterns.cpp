// The patterned movement types: which walk each type runs, and the simple
// walks that choose a heading or a member now and then and step along it.
#include "enemies/EnemyMovePatterns.h"

#include <cmath>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/EnemySteering.h"
#include "party/PartyServices.h"

namespace {

constexpr int kRandomAway = 2;
constexpr int kReflect = 1;
constexpr int kKindAim = 0;
constexpr int kMarkedMemberAim = 1;
// The gap kept beside a member: its half width, a step of 2 px and the enemy's half width.
constexpr float kBesideGap = 16.0f + 2.0f;

bool IsDecisionFrame(const EnemyRecord& r, const EnemyMoveDef& def)
{
    return r.MoveFrame == 0 || (def.Period != 0 && r.MoveFrame % def.Period == 0);
}

float RandomFullTurn()
{
    return static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI;
}

int FacingOfHeading(float heading)
{
    const float x = std::sin(heading);
    const float y = std::cos(heading);
    if (std::fabs(x) >= std::fabs(y))
        return x >= 0.0f ? 2 : 0;
    return y >= 0.0f ? 3 : 1;
}

} // namespace

bool CEnemyGroup::RunPatternedMove(int slot, int type)
{
    const EnemyMoveDef& def = RunningMove(slot);
    switch (type) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        AxisWalk8(slot, def);
        return true;
    case 8:
    case 11:
    case 18:
    case 19:
    case 20:
    case 39:
    case 40:
    case 41:
    case 42:
    case 45:
        HeadingWalk(slot, def, type);
        return true;
    case 9:
    case 10:
        LookAround(slot, def, type);
        return true;
    case 16:
    case 17:
    case 21:
        TurningWalk(slot, def, type);
        return true;
    case 23:
    case 24:
    case 43:
        WalkAtMember(slot, def, type);
        return true;
    case 25:
        ZigZagWalk(slot, def);
        return true;
    case 26:
    case 27:
        AlignWithMemberWalk(slot, def, type == 27);
        return true;
    case 28:
        AimedWalk(slot, def);
        return true;
    case 29:
    case 30:
        AimedWalkRepeating(slot, def);
        return true;
    case 31:
    case 32:
    case 33:
    case 34:
    case 44:
    case 48:
        VanishMove(slot, def);
        return true;
    case 35:
        WalkToMarkedMember(slot, def);
        return true;
    default:
        return false;
    }
}

// A heading chosen at each decision, walked at the first speed: 8 at the
// movement's target, 11 and 18 at a member in front (else anywhere, or
// anywhere in front), 19 at the AI's target, 20 anywhere in front; the others
// leave the choice to the kind.
void CEnemyGroup::HeadingWalk(int slot, const EnemyMoveDef& def, int type)
{
    EnemyRecord& r = Records[slot];
    if (IsDecisionFrame(r, def)) {
        if (type == 8)
            AimMoveAtTarget(slot);
        else if (type == 11)
            AimAtFrontTargetOrRandom(slot);
        else if (type == 18)
            AimAtFrontTargetOrFront90(slot);
        else if (type == 19)
            AimAtMember(slot, GetAiTarget(slot));
        else if (type == 20)
            r.Heading = RandomHeadingInFacing90(slot);
        else
            r.Heading = WrapHeading(KindMoveHeading(*this, slot, type));
    }
    WalkAlongHeading(slot, def.Speed, r.Heading);
}

// Standing and looking: 9 turns its facing by `Param`, 10 looks at the movement's target member.
void CEnemyGroup::LookAround(int slot, const EnemyMoveDef& def, int type)
{
    EnemyRecord& r = Records[slot];
    if (!IsDecisionFrame(r, def))
        return;
    if (type == 9) {
        TurnFacing(slot, def.Param);
        return;
    }
    AimMoveAtTarget(slot);
    SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(FacingOfHeading(r.Heading)));
}

// 16 walks random headings and draws a new one away from an edge it meets;
// 17 aims once and reflects at the edges, aiming again there with a chance
// of `Period` percent; 21 aims once and then turns by `Speed2` every period.
void CEnemyGroup::TurningWalk(int slot, const EnemyMoveDef& def, int type)
{
    EnemyRecord& r = Records[slot];
    if (type == 16 && IsDecisionFrame(r, def))
        r.Heading = RandomFullTurn();
    else if (type != 16 && r.MoveFrame == 0)
        AimMoveAtTarget(slot);
    else if (type == 21 && def.Period != 0 && r.MoveFrame % def.Period == 0)
        r.Heading = WrapHeading(r.Heading + def.Speed2);
    WalkAlongHeading(slot, def.Speed, r.Heading);
    if (type == 16)
        BounceAtFieldEdge(slot, kRandomAway, 0);
    else if (type == 17)
        BounceAtFieldEdge(slot, kReflect, def.Period);
}

// 23 goes for the member, 43 away from it, 24 for the place beside it on the enemy's side.
void CEnemyGroup::WalkAtMember(int slot, const EnemyMoveDef& def, int type)
{
    EnemyRecord& r = Records[slot];
    if (IsDecisionFrame(r, def))
        SetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2, static_cast<std::uint32_t>(GetMoveTargetMember(slot, def.Param)));
    if (TheCharacter == nullptr)
        return;
    const int member = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2));
    const BattleMember& m = TheCharacter->members[member % PARTY_MEMBER_COUNT];
    if (type == 43) {
        StepAwayFromMember(slot, member, def.Speed);
    } else if (type == 24) {
        const float gap = kBesideGap + r.Width / 2.0f;
        StepTowardPoint(slot, r.CenterX < m.centerX ? m.centerX - gap : m.centerX + gap, m.centerY, def.Speed);
    } else {
        StepTowardPoint(slot, m.centerX, m.centerY, def.Speed);
    }
}

// Heads for a member under the target mark at the second speed; without one
// the kind chooses the heading and the walk takes the first speed.
void CEnemyGroup::WalkToMarkedMember(int slot, const EnemyMoveDef& def)
{
    EnemyRecord& r = Records[slot];
    if (IsDecisionFrame(r, def)) {
        int member = 0;
        float heading = 0.0f;
        if (TheCharacter != nullptr && FindMemberWithAilment40000(member) &&
            GetAngleToMember(heading, member, r.CenterX, r.CenterY, true)) {
            r.Heading = heading;
            SetBits(r.FlagsC, FLAGS_C_MOVE_PHASE, 3, kMarkedMemberAim);
        } else {
            r.Heading = WrapHeading(KindMoveHeading(*this, slot, 35));
            SetBits(r.FlagsC, FLAGS_C_MOVE_PHASE, 3, kKindAim);
        }
    }
    const bool marked = GetBits(r.FlagsC, FLAGS_C_MOVE_PHASE, 3) == kMarkedMemberAim;
    WalkAlongHeading(slot, marked ? def.Speed2 : def.Speed, r.Heading);
}
