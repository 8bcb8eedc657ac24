// The heading an enemy's kind takes at each decision of the kind-chosen
// walk; kinds without a rule of their own walk straight down.
#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemySteering.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindMoves.h"
#include "party/PartyServices.h"

using namespace kindmove;

namespace {

// The corner or edge middle each slot of kind 90 heads for; the last two slots aim above the field.
constexpr float kSlotGoalX[8] = {FIELD_LEFT,  FIELD_LEFT,  FIELD_CENTER_X, FIELD_CENTER_X,
                                 FIELD_RIGHT, FIELD_RIGHT, 0.0f,           0.0f};
constexpr float kSlotGoalY[8] = {FIELD_TOP, FIELD_BOTTOM, FIELD_TOP, FIELD_BOTTOM, FIELD_TOP, FIELD_BOTTOM, 0.0f, 0.0f};
constexpr int kTrailAimKind = 57;
constexpr int kTrailChildRow = 61;
constexpr int kTrailAilment = 4;
constexpr int kTrailAilmentRate = 3;
constexpr int kPairKind = 173;

bool Standing(const CEnemyGroup& group, int slot)
{
    const EnemyRecord& o = group.Records[slot];
    return group.IsPresent(slot) && o.State != ENEMY_DEFEATED && o.State != ENEMY_FLEEING;
}

float TowardsSlotCorner(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    return DirectionTo(r, kSlotGoalX[slot & 7], kSlotGoalY[slot & 7]) + Jitter7();
}

float TowardsBottomMiddle(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    return DirectionTo(r, FIELD_CENTER_X, FIELD_BOTTOM - r.Height / 2.0f);
}

// A random heading into the half of the field on the far side of its middle line.
float RandomTowardsMiddleY(CEnemyGroup& group, int slot)
{
    const float half = static_cast<float>(GameRandom() >> 5) * (BATTLE_PI / 1024.0f);
    if (group.Records[slot].CenterY < FIELD_CENTER_Y)
        return half - BATTLE_PI / 2.0f;
    return WrapHeading(half + BATTLE_PI / 2.0f);
}

float RandomTowardsMiddleX(CEnemyGroup& group, int slot)
{
    const float half = static_cast<float>(GameRandom() >> 5) * (BATTLE_PI / 1024.0f);
    return group.Records[slot].CenterX < FIELD_CENTER_X ? half : half - BATTLE_PI;
}

float TowardsNearestPartyShot(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    float angle = 0.0f;
    if (TheCharaShot != nullptr && TheCharaShot->NearestCharaShot(angle, r.CenterX, r.CenterY))
        return angle;
    return r.MoveFrame == 0 ? FacingDirection(r) : r.Heading;
}

void FireTrailShot(CEnemyGroup& group, int slot, float heading)
{
    if (TheEnemyShotList == nullptr)
        return;
    const EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    EnemyShotSpec spec{};
    spec.x = r.CenterX - ENEMY_SHOT_SIZE / 2.0f;
    spec.y = r.CenterY - ENEMY_SHOT_SIZE / 2.0f;
    spec.speed = def.Speed;
    spec.angle = WrapHeading(heading + 0.2617994f - static_cast<float>(GameRandom() >> 5) * 0.00051132694f);
    spec.power = 1.0f;
    spec.attack = r.AttackB;
    spec.startAge = -def.Period;
    spec.lifeMin = spec.lifeMax = 2 * def.Period;
    spec.owner = &r;
    spec.aimKind = kTrailAimKind;
    spec.magic = true;
    spec.hits = 1;
    spec.childRow = kTrailChildRow;
    spec.ownerSlot = slot;
    spec.ailment = kTrailAilment;
    spec.ailmentRate = kTrailAilmentRate;
    TheEnemyShotList->CreateEnemyShot(spec);
}

// Keeps its heading on odd steps and bounces off the edges on even ones, leaving a trail shot each time.
float BounceWithTrail(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    const bool oddStep = def.Period != 0 && (r.MoveFrame / def.Period) % 2 == 1;
    const float base = oddStep ? r.Heading : BounceOffEdges(group, slot, def.Param);
    FireTrailShot(group, slot, base);
    return base;
}

// Every fourth step heads for its member, the steps between wander.
float StalkEveryFourthStep(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyMoveDef& def = group.RunningMove(slot);
    const int k = def.Period != 0 ? r.MoveFrame / def.Period : 0;
    if (k == 0)
        SetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2,
                static_cast<std::uint32_t>(group.GetMoveTargetMember(slot, def.Param)));
    if (k % 4 != 3)
        return RandomDirection();
    float heading = 0.0f;
    const int member = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_MOVE_MEMBER, 2));
    if (TheCharacter != nullptr && GetAngleToMember(heading, member, r.CenterX, r.CenterY, false))
        return heading;
    return 0.0f;
}

float SpinBySpeed2(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    if (r.MoveFrame == 0)
        return FacingDirection(r);
    float heading = r.Heading + group.RunningMove(slot).Speed2;
    if (heading >= BATTLE_PI)
        heading -= 2.0f * BATTLE_PI;
    return heading;
}

float TowardsEnemy(const EnemyRecord& r, const EnemyRecord& o)
{
    const float dx = o.CenterX - r.CenterX;
    const float dy = o.CenterY - r.CenterY;
    if (dx == 0.0f && dy == 0.0f)
        return FacingDirection(r);
    return AngleFromDelta(dx, dy) + Jitter7();
}

// Goes for the partner that holds it as its target, else for the nearest free one of its kind.
float SeekPartner(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const int holder = PairWithKind173(group, slot, 1.0e30);
    if (holder >= 0)
        return TowardsEnemy(r, group.Records[holder]);
    if (GetBits(r.FlagsG, FLAGS_G_PAIRING, 2) == PAIR_FREE) {
        int nearest = -1;
        double best = 0.0;
        for (int s = 0; s < group.EnemyCount(); ++s) {
            const EnemyRecord& o = group.Records[s];
            if (s == slot || group.KindOf(s) != kPairKind || !Standing(group, s) ||
                GetBits(o.FlagsG, FLAGS_G_PAIRING, 2) != PAIR_FREE)
                continue;
            const double dx = o.CenterX - r.CenterX;
            const double dy = o.CenterY - r.CenterY;
            if (nearest < 0 || dx * dx + dy * dy < best) {
                nearest = s;
                best = dx * dx + dy * dy;
            }
        }
        if (nearest >= 0)
            return TowardsEnemy(r, group.Records[nearest]);
    }
    return RandomDirection();
}

float TowardsFirstSlot(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    float angle = 0.0f;
    return CalcEnemyAngleTo(angle, 0, r.CenterX, r.CenterY) ? angle : FacingDirection(r);
}

} // namespace

float ExecuteEnemyKindMove(CEnemyGroup& group, int slot)
{
    switch (group.KindOf(slot)) {
    case 90:
        return TowardsSlotCorner(group, slot);
    case 142:
        return TowardsBottomMiddle(group, slot);
    case 143:
        return RandomTowardsMiddleY(group, slot);
    case 147:
        return TowardsNearestPartyShot(group, slot);
    case 160:
        return BounceWithTrail(group, slot);
    case 164:
        return StalkEveryFourthStep(group, slot);
    case 165:
        return RandomTowardsMiddleX(group, slot);
    case 170:
        return SpinBySpeed2(group, slot);
    case 173:
        return SeekPartner(group, slot);
    case 190:
        return TowardsFirstSlot(group, slot);
    default:
        return 0.0f;
    }
}
