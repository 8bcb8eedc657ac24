// Kind 142's attack: it turns to face up, then fires an upward fan of
// random headings at each repeat until its repeats are out.
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/kinds/KindActionShot.h"
#include "enemies/kinds/KindAttacks.h"

namespace {

constexpr int kFacingUp = 1;
constexpr float kFanFrom = 2.1206f;
constexpr float kFanWidth = 4.1546f - 2.1206f;

} // namespace

void UpwardFan(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const int k = def.RepeatPeriod > 0 ? r.ActionFrame / def.RepeatPeriod : 0;
    if (k == 0)
        SetBits(r.FlagsA, FLAGS_A_FACING, 2, kFacingUp);
    if (k >= 2 && k < def.Repeats + 2) {
        for (int i = 0; i < def.ShotsPerVolley; ++i) {
            const float angle = kFanFrom + static_cast<float>(GameRandom()) / 32768.0f * kFanWidth;
            FireActionShot(group, slot, def, i, ShotStartX(group, slot), ShotStartY(group, slot), angle);
        }
    }
    if (k >= def.Repeats + 1)
        MarkKindAttackDone(r);
}
