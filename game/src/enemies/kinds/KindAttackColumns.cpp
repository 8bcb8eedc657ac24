// Kind 181: with action 1 a volley of its copy along its facing over the
// repeats; with action 2 two columns of five shots closing in from both
// sides at a random height each.
#include "core/Random.h"
#include "core/BattleAngles.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindActionShot.h"
#include "enemies/kinds/KindAttacks.h"

namespace {

constexpr int kFacingVolleyAction = 1;
constexpr int kColumnsAction = 2;
constexpr int kColumnShots = 5;
constexpr float kLeftColumnX[kColumnShots] = {-16.0f, -34.745167f, -34.745167f, -80.0f, -80.0f};
constexpr float kRightColumnX[kColumnShots] = {640.0f, 658.745167f, 658.745167f, 704.0f, 704.0f};
constexpr float kColumnY[kColumnShots] = {144.0f, 98.745167f, 189.254833f, 80.0f, 208.0f};
// The random height spans the field less the column's own height.
constexpr float kHeightStep = (400.0f - 128.0f - 16.0f) / 256.0f;

void Column(CEnemyGroup& group, int slot, const float* xs, float heading)
{
    const float offset = static_cast<float>(GameRandom() >> 7) * kHeightStep;
    const EnemyActionDef& def = group.RunningAction(slot);
    for (int i = 0; i < kColumnShots; ++i)
        FireActionShot(group, slot, def, i, xs[i], kColumnY[i] + offset, heading);
}

} // namespace

void SideColumns(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int action = KindAttackIndex(r);
    if (action == kFacingVolleyAction) {
        EnemyActionDef& copy = CopyRunningAction(group, slot);
        copy.ActionParam1 = GetDirectionAngle(static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2)));
        FirePatternShots(group, slot, copy, copy.ShotsPerVolley);
        if (r.ActionFrame >= (copy.Repeats - 1) * copy.RepeatPeriod)
            MarkKindAttackDone(r);
        return;
    }
    if (action == kColumnsAction) {
        Column(group, slot, kLeftColumnX, BATTLE_PI / 2.0f);
        Column(group, slot, kRightColumnX, -BATTLE_PI / 2.0f);
    }
    MarkKindAttackDone(r);
}
