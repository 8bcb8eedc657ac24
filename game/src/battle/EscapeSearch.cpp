// The way out for a member hemmed in by enemies and enemy shots: the
// obstacles are gathered with their angles, a blow is preferred when it
// clears them, else the widest gap between them is taken, kept away from
// the walls the member stands near.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "battle/BattleTouch.h"
#include "battle/TouchBoxes.h"
#include "battle/TouchRoles.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTwoPi = 2.0f * kPi;
constexpr float kWideGap = 3.0f * kPi / 4.0f;
constexpr std::uint32_t kTargetOnlyRequest = 1u << 31;
constexpr std::uint32_t kStuckLimit = 4;
constexpr std::uint32_t WALL_LEFT = 1, WALL_TOP = 2, WALL_RIGHT = 4, WALL_BOTTOM = 8;

struct Range {
    float low, high;
};
struct ForbiddenRanges {
    std::uint32_t wallBits;
    Range first, second;
};
constexpr ForbiddenRanges kForbidden[] = {
    {1, {-kPi, 0}, {-kPi, 0}},
    {2, {-3 * kPi / 2, -kPi / 2}, {kPi / 2, 3 * kPi / 2}},
    {3, {-3 * kPi / 2, 0}, {kPi / 2, 2 * kPi}},
    {4, {0, kPi}, {0, kPi}},
    {6, {-2 * kPi, -kPi / 2}, {0, 3 * kPi / 2}},
    {8, {-kPi / 2, kPi / 2}, {-kPi / 2, kPi / 2}},
    {9, {-kPi, kPi / 2}, {-kPi, kPi / 2}},
    {12, {-kPi / 2, kPi}, {-kPi / 2, kPi}},
};

float WrapBelowPi(float a)
{
    return a >= kPi ? a - kTwoPi : a;
}

// Moves a candidate strictly inside a forbidden range to its nearer end.
float OutOfRange(float c, const Range& r, bool& moved)
{
    if (moved || !(c > r.low && c < r.high))
        return c;
    moved = true;
    float end = c - r.low <= r.high - c ? r.low : r.high;
    if (end < -kPi)
        end += kTwoPi;
    else if (end >= kPi)
        end -= kTwoPi;
    return end;
}

// How far the candidate keeps from the gap's two obstacles.
float WidthInGap(float c, float a1, float a2)
{
    float width = 0.0f;
    if (a1 <= c && c <= a2)
        width = std::min(c - a1, a2 - c);
    else if (a1 <= c + kTwoPi && c + kTwoPi <= a2)
        width = std::min(c + kTwoPi - a1, a2 - c - kTwoPi);
    return width > kWideGap ? 3.0f * kPi / 2.0f - width : width;
}

// The sides the member keeps its back to: the stored ones when they hold
// every wall met now; else a single wall keeps the stored sides across it
// (left or right keep top or bottom, and the other way round), while a
// corner keeps only its own two.
std::uint32_t MergeWithStoredSides(std::uint32_t walls, std::uint32_t stored)
{
    if ((stored & walls) == walls)
        return stored;
    if (walls == WALL_LEFT || walls == WALL_RIGHT)
        return walls | (stored & (WALL_TOP | WALL_BOTTOM));
    if (walls == WALL_TOP || walls == WALL_BOTTOM)
        return walls | (stored & (WALL_LEFT | WALL_RIGHT));
    return walls;
}

bool EnemyGathered(const EnemyRecord& r)
{
    return !EnemyIsDefeated(r) && !EnemyIsAppearing(r) && r.Alpha != 0;
}

bool ShotGathered(const EnemyShotNode& s)
{
    return !s.Removed && s.Started() && !eshot::Ending::IsSet(s.BitsB);
}

} // namespace

std::uint32_t CBattleTouch::DirectionBitsFromAngle(float angle, std::uint32_t wallBits)
{
    switch (wallBits) {
    case 0:
        if (angle < -kPi / 2.0f)
            return 12;
        if (angle < 0.0f)
            return 6;
        if (angle < kPi / 2.0f)
            return 3;
        return 9;
    case WALL_LEFT:
    case WALL_RIGHT:
        return wallBits | (angle < -kPi / 2.0f || angle >= kPi / 2.0f ? WALL_BOTTOM : WALL_TOP);
    case WALL_TOP:
    case WALL_BOTTOM:
        return wallBits | (angle >= 0.0f ? WALL_LEFT : WALL_RIGHT);
    default:
        return wallBits;
    }
}

std::uint32_t CBattleTouch::MemberTouchDirectionBits(int member, std::uint32_t wallBits)
{
    const BattleMember& m = TheCharacter->members[member];
    float angle = 0.0f;
    if (!GetEnemyAngleTo(angle, static_cast<int>(TargetEnemy::Get(m.flags)), m.centerX, m.centerY))
        return wallBits;
    std::uint32_t quadrant = DirectionBitsFromAngle(angle, 0);
    if (wallBits & (WALL_LEFT | WALL_RIGHT))
        quadrant &= ~(((wallBits & WALL_LEFT) ? WALL_RIGHT : 0u) | ((wallBits & WALL_RIGHT) ? WALL_LEFT : 0u));
    if (wallBits & (WALL_TOP | WALL_BOTTOM))
        quadrant &= ~(((wallBits & WALL_TOP) ? WALL_BOTTOM : 0u) | ((wallBits & WALL_BOTTOM) ? WALL_TOP : 0u));
    return wallBits | quadrant;
}

