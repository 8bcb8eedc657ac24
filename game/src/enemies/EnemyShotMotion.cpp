// A started shot's motion each frame: straight, accelerating within limits,
// homing, turning, orbiting an enemy, thrown, returning to its owner,
// chained in groups of five or swinging.
#include "enemies/EnemyShotMotion.h"

#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyShotAim.h"

namespace {

using namespace shotaim;

constexpr float kTopSpeed = 8.0f;
constexpr float kSlowSpeed = 4.0f;
constexpr float kCrawlSpeed = 2.0f;
// The orbit's distance beyond the enemy's half size, by the radius index.
constexpr float kOrbitRadii[3] = {32.0f, 96.0f, 20.0f};
// The turn of motion 10 halves, thirds … every this many frames.
constexpr int kTurnFadeFrames = 50;
// Chain members follow their leader at these spacings (by index mod 5).
constexpr int kChainGroup = 5;
constexpr float kChainSpacing[kChainGroup] = {0.0f, OUTSIDE_INSET, OUTSIDE_INSET, 64.0f, 64.0f};
constexpr float kChainReach = 64.0f;
constexpr float kChainCatchUp = 8.0f;

void Fly(EnemyShotNode& node, float speed)
{
    node.VelX = std::sin(node.Angle) * speed;
    node.VelY = std::cos(node.Angle) * speed;
}

// The speed t frames after the last action, clamped; Speed itself stays.
void FlyTimed(EnemyShotNode& node, int t, float low, float high)
{
    Fly(node, std::clamp(static_cast<float>(t) * node.Accel + node.Speed, low, high));
}

// Speed grows by Accel each frame, clamped.
void FlyAccelerated(EnemyShotNode& node, float low, float high)
{
    node.Speed = std::clamp(node.Speed + node.Accel, low, high);
    Fly(node, node.Speed);
}

void TurnTowardTarget(EnemyShotNode& node)
{
    float heading = 0.0f;
    if (HeadingToMember(node, TargetMember(node), true, heading))
        TurnToward(node, heading, node.Turn);
}

void TurnTowardEnemy(EnemyShotNode& node, int slot)
{
    float heading = 0.0f;
    if (HeadingToEnemy(node, slot, heading))
        TurnToward(node, heading, node.Turn);
}

void FlyUntilStopped(EnemyShotNode& node, int t)
{
    Fly(node, static_cast<float>(t) * node.Accel + node.Speed <= 0.0f ? 0.0f : node.Speed);
}

// Homing motions turn first, then fly at the timed speed from `low` up to 8.
void HomeOnTarget(EnemyShotNode& node, int t, float low)
{
    TurnTowardTarget(node);
    FlyTimed(node, t, low, kTopSpeed);
}

void HomeOnOwner(EnemyShotNode& node, int t, float low)
{
    TurnTowardEnemy(node, OwnerSlot(node));
    FlyTimed(node, t, low, kTopSpeed);
}

// The target mode names an enemy slot here.
void HomeOnEnemySlot(EnemyShotNode& node)
{
    TurnTowardEnemy(node, static_cast<int>(eshot::TargetMode::Get(node.BitsB)));
    Fly(node, node.Speed);
}

void TurnSteadily(EnemyShotNode& node, int t, float low)
{
    node.Angle = Wrap(node.Angle + node.Turn);
    FlyTimed(node, t, low, kTopSpeed);
}

void TurnLessWithAge(EnemyShotNode& node, int t)
{
    node.Angle = Wrap(node.Angle + node.Turn / static_cast<float>(node.Age / kTurnFadeFrames + 1));
    FlyTimed(node, t, 0.0f, kTopSpeed);
}

void Orbit(EnemyShotNode& node)
{
    const int slot = static_cast<int>(eshot::OrbitSlot::Get(node.BitsD));
    const int index = static_cast<int>(eshot::Chance::Get(node.BitsB));
    // An index beyond the three radii takes the first.
    const float radius = index < 3 ? kOrbitRadii[index] : kOrbitRadii[0];
    if (TheEnemyGroup != nullptr) {
        const EnemyRecord& r = TheEnemyGroup->Records[slot];
        node.X = (r.Width / 2.0f + radius) * std::sin(node.Angle) + r.CenterX - kCentreOffset;
        node.Y = (r.Height / 2.0f + radius) * std::cos(node.Angle) + r.CenterY - kCentreOffset;
    }
    node.Angle = Wrap(node.Angle + node.Turn);
}

// Rises at Speed, slowed by Accel each frame, falling at most at Turn.
void Throw(EnemyShotNode& node)
{
    node.VelY = std::min(static_cast<float>(node.Age) * node.Accel - node.Speed, node.Turn);
    node.VelX = node.VelY < 0.0f ? std::sin(node.Angle) * node.VelY : 0.0f;
}

// True once this frame's step carries the centre past the owner's centre.
bool Return(EnemyShotNode& node)
{
    Fly(node, node.Speed);
    float ox = 0.0f, oy = 0.0f;
    if (node.Age <= node.Period || !GetEnemyCentre(OwnerSlot(node), ox, oy))
        return false;
    const float x = CentreX(node) + node.VelX;
    const float y = CentreY(node) + node.VelY;
    return (node.VelX > 0.0f && x > ox) || (node.VelX < 0.0f && x < ox) || (node.VelY > 0.0f && y > oy) ||
           (node.VelY < 0.0f && y < oy);
}

const EnemyShotNode* ChainLeader(const EnemyShotNode& node)
{
    const EnemyShotNode* p = node.Prev;
    for (int step = 0; step < kChainGroup && p != nullptr; ++step, p = p->Prev)
        if (p->Index % kChainGroup == 0)
            return p;
    return nullptr;
}

// Groups of five: the leader flies, the others keep their spacing behind it
// while it backs off, and a group backing out past the field's side ends.
void Chain(EnemyShotNode& node)
{
    node.VelX = node.VelY = 0.0f;
    if (eshot::Ending::IsSet(node.BitsB))
        return;
    const float s = std::clamp(static_cast<float>(node.Age) * node.Accel + node.Speed, -kTopSpeed, kTopSpeed);
    const int place = ((node.Index % kChainGroup) + kChainGroup) % kChainGroup;
    const float g = kChainSpacing[place];
    if (s < 0.0f) {
        if (node.X < FIELD_LEFT - ENEMY_SHOT_SIZE - (kChainReach - g) || node.X > FIELD_RIGHT + kChainReach - g) {
            node.Age = node.Life - ENEMY_SHOT_ENDING_FRAMES - 1;
            return;
        }
        if (place != 0) {
            const EnemyShotNode* leader = ChainLeader(node);
            if (leader == nullptr)
                return;
            if (leader->Index != 0) {
                const float gap = leader->X - node.X - g;
                if (leader->X - g > node.X && gap <= kChainCatchUp)
                    node.VelX = gap;
            } else {
                const float gap = node.X - leader->X - g;
                if (node.X > leader->X + g && gap <= kChainCatchUp)
                    node.VelX = -gap;
            }
            return;
        }
    }
    node.VelX = std::sin(node.Angle) * s;
}

// Swings away from straight up, stopping there once it reaches it.
void Swing(EnemyShotNode& node)
{
    if (node.Angle != -BATTLE_PI) {
        if (node.Angle >= 0.0f) {
            node.Angle += node.Turn;
            if (node.Angle >= BATTLE_PI)
                node.Angle = -BATTLE_PI;
        } else {
            node.Angle = std::max(node.Angle - node.Turn, -BATTLE_PI);
        }
    }
    Fly(node, node.Speed);
}

} // namespace

