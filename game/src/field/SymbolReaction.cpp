// How a symbol reacts to the player within its radius: chases, dashes
// along an axis or a diagonal, watches ahead, to its side or behind.
#include <algorithm>
#include <cmath>

#include "field/Object.h"

namespace {

constexpr float kSquaredRadius[8] = {0.0f, 10000.0f, 28224.0f, 20736.0f, 18496.0f, 18496.0f, 33856.0f, 28224.0f};
constexpr float kSpeedBonus[4] = {0.0f, 1.0f, 2.0f, 3.0f};
constexpr float kAxisBand = 17.0f;
constexpr float kDiagonalBand = 37.0f;
constexpr int kChaseFrames = 176;
constexpr int kDashFrames = 60;
constexpr float kRoot2 = 1.4142135f;

enum ReactionType : int {
    kChase = 1,
    kAxisDash = 2,
    kWatchAhead = 3,
    kWatchSide = 4,
    kWatchBehind = 5,
    kDiagonalDash = 6,
    kAxisChase = 7,
};

// The player lies on the side the symbol faces.
bool PlayerAhead(const MapSymbolRecord& s, const PlayerOffset& o)
{
    switch (s.facing & 3) {
    case 0:
        return o.belowPlayer;
    case 1:
        return o.rightOfPlayer;
    case 2:
        return !o.belowPlayer;
    default:
        return !o.rightOfPlayer;
    }
}

bool PlayerInView(const MapSymbolRecord& s, const PlayerOffset& o)
{
    const bool vertical = (s.facing & 1) == 0;
    return PlayerAhead(s, o) && (vertical ? o.dy > o.dx : o.dx >= o.dy);
}

} // namespace

void CObject::StartChase(MapSymbolRecord& s)
{
    s.decisionTimer = 0;
    s.reactionTimer = kChaseFrames;
    ChaseStep(s, 1.0f, true);
}

void CObject::Dash(MapSymbolRecord& s, int direction)
{
    static constexpr float kX[4] = {0.0f, -1.0f, 0.0f, 1.0f};
    static constexpr float kY[4] = {-1.0f, 0.0f, 1.0f, 0.0f};
    const float v = s.speed + kSpeedBonus[s.bonusIndex & 3];
    s.decisionTimer = 0;
    s.reactionTimer = kDashFrames;
    s.direction = static_cast<std::uint8_t>(direction);
    s.vx = kX[direction] * v;
    s.vy = kY[direction] * v;
    MoveSymbolByVelocity(s, 1.0f, false);
}

void CObject::DiagonalDash(MapSymbolRecord& s, bool rightOfPlayer, bool belowPlayer)
{
    const float v = (s.speed + kSpeedBonus[s.bonusIndex & 3]) * kRoot2;
    s.decisionTimer = 0;
    s.reactionTimer = kDashFrames;
    s.direction = rightOfPlayer ? 1 : 3;
    s.vx = rightOfPlayer ? -v : v;
    s.vy = belowPlayer ? -v : v;
    MoveSymbolByVelocity(s, 1.0f, false);
}

bool CObject::ReactToPlayer(MapSymbolRecord& s)
{
    if (s.reactOnlyResting && !s.resting)
        return false;
    const int type = s.reactionType & 7;
    // A reaction under way runs out first.
    if (s.reactionTimer != 0) {
        const float timer = static_cast<float>(s.reactionTimer);
        if (type == kAxisDash || type == kDiagonalDash)
            MoveSymbolByVelocity(s, std::min(1.0f, timer / 32.0f), false);
        else if (s.reactionTimer > kDashFrames)
            ChaseStep(s, std::min(1.0f, (timer - 60.0f) / 32.0f), true);
        --s.reactionTimer;
        return true;
    }
    const PlayerOffset o = OffsetToPlayer(s);
    if (o.dx * o.dx + o.dy * o.dy >= kSquaredRadius[type])
        return false;
    switch (type) {
    case kChase:
        StartChase(s);
        return true;
    case kAxisDash:
        if (o.dx <= kAxisBand)
            Dash(s, o.belowPlayer ? 0 : 2);
        else if (o.dy <= kAxisBand)
            Dash(s, o.rightOfPlayer ? 1 : 3);
        else
            return false;
        return true;
    case kWatchAhead:
        if (!PlayerInView(s, o))
            return false;
        StartChase(s);
        return true;
    case kWatchSide:
        if (!PlayerAhead(s, o))
            return false;
        StartChase(s);
        return true;
    case kWatchBehind:
        if (PlayerAhead(s, o))
            return false;
        StartChase(s);
        return true;
    case kDiagonalDash:
        if (std::fabs(o.dx - o.dy) >= kDiagonalBand)
            return false;
        DiagonalDash(s, o.rightOfPlayer, o.belowPlayer);
        return true;
    case kAxisChase:
        if (o.dx > kAxisBand && o.dy > kAxisBand)
            return false;
        StartChase(s);
        return true;
    default:
        return false;
    }
}
