#include "enemies/EnemyShotAim.h"

#include <cmath>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShotMotion.h"
#include "party/PartyServices.h"

namespace shotaim {

namespace {

constexpr float kTwoPi = 2.0f * BATTLE_PI;

int RandomMember()
{
    return TheCharacter != nullptr ? PickRandomAliveMember() : 0;
}

int NearestMember(const EnemyShotNode& node)
{
    return TheCharacter != nullptr ? FindNearestMember(CentreX(node), CentreY(node), -1) : 0;
}

} // namespace

float Wrap(float heading)
{
    while (heading >= BATTLE_PI)
        heading -= kTwoPi;
    while (heading < -BATTLE_PI)
        heading += kTwoPi;
    return heading;
}

float RandomHeading()
{
    return -BATTLE_PI + static_cast<float>(GameRandom() >> 5) * kTwoPi / 1024.0f;
}

bool RollChance(int chance)
{
    return GameRandom() < chance * 32767 / 100;
}

float CentreX(const EnemyShotNode& node)
{
    return node.X + kCentreOffset;
}

float CentreY(const EnemyShotNode& node)
{
    return node.Y + kCentreOffset;
}

bool HeadingToMember(const EnemyShotNode& node, int member, bool checkDown, float& heading)
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return false;
    return GetAngleToMember(heading, member, CentreX(node), CentreY(node), checkDown);
}

bool AimAtMember(EnemyShotNode& node, int member, bool checkDown)
{
    float heading = 0.0f;
    if (!HeadingToMember(node, member, checkDown, heading))
        return false;
    node.Angle = heading;
    return true;
}

bool AimAtNearestMember(EnemyShotNode& node)
{
    return AimAtMember(node, NearestMember(node), true);
}

bool AimAtRandomMember(EnemyShotNode& node)
{
    return AimAtMember(node, RandomMember(), true);
}

int TargetMember(EnemyShotNode& node)
{
    if (!eshot::TargetChosen::IsSet(node.BitsB))
        ChooseEnemyShotTarget(node);
    return static_cast<int>(eshot::Target::Get(node.BitsB));
}

bool AimAtTarget(EnemyShotNode& node)
{
    return AimAtMember(node, TargetMember(node), true);
}

bool HeadingToEnemy(const EnemyShotNode& node, int slot, float& heading)
{
    if (TheEnemyGroup == nullptr || slot < 0 || slot >= EnemySlotsInUse())
        return false;
    return GetEnemyAngleTo(heading, slot, CentreX(node), CentreY(node));
}

bool AimAtEnemy(EnemyShotNode& node, int slot)
{
    float heading = 0.0f;
    if (!HeadingToEnemy(node, slot, heading))
        return false;
    node.Angle = heading;
    return true;
}

int OwnerSlot(const EnemyShotNode& node)
{
    return static_cast<int>(eshot::OwnerSlot::Get(node.BitsB));
}

bool AimAtOtherEnemy(EnemyShotNode& node)
{
    if (TheEnemyGroup == nullptr)
        return false;
    return AimAtEnemy(node, PickOtherEnemy(-1, -1));
}

void TurnToward(EnemyShotNode& node, float goal, float rate)
{
    const float gap = Wrap(goal - node.Angle);
    if (gap >= 0.0f)
        node.Angle = rate >= gap ? goal : node.Angle + rate;
    else
        node.Angle = rate >= -gap ? goal : node.Angle - rate;
    node.Angle = Wrap(node.Angle);
}

} // namespace shotaim
