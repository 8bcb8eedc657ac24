// The two condition codes of an enemy's action or movement: code A tests
// chance and where the members stand, code B the state of the group, the
// party and the shots. Both narrow the set of members the entry may aim at.
#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyEdgeMargins.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyShot.h"
#include "enemies/kinds/KindConditions.h"
#include "enemies/kinds/KindHooks.h"
#include "party/PartyServices.h"

namespace {

using Mask = std::uint8_t[3];

constexpr float kMemberSide = 32.0f;
constexpr float kMemberHalf = 16.0f;
constexpr int kConditionStatusBitTable[3] = {0, 4, 3};
constexpr double kLineRange[8] = {4096.0, 9216.0, 16384.0, 36864.0, 65536.0, 2.0 * SCREEN_WIDTH* SCREEN_WIDTH,
                                  0.0,    0.0};
constexpr float kReachExtra[5] = {0.0f, 32.0f, 64.0f, 128.0f, 192.0f};
constexpr float kSideEdgeMargin = 8.0f;
constexpr std::uint32_t kMemberAilmentMasks[3] = {1u << 18, 1u << 15, 0x1Fu};

// Test boxes (left, top, right, bottom) around a test point and inside the member's square.
constexpr EnemyBox kSmallTestBox = {2.0f, 2.0f, 13.0f, 13.0f};
constexpr EnemyBox kSmallMemberBox = {5.0f, 6.0f, 27.0f, 25.0f};
constexpr EnemyBox kBodyMemberBox = {3.0f, 9.0f, 29.0f, 22.0f};

bool RandomTest(int code)
{
    return (GameRandom() >> (15 - code)) == 0;
}

bool IntersectTargetMask(Mask working, const Mask marks)
{
    bool any = false;
    for (int m = 0; m < 3; ++m) {
        working[m] = working[m] && marks[m] ? 1 : 0;
        any = any || working[m];
    }
    return any;
}

// Members marked by the query: with `wanted`, the mask keeps them and some must be
// there; without, none may be there and the mask is left as it was.
bool NarrowBy(Mask working, const Mask marks, bool wanted)
{
    if (wanted)
        return IntersectTargetMask(working, marks);
    for (int m = 0; m < 3; ++m)
        if (working[m] && marks[m])
            return false;
    return true;
}

bool MemberUp(int m)
{
    return TheCharacter != nullptr && !TheCharacter->IsKnockedOut(m);
}

float MemberX(int m)
{
    return TheCharacter->members[m].x;
}

float MemberY(int m)
{
    return TheCharacter->members[m].y;
}

double ReachRadiusSq(const EnemyRecord& r, int param)
{
    const int reachClass = param & 7;
    if (reachClass > 4)
        return 0.0;
    const double radius = std::max(r.Width, r.Height) + kMemberSide + kReachExtra[reachClass];
    return radius * radius;
}

bool BoxesTouch(const EnemyBox& a, const EnemyBox& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The test box at (x, y) and the member's box, for the small or the body case.
bool IsTestBoxTouchingMember(const EnemyRecord& r, bool body, float x, float y, int m)
{
    EnemyBox test;
    if (body) {
        test = {x - r.Width / 2.0f + r.BodyBox.left, y - r.Height / 2.0f + r.BodyBox.top,
                x - r.Width / 2.0f + r.BodyBox.right, y - r.Height / 2.0f + r.BodyBox.bottom};
    } else {
        test = {x - 8.0f + kSmallTestBox.left, y - 8.0f + kSmallTestBox.top, x - 8.0f + kSmallTestBox.right,
                y - 8.0f + kSmallTestBox.bottom};
    }
    const EnemyBox& inner = body ? kBodyMemberBox : kSmallMemberBox;
    const EnemyBox member = {MemberX(m) + inner.left, MemberY(m) + inner.top, MemberX(m) + inner.right,
                             MemberY(m) + inner.bottom};
    return BoxesTouch(test, member);
}

void RecordAttackDirection(EnemyRecord& r, bool isAction, int direction)
{
    const std::uint32_t set = isAction ? KIND_WORD_ACTION_DIRECTION_SET : KIND_WORD_MOVE_DIRECTION_SET;
    if (r.KindWord & set)
        return;
    r.KindWord |= set;
    SetBits(r.KindWord, isAction ? KIND_WORD_ACTION_DIRECTION : KIND_WORD_MOVE_DIRECTION, 2,
            static_cast<std::uint32_t>(direction));
}

// Members in range that a test box moved along one of the allowed directions touches.
bool TestMembersInLine(EnemyRecord& r, Mask working, int param, unsigned directions, bool isAction)
{
    const double range = kLineRange[param & 7];
    const bool body = (param & 8) != 0;
    Mask marks = {0, 0, 0};
    for (int m = 0; m < 3; ++m) {
        if (!working[m] || !MemberUp(m))
            continue;
        const float mx = MemberX(m) + kMemberHalf;
        const float my = MemberY(m) + kMemberHalf;
        const double dx = mx - r.CenterX;
        const double dy = my - r.CenterY;
        if (dx * dx + dy * dy >= range)
            continue;
        const float points[4][2] = {{std::min(r.CenterX, mx), r.CenterY},
                                    {r.CenterX, std::min(r.CenterY, my)},
                                    {std::max(r.CenterX, mx), r.CenterY},
                                    {r.CenterX, std::max(r.CenterY, my)}};
        for (int d = 0; d < 4; ++d) {
            if (!((directions >> d) & 1u) || !IsTestBoxTouchingMember(r, body, points[d][0], points[d][1], m))
                continue;
            marks[m] = 1;
            RecordAttackDirection(r, isAction, d);
            break;
        }
    }
    return IntersectTargetMask(working, marks);
}

// Members a test box on the 45° diagonal towards them touches.
bool TestMembersOnDiagonal(EnemyRecord& r, Mask working, int param, bool isAction)
{
    const double range = kLineRange[param & 7];
    const bool body = (param & 8) != 0;
    const EnemyBox& inner = body ? kBodyMemberBox : kSmallMemberBox;
    // How far the test box reaches above and below its point.
    const float testTop = body ? r.BodyBox.top - r.Height / 2.0f : kSmallTestBox.top - 8.0f;
    const float testBottom = body ? r.BodyBox.bottom - r.Height / 2.0f : kSmallTestBox.bottom - 8.0f;
    Mask marks = {0, 0, 0};
    for (int m = 0; m < 3; ++m) {
        if (!working[m] || !MemberUp(m))
            continue;
        const float mx = MemberX(m) + kMemberHalf;
        const float my = MemberY(m) + kMemberHalf;
        const double dx = mx - r.CenterX;
        const double dy = my - r.CenterY;
        if (dx * dx + dy * dy >= range)
            continue;
        const float heading = AngleFromDelta(mx - r.CenterX, my - r.CenterY);
        const bool below = my >= r.CenterY;
        const bool nearVertical = std::fabs(heading) < BATTLE_PI / 4.0f || std::fabs(heading) > 3.0f * BATTLE_PI / 4.0f;
        // The edge facing the enemy when the member lies closer to straight up or down, else the far one.
        const bool atTopEdge = below == nearVertical;
        const float pointY =
            atTopEdge ? MemberY(m) + inner.top + 0.125f - testBottom : MemberY(m) + inner.bottom - 0.125f - testTop;
        const float shift = std::fabs(pointY - r.CenterY);
        const float pointX = mx >= r.CenterX ? r.CenterX + shift : r.CenterX - shift;
        if (!IsTestBoxTouchingMember(r, body, pointX, pointY, m))
            continue;
        marks[m] = 1;
        int direction;
        if (heading >= BATTLE_PI / 2.0f)
            direction = 1;
        else if (heading >= 0.0f)
            direction = 2;
        else if (heading >= -BATTLE_PI / 2.0f)
            direction = 3;
        else
            direction = 0;
        RecordAttackDirection(r, isAction, direction);
    }
    return IntersectTargetMask(working, marks);
}

} // namespace

bool CEnemyGroup::IsOtherRunningActionType(int slot, int type) const
{
    for (int s = 0; s < EnemyCount(); ++s) {
        const EnemyRecord& o = Records[s];
        if (s == slot || !(o.FlagsC & FLAGS_C_ACTING) || !(o.FlagsA & FLAGS_A_ACTION_RUNNING) ||
            (o.FlagsC & FLAGS_C_ATTACK_DONE) || (o.FlagsA & FLAGS_A_DEFEATED) || ActionCount(s) == 0)
            continue;
        if (RunningAction(s).ActionType == type)
            return true;
    }
    return false;
}

bool CEnemyGroup::TestConditionA(int slot, int code, int param, Mask working, bool isAction)
{
    EnemyRecord& r = Records[slot];
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    const float cx = r.CenterX;
    const float cy = r.CenterY;
    auto region = [&](int which, bool wanted) {
        Mask marks = {0, 0, 0};
        switch (which) {
        case 0:
            MarkMembersInFacing(marks, cx, cy, facing);
            break;
        case 1:
            MarkMembersInQuarterA(marks, cx, cy, facing);
            break;
        case 2:
            MarkMembersInHalfA(marks, cx, cy, facing);
            break;
        case 3:
            MarkMembersInHalfB(marks, cx, cy, facing);
            break;
        case 4:
            MarkMembersInQuarterB(marks, cx, cy, facing);
            break;
        case 5:
            MarkMembersInQuarterD(marks, cx, cy);
            break;
        case 6:
            MarkMembersInQuarterC(marks, cx, cy);
            break;
        default:
            MarkMembersInRadius(marks, cx, cy, ReachRadiusSq(r, param));
            break;
        }
        return NarrowBy(working, marks, wanted);
    };
    constexpr int kFront = 0, kBehind = 1, kFrontHalf = 2, kBackHalf = 3, kSides = 4, kReach = 7;
    if (TheCharacter == nullptr && code >= 4 && code <= 31)
        return false;
    switch (code) {
    case 1:
    case 2:
    case 3:
        return RandomTest(code);
    case 4:
    case 5:
        return region(kFront, code == 4);
    case 6:
    case 7:
        return region(kBehind, code == 6);
    case 8:
    case 9:
        return region(kFrontHalf, code == 8);
    case 10:
    case 11:
        return region(kBackHalf, code == 10);
    case 12:
    case 13:
        return region(kReach, code == 12);
    case 14:
    case 15:
        return region(kReach, true) && region(kFront, code == 14);
    case 16:
    case 17:
        return region(kReach, true) && region(kBehind, code == 16);
    case 18:
        return region(kReach, true) && region(kFrontHalf, true);
    case 19:
        return region(kReach, true) && region(kBackHalf, true);
    case 20:
        return region(kReach, false) && region(kFront, true);
    case 21:
        return region(kReach, false) && region(kBehind, true);
    case 22:
        return region(kReach, false) && region(kFrontHalf, true);
    case 23:
        return region(kReach, false) && region(kBackHalf, true);
    case 24:
        return TestMembersInLine(r, working, param, 1u << facing, isAction);
    case 25:
        return TestMembersInLine(r, working, param, 0b0101u, isAction);
    case 26:
        return TestMembersInLine(r, working, param, 0b1010u, isAction);
    case 27:
        return TestMembersInLine(r, working, param, 0b1111u, isAction);
    case 28:
        return TestMembersOnDiagonal(r, working, param, isAction);
    case 29: {
        // A margin the table does not hold fails the test.
        if (param < 0 || param > 3)
            return false;
        const float margin = ENEMY_EDGE_MARGINS[param];
        Mask marks = {0, 0, 0};
        for (int m = 0; m < 3; ++m)
            if (MemberUp(m) && (MemberX(m) < FIELD_LEFT + margin || MemberX(m) + kMemberSide > FIELD_RIGHT - margin ||
                                MemberY(m) < FIELD_TOP + margin || MemberY(m) + kMemberSide > FIELD_BOTTOM - margin))
                marks[m] = 1;
        return IntersectTargetMask(working, marks);
    }
    case 30:
        return region(kReach, true) && region(kSides, true);
    case 31:
        return region(kReach, true) && region((param & 8) ? 5 : 6, true);
    default:
        return true;
    }
}

bool CEnemyGroup::TestConditionB(int slot, int code, int param, Mask working, int candidateIndex)
{
    EnemyRecord& r = Records[slot];
    const int count = EnemyCount();
    const int actions = ActionCount(slot);
    // A parameter naming an action the kind does not have fails the test.
    const bool actionParam = param >= 0 && param < actions;
    auto standing = [&](int s) { return !(Records[s].FlagsA & FLAGS_A_DEFEATED); };
    auto countIf = [&](auto pass) {
        int n = 0;
        for (int s = 0; s < count; ++s)
            n += pass(s) ? 1 : 0;
        return n;
    };
    auto someBelow = [&](int percent) {
        for (int s = 0; s < count; ++s) {
            const EnemyRecord& o = Records[s];
            if (o.FlagsA & FLAGS_A_ESCAPED)
                continue;
            if ((o.FlagsA & FLAGS_A_DEFEATED) && !((param & 1) && IsEnemyRevivable(s)))
                continue;
            if (HpPercent(o.Hp, o.MaxHp) < percent)
                return true;
        }
        return false;
    };
    auto maskCount = [&] { return working[0] + working[1] + working[2]; };
    auto memberCasting = [](int m) { return MemberUp(m) && TheCharacter->members[m].Action() == ACTION_MAGIC; };
    // Some enemy that the status action's own target rule may choose can still take its class.
    auto statusAccepted = [&](int index) {
        const EnemyActionDef& status = ActionDefs[slot][index];
        return IsStatusTargetOpen(status.Param, slot, status.ActionLength18 & 0xFF);
    };
    switch (code) {
    case 1:
    case 2:
    case 3:
        return RandomTest(code);
    case 4:
        return TheEnemyShotList == nullptr || TheEnemyShotList->CountEnemyShots() == 0;
    case 5:
        return TheEnemyShotList == nullptr || !TheEnemyShotList->HasEnemyShotOfOwner(slot);
    case 6:
        return someBelow(75);
    case 7:
        return someBelow(50);
    case 8:
        return someBelow(30);
    case 9:
        return countIf([&](int s) { return IsEnemyRevivable(s); }) >= param;
    case 10:
        return maskCount() <= param;
    case 11:
        return maskCount() >= param;
    case 12: {
        int first = 0;
        while (first < 3 && !(working[first] && memberCasting(first)))
            ++first;
        for (int m = 0; m < std::min(first, 3); ++m)
            working[m] = 0;
        return first < 3;
    }
    case 13:
        for (int m = 0; m < 3; ++m)
            if (working[m] && memberCasting(m))
                return false;
        return true;
    case 14:
        return TheCharacter == nullptr || CountMembersInState2() == 0;
    case 15:
        return countIf(standing) <= param;
    case 16:
        return countIf(standing) >= param;
    case 17:
        return count <= param;
    case 18:
        return OuterNear(r, 0, kSideEdgeMargin) || OuterNear(r, 2, kSideEdgeMargin);
    case 19:
        return IsEnemyNearAnyEdge(r, param);
    case 20:
        return actionParam && countIf([&](int s) {
                                  return IsEnemyRevivable(s) && KindOf(s) == ActionDefs[slot][param].TargetKindId;
                              }) > 0;
    case 21:
        return AnyEnemyHasStatus(param == 0 ? -1 : slot);
    case 22: {
        if (param < 0 || param > 2)
            return false;
        Mask marks = {0, 0, 0};
        for (int m = 0; m < 3; ++m)
            marks[m] = MemberUp(m) && (TheCharacter->members[m].effectBits & kMemberAilmentMasks[param]) ? 1 : 0;
        return IntersectTargetMask(working, marks);
    }
    case 23:
    case 24: {
        if (!actionParam || TheCharacter == nullptr)
            return false;
        const EnemyActionDef& def = ActionDefs[slot][param];
        if (def.GaugeMember < 0 || def.GaugeMember >= STOCK_COUNT)
            return false;
        const bool enough = TheCharacter->stock[def.GaugeMember] >= def.GaugeLimit;
        return code == 23 ? enough : !enough;
    }
    case 25:
        return actionParam && statusAccepted(param);
    case 26: {
        if (!actionParam || TheCharacter == nullptr)
            return false;
        const std::uint32_t bits = GetShotKindMask(ActionDefs[slot][param].ShotAilment, 100, true);
        Mask marks = {0, 0, 0};
        for (int m = 0; m < 3; ++m)
            marks[m] = MemberUp(m) && (TheCharacter->members[m].effectBits & bits) != bits ? 1 : 0;
        return IntersectTargetMask(working, marks);
    }
    case 27:
        return param >= 0 && param <= 2 && r.Status.HasEffect(kConditionStatusBitTable[param]);
    case 28:
        return static_cast<int>(GetBits(r.FlagsD, FLAGS_D_PHASE_INDEX, 3)) == param;
    case 29:
        return CheckEnemyKindCondition(*this, slot, param);
    case 30:
        return !HasActiveSubShot() && !IsOtherRunningActionType(slot, 30);
    case 31:
        return (param == 0 && HasActiveSubShot()) ||
               (param == 1 && TheEnemyShotList != nullptr && TheEnemyShotList->HasSubShotAtCenter());
    case 32:
        return !IsOtherRunningActionType(slot, 23);
    case 33:
        return AnyEnemyHasStatus(param == 0 ? -1 : slot) && !IsOtherRunningActionType(slot, 24);
    case 34:
        return IsEnemyAtEdgeAhead(*this, slot, param);
    case 35: {
        const int kind = KindOf(slot);
        if (param == 0)
            return countIf([&](int s) { return standing(s) && KindOf(s) != kind; }) == 0;
        return countIf([&](int s) { return standing(s) && KindOf(s) != kind; }) > 0;
    }
    case 36:
        return actionParam && candidateIndex >= 0 && candidateIndex < ENEMY_MAX_ACTIONS &&
               r.ActionStarts[candidateIndex] == r.ActionStarts[param];
    case 37:
        return RecentlyKnockedBack(*this, slot, param);
    case 38:
        return countIf([&](int s) { return IsEnemyRevivable(s); }) >= param && !IsOtherRunningActionType(slot, 25);
    case 39:
        return GameRandom() < (100 - HpPercent(r.Hp, r.MaxHp)) * 32767 / 100;
    case 40:
        return actionParam && !IsOtherRunningActionType(slot, ActionDefs[slot][param].ActionType);
    case 41:
        return ShotSpeedSumBelow(*this, slot, param,
                                 TheEnemyShotList != nullptr ? TheEnemyShotList->SumSubShotSpeed() : 0.0f);
    case 42:
        return param >= 0 && param < ENEMY_MAX_MOVES && r.MoveCooldownAll == 0 && r.MoveCooldown[param] == 0;
    case 43:
        return actionParam && statusAccepted(param) && IsStatusActionFree(slot, param);
    case 44: {
        if (param < 0 || param > 3)
            return false;
        const float margin = ENEMY_EDGE_MARGINS[param];
        return (OuterNear(r, 0, margin) || OuterNear(r, 2, margin)) &&
               (OuterNear(r, 1, margin) || OuterNear(r, 3, margin));
    }
    case 45:
        return TheCharacter == nullptr || CountAliveMembers() <= param;
    default:
        return true;
    }
}

bool CEnemyGroup::EvaluateEnemyCondition(int slot, int codeA, int codeB, bool useAiTarget, int paramA, int paramB,
                                         bool isAction, int candidateIndex)
{
    EnemyRecord& r = Records[slot];
    std::uint8_t* stored = isAction ? r.ActionTargetMask : r.MoveTargetMask;
    std::fill(stored, stored + 3, std::uint8_t{0});
    Mask working = {1, 1, 1};
    if (useAiTarget) {
        working[0] = working[1] = working[2] = 0;
        working[GetAiTarget(slot)] = 1;
    }
    const auto signedB = static_cast<int>(static_cast<std::int8_t>(paramB));
    if (codeA >= 1 && codeA <= 31 && !TestConditionA(slot, codeA, paramA, working, isAction))
        return false;
    if (codeB >= 1 && codeB <= 45 && !TestConditionB(slot, codeB, signedB, working, candidateIndex))
        return false;
    std::copy(working, working + 3, stored);
    return true;
}
