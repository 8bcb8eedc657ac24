// The defaults of a kind's shot and the shared headings and edge places.
#include "enemies/kinds/KindShotMaker.h"

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySteering.h"

namespace {

constexpr float kHalfShot = ENEMY_SHOT_SIZE / 2.0f;
constexpr float kTopRowWidth = FIELD_RIGHT - FIELD_LEFT - ENEMY_SHOT_SIZE;
// The first heading of each hit direction's quarter, a quarter turn wide.
constexpr float kQuarterStart[4] = {-3.0f * BATTLE_PI / 4.0f, 3.0f * BATTLE_PI / 4.0f, BATTLE_PI / 4.0f,
                                    -BATTLE_PI / 4.0f};

} // namespace

EnemyShotSpec KindShotOf(const CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    EnemyShotSpec shot{};
    shot.x = r.CenterX - kHalfShot;
    shot.y = r.CenterY - kHalfShot;
    shot.power = 1.0f;
    shot.attack = r.Attack;
    shot.owner = &r;
    shot.ownerSlot = slot;
    return shot;
}

EnemyShotSpec NeutralKindShotOf(const CEnemyGroup& group, int slot)
{
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.owner = nullptr;
    return shot;
}

void FireKindShot(const EnemyShotSpec& shot)
{
    if (TheEnemyShotList != nullptr)
        TheEnemyShotList->CreateEnemyShot(shot);
}

void SetKindShotLife(EnemyShotSpec& shot, int life)
{
    shot.lifeMin = shot.lifeMax = life;
}

float RandomKindShotAngle()
{
    return static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI;
}

float HitQuarterAngle(int direction)
{
    return WrapHeading(kQuarterStart[direction & 3] +
                       static_cast<float>(GameRandom() >> 5) * (BATTLE_PI / 2.0f / 1024.0f));
}

float TopRowShotX(int i, int n)
{
    return FIELD_LEFT + kTopRowWidth / static_cast<float>(n) *
                            (static_cast<float>(i) + static_cast<float>(GameRandom() >> 7) / 256.0f);
}
