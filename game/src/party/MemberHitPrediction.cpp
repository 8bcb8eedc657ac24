// The look-ahead of the members' own attacks: where member 1's shot will meet
// its target, and whether an enemy knocked back by a blow or a shot runs
// back into the member before the member can move again.
#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberThinking.h"
#include "party/MemberThinkingTable.h"
#include "party/PartyServices.h"
#include "party/ThinkingTarget.h"

namespace {

constexpr float kAheadSlack = 9.0f;
constexpr float kCrossSlack = 2.0f;
constexpr int kNoMeeting = 640;
constexpr int kShotRowFirst = 4;
constexpr float kHalfCell = 16.0f;

// One side of the shot family seen along its axis: `sign` -1 flies towards
// smaller values, +1 towards larger; `alongX` flies along x.
struct Flight {
    int side;
    bool alongX;
    float sign;
};

Flight FlightOf(int side)
{
    return {side, side == 0 || side == 2, side >= 2 ? 1.0f : -1.0f};
}

// The range of the enemy's centre on the flight axis and of its position across it.
void FlightRange(const EnemyRecord& e, bool alongX, float& low, float& high)
{
    if (alongX) {
        low = thinking::MinCentreX(e);
        high = thinking::MaxCentreX(e);
    } else {
        low = thinking::MinTopY(e) + e.Height / 2.0f;
        high = thinking::MaxTopY(e) + e.Height / 2.0f;
    }
}
void CrossRange(const EnemyRecord& e, bool alongX, float& low, float& high)
{
    if (alongX) {
        low = thinking::MinTopY(e);
        high = thinking::MaxTopY(e);
    } else {
        low = FIELD_LEFT - e.OuterBox.left;
        high = FIELD_RIGHT - 1.0f - e.OuterBox.right;
    }
}

// Keeps `v` within the range; true when it had to.
bool Clamp(float& v, float low, float high)
{
    const float kept = std::clamp(v, low, high);
    const bool moved = kept != v;
    v = kept;
    return moved;
}

// The enemy of state 0 walks on while the shot flies; false when the
// prediction must give up (behind the shot, or a charging target pinned at an edge).
bool PredictWalk(const Flight& f, int enemy, const EnemyRecord& e, float origin, float& along, float& across,
                 int moveClass)
{
    const float vAlong = f.alongX ? thinking::VelocityX(e) : thinking::VelocityY(e);
    const float vAcross = f.alongX ? thinking::VelocityY(e) : thinking::VelocityX(e);
    const float closing = MEMBER1_SHOT_SPEED - f.sign * vAlong;
    int n = closing > 0.0f ? static_cast<int>(std::trunc(f.sign * (along - origin) / closing)) : kNoMeeting;
    float low = 0.0f, high = 0.0f;
    FlightRange(e, f.alongX, low, high);
    const float limit = f.sign < 0.0f ? low : high;
    const float reached = origin + f.sign * static_cast<float>(n) * MEMBER1_SHOT_SPEED;
    if (f.sign * (reached - limit) > 0.0f)
        n = static_cast<int>(std::trunc(f.sign * (limit - origin) / MEMBER1_SHOT_SPEED));
    if (n < 0)
        return false;
    if (TheCharacter->knockFrames != 0 && TheCharaShot->CharaShotHitsEnemy(f.side, enemy))
        n = std::max(0, n - MEMBER1_SHOT_HOLD_FRAMES * TheCharaShot->straightCount[f.side]);
    if (n == 0)
        return true;
    along += static_cast<float>(n) * vAlong;
    across += static_cast<float>(n) * vAcross;
    bool pinned = Clamp(along, low, high);
    CrossRange(e, f.alongX, low, high);
    pinned = Clamp(across, low, high) || pinned;
    return !(pinned && moveClass != 0);
}

// The knocked-back enemy still slides the rest of its knock-back.
bool PredictSlide(const Flight& f, const EnemyRecord& e, float origin, float& along, float& across)
{
    if (TheCharacter->knockFrames == 0)
        EstimateTargetKnockback();
    if (std::trunc(f.sign * (along - origin) / MEMBER1_SHOT_SPEED) < 0.0f)
        return false;
    const CCharacter& party = *TheCharacter;
    if (e.KnockbackTimer >= party.knockFrames || party.knockDistance == 0.0f)
        return true;
    const int run = std::clamp<int>(e.KnockbackTimer, 0, MEMBER_KNOCK_TABLE_LAST);
    const float left = party.knockDistance - party.cumulativeTable[run];
    const int knockSide = thinking::KnockSideOf(e);
    const bool knockAlongX = knockSide == 0 || knockSide == 2;
    const float signed_ = knockSide >= 2 ? left : -left;
    float low = 0.0f, high = 0.0f;
    if (knockAlongX == f.alongX) {
        along += signed_;
        FlightRange(e, f.alongX, low, high);
        Clamp(along, low, high);
    } else {
        across += signed_;
        CrossRange(e, f.alongX, low, high);
        Clamp(across, low, high);
    }
    return true;
}

bool PredictShotHit(int side, int enemy, float reach, int moveClass)
{
    const EnemyRecord* target = PresentEnemy(enemy);
    if (target == nullptr)
        return false;
    const EnemyRecord& e = *target;
    const BattleMember& shooter = TheCharacter->members[1];
    const Flight f = FlightOf(side);
    const float centre = f.alongX ? shooter.centerX : shooter.centerY;
    const float origin = centre + f.sign * kHalfCell;
    float along = f.alongX ? e.CenterX : e.CenterY;
    float across = f.alongX ? e.PosY : e.PosX;
    if (f.sign * (along - origin) < -kAheadSlack)
        return false;
    if (e.State == ENEMY_NORMAL && !PredictWalk(f, enemy, e, origin, along, across, moveClass))
        return false;
    if (e.State == ENEMY_KNOCKBACK && !e.Status.HasEffect(EFFECT_BIND) && !PredictSlide(f, e, origin, along, across))
        return false;
    // The far point the shot's knock-back takes the enemy to must lie within the shot's reach.
    float low = 0.0f, high = 0.0f;
    FlightRange(e, f.alongX, low, high);
    const float far = std::clamp(along + f.sign * reach, low, high);
    if (MEMBER1_SHOT_REACH < f.sign * (far - centre))
        return false;
    // Across the flight: the shot box against the member's shot row.
    const float* row = MEMBER_ATTACK_BOXES[kShotRowFirst + side];
    const float memberAcross = f.alongX ? shooter.y : shooter.x;
    const float rowLow = f.alongX ? row[1] : row[0];
    const float rowHigh = f.alongX ? row[3] : row[2];
    const float boxLow = f.alongX ? e.InnerBox.top : e.InnerBox.left;
    const float boxHigh = f.alongX ? e.InnerBox.bottom : e.InnerBox.right;
    return across + boxHigh > memberAcross + rowLow + kCrossSlack &&
           memberAcross + rowHigh - kCrossSlack > across + boxLow;
}

} // namespace

