// The shots two kinds keep firing after their defeat, for as long as the
// battle lasts: kind 144's rain from the top and kind 190's rows from the
// left with a few rows left open to pass through.
#include <cstdint>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindDefeatFollowUps.h"
#include "enemies/kinds/KindShotMaker.h"

namespace {

constexpr int FLAGS_G_ROW_COUNTDOWN = 3; // 3 bits
constexpr int kFirstRowCountdown = 5;
constexpr int kRows = 12;
constexpr int kTopShotAim = 37;

int RowCountdown(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsG, FLAGS_G_ROW_COUNTDOWN, 3));
}

void SetRowCountdown(EnemyRecord& r, int value)
{
    SetBits(r.FlagsG, FLAGS_G_ROW_COUNTDOWN, 3, static_cast<std::uint32_t>(value));
}

} // namespace

void StartAfterlife(CEnemyGroup& group, int slot, int period)
{
    EnemyRecord& r = group.Records[slot];
    r.AfterlifeCounter = 0;
    r.AfterlifePeriod = static_cast<std::uint16_t>(period);
}

void StartAfterlifeRowCount(CEnemyGroup& group, int slot)
{
    SetRowCountdown(group.Records[slot], kFirstRowCountdown);
}

bool AfterlifeDue(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.AfterlifePeriod == 0)
        return false;
    if (++r.AfterlifeCounter < r.AfterlifePeriod)
        return false;
    r.AfterlifeCounter = 0;
    return true;
}

void AfterlifeRain(CEnemyGroup& group, int slot)
{
    EnemyShotSpec shot = NeutralKindShotOf(group, slot);
    shot.y = SHOT_EDGE_TOP_Y;
    shot.speed = 3.5f;
    shot.attack = group.Records[slot].AttackB;
    SetKindShotLife(shot, 240);
    shot.element = 1;
    shot.aimKind = kTopShotAim;
    shot.magic = true;
    shot.spread = 1;
    shot.ailment = 12;
    shot.ailmentRate = 2;
    for (int i = 0; i < 2; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.x = TopRowShotX(i, 2);
        FireKindShot(shot);
    }
}

void AfterlifeRows(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int left = RowCountdown(r) - 1;
    SetRowCountdown(r, left > 0 ? left : 0);
    if (left > 0)
        return;
    std::uint8_t order[kRows];
    for (int i = 0; i < kRows; ++i)
        order[i] = static_cast<std::uint8_t>(i);
    ShuffleBytes(order, kRows);
    const int open = 2 + (GameRandom() * 7 >> 15); // rows left free: 2 to 8
    EnemyShotSpec shot = NeutralKindShotOf(group, slot);
    shot.x = SHOT_EDGE_LEFT_X;
    shot.angle = BATTLE_PI / 2.0f;
    shot.speed = 2.0f;
    shot.accel = 0.025f;
    shot.power = 1.75f;
    shot.attack = r.AttackB;
    SetKindShotLife(shot, 240);
    shot.element = 2;
    shot.aimKind = kTopShotAim;
    shot.motion = 1;
    shot.magic = true;
    shot.ailment = 10;
    shot.ailmentRate = 10;
    for (int k = open; k < kRows; ++k) {
        const int row = order[k];
        shot.y = 400.0f / 13.0f * static_cast<float>(row + 1) + 72.0f;
        FireKindShot(shot);
    }
    SetRowCountdown(r, 2 + (GameRandom() >> 13));
}
