// Members and enemies walking into each other: each push is resolved along
// the axis just moved, against the side the mover came from, and a ramming
// enemy that runs head-on into a member hits it.
#include <cmath>

#include "battle/BattleTouch.h"
#include "battle/TouchBoxes.h"
#include "battle/TouchRoles.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr int kRamActionType = 2;
constexpr int kStrongPushLevel = 2;

// Whether an enemy's body stops a member walking into it.
bool BlocksMember(int slot, const TouchBox& foot)
{
    const EnemyRecord& r = TheEnemyGroup->Records[slot];
    return EnemyHasBodyCollision(slot) && !EnemyIsDefeated(r) && !EnemyIsAppearing(r) && !EnemyMayOverlapParty(r) &&
           BoxesTouch(EnemyBodyBox(r), foot);
}

// The body edge that faces a member moving toward `side`.
float FacingEdge(const TouchBox& body, int side)
{
    switch (side) {
    case FACING_LEFT:
        return body.right;
    case FACING_UP:
        return body.bottom;
    case FACING_RIGHT:
        return body.left;
    default:
        return body.top;
    }
}

// Whether edge `a` stops a member moving toward `side` farther back than `b`.
bool StopsFartherBack(float a, float b, int side)
{
    return side == FACING_LEFT || side == FACING_UP ? a > b : a < b;
}

bool MayRam(int slot, const BattleMember& member)
{
    const EnemyRecord& r = TheEnemyGroup->Records[slot];
    const bool rams = (KindOfSlot(slot) != nullptr && KindOfSlot(slot)->Ram != 0) || EnemyRams(slot);
    return rams && !MemberIsInvincible(member) && r.State != ENEMY_KNOCKBACK && !EnemyHasStatus(r, EFFECT_SLOW) &&
           !EnemyHasStatus(r, EFFECT_SLIP) && EnemyAppearGrace(r) == 0;
}

// Puts the enemy against a member's foot box, the enemy having moved toward `side`.
void PutEnemyAgainstMember(int slot, const BattleMember& m, int side)
{
    const EnemyRecord& r = TheEnemyGroup->Records[slot];
    switch (side) {
    case FACING_LEFT:
        SetEnemyX(slot, m.x + 29.0f - r.BodyBox.left);
        break;
    case FACING_UP:
        SetEnemyY(slot, m.y + 22.0f - r.BodyBox.top);
        break;
    case FACING_RIGHT:
        SetEnemyX(slot, m.x + 3.0f - r.BodyBox.right);
        break;
    default:
        SetEnemyY(slot, m.y + 9.0f - r.BodyBox.bottom);
        break;
    }
}

// The enemy moves half-way out of the member's foot box, in the member's direction.
void PushEnemyHalfWay(int slot, const BattleMember& m, int side)
{
    const EnemyRecord& r = TheEnemyGroup->Records[slot];
    switch (side) {
    case FACING_LEFT:
        SetEnemyX(slot, (r.PosX + (m.x + 3.0f - r.BodyBox.right)) / 2.0f);
        break;
    case FACING_UP:
        SetEnemyY(slot, (r.PosY + (m.y + 9.0f - r.BodyBox.bottom)) / 2.0f);
        break;
    case FACING_RIGHT:
        SetEnemyX(slot, (r.PosX + (m.x + 29.0f - r.BodyBox.left)) / 2.0f);
        break;
    default:
        SetEnemyY(slot, (r.PosY + (m.y + 22.0f - r.BodyBox.top)) / 2.0f);
        break;
    }
}

// The other enemies' best edge keeps the pushed enemy from passing it.
void BoundBySecondEdge(int slot, float second, int side)
{
    const EnemyRecord& r = TheEnemyGroup->Records[slot];
    const TouchBox body = EnemyBodyBox(r);
    switch (side) {
    case FACING_LEFT:
        if (second > body.right)
            SetEnemyX(slot, second - r.BodyBox.right);
        break;
    case FACING_UP:
        if (second > body.bottom)
            SetEnemyY(slot, second - r.BodyBox.bottom);
        break;
    case FACING_RIGHT:
        if (body.left > second)
            SetEnemyX(slot, second - r.BodyBox.left);
        break;
    default:
        if (body.top > second)
            SetEnemyY(slot, second - r.BodyBox.top);
        break;
    }
}

bool CanBePushed(int slot, float farEdge, float second)
{
    const EnemyRecord& r = TheEnemyGroup->Records[slot];
    return !TheEnemyGroup->IsEnemyInvulnerable(slot) && KindOfSlot(slot) != nullptr &&
           KindOfSlot(slot)->Immovable == 0 && !EnemyIsIntangible(r) && farEdge != second &&
           !EnemyHasStatus(r, EFFECT_BIND) && !EnemyHasStatus(r, EFFECT_STOP);
}

// The power and knock-back level of a ram: a running dash gives its own,
// otherwise 1.0 and, for a strong-pushing kind, level 2.
void RamPower(int slot, float& power, int& level)
{
    const CEnemyGroup& group = *TheEnemyGroup;
    const EnemyRecord& r = group.Records[slot];
    power = 1.0f;
    level = 0;
    const int action = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_ACTION_INDEX, 5));
    const bool inProgress = (r.FlagsC & FLAGS_C_ATTACK_DONE) == 0 && (r.FlagsA & FLAGS_A_ACTION_RUNNING) != 0;
    // An index past the kind's actions reads no definition.
    if (inProgress && group.ActionDefs[slot] != nullptr && action < group.ActionCount(slot)) {
        const EnemyActionDef& def = group.RunningAction(slot);
        if (def.ActionType == kRamActionType) {
            power = def.ActionParam1;
            level = def.ShotKnock & 3;
            return;
        }
    }
    if (KindOfSlot(slot) != nullptr && KindOfSlot(slot)->StrongPush != 0)
        level = kStrongPushLevel;
}

} // namespace

