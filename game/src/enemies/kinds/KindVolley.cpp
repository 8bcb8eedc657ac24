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

void FromCorners(EnemyShotSpec spec, bool staged)
{
    constexpr ShotPoint kCorners[4] = {
        {SHOT_EDGE_LEFT_X, SHOT_EDGE_TOP_Y},
        {SHOT_EDGE_RIGHT_X, SHOT_EDGE_TOP_Y},
        {SHOT_EDGE_LEFT_X, SHOT_EDGE_BOTTOM_Y},
        {SHOT_EDGE_RIGHT_X, SHOT_EDGE_BOTTOM_Y},
    };
    // From each corner into the field: the top-left one heads down and right.
    constexpr float kTurns[4] = {0.0f, -BATTLE_PI / 2.0f, BATTLE_PI / 2.0f, -BATTLE_PI};
    spec.speed = 3.0f;
    spec.turn = staged ? 0.0125f : 0.0f;
    SetKindShotLife(spec, 284);
    spec.aimKind = 41;
    spec.motion = staged ? 6 : 0;
    spec.targetMode = staged ? 1 : 0;
    for (int i = 0; i < 4; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.x = kCorners[i].x;
        spec.y = kCorners[i].y;
        spec.angle = (static_cast<float>(GameRandom() >> 7) * 0.3125f + 5.0f) * kDegree + kTurns[i];
        spec.startAge = -kVolleyDelay * i;
        FireKindShot(spec);
    }
}

void FromTop(EnemyShotSpec spec, bool staged)
{
    const int n = staged ? 16 : 8;
    const int perDelay = staged ? 4 : 2;
    spec.y = SHOT_EDGE_TOP_Y;
    spec.angle = 0.0f;
    spec.speed = staged ? 6.0f : 4.5f;
    SetKindShotLife(spec, 284);
    spec.element = 1;
    spec.aimKind = 37;
    spec.spread = staged ? 2 : 0;
    for (int i = 0; i < n; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.x = RandomShotColumnX();
        spec.startAge = -kVolleyDelay * (i / perDelay);
        FireKindShot(spec);
    }
}

void FromSides(EnemyShotSpec spec, bool staged)
{
    const int n = staged ? 2 * kSideShots : kSideShots;
    spec.speed = 4.0f;
    SetKindShotLife(spec, 400);
    spec.period = 32;
    spec.element = 2;
    spec.aimKind = 58;
    spec.motion = 17;
    spec.action = 47;
    spec.chance = 100;
    for (int i = 0; i < n; ++i) {
        // At a stage the shots come from the left and the right in turn.
        const bool right = staged && i % 2 == 1;
        spec.x = right ? SHOT_EDGE_RIGHT_X : SHOT_EDGE_LEFT_X;
        spec.y = RandomShotRowY();
        spec.angle = right ? -kSideAngle : kSideAngle;
        spec.turn = right ? -kSideTurn : kSideTurn;
        spec.startAge = -kVolleyDelay * i;
        FireKindShot(spec);
    }
}

void FromBottom(EnemyShotSpec spec, bool staged)
{
    const int n = staged ? 2 * kBottomShots : kBottomShots;
    const int per = staged ? 2 : 1;
    spec.y = SHOT_EDGE_BOTTOM_Y;
    spec.angle = -BATTLE_PI;
    spec.accel = -0.046875f;
    SetKindShotLife(spec, 480);
    spec.element = 3;
    spec.aimKind = 37;
    spec.motion = 2;
    for (int i = 0; i < n; ++i) {
        const float offset = static_cast<float>(GameRandom() >> 7) / 256.0f;
        spec.x = FIELD_LEFT + kRowWidth / kBottomShots * (static_cast<float>(i % kBottomShots) + offset);
        spec.speed = kThrowSpeeds[GameRandom() * 3 >> 15];
        spec.startAge = -60 * (i / per);
        FireKindShot(spec);
    }
}

} // namespace

void KindVolley(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const bool staged = KindField(r, FLAGS_E_KIND_STAGE) != 0;
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.power = staged ? 1.25f : 1.0f;
    spec.attack = r.AttackB;
    spec.magic = true;
    switch (r.KindBytes[1]) {
    case 0:
        FromCorners(spec, staged);
        break;
    case 1:
        FromTop(spec, staged);
        break;
    case 2:
        FromSides(spec, staged);
        break;
    case 3:
        FromBottom(spec, staged);
        break;
    default:
        break;
    }
}
