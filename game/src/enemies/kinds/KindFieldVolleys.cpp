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
#include "party/Character.h"
#include "party/PartyQueries.h"

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
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.speed = stage <= 2 ? speed1 : stage <= 4 ? speed2 : 0.0f;
    spec.power = stage <= 2 ? scale1 : stage <= 4 ? scale2 : 1.0f;
    spec.attack = r.AttackB;
    SetKindShotLife(spec, 240);
    spec.element = 1;
    spec.aimKind = kTopShotAim;
    spec.magic = true;
    spec.ailment = ailment;
    spec.ailmentRate = ailmentRate;
    spec.y = SHOT_EDGE_TOP_Y;
    for (int i = 0; i < n; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.x = TopRowShotX(i, n);
        FireKindShot(spec);
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
    EnemyShotSpec spec = KindShotOf(group, slot);
    spec.speed = speed;
    spec.power = stage >= 2 ? scale * kStrongScale : scale;
    spec.attack = r.AttackB;
    SetKindShotLife(spec, 360);
    spec.element = 2;
    spec.aimKind = kTopShotAim;
    spec.magic = true;
    spec.erasable = true;
    spec.ailment = ailment;
    spec.ailmentRate = ailmentRate;
    if (stage >= 2) {
        // From the second stage on each shot bursts into four on its way.
        spec.period = static_cast<std::int16_t>(period);
        spec.action = 30;
        spec.once = true;
        spec.chance = 100;
        spec.childCount = 4;
        spec.childRow = 1;
    }
    for (int i = 0; i < 4; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.x = from[i].x;
        spec.y = from[i].y;
        spec.angle = inward[i];
        FireKindShot(spec);
    }
}

void FirePartnerRain(CEnemyGroup& group, int slot)
{
    if (StageOf(group.Records[slot]) == 0)
        return;
    const int n = 4 + (GameRandom() * 5 >> 15);
    EnemyShotSpec spec = NeutralKindShotOf(group, slot);
    spec.y = SHOT_EDGE_TOP_Y;
    spec.speed = 4.0f;
    spec.power = kStrongScale;
    spec.attack = PartnerAttack(group, slot, kPartnerB);
    SetKindShotLife(spec, 240);
    spec.element = 1;
    spec.aimKind = kTopShotAim;
    spec.magic = true;
    spec.spread = 1;
    spec.ailment = 9;
    spec.ailmentRate = 5;
    for (int i = 0; i < n; ++i) {
        spec.index = static_cast<std::int16_t>(i);
        spec.x = TopRowShotX(i, n);
        FireKindShot(spec);
    }
}

void FirePartnerDrop(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    if (StageOf(r) == 0)
        return;
    EnemyShotSpec spec = NeutralKindShotOf(group, slot);
    spec.x = r.SavedPoint[0];
    spec.y = r.SavedPoint[1];
    spec.speed = 3.5f;
    spec.power = kStrongScale;
    spec.attack = PartnerAttack(group, slot, kPartnerA);
    SetKindShotLife(spec, 284);
    spec.period = 60;
    spec.aimKind = 1;
    spec.action = 9;
    spec.magic = true;
    spec.chance = 100;
    spec.ailment = 8;
    spec.ailmentRate = 5;
    FireKindShot(spec);
}
