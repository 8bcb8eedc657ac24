#include "party/PartyQueries.h"

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "party/Character.h"
#include "party/PartyServices.h"

namespace {

constexpr int kNone = -1;
constexpr float kQuarter = BATTLE_PI / 4.0f;
constexpr float kHalf = BATTLE_PI / 2.0f;
constexpr float kThreeQuarters = 3.0f * BATTLE_PI / 4.0f;
// Beyond every heading, for intervals open at one end.
constexpr float kBeyond = 4.0f;

// A region of headings seen from P: up to three intervals [low, high).
struct Interval {
    float low, high;
};
struct Region {
    int count;
    Interval parts[3];
};

constexpr Region kUpward = {2, {{kThreeQuarters, kBeyond}, {-kBeyond, -kThreeQuarters}}};
constexpr Region kAboveOrBelow = {3, {{kThreeQuarters, kBeyond}, {-kBeyond, -kThreeQuarters}, {-kQuarter, kQuarter}}};
constexpr Region kLeftOrRight = {2, {{-kThreeQuarters, -kQuarter}, {kQuarter, kThreeQuarters}}};

// By direction 0 left, 1 up, 2 right, 3 down.
constexpr Region kFacing[4] = {
    {1, {{-kThreeQuarters, -kQuarter}}}, kUpward, {1, {{kQuarter, kThreeQuarters}}}, {1, {{-kQuarter, kQuarter}}}};
constexpr Region kQuarterBehind[4] = {
    {1, {{kQuarter, kThreeQuarters}}}, {1, {{-kQuarter, kQuarter}}}, {1, {{-kThreeQuarters, -kQuarter}}}, kUpward};
constexpr Region kHalfInFront[4] = {{1, {{-BATTLE_PI, 0.0f}}},
                                    {2, {{kHalf, kBeyond}, {-kBeyond, -kHalf}}},
                                    {1, {{0.0f, BATTLE_PI}}},
                                    {1, {{-kHalf, kHalf}}}};
constexpr Region kHalfBehind[4] = {{1, {{0.0f, BATTLE_PI}}},
                                   {1, {{-kHalf, kHalf}}},
                                   {1, {{-BATTLE_PI, 0.0f}}},
                                   {2, {{kHalf, kBeyond}, {-kBeyond, -kHalf}}}};
constexpr Region kSideQuarters[4] = {kAboveOrBelow, kLeftOrRight, kAboveOrBelow, kLeftOrRight};

const CCharacter& Party()
{
    return *TheCharacter;
}

bool Up(int member)
{
    return !Party().IsKnockedOut(member);
}

int Fallback()
{
    return static_cast<int>(LastKnockedOut::Get(Party().partyWordB));
}

int OrFallback(int member)
{
    return member == kNone ? Fallback() : member;
}

// The heading from P to the member's centre, in [-pi, pi); false when the centre is P.
bool HeadingTo(int member, float px, float py, float& angle)
{
    const BattleMember& r = Party().members[member];
    const float dx = r.centerX - px;
    const float dy = r.centerY - py;
    angle = 0.0f;
    if (dx == 0.0f && dy == 0.0f)
        return false;
    angle = AngleFromDelta(dx, dy);
    if (angle >= BATTLE_PI)
        angle = -BATTLE_PI;
    return true;
}

bool Inside(const Region& region, float angle)
{
    for (int i = 0; i < region.count; ++i)
        if (angle >= region.parts[i].low && angle < region.parts[i].high)
            return true;
    return false;
}

bool InRegion(int member, float px, float py, const Region& region)
{
    float angle = 0.0f;
    return Up(member) && HeadingTo(member, px, py, angle) && Inside(region, angle);
}

int Mark(std::uint8_t marks[3], float px, float py, const Region& region)
{
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        marks[m] = InRegion(m, px, py, region) ? 1 : 0;
        count += marks[m];
    }
    return count;
}

bool ValidDirection(int direction)
{
    return direction >= 0 && direction < 4;
}

int MarkByDirection(std::uint8_t marks[3], float px, float py, int direction, const Region (&regions)[4])
{
    if (!ValidDirection(direction)) {
        marks[0] = marks[1] = marks[2] = 0;
        return 0;
    }
    return Mark(marks, px, py, regions[direction]);
}

// The nearest member up that `accept` takes, strictly below the bound; none is -1.
template <typename Accept> int Nearest(double& distance, float px, float py, Accept accept)
{
    distance = MEMBER_SEARCH_BOUND;
    int nearest = kNone;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (!Up(m) || !accept(m))
            continue;
        const double d = DistanceSqToMember(m, px, py);
        if (d < distance) {
            distance = d;
            nearest = m;
        }
    }
    return nearest;
}

} // namespace

