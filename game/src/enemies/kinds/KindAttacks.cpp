#include "enemies/kinds/KindAttacks.h"

#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindActionShot.h"
#include "enemies/kinds/KindHooks.h"

namespace {

constexpr int kFirstMemberMode = 3;

// Kind 190 fires an edge shot with action 2 and its rings with action 9.
void Kind190Attack(CEnemyGroup& group, int slot)
{
    const int action = KindAttackIndex(group.Records[slot]);
    if (action == 2)
        EdgeShotAtMember(group, slot);
    else if (action == 9)
        GrowingRings(group, slot);
    else
        MarkKindAttackDone(group.Records[slot]);
}

// Kind 183 takes the stocks with action 1, picks its volley with 2 to 5 and
// shoots back from the edge with 8.
void Kind183Attack(CEnemyGroup& group, int slot)
{
    const int action = KindAttackIndex(group.Records[slot]);
    if (action == 1)
        TakeAllStocksAttack(group, slot);
    else if (action >= 2 && action <= 5)
        ChooseKindVolley(group, slot, action - 2);
    else if (action == 8)
        EdgeShotBackAtNearest(group, slot);
    else
        MarkKindAttackDone(group.Records[slot]);
}

} // namespace

int KindAttackIndex(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_ACTION_INDEX, 5));
}

void MarkKindAttackDone(EnemyRecord& r)
{
    r.FlagsC |= FLAGS_C_ATTACK_DONE;
}

int KindShotPattern(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7));
}

int KindNamedMember(const EnemyRecord& r)
{
    const int member = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_TARGET_MODE, 5)) - kFirstMemberMode;
    return member >= 0 && member < PARTY_MEMBER_COUNT ? member : -1;
}

EnemyActionDef& CopyRunningAction(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef running = group.RunningAction(slot);
    r.ActionCopy = running;
    return r.ActionCopy;
}

void FirePatternShots(CEnemyGroup& group, int slot, const EnemyActionDef& def, int n)
{
    const int pattern = KindShotPattern(group.Records[slot]);
    const float x = ShotStartX(group, slot);
    const float y = ShotStartY(group, slot);
    for (int i = 0; i < n; ++i)
        FireActionShot(group, slot, def, i, x, y, GetShotPatternAngle(group, slot, pattern, i, n));
}

void RunEnemyKindAttackCase(CEnemyGroup& group, int slot)
{
    switch (group.KindOf(slot)) {
    case 78:
    case 102:
    case 110:
    case 124:
        StepKindStage(group, slot);
        break;
    case 90:
        CrowdRing(group, slot);
        break;
    case 113:
        FixedPairShots(group, slot);
        break;
    case 135:
    case 174:
        PickKindTarget(group, slot);
        break;
    case 142:
        UpwardFan(group, slot);
        break;
    case 147:
        GaugePatternShots(group, slot);
        break;
    case 150:
        ShotsAtMarkedMembersInFront(group, slot);
        break;
    case 153:
        RememberedHittersShots(group, slot);
        break;
    case 157:
        AlternatingRing(group, slot);
        break;
    case 159:
        CentreRings(group, slot);
        break;
    case 163:
        AimedCopyShots(group, slot);
        break;
    case 167:
        TopEdgeLanes(group, slot);
        break;
    case 176:
        TopEdgeRow(group, slot);
        break;
    case 179:
        LeadAndFan(group, slot);
        break;
    case 180:
        ChildRowCopyShots(group, slot);
        break;
    case 181:
        SideColumns(group, slot);
        break;
    case 183:
        Kind183Attack(group, slot);
        break;
    case 185:
        ScaledByLossesShots(group, slot);
        break;
    case 186:
        ShotsWhileNearOtherKind(group, slot);
        break;
    case 190:
        Kind190Attack(group, slot);
        break;
    default:
        break;
    }
}
