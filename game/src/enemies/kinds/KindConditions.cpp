// The kinds' own action conditions, the selection bias of kinds 157 and 190,
// and the predicates behind the generic condition codes that ask the kind.
// A parameter that would index outside its array, or divide by zero,
// answers false.
#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyEdgeMargins.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/kinds/KindConditions.h"
#include "enemies/kinds/KindHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr double kNear96 = 9216.0;
constexpr double kNear80 = 6400.0;
constexpr double kNear64 = 4096.0;
constexpr double kNear104 = 10816.0;
constexpr double kAnyDistance = 1e18;
constexpr float kAheadMargins[4] = {32.0f, 64.0f, 96.0f, 128.0f};
constexpr int kLowHp[5] = {80, 60, 40, 20, 0};
constexpr int kHighHp[5] = {100, 79, 59, 39, 19};
constexpr int kClockPeriod = 3000;
constexpr int kClockStep = 600;
constexpr std::uint32_t FLAGS_F_HITS_RECORDED = 4; // 4 bits from bit 4
constexpr std::uint32_t kMemberAilments = 0x7FFE0;
constexpr int kMemberTargetedBit = 18;
constexpr int kRecentKnockbackFrames = 8;
constexpr int kSettledFrames = 360;

using Starts = std::uint32_t;

bool Standing(const CEnemyGroup& group, int s)
{
    return (group.Records[s].FlagsA & FLAGS_A_DEFEATED) == 0;
}

bool Acting(const CEnemyGroup& group, int s)
{
    const EnemyRecord& o = group.Records[s];
    return Standing(group, s) && (o.FlagsC & FLAGS_C_ACTING) && (o.FlagsA & FLAGS_A_ACTION_RUNNING) &&
           !(o.FlagsC & FLAGS_C_ATTACK_DONE) && group.ActionCount(s) != 0;
}

double DistanceSq(const EnemyRecord& a, const EnemyRecord& b)
{
    const double dx = a.CenterX - b.CenterX;
    const double dy = a.CenterY - b.CenterY;
    return dx * dx + dy * dy;
}

Starts Sum(const Starts* values, int from, int to)
{
    return from < to ? std::accumulate(values + from, values + to, Starts{0}) : 0;
}

bool HasStandingEnemyOfKind(const CEnemyGroup& group, int kind)
{
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (Standing(group, s) && group.KindOf(s) == kind)
            return true;
    return false;
}

bool AnyMemberHasAilment()
{
    if (TheCharacter == nullptr)
        return false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (!TheCharacter->IsKnockedOut(m) && (TheCharacter->members[m].effectBits & kMemberAilments))
            return true;
    return false;
}

bool AnyMemberTargeted()
{
    if (TheCharacter == nullptr)
        return false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (TheCharacter->members[m].HasEffect(kMemberTargetedBit))
            return true;
    return false;
}

bool CharaShotInField()
{
    return TheCharaShot != nullptr && TheCharaShot->AnyCharaShotInRect();
}

int HpDigitClass133(int hp)
{
    const int d = hp % 10;
    return d >= 5 && d <= 7 ? 2 : d >= 8 ? 1 : 0;
}

int HpDigitClass170(int hp)
{
    const int d = hp % 10;
    return d == 1 || d == 2 ? 2 : d >= 3 && d <= 5 ? 1 : 0;
}

std::uint32_t FramesSince(const CEnemyGroup& group, std::uint32_t frame)
{
    return group.FrameCounter - frame;
}

// Kind 173: a free partner, as `p` asks, and for p 2 the one it will grab.
bool PairingHolds(CEnemyGroup& group, int slot, int p)
{
    EnemyRecord& r = group.Records[slot];
    const int state = static_cast<int>(GetBits(r.FlagsG, FLAGS_G_PAIRING, 2));
    switch (p) {
    case 0:
        return state == PAIR_FREE && PairWithKind173(group, slot, kNear80) >= 0;
    case 1:
        return state == PAIR_FREE && PairWithKind173(group, slot, kAnyDistance) >= 0;
    case 2:
        if (state != PAIR_FREE)
            return false;
        for (int s = 0; s < group.EnemyCount(); ++s) {
            const EnemyRecord& o = group.Records[s];
            if (s == slot || group.KindOf(s) != group.KindOf(slot) || !Standing(group, s) ||
                GetBits(o.FlagsG, FLAGS_G_PAIRING, 2) != PAIR_FREE || DistanceSq(r, o) >= kNear64)
                continue;
            if (((o.FlagsA & FLAGS_A_ACTION_RUNNING) && o.ActionType == 44) ||
                PairWithKind173(group, s, kAnyDistance) >= 0)
                continue;
            SetBits(r.FlagsC, FLAGS_C_PAIR_TARGET, 3, static_cast<std::uint32_t>(s));
            return true;
        }
        return false;
    case 3:
        return state == PAIR_HELD;
    case 4:
        return state == PAIR_FREE;
    default:
        return false;
    }
}

