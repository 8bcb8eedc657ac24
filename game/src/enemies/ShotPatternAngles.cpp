#include "enemies/ShotPatternAngles.h"

#include <cmath>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotMemberChoices.h"
#include "enemies/kinds/KindShotHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr float kPi = BATTLE_PI;
constexpr float kTurn = 2.0f * BATTLE_PI;
constexpr float kDegree = 0.017453292f;
constexpr int kDegreesPerTurn = 360;
constexpr std::uint32_t kFlagsEKindAim = 1u << 27; // set by pattern 51, read by the shot step
constexpr int kFirstMemberPattern = 62;

// A fan: its width, where it starts for each facing (centred on it), and
// how finely a jittered shot is placed inside its slot (r div
// `jitterDivisor` steps of step / `jitterSteps`).
struct Fan {
    float width;
    float start[4];
    int jitterSteps;
    int jitterDivisor;
    bool wrapRight;
};

constexpr Fan kFan45 = {
    kPi / 4.0f, {-5.0f * kPi / 8.0f, 7.0f * kPi / 8.0f, 3.0f * kPi / 8.0f, -kPi / 8.0f}, 256, 128, false};
constexpr Fan kFan90 = {kPi / 2.0f, {-3.0f * kPi / 4.0f, 3.0f * kPi / 4.0f, kPi / 4.0f, -kPi / 4.0f}, 512, 64, false};
constexpr Fan kFan180 = {kPi, {-kPi, kPi / 2.0f, 0.0f, -kPi / 2.0f}, 1024, 32, true};

float FanAngle(const Fan& fan, int direction, int i, int n, bool jitter)
{
    const int d = direction & 3;
    const float step = fan.width / static_cast<float>(n < 1 ? 1 : n);
    float heading = step * static_cast<float>(i) + fan.start[d];
    if (jitter)
        heading += step / static_cast<float>(fan.jitterSteps) * static_cast<float>(GameRandom() / fan.jitterDivisor);
    if (d == 1 || (d == 2 && fan.wrapRight))
        heading = WrapHeadingOnce(heading);
    return heading;
}

int FacingOf(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
}

float Share(int i, int n)
{
    return static_cast<float>(i) / static_cast<float>(n);
}

// The heading from the enemy's centre to a member's; the facing when the
// member is knocked out or stands on the centre.
float TowardsMember(const EnemyRecord& r, int member)
{
    float heading = 0.0f;
    if (TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT &&
        GetAngleToMember(heading, member, r.CenterX, r.CenterY, true))
        return heading;
    return GetDirectionAngle(FacingOf(r));
}

float TowardsCorner(const EnemyRecord& r, int corner)
{
    const float dx = FIELD_CORNER_X[corner] - r.CenterX;
    const float dy = FIELD_CORNER_Y[corner] - r.CenterY;
    if (dx == 0.0f && dy == 0.0f)
        return 0.0f;
    return WrapHeadingOnce(AngleFromDelta(dx, dy));
}

// Pattern 59: the member chosen now is kept, so the action's later shots
// aim at it too.
float AimAtRandomMember(EnemyRecord& r)
{
    if (TheCharacter == nullptr)
        return GetDirectionAngle(FacingOf(r));
    const int member = PickRandomAliveMember();
    SetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7, static_cast<std::uint32_t>(kFirstMemberPattern + member));
    return TowardsMember(r, member);
}

float AimAtNearestMember(const EnemyRecord& r)
{
    if (TheCharacter == nullptr)
        return GetDirectionAngle(FacingOf(r));
    return TowardsMember(r, FindNearestMember(r.CenterX, r.CenterY, -1));
}

float KindTargetOrBackFan(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const int member = GetKindTargetMember(group, slot);
    if (member >= 0)
        return TowardsMember(r, member);
    return GetFanAngle180(FacingOf(r) ^ 2, 0, 1, true);
}

float FixedDegrees(const CEnemyGroup& group, int slot)
{
    const int degrees = (group.RunningAction(slot).Param % kDegreesPerTurn + kDegreesPerTurn) % kDegreesPerTurn;
    return static_cast<float>(degrees) * kDegree - kPi;
}

float RandomOf(int shift, float step, float offset)
{
    return static_cast<float>(GameRandom() >> shift) * step + offset;
}

} // namespace

float WrapHeadingOnce(float heading)
{
    return heading >= kPi ? heading - kTurn : heading;
}

float GetDirectionAngle(int direction)
{
    constexpr float kHeadings[4] = {-kPi / 2.0f, -kPi, kPi / 2.0f, 0.0f};
    return kHeadings[direction & 3];
}

float GetFanAngle45(int direction, int i, int n, bool jitter)
{
    return FanAngle(kFan45, direction, i, n, jitter);
}

float GetFanAngle90(int direction, int i, int n, bool jitter)
{
    return FanAngle(kFan90, direction, i, n, jitter);
}

float GetFanAngle180(int direction, int i, int n, bool jitter)
{
    return FanAngle(kFan180, direction, i, n, jitter);
}

int MemberToShotPattern(int member)
{
    return member == 1 ? 9 : member == 2 ? 10 : 8;
}

