// The kinds' answers to the shot patterns that leave the heading to them
// (57 along the walk, 58 and 66 by kind) and to the volleys whose shot
// count the kind decides.
#include <cmath>

#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindAttacks.h"
#include "enemies/kinds/KindPatternHooks.h"
#include "enemies/kinds/KindShotHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr int kKindPatternB = 66;
constexpr int kQuarterFanKind = 160;
constexpr float kFiveDegrees = BATTLE_PI / 36.0f;
// Kind 156 keeps its drawn base (0-255) for the shots after the first.
constexpr int kMirrorBaseByte = 7;

float FacingAngle(const EnemyRecord& r)
{
    return GetDirectionAngle(static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2)));
}

// A heading within 67.5° either side of straight up.
float RandomAimAngle()
{
    const float a = static_cast<float>(GameRandom() >> 6) * 0.0046019424f + 1.9634955f;
    return a >= BATTLE_PI ? a - 2.0f * BATTLE_PI : a;
}

float NamedMemberAngle(const EnemyRecord& r)
{
    const int member = KindNamedMember(r);
    float angle = 0.0f;
    if (member >= 0 && GetAngleToMember(angle, member, r.CenterX, r.CenterY, false))
        return angle;
    return FacingAngle(r);
}

// Shots fan out round the aim alternately: 0, -5°, +5°, -10°, +10° ...
float FanRoundMember(const EnemyRecord& r, int i)
{
    const float step = static_cast<float>((i + 1) / 2) * kFiveDegrees;
    return NamedMemberAngle(r) + (i % 2 == 1 ? -step : step);
}

float RandomSlantUp()
{
    constexpr float kSlants[4] = {-BATTLE_PI / 3.0f, -BATTLE_PI / 6.0f, BATTLE_PI / 3.0f, BATTLE_PI / 6.0f};
    return kSlants[GameRandom() * 4 >> 15];
}

// Four mirrored headings of one drawn base, drawn anew with the first shot.
float MirroredBase(EnemyRecord& r, int i)
{
    if (i == 0)
        r.KindBytes[kMirrorBaseByte] = static_cast<std::uint8_t>(GameRandom() >> 7);
    const float theta = -3.063053f + static_cast<float>(r.KindBytes[kMirrorBaseByte]) * 0.0055223308f;
    switch (i % 4) {
    case 0:
        return theta;
    case 1:
        return -theta - BATTLE_PI;
    case 2:
        return theta + BATTLE_PI;
    default:
        return -theta;
    }
}

// The shots split into four quarters of q, each a fan inside its quadrant;
// fewer than four shots leave no quarter to fill and fly straight down.
float QuarterFans(int i, int n)
{
    constexpr float kQuadrant[4] = {BATTLE_PI, BATTLE_PI / 2.0f, 3.0f * BATTLE_PI / 2.0f, 0.0f};
    const int q = n / 4;
    if (q < 1)
        return 0.0f;
    const int quarter = std::min(i / q, 3);
    return BATTLE_PI / 2.0f / static_cast<float>(q + 1) * static_cast<float>(i % q + 1) - BATTLE_PI +
           kQuadrant[quarter];
}

} // namespace

float GetMovingShotAngle(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    if (!(r.FlagsA & FLAGS_A_MOVE_RUNNING) || group.MoveCount(slot) == 0)
        return FacingAngle(r);
    const EnemyMoveDef& move = group.RunningMove(slot);
    const bool pastItsEnd = !move.Endless && r.MoveFrame >= move.Duration && r.MoveFrame > 0;
    return pastItsEnd ? FacingAngle(r) : r.Heading;
}

float GetKindPatternAngle(CEnemyGroup& group, int slot, int i, int)
{
    switch (group.KindOf(slot)) {
    case 105:
        return 0.9707964f;
    case 136:
        return static_cast<float>(i + i / 2 + 1) * BATTLE_PI / 6.0f - BATTLE_PI;
    case 168:
        return 0.6707964f;
    case 174:
        return FanRoundMember(group.Records[slot], i);
    case 183:
        return RandomSlantUp();
    case 191:
        return RandomAimAngle();
    default:
        return 0.0f;
    }
}

float GetKindPatternAngleB(CEnemyGroup& group, int slot, int i, int n)
{
    switch (group.KindOf(slot)) {
    case 156:
        return MirroredBase(group.Records[slot], i);
    case 160:
        return QuarterFans(i, n);
    default:
        return 0.0f;
    }
}

void ApplyKindVolleyHook(CEnemyGroup& group, int slot, int& count, int&, int&)
{
    const EnemyRecord& r = group.Records[slot];
    switch (group.KindOf(slot)) {
    case 131:
        count = 4 + GameRandom() * (count - 3) / 32768;
        break;
    case 176:
        count = r.KindBytes[0];
        break;
    case 183:
        count = r.KindBytes[2];
        break;
    default:
        count = 1 + GameRandom() * count / 32768;
        break;
    }
}

bool KindPatternFiresNothing(CEnemyGroup& group, int slot, int pattern, int n)
{
    return pattern == kKindPatternB && group.KindOf(slot) == kQuarterFanKind && n / 4 < 1;
}
