#include "enemies/ChildShots.h"

#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyRecord.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyShotAim.h"
#include "party/PartyServices.h"

namespace {

using shotaim::Wrap;

constexpr float kParent = -1.0f;
constexpr int kParentLife = 0;
constexpr int kParentEdge = 255;
constexpr float kChildPower = 0.8f;
constexpr int kNoAim = 22;
constexpr float kTwoPi = 2.0f * BATTLE_PI;
// The default fan of code 48: 25 degrees centred on the parent's heading.
constexpr float kFanHalf = 0.21816616f;
constexpr float kFanWidth = 0.43633232f;
// Owner status effects the children keep.
constexpr int kOwnerAttackUp = 0;
constexpr int kOwnerWeak90 = 5;
constexpr int kOwnerWeak85 = 12;
constexpr int kOwnerWeak75 = 13;

float R()
{
    return static_cast<float>(GameRandom() >> 5);
}

// Less a whole turn when at or past pi.
float Below(float heading)
{
    return heading >= BATTLE_PI ? heading - kTwoPi : heading;
}

int OwnerKind(const EnemyShotNode& parent)
{
    if (TheEnemyGroup == nullptr)
        return -1;
    return TheEnemyGroup->KindOf(static_cast<int>(eshot::OwnerSlot::Get(parent.BitsB)));
}

float Fan(float p, int i, int n)
{
    // A fan of one has no spread: it flies on at the parent's heading.
    if (n <= 1)
        return p;
    return p - kFanHalf + kFanWidth * static_cast<float>(i) / static_cast<float>(n - 1);
}

float QuarterSpray(float p)
{
    return p - BATTLE_PI / 2.0f + R() * BATTLE_PI / 1024.0f;
}

// Code 48: the heading follows the kind of the parent's owner.
float KindHeading(const EnemyShotNode& parent, int i, int n)
{
    const float p = parent.Angle;
    switch (OwnerKind(parent)) {
    case 138:
        return Wrap(QuarterSpray(p));
    case 145:
        return Wrap(parent.Period == 33 ? Fan(p, i, n) : QuarterSpray(p));
    case 147:
    case 157:
    case 179:
        return Wrap(p - BATTLE_PI / 4.0f + static_cast<float>(GameRandom() >> 6) * BATTLE_PI / 1024.0f);
    case 162:
        return Wrap(BATTLE_PI / 2.0f / static_cast<float>(n + 1) * static_cast<float>(i + 1) - BATTLE_PI / 4.0f);
    case 172:
        return Wrap(p + (i == 0 ? 7.0f : 9.0f) * BATTLE_PI / 8.0f);
    case 178:
        return Wrap(p + (i % 2 == 0 ? BATTLE_PI / 2.0f : -BATTLE_PI / 2.0f));
    default:
        return Wrap(Fan(p, i, n));
    }
}

int ChildCount(const ChildShotRow& row, int count)
{
    // A minimum above the asked count gives the asked count.
    if (row.minCount == 0 || row.minCount >= count)
        return count;
    return row.minCount + GameRandom() * (count + 1 - row.minCount) / 32768;
}

float Pick(float rowValue, float parentValue)
{
    return rowValue == kParent ? parentValue : rowValue;
}

// A record of no enemy that carries the states the parent took from its owner.
EnemyRecord SubstituteOwner(const EnemyShotNode& parent)
{
    EnemyRecord owner{};
    auto set = [&](int effect, bool on) {
        if (on)
            owner.Status.effectBits |= 1u << effect;
    };
    set(kOwnerAttackUp, eshot::AttackUp::IsSet(parent.BitsC));
    ::AttackUpLevel::Set(owner.Status.boostLevels, eshot::AttackUpLevel::Get(parent.BitsC));
    set(kOwnerWeak90, eshot::Weak90::IsSet(parent.BitsD));
    set(kOwnerWeak85, eshot::Weak85::IsSet(parent.BitsD));
    set(kOwnerWeak75, eshot::Weak75::IsSet(parent.BitsD));
    return owner;
}

} // namespace

