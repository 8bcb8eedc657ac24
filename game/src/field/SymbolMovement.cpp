// How a symbol moves: its decisions, moving by its velocity with the wall
// test and bounces, chasing the player, circling and a sentry's turns.
#include <cmath>

#include "core/Parts.h"
#include "core/Random.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kCell = 32;
constexpr float kTiny = 1.0f / 1024.0f;
constexpr float kHalfRoot2 = 0.70710677f;
constexpr float kHalf = 0.5f;
constexpr float kHalfRoot3 = 0.8660254f;
constexpr float kSpeedBonus[4] = {0.0f, 1.0f, 2.0f, 3.0f};
constexpr float kTurnRates[8] = {0.00125f, 0.002f, 0.003f, 0.005f, -0.00125f, -0.002f, -0.003f, -0.005f};
constexpr int kSentryPeriod = 100;

// The 16 unit directions of patterns 3 to 5.
constexpr float kDirectionX[16] = {0,          -1,         0,          1,           -kHalfRoot2, -kHalfRoot2,
                                   kHalfRoot2, kHalfRoot2, -kHalf,     -kHalfRoot3, -kHalfRoot3, -kHalf,
                                   kHalf,      kHalfRoot3, kHalfRoot3, kHalf};
constexpr float kDirectionY[16] = {-1,         0,           1,           0,          -kHalfRoot2, kHalfRoot2,
                                   kHalfRoot2, -kHalfRoot2, -kHalfRoot3, -kHalf,     kHalf,       kHalfRoot3,
                                   kHalfRoot3, kHalf,       -kHalf,      -kHalfRoot3};

float WrapAngle(float a)
{
    while (a >= kPi)
        a -= 2.0f * kPi;
    while (a < -kPi)
        a += 2.0f * kPi;
    return a;
}

float RandomAngle()
{
    return static_cast<float>(GameRandom() / 32) * (1.0f / 1024.0f) * 2.0f * kPi - kPi;
}

bool Resting(const MapSymbolRecord& s)
{
    return s.resting != 0;
}

void DirectionFromVelocity(MapSymbolRecord& s)
{
    if (std::fabs(s.vx) < kTiny)
        s.vx = 0.0f;
    if (std::fabs(s.vy) < kTiny)
        s.vy = 0.0f;
    if (std::fabs(s.vx) >= std::fabs(s.vy))
        s.direction = s.vx >= 0.0f ? 3 : 1;
    else
        s.direction = s.vy >= 0.0f ? 2 : 0;
}

// The cell column (row) of a position and the one its box reaches into.
void CellSpan(float position, int extentCells, bool looping, int& c0, int& c1)
{
    c0 = position < 0.0f ? -1 : static_cast<int>(position) / kCell;
    const bool onBoundary = position >= 0.0f && static_cast<float>(c0 * kCell) == position;
    c1 = onBoundary ? c0 : c0 + 1;
    if (looping) {
        if (c0 == extentCells)
            c0 = 0;
        if (c1 == extentCells)
            c1 = 0;
    }
}

bool OpenForSymbol(int x, int y)
{
    return TheMap->IsMapCellPassable(x, y, true) && TheEvent->IsEventCellFree(x, y);
}

void WrapPosition(float& v, float extent)
{
    if (!TheMap->IsLoopingMap())
        return;
    if (v < 0.0f)
        v += extent;
    else if (v >= extent)
        v -= extent;
}

} // namespace

PlayerOffset CObject::OffsetToPlayer(const MapSymbolRecord& s)
{
    PlayerOffset o{};
    float dx = s.x - TheMapCharacter->mapX;
    float dy = s.y - TheMapCharacter->mapY;
    o.rightOfPlayer = dx > 0.0f;
    o.belowPlayer = dy > 0.0f;
    dx = std::fabs(dx);
    dy = std::fabs(dy);
    if (TheMap->IsLoopingMap()) {
        if (dx >= TheMap->mapExtentX / 2.0f) {
            dx = TheMap->mapExtentX - dx;
            o.rightOfPlayer = !o.rightOfPlayer;
        }
        if (dy >= TheMap->mapExtentY / 2.0f) {
            dy = TheMap->mapExtentY - dy;
            o.belowPlayer = !o.belowPlayer;
        }
    }
    o.dx = dx;
    o.dy = dy;
    return o;
}

