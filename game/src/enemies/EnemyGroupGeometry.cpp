// Geometric queries over the group that the enemy shots and the volleys
// ask, the order of a volley's shot indices, and a byte shuffle.
#include <algorithm>
#include <utility>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemySupportRoutines.h"
#include "party/PartyServices.h"

namespace {

constexpr float kCentreX = FIELD_CENTER_X;
constexpr float kCentreY = FIELD_CENTER_Y;
constexpr double kFarSq = (640.0 * 640.0 + 480.0 * 480.0) * 16.0;
constexpr int kOffsetVariant = 4;
constexpr int kFirstMemberCode = 8;

bool Standing(const CEnemyGroup& group, int s)
{
    return (group.Records[s].FlagsA & FLAGS_A_DEFEATED) == 0;
}

template <typename Accept> int Nearest(const CEnemyGroup& group, float x, float y, double& distanceSq, Accept accept)
{
    int best = -1;
    distanceSq = kFarSq;
    for (int s = 0; s < group.EnemyCount(); ++s) {
        const EnemyRecord& r = group.Records[s];
        if (!Standing(group, s) || !accept(r))
            continue;
        const double dx = r.CenterX - x;
        const double dy = r.CenterY - y;
        const double d = dx * dx + dy * dy;
        if (d < distanceSq) {
            best = s;
            distanceSq = d;
        }
    }
    return best;
}

} // namespace

bool IsMemberAheadOfEnemy(CEnemyGroup& group, int slot, int v)
{
    const EnemyRecord& r = group.Records[slot];
    const int member = v - kFirstMemberCode;
    if (member < 0 || member > 2)
        return false;
    return IsMemberInFacing(member, r.CenterX, r.CenterY, static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2)));
}

bool IsEnemyRunningAction(const CEnemyGroup& group, int slot, int type)
{
    const EnemyRecord& r = group.Records[slot];
    return r.State == ENEMY_NORMAL && (r.FlagsA & FLAGS_A_MAY_ACT) && (r.FlagsA & FLAGS_A_ACTION_RUNNING) &&
           r.ActionWait >= r.ActionDelay && !(r.FlagsC & FLAGS_C_ATTACK_DONE) && r.ActionType == type;
}

int NearestEnemyToPoint(const CEnemyGroup& group, float x, float y, double& distanceSq)
{
    return Nearest(group, x, y, distanceSq, [](const EnemyRecord&) { return true; });
}

int NearestEnemyInQuarter(const CEnemyGroup& group, float x, float y, int quarter, double& distanceSq)
{
    return Nearest(group, x, y, distanceSq, [&](const EnemyRecord& r) {
        if (r.CenterX == x && r.CenterY == y)
            return false;
        return FacingFromAngle(AngleFromDelta(r.CenterX - x, r.CenterY - y)) == quarter;
    });
}

bool AngleToFieldCentre(float x, float y, float& angle)
{
    if (x == kCentreX && y == kCentreY) {
        angle = 0.0f;
        return false;
    }
    angle = AngleFromDelta(kCentreX - x, kCentreY - y);
    return true;
}

void ShuffleBytes(std::uint8_t* bytes, int n)
{
    for (int i = n - 1; i > 0; --i)
        std::swap(bytes[i], bytes[GameRandom() * (i + 1) >> 15]);
}

float OrderShotIndex(int i, int n, int mode)
{
    auto fromBothEnds = [n](int k) { return k % 2 == 0 ? k / 2 : n - k / 2 - 1; };
    float index;
    switch (mode & 7) {
    case 1:
        index = static_cast<float>(n - i - 1);
        break;
    case 2:
        index = static_cast<float>(fromBothEnds(i));
        break;
    case 3:
        index = static_cast<float>(fromBothEnds(n - i - 1));
        break;
    default:
        index = static_cast<float>(i);
        break;
    }
    if (mode & 8)
        index += static_cast<float>(GameRandom()) / 32768.0f - 0.5f;
    return index;
}

int OffsetShotIndex(ShotOffset& state, int variant, int index, int step, int n, int count)
{
    if (variant != kOffsetVariant)
        return index + step;
    if (!state.drawn) {
        state.drawn = true;
        state.offset = GameRandom() * std::max(0, n - count) / 32768;
    }
    return index + state.offset;
}
