#include "enemies/EnemyVolleys.h"

#include <algorithm>
#include <cmath>

#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "enemies/ShotHeadingRules.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindPatternHooks.h"
#include "enemies/kinds/KindShotHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr float kHalfShot = 8.0f;
constexpr int kFlagsDPartnerSlot = 17; // 4 bits, signed; set by the kind's own code
constexpr ShotPoint kNowhere = {SHOT_NOWHERE_X, SHOT_NOWHERE_Y};
constexpr ShotPoint kChosenPerShot = {0.0f, 0.0f};

// One volley's fixed values: the pattern divides the slots; m is the shot's
// number within the action (the index offset included).
struct Volley {
    CEnemyGroup& group;
    int slot;
    int slots;
    ShotPoint origin;
};

const EnemyRecord& Rec(const Volley& v)
{
    return v.group.Records[v.slot];
}

ShotPoint BodyCentre(const EnemyRecord& r)
{
    return {r.PosX + (r.Width - 16.0f) / 2.0f, r.PosY + (r.Height - 16.0f) / 2.0f};
}

ShotPoint MemberCentre(int member)
{
    const BattleMember& m = TheCharacter->members[member];
    return {m.centerX, m.centerY};
}

int PartnerSlot(const EnemyRecord& r)
{
    const int raw = static_cast<int>(GetBits(r.FlagsD, kFlagsDPartnerSlot, 4));
    return raw >= 8 ? raw - 16 : raw;
}

bool HasPartner(const EnemyRecord& r)
{
    const int partner = PartnerSlot(r);
    return partner >= 0 && partner < ENEMY_SLOTS;
}

ShotPoint PartnerOrigin(const CEnemyGroup& group, const EnemyRecord& r)
{
    return HasPartner(r) ? BodyCentre(group.Records[PartnerSlot(r)]) : kNowhere;
}

ShotPoint MemberOrigin(int member)
{
    if (TheCharacter == nullptr)
        return kNowhere;
    const BattleMember& m = TheCharacter->members[member];
    return {m.x + 16.0f - kHalfShot, m.y + 16.0f - kHalfShot};
}

ShotPoint VolleyOrigin(const CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    switch (r.ActionType) {
    case 1:
    case 3:
    case 21:
    case 32:
    case 38:
        return BodyCentre(r);
    case 5:
        return {FIELD_CENTER_X - kHalfShot, FIELD_CENTER_Y - kHalfShot};
    case 14:
        return {FIELD_CENTER_X - kHalfShot, SHOT_EDGE_TOP_Y};
    case 16:
        return MemberOrigin(0);
    case 33:
        return PartnerOrigin(group, r);
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 15:
    case 31:
    case 34:
    case 35:
    case 40:
    case 41:
    case 42:
    case 45:
    case 46:
    case 47:
        return kChosenPerShot;
    default:
        return kNowhere;
    }
}

ShotPoint OnRim(const Volley& v, float heading)
{
    const EnemyRecord& r = Rec(v);
    return {v.origin.x + r.Width / 2.0f * std::sin(heading), v.origin.y + r.Height / 2.0f * std::cos(heading)};
}

ShotPoint OnRimInField(const Volley& v, float heading)
{
    ShotPoint p = OnRim(v, heading);
    ClampToBattleField(p.x, p.y);
    return p;
}

// The radius index above the table's end takes its first radius.
float RingRadius(const Volley& v)
{
    const int index = v.group.RunningAction(v.slot).ShotChildCount;
    return index >= 0 && index < 3 ? RING_RADIUS_TABLE[index] : RING_RADIUS_TABLE[0];
}

ShotPoint OnPartnerRing(const Volley& v, float heading)
{
    const EnemyRecord& r = Rec(v);
    if (!HasPartner(r))
        return kNowhere;
    const EnemyRecord& partner = v.group.Records[PartnerSlot(r)];
    const float radius = RingRadius(v);
    return {v.origin.x + (partner.Width * 0.5f + radius) * std::sin(heading),
            v.origin.y + (partner.Height * 0.5f + radius) * std::cos(heading)};
}

ShotPoint SideLines(int m, float y)
{
    return {m % 2 == 0 ? SHOT_EDGE_LEFT_X : SHOT_EDGE_RIGHT_X, y};
}

// The columns (rows) of types 7, 35, 40 and 47 divide the field's width
// (height) into n + 1 equal parts; the kind orders the shots over them.
float ColumnX(const Volley& v, int m)
{
    const float column = GetKindColumnOrder(v.group, v.slot, m, v.slots);
    return (FIELD_RIGHT - FIELD_LEFT) / static_cast<float>(v.slots + 1) * (column + 1.0f) + FIELD_LEFT - kHalfShot;
}