int ResolveShotPattern(CEnemyGroup& group, int slot, int pattern)
{
    EnemyRecord& r = group.Records[slot];
    switch (pattern) {
    case 2:
        return MemberToShotPattern(ChooseFrontTarget(group, slot));
    case 3:
        return MemberToShotPattern(ChooseCasterOrNearest(group, slot));
    case 4:
        return MemberToShotPattern(ChooseFrontCasterOrNearest(group, slot));
    case 5:
        return ChooseFrontCasterOrNearest(group, slot) == 2 ? 10 : MemberToShotPattern(ChooseFrontTarget(group, slot));
    case 7:
        return MemberToShotPattern(group.GetAiTarget(slot));
    case 47:
        return MemberToShotPattern(PickActionTarget(group, slot));
    case 51:
        r.FlagsE |= kFlagsEKindAim;
        return MemberToShotPattern(group.GetAiTarget(slot));
    case 61:
        return kFirstMemberPattern + group.GetAiTarget(slot);
    case 65:
        return MemberToShotPattern(TheCharacter == nullptr ? 0 : FindNearestMember(r.CenterX, r.CenterY, -1));
    default:
        return pattern;
    }
}

float GetShotPatternAngle(CEnemyGroup& group, int slot, int pattern, int i, int n)
{
    EnemyRecord& r = group.Records[slot];
    const int f = FacingOf(r);
    n = n < 1 ? 1 : n;
    if (pattern == 43 || pattern == 45)
        i /= 4;
    if (i >= n)
        i %= n;
    if (i < 0) // only a kind's own offset can take it below 0
        i = i % n + n;
    switch (pattern) {
    case 0:
    case 1:
    case 6:
    case 8:
    case 9:
    case 10:
    case 11:
        return GetDirectionAngle(f);
    case 12:
        return Share(i, n) * kTurn - kPi;
    case 13:
        return WrapHeadingOnce((static_cast<float>(i) + 0.5f) / static_cast<float>(n) * kTurn - kPi);
    case 14:
        return GetDirectionAngle((f + 1 + 2 * (i % 2)) % 4);
    case 15:
        return GetDirectionAngle((f + 2 * (i % 2)) % 4);
    case 16:
        return GetFanAngle90(f, 0, 1, true);
    case 17:
        return GetFanAngle90((f + 2) % 4, 0, 1, true);
    case 18:
        return RandomOf(13, kPi / 2.0f, -kPi);
    case 19:
        return RandomOf(13, kPi / 2.0f, -3.0f * kPi / 4.0f);
    case 20:
        return RandomOf(12, kPi / 4.0f, -kPi);
    case 21:
        return RandomOf(11, kPi / 8.0f, -kPi);
    case 22:
        return RandomOf(5, kTurn / 1024.0f, -kPi);
    case 23:
        return Share(i, n) * kTurn - kPi + RandomOf(7, kTurn / static_cast<float>(n) / 256.0f, 0.0f);
    case 24:
        return GetFanAngle180(f, 0, 1, true);
    case 25:
        return GetFanAngle90(f, i, n, true);
    case 26:
        return n == 1 ? 0.0f : GetFanAngle90(f, i, n - 1, false);
    case 27:
        return GetFanAngle90(f, i + 1, n + 1, false);
    case 28:
        return GetFanAngle180(f, i, n, true);
    case 29:
        return n == 1 ? 0.0f : GetFanAngle180(f, i, n - 1, false);
    case 30:
        return GetFanAngle180(f, i + 1, n + 1, false);
    case 31:
        return GetFanAngle45(f, 0, 1, true);
    case 32:
        return GetFanAngle45(f, i, n, true);
    case 33:
        return n == 1 ? 0.0f : GetFanAngle45(f, i, n - 1, false);
    case 34:
        return GetFanAngle45(f, i + 1, n + 1, false);
    case 35:
        return FixedDegrees(group, slot);
    case 42:
    case 43:
        return static_cast<float>(i + 1) / static_cast<float>(n + 1) * kPi - kPi / 2.0f;
    case 44:
    case 45:
        return static_cast<float>(i + 1) / static_cast<float>(n) * (kPi / 2.0f) - kPi / 2.0f;
    case 48:
        return KindTargetOrBackFan(group, slot);
    case 49:
        return TowardsMember(r, i % 3);
    case 50:
        return GetDirectionAngle(static_cast<int>(GetBits(r.KindWord, KIND_WORD_ACTION_DIRECTION, 2)));
    case 52:
        return GetKindAimAngle(group, slot);
    case 53:
        return TowardsCorner(r, i % 4);
    case 55:
        return GetDirectionAngle(2 * (i % 2));
    case 56:
        return GetDirectionAngle(2 * (i % 2) + 1);
    case 57:
        return GetMovingShotAngle(group, slot);
    case 58:
        return GetKindPatternAngle(group, slot, i, n);
    case 59:
        return AimAtRandomMember(r);
    case 60:
        return AimAtNearestMember(r);
    case 62:
    case 63:
    case 64:
        return TowardsMember(r, pattern - kFirstMemberPattern);
    case 66:
        return GetKindPatternAngleB(group, slot, i, n);
    case 67:
        return -Share(i, n) * (kPi / 2.0f);
    default:
        // 2-5, 7, 47, 51, 61 and 65 are resolved before firing; 36-41, 46,
        // 54, 68 and 69 take their heading from where the shot is spawned.
        return 0.0f;
    }
}