void CBattleTouch::TestMemberTouch(int member, int side, bool resolveTogether)
{
    const BattleMember& m = TheCharacter->members[member];
    if (MemberJustRevived(m))
        return;
    std::uint32_t mask = 0;
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot) {
        if (!BlocksMember(slot, FootBox(m)))
            continue;
        if (resolveTogether)
            mask |= 1u << slot;
        else
            PushMemberOutOfEnemy(slot, member, side);
    }
    if (mask != 0)
        ResolveMemberTouches(mask, member, side);
}

void CBattleTouch::PushMemberOutOfEnemy(int enemy, int member, int side)
{
    const TouchBox body = EnemyBodyBox(TheEnemyGroup->Records[enemy]);
    CCharacter& party = *TheCharacter;
    switch (side) {
    case FACING_LEFT:
        party.SetMemberPosX(member, body.right - 3.0f);
        break;
    case FACING_UP:
        party.SetMemberPosY(member, body.bottom - 9.0f);
        break;
    case FACING_RIGHT:
        party.SetMemberPosX(member, body.left - 29.0f);
        break;
    default:
        party.SetMemberPosY(member, body.top - 22.0f);
        break;
    }
}

void CBattleTouch::ResolveMemberTouches(std::uint32_t enemyMask, int member, int side)
{
    CEnemyGroup& group = *TheEnemyGroup;
    const bool backward = side == FACING_LEFT || side == FACING_UP;
    int chosen = -1;
    float best = 0.0f;
    for (int slot = 0; slot < ENEMY_SLOTS; ++slot) {
        if ((enemyMask >> slot & 1u) == 0)
            continue;
        const float edge = FacingEdge(EnemyBodyBox(group.Records[slot]), side);
        if (chosen < 0 || StopsFartherBack(edge, best, side)) {
            chosen = slot;
            best = edge;
        }
    }
    float second = backward ? -640.0f : 1280.0f;
    for (int slot = 0; slot < ENEMY_SLOTS; ++slot) {
        if ((enemyMask >> slot & 1u) == 0 || slot == chosen)
            continue;
        const float edge = FacingEdge(EnemyBodyBox(group.Records[slot]), side);
        if (StopsFartherBack(edge, second, side))
            second = edge;
    }

    EnemyRecord& r = group.Records[chosen];
    const BattleMember& m = TheCharacter->members[member];
    const bool moving = r.MoveX != 0.0f || r.MoveY != 0.0f;
    if (MayRam(chosen, m) && moving && (EnemyFacing(r) ^ 2) == side) {
        PushMemberOutOfEnemy(chosen, member, side);
        return;
    }
    if (!CanBePushed(chosen, best, second)) {
        PushMemberOutOfEnemy(chosen, member, side);
        return;
    }
    const float oldX = r.PosX;
    const float oldY = r.PosY;
    PushEnemyHalfWay(chosen, m, side);
    group.ClampEnemyToField(chosen, 3);
    for (int other = 0; other < PARTY_MEMBER_COUNT; ++other) {
        const BattleMember& o = TheCharacter->members[other];
        if (other == member || o.IsDown() || MemberJustRevived(o))
            continue;
        if (BoxesTouch(FootBox(o), EnemyBodyBox(r)))
            PutEnemyAgainstMember(chosen, o, side);
    }
    BoundBySecondEdge(chosen, second, side);
    PushMemberOutOfEnemy(chosen, member, side);
    if (r.PosX != oldX || r.PosY != oldY) {
        group.StartEnemyFlinch(chosen);
        if (EnemyHasStatus(r, EFFECT_SLIP))
            StoreEnemyPushedDisplacement(chosen, r.PosX - oldX, r.PosY - oldY);
    }
}

void CBattleTouch::TestEnemyTouch(int enemy, int side)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    if (EnemyHasNoContact(r) || EnemyIsDefeated(r) || EnemyMayOverlapParty(r) || EnemyIsAppearing(r))
        return;
    for (int member = 0; member < PARTY_MEMBER_COUNT; ++member) {
        const BattleMember& m = TheCharacter->members[member];
        if (m.IsDown() || MemberJustRevived(m) || !BoxesTouch(FootBox(m), EnemyBodyBox(r)))
            continue;
        if (EnemyHasBodyCollision(enemy))
            PutEnemyAgainstMember(enemy, m, side);
        if (MayRam(enemy, m) && DominantSide(r.MoveX, r.MoveY) == side)
            RamMember(enemy, member, side);
    }
}

void CBattleTouch::RamMember(int enemy, int member, int side)
{
    SceneTrace::Note("RamMember", enemy * 10 + member);
    float power = 1.0f;
    int level = 0;
    RamPower(enemy, power, level);
    HurtMemberByBody(enemy, member, CalcContactDamageToMember(enemy, member, power), side, level);
}

int SideFromPoints(float ax, float ay, float bx, float by)
{
    const float dx = ax - bx;
    const float dy = ay - by;
    if (std::fabs(dx) >= std::fabs(dy))
        return ax >= bx ? FACING_LEFT : FACING_RIGHT;
    return ay >= by ? FACING_UP : FACING_DOWN;
}

int DominantSide(float vx, float vy)
{
    if (std::fabs(vx) >= std::fabs(vy))
        return vx >= 0.0f ? FACING_RIGHT : FACING_LEFT;
    return vy >= 0.0f ? FACING_DOWN : FACING_UP;
}
