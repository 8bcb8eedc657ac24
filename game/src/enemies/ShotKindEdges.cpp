// The reactions of kind shots at the field edge, by their owner's kind.
#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShotAim.h"
#include "enemies/EnemyShotKindHooks.h"
#include "enemies/EnemySteering.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/ShotPatternAngles.h"

using namespace shotaim;

namespace {

constexpr int kFireElement = 3;
constexpr float kJitterHalf = 0.10908308f;           // 6.25°
constexpr float kJitterStep = 0.21816616f / 1024.0f; // 12.5° over 1024 draws

bool BurstAtEdge(EnemyShotNode& node)
{
    eshot::EdgeMode::Set(node.BitsA, 0);
    BurstShot(node, static_cast<int>(eshot::ChildCount::Get(node.BitsB)), 48, ShotVariant(node));
    return true;
}

bool AwayFromEdge(EnemyShotNode& node, int edge)
{
    node.Angle = Wrap(GetDirectionAngle(edge) + BATTLE_PI);
    return false;
}

bool ReflectOnceJittered(EnemyShotNode& node, int edge)
{
    if (eshot::Magic::Get(node.BitsD) != 0 && eshot::Element::Get(node.BitsA) == kFireElement) {
        float heading = node.Angle;
        if (AngleToFieldCentre(CentreX(node), CentreY(node), heading))
            node.Angle = heading;
        ClampAngleAwayFromEdge(node.Angle, edge);
        return false;
    }
    ReflectAngleAtEdge(node.Angle, edge);
    if (eshot::Chance::Get(node.BitsB) == 0) {
        eshot::Chance::Set(node.BitsB, 1);
        node.Angle = Wrap(node.Angle + kJitterHalf - static_cast<float>(GameRandom() >> 5) * kJitterStep);
    }
    return false;
}

} // namespace

bool RunShotKindEdge(EnemyShotNode& node, int edge)
{
    switch (ShotOwnerKind(node)) {
    case 162:
        return BurstAtEdge(node);
    case 176:
        return AwayFromEdge(node, edge);
    case 177:
        return ReflectOnceJittered(node, edge);
    default:
        return false;
    }
}
