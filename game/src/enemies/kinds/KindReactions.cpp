// Counter-shots of the kinds that answer a knock-back, and the switches that
// count hits in a window, record the hitting members or turn the phase.
#include <algorithm>
#include <cstdint>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotSpawn.h"
#include "enemies/kinds/KindReactions.h"
#include "enemies/kinds/KindShotMaker.h"
#include "party/PartyServices.h"

namespace {

constexpr int kComradeKind = 61;
constexpr int kQuarterShotAim = 17;
constexpr int kAheadShotAim = 11;
constexpr int kReloadFrames = 301;
constexpr std::uint32_t FLAGS_G_COUNTER_FIRED = 1u << 12;
constexpr std::uint32_t FLAGS_G_HIT_WINDOW_OPEN = 1u << 14;
constexpr int kWindowFrames = 250;
constexpr std::uint32_t kWindowHits = 14;
constexpr int FLAGS_F_HITTER_LIMIT = 0; // 4 bits
constexpr int FLAGS_F_HITTER_COUNT = 4; // 4 bits
constexpr int kKindBytes = 8;
constexpr float kFacingHeadings[4] = {-BATTLE_PI / 2.0f, -BATTLE_PI, BATTLE_PI / 2.0f, 0.0f};

int HitDirection(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_HIT_DIRECTION, 2));
}

float FacingHeading(const EnemyRecord& r)
{
    return kFacingHeadings[GetBits(r.FlagsA, FLAGS_A_FACING, 2)];
}

int Hitter(const KindKnockHit& hit)
{
    return std::min(static_cast<int>(ShotOwner::Get(hit.attackWord21)), PARTY_MEMBER_COUNT - 1);
}

int StandingOfKind(const CEnemyGroup& group, int kind)
{
    int n = 0;
    for (int s = 0; s < group.EnemyCount(); ++s)
        n += group.IsPresent(s) && group.Records[s].State != ENEMY_DEFEATED && group.KindOf(s) == kind;
    return n;
}

bool RunningMoveOfType(const EnemyRecord& r, int type)
{
    return (r.FlagsA & FLAGS_A_MOVE_RUNNING) && r.MoveType == type;
}

} // namespace

void CounterIntoHitQuarter(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.angle = HitQuarterAngle(HitDirection(r));
    shot.speed = 3.5f;
    SetKindShotLife(shot, 200);
    shot.aimKind = kQuarterShotAim;
    shot.edgeMode = 1;
    shot.erasable = HpPercent(r.Hp, r.MaxHp) >= 34;
    shot.hits = 1;
    shot.ailment = 7;
    shot.ailmentRate = 3;
    FireKindShot(shot);
}

void CounterByComrades(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const int n = StandingOfKind(group, kComradeKind);
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.speed = 3.25f;
    SetKindShotLife(shot, n < 5 ? 120 : 240);
    shot.aimKind = kQuarterShotAim;
    shot.edgeMode = 1;
    shot.erasable = n < 3;
    shot.hits = 1;
    shot.ailment = 1;
    shot.ailmentRate = 3;
    for (int i = 0; i < n; ++i) {
        shot.angle = HitQuarterAngle(HitDirection(r));
        FireKindShot(shot);
    }
}

void CounterFromFieldEdge(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    EnemyRecord& r = group.Records[slot];
    if ((hit.attackWord23 & KNOCK_HIT_FLAG_6) || TheCharacter == nullptr)
        return;
    const int side = KindField(r, FLAGS_E_KIND_CYCLE) & 3;
    const BattleMember& m = TheCharacter->members[Hitter(hit)];
    // Top, left, bottom, right: from there straight across the field.
    const ShotPoint from[4] = {{m.x + 8.0f, SHOT_EDGE_TOP_Y},
                               {SHOT_EDGE_LEFT_X, m.y + 8.0f},
                               {m.x + 8.0f, SHOT_EDGE_BOTTOM_Y},
                               {SHOT_EDGE_RIGHT_X, m.y + 8.0f}};
    const float across[4] = {0.0f, BATTLE_PI / 2.0f, -BATTLE_PI, -BATTLE_PI / 2.0f};
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.x = from[side].x;
    shot.y = from[side].y;
    shot.angle = across[side];
    shot.speed = 3.0f;
    SetKindShotLife(shot, 280);
    shot.aimKind = 37;
    shot.erasable = true;
    shot.hits = 1;
    shot.ailment = 11;
    shot.ailmentRate = 5;
    FireKindShot(shot);
    SetKindField(r, FLAGS_E_KIND_CYCLE, (side + 1) % 4);
}

