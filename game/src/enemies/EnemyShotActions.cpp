// A shot's timed action: after its chance roll it steers, retargets,
// toggles its acceleration or bursts into children, and counts how often
// it ran.
#include <algorithm>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "enemies/ChildShots.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyShotAim.h"
#include "enemies/EnemyShotKindHooks.h"
#include "enemies/EnemyShotMotion.h"
#include "party/PartyServices.h"

namespace {

using namespace shotaim;

// What the action leaves behind.
enum class Outcome { Counted, NotCounted, Spent };

constexpr float kTopSpeed = 8.0f;
constexpr float kAimedSpeed = 6.0f;
constexpr float kSpeedBoost = 2.0f;
constexpr int kMotionStraight = 0;
constexpr int kMotionTurning = 8;
constexpr int kAimMember0 = 8;
constexpr int kAimMember2 = 10;

bool RunsWithoutRoll(int action)
{
    return action == 19 || action == 20 || action == 51;
}

bool IsToggle(int action)
{
    switch (action) {
    case 3:
    case 5:
    case 7:
    case 10:
    case 12:
    case 14:
    case 16:
    case 18:
    case 20:
    case 22:
    case 24:
    case 26:
    case 34:
        return true;
    default:
        return false;
    }
}

bool IsBurst(int action)
{
    return (action >= 27 && action <= 32) || action == 35 || action == 36 || action == 48;
}

int ActionCount(const EnemyShotNode& node)
{
    return static_cast<int>(eshot::ActionCount::Get(node.BitsD));
}

void Reverse(EnemyShotNode& node)
{
    node.Angle = Wrap(node.Angle + BATTLE_PI);
}

void TurnTowardNearest(EnemyShotNode& node)
{
    float heading = 0.0f;
    const int member = TheCharacter != nullptr ? FindNearestMember(CentreX(node), CentreY(node), -1) : -1;
    if (HeadingToMember(node, member, true, heading))
        TurnToward(node, heading, node.Turn);
}

void TurnTowardTarget(EnemyShotNode& node)
{
    float heading = 0.0f;
    if (HeadingToMember(node, TargetMember(node), true, heading))
        TurnToward(node, heading, node.Turn);
}

void SetTarget(EnemyShotNode& node, int member)
{
    eshot::Target::Set(node.BitsB, static_cast<std::uint32_t>(std::clamp(member, 0, PARTY_MEMBER_COUNT - 1)));
}

int IndexMember(const EnemyShotNode& node)
{
    return ((node.Index % 3) + 3) % 3;
}

Outcome Burst(EnemyShotNode& node, int action)
{
    SpawnChildShot(node, static_cast<int>(eshot::ChildCount::Get(node.BitsB)), action,
                   static_cast<int>(eshot::ChildRow::Get(node.BitsB)));
    return Outcome::Spent;
}

// 40: two turns, one each way, then nothing.
Outcome TurnTwice(EnemyShotNode& node)
{
    if (ActionCount(node) == 0)
        node.Angle = Wrap(node.Angle + node.Turn);
    else if (ActionCount(node) == 1)
        node.Angle = Wrap(node.Angle - node.Turn);
    else
        return Outcome::NotCounted;
    return Outcome::Counted;
}

// 42: a quarter turn that starts turning, then a quarter turn straight on.
Outcome QuarterTurns(EnemyShotNode& node)
{
    if (ActionCount(node) >= 2)
        return Outcome::NotCounted;
    if (ActionCount(node) == 1) {
        node.Angle = Wrap(node.Angle + BATTLE_PI / 2.0f);
        eshot::Motion::Set(node.BitsA, kMotionStraight);
    } else {
        node.Angle = Wrap(node.Angle + BATTLE_PI / 2.0f - node.Turn);
        eshot::Motion::Set(node.BitsA, kMotionTurning);
    }
    return Outcome::Counted;
}

void FlipAndReverse(EnemyShotNode& node)
{
    node.Accel = -node.Accel;
    Reverse(node);
}

// A second roll: aimed at the nearest member when it passes, else anywhere.
void AimNearestOrWander(EnemyShotNode& node)
{
    if (RollChance(static_cast<int>(eshot::Chance::Get(node.BitsB))))
        AimAtNearestMember(node);
    else
        node.Angle = RandomHeading();
}

void AimAtIndexMemberFast(EnemyShotNode& node)
{
    AimAtMember(node, IndexMember(node), true);
    node.Speed = kAimedSpeed;
}

// 41: only shots that aimed at a named member at their start aim at it again.
Outcome AimAtNamedMember(EnemyShotNode& node)
{
    const int aim = static_cast<int>(eshot::AimKind::Get(node.BitsA));
    if (aim < kAimMember0 || aim > kAimMember2)
        return Outcome::NotCounted;
    AimAtMember(node, aim - kAimMember0, false);
    return Outcome::Counted;
}

void AimNearestAndSpeedUp(EnemyShotNode& node)
{
    AimAtNearestMember(node);
    node.Speed = std::min(node.Speed + kSpeedBoost, kTopSpeed);
}

// 44: nothing the first time, a new heading (uncounted) every time after.
Outcome WanderAfterTheFirst(EnemyShotNode& node)
{
    if (ActionCount(node) == 0)
        return Outcome::Counted;
    node.Angle = RandomHeading();
    return Outcome::NotCounted;
}

void AimAtTargetStraight(EnemyShotNode& node)
{
    AimAtTarget(node);
    eshot::Motion::Set(node.BitsA, kMotionStraight);
}

Outcome ByKind(EnemyShotNode& node)
{
    switch (RunShotKindAction(node)) {
    case SHOT_KIND_NOT_COUNTED:
        return Outcome::NotCounted;
    case SHOT_KIND_SPENT:
        return Outcome::Spent;
    default:
        return Outcome::Counted;
    }
}

Outcome Apply(EnemyShotNode& node, int action)
{
    if (IsBurst(action))
        return Burst(node, action);
    switch (action) {
    case 1:
        node.Accel = -node.Accel;
        break;
    case 2:
        Reverse(node);
        break;
    case 4:
        node.Angle = Wrap(-node.Angle);
        break;
    case 6:
        node.Angle = Wrap(node.Angle <= 0.0f ? -BATTLE_PI - node.Angle : BATTLE_PI - node.Angle);
        break;
    case 8:
        FlipAndReverse(node);
        break;
    case 9:
        AimAtNearestMember(node);
        break;
    case 11:
        TurnTowardNearest(node);
        break;
    case 13:
        AimAtRandomMember(node);
        break;
    case 15:
        AimAtTarget(node);
        break;
    case 17:
        node.Angle = RandomHeading();
        break;
    case 19:
        AimNearestOrWander(node);
        break;
    case 21:
        SetTarget(node, TheCharacter != nullptr ? PickRandomAliveMember() : 0);
        break;
    case 23:
        SetTarget(node, TheCharacter != nullptr ? FindNearestMember(CentreX(node), CentreY(node), -1) : 0);
        break;
    case 25:
        SetTarget(node, (static_cast<int>(eshot::Target::Get(node.BitsB)) + 1) % PARTY_MEMBER_COUNT);
        break;
    case 33:
        AimAtEnemy(node, OwnerSlot(node));
        break;
    case 37:
        node.Angle = Wrap(node.Angle + node.Turn);
        break;
    case 38:
        AimAtIndexMemberFast(node);
        break;
    case 39:
        AimAtOtherEnemy(node);
        break;
    case 40:
        return TurnTwice(node);
    case 41:
        return AimAtNamedMember(node);
    case 42:
        return QuarterTurns(node);
    case 43:
        AimNearestAndSpeedUp(node);
        break;
    case 44:
        return WanderAfterTheFirst(node);
    case 45:
        AimAtTargetStraight(node);
        break;
    case 46:
    case 51:
        return ByKind(node);
    case 47:
        node.Turn = -node.Turn;
        break;
    case 49:
        AimAtMember(node, IndexMember(node), true);
        break;
    case 50:
        TurnTowardTarget(node);
        break;
    default:
        break;
    }
    return Outcome::Counted;
}

void Count(EnemyShotNode& node)
{
    eshot::ActionCount::Set(node.BitsD, (eshot::ActionCount::Get(node.BitsD) + 1) & 15u);
}

} // namespace

bool RunEnemyShotAction(EnemyShotNode& node)
{
    int action = static_cast<int>(eshot::Action::Get(node.BitsA));
    if (!RollChance(static_cast<int>(eshot::Chance::Get(node.BitsB))) && !RunsWithoutRoll(action))
        return false;
    // A toggle flips the acceleration; only the flip back to positive goes on
    // to the action below it.
    if (IsToggle(action)) {
        node.Accel = -node.Accel;
        if (node.Accel <= 0.0f) {
            Count(node);
            return false;
        }
        --action;
    }
    const Outcome outcome = Apply(node, action);
    if (outcome != Outcome::NotCounted)
        Count(node);
    return outcome == Outcome::Spent;
}
