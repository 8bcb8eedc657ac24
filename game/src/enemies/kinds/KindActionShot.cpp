#include "enemies/kinds/KindActionShot.h"

#include <cmath>

#include "core/BattleAngles.h"
#include "core/EnemyDefs.h"
#include "enemies/Enemy.h"

namespace {

constexpr float kHalfShot = ENEMY_SHOT_SIZE / 2.0f;

float WrapIntoTurn(float a)
{
    if (!std::isfinite(a))
        return 0.0f;
    a = std::fmod(a + BATTLE_PI, 2.0f * BATTLE_PI);
    if (a < 0.0f)
        a += 2.0f * BATTLE_PI;
    return a - BATTLE_PI;
}

} // namespace

EnemyShotSpec ActionShotSpec(CEnemyGroup& group, int slot, const EnemyActionDef& def, int i, float x, float y,
                             float angle)
{
    const EnemyRecord& r = group.Records[slot];
    EnemyShotSpec spec{};
    spec.x = x;
    spec.y = y;
    spec.speed = def.ActionParam0;
    spec.angle = angle;
    spec.turn = def.ActionParam1;
    spec.accel = def.ActionParam2;
    spec.power = def.ActionParam3;
    spec.attack = r.AttackPower;
    spec.startAge = def.TestKind;
    spec.lifeMin = def.ActionCount16;
    spec.lifeMax = def.ActionLength18;
    spec.owner = &r;
    spec.period = static_cast<std::int16_t>(def.TargetKindId);
    spec.index = static_cast<std::int16_t>(i);
    spec.element = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_PHASE_INDEX, 3));
    spec.aimKind = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7));
    spec.motion = def.ShotMotion;
    spec.action = def.ShotAction;
    spec.edgeMode = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_SUBPATTERN_MODE, 5));
    spec.knock = def.ShotKnock;
    spec.magic = def.UsesAttackB != 0;
    spec.erasable = def.ShotErasable != 0;
    spec.hits = def.ShotHits;
    spec.targetMode = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_TARGET_MODE, 5));
    spec.once = def.ShotOnce != 0;
    spec.chance = def.ShotChance;
    spec.childCount = def.ShotChildCount;
    spec.childRow = def.ShotChildRow;
    spec.ownerSlot = slot;
    spec.orbitSlot = def.GaugeMember;
    spec.spread = def.ShotSpread;
    spec.ailment = def.ShotAilment;
    spec.ailmentRate = def.ShotAilmentRate;
    return spec;
}

void CreateKindShot(EnemyShotSpec spec)
{
    if (TheEnemyShotList == nullptr)
        return;
    spec.angle = WrapIntoTurn(spec.angle);
    TheEnemyShotList->CreateEnemyShot(spec);
}

void FireActionShot(CEnemyGroup& group, int slot, const EnemyActionDef& def, int i, float x, float y, float angle)
{
    CreateKindShot(ActionShotSpec(group, slot, def, i, x, y, angle));
}

float EvenRingAngle(int i, int n)
{
    return n < 1 ? -BATTLE_PI : static_cast<float>(i) / static_cast<float>(n) * 2.0f * BATTLE_PI - BATTLE_PI;
}

float ShotStartX(const CEnemyGroup& group, int slot)
{
    return group.Records[slot].CenterX - kHalfShot;
}

float ShotStartY(const CEnemyGroup& group, int slot)
{
    return group.Records[slot].CenterY - kHalfShot;
}