bool PositionMatchesKnockbacks(const CEnemyGroup& group, int slot)
{
    int standing = 0;
    int position = -1;
    std::uint64_t knockbacks = 0;
    for (int s = 0; s < group.EnemyCount(); ++s) {
        if (!Standing(group, s))
            continue;
        if (s == slot)
            position = standing;
        ++standing;
        knockbacks += group.Records[s].KnockbackCount;
    }
    return standing != 0 && position >= 0 && static_cast<std::uint64_t>(position) == knockbacks % standing;
}

} // namespace

bool NoOtherEnemyRunningEffect(const CEnemyGroup& group, int slot, int code)
{
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (s != slot && Acting(group, s) && group.RunningAction(s).ActionType == code)
            return false;
    return true;
}

bool OtherEnemyRunningEffectNear(const CEnemyGroup& group, int slot, int code, double distanceSq)
{
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (s != slot && Acting(group, s) && group.RunningAction(s).ActionType == code &&
            DistanceSq(group.Records[slot], group.Records[s]) < distanceSq)
            return true;
    return false;
}

bool OtherKindNear(const CEnemyGroup& group, int slot, double distanceSq)
{
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (s != slot && Standing(group, s) && group.KindOf(s) != group.KindOf(slot) &&
            DistanceSq(group.Records[slot], group.Records[s]) < distanceSq)
            return true;
    return false;
}

int CountEnemiesNear(const CEnemyGroup& group, int slot, double distanceSq)
{
    int n = 0;
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (s != slot && Standing(group, s) && DistanceSq(group.Records[slot], group.Records[s]) < distanceSq)
            ++n;
    return n;
}

bool IsEnemyAtEdgeAhead(const CEnemyGroup& group, int slot, int p)
{
    const EnemyRecord& r = group.Records[slot];
    const float margin = kAheadMargins[p & 3];
    int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    if (p & 4)
        facing ^= 2;
    switch (facing) {
    case 0:
        return r.PosX < margin;
    case 1:
        return r.PosY < FIELD_TOP + margin;
    case 2:
        return r.PosX + r.Width > FIELD_RIGHT - margin;
    default:
        return r.PosY + r.Height > FIELD_BOTTOM - margin;
    }
}

bool AreAllStandingOfKind(const CEnemyGroup& group, int kind)
{
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (Standing(group, s) && group.KindOf(s) != kind)
            return false;
    return true;
}

bool RecentlyKnockedBack(const CEnemyGroup& group, int slot, int index)
{
    const EnemyRecord& r = group.Records[slot];
    // Only the first limit is known; any other index never holds.
    if (index != 0)
        return false;
    return (r.FlagsE & FLAGS_E_KNOCKBACK_ENDED) && FramesSince(group, r.KnockbackEndFrame) <= kRecentKnockbackFrames;
}

bool ShotSpeedSumBelow(const CEnemyGroup& group, int slot, int p, float subShotSpeeds)
{
    float sum = subShotSpeeds;
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (s != slot && Acting(group, s) && group.RunningAction(s).ActionType == 30)
            sum += std::abs(group.RunningAction(s).ActionParam0);
    return static_cast<float>(p) > sum;
}