// Fills the entries, enemies first; true when an obstacle other than the
// member's target was met.
bool CBattleTouch::GatherEscapeEntries(int member, float margin)
{
    const BattleMember& m = TheCharacter->members[member];
    const int target = static_cast<int>(TargetEnemy::Get(m.flags));
    bool other = false;
    count = 0;
    const TouchBox foot = Grown(FootBox(m), margin);
    for (int enemy = 0; enemy < TheEnemyGroup->EnemyCount() && count < TOUCH_ENTRY_COUNT; ++enemy) {
        const EnemyRecord& r = TheEnemyGroup->Records[enemy];
        if (!EnemyGathered(r) || m.IsDown() || !BoxesTouch(EnemyBodyBox(r), foot))
            continue;
        entries[count++] = {nullptr, AngleToMember(member, r.CenterX, r.CenterY), 0, static_cast<std::uint8_t>(enemy)};
        if (member < 2 && enemy != target)
            other = true;
    }
    const TouchBox body = Grown(BodyBox(m), margin);
    for (EnemyShotNode* s = TheEnemyShotList->ShotHead; s != nullptr && count < TOUCH_ENTRY_COUNT; s = s->Next) {
        if (!ShotGathered(*s) || !BoxesTouch(EnemyShotBox(*s), body))
            continue;
        entries[count++] = {s, AngleToMember(member, s->X + 8.0f, s->Y + 8.0f), 1, 0};
        if (ShotIgnoresTouch(*s))
            other = true;
    }
    return other;
}

// Bottom-up merge sort of `order` by angle; on equal angles the entry of
// the right half goes first.
void CBattleTouch::SortEntriesByAngle()
{
    for (int i = 0; i < count; ++i)
        order[i] = static_cast<std::uint8_t>(i);
    for (int width = 1; width < count; width *= 2) {
        for (int left = 0; left < count; left += 2 * width) {
            const int mid = std::min(left + width, static_cast<int>(count));
            const int right = std::min(left + 2 * width, static_cast<int>(count));
            int i = left, j = mid, k = left;
            while (i < mid && j < right)
                mergeScratch[k++] = entries[order[j]].angle <= entries[order[i]].angle ? order[j++] : order[i++];
            while (i < mid)
                mergeScratch[k++] = order[i++];
            while (j < right)
                mergeScratch[k++] = order[j++];
        }
        std::copy(mergeScratch, mergeScratch + count, order);
    }
}

float CBattleTouch::FindWidestGap(std::uint32_t wallBits)
{
    const ForbiddenRanges* ranges = nullptr;
    for (const ForbiddenRanges& f : kForbidden)
        if (f.wallBits == wallBits)
            ranges = &f;
    float best = -1.0f;
    float winner = 0.0f;
    const auto consider = [&](float c, float width, float a1, float a2) {
        if (wallBits != 0) {
            if (ranges != nullptr) {
                bool moved = false;
                c = OutOfRange(c, ranges->first, moved);
                c = OutOfRange(c, ranges->second, moved);
            }
            width = WidthInGap(c, a1, a2);
        }
        if (width > best) {
            best = width;
            winner = c;
        }
    };
    for (int i = 0; i < count; ++i) {
        const float a1 = entries[order[i]].angle;
        float a2 = entries[order[(i + 1) % count]].angle;
        if (i + 1 == count && a1 >= a2)
            a2 += kTwoPi;
        if ((a2 - a1) / 2.0f <= kWideGap) {
            const float c = (a1 + a2) / 2.0f;
            consider(WrapBelowPi(c), c - a1, a1, a2);
        } else {
            consider(WrapBelowPi(a1 + kWideGap), kWideGap, a1, a2);
            consider(WrapBelowPi(a2 - kWideGap), kWideGap, a1, a2);
        }
    }
    return winner;
}

