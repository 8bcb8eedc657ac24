// Which party member an enemy prefers, by its kind's AI type, and the hit
// memory that feeds the choice: counts, damage, the last attackers.
#include <limits>

#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "party/PartyServices.h"

namespace {

constexpr std::uint32_t kU32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint32_t kFlagsFHitRecorded = 1u << 22;
constexpr std::uint32_t kFlagsEHitValid = 1u << 24;
constexpr int kFlagsBRingFill = 18;
constexpr int kFlagsBRingIndex = 21;
constexpr int kFlagsBLastAttacker = 28;
constexpr int kFlagsGFirstAttacker = 8;
constexpr int kGroupRingIndex = 4;
constexpr int kGroupRingFill = 8;
constexpr int kGroupSharedMember = 12;
constexpr int kGroupFallbackMember = 16;
constexpr int kRingSize = 5;
constexpr int kGroupRingSize = 10;

// Largest value first; ties to the lower member, member 2 only outright.
void RankMost(const std::int64_t a[3], int& first, int& second)
{
    first = a[0] < a[1] ? 1 : 0;
    second = 1 - first;
    if (a[first] < a[2]) {
        second = first;
        first = 2;
    } else if (a[second] < a[2]) {
        second = 2;
    }
}

// Smallest value first; ties to the higher member.
void RankFewest(const std::int64_t a[3], int& first, int& second)
{
    first = a[1] < a[2] ? 1 : 2;
    second = 3 - first;
    if (a[0] < a[first]) {
        second = first;
        first = 0;
    } else if (a[0] < a[second]) {
        second = 0;
    }
}

bool IsDown(int member)
{
    return TheCharacter == nullptr || TheCharacter->IsKnockedOut(member);
}

int OtherOf(int first)
{
    return first == 0 ? 1 : 0;
}

void RankByKind(int slot, const std::int64_t a[3], int& first, int& second)
{
    const int values[3] = {static_cast<int>(a[0]), static_cast<int>(a[1]), static_cast<int>(a[2])};
    RankMembersByValue(slot, values, first, second);
}

bool IsCasting(int member)
{
    return !IsDown(member) && TheCharacter->members[member].Action() == ACTION_MAGIC;
}

int CasterOrNearest(const EnemyRecord& r)
{
    for (int member = 0; member < PARTY_MEMBER_COUNT; ++member)
        if (IsCasting(member))
            return member;
    return FindNearestMember(r.CenterX, r.CenterY, -1);
}

bool IsCasterInFront(const EnemyRecord& r)
{
    return IsCasting(2) &&
           IsMemberInFacing(2, r.CenterX, r.CenterY, static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2)));
}

int FrontCasterOrNearest(const EnemyRecord& r)
{
    return IsCasterInFront(r) ? 2 : FindNearestMember(r.CenterX, r.CenterY, -1);
}

void CountRing(const std::uint8_t* ring, int filled, std::int64_t counts[3])
{
    counts[0] = counts[1] = counts[2] = 0;
    for (int i = 0; i < filled; ++i)
        if (ring[i] < PARTY_MEMBER_COUNT)
            ++counts[ring[i]];
}

} // namespace

// The member in front nearest to the enemy, else the nearest at all.
int FrontSectorTarget(const EnemyRecord& r)
{
    double distance = 0.0;
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    std::uint8_t marks[3] = {0, 0, 0};
    if (MarkMembersInFacing(marks, r.CenterX, r.CenterY, facing) != 0)
        return FindNearestMemberInFacing(distance, r.CenterX, r.CenterY, facing);
    return FindNearestMember(r.CenterX, r.CenterY, -1);
}

