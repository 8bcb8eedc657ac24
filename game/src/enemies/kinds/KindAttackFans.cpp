// The fans and rings fired over the repeats of an attack: kind 142 turns to
// face up and fans upward at random; kind 157 rings eight shots or fires
// quarter turns; kind 179 leads with a shot of another definition and fans.
#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
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

namespace {

constexpr int kEightShots = 8;
constexpr int kQuarterAction = 6;
constexpr int kAimedPattern = 11;
constexpr int kFanAction = 7;
constexpr int kLeadAction = 8;
constexpr int kFanLeadDef = 5;
constexpr int kSingleLeadDef = 6;
constexpr float kFanSpread = 0.7823f;

int FacingOf(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

bool DoneAtLastRepeat(const EnemyRecord& r, const EnemyActionDef& def)
{
    return r.ActionFrame >= (def.Repeats - 1) * def.RepeatPeriod;
}

// Three shots a quarter turn apart from a random start, plus one aimed shot.
void QuarterTurnShots(CEnemyGroup& group, int slot, const EnemyActionDef& def)
{
    const float x = ShotStartX(group, slot);
    const float y = ShotStartY(group, slot);
    for (int i = 0; i < 3; ++i) {
        const float turn = static_cast<float>(i) + static_cast<float>(GameRandom() >> 7) / 256.0f;
        EnemyShotSpec spec =
            ActionShotSpec(group, slot, def, i, x, y, turn * BATTLE_PI / 2.0f + 3.0f * BATTLE_PI / 4.0f);
        spec.period = 0;
        spec.action = 0;
        spec.edgeMode = 0;
        spec.once = false;
        spec.chance = 0;
        CreateKindShot(spec);
    }
    FireActionShot(group, slot, def, 3, x, y, GetShotPatternAngle(group, slot, kAimedPattern, 3, 4));
}

// Eight pattern shots; the odd ones keep the sub-pattern's edge mode.
void EightAlternating(CEnemyGroup& group, int slot, const EnemyActionDef& def)
{
    const EnemyRecord& r = group.Records[slot];
    const int pattern = KindShotPattern(r);
    for (int i = 0; i < kEightShots; ++i) {
        EnemyShotSpec spec = ActionShotSpec(group, slot, def, i, ShotStartX(group, slot), ShotStartY(group, slot),
                                            GetShotPatternAngle(group, slot, pattern, i, kEightShots));
        if (i % 2 == 0)
            spec.edgeMode = 0;
        CreateKindShot(spec);
    }
}

// A lead shot of another of its definitions, fired with edge mode 1.
void FireLeadShot(CEnemyGroup& group, int slot, int defIndex, float angle)
{
    if (group.ActionCount(slot) <= defIndex)
        return;
    EnemyRecord& r = group.Records[slot];
    SetBits(r.FlagsD, FLAGS_D_SUBPATTERN_MODE, 5, 1);
    FireActionShot(group, slot, group.ActionDefs[slot][defIndex], 0, ShotStartX(group, slot), ShotStartY(group, slot),
                   angle);
    SetBits(r.FlagsD, FLAGS_D_SUBPATTERN_MODE, 5, 0);
}

} // namespace

void AlternatingRing(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    if (KindAttackIndex(r) == kQuarterAction)
        QuarterTurnShots(group, slot, def);
    else
        EightAlternating(group, slot, def);
    if (def.RepeatPeriod <= 0 || r.ActionFrame / def.RepeatPeriod + 1 >= def.Repeats)
        MarkKindAttackDone(r);
}

void LeadAndFan(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const bool up = FacingOf(r) == 1;
    const int action = KindAttackIndex(r);
    if (action == kFanAction) {
        if (r.ActionFrame == 0)
            FireLeadShot(group, slot, kFanLeadDef, up ? -2.7489f : 0.3927f);
        const float base = up ? 3.0f * BATTLE_PI / 4.0f : -BATTLE_PI / 4.0f;
        for (int i = 0; i < def.ShotsPerVolley; ++i) {
            const float angle = base + static_cast<float>(GameRandom()) / 32768.0f * kFanSpread;
            FireActionShot(group, slot, def, i, ShotStartX(group, slot), ShotStartY(group, slot), angle);
        }
        if (DoneAtLastRepeat(r, def))
            MarkKindAttackDone(r);
        return;
    }
    if (action == kLeadAction) {
        const float facing = GetDirectionAngle(FacingOf(r));
        FireLeadShot(group, slot, kSingleLeadDef, facing);
        FireActionShot(group, slot, def, 0, ShotStartX(group, slot), ShotStartY(group, slot), facing);
    }
    MarkKindAttackDone(r);
}
