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
#include "party/PartyServices.h"

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
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.angle = static_cast<float>(r.SpecialShotIndex) * kEighth - BATTLE_PI;
    shot.speed = 3.0f;
    SetKindShotLife(shot, 120);
    shot.aimKind = kPoisonShotAim;
    shot.erasable = HpPercentOf(r) >= 50;
    shot.hits = 1;
    shot.ailment = 1;
    shot.ailmentRate = 3;
    FireKindShot(shot);
    r.SpecialShotIndex = static_cast<std::uint16_t>((r.SpecialShotIndex + 1) % kTurningSteps);
}

void FireTurnedCross(CEnemyGroup& group, int slot)
{
    const float offset = static_cast<float>(GameRandom() >> 7) * (2.0f * BATTLE_PI / 1024.0f);
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.speed = 2.5f;
    shot.turn = 0.0125f;
    shot.lifeMin = 60;
    shot.lifeMax = 256;
    shot.aimKind = 23;
    shot.motion = 8;
    shot.erasable = true;
    shot.hits = 1;
    shot.ailment = group.KindOf(slot) == 42 ? 1 : 13;
    shot.ailmentRate = 2;
    for (int i = 0; i < 4; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.angle = static_cast<float>(i) * (BATTLE_PI / 2.0f) - BATTLE_PI + offset;
        FireKindShot(shot);
    }
}

void FireDiagonalsByHp(CEnemyGroup& group, int slot)
{
    std::uint8_t order[4] = {0, 1, 2, 3};
    ShuffleBytes(order, 4);
    const int n = std::clamp((99 - HpPercentOf(group.Records[slot])) / 25 + 1, 1, 4);
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.speed = 2.0f;
    shot.lifeMin = 1000;
    shot.lifeMax = 3000;
    shot.aimKind = 13;
    shot.edgeMode = 1;
    shot.hits = 2;
    shot.ailment = 5;
    shot.ailmentRate = 2;
    for (int i = 0; i < n; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.angle = kDiagonals[order[i] & 3];
        FireKindShot(shot);
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
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.angle = RandomKindShotAngle();
    shot.speed = 2.0f;
    SetKindShotLife(shot, 600);
    shot.aimKind = kPoisonShotAim;
    shot.edgeMode = 1;
    shot.erasable = true;
    shot.hits = 1;
    shot.ailment = 4;
    shot.ailmentRate = 2;
    FireKindShot(shot);
}

void FireOppositePair(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int hp = HpPercentOf(r);
    const bool chases = (hp >= kChaseHighFrom && hp <= kChaseHighTo) || hp < kChaseLowBelow;
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.speed = 3.0f;
    SetKindShotLife(shot, 150);
    shot.aimKind = kSideShot;
    shot.erasable = true;
    shot.hits = 1;
    shot.ailment = 10;
    shot.ailmentRate = 3;
    if (chases) {
        shot.period = 60;
        shot.action = 15;
        shot.targetMode = group.ResolveTargetMode(slot, 2);
        shot.once = true;
        shot.chance = 33;
    }
    for (int i = 0; i < 2; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.angle = static_cast<float>(r.SpecialShotIndex + 4 * i) * kEighth - BATTLE_PI;
        FireKindShot(shot);
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
    EnemyShotSpec shot = KindShotOf(group, slot);
    // The speed that, slowed by the pull, just carries the shot up to the top line.
    const float rise = std::max(0.0f, shot.y - SHOT_EDGE_TOP_Y);
    shot.speed = (std::sqrt(8.0f * rise / 0.05f + 1.0f) - 1.0f) / 2.0f * 0.05f;
    shot.turn = 3.0f;
    shot.accel = 0.05f;
    shot.attack = group.Records[slot].AttackB;
    SetKindShotLife(shot, 600);
    shot.aimKind = kSideShot;
    shot.motion = 18;
    shot.magic = true;
    shot.ailment = 3;
    shot.ailmentRate = 3;
    for (int i = 0; i < n; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.angle = -band.spread + static_cast<float>(GameRandom()) * (2.0f * band.spread / 32768.0f);
        FireKindShot(shot);
    }
}

void FirePatternPair(CEnemyGroup& group, int slot)
{
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.speed = 2.5f;
    SetKindShotLife(shot, 720);
    shot.aimKind = 14;
    shot.edgeMode = 1;
    shot.hits = 1;
    shot.ailment = 12;
    shot.ailmentRate = 10;
    for (int i = 0; i < 2; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.angle = GetShotPatternAngle(group, slot, kPatternPair, i, 2);
        FireKindShot(shot);
    }
}

void FireShotByPartyCentre(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    float cx = 0.0f;
    float cy = 0.0f;
    GetPartyCentre(cx, cy);
    const bool onCentre = std::fabs(r.CenterX - cx) < kNearCentre && std::fabs(r.CenterY - cy) < kNearCentre;
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.angle = RandomKindShotAngle();
    shot.speed = onCentre ? 5.0f : 2.0f;
    shot.erasable = !onCentre;
    SetKindShotLife(shot, 900);
    shot.aimKind = kPoisonShotAim;
    shot.edgeMode = 1;
    shot.hits = 1;
    shot.ailment = 13;
    shot.ailmentRate = 3;
    FireKindShot(shot);
}