int CEnemyGroup::GetAiTarget(int slot)
{
    const EnemyRecord& r = Records[slot];
    const EnemyKindDef& kind = *KindDefs[slot];
    const bool shuffle = kind.ShuffleTargets != 0;
    const bool hitRecorded = (r.FlagsF & kFlagsFHitRecorded) != 0;
    const std::int64_t zeros[3] = {0, 0, 0};
    int first = 0;
    int second = 1;
    bool kindRanked = false;
    int marked = 0;
    if (TheCharacter != nullptr && FindMemberWithAilment40000(marked)) {
        first = marked;
        second = OtherOf(first);
    } else {
        std::int64_t a[3] = {0, 0, 0};
        switch (kind.AiType) {
        case 0:
        case 1:
        case 15:
        case 16: {
            const std::uint32_t* values = kind.AiType == 1 ? r.DamageTotals : r.HitCounts;
            for (int m = 0; m < 3; ++m)
                a[m] = values[m];
            if (kind.AiType == 15 && TheCharacter != nullptr && !IsDown(2) &&
                TheCharacter->members[2].Action() == ACTION_MAGIC) {
                first = 2;
                second = 0;
            } else if (kind.AiType == 16 && TheCharacter != nullptr && IsCasterInFront(r)) {
                first = 2;
                second = 0;
            } else if (shuffle && !hitRecorded) {
                RankByKind(slot, a, first, second);
                kindRanked = true;
            } else {
                RankMost(a, first, second);
            }
            break;
        }
        case 2:
            if (shuffle && !(r.FlagsE & kFlagsEHitValid)) {
                RankByKind(slot, zeros, first, second);
                kindRanked = true;
            } else {
                first = static_cast<int>(GetBits(r.FlagsB, kFlagsBLastAttacker, 2));
            }
            break;
        case 3: {
            const int filled = static_cast<int>(GetBits(r.FlagsB, kFlagsBRingFill, 3));
            CountRing(r.AttackerRing, std::min(filled, kRingSize), a);
            if (shuffle && filled == 0) {
                RankByKind(slot, a, first, second);
                kindRanked = true;
            } else {
                RankMost(a, first, second);
            }
            break;
        }
        case 4:
            for (int m = 0; m < 3; ++m)
                a[m] = r.HitCounts[m];
            if (shuffle && !hitRecorded) {
                const std::int64_t negated[3] = {-1 - a[0], -1 - a[1], -1 - a[2]};
                RankByKind(slot, negated, first, second);
                kindRanked = true;
            } else {
                RankFewest(a, first, second);
            }
            break;
        case 5:
        case 6:
        case 7:
        case 8:
            first = static_cast<int>(GetBits(r.FlagsB, FLAGS_B_RANDOM_MEMBER, 2));
            break;
        case 9:
            first = FindNearestMember(r.CenterX, r.CenterY, -1);
            break;
        case 10:
            first = FrontSectorTarget(r);
            break;
        case 11:
            first = CasterOrNearest(r);
            break;
        case 12:
            first = FrontCasterOrNearest(r);
            break;
        case 13:
            first = FrontCasterOrNearest(r) == 2 ? 2 : FrontSectorTarget(r);
            break;
        case 14:
            first = FindFarthestMember(r.CenterX, r.CenterY);
            break;
        case 17:
        case 18:
        case 19:
            first = kind.AiType - 17;
            second = OtherOf(first);
            break;
        case 20:
            first = static_cast<int>(GetBits(GroupBits2, kGroupSharedMember, 2));
            break;
        case 21:
            first = PickRandomAliveMember();
            break;
        case 22: {
            const int filled = static_cast<int>(GetBits(GroupBits2, kGroupRingFill, 4));
            if (filled == 0) {
                first = static_cast<int>(GetBits(GroupBits2, kGroupFallbackMember, 2));
                second = OtherOf(first);
            } else {
                CountRing(GroupAttackerRing, std::min(filled, kGroupRingSize), a);
                RankMost(a, first, second);
            }
            break;
        }
        case 23:
            if (shuffle && !hitRecorded) {
                RankByKind(slot, zeros, first, second);
                kindRanked = true;
            } else {
                first = static_cast<int>(GetBits(r.FlagsG, kFlagsGFirstAttacker, 2));
            }
            break;
        default:
            break;
        }
        const int t = kind.AiType;
        const bool otherSecond = t == 2 || (t >= 5 && t <= 14) || t == 20 || t == 21 || t == 23;
        if (otherSecond && !kindRanked)
            second = OtherOf(first);
    }
    first = std::min(first, PARTY_MEMBER_COUNT - 1);
    second = std::min(second, PARTY_MEMBER_COUNT - 1);
    if (TheCharacter == nullptr)
        return first;
    if (!IsDown(first))
        return first;
    if (!IsDown(second))
        return second;
    const int third = 3 - first - second;
    if (third >= 0 && third < PARTY_MEMBER_COUNT && third != first && third != second && !IsDown(third))
        return third;
    return TheCharacter->Leader();
}

void CEnemyGroup::RecordEnemyHitMemory(int slot, int member, std::uint32_t damage)
{
    if (member < 0 || member >= PARTY_MEMBER_COUNT || KindDefs[slot] == nullptr)
        return;
    EnemyRecord& r = Records[slot];
    switch (KindDefs[slot]->AiType) {
    case 0:
    case 4:
    case 15:
    case 16:
        if (r.HitCounts[member] != kU32Max)
            ++r.HitCounts[member];
        r.FlagsF |= kFlagsFHitRecorded;
        break;
    case 1:
        r.DamageTotals[member] = damage > kU32Max - r.DamageTotals[member] ? kU32Max : r.DamageTotals[member] + damage;
        r.FlagsF |= kFlagsFHitRecorded;
        break;
    case 2:
        r.FlagsE |= kFlagsEHitValid;
        SetBits(r.FlagsB, kFlagsBLastAttacker, 2, static_cast<std::uint32_t>(member));
        break;
    case 3: {
        const int index = static_cast<int>(GetBits(r.FlagsB, kFlagsBRingIndex, 3)) % kRingSize;
        r.AttackerRing[index] = static_cast<std::uint8_t>(member);
        SetBits(r.FlagsB, kFlagsBRingIndex, 3, static_cast<std::uint32_t>((index + 1) % kRingSize));
        const std::uint32_t fill = GetBits(r.FlagsB, kFlagsBRingFill, 3);
        if (fill < kRingSize)
            SetBits(r.FlagsB, kFlagsBRingFill, 3, fill + 1);
        break;
    }
    case 22: {
        const int index = static_cast<int>(GetBits(GroupBits2, kGroupRingIndex, 4)) % kGroupRingSize;
        GroupAttackerRing[index] = static_cast<std::uint8_t>(member);
        SetBits(GroupBits2, kGroupRingIndex, 4, static_cast<std::uint32_t>((index + 1) % kGroupRingSize));
        const std::uint32_t fill = GetBits(GroupBits2, kGroupRingFill, 4);
        if (fill < kGroupRingSize)
            SetBits(GroupBits2, kGroupRingFill, 4, fill + 1);
        break;
    }
    case 23:
        if (r.Hp == r.MaxHp) {
            SetBits(r.FlagsG, kFlagsGFirstAttacker, 2, static_cast<std::uint32_t>(member));
            r.FlagsF |= kFlagsFHitRecorded;
        }
        break;
    default:
        break;
    }
}

int CEnemyGroup::ResolveTargetMode(int slot, int mode)
{
    if (mode == 2)
        return 3 + GetAiTarget(slot);
    if (mode == 7)
        return 3 + FrontSectorTarget(Records[slot]);
    return mode;
}

int CEnemyGroup::ResolveSubPatternMode(int slot, int mode)
{
    return mode == 10 ? 7 + GetAiTarget(slot) : mode;
}
