// The attacks that ring or pattern shots round the enemy or the field's
// centre: a ring when crowded, gauge and hitter patterns, rings that grow,
// and shots of a copy the kind aims or marks first.
#include <cmath>

#include "core/BattleAngles.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindConditions.h"
#include "enemies/kinds/KindActionShot.h"
#include "enemies/kinds/KindAttacks.h"
#include "party/PartyServices.h"

namespace {

constexpr double kCrowdReachSq = 96.0 * 96.0;
constexpr int kCrowdSize = 4;
constexpr int kHitterShots = 8;
constexpr int kHitterCountShift = 4; // FlagsF bits 4-7: knock-backs recorded
constexpr int kHitterTargetBase = 3;
constexpr float kCentreShotX = 312.0f;
constexpr float kCentreShotY = 272.0f;
constexpr float kEvenShotSlowdown = 400.0f / 640.0f;
constexpr int kGrowingRings = 10;
constexpr int kRingDelayStep = 95;

} // namespace

void CrowdRing(CEnemyGroup& group, int slot)
{
    if (CountEnemiesNear(group, slot, kCrowdReachSq) >= kCrowdSize) {
        const EnemyActionDef& def = group.RunningAction(slot);
        const int n = def.ShotsPerVolley;
        for (int i = 0; i < n; ++i)
            FireActionShot(group, slot, def, i, ShotStartX(group, slot), ShotStartY(group, slot), EvenRingAngle(i, n));
    }
    MarkKindAttackDone(group.Records[slot]);
}

void GaugePatternShots(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    std::uint8_t& gauge = r.KindBytes[static_cast<std::size_t>(def.GaugeMember) % 8];
    if (gauge != 0)
        --gauge;
    FirePatternShots(group, slot, def, def.ShotsPerVolley);
    MarkKindAttackDone(r);
}

void RememberedHittersShots(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const int pattern = KindShotPattern(r);
    for (int i = 0; i < kHitterShots; ++i) {
        EnemyShotSpec spec = ActionShotSpec(group, slot, def, i, ShotStartX(group, slot), ShotStartY(group, slot),
                                            GetShotPatternAngle(group, slot, pattern, i, kHitterShots));
        spec.targetMode = r.KindBytes[i] + kHitterTargetBase;
        CreateKindShot(spec);
    }
    SetBits(r.FlagsF, kHitterCountShift, 4, 0);
    MarkKindAttackDone(r);
}

// Every repetition at once, the later ones waiting their interval; every
// other shot slower.
void CentreRings(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const int pattern = KindShotPattern(r);
    const int n = std::max(1, def.ShotsPerVolley);
    const int total = def.Repeats * def.ShotsPerVolley;
    for (int i = 0; i < total; ++i) {
        EnemyShotSpec spec = ActionShotSpec(group, slot, def, i, kCentreShotX, kCentreShotY,
                                            GetShotPatternAngle(group, slot, pattern, i, def.ShotSlots));
        if (i % 2 == 0)
            spec.speed *= kEvenShotSlowdown;
        spec.startAge = def.TestKind - i / n * def.RepeatPeriod;
        CreateKindShot(spec);
    }
    MarkKindAttackDone(r);
}

void AimedCopyShots(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    EnemyActionDef& copy = CopyRunningAction(group, slot);
    const int member = KindNamedMember(r);
    float angle = 0.0f;
    if (member < 0 || !GetAngleToMember(angle, member, r.CenterX, r.CenterY, false))
        angle = GetDirectionAngle(static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2)));
    copy.ActionParam1 = angle;
    FirePatternShots(group, slot, copy, copy.ShotsPerVolley);
    MarkKindAttackDone(r);
}

// Facing up or down, its shots split into their child row.
void ChildRowCopyShots(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    EnemyActionDef& copy = CopyRunningAction(group, slot);
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    if (facing == 1 || facing == 3)
        copy.ShotChildRow = 1;
    FirePatternShots(group, slot, copy, copy.ShotsPerVolley);
    MarkKindAttackDone(r);
}

// Ten rings of one to ten shots, each starting later than the one before.
void GrowingRings(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    EnemyActionDef& copy = CopyRunningAction(group, slot);
    const int pattern = KindShotPattern(r);
    for (int ring = 0; ring < kGrowingRings; ++ring) {
        for (int j = 0; j <= ring; ++j) {
            EnemyShotSpec spec = ActionShotSpec(group, slot, copy, j, ShotStartX(group, slot), ShotStartY(group, slot),
                                                GetShotPatternAngle(group, slot, pattern, j, ring + 1));
            spec.startAge = -kRingDelayStep * ring;
            CreateKindShot(spec);
        }
    }
    MarkKindAttackDone(r);
}