int PickRandomAliveMember()
{
    int alive[PARTY_MEMBER_COUNT];
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (Up(m))
            alive[count++] = m;
    return count == 0 ? Fallback() : alive[GameRandom() * count / 32768];
}

bool GetAngleToMember(float& angle, int member, float px, float py, bool checkDown)
{
    angle = 0.0f;
    if (checkDown && !Up(member))
        return false;
    return HeadingTo(member, px, py, angle);
}

float AngleToMember(int member, float px, float py)
{
    const BattleMember& r = Party().members[member];
    const float dx = px - r.centerX;
    const float dy = py - r.centerY;
    if (dx == 0.0f && dy == 0.0f)
        return 0.0f;
    const float angle = AngleFromDelta(dx, dy);
    return angle >= BATTLE_PI ? -BATTLE_PI : angle;
}

int FindNearestMember(float px, float py, int excluded)
{
    double distance = 0.0;
    return OrFallback(Nearest(distance, px, py, [excluded](int m) { return m != excluded; }));
}

int FindNearestMemberDist(double& distance, float px, float py)
{
    return OrFallback(Nearest(distance, px, py, [](int) { return true; }));
}

bool IsPartyDown()
{
    return CountAliveMembers() == 0;
}

int CountAliveMembers()
{
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        count += Up(m) ? 1 : 0;
    return count;
}

int FindOtherAliveMember(int excluded)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (m != excluded && Up(m))
            return m;
    return Fallback();
}

int ResolveTargetMember(int member)
{
    return Up(member) ? member : FindOtherAliveMember(member);
}

int FindFarthestMember(float px, float py)
{
    double farthest = -1.0;
    int found = kNone;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (!Up(m))
            continue;
        const double d = DistanceSqToMember(m, px, py);
        if (d > farthest) {
            farthest = d;
            found = m;
        }
    }
    return OrFallback(found);
}

double DistanceSqToMember(int member, float px, float py)
{
    const BattleMember& r = Party().members[member];
    const double dx = static_cast<double>(r.centerX) - static_cast<double>(px);
    const double dy = static_cast<double>(r.centerY) - static_cast<double>(py);
    return dx * dx + dy * dy;
}

int CountMembersInState2()
{
    int count = 0;
    for (const BattleMember& r : Party().members)
        count += r.Action() == ACTION_MAGIC ? 1 : 0;
    return count;
}

bool FindMemberWithAilment40000(int& member)
{
    constexpr int kTargetMark = 18;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (Up(m) && Party().HasEffect(m, kTargetMark)) {
            member = m;
            return true;
        }
    return false;
}

bool IsMemberInFacing(int member, float px, float py, int direction)
{
    return ValidDirection(direction) && InRegion(member, px, py, kFacing[direction]);
}

int MarkMembersInFacing(std::uint8_t marks[3], float px, float py, int direction)
{
    return MarkByDirection(marks, px, py, direction, kFacing);
}

int FindNearestMemberInFacing(double& distance, float px, float py, int direction)
{
    const int nearest = Nearest(distance, px, py, [=](int m) { return IsMemberInFacing(m, px, py, direction); });
    // Callers read 0 as "none".
    return nearest == kNone ? 0 : nearest;
}

int MarkMembersInQuarterA(std::uint8_t marks[3], float px, float py, int direction)
{
    return MarkByDirection(marks, px, py, direction, kQuarterBehind);
}

int MarkMembersInHalfA(std::uint8_t marks[3], float px, float py, int direction)
{
    return MarkByDirection(marks, px, py, direction, kHalfInFront);
}

int MarkMembersInHalfB(std::uint8_t marks[3], float px, float py, int direction)
{
    return MarkByDirection(marks, px, py, direction, kHalfBehind);
}

int MarkMembersInQuarterB(std::uint8_t marks[3], float px, float py, int direction)
{
    return MarkByDirection(marks, px, py, direction, kSideQuarters);
}

int MarkMembersInQuarterC(std::uint8_t marks[3], float px, float py)
{
    return Mark(marks, px, py, kAboveOrBelow);
}

int MarkMembersInQuarterD(std::uint8_t marks[3], float px, float py)
{
    return Mark(marks, px, py, kLeftOrRight);
}

int MarkMembersInRadius(std::uint8_t marks[3], float px, float py, double radiusSquared)
{
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const double d = DistanceSqToMember(m, px, py);
        marks[m] = Up(m) && d > 0.0 && d <= radiusSquared ? 1 : 0;
        count += marks[m];
    }
    return count;
}
