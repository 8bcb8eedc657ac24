// Kind 185 grows with the group's losses: its shots are scaled up by the
// enemies already defeated; with action 4 one shot of the volley, drawn at
// the start, keeps the action's special values and the others fly plain.
#include <algorithm>

#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindActionShot.h"
#include "enemies/kinds/KindAttacks.h"

namespace {

constexpr int kSingleShotAction = 0;
constexpr int kMarkedVolleyAction = 4;
constexpr int kDefeatedCountShift = 0; // FlagsG bits 0-2
constexpr int kMarkedShotByte = 0;

int DefeatedCount(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsG, kDefeatedCountShift, 3));
}

int RepeatNumber(const EnemyRecord& r, const EnemyActionDef& def)
{
    return def.RepeatPeriod > 0 ? r.ActionFrame / def.RepeatPeriod : 0;
}

void MarkedVolley(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.ActionFrame == 0) {
        CopyRunningAction(group, slot).ActionParam3 = 1.0f + static_cast<float>(DefeatedCount(r)) / 3.0f;
        const int slots = std::max(1, r.ActionCopy.ShotSlots);
        r.KindBytes[kMarkedShotByte] = static_cast<std::uint8_t>(GameRandom() * slots >> 15);
    }
    const EnemyActionDef& copy = r.ActionCopy;
    const int n = copy.ShotsPerVolley;
    const int first = RepeatNumber(r, copy) * n;
    for (int i = 0; i < n; ++i) {
        const int index = first + i;
        EnemyShotSpec spec =
            ActionShotSpec(group, slot, copy, index, ShotStartX(group, slot), ShotStartY(group, slot),
                           GetShotPatternAngle(group, slot, KindShotPattern(r), index, std::max(1, copy.ShotSlots)));
        if (index != r.KindBytes[kMarkedShotByte]) {
            spec.period = 0;
            spec.action = 0;
            spec.childRow = 0;
        }
        CreateKindShot(spec);
    }
}

} // namespace

void ScaledByLossesShots(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int action = KindAttackIndex(r);
    if (action == kSingleShotAction) {
        if (r.ActionFrame == 0)
            CopyRunningAction(group, slot).ActionParam3 = 1.0f + static_cast<float>(DefeatedCount(r));
        const EnemyActionDef& copy = r.ActionCopy;
        const int k = RepeatNumber(r, copy);
        FireActionShot(group, slot, copy, k, ShotStartX(group, slot), ShotStartY(group, slot),
                       GetShotPatternAngle(group, slot, KindShotPattern(r), k, std::max(1, copy.ShotSlots)));
    } else if (action == kMarkedVolleyAction) {
        MarkedVolley(group, slot);
    } else {
        MarkKindAttackDone(r);
        return;
    }
    const EnemyActionDef& def = group.RunningAction(slot);
    if (r.ActionFrame >= (def.Repeats - 1) * def.RepeatPeriod)
        MarkKindAttackDone(r);
}
