// The heading rules of the aimed walks that lie with the kinds: a random
// heading turned off the near edges, the field centre, the AI's target or
// an enemy of another kind.
#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemySteering.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindMoves.h"
#include "party/PartyServices.h"

using namespace kindmove;

namespace {

constexpr int kEdgeLeft = 0;
constexpr int kEdgeTop = 1;
constexpr int kEdgeRight = 2;
constexpr int kEdgeBottom = 3;
constexpr int FLAGS_F_CHOSEN_SLOT = 8; // 3 bits
constexpr int kTargetRuleLimit = 16;

bool PointsUp(float heading)
{
    return heading < -BATTLE_PI / 2.0f || heading >= BATTLE_PI / 2.0f;
}

bool StandingOtherKind(const CEnemyGroup& group, int slot, int other)
{
    const EnemyRecord& o = group.Records[other];
    return other != slot && group.IsPresent(other) && o.State != ENEMY_DEFEATED && o.State != ENEMY_FLEEING &&
           group.KindOf(other) != group.KindOf(slot);
}

int NearestOtherKind(const CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    int nearest = 0;
    double best = -1.0;
    for (int s = 0; s < group.EnemyCount(); ++s) {
        if (!StandingOtherKind(group, slot, s))
            continue;
        const double dx = group.Records[s].CenterX - r.CenterX;
        const double dy = group.Records[s].CenterY - r.CenterY;
        if (best < 0.0 || dx * dx + dy * dy < best) {
            nearest = s;
            best = dx * dx + dy * dy;
        }
    }
    return nearest;
}

} // namespace

float BounceOffEdges(CEnemyGroup& group, int slot, int p)
{
    const EnemyRecord& r = group.Records[slot];
    // A margin index beyond the table takes the first margin.
    const float m = BOUNCE_MARGINS[(p >= 0 && p <= 3) ? p : 0];
    const bool nearLeft = r.PosX < FIELD_LEFT - r.OuterBox.left + m;
    const bool nearRight = r.PosX + r.OuterBox.right > FIELD_RIGHT - m;
    const bool nearTop = r.PosY < FIELD_TOP - r.OuterBox.top + m;
    const bool nearBottom = r.PosY + r.OuterBox.bottom > FIELD_BOTTOM - m;
    // Confused, it turns as if it met the opposite edge.
    const int mirror = r.Status.HasEffect(EFFECT_CONFUSION) ? 2 : 0;
    float heading = RandomDirection();
    if (nearLeft && heading < 0.0f)
        ReflectAngleAtEdge(heading, kEdgeLeft ^ mirror);
    else if (nearRight && heading >= 0.0f)
        ReflectAngleAtEdge(heading, kEdgeRight ^ mirror);
    if (nearTop && PointsUp(heading))
        ReflectAngleAtEdge(heading, kEdgeTop ^ mirror);
    else if (nearBottom && !PointsUp(heading))
        ReflectAngleAtEdge(heading, kEdgeBottom ^ mirror);
    return heading;
}

float TowardsFieldCentre(CEnemyGroup& group, int slot, int p)
{
    const float heading = DirectionTo(group.Records[slot], FIELD_CENTER_X, FIELD_CENTER_Y);
    return p == 1 ? heading + Jitter7() : heading;
}

float TargetOrBounce(CEnemyGroup& group, int slot, int p)
{
    if (p < kTargetRuleLimit && (GameRandom() & 1) != 0) {
        group.AimMoveAtTarget(slot);
        return group.Records[slot].Heading;
    }
    return BounceOffEdges(group, slot, 0);
}

float TowardsOtherKind(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.MoveFrame == 0)
        SetBits(r.FlagsF, FLAGS_F_CHOSEN_SLOT, 3, static_cast<std::uint32_t>(NearestOtherKind(group, slot)));
    const int other = static_cast<int>(GetBits(r.FlagsF, FLAGS_F_CHOSEN_SLOT, 3));
    if (!StandingOtherKind(group, slot, other))
        return RandomDirection();
    return DirectionTo(r, group.Records[other].CenterX, group.Records[other].CenterY);
}

float KindWalkHeading(CEnemyGroup& group, int slot, int type)
{
    const int p = group.RunningMove(slot).Param;
    switch (type) {
    case 39:
        return BounceOffEdges(group, slot, p);
    case 40:
        return TowardsFieldCentre(group, slot, p);
    case 41:
        return ExecuteEnemyKindMove(group, slot);
    case 42:
        return TargetOrBounce(group, slot, p);
    case 45:
        return TowardsOtherKind(group, slot);
    default:
        return group.Records[slot].Heading;
    }
}
