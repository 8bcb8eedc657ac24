// Walks that pick a heading now and then and turn away from the field edge
// they meet: a random heading, an aim at a member, or a diagonal.
#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemySteering.h"
#include "party/PartyServices.h"

namespace {

constexpr int kFirstEdgeWalk = 12;
constexpr int kLastEdgeWalk = 15;
constexpr int kDiagonalWalk = 14;
constexpr int kRandomWalk = 12;
constexpr int kReflect = 1;
constexpr int kRandomAway = 2;
constexpr int kReverse = 3;

float RandomFullTurn()
{
    return static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI;
}

float RandomDiagonal()
{
    return static_cast<float>(GameRandom() >> 13) * (BATTLE_PI / 2.0f) - 3.0f * BATTLE_PI / 4.0f;
}

} // namespace

bool CEnemyGroup::RunSteeredMove(int slot, int type)
{
    if (type < kFirstEdgeWalk || type > kLastEdgeWalk)
        return false;
    EnemyRecord& r = Records[slot];
    const EnemyMoveDef& def = RunningMove(slot);
    if (r.MoveFrame == 0 || (def.Period != 0 && r.MoveFrame % def.Period == 0)) {
        if (type == kRandomWalk)
            r.Heading = RandomFullTurn();
        else if (type == kDiagonalWalk)
            r.Heading = RandomDiagonal();
        else
            AimMoveAtTarget(slot);
    }
    WalkAlongHeading(slot, def.Speed, r.Heading);
    BounceAtFieldEdge(slot, kReflect, 0);
    return true;
}

void CEnemyGroup::BounceAtFieldEdge(int slot, int mode, int aimChance)
{
    EnemyRecord& r = Records[slot];
    if (r.Status.HasEffect(EFFECT_BIND))
        return;
    float dx = r.MoveX;
    float dy = r.MoveY;
    if (r.Status.HasEffect(EFFECT_CONFUSION)) {
        dx = -dx;
        dy = -dy;
    }
    // A slipping enemy looks ahead along the velocity its easing will give it.
    if (r.Status.HasEffect(EFFECT_SLIP)) {
        const float inertia[2] = {r.InertiaX, r.InertiaY};
        EaseVectorPair(inertia, dx, dy);
    }
    const float x = r.PosX + dx;
    const float y = r.PosY + dy;
    int edge = -1;
    // A corner counts as the top or bottom edge alone.
    if (y + r.OuterBox.top < FIELD_TOP)
        edge = 1;
    else if (y + r.OuterBox.bottom > FIELD_BOTTOM - 1.0f)
        edge = 3;
    else if (x + r.OuterBox.left < FIELD_LEFT)
        edge = 0;
    else if (x + r.OuterBox.right > FIELD_RIGHT - 1.0f)
        edge = 2;
    if (edge >= 0)
        TurnAtEdge(slot, edge, mode, aimChance);
}

void CEnemyGroup::TurnAtEdge(int slot, int edge, int mode, int aimChance)
{
    EnemyRecord& r = Records[slot];
    ++r.EdgeTurns;
    const bool reversed = r.Status.HasEffect(EFFECT_CONFUSION);
    if (aimChance != 0 && !reversed && GameRandom() < aimChance * 32767 / 100 && MoveCount(slot) != 0) {
        AimMoveAtTarget(slot);
        ClampAngleAwayFromEdge(r.Heading, edge);
    } else {
        const int met = reversed ? edge ^ 2 : edge;
        if (mode == kReflect)
            ReflectAngleAtEdge(r.Heading, met, met);
        else if (mode == kRandomAway)
            RandomAngleAwayFromEdge(r.Heading, met);
        else if (mode == kReverse)
            ReverseAngleAwayFromEdge(r.Heading, met);
    }
    // The turned heading moves the enemy this frame already.
    if (MoveCount(slot) != 0)
        WalkAlongHeading(slot, RunningMove(slot).Speed, r.Heading);
}