bool PredictShotHitLeft(int enemy, float reach, int moveClass)
{
    return PredictShotHit(0, enemy, reach, moveClass);
}
bool PredictShotHitUp(int enemy, float reach, int moveClass)
{
    return PredictShotHit(1, enemy, reach, moveClass);
}
bool PredictShotHitRight(int enemy, float reach, int moveClass)
{
    return PredictShotHit(2, enemy, reach, moveClass);
}
bool PredictShotHitDown(int enemy, float reach, int moveClass)
{
    return PredictShotHit(3, enemy, reach, moveClass);
}

bool WouldEnemyReachMember(int member, int enemy, int frames, int side)
{
    const EnemyRecord* target = PresentEnemy(enemy);
    if (target == nullptr)
        return false;
    const EnemyRecord& e = *target;
    const int k = thinking::EffectiveKnockLength(enemy, side);
    const int t = frames - k;
    if (t < 1)
        return false;
    float x = e.PosX;
    float y = e.PosY;
    if (k > 0) {
        const float shift = TheCharacter->cumulativeTable[std::min(k, MEMBER_KNOCK_TABLE_LAST)];
        x += side == 0 ? -shift : (side == 2 ? shift : 0.0f);
        y += side == 1 ? -shift : (side == 3 ? shift : 0.0f);
        x = std::clamp(x, FIELD_LEFT - e.OuterBox.left, FIELD_RIGHT - 1.0f - e.OuterBox.right);
        y = std::clamp(y, thinking::MinTopY(e), thinking::MaxTopY(e));
    }
    const float vx = thinking::VelocityX(e);
    const float vy = thinking::VelocityY(e);
    const float half = static_cast<float>(t / 2);
    if (t < 6 && TheBattleTouch->IsMemberTouchingEnemyAt(member, enemy, x + half * vx, y + half * vy))
        return true;
    return TheBattleTouch->IsMemberTouchingEnemyAt(member, enemy, x + static_cast<float>(t) * vx,
                                                   y + static_cast<float>(t) * vy);
}

void EstimateTargetKnockback()
{
    CCharacter& party = *TheCharacter;
    const BattleMember& shooter = party.members[1];
    const int enemy = static_cast<int>(TargetEnemy::Get(shooter.flags));
    const int side = static_cast<int>(ApproachSide::Get(shooter.flags));
    const int k = std::min(thinking::EffectiveKnockLength(enemy, side), MEMBER_KNOCK_TABLE_LAST);
    party.knockFrames = k < 2 ? 0 : k - 1;
    party.knockDistance = party.cumulativeTable[std::max(k, 0)];
    const EnemyRecord* e = PresentEnemy(enemy);
    if (e == nullptr)
        return;
    const int moveClass = thinking::MoveClass(enemy);
    const bool still = (e->FlagsA & (thinking::kFlagA | thinking::kFlagB)) == 0;
    if (moveClass == 2 || (moveClass == 1 && still && !e->Status.HasEffect(EFFECT_SLIP)) ||
        e->Status.HasEffect(EFFECT_BIND) || e->Status.HasEffect(EFFECT_STOP))
        party.knockDistance = 0.0f;
}
