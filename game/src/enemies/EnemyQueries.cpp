// The group's answers about its enemies. Every search walks the slots in
// use; distances are measured to the enemies' centres in double precision.
#include "enemies/EnemyQueries.h"

#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr float kLeastMoveStart = 640.0f;
constexpr double kAvoidedShare = 0.9;
constexpr double kInvisiblePenalty = 640.0 * 640.0 + 480.0 * 480.0;
constexpr std::uint32_t kAilmentBits = 0x7FFE0;
constexpr int kTargetEveryoneEffect = 14;
constexpr int kCircleStatus = 7;
constexpr int kStatusActionType = 26;

CEnemyGroup* Group()
{
    return TheEnemyGroup;
}

bool InUse(int slot)
{
    return Group() != nullptr && slot >= 0 && slot < Group()->EnemyCount() && Group()->KindDefs[slot] != nullptr;
}

bool Present(int slot)
{
    return InUse(slot) && Group()->IsPresent(slot);
}

bool Visible(int slot)
{
    return Present(slot) && Group()->Records[slot].Alpha != 0;
}

double DistanceSq(int slot, float x, float y)
{
    const EnemyRecord& r = Group()->Records[slot];
    const double dx = static_cast<double>(r.CenterX) - x;
    const double dy = static_cast<double>(r.CenterY) - y;
    return dx * dx + dy * dy;
}

bool MemberMayTarget(int member, int slot)
{
    const EnemyRecord& r = Group()->Records[slot];
    return (member >= 0 && member < 3 && r.SeenBy[member] != 0) || r.Status.HasEffect(kTargetEveryoneEffect);
}

// Nearest by (key, squared distance), strictly smaller wins; the avoided
// slot counts as 0.9 × Big.
template <class Eligible, class Key>
int Nearest(float x, float y, int avoided, Eligible eligible, Key key, float keyStart)
{
    int found = -1;
    float bestKey = keyStart;
    double best = ENEMY_SEARCH_BIG;
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot) {
        if (!eligible(slot))
            continue;
        const float k = key(slot);
        const double d = slot == avoided ? ENEMY_SEARCH_BIG * kAvoidedShare : DistanceSq(slot, x, y);
        if (k < bestKey || (k == bestKey && d < best)) {
            bestKey = k;
            best = d;
            found = slot;
        }
    }
    return found;
}

template <class Key>
int NearestForMember(int member, float x, float y, int avoided, bool ignoreVisibility, Key key, float keyStart)
{
    const int found = Nearest(
        x, y, avoided, [&](int slot) { return Visible(slot) && (ignoreVisibility || MemberMayTarget(member, slot)); },
        key, keyStart);
    if (found >= 0)
        return found;
    return Nearest(x, y, avoided, Present, key, keyStart);
}

float NoKey(int)
{
    return 0.0f;
}

float Movement(int slot)
{
    const EnemyRecord& r = Group()->Records[slot];
    return std::max(std::fabs(r.PosX - r.PrevX), std::fabs(r.PosY - r.PrevY));
}

// A random present enemy among those `eligible` gives, in slot order.
template <class Eligible> int PickRandom(Eligible eligible)
{
    int candidates[ENEMY_QUERY_SLOTS];
    int n = 0;
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot)
        if (Present(slot) && eligible(slot))
            candidates[n++] = slot;
    if (n == 0)
        return -1;
    return candidates[GameRandom() * n / 32768];
}

bool OpenTo(int slot, std::uint32_t mask)
{
    const EnemyRecord& r = Group()->Records[slot];
    return (mask & ~r.ImmunityMask & ~r.Status.effectBits) != 0;
}

bool AngleTo(float& angle, int slot, float x, float y)
{
    const EnemyRecord& r = Group()->Records[slot];
    angle = 0.0f;
    if (r.CenterX == x && r.CenterY == y)
        return false;
    angle = AngleFromDelta(r.CenterX - x, r.CenterY - y);
    if (angle >= BATTLE_PI)
        angle -= 2.0f * BATTLE_PI;
    return true;
}

} // namespace

int EnemySlotsInUse()
{
    return Group() != nullptr ? Group()->EnemyCount() : 0;
}

bool GetEnemyCentre(int slot, float& x, float& y)
{
    if (!Present(slot))
        return false;
    x = Group()->Records[slot].CenterX;
    y = Group()->Records[slot].CenterY;
    return true;
}

int GetEnemyDrawAlpha(int slot)
{
    return InUse(slot) ? Group()->Records[slot].Alpha : 0;
}

int GetLastDefeatedSlot()
{
    return Group() != nullptr ? static_cast<int>(GetBits(Group()->GroupBits2, 0, 4)) & 7 : 0;
}

bool GetEnemyBodyEdges(int slot, float& left, float& top, float& right, float& bottom)
{
    if (!Present(slot))
        return false;
    const EnemyRecord& r = Group()->Records[slot];
    left = r.PosX + r.BodyBox.left;
    top = r.PosY + r.BodyBox.top;
    right = r.PosX + r.BodyBox.right;
    bottom = r.PosY + r.BodyBox.bottom;
    return true;
}