void CObject::DecideSymbol(MapSymbolRecord& s, bool first)
{
    if (Resting(s)) {
        s.resting = 0;
        s.restNext = 0;
    } else if (s.restNext && !first) {
        s.resting = 1;
    }
    if (!Resting(s)) {
        switch (s.restPattern) {
        case 1:
            s.restNext = 1;
            break;
        case 2:
            s.restNext = GameRandom() / 8192 == 0;
            break;
        case 3:
            s.restNext = GameRandom() / 4096 == 0;
            break;
        default:
            s.restNext = 0;
            break;
        }
    }
    int timer = GameRandom() / 128 + 304;
    if (s.bounceMode != 0 && !Resting(s))
        timer = timer * 2 % 2048;
    s.decisionTimer = static_cast<std::uint16_t>(timer);
    if (Resting(s)) {
        s.vx = s.vy = 0.0f;
        return;
    }
    if (s.randomPattern) {
        if (s.pattern != 6)
            s.vx = s.vy = 0.0f;
        s.pattern = static_cast<std::uint8_t>(2 + GameRandom() * 5 / 32768);
    }
    const float v = s.speed;
    switch (s.pattern) {
    case 2:
    case 8: {
        const float a = RandomAngle();
        s.vx = std::sin(a) * v;
        s.vy = std::cos(a) * v;
        break;
    }
    case 3:
    case 13: {
        const int d = GameRandom() / 8192;
        s.vx = kDirectionX[d] * v;
        s.vy = kDirectionY[d] * v;
        break;
    }
    case 4: {
        const int d = GameRandom() / 4096;
        s.vx = kDirectionX[d] * v;
        s.vy = kDirectionY[d] * v;
        break;
    }
    case 5: {
        const int d = GameRandom() / 2048;
        s.vx = kDirectionX[d] * v;
        s.vy = kDirectionY[d] * v;
        break;
    }
    case 6:
        if (s.vx == 0.0f && s.vy == 0.0f) {
            s.angle = RandomAngle();
            s.vx = std::sin(s.angle) * v;
            s.vy = std::cos(s.angle) * v;
            s.turnRate = static_cast<std::uint8_t>(GameRandom() / 4096 % 8);
        }
        break;
    case 12:
        s.vx = GameRandom() < 16384 ? -v : v;
        s.vy = 0.0f;
        break;
    default:
        s.vx = s.vy = 0.0f;
        break;
    }
    DirectionFromVelocity(s);
}

void CObject::MoveSymbolByVelocity(MapSymbolRecord& s, float factor, bool bounce)
{
    s.facing = s.direction;
    const float mx = s.vx * factor;
    s.x += mx;
    WrapPosition(s.x, TheMap->mapExtentX);
    TestWallX(s, mx, bounce);
    const float my = s.vy * factor;
    s.y += my;
    WrapPosition(s.y, TheMap->mapExtentY);
    TestWallY(s, my, bounce);
}

void CObject::TestWallX(MapSymbolRecord& s, float moved, bool bounce)
{
    if (moved == 0.0f)
        return;
    const bool looping = TheMap->IsLoopingMap();
    int c0 = 0, c1 = 0, r0 = 0, r1 = 0;
    CellSpan(s.x, TheMap->Width(), looping, c0, c1);
    CellSpan(s.y, TheMap->Height(), looping, r0, r1);
    if (moved > 0.0f) {
        if (OpenForSymbol(c1, r0) && OpenForSymbol(c1, r1))
            return;
        s.x = static_cast<float>(c0 * kCell);
        if (bounce)
            Bounce(s, 2);
    } else {
        if (OpenForSymbol(c0, r0) && OpenForSymbol(c0, r1))
            return;
        s.x = static_cast<float>(c1 * kCell);
        if (bounce)
            Bounce(s, 0);
    }
}

