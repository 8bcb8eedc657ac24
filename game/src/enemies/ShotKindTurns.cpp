// Kind shot behaviours that turn, speed up or re-aim the shot at each of
// its actions.
#include <cmath>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShotAim.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/ShotKindBehaviours.h"
#include "party/PartyServices.h"

using namespace shotaim;

namespace shotkind {

namespace {

constexpr float kFieldBottomY = 463.0f;
constexpr float kFieldCentreShotX = 312.0f;
constexpr float kFieldCentreShotY = 272.0f;

void SetMotion(EnemyShotNode& node, int motion)
{
    eshot::Motion::Set(node.BitsA, static_cast<std::uint32_t>(motion));
}

int ActionCount(const EnemyShotNode& node)
{
    return static_cast<int>(eshot::ActionCount::Get(node.BitsD));
}

bool CoinFlip()
{
    return GameRandom() < 16384;
}

} // namespace

ShotKindResult AimAndSpeedUp(EnemyShotNode& node)
{
    AimAtTarget(node);
    node.Speed += 2.0f;
    return SHOT_KIND_COUNTED;
}

ShotKindResult OneOfFour(EnemyShotNode& node)
{
    switch (GameRandom() >> 13) {
    case 0:
        return BurstShot(node, 6, 30, 0);
    case 1:
        node.Speed = 4.0f;
        AimAtRandomMember(node);
        break;
    case 2:
        node.Turn = 0.0125f;
        node.Angle = Wrap(node.Angle + BATTLE_PI / 2.0f - 0.0125f);
        SetMotion(node, 8);
        break;
    default:
        node.Speed = 5.0f;
        node.Angle = RandomHeading();
        break;
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult SprayUpFromTheBottom(EnemyShotNode& node)
{
    node.Y = kFieldBottomY;
    node.Angle = 1.8221238f + static_cast<float>(GameRandom() >> 5) * 0.0025770878f;
    return SHOT_KIND_COUNTED;
}

ShotKindResult OneOfEight(EnemyShotNode& node)
{
    const int r = GameRandom() >> 12;
    if (r <= 2) {
        AimAtMember(node, node.Index % PARTY_MEMBER_COUNT, true);
        node.Speed = 6.0f;
    } else if (r <= 5) {
        eshot::EdgeMode::Set(node.BitsA, 1);
        node.Speed = 5.0f;
    } else if (r == 6) {
        return BurstShot(node, 8, 30, 9);
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult AimAtIndexMember(EnemyShotNode& node)
{
    AimAtMember(node, node.Index % PARTY_MEMBER_COUNT, true);
    node.Speed = 6.5f;
    SetMotion(node, 0);
    return SHOT_KIND_COUNTED;
}

ShotKindResult AroundTheCentre(EnemyShotNode& node)
{
    if (ShotVariant(node) == 0) {
        node.X = kFieldCentreShotX;
        node.Y = kFieldCentreShotY;
        node.Angle = static_cast<float>(node.Index % 4) * BATTLE_PI / 2.0f - BATTLE_PI;
    } else if (ActionCount(node) == 0) {
        node.Angle = Wrap(node.Angle + BATTLE_PI / 2.0f - node.Turn);
        SetMotion(node, 8);
    } else if (ActionCount(node) == 3) {
        node.Angle = Wrap(node.Angle + BATTLE_PI / 2.0f);
        SetMotion(node, 0);
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult TwistByIndex(EnemyShotNode& node)
{
    node.Angle += node.Index % 2 != 0 ? -node.Turn : node.Turn;
    return SHOT_KIND_COUNTED;
}

ShotKindResult SwingBack(EnemyShotNode& node)
{
    node.Accel = -node.Accel;
    if (node.Accel < 0.0f)
        return SHOT_KIND_COUNTED;
    const float x = CentreX(node);
    const float y = CentreY(node);
    double enemyDistance = 0.0;
    const int enemy = TheEnemyGroup != nullptr ? NearestEnemyToPoint(*TheEnemyGroup, x, y, enemyDistance) : -1;
    double memberDistance = MEMBER_SEARCH_BOUND;
    const int member = TheCharacter != nullptr ? FindNearestMemberDist(memberDistance, x, y) : -1;
    if (enemy >= 0 && enemyDistance < memberDistance)
        AimAtEnemy(node, enemy);
    else if (member >= 0)
        AimAtMember(node, member, true);
    return SHOT_KIND_COUNTED;
}

ShotKindResult FastAtTarget(EnemyShotNode& node)
{
    node.Speed = 6.0f;
    AimAtTarget(node);
    return SHOT_KIND_COUNTED;
}

ShotKindResult RandomDiagonal(EnemyShotNode& node)
{
    node.Angle = static_cast<float>(GameRandom() >> 13) * BATTLE_PI / 2.0f - 3.0f * BATTLE_PI / 4.0f;
    return SHOT_KIND_COUNTED;
}

ShotKindResult AlongTheAxes(EnemyShotNode& node)
{
    if (node.Index % 2 != 0) {
        node.Speed = 3.125f;
        node.Angle = CoinFlip() ? -BATTLE_PI : 0.0f;
    } else {
        node.Speed = 5.0f;
        node.Angle = CoinFlip() ? -BATTLE_PI / 2.0f : BATTLE_PI / 2.0f;
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult ByVariant162(EnemyShotNode& node)
{
    switch (ShotVariant(node)) {
    case 0:
        node.Speed = 4.5f;
        if (node.Index % 3 == 0)
            node.Angle = Wrap(node.Angle + BATTLE_PI);
        else if (node.Index % 3 == 1)
            node.Angle = RandomHeading();
        else
            AimAtTarget(node);
        break;
    case 1: {
        const bool odd = node.Period != 0 && (node.Age / node.Period) % 2 != 0;
        SetMotion(node, odd ? 6 : 0);
        node.Speed = odd ? 2.0f : 4.0f;
        break;
    }
    case 2:
        node.Angle = static_cast<float>(node.Index / 2) * BATTLE_PI / 8.0f;
        if (node.Index % 2 != 0)
            node.Angle -= BATTLE_PI;
        node.Angle = Wrap(node.Angle);
        break;
    default:
        break;
    }
    return SHOT_KIND_COUNTED;
}

ShotKindResult StoredHeading(EnemyShotNode& node)
{
    constexpr float kSpeeds[4] = {6.0f, 4.0f, 3.25f, 6.0f};
    node.Speed = kSpeeds[ShotVariant(node) & 3];
    node.Angle = node.Turn;
    return SHOT_KIND_COUNTED;
}

} // namespace shotkind