const EnemyRecord* PresentEnemy(int slot)
{
    return Present(slot) ? &Group()->Records[slot] : nullptr;
}

bool GetEnemyHitEdges(int slot, float& left, float& top, float& right, float& bottom)
{
    if (!Present(slot))
        return false;
    const EnemyRecord& r = Group()->Records[slot];
    left = r.PosX + r.HitBox.left;
    top = r.PosY + r.HitBox.top;
    right = r.PosX + r.HitBox.right;
    bottom = r.PosY + r.HitBox.bottom;
    return true;
}

int FindNearestEnemyOrNone(int member, float x, float y, int avoided, bool ignoreVisibility)
{
    return NearestForMember(member, x, y, avoided, ignoreVisibility, NoKey, 0.0f);
}

int FindNearestEnemy(int member, float x, float y, int avoided, bool ignoreVisibility)
{
    return std::max(0, FindNearestEnemyOrNone(member, x, y, avoided, ignoreVisibility));
}

int SelectAutoTargetEnemy(int member, float x, float y, int current, int avoided, bool ignoreVisibility)
{
    if (Visible(current) && Group()->Records[current].State == ENEMY_KNOCKBACK)
        return current;
    return std::max(0, NearestForMember(member, x, y, avoided, ignoreVisibility, Movement, kLeastMoveStart));
}

bool HasEnemyNear(float x, float y, double radiusSquared, int& slot)
{
    slot = Nearest(x, y, -1, Visible, NoKey, 0.0f);
    return slot >= 0 && DistanceSq(slot, x, y) <= radiusSquared;
}

bool FindNearestEnemyFor(float x, float y, int effectKind, int& slot)
{
    slot = -1;
    double best = ENEMY_SEARCH_BIG;
    for (int s = 0; s < EnemySlotsInUse(); ++s) {
        if (!Present(s) || (GetExpiringEffects(Group()->Records[s].Status, effectKind, 1) & 0x1Fu) == 0)
            continue;
        const double d = DistanceSq(s, x, y) + (Visible(s) ? 0.0 : kInvisiblePenalty);
        if (d < best) {
            best = d;
            slot = s;
        }
    }
    return slot >= 0;
}

int NearerEnemyToParty(int a, int b)
{
    if (TheCharacter == nullptr || !InUse(a) || !InUse(b))
        return a;
    float x = 0.0f, y = 0.0f;
    int standing = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (!TheCharacter->IsKnockedOut(m)) {
            x += TheCharacter->members[m].centerX;
            y += TheCharacter->members[m].centerY;
            ++standing;
        }
    if (standing > 0) {
        x /= static_cast<float>(standing);
        y /= static_cast<float>(standing);
    }
    return DistanceSq(b, x, y) < DistanceSq(a, x, y) ? b : a;
}

void SetEnemyX(int slot, float x)
{
    if (InUse(slot))
        Group()->SetEnemyPosition(slot, x, Group()->Records[slot].PosY);
}

void SetEnemyY(int slot, float y)
{
    if (InUse(slot))
        Group()->SetEnemyPosition(slot, Group()->Records[slot].PosX, y);
}

bool GetEnemyAngleTo(float& angle, int slot, float x, float y)
{
    angle = 0.0f;
    return Present(slot) && AngleTo(angle, slot, x, y);
}

bool CalcEnemyAngleTo(float& angle, int slot, float x, float y)
{
    angle = 0.0f;
    return InUse(slot) && AngleTo(angle, slot, x, y);
}

int PickOtherEnemy(int slot, int kind)
{
    const int found = PickRandom([&](int s) { return s != slot && Group()->KindOf(s) != kind; });
    return found >= 0 ? found : GetLastDefeatedSlot();
}

int PickStatusTarget(int statusClass, int slot, int kind)
{
    const std::uint32_t mask = StatusClassMask(statusClass);
    const int found = PickRandom([&](int s) { return s != slot && Group()->KindOf(s) != kind && OpenTo(s, mask); });
    return found >= 0 ? found : PickOtherEnemy(slot, -1);
}

bool IsEnemyUnhittable(int slot)
{
    if (!InUse(slot))
        return true;
    const EnemyKindDef& def = *Group()->KindDefs[slot];
    return def.Unhittable || def.ContactOverride || (Group()->Records[slot].FlagsA & FLAGS_A_DASHING) != 0;
}

bool AnyEnemyAcceptsStatus(std::uint32_t mask)
{
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot)
        if (Present(slot) && OpenTo(slot, mask))
            return true;
    return false;
}

bool IsStatusTargetOpen(int statusClass, int slot, int whom)
{
    const std::uint32_t mask = StatusClassMask(statusClass);
    if (whom == kStatusOnSelf)
        return Present(slot) && OpenTo(slot, mask);
    for (int s = 0; s < EnemySlotsInUse(); ++s) {
        if (!Present(s) || !OpenTo(s, mask))
            continue;
        if ((whom == kStatusOnOther && s == slot) ||
            (whom == kStatusOnOtherKind && Group()->KindOf(s) == Group()->KindOf(slot)))
            continue;
        return true;
    }
    return false;
}

