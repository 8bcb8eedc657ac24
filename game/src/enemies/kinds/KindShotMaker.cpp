// The defaults of a kind's shot and the shared headings and edge places.
#include "enemies/kinds/KindShotMaker.h"

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"

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
    EnemyShotSpec spec{};
    spec.x = r.CenterX - kHalfShot;
    spec.y = r.CenterY - kHalfShot;
    spec.power = 1.0f;
    spec.attack = r.Attack;
    spec.owner = &r;
    spec.ownerSlot = slot;
    return spec;
}

EnemyShotSpec NeutralKindShotOf(const CEnemyGroup& group, int slot)
{
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.owner = nullptr;
    return spec;
}

void FireKindShot(const EnemyShotSpec& spec)
{
    if (TheEnemyShotList != nullptr)
        TheEnemyShotList->CreateEnemyShot(spec);
}

void SetKindShotLife(EnemyShotSpec& spec, int life)
{
    spec.lifeMin = spec.lifeMax = life;
}

float RandomKindShotAngle()
{
    return static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI;
}

float HitQuarterAngle(int direction)
{
    return kQuarterStart[direction & 3] + static_cast<float>(GameRandom() >> 5) * (BATTLE_PI / 2.0f / 1024.0f);
}

float TopRowShotX(int i, int n)
{
    return FIELD_LEFT + kTopRowWidth / static_cast<float>(n) *
                            (static_cast<float>(i) + static_cast<float>(GameRandom() >> 7) / 256.0f);
}
