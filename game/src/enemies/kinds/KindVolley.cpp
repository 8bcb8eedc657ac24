// Kind 183's volleys, by the variant its attack chose: shots from the four
// corners, rain from the top, curving shots from the sides and shots thrown
// up from the bottom that fall back. At a stage each is denser and harder.
#include <cstdint>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindShotMaker.h"
#include "enemies/kinds/KindSpecials.h"

namespace {

constexpr int kVolleyDelay = 75;
constexpr float kDegree = BATTLE_PI / 180.0f;
constexpr float kSideAngle = 0.8208f;
constexpr float kSideTurn = 0.046875f;
constexpr int kSideShots = 5; // each side's shots of a volley
constexpr int kBottomShots = 5;
constexpr float kThrowSpeeds[3] = {6.2216f, 5.3502f, 4.3925f};
constexpr float kRowWidth = FIELD_RIGHT - FIELD_LEFT - ENEMY_SHOT_SIZE;

void FromCorners(EnemyShotSpec shot, bool staged)
{
    constexpr ShotPoint kCorners[4] = {
        {SHOT_EDGE_LEFT_X, SHOT_EDGE_TOP_Y},
        {SHOT_EDGE_RIGHT_X, SHOT_EDGE_TOP_Y},
        {SHOT_EDGE_LEFT_X, SHOT_EDGE_BOTTOM_Y},
        {SHOT_EDGE_RIGHT_X, SHOT_EDGE_BOTTOM_Y},
    };
    // From each corner into the field: the top-left one heads down and right.
    constexpr float kTurns[4] = {0.0f, -BATTLE_PI / 2.0f, BATTLE_PI / 2.0f, -BATTLE_PI};
    shot.speed = 3.0f;
    shot.turn = staged ? 0.0125f : 0.0f;
    SetKindShotLife(shot, 284);
    shot.aimKind = 41;
    shot.motion = staged ? 6 : 0;
    shot.targetMode = staged ? 1 : 0;
    for (int i = 0; i < 4; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.x = kCorners[i].x;
        shot.y = kCorners[i].y;
        shot.angle = (static_cast<float>(GameRandom() >> 7) * 0.3125f + 5.0f) * kDegree + kTurns[i];
        shot.startAge = -kVolleyDelay * i;
        FireKindShot(shot);
    }
}

void FromTop(EnemyShotSpec shot, bool staged)
{
    const int n = staged ? 16 : 8;
    const int perDelay = staged ? 4 : 2;
    shot.y = SHOT_EDGE_TOP_Y;
    shot.angle = 0.0f;
    shot.speed = staged ? 6.0f : 4.5f;
    SetKindShotLife(shot, 284);
    shot.element = 1;
    shot.aimKind = 37;
    shot.spread = staged ? 2 : 0;
    for (int i = 0; i < n; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.x = RandomShotColumnX();
        shot.startAge = -kVolleyDelay * (i / perDelay);
        FireKindShot(shot);
    }
}

void FromSides(EnemyShotSpec shot, bool staged)
{
    const int n = staged ? 2 * kSideShots : kSideShots;
    shot.speed = 4.0f;
    SetKindShotLife(shot, 400);
    shot.period = 32;
    shot.element = 2;
    shot.aimKind = 58;
    shot.motion = 17;
    shot.action = 47;
    shot.chance = 100;
    for (int i = 0; i < n; ++i) {
        // At a stage the shots come from the left and the right in turn.
        const bool right = staged && i % 2 == 1;
        shot.x = right ? SHOT_EDGE_RIGHT_X : SHOT_EDGE_LEFT_X;
        shot.y = RandomShotRowY();
        shot.angle = right ? -kSideAngle : kSideAngle;
        shot.turn = right ? -kSideTurn : kSideTurn;
        shot.startAge = -kVolleyDelay * i;
        FireKindShot(shot);
    }
}

void FromBottom(EnemyShotSpec shot, bool staged)
{
    const int n = staged ? 2 * kBottomShots : kBottomShots;
    const int per = staged ? 2 : 1;
    shot.y = SHOT_EDGE_BOTTOM_Y;
    shot.angle = -BATTLE_PI;
    shot.accel = -0.046875f;
    SetKindShotLife(shot, 480);
    shot.element = 3;
    shot.aimKind = 37;
    shot.motion = 2;
    for (int i = 0; i < n; ++i) {
        const float offset = static_cast<float>(GameRandom() >> 7) / 256.0f;
        shot.x = FIELD_LEFT + kRowWidth / kBottomShots * (static_cast<float>(i % kBottomShots) + offset);
        shot.speed = kThrowSpeeds[GameRandom() * 3 >> 15];
        shot.startAge = -60 * (i / per);
        FireKindShot(shot);
    }
}

} // namespace

void KindVolley(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const bool staged = KindField(r, FLAGS_E_KIND_STAGE) != 0;
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.power = staged ? 1.25f : 1.0f;
    shot.attack = r.AttackB;
    shot.magic = true;
    switch (r.KindBytes[1]) {
    case 0:
        FromCorners(shot, staged);
        break;
    case 1:
        FromTop(shot, staged);
        break;
    case 2:
        FromSides(shot, staged);
        break;
    case 3:
        FromBottom(shot, staged);
        break;
    default:
        break;
    }
}