float RowY(const Volley& v, int m)
{
    const float row = GetKindColumnOrder(v.group, v.slot, m, v.slots);
    return (FIELD_BOTTOM - FIELD_TOP) / static_cast<float>(v.slots + 1) * (row + 1.0f) + FIELD_TOP - kHalfShot;
}

ShotPoint LinedUpWithMember(int k, int member)
{
    if (TheCharacter == nullptr)
        return kNowhere;
    const ShotPoint centre = MemberCentre(member);
    return EdgeSpawnLinedUp(k, centre.x, centre.y);
}

ShotPoint LinedUpWithEnemy(const Volley& v, int m)
{
    return EdgeSpawnLinedUp(m, Rec(v).CenterX, Rec(v).CenterY);
}

int ActionMember(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsB, FLAGS_B_ACTION_MEMBER, 2)) % PARTY_MEMBER_COUNT;
}

ShotPoint MidOrCorner(int m)
{
    return m % 8 < 4 ? EdgeMidSpawn(m) : CornerSpawn(m);
}

// The corners take the shots in quarters of the slot count (at least one a corner).
ShotPoint CornerByQuarter(const Volley& v, int m)
{
    return CornerSpawn(m / std::max(1, v.slots / 4));
}

ShotPoint SpawnPoint(const Volley& v, int m, float heading)
{
    switch (Rec(v).ActionType) {
    case 1:
    case 5:
    case 14:
    case 16:
    case 21:
    case 38:
        return v.origin;
    case 3:
        return OnRim(v, heading);
    case 32:
        return OnRimInField(v, heading);
    case 6:
        return SideLines(m, RandomShotRowY());
    case 7:
        return {ColumnX(v, m), SHOT_EDGE_TOP_Y};
    case 8:
        return {RandomShotColumnX(), SHOT_EDGE_TOP_Y};
    case 9:
        return RandomEdgeSpawn(m);
    case 10:
        return CornerSpawn(m);
    case 11:
    case 12:
    case 13:
        return LinedUpWithMember(m, ActionMember(Rec(v)));
    case 15:
        return EdgeMidSpawn(m % v.slots);
    case 31:
        return {SHOT_EDGE_LEFT_X, RandomShotRowY()};
    case 33:
        return OnPartnerRing(v, heading);
    case 34:
        return LinedUpWithMember(0, (Rec(v).AttackStep % PARTY_MEMBER_COUNT + PARTY_MEMBER_COUNT) % PARTY_MEMBER_COUNT);
    case 35:
        return {SHOT_EDGE_LEFT_X, RowY(v, m)};
    case 40:
        return SideLines(m, RowY(v, m));
    case 41:
        return {RandomShotColumnX(), SHOT_EDGE_BOTTOM_Y};
    case 42:
        return CornerByQuarter(v, m);
    case 45:
        return LinedUpWithEnemy(v, m);
    case 46:
        return MidOrCorner(m);
    case 47:
        return {ColumnX(v, m), SHOT_EDGE_BOTTOM_Y};
    default:
        return kNowhere;
    }
}

// One repetition: c shots numbered from the offset o; the repetition j
// starts its shots j repeat periods later.
void FireRepetition(CEnemyGroup& group, int slot, const ShotPoint& origin, int j)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    int count = def.ShotsPerVolley;
    int slots = def.ShotSlots;
    int offset = def.ContinueIndex ? r.VolleyIndex * count : 0;
    if (def.KindVolleyHook)
        ApplyKindVolleyHook(group, slot, count, slots, offset);
    const Volley v{group, slot, std::max(1, slots), origin};
    const int startAge = def.TestKind - def.RepeatPeriod * j;
    for (int k = 0; k < count; ++k) {
        const int m = k + offset;
        const int pattern = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7));
        if (KindPatternFiresNothing(group, slot, pattern, v.slots))
            break;
        float heading = GetShotPatternAngle(group, slot, pattern, m, v.slots);
        const ShotPoint p = SpawnPoint(v, m, heading);
        heading = AdjustSpawnedShotHeading(group, slot, heading, pattern, p.x, p.y, m);
        group.SpawnActionShot(slot, p.x, p.y, heading, pattern, startAge);
    }
    ++r.VolleyIndex;
}

} // namespace

void FireActionVolley(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.RepeatsLeft == 0)
        return;
    if (--r.RepeatsLeft == 0)
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    const EnemyActionDef& def = group.RunningAction(slot);
    if (!group.PayActionStock(slot, def))
        return;
    const ShotPoint origin = VolleyOrigin(group, slot);
    const int repetitions = def.SingleShot ? def.Repeats : 1;
    for (int j = 0; j < repetitions; ++j)
        FireRepetition(group, slot, origin, j);
}