// speed, turn, accel, life, period, motion, action, hits, knock, chance,
// childCount, childRow, once, edge, minCount
const ChildShotRow ChildShotTable[CHILD_SHOT_ROWS] = {
    {3.5f, 0.0f, 0.0f, 240, 280, 0, 0, 0, 1, 0, 0, 0, 0, 0, kParentEdge, 0},
    {kParent, 0.0f, 0.0f, 0, kParentLife, 0, 0, 0, 0, 0, 0, 0, 0, 0, kParentEdge, 0},
    {4.25f, 0.0f, 0.0f, 0, kParentLife, 0, 0, 0, 0, 0, 0, 0, 0, 0, kParentEdge, 0},
    {4.0f, 0.015f, 0.0f, 180, 180, 0, 8, 0, 1, 0, 0, 0, 0, 0, kParentEdge, 0},
    {6.0f, 0.0f, 0.0f, 200, 280, 0, 0, 0, 3, 0, 0, 0, 0, 0, 1, 0},
    {kParent, 0.0f, 0.0f, 240, 240, 60, 0, 9, 1, 0, 100, 0, 0, 1, kParentEdge, 0},
    {7.0f, 0.0f, 0.0f, 240, 240, 0, 0, 0, 0, 0, 0, 0, 0, 0, kParentEdge, 0},
    {5.0f, 0.0f, 0.0f, 0, kParentLife, 0, 0, 0, 0, 0, 0, 0, 0, 0, kParentEdge, 2},
    {3.0f, 0.0f, 0.0f, 0, kParentLife, 60, 0, 30, 0, 0, 100, 8, 2, 1, kParentEdge, 0},
    {5.75f, 0.0f, 0.0f, 240, 240, 0, 0, 0, 0, 0, 0, 0, 0, 0, kParentEdge, 0},
    {2.0f, 0.0f, 0.0f, 0, kParentLife, 120, 0, 28, 0, 0, 100, 8, 11, 1, kParentEdge, 0},
    {4.0f, 0.02f, 0.0f, 0, kParentLife, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 4},
    {kParent, 0.0f, 0.0f, 0, kParentLife, 60, 0, 15, 1, 0, 100, 0, 0, 1, kParentEdge, 0},
    {6.0f, 0.0f, 0.0f, 0, kParentLife, 0, 0, 0, 0, 0, 0, 0, 0, 0, kParentEdge, 3},
    {6.5f, 0.0f, -0.25f, 20, 20, 0, 5, 0, 0, 2, 0, 0, 0, 0, kParentEdge, 0},
    {3.0f, 0.0f, 0.0f, 600, 600, 60, 17, 46, 0, 0, 100, 0, 0, 1, kParentEdge, 0},
    {kParent, kParent, kParent, 600, 600, 64, 17, 46, 0, 0, 100, 0, 0, 1, kParentEdge, 0},
};

float ChildShotHeading(const EnemyShotNode& parent, int spreadCode, int i, int n)
{
    const float p = parent.Angle;
    const float step = kTwoPi / static_cast<float>(std::max(n, 1));
    const float fi = static_cast<float>(i);
    switch (spreadCode) {
    case 27:
        return -BATTLE_PI + R() * kTwoPi / 1024.0f;
    case 28:
        return step * fi - BATTLE_PI;
    case 29:
        return step * (fi + 0.5f) - BATTLE_PI;
    case 30:
        return step * (fi + R() / 1024.0f) - BATTLE_PI;
    case 31:
        return Below(step * fi + p);
    case 32:
        return Below(step * (fi + 0.5f) + p);
    case 35:
        return Wrap(step * (fi + R() / 1024.0f - 0.5f) + p);
    case 36:
        return Below(step * (fi + R() / 1024.0f) + p);
    case 48:
        return KindHeading(parent, i, n);
    default:
        return -BATTLE_PI;
    }
}

void SpawnChildShot(const EnemyShotNode& parent, int count, int spreadCode, int rowIndex)
{
    if (TheEnemyShotList == nullptr || rowIndex < 0 || rowIndex >= CHILD_SHOT_ROWS)
        return;
    const ChildShotRow& row = ChildShotTable[rowIndex];
    const int n = ChildCount(row, count);
    const EnemyRecord owner = SubstituteOwner(parent);
    EnemyShotSpec spec{};
    spec.x = parent.X;
    spec.y = parent.Y;
    spec.speed = Pick(row.speed, parent.Speed);
    spec.turn = Pick(row.turn, parent.Turn);
    spec.accel = Pick(row.accel, parent.Accel);
    spec.power = parent.Power * kChildPower;
    spec.attack = parent.Attack();
    spec.startAge = 0;
    spec.lifeMin = row.lifeMax != kParentLife ? row.lifeMin : parent.Life;
    spec.lifeMax = row.lifeMax != kParentLife ? row.lifeMax : parent.Life;
    spec.owner = &owner;
    spec.period = static_cast<std::int16_t>(row.period);
    spec.element = static_cast<int>(eshot::Element::Get(parent.BitsA));
    spec.aimKind = kNoAim;
    spec.motion = row.motion;
    spec.action = row.action;
    spec.edgeMode = row.edge != kParentEdge ? row.edge : static_cast<int>(eshot::EdgeMode::Get(parent.BitsA));
    spec.knock = row.knock;
    spec.magic = eshot::Magic::IsSet(parent.BitsD);
    spec.erasable = eshot::Erasable::IsSet(parent.BitsB);
    spec.hits = row.hits;
    spec.targetMode = static_cast<int>(eshot::TargetMode::Get(parent.BitsB));
    spec.once = row.once != 0;
    spec.chance = row.chance;
    spec.childCount = row.childCount;
    spec.childRow = row.childRow;
    spec.ownerSlot = static_cast<int>(eshot::OwnerSlot::Get(parent.BitsB));
    spec.orbitSlot = static_cast<int>(eshot::OrbitSlot::Get(parent.BitsD));
    spec.spread = static_cast<int>(eshot::Spread::Get(parent.BitsC));
    spec.ailment = static_cast<int>(eshot::Ailment::Get(parent.BitsC));
    spec.ailmentRate = static_cast<int>(eshot::AilmentRate::Get(parent.BitsD));
    for (int i = 0; i < n; ++i) {
        spec.angle = ChildShotHeading(parent, spreadCode, i, n);
        spec.index = static_cast<std::int16_t>(i);
        TheEnemyShotList->CreateEnemyShot(spec);
    }
}
