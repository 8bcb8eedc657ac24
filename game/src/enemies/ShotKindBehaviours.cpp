// The hand-over of a kind shot's action to the behaviour of its owner's kind.
#include "enemies/ShotKindBehaviours.h"

using namespace shotkind;

ShotKindResult RunShotKindAction(EnemyShotNode& node)
{
    switch (ShotOwnerKind(node)) {
    case 99:
        return BurstAtItsPeriod(node);
    case 102:
        return AimAndSpeedUp(node);
    case 108:
        return OneOfFour(node);
    case 112:
        return SprayUpFromTheBottom(node);
    case 131:
        return OneOfEight(node);
    case 133:
        return AimAtIndexMember(node);
    case 139:
        return AroundTheCentre(node);
    case 144:
        return TwistByIndex(node);
    case 151:
        return SwingBack(node);
    case 153:
        return FastAtTarget(node);
    case 155:
        return RandomDiagonal(node);
    case 159:
        return AlongTheAxes(node);
    case 162:
        return ByVariant162(node);
    case 163:
        return StoredHeading(node);
    case 165:
        return BurstNearTarget(node);
    case 167:
        return BurstOnEnemy(node);
    case 169:
        return HeldWhilePairing(node);
    case 175:
        return UpwardSeeker(node);
    case 178:
        return BackToOwner(node);
    case 179:
        return Lurker(node);
    case 180:
        return ByVariant180(node);
    case 181:
        return ByVariant181(node);
    case 187:
        return FromBelow(node);
    case 190:
        return OwnerSight(node);
    default:
        return SHOT_KIND_COUNTED;
    }
}
