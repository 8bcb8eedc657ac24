#include "enemies/ShotMemberChoices.h"

#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "party/PartyServices.h"

namespace {

constexpr int kCasterMember = 2;

int FacingOf(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

int NearestMember(const EnemyRecord& r)
{
    return FindNearestMember(r.CenterX, r.CenterY, -1);
}

bool IsCasting(int member)
{
    return TheCharacter->members[member].Action() == ACTION_MAGIC;
}

int PickFromMask(const std::uint8_t mask[PARTY_MEMBER_COUNT])
{
    int marked[PARTY_MEMBER_COUNT];
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (mask[m] != 0)
            marked[count++] = m;
    return count == 0 ? PickRandomAliveMember() : marked[GameRandom() * count / 32768];
}

} // namespace

int ChooseFrontTarget(const CEnemyGroup& group, int slot)
{
    if (TheCharacter == nullptr)
        return 0;
    const EnemyRecord& r = group.Records[slot];
    std::uint8_t marks[PARTY_MEMBER_COUNT] = {0, 0, 0};
    const int inFront = MarkMembersInFacing(marks, r.CenterX, r.CenterY, FacingOf(r));
    if (inFront == 1) {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (marks[m] != 0)
                return m;
    }
    if (inFront == 2) {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (marks[m] == 0)
                return FindNearestMember(r.CenterX, r.CenterY, m);
    }
    return NearestMember(r);
}

int ChooseCasterOrNearest(const CEnemyGroup& group, int slot)
{
    if (TheCharacter == nullptr)
        return 0;
    return IsCasting(kCasterMember) ? kCasterMember : NearestMember(group.Records[slot]);
}

bool IsCasterInFront(const CEnemyGroup& group, int slot)
{
    if (TheCharacter == nullptr)
        return false;
    const EnemyRecord& r = group.Records[slot];
    return IsCasting(kCasterMember) && IsMemberInFacing(kCasterMember, r.CenterX, r.CenterY, FacingOf(r));
}

int ChooseFrontCasterOrNearest(const CEnemyGroup& group, int slot)
{
    if (TheCharacter == nullptr)
        return 0;
    return IsCasterInFront(group, slot) ? kCasterMember : NearestMember(group.Records[slot]);
}

int PickActionTarget(const CEnemyGroup& group, int slot)
{
    return TheCharacter == nullptr ? 0 : PickFromMask(group.Records[slot].ActionTargetMask);
}

int PickMoveTarget(const CEnemyGroup& group, int slot)
{
    return TheCharacter == nullptr ? 0 : PickFromMask(group.Records[slot].MoveTargetMask);
}