bool ApplyEnemyShotMotion(EnemyShotNode& node, int t)
{
    switch (eshot::Motion::Get(node.BitsA)) {
    case 0:
        Fly(node, node.Speed);
        break;
    case 1:
        FlyTimed(node, t, 0.0f, kTopSpeed);
        break;
    case 2:
        FlyTimed(node, t, -kTopSpeed, kTopSpeed);
        break;
    case 3:
    case 15:
        FlyAccelerated(node, 0.0f, kTopSpeed);
        break;
    case 4:
        FlyAccelerated(node, 0.0f, kSlowSpeed);
        break;
    case 5:
        FlyUntilStopped(node, t);
        break;
    case 6:
        HomeOnTarget(node, t, 0.0f);
        break;
    case 7:
        HomeOnTarget(node, t, -kTopSpeed);
        break;
    case 8:
        TurnSteadily(node, t, 0.0f);
        break;
    case 9:
        TurnSteadily(node, t, -kTopSpeed);
        break;
    case 10:
        TurnLessWithAge(node, t);
        break;
    case 11:
        HomeOnOwner(node, t, 0.0f);
        break;
    case 12:
        HomeOnOwner(node, t, -kTopSpeed);
        break;
    case 13:
        FlyAccelerated(node, 0.0f, kCrawlSpeed);
        break;
    case 14:
        Orbit(node);
        break;
    case 16:
        FlyAccelerated(node, -kTopSpeed, kTopSpeed);
        break;
    case 18:
        Throw(node);
        break;
    case 19:
        HomeOnEnemySlot(node);
        break;
    case 20:
        return Return(node);
    case 21:
        Chain(node);
        break;
    case 22:
        Swing(node);
        break;
    default:
        // 17 is replaced at the start; codes above 22 keep the velocity.
        break;
    }
    return false;
}
