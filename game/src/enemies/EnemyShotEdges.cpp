// A shot that reaches the field's edge is put back inside it and reacts by
// its edge mode: mirrored, sent off at random, turned round, aimed at a
// member or an enemy, or left lying along the edge.
#include "core/GameConstants.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyShotAim.h"
#include "enemies/EnemyShotKindHooks.h"
#include "enemies/EnemyShotMotion.h"
#include "enemies/EnemySteering.h"

namespace {

using namespace shotaim;

constexpr int kNoEdge = -1;
constexpr int kEdgeLeft = 0;
constexpr int kEdgeTop = 1;
constexpr int kEdgeRight = 2;
constexpr int kEdgeBottom = 3;
// Mode 5 aims with this chance in 32768, mode 6 draws a heading with 3 in 4.
constexpr int kAimShare = 4915;
constexpr int kRandomShare = 3 * 32768 / 4;

// Puts the sprite back one pixel inside the far edges; the edge it met, the
// top or bottom first.
int ClampAtEdge(EnemyShotNode& node)
{
    int edge = kNoEdge;
    if (node.Y < FIELD_TOP) {
        node.Y = FIELD_TOP;
        edge = kEdgeTop;
    } else if (node.Y + ENEMY_SHOT_SIZE > FIELD_BOTTOM - 1.0f) {
        node.Y = FIELD_BOTTOM - 1.0f - ENEMY_SHOT_SIZE;
        edge = kEdgeBottom;
    }
    if (node.X < FIELD_LEFT) {
        node.X = FIELD_LEFT;
        if (edge == kNoEdge)
            edge = kEdgeLeft;
    } else if (node.X + ENEMY_SHOT_SIZE > FIELD_RIGHT - 1.0f) {
        node.X = FIELD_RIGHT - 1.0f - ENEMY_SHOT_SIZE;
        if (edge == kNoEdge)
            edge = kEdgeRight;
    }
    return edge;
}

// An aim that keeps off the edge, or a mirror when the aim fails.
void AimOrReflect(EnemyShotNode& node, int edge, bool aimed)
{
    if (aimed)
        ClampAngleAwayFromEdge(node.Angle, edge);
    else
        ReflectAngleAtEdge(node.Angle, edge);
}

void AimNearestOrReflect(EnemyShotNode& node, int edge)
{
    AimOrReflect(node, edge, AimAtNearestMember(node));
}

void SometimesAimNearest(EnemyShotNode& node, int edge)
{
    if (GameRandom() < kAimShare)
        AimNearestOrReflect(node, edge);
    else
        ReflectAngleAtEdge(node.Angle, edge);
}

void MostlyWander(EnemyShotNode& node, int edge)
{
    if (GameRandom() < kRandomShare)
        RandomAngleAwayFromEdge(node.Angle, edge);
    else
        AimNearestOrReflect(node, edge);
}

// True when the shot is spent.
bool React(EnemyShotNode& node, int mode, int edge)
{
    switch (mode) {
    case 1:
        ReflectAngleAtEdge(node.Angle, edge);
        break;
    case 2:
        RandomAngleAwayFromEdge(node.Angle, edge);
        break;
    case 3:
        ReverseAngleAwayFromEdge(node.Angle, edge);
        break;
    case 4:
        AimNearestOrReflect(node, edge);
        break;
    case 5:
        SometimesAimNearest(node, edge);
        break;
    case 6:
        MostlyWander(node, edge);
        break;
    case 7:
    case 8:
    case 9:
        AimOrReflect(node, edge, AimAtMember(node, mode - 7, true));
        break;
    case 11:
        AimOrReflect(node, edge, AimAtOtherEnemy(node));
        break;
    case 12:
        return RunShotKindEdge(node, edge);
    default:
        // 10, 13, 14 and 15 leave the shot lying along the edge.
        break;
    }
    return false;
}

} // namespace

bool ApplyEnemyShotEdge(EnemyShotNode& node)
{
    const int edge = ClampAtEdge(node);
    if (edge == kNoEdge)
        return false;
    return React(node, static_cast<int>(eshot::EdgeMode::Get(node.BitsA)), edge);
}
