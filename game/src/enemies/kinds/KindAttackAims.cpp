// The attacks that check where the others stand before they shoot: shots
// at the marked members only when all of them are in front, shots only
// while an enemy of another kind stands close, and kind 113's fixed pairs.
#include <algorithm>

#include "core/BattleAngles.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindConditions.h"
#include "enemies/kinds/KindActionShot.h"
#include "enemies/kinds/KindAttacks.h"
#include "party/PartyServices.h"

namespace {

constexpr double kOtherKindReachSq = 104.0 * 104.0;
constexpr int kSlantAction = 7;
constexpr int kFacingAction = 8;
constexpr int kPlainAimKind = 13;
constexpr int kPairAilmentRate = 3;

int FacingOf(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

// A shot of fixed values: no action definition behind it.
EnemyShotSpec PairShot(CEnemyGroup& group, int slot, float angle, float speed, int life, int ailment)
{
    const EnemyRecord& r = group.Records[slot];
    EnemyShotSpec spec{};
    spec.x = ShotStartX(group, slot);
    spec.y = ShotStartY(group, slot);
    spec.speed = speed;
    spec.angle = angle;
    spec.power = 1.0f;
    spec.attack = r.AttackPower;
    spec.lifeMin = life;
    spec.lifeMax = life;
    spec.owner = &r;
    spec.aimKind = kPlainAimKind;
    spec.targetMode = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_TARGET_MODE, 5));
    spec.ownerSlot = slot;
    spec.ailment = ailment;
    spec.ailmentRate = kPairAilmentRate;
    return spec;
}

void SlantedPair(CEnemyGroup& group, int slot)
{
    const bool up = FacingOf(group.Records[slot]) == 1;
    EnemyShotSpec first = PairShot(group, slot, up ? 3.0f * BATTLE_PI / 4.0f : -BATTLE_PI / 4.0f, 2.75f, 280, 2);
    first.turn = 0.02f;
    first.motion = 6;
    CreateKindShot(first);
    EnemyShotSpec second = PairShot(group, slot, up ? -3.0f * BATTLE_PI / 4.0f : BATTLE_PI / 4.0f, 4.6f, 800, 9);
    second.edgeMode = 5;
    CreateKindShot(second);
}

void FacingPair(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const float facing = GetDirectionAngle(FacingOf(r));
    const int pattern = KindShotPattern(r);
    EnemyShotSpec first = PairShot(group, slot, facing, 2.75f, 280, 2);
    first.aimKind = pattern;
    first.period = 70;
    first.action = 15;
    first.once = true;
    first.chance = 100;
    CreateKindShot(first);
    EnemyShotSpec second = PairShot(group, slot, facing, 6.0f, 180, 9);
    second.aimKind = pattern;
    CreateKindShot(second);
}

} // namespace

void ShotsAtMarkedMembersInFront(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (TheCharacter != nullptr) {
        bool allInFront = true;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (r.ActionTargetMask[m] && !IsMemberInFacing(m, r.CenterX, r.CenterY, FacingOf(r)))
                allInFront = false;
        const int pattern = KindShotPattern(r);
        const EnemyActionDef& def = group.RunningAction(slot);
        for (int m = 0; allInFront && m < PARTY_MEMBER_COUNT; ++m)
            if (r.ActionTargetMask[m])
                FireActionShot(group, slot, def, m, ShotStartX(group, slot), ShotStartY(group, slot),
                               GetShotPatternAngle(group, slot, pattern, m, PARTY_MEMBER_COUNT));
    }
    MarkKindAttackDone(r);
}

void ShotsWhileNearOtherKind(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const int lastRepeat = std::max(0, def.Repeats - 1) * def.RepeatPeriod;
    if (!OtherKindNear(group, slot, kOtherKindReachSq)) {
        r.ActionFrame = std::max(r.ActionFrame, lastRepeat);
        MarkKindAttackDone(r);
        return;
    }
    FireActionShot(group, slot, def, r.VolleyIndex++, ShotStartX(group, slot), ShotStartY(group, slot),
                   GetShotPatternAngle(group, slot, KindShotPattern(r), 0, 1));
    if (r.ActionFrame >= lastRepeat)
        MarkKindAttackDone(r);
}

void FixedPairShots(CEnemyGroup& group, int slot)
{
    const int action = KindAttackIndex(group.Records[slot]);
    if (action == kSlantAction)
        SlantedPair(group, slot);
    else if (action == kFacingAction)
        FacingPair(group, slot);
    MarkKindAttackDone(group.Records[slot]);
}