bool CanEnemyTakeCircleStatus(int slot)
{
    return Present(slot) && OpenTo(slot, 1u << kCircleStatus);
}

bool AnyEnemyHasStatus(int slot)
{
    for (int s = 0; s < EnemySlotsInUse(); ++s)
        if ((slot < 0 || s == slot) && InUse(s) && (Group()->Records[s].Status.effectBits & kAilmentBits) != 0)
            return true;
    return false;
}

int GetEnemyMoveHitClass(int slot)
{
    if (!InUse(slot))
        return 0;
    const EnemyRecord& r = Group()->Records[slot];
    if (r.State != ENEMY_NORMAL || !(r.FlagsA & FLAGS_A_MOVE_RUNNING))
        return 0;
    switch (r.MoveType) {
    case 12:
    case 13:
    case 14:
    case 15:
    case 25:
    case 26:
    case 27:
    case 36:
    case 38:
    case 47:
        return 1;
    case 16:
        return 2;
    case 17:
        return 4;
    case 37:
    case 46:
        return 3;
    default:
        return 0;
    }
}

std::uint32_t StatusClassMask(int statusClass)
{
    constexpr std::uint32_t kMasks[12] = {0b1,    0b10,   0b100,   0b11,    0b101, 0b111,
                                          0b1000, 0b1001, 0b10000, 0b11111, 0b1,   0b10010};
    return statusClass >= 0 && statusClass < 12 ? kMasks[statusClass] : 0u;
}

bool IsStatusActionFree(int slot, int action)
{
    if (!InUse(slot) || action < 0 || action >= Group()->ActionCount(slot))
        return true;
    const std::uint32_t mine = StatusClassMask(Group()->ActionDefs[slot][action].Param);
    for (int s = 0; s < EnemySlotsInUse(); ++s) {
        if (s == slot || !InUse(s) || Group()->ActionCount(s) == 0)
            continue;
        const EnemyRecord& r = Group()->Records[s];
        if (!(r.FlagsC & FLAGS_C_ACTING) || !(r.FlagsA & FLAGS_A_ACTION_RUNNING) || r.ActionType != kStatusActionType)
            continue;
        if ((StatusClassMask(Group()->RunningAction(s).Param) & mine) != 0)
            return false;
    }
    return true;
}

void RankMembersByValue(int slot, const int values[3], int& first, int& second)
{
    const std::uint8_t* order = InUse(slot) ? Group()->Records[slot].TargetOrder : nullptr;
    int members[3] = {0, 1, 2};
    std::stable_sort(members, members + 3, [&](int a, int b) {
        if (values[a] != values[b])
            return values[a] > values[b];
        return order != nullptr && order[a] > order[b];
    });
    first = members[0];
    second = members[1];
}

// HP taken from a member's hit, at most what the member has; in the ratio
// mode a share of the member's maximum weighed by its ratio factor. The gain
// shows as a heal.
void DrainHealEnemy(int slot, int member, int amount)
{
    if (!Present(slot) || member < 0 || member >= PARTY_MEMBER_COUNT || TheCharacter == nullptr)
        return;
    const CCharacter& party = *TheCharacter;
    EnemyRecord& r = Group()->Records[slot];
    std::int64_t gain = std::min(amount, party.DrainLimit(member));
    if (TheBattleTouch != nullptr && TheBattleTouch->FixedDamageMode() && party.DrainLimitMax(member) > 0) {
        const double ratio =
            static_cast<double>(gain) / party.DrainLimitMax(member) * 1000.0 * party.drainRatio[member];
        gain = std::max<std::int64_t>(1, static_cast<std::int64_t>(ratio));
    }
    const std::int64_t before = r.Hp;
    r.Hp = static_cast<std::int32_t>(std::clamp<std::int64_t>(before + std::max<std::int64_t>(0, gain), 0, r.MaxHp));
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(false, slot, POPUP_HEAL, false, static_cast<int>(r.Hp - before));
}

bool AreAllEnemiesDefeated()
{
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot)
        if (InUse(slot) && Group()->IsPresent(slot))
            return false;
    return true;
}

std::uint32_t GetDefeatedEnemyMask()
{
    std::uint32_t mask = 0;
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot)
        if (InUse(slot) && !Group()->IsPresent(slot))
            mask |= 1u << slot;
    return mask;
}

void ClearEnemyStatus()
{
    if (Group() == nullptr)
        return;
    for (EnemyRecord& r : Group()->Records) {
        r.Status.effectBits = 0;
        ActiveEffectCount::Clear(r.Status.effectState);
        ShownEffectIndex::Clear(r.Status.effectState);
        MarkCount::Clear(r.Status.effectState);
    }
}