bool CheckEnemyKindCondition(CEnemyGroup& group, int slot, int p)
{
    EnemyRecord& r = group.Records[slot];
    const int kind = group.KindOf(slot);
    const int hpPercent = HpPercent(r.Hp, r.MaxHp);
    const int actions = group.ActionCount(slot);
    const int moves = std::min(group.MoveCount(slot), 14);
    const Starts* as = r.ActionStarts;
    const Starts* ms = r.MoveStarts;
    const int phase = KindField(r, FLAGS_E_KIND_PHASE);
    const int stage = KindField(r, FLAGS_E_KIND_STAGE);
    const bool inActions = p >= 0 && p < actions;
    switch (kind) {
    case 17:
        return static_cast<int>(GetBits(r.FlagsD, FLAGS_D_PHASE_INDEX, 3)) == p && actions > 6 &&
               AnyEnemyAcceptsStatus(StatusClassMask(group.ActionDefs[slot][6].Param));
    case 46:
    case 47:
        return ((r.FlagsE & FLAGS_E_SET_BY_TYPE_36) != 0) == (p != 0);
    case 53:
        return KindField(r, FLAGS_E_KIND_TICK) == p;
    case 61:
        for (int s = 0; s < group.EnemyCount(); ++s) {
            const EnemyRecord& o = group.Records[s];
            if (group.KindOf(s) == 60 && (o.FlagsA & FLAGS_A_DEFEATED) && (o.FlagsC & FLAGS_C_DEFEAT_DONE) &&
                !(o.FlagsA & FLAGS_A_ESCAPED))
                return false;
        }
        return true;
    case 66:
        if (p == 0)
            return actions > 9 && as[0] + as[1] == as[8] + as[9];
        return p >= 2 && p + 1 < actions && as[p] + as[p + 1] < as[p - 2] + as[p - 1];
    case 68:
    case 120:
        return phase == p;
    case 78:
        if (!inActions)
            return false;
        switch (r.ActionUses[p]) {
        case 0:
            return true;
        case 1:
            return hpPercent < 75;
        case 2:
            return hpPercent < 50;
        case 3:
            return hpPercent < 30;
        default:
            return false;
        }
    case 81:
        return p >= 0 && p < moves && p < ENEMY_MAX_MOVES && r.MoveUses[p] >= group.MoveDefs[slot][p].MaxUses;
    case 82:
        if (!inActions)
            return false;
        return p == 0 ? as[0] == as[actions - 1] : as[p] < as[p - 1];
    case 84:
        return (((p != 0) != (hpPercent >= 50)) ? 1 : 0) != phase;
    case 90: {
        const int t = static_cast<int>(group.FrameCounter % kClockPeriod) / kClockStep;
        switch (p) {
        case 0:
        case 1:
        case 2:
            return t == p;
        case 3:
            return t >= 3;
        case 8:
            return OtherEnemyRunningEffectNear(group, slot, 37, kNear96);
        case 9:
            return t >= 3 && CountEnemiesNear(group, slot, kNear96) >= 4;
        case 10:
            return t < 3;
        default:
            return false;
        }
    }
    case 92:
        return TheCharacter != nullptr && TheCharacter->stock[2] < 98 && HasStandingEnemyOfKind(group, 93) &&
               NoOtherEnemyRunningEffect(group, slot, 28);
    case 94:
        return r.Status.HasEffect(EFFECT_MAGIC_SEAL) ? p == 0 : phase == p;
    case 96:
        return IsEnemyNearAnyEdge(r, p) && AreAllStandingOfKind(group, kind);
    case 100: {
        if (actions < 4)
            return false;
        const bool spent = r.ActionUses[3] >= group.ActionDefs[slot][3].MaxUses && !AnyMemberTargeted();
        return p == 0 ? !spent : spent;
    }
    case 101:
        return p > 0 && r.KnockbackCount != 0 && r.KnockbackCount % static_cast<std::uint32_t>(p) == 0;
    case 102:
        return stage == 0 || (stage == 1 && hpPercent < 60);
    case 104: {
        const int bit = static_cast<int>((r.KnockbackCount >> 2) & 1u);
        if (bit != ((p & 1) ^ phase))
            return false;
        return (p & 2) != 0 || GameRandom() < hpPercent * 32767 / 100;
    }
    case 109:
        return TheCharacter != nullptr && (TheCharacter->stock[0] % 10) / 3 == p;
    case 110:
        return stage < 4;
    case 113:
    case 179:
        switch (GetBits(r.FlagsA, FLAGS_A_FACING, 2)) {
        case 0:
            return (p & 2) != 0;
        case 2:
            return (p & 1) != 0;
        default:
            return (p & 4) != 0;
        }
    case 122:
        return PositionMatchesKnockbacks(group, slot);
    case 123:
        return !r.Status.HasEffect(EFFECT_CONFUSION);
    case 124:
        return stage < 2;
    case 125:
        if (p < 0 || p >= moves)
            return false;
        return p == 0 ? ms[0] == ms[moves - 1] : ms[p] < ms[p - 1];
    case 126:
        return HasStandingEnemyOfKind(group, 123);
    case 127:
        return (r.FlagsE & FLAGS_E_KNOCKBACK_ENDED) && FramesSince(group, r.KnockbackEndFrame) <= 8 &&
               r.MoveCooldownAll == 0 && r.MoveCooldown[1] == 0;
    case 133:
        return HpDigitClass133(r.Hp) == p;
    case 135:
    case 174:
        if (p >= 0 && p <= 2)
            return phase == p;
        return p >= 3 && p <= 8 && phase == 0 && TheMagicCircle != nullptr &&
               TheMagicCircle->HasMagicCircleOfKind(p - 3);
    case 137: {
        const bool owns = TheEnemyShotList != nullptr && TheEnemyShotList->HasShotKind14OfSide(slot);
        return p == 0 ? owns : !owns;
    }
    case 142:
        return r.CenterX >= 288.0f && r.CenterX < 352.0f && r.PosY + r.Height >= 452.0f;
    case 143:
        return p == 0 ? r.CenterY < FIELD_CENTER_Y : r.CenterY >= FIELD_CENTER_Y;
    case 147:
        if (p == 0)
            return CharaShotInField();
        return p >= 1 && p <= 8 && r.KindBytes[p - 1] != 0;
    case 148:
    case 149: {
        const bool settled = FramesSince(group, r.KnockbackEndFrame) >= kSettledFrames;
        return p == 0 ? settled : !settled;
    }
    case 152: {
        if (p < 0 || p >= 8 || r.KindBytes[p] > 4)
            return false;
        const int b = r.KindBytes[p];
        return kLowHp[b] <= hpPercent && hpPercent <= kHighHp[b];
    }
    case 153:
        return GetBits(r.FlagsF, FLAGS_F_HITS_RECORDED, 4) == 8;
    case 155:
        return r.KnockbackCount >= 5;
    case 162:
        return r.CenterY < 180.0f;
    case 165: {
        const bool left = (r.CenterX < FIELD_CENTER_X) == (p == 0);
        return left == (hpPercent >= 50);
    }
    case 167: {
        int standing = 0;
        for (int s = 0; s < group.EnemyCount(); ++s)
            standing += Standing(group, s) ? 1 : 0;
        return standing == 2;
    }
    case 169:
        return TheEnemyShotList == nullptr || !TheEnemyShotList->HasEnemyShotOfOwnerTarget(slot, 0, false);
    case 170:
        return HpDigitClass170(r.Hp) == p;
    case 171: {
        float x = 0.0f;
        float y = 0.0f;
        if (TheCharacter == nullptr)
            return false;
        GetPartyCentre(x, y);
        return std::abs(r.CenterX - x) < 16.0f && std::abs(r.CenterY - y) < 16.0f;
    }
    case 173:
        return PairingHolds(group, slot, p);
    case 177:
        if (p == 0)
            return actions > 3 && as[2] == Sum(as, 3, actions) - 1;
        if (p == 1)
            return static_cast<int>(GetBits(group.GroupBits2, GROUP2_KIND_SLOT, 2)) == slot &&
                   static_cast<std::int64_t>(group.FrameCounter) > group.GroupDeadline;
        return false;
    case 182:
        return (r.FlagsG & FLAGS_G_HIT_WINDOW_FILLED) != 0;
    case 183:
        if (p >= 0 && p <= 3)
            return r.KindBytes[0] == p;
        if (p == 4) {
            const int move = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_MOVE_INDEX, 4));
            return r.State == ENEMY_NORMAL && (r.FlagsA & FLAGS_A_MOVE_RUNNING) && (move == 3 || move == 4) &&
                   actions > 0 && r.MoveLimit - r.MoveFrame > group.ActionDefs[slot][0].StartDelay;
        }
        if (p == 5)
            return CharaShotInField() || AnyMemberHasAilment();
        return false;
    case 185:
        return hpPercent % 2 == p;
    case 186:
        return OtherKindNear(group, slot, kNear104);
    case 190: {
        if (Standing(group, 0))
            return false;
        const bool even = Sum(as, 6, actions) == Sum(ms, 3, moves - 1);
        return even == (p != 0);
    }
    default:
        return true;
    }
}

int GetEnemyKindActionBias(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    switch (group.KindOf(slot)) {
    case 157: {
        const int actions = group.ActionCount(slot);
        return Sum(r.ActionStarts, 0, std::min(actions, 4)) == Sum(r.ActionStarts, 4, actions) ? 0 : 100;
    }
    case 190:
        return Standing(group, 0) ? 0 : 100;
    default:
        return 0;
    }
}

int GetEnemyKindMoveBias(CEnemyGroup& group, int slot)
{
    if (group.KindOf(slot) == 190)
        return Standing(group, 0) ? 0 : 100;
    return 0;
}
