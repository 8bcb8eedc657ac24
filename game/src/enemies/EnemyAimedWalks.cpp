// Walks that go for a member standing in front of the enemy: one that looks
// round until somebody is in front, and one that roams, charges and waits.
#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"

namespace {

constexpr int kUseAiAimed = 4;      // Param bit of the aimed walk
constexpr int kUseAiRepeating = 16; // Param bit of the repeating walk
constexpr int kRoaming = 0, kCharging = 1, kWaiting = 2;
constexpr int kChargeSearchFrames = 59;
constexpr int kRoamSearchStep = 5;
constexpr int kRoamingAnywhere = 29;

bool IsDecisionFrame(const EnemyRecord& r, const EnemyMoveDef& def)
{
    return r.MoveFrame == 0 || (def.Period != 0 && r.MoveFrame % def.Period == 0);
}

int AimedMember(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2));
}

void SetAimedMember(EnemyRecord& r, int member)
{
    SetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2, static_cast<std::uint32_t>(member));
}

} // namespace

// At each decision: a member in front is aimed at (unless it already is);
// with nobody in front an enemy that was not aimed turns its facing, one that
// was stops. It walks only while aimed.
void CEnemyGroup::AimedWalk(int slot, const EnemyMoveDef& def)
{
    EnemyRecord& r = Records[slot];
    if (IsDecisionFrame(r, def)) {
        int member = 0;
        const bool aimed = (r.FlagsC & FLAGS_C_AIMED) != 0;
        if (FindFrontTarget(slot, (def.Param & kUseAiAimed) != 0, member)) {
            if (!aimed || AimedMember(r) != member) {
                r.FlagsC |= FLAGS_C_AIMED;
                SetAimedMember(r, member);
                AimAtMember(slot, member);
            }
        } else if (!aimed) {
            TurnFacing(slot, def.Param);
        } else {
            r.FlagsC &= ~FLAGS_C_AIMED;
        }
    }
    if (r.FlagsC & FLAGS_C_AIMED)
        WalkAlongHeading(slot, def.Speed, r.Heading);
}

// Roams (first speed) until somebody stands in front, charges them (second
// speed) and looks again after a second; with nobody left in front it waits.
void CEnemyGroup::AimedWalkRepeating(int slot, const EnemyMoveDef& def)
{
    EnemyRecord& r = Records[slot];
    const bool useAi = (def.Param & kUseAiRepeating) != 0;
    const int roamSearch = (def.Param & 15) * kRoamSearchStep;
    int phase = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_MOVE_PHASE, 3));
    int member = 0;
    auto charge = [&](int target) {
        phase = kCharging;
        SetAimedMember(r, target);
        AimAtMember(slot, target);
    };
    if (r.MoveFrame == 0 || (phase != kCharging && def.Period != 0 && r.MoveFrame % def.Period == 0)) {
        r.StepCounter = 0;
        if (FindFrontTarget(slot, useAi, member)) {
            charge(member);
        } else {
            phase = kRoaming;
            r.Heading = def.MoveType == kRoamingAnywhere
                            ? static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI
                            : RandomHeadingInFacing90(slot);
        }
    } else if (phase == kCharging) {
        if (++r.StepCounter > kChargeSearchFrames) {
            r.StepCounter = 0;
            if (!FindFrontTarget(slot, useAi, member))
                phase = kWaiting;
            else if (member != AimedMember(r))
                charge(member);
        }
    } else if (++r.StepCounter >= roamSearch && roamSearch > 0) {
        r.StepCounter = 0;
        if (FindFrontTarget(slot, useAi, member))
            charge(member);
    }
    SetBits(r.FlagsC, FLAGS_C_MOVE_PHASE, 3, static_cast<std::uint32_t>(phase));
    if (phase == kRoaming)
        WalkAlongHeading(slot, def.Speed, r.Heading);
    else if (phase == kCharging)
        WalkAlongHeading(slot, def.Speed2, r.Heading);
}