int CBattleTouch::FindMemberEscapeDirection(int member, float margin, float& angle)
{
    BattleMember& m = TheCharacter->members[member];
    const bool targetOnly = member < 2 && (m.flags & kTargetOnlyRequest) != 0;
    m.flags &= ~kTargetOnlyRequest;
    const bool otherObstacle = GatherEscapeEntries(member, margin);
    if (count == 0) {
        angle = 0.0f;
        return 0;
    }
    if (member < 2) {
        const TouchEntry* first = &entries[0];
        for (int i = 0; i < count; ++i)
            if (entries[i].kind == 0 || eshot::Erasable::IsSet(entries[i].object->BitsB)) {
                first = &entries[i];
                break;
            }
        const int facing = FacingFromAngle(first->angle);
        if (member == 0 ? CanFirstMemberStrikeThrough(facing) : CanSecondMemberStrikeThrough(facing))
            return facing + 2;
    }
    SortEntriesByAngle();

    const float wall = WallMarginTable[member];
    std::uint32_t w = 0;
    if (m.x - wall < 0.0f)
        w |= WALL_LEFT;
    else if (m.x + 32.0f + wall > 639.0f)
        w |= WALL_RIGHT;
    if (m.y - wall < 80.0f)
        w |= WALL_TOP;
    else if (m.y + 32.0f + wall > 479.0f)
        w |= WALL_BOTTOM;
    if (targetOnly && !otherObstacle)
        w = MemberTouchDirectionBits(member, w);
    w = MergeWithStoredSides(w, ActionGroupA::Get(m.flags));
    ActionGroupA::Set(m.flags, w);

    angle = FindWidestGap(w);
    if (w == 0) {
        const std::uint32_t stuck = ActionGroupB::Get(m.flags);
        if (stuck < kStuckLimit)
            ActionGroupB::Set(m.flags, stuck + 1);
        if (ActionGroupB::Get(m.flags) == kStuckLimit)
            ActionGroupA::Set(m.flags, DirectionBitsFromAngle(angle, 0));
    } else if (w == WALL_LEFT || w == WALL_TOP || w == WALL_RIGHT || w == WALL_BOTTOM) {
        ActionGroupA::Set(m.flags, DirectionBitsFromAngle(angle, w));
    }
    return 1;
}

bool CBattleTouch::CanFirstMemberStrikeThrough(int facing)
{
    const CCharacter& party = *TheCharacter;
    if (party.st[0] < 10)
        return false;
    const MemberBox a = GetMemberAttackBox(0, facing);
    const TouchBox box{a.left, a.top, a.right, a.bottom};
    const BattleMember& first = party.members[0];
    bool success = false;
    for (int i = 0; i < count; ++i) {
        const TouchEntry& e = entries[i];
        if (e.kind == 0) {
            const int slot = e.enemyIndex;
            const EnemyRecord& r = TheEnemyGroup->Records[slot];
            const EnemyKindDef* kind = KindOfSlot(slot);
            const int level = kind != nullptr && kind->GuardsFront != 0 ? 20 : 10;
            if (EnemyIsDefeated(r) || EnemyIsIntangible(r) || EnemyIsAppearing(r) ||
                TheEnemyGroup->IsEnemyInvulnerable(slot) || (kind != nullptr && kind->Unstrikeable != 0) ||
                (IsEnemyUnhittable(slot) && (kind == nullptr || kind->Level < level)))
                return false;
            if (!BoxesTouch(EnemyHurtBox(r), box))
                return false;
            if (kind != nullptr && kind->HarmfulTouch != 0 && EnemyAppearGrace(r) == 0 &&
                BoxesTouch(EnemyBodyBox(r), FootBox(first)))
                return false;
            success = true;
        } else if (eshot::Erasable::IsSet(e.object->BitsB) && BoxesTouch(EnemyShotCancelBox(*e.object), box)) {
            success = true;
        } else if (ShotIgnoresTouch(*e.object) || BoxesTouch(EnemyShotBox(*e.object), BodyBox(first))) {
            return false;
        }
    }
    return success;
}

bool CBattleTouch::CanSecondMemberStrikeThrough(int facing)
{
    const CCharacter& party = *TheCharacter;
    if (party.st[1] < 15)
        return false;
    MemberBox a{};
    GetMemberAttackBoxEx(a, facing, 30.0f);
    const TouchBox box{a.left, a.top, a.right, a.bottom};
    const BattleMember& second = party.members[1];
    bool success = false;
    for (int i = 0; i < count; ++i) {
        const TouchEntry& e = entries[i];
        if (e.kind != 0) {
            if (ShotIgnoresTouch(*e.object) || BoxesTouch(EnemyShotBox(*e.object), BodyBox(second)))
                return false;
            continue;
        }
        const int slot = e.enemyIndex;
        const EnemyRecord& r = TheEnemyGroup->Records[slot];
        const EnemyKindDef* kind = KindOfSlot(slot);
        const int level = kind != nullptr && kind->GuardsFront != 0 ? 15 : 8;
        if (EnemyIsDefeated(r) || EnemyIsIntangible(r) || EnemyIsAppearing(r) ||
            TheEnemyGroup->IsEnemyInvulnerable(slot) || (kind != nullptr && kind->Unstrikeable != 0) ||
            (IsEnemyUnhittable(slot) && (kind == nullptr || kind->Level < level)))
            return false;
        if (!BoxesTouch(EnemyHurtBox(r), box))
            return false;
        if (kind != nullptr && kind->HarmfulTouch != 0 && EnemyAppearGrace(r) == 0 &&
            BoxesTouch(EnemyBodyBox(r), FootBox(second)))
            return false;
        if (success)
            return false; // only one enemy can be struck
        success = true;
    }
    return success;
}
