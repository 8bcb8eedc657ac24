// The attacks that come in from the field's edges: a row or lanes from the
// top, a shot from the edge nearest a member, and one that comes back along
// the line from the enemy to the nearest member.
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindActionShot.h"
#include "enemies/kinds/KindAttacks.h"
#include "party/PartyServices.h"

namespace {

constexpr int kAimedLaneAction = 4;

float TopEdgeX(int i, int slots)
{
    return (FIELD_RIGHT - FIELD_LEFT) / static_cast<float>(slots + 1) * static_cast<float>(i + 1) + FIELD_LEFT -
           ENEMY_SHOT_SIZE / 2.0f;
}

void FireFromTop(CEnemyGroup& group, int slot, int i, int slots)
{
    FireActionShot(group, slot, group.RunningAction(slot), i, TopEdgeX(i, slots), SHOT_EDGE_TOP_Y, 0.0f);
}

int NearestOtherStanding(const CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    int best = -1;
    double bestSq = 0.0;
    for (int s = 0; s < group.EnemyCount(); ++s) {
        if (s == slot || !group.IsPresent(s))
            continue;
        const double dx = group.Records[s].CenterX - r.CenterX;
        const double dy = group.Records[s].CenterY - r.CenterY;
        const double d = dx * dx + dy * dy;
        if (best < 0 || d < bestSq) {
            best = s;
            bestSq = d;
        }
    }
    return best;
}

// One shot from the rim of its body towards the nearest other enemy.
void ShotAtNearestEnemy(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int other = NearestOtherStanding(group, slot);
    if (other < 0)
        return;
    SetBits(r.FlagsD, FLAGS_D_TARGET_MODE, 5, static_cast<std::uint32_t>(other));
    const EnemyRecord& o = group.Records[other];
    const float angle = AngleFromDelta(o.CenterX - r.CenterX, o.CenterY - r.CenterY);
    FireActionShot(group, slot, group.RunningAction(slot), 0,
                   ShotStartX(group, slot) + r.Width / 2.0f * std::sin(angle),
                   ShotStartY(group, slot) + r.Height / 2.0f * std::cos(angle), angle);
}

// The lanes across the top with one gap drawn in each half; a lane fires
// only with its right-hand neighbour standing too (the last one on its own).
void LanesWithTwoGaps(CEnemyGroup& group, int slot)
{
    const EnemyActionDef& def = group.RunningAction(slot);
    const int lanes = def.Repeats * def.ShotsPerVolley;
    if (lanes < 1)
        return;
    const int half = lanes / 2;
    const int firstGap = GameRandom() * half >> 15;
    const int secondGap = half + GameRandom() * (lanes - half) / 32768;
    auto open = [&](int i) { return i != firstGap && i != secondGap; };
    for (int i = 0; i < lanes; ++i)
        if (open(i) && (i == lanes - 1 || open(i + 1)))
            FireFromTop(group, slot, i, lanes);
}

} // namespace

void TopEdgeRow(CEnemyGroup& group, int slot)
{
    const int n = group.RunningAction(slot).ShotsPerVolley;
    for (int i = 1; i <= n - 2; ++i)
        FireFromTop(group, slot, i, n);
    MarkKindAttackDone(group.Records[slot]);
}

void TopEdgeLanes(CEnemyGroup& group, int slot)
{
    if (KindAttackIndex(group.Records[slot]) == kAimedLaneAction)
        ShotAtNearestEnemy(group, slot);
    else
        LanesWithTwoGaps(group, slot);
    MarkKindAttackDone(group.Records[slot]);
}

void EdgeShotAtMember(CEnemyGroup& group, int slot)
{
    const int member = KindNamedMember(group.Records[slot]);
    if (member >= 0 && TheCharacter != nullptr) {
        const BattleMember& m = TheCharacter->members[member];
        const float x = m.centerX - ENEMY_SHOT_SIZE / 2.0f;
        const float y = m.centerY - ENEMY_SHOT_SIZE / 2.0f;
        const EnemyActionDef& def = group.RunningAction(slot);
        switch (GetNearestFieldEdge(m.centerX, m.centerY)) {
        case 0:
            FireActionShot(group, slot, def, 0, SHOT_EDGE_LEFT_X, y, BATTLE_PI / 2.0f);
            break;
        case 1:
            FireActionShot(group, slot, def, 0, x, SHOT_EDGE_TOP_Y, 0.0f);
            break;
        case 2:
            FireActionShot(group, slot, def, 0, SHOT_EDGE_RIGHT_X, y, -BATTLE_PI / 2.0f);
            break;
        default:
            FireActionShot(group, slot, def, 0, x, SHOT_EDGE_BOTTOM_Y, -BATTLE_PI);
            break;
        }
    }
    MarkKindAttackDone(group.Records[slot]);
}

void EdgeShotBackAtNearest(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    float angle = 0.0f;
    if (TheCharacter != nullptr &&
        GetAngleToMember(angle, FindNearestMember(r.CenterX, r.CenterY, -1), r.CenterX, r.CenterY, false)) {
        // Follow the line from the shot's start until it is just off the field.
        const float x0 = ShotStartX(group, slot);
        const float y0 = ShotStartY(group, slot);
        const float dx = std::sin(angle);
        const float dy = std::cos(angle);
        float t = std::numeric_limits<float>::max();
        if (dx > 1e-6f)
            t = std::min(t, (SHOT_EDGE_RIGHT_X - x0) / dx);
        if (dx < -1e-6f)
            t = std::min(t, (SHOT_EDGE_LEFT_X - x0) / dx);
        if (dy > 1e-6f)
            t = std::min(t, (SHOT_EDGE_BOTTOM_Y - y0) / dy);
        if (dy < -1e-6f)
            t = std::min(t, (SHOT_EDGE_TOP_Y - y0) / dy);
        t = std::max(t, 0.0f);
        FireActionShot(group, slot, group.RunningAction(slot), 0, x0 + dx * t, y0 + dy * t, angle + BATTLE_PI);
    }
    MarkKindAttackDone(r);
}