void CObject::TestWallY(MapSymbolRecord& s, float moved, bool bounce)
{
    if (moved == 0.0f)
        return;
    const bool looping = TheMap->IsLoopingMap();
    int c0 = 0, c1 = 0, r0 = 0, r1 = 0;
    CellSpan(s.x, TheMap->Width(), looping, c0, c1);
    CellSpan(s.y, TheMap->Height(), looping, r0, r1);
    if (moved > 0.0f) {
        if (OpenForSymbol(c0, r1) && OpenForSymbol(c1, r1))
            return;
        s.y = static_cast<float>(r0 * kCell);
        if (bounce)
            Bounce(s, 3);
    } else {
        if (OpenForSymbol(c0, r0) && OpenForSymbol(c1, r0))
            return;
        s.y = static_cast<float>(r1 * kCell);
        if (bounce)
            Bounce(s, 1);
    }
}

// Side 0 is a wall on the left, 1 above, 2 on the right, 3 below.
void CObject::Bounce(MapSymbolRecord& s, int side)
{
    if (s.bounceMode == 1) {
        if (side == 0 || side == 2)
            s.vx = -s.vx;
        else
            s.vy = -s.vy;
    } else if (s.bounceMode == 2) {
        static constexpr float kBase[4] = {0.0f, -kPi / 2.0f, -kPi, kPi / 2.0f};
        const float a = WrapAngle(kBase[side] + static_cast<float>(GameRandom() / 64) * (1.0f / 512.0f) * kPi);
        s.vx = std::sin(a) * s.speed;
        s.vy = std::cos(a) * s.speed;
    } else {
        return;
    }
    DirectionFromVelocity(s);
}

void CObject::ChaseStep(MapSymbolRecord& s, float factor, bool withBonus)
{
    const PlayerOffset o = OffsetToPlayer(s);
    if (o.dx == 0.0f && o.dy == 0.0f)
        return;
    const float v = (s.speed + (withBonus ? kSpeedBonus[s.bonusIndex & 3] : 0.0f)) * factor;
    const float a = std::atan2(o.dx, o.dy);
    float vx = std::sin(a) * v;
    float vy = std::cos(a) * v;
    // Neither component creeps: each moving one gets at least a tenth.
    const float least = v / 10.0f;
    if (vx != 0.0f && vx < least) {
        vy -= least - vx;
        vx = least;
    }
    if (vy != 0.0f && vy < least) {
        vx -= least - vy;
        vy = least;
    }
    if (vx >= vy)
        s.facing = o.rightOfPlayer ? 1 : 3;
    else
        s.facing = o.belowPlayer ? 0 : 2;
    // Toward the player, never past.
    const float stepX = vx < o.dx ? vx : o.dx;
    const float mx = o.rightOfPlayer ? -stepX : stepX;
    s.x += mx;
    if (s.x < 0.0f)
        s.x = 0.0f;
    if (s.x > TheMap->symbolLimitX)
        s.x = TheMap->symbolLimitX;
    WrapPosition(s.x, TheMap->mapExtentX);
    TestWallX(s, mx, false);
    const float stepY = vy < o.dy ? vy : o.dy;
    const float my = o.belowPlayer ? -stepY : stepY;
    s.y += my;
    if (s.y < 0.0f)
        s.y = 0.0f;
    if (s.y > TheMap->symbolLimitY)
        s.y = TheMap->symbolLimitY;
    WrapPosition(s.y, TheMap->mapExtentY);
    TestWallY(s, my, false);
}

void CObject::CircleStep(MapSymbolRecord& s)
{
    if (s.speed == 0.0f)
        return;
    s.angle = WrapAngle(s.angle + kTurnRates[s.turnRate & 7] / s.speed);
    s.vx = std::sin(s.angle) * s.speed;
    s.vy = std::cos(s.angle) * s.speed;
    DirectionFromVelocity(s);
    const float factor = s.restNext && s.decisionTimer < 64 ? static_cast<float>(s.decisionTimer) / 64.0f : 1.0f;
    MoveSymbolByVelocity(s, factor, false);
}

void CObject::SentryStep(MapSymbolRecord& s)
{
    if (s.decisionTimer > 0)
        --s.decisionTimer;
    if (s.decisionTimer != 0)
        return;
    s.facing = static_cast<std::uint8_t>((s.facing + (s.pattern == 9 ? 3 : 1)) & 3);
    s.vx = s.vy = 0.0f;
    s.decisionTimer = kSentryPeriod;
}
