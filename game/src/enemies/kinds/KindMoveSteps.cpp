// The small steps the kinds' walks share: random and jittered headings,
// the heading to a point and the heading of a facing.
#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindMoves.h"

namespace kindmove {

float RandomDirection()
{
    return static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI;
}

float Jitter7()
{
    return 0.1308997f - static_cast<float>(GameRandom() >> 5) * 0.00025566347f;
}

float DirectionTo(const EnemyRecord& r, float x, float y)
{
    const float dx = x - r.CenterX;
    const float dy = y - r.CenterY;
    if (dx == 0.0f && dy == 0.0f)
        return 0.0f;
    return AngleFromDelta(dx, dy);
}

float FacingDirection(const EnemyRecord& r)
{
    return GetDirectionAngle(static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2)));
}

} // namespace kindmove
