// Volleys that enter from the field's edges: rain from the top, four shots
// lined up with the nearest member, and the partner kinds' rain that
// starts once one of the pair is gone.
#include <cstdint>

#include "core/BattleAngles.h"
#include "core/EnemyKinds.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindShotMaker.h"
#include "enemies/kinds/KindSpecials.h"
#include "party/PartyServices.h"

namespace {

constexpr int kTopShotAim = 37;
constexpr int kPartnerA = 114;
constexpr int kPartnerB = 115;
constexpr float kStrongScale = 1.25f;
constexpr float kCentreOfMember = 8.0f; // a 16-px shot centred on a 32-px member

int StageOf(const EnemyRecord& r)
{
    return KindField(r, FLAGS_E_KIND_STAGE);
}

// The partner's attack the pair's shots carry; the enemy's own without that kind.
int PartnerAttack(const CEnemyGroup& group, int slot, int partnerKind)
{
    const EnemyKind* kind = FindEnemyKind(partnerKind);
    return kind != nullptr ? kind->def.AttackB : group.Records[slot].AttackB;
}

} // namespace

void RainShotsFromTop(CEnemyGroup& group, int slot, float scale1, float scale2, float speed1, float speed2, int ailment,
                      int ailmentRate)
{
    const EnemyRecord& r = group.Records[slot];
    const int stage = StageOf(r);
    if (stage == 0)
        return;
    const int n = 2 * stage;
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.speed = stage <= 2 ? speed1 : stage <= 4 ? speed2 : 0.0f;
    shot.power = stage <= 2 ? scale1 : stage <= 4 ? scale2 : 1.0f;
    shot.attack = r.AttackB;
    SetKindShotLife(shot, 240);
    shot.element = 1;
    shot.aimKind = kTopShotAim;
    shot.magic = true;
    shot.ailment = ailment;
    shot.ailmentRate = ailmentRate;
    shot.y = SHOT_EDGE_TOP_Y;
    for (int i = 0; i < n; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.x = TopRowShotX(i, n);
        FireKindShot(shot);
    }
}

void EdgeShotsAtMember(CEnemyGroup& group, int slot, float speed, float scale, int period, int ailment, int ailmentRate)
{
    const EnemyRecord& r = group.Records[slot];
    const int stage = StageOf(r);
    if (stage == 0 || TheCharacter == nullptr)
        return;
    const int member = FindNearestMember(r.CenterX, r.CenterY, -1);
    if (member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    const float x = TheCharacter->members[member].x + kCentreOfMember;
    const float y = TheCharacter->members[member].y + kCentreOfMember;
    const ShotPoint from[4] = {
        {x, SHOT_EDGE_TOP_Y}, {x, SHOT_EDGE_BOTTOM_Y}, {SHOT_EDGE_LEFT_X, y}, {SHOT_EDGE_RIGHT_X, y}};
    const float inward[4] = {0.0f, -BATTLE_PI, BATTLE_PI / 2.0f, -BATTLE_PI / 2.0f};
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.speed = speed;
    shot.power = stage >= 2 ? scale * kStrongScale : scale;
    shot.attack = r.AttackB;
    SetKindShotLife(shot, 360);
    shot.element = 2;
    shot.aimKind = kTopShotAim;
    shot.magic = true;
    shot.erasable = true;
    shot.ailment = ailment;
    shot.ailmentRate = ailmentRate;
    if (stage >= 2) {
        // From the second stage on each shot bursts into four on its way.
        shot.period = static_cast<std::int16_t>(period);
        shot.action = 30;
        shot.once = true;
        shot.chance = 100;
        shot.childCount = 4;
        shot.childRow = 1;
    }
    for (int i = 0; i < 4; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.x = from[i].x;
        shot.y = from[i].y;
        shot.angle = inward[i];
        FireKindShot(shot);
    }
}

void FirePartnerRain(CEnemyGroup& group, int slot)
{
    if (StageOf(group.Records[slot]) == 0)
        return;
    const int n = 4 + (GameRandom() * 5 >> 15);
    EnemyShotSpec shot = NeutralKindShotOf(group, slot);
    shot.y = SHOT_EDGE_TOP_Y;
    shot.speed = 4.0f;
    shot.power = kStrongScale;
    shot.attack = PartnerAttack(group, slot, kPartnerB);
    SetKindShotLife(shot, 240);
    shot.element = 1;
    shot.aimKind = kTopShotAim;
    shot.magic = true;
    shot.spread = 1;
    shot.ailment = 9;
    shot.ailmentRate = 5;
    for (int i = 0; i < n; ++i) {
        shot.index = static_cast<std::int16_t>(i);
        shot.x = TopRowShotX(i, n);
        FireKindShot(shot);
    }
}

void FirePartnerDrop(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    if (StageOf(r) == 0)
        return;
    EnemyShotSpec shot = NeutralKindShotOf(group, slot);
    shot.x = r.SavedPoint[0];
    shot.y = r.SavedPoint[1];
    shot.speed = 3.5f;
    shot.power = kStrongScale;
    shot.attack = PartnerAttack(group, slot, kPartnerA);
    SetKindShotLife(shot, 284);
    shot.period = 60;
    shot.aimKind = 1;
    shot.action = 9;
    shot.magic = true;
    shot.chance = 100;
    shot.ailment = 8;
    shot.ailmentRate = 5;
    FireKindShot(shot);
}
