// Whom a movement goes for and where it looks: the move-target rules, the
// aims at a member with the facing as their fallback, the front-quarter
// search and the turns of the facing.
#include <cmath>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySteering.h"
#include "party/PartyServices.h"

namespace {

constexpr float kFacingHeading[4] = {-BATTLE_PI / 2.0f, -BATTLE_PI, BATTLE_PI / 2.0f, 0.0f};
// Where the quarter in front of each facing starts, a quarter turn before its middle.
constexpr float kFrontQuarterStart[4] = {BATTLE_PI / 4.0f, 7.0f * BATTLE_PI / 4.0f, 5.0f * BATTLE_PI / 4.0f,
                                         3.0f * BATTLE_PI / 4.0f};
constexpr float kFrontQuarterStep = 0.006112048f;

enum MoveTargetRule {
    RULE_RANDOM = 0,
    RULE_RANDOM_KEPT = 1,
    RULE_NEAREST = 2,
    RULE_FARTHEST = 3,
    RULE_AI_KEPT = 4,
    RULE_MEMBER_0 = 5,
    RULE_MEMBER_2 = 7,
    RULE_MASK_KEPT = 8,
    RULE_FRONT = 9,
    RULE_AI_STORED = 10,
};

int FacingOf(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

bool KeepsItsChoice(int rule)
{
    return rule == RULE_RANDOM_KEPT || rule == RULE_AI_KEPT || rule == RULE_MASK_KEPT;
}

// A random member of the movement's target mask; a random standing member when the mask is empty.
int PickMoveTarget(const EnemyRecord& r)
{
    int members[PARTY_MEMBER_COUNT];
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (r.MoveTargetMask[m] != 0)
            members[count++] = m;
    if (count == 0)
        return PickRandomAliveMember();
    return members[GameRandom() * count >> 15];
}

void Keep(EnemyRecord& r, int member)
{
    SetBits(r.FlagsC, FLAGS_C_KEPT_MEMBER, 2, static_cast<std::uint32_t>(member));
    r.FlagsC |= FLAGS_C_MEMBER_KEPT;
}

bool HeadingToMember(const EnemyRecord& r, int member, float& heading)
{
    return TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT &&
           GetAngleToMember(heading, member, r.CenterX, r.CenterY, true);
}

} // namespace

int CEnemyGroup::GetMoveTargetMember(int slot, int rule)
{
    EnemyRecord& r = Records[slot];
    rule &= 15;
    if (TheCharacter == nullptr)
        return 0;
    if (KeepsItsChoice(rule) && (r.FlagsC & FLAGS_C_MEMBER_KEPT))
        return static_cast<int>(GetBits(r.FlagsC, FLAGS_C_KEPT_MEMBER, 2));
    int member = 0;
    switch (rule) {
    case RULE_RANDOM:
    case RULE_RANDOM_KEPT:
        member = PickRandomAliveMember();
        break;
    case RULE_NEAREST:
        member = FindNearestMember(r.CenterX, r.CenterY, -1);
        break;
    case RULE_FARTHEST:
        member = FindFarthestMember(r.CenterX, r.CenterY);
        break;
    case RULE_AI_KEPT:
    case RULE_AI_STORED:
        member = GetAiTarget(slot);
        break;
    case RULE_MEMBER_0:
    case RULE_MEMBER_0 + 1:
    case RULE_MEMBER_2:
        member = ResolveTargetMember(rule - RULE_MEMBER_0);
        break;
    case RULE_MASK_KEPT:
        member = PickMoveTarget(r);
        break;
    case RULE_FRONT:
        member = FrontSectorTarget(r);
        break;
    default:
        break;
    }
    if (member < 0 || member >= PARTY_MEMBER_COUNT)
        member = 0;
    if (KeepsItsChoice(rule))
        Keep(r, member);
    else if (rule == RULE_AI_STORED)
        SetBits(r.FlagsC, FLAGS_C_KEPT_MEMBER, 2, static_cast<std::uint32_t>(member));
    return member;
}

void CEnemyGroup::AimAtMember(int slot, int member)
{
    EnemyRecord& r = Records[slot];
    float heading = 0.0f;
    r.Heading = HeadingToMember(r, member, heading) ? heading : kFacingHeading[FacingOf(r)];
}

void CEnemyGroup::AimMoveAtTarget(int slot)
{
    const int rule = MoveCount(slot) != 0 ? RunningMove(slot).Param : 0;
    AimAtMember(slot, GetMoveTargetMember(slot, rule));
}

bool CEnemyGroup::HeadingToMoveTarget(int slot, float& heading)
{
    const int rule = MoveCount(slot) != 0 ? RunningMove(slot).Param : 0;
    return HeadingToMember(Records[slot], GetMoveTargetMember(slot, rule), heading);
}

float CEnemyGroup::RandomHeadingInFacing90(int slot) const
{
    const float step = static_cast<float>(GameRandom() / 128 + 1) * kFrontQuarterStep;
    return WrapHeading(step - BATTLE_PI + kFrontQuarterStart[FacingOf(Records[slot])]);
}

bool CEnemyGroup::FindFrontTarget(int slot, bool useAi, int& member)
{
    const EnemyRecord& r = Records[slot];
    if (TheCharacter == nullptr)
        return false;
    std::uint8_t marks[3] = {0, 0, 0};
    if (MarkMembersInFacing(marks, r.CenterX, r.CenterY, FacingOf(r)) == 0)
        return false;
    if (!useAi) {
        member = FrontSectorTarget(r);
        return true;
    }
    const int target = GetAiTarget(slot);
    if (target < 0 || target >= PARTY_MEMBER_COUNT || marks[target] == 0)
        return false;
    member = target;
    return true;
}

void CEnemyGroup::AimAtFrontTargetOrRandom(int slot)
{
    int member = 0;
    if (FindFrontTarget(slot, false, member))
        AimAtMember(slot, member);
    else
        Records[slot].Heading = static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI;
}

void CEnemyGroup::AimAtFrontTargetOrFront90(int slot)
{
    int member = 0;
    if (FindFrontTarget(slot, false, member))
        AimAtMember(slot, member);
    else
        Records[slot].Heading = RandomHeadingInFacing90(slot);
}

// Bits 0-1 of `param`: 0 turns by one to three quarters at random, 1 turns
// clockwise, 2 and 3 anticlockwise.
void CEnemyGroup::TurnFacing(int slot, int param)
{
    EnemyRecord& r = Records[slot];
    int turn;
    switch (param & 3) {
    case 0:
        turn = 1 + GameRandom() * 3 / 32768;
        break;
    case 1:
        turn = 1;
        break;
    default:
        turn = 3;
        break;
    }
    SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>((FacingOf(r) + turn) & 3));
}
