// The periodic specials that fire from the enemy itself: a shot turning
// round it step by step, crosses, diagonals that multiply as its HP falls,
// random slow shots, an arcing burst and a pair by a shot pattern.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindShotMaker.h"
#include "enemies/kinds/KindSpecials.h"
#include "party/PartyBattleHelpers.h"

namespace {

constexpr float kEighth = BATTLE_PI / 4.0f;
constexpr int kTurningSteps = 8;
constexpr int kPairSteps = 4;
constexpr int kPoisonShotAim = 22;
constexpr int kSideShot = 12;
constexpr float kDiagonals[4] = {-3.0f * kEighth, -kEighth, kEighth, 3.0f * kEighth};
// The band of HP in which kind 111's pair chases its target.
constexpr int kChaseHighFrom = 67;
constexpr int kChaseHighTo = 99;
constexpr int kChaseLowBelow = 34;
constexpr int kPatternPair = 14;
constexpr float kNearCentre = 16.0f;

int HpPercentOf(const EnemyRecord& r)
{
    return HpPercent(r.Hp, r.MaxHp);
}

} // namespace

void FireTurningShot(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.angle = static_cast<float>(r.SpecialShotIndex) * kEighth - BATTLE_PI;
    spec.speed = 3.0f;
    SetKindShotLife(spec, 120);
    spec.aimKind = kPoisonShotAim;
    spec.erasable = HpPercentOf(r) >= 50;
    spec.hits = 1;
    spec.ailment = 1;
    spec.ailmentRate = 3;
    FireKindShot(spec);
    r.SpecialShotIndex = static_cast<std::uint16_t>((r.SpecialShotIndex + 1) % kTurningSteps);
}

void FireTurnedCross(CEnemyGroup& group, int slot)
{
    const float offset = static_cast<float>(GameRandom() >> 7) * (2.0f * BATTLE_PI / 1024.0f);
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.speed = 2.5f;
    spec.turn = 0.0125f;
    spec.lifeMin = 60;
    spec.lifeMax = 256;
    spec.aimKind = 23;
    spec.motion = 8;
    spec.erasable = true;
    spec.hits = 1;
    spec.ailment = group.KindOf(slot) == 42 ? 1 : 13;
    spec.ailmentRate = 2;
    for (int i = 0; i < 4; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.angle = static_cast<float>(i) * (BATTLE_PI / 2.0f) - BATTLE_PI + offset;
        FireKindShot(spec);
    }
}

void FireDiagonalsByHp(CEnemyGroup& group, int slot)
{
    std::uint8_t order[4] = {0, 1, 2, 3};
    ShuffleBytes(order, 4);
    const int n = std::clamp((99 - HpPercentOf(group.Records[slot])) / 25 + 1, 1, 4);
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.speed = 2.0f;
    spec.lifeMin = 1000;
    spec.lifeMax = 3000;
    spec.aimKind = 13;
    spec.edgeMode = 1;
    spec.hits = 2;
    spec.ailment = 5;
    spec.ailmentRate = 2;
    for (int i = 0; i < n; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.angle = kDiagonals[order[i] & 3];
        FireKindShot(spec);
    }
}

void TogglePhaseByChance(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if ((GameRandom() >> 14) != 0)
        SetKindField(r, FLAGS_E_KIND_PHASE, KindField(r, FLAGS_E_KIND_PHASE) ^ 1);
}

void FireRandomSlowShot(CEnemyGroup& group, int slot)
{
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.angle = RandomKindShotAngle();
    spec.speed = 2.0f;
    SetKindShotLife(spec, 600);
    spec.aimKind = kPoisonShotAim;
    spec.edgeMode = 1;
    spec.erasable = true;
    spec.hits = 1;
    spec.ailment = 4;
    spec.ailmentRate = 2;
    FireKindShot(spec);
}

void FireOppositePair(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int hp = HpPercentOf(r);
    const bool chases = (hp >= kChaseHighFrom && hp <= kChaseHighTo) || hp < kChaseLowBelow;
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.speed = 3.0f;
    SetKindShotLife(spec, 150);
    spec.aimKind = kSideShot;
    spec.erasable = true;
    spec.hits = 1;
    spec.ailment = 10;
    spec.ailmentRate = 3;
    if (chases) {
        spec.period = 60;
        spec.action = 15;
        spec.targetMode = group.ResolveTargetMode(slot, 2);
        spec.once = true;
        spec.chance = 33;
    }
    for (int i = 0; i < 2; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.angle = static_cast<float>(r.SpecialShotIndex + 4 * i) * kEighth - BATTLE_PI;
        FireKindShot(spec);
    }
    r.SpecialShotIndex = static_cast<std::uint16_t>((r.SpecialShotIndex + 1) % kPairSteps);
}

void FireArcingBurst(CEnemyGroup& group, int slot)
{
    struct Band {
        int base, span;
        float spread;
    };
    constexpr Band kHigh{3, 4, 0.654f}, kMiddle{5, 6, 0.720f}, kLow{10, 5, BATTLE_PI / 4.0f};
    const int hp = HpPercentOf(group.Records[slot]);
    const Band& band = hp > 66 ? kHigh : hp >= 34 ? kMiddle : kLow;
    const int n = band.base + (GameRandom() * band.span >> 15);
    EnemyShotSpec spec = KindShotOf(group, slot);
    // The speed that, slowed by the pull, just carries the shot up to the top line.
    const float rise = std::max(0.0f, spec.y - SHOT_EDGE_TOP_Y);
    spec.speed = (std::sqrt(8.0f * rise / 0.05f + 1.0f) - 1.0f) / 2.0f * 0.05f;
    spec.turn = 3.0f;
    spec.accel = 0.05f;
    spec.attack = group.Records[slot].AttackB;
    SetKindShotLife(spec, 600);
    spec.aimKind = kSideShot;
    spec.motion = 18;
    spec.magic = true;
    spec.ailment = 3;
    spec.ailmentRate = 3;
    for (int i = 0; i < n; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.angle = -band.spread + static_cast<float>(GameRandom()) * (2.0f * band.spread / 32768.0f);
        FireKindShot(spec);
    }
}

void FirePatternPair(CEnemyGroup& group, int slot)
{
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.speed = 2.5f;
    SetKindShotLife(spec, 720);
    spec.aimKind = 14;
    spec.edgeMode = 1;
    spec.hits = 1;
    spec.ailment = 12;
    spec.ailmentRate = 10;
    for (int i = 0; i < 2; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.angle = GetShotPatternAngle(group, slot, kPatternPair, i, 2);
        FireKindShot(spec);
    }
}

void FireShotByPartyCentre(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    float cx = 0.0f;
    float cy = 0.0f;
    GetPartyCentre(cx, cy);
    const bool onCentre = std::fabs(r.CenterX - cx) <= kNearCentre && std::fabs(r.CenterY - cy) <= kNearCentre;
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.angle = RandomKindShotAngle();
    spec.speed = onCentre ? 5.0f : 2.0f;
    spec.erasable = !onCentre;
    SetKindShotLife(spec, 900);
    spec.aimKind = kPoisonShotAim;
    spec.edgeMode = 1;
    spec.hits = 1;
    spec.ailment = 13;
    spec.ailmentRate = 3;
    FireKindShot(spec);
}