void CounterTurningRound(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int cycle = KindField(r, FLAGS_E_KIND_CYCLE);
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.angle = static_cast<float>((8 - cycle) % 8) * (BATTLE_PI / 4.0f) - BATTLE_PI;
    shot.speed = 3.0f;
    SetKindShotLife(shot, 160);
    shot.aimKind = 12;
    shot.hits = 1;
    shot.ailment = 6;
    shot.ailmentRate = 3;
    FireKindShot(shot);
    SetKindField(r, FLAGS_E_KIND_CYCLE, (cycle + 1) % 8);
}

void CounterAhead(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    if (hit.previousState != ENEMY_NORMAL)
        return;
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.angle = FacingHeading(group.Records[slot]);
    shot.speed = 4.0f;
    SetKindShotLife(shot, 240);
    shot.aimKind = kAheadShotAim;
    shot.edgeMode = 1;
    shot.erasable = true;
    shot.hits = 1;
    shot.ailment = 10;
    shot.ailmentRate = 3;
    FireKindShot(shot);
}

void BurstCounterAhead(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    EnemyRecord& r = group.Records[slot];
    if (hit.previousState != ENEMY_NORMAL)
        return;
    const auto now = static_cast<std::int32_t>(group.FrameCounter);
    if ((r.FlagsG & FLAGS_G_COUNTER_FIRED) && now - r.HitWindowStart < kReloadFrames)
        return;
    r.FlagsG |= FLAGS_G_COUNTER_FIRED;
    r.HitWindowStart = now;
    EnemyShotSpec shot = KindShotOf(group, slot);
    shot.angle = FacingHeading(r);
    shot.speed = 4.0f;
    SetKindShotLife(shot, 134);
    shot.period = 30;
    shot.aimKind = kAheadShotAim;
    shot.action = 46;
    shot.edgeMode = 1;
    shot.chance = 100;
    shot.childCount = 6;
    shot.childRow = 5;
    shot.ailment = 10;
    shot.ailmentRate = 4;
    FireKindShot(shot);
}

void RecordHitter(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    EnemyRecord& r = group.Records[slot];
    const auto count = static_cast<int>(GetBits(r.FlagsF, FLAGS_F_HITTER_COUNT, 4));
    const auto limit = std::min(static_cast<int>(GetBits(r.FlagsF, FLAGS_F_HITTER_LIMIT, 4)), kKindBytes);
    if (count >= limit)
        return;
    r.KindBytes[count] = static_cast<std::uint8_t>(Hitter(hit));
    SetBits(r.FlagsF, FLAGS_F_HITTER_COUNT, 4, static_cast<std::uint32_t>(count + 1));
}

void CountHitsInWindow(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const auto now = static_cast<std::int32_t>(group.FrameCounter);
    if (!(r.FlagsG & FLAGS_G_HIT_WINDOW_OPEN) || now - r.HitWindowStart >= kWindowFrames) {
        r.HitWindowStart = now;
        r.HitWindowBase = static_cast<std::int32_t>(r.KnockbackCount);
    }
    if (r.KnockbackCount - static_cast<std::uint32_t>(r.HitWindowBase) >= kWindowHits)
        r.FlagsG |= FLAGS_G_HIT_WINDOW_FILLED;
    r.FlagsG |= FLAGS_G_HIT_WINDOW_OPEN;
}

void ShiftPhaseOnHit(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    EnemyRecord& r = group.Records[slot];
    if (hit.strength == 0) {
        // Some steps of its two special walks cannot be broken by a light hit.
        const int step = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_WALK_DIR, 2));
        if (RunningMoveOfType(r, 26) && (step == 1 || step > 2))
            return;
        if (RunningMoveOfType(r, 27) && (step == 0 || step == 2))
            return;
        if ((GameRandom() >> 13) != 0)
            return;
    }
    if (r.FlagsA & FLAGS_A_MOVE_RUNNING)
        group.StopMove(slot);
    SetKindField(r, FLAGS_E_KIND_PHASE, (KindField(r, FLAGS_E_KIND_PHASE) + 1 + (GameRandom() >> 14)) % 3);
}
