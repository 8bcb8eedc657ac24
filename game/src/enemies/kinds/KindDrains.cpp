// The drain follow-ups: kind 88 bursts into a ring that grows with what it
// drained, healing the group instead in its variant 4; kind 164 fires a ring
// of a shot per four stock points, a large one at exactly 25.
#include "enemies/kinds/KindDrains.h"

#include <algorithm>

#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindActionShot.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSeDrain = 35;
constexpr int kBurstKind = 88;
constexpr int kRingKind = 164;
constexpr int kFullDrain = 30;
constexpr int kHalfDrain = 15;
constexpr int kHealVariant = 4;
constexpr int kLargeRingDrain = 25;
constexpr int kLargeRingShots = 10;
constexpr int kLargeRingEdgeMode = 2;

// How strong a burst is after draining c (below the full drain).
float BurstStrength(int c)
{
    if (c < kHalfDrain)
        return 0.75f - static_cast<float>(kHalfDrain - c) * 0.05f;
    return 1.0f - static_cast<float>(kFullDrain - c) * 0.5f / static_cast<float>(kFullDrain);
}

void SetLife(EnemyShotSpec& spec, float lifeMin, float lifeMax)
{
    spec.lifeMin = static_cast<std::int32_t>(lifeMin);
    spec.lifeMax = static_cast<std::int32_t>(lifeMax);
}

// The burst's changes to the action's shot by variant; false when the variant fires nothing.
bool ShapeBurstShot(EnemyShotSpec& spec, int variant, int c)
{
    const bool full = c >= kFullDrain;
    const float f = BurstStrength(c);
    switch (variant) {
    case 0:
        if (full) {
            spec.speed += 1.0f;
            spec.turn += 0.01f;
            SetLife(spec, 420.0f, 420.0f);
        } else {
            spec.speed *= f;
            spec.turn *= f;
            SetLife(spec, 360.0f * f, 360.0f * f);
        }
        return true;
    case 1:
        if (full) {
            spec.speed += 1.0f;
            SetLife(spec, 540.0f, 660.0f);
        } else {
            spec.speed *= f;
            SetLife(spec, 420.0f * f, 540.0f * f);
        }
        return true;
    case 2:
        if (full) {
            spec.speed += 1.0f;
            SetLife(spec, 614.0f, 614.0f);
        } else {
            spec.speed *= f;
            SetLife(spec, 360.0f * f, 360.0f * f);
        }
        return true;
    case 3:
        if (full) {
            spec.speed += 0.25f;
            SetLife(spec, 1500.0f, 1500.0f);
        } else {
            spec.speed *= f;
            SetLife(spec, 900.0f * f, 900.0f * f);
        }
        return true;
    case 5:
        if (full) {
            spec.turn += 0.02f;
            SetLife(spec, 480.0f, 480.0f);
            spec.ailment = 23;
        } else {
            spec.speed *= f;
            spec.turn *= f;
            SetLife(spec, 360.0f * f, 360.0f * f);
            if (c >= kHalfDrain)
                spec.ailment = 15;
        }
        return true;
    default:
        return true;
    }
}

void DrainBurst(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    // However long the drain ran, it bursts at most as a full one.
    const int c = std::min(r.DrainCount, kFullDrain);
    const int variant = def.Param;
    if (variant == kHealVariant) {
        const bool full = c >= kFullDrain;
        HealAllEnemies(group, full ? 100 : std::max(1, static_cast<int>(100.0f * BurstStrength(c))), full);
        return;
    }
    const int n = def.ShotsPerVolley;
    const float x = ShotStartX(group, slot);
    const float y = ShotStartY(group, slot);
    for (int i = 0; i < n; ++i) {
        EnemyShotSpec spec = ActionShotSpec(group, slot, def, i, x, y, EvenRingAngle(i, n));
        if (ShapeBurstShot(spec, variant, c))
            CreateKindShot(spec);
    }
}

void DrainRing(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int c = r.DrainCount;
    r.ActionCopy = group.RunningAction(slot);
    EnemyActionDef& copy = r.ActionCopy;
    int n = c / 4;
    if (c == kLargeRingDrain) {
        n = kLargeRingShots;
        copy.ActionCount16 = 480;
        copy.ActionLength18 = 600;
        copy.ActionParam0 = 6.0f;
        copy.ActionParam3 = 2.0f;
        SetBits(r.FlagsD, FLAGS_D_SUBPATTERN_MODE, 5, kLargeRingEdgeMode);
    } else {
        copy.ActionCount16 = 10 * c + 60;
        copy.ActionLength18 = 10 * c + 180;
        copy.ActionParam0 = static_cast<float>(c) / 25.0f * 3.0f + 2.0f;
    }
    const int pattern = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7));
    const float x = ShotStartX(group, slot);
    const float y = ShotStartY(group, slot);
    for (int i = 0; i < n; ++i)
        FireActionShot(group, slot, copy, i, x, y, GetShotPatternAngle(group, slot, pattern, i, n));
}

} // namespace

void DrainPartyStock(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    if (r.ActionFrame == 0) {
        PlaySoundEffect(kSeDrain);
        r.DrainCount = 0;
    }
    if (r.ActionFrame < def.ActionLength18) {
        // A period of 0 drains every frame; a stock past the last one drains nothing.
        const int period = std::max(1, def.ActionCount16);
        const int stock = def.Param;
        if (r.ActionFrame % period == 0 && stock >= 0 && stock < STOCK_COUNT && TheCharacter != nullptr &&
            TheCharacter->stock[stock] != 0) {
            SetPartyStock(stock, -1, false);
            ++r.DrainCount;
        }
    } else {
        if (r.ActionFrame == def.ActionLength18 && r.DrainCount != 0)
            RunKindDrainFollowUp(group, slot);
        r.DrainCount = 0;
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    group.FinishActionStep(slot, def.EndWithMove != 0);
}

void HealAllEnemies(CEnemyGroup& group, int percent, bool revive)
{
    for (int s = 0; s < group.EnemyCount(); ++s) {
        const std::uint32_t flags = group.Records[s].FlagsA;
        if (!(flags & (FLAGS_A_DEFEATED | FLAGS_A_ESCAPED)))
            group.HealEnemy(s, percent, percent, true);
        else if (revive && group.IsEnemyRevivable(s))
            group.HealEnemy(s, percent, percent, true);
    }
}

void RunKindDrainFollowUp(CEnemyGroup& group, int slot)
{
    switch (group.KindOf(slot)) {
    case kBurstKind:
        DrainBurst(group, slot);
        break;
    case kRingKind:
        DrainRing(group, slot);
        break;
    default:
        break;
    }
}
