// One battle frame of every enemy: its state, its action and movement, its
// statuses, walking and facing, its motion with the push-out and the field
// clamp, the target reaction and its cooldowns.
#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyBehaviour.h"
#include "enemies/EnemyMoveTypes.h"
#include "enemies/kinds/KindHooks.h"
#include "party/PartyServices.h"

namespace {

constexpr int kDefeatFrames = 48;
constexpr int kAppearStep = 4;
constexpr int kGraceFrames = 120;
constexpr int kWalkCycle = 16;
constexpr float kNoMotion = 1.0f / 1024.0f;
constexpr int kSharedAiType = 20;
constexpr int kReactingAiType = 5;
constexpr std::uint32_t kMemberReactFlag = 1u << 28;
constexpr std::uint32_t kAnyStatus = (1u << STATUS_EFFECT_COUNT) - 1u;

// The third counter of the status block is its count of floating marks;
// while any floats, their timers age so the labels fade and go.
bool ThirdCounterRunning(const EnemyRecord& r)
{
    return MarkCount::Get(r.Status.effectState) != 0;
}

// A slipping enemy's motion eases through the velocity it carries.
void EaseEnemyInertia(EnemyRecord& r)
{
    r.InertiaX = EaseValue(r.InertiaX, r.MoveX);
    r.InertiaY = EaseValue(r.InertiaY, r.MoveY);
    r.MoveX = r.InertiaX;
    r.MoveY = r.InertiaY;
}

void SetFlag(std::uint32_t& word, std::uint32_t flag, bool on)
{
    word = on ? word | flag : word & ~flag;
}

} // namespace

void CEnemyGroup::UpdateEnemy()
{
    SceneTrace::Note("UpdateEnemy");
    StepRotatingPhase();
    for (int slot = 0; slot < EnemyCount(); ++slot)
        if (KindDefs[slot] != nullptr)
            UpdateOneEnemy(slot);
    ++FrameCounter;
}

void CEnemyGroup::UpdateOneEnemy(int slot)
{
    EnemyRecord& r = Records[slot];
    r.MoveX = r.MoveY = 0.0f;
    r.FlagsA = (r.FlagsA | FLAGS_A_MAY_ACT) & ~FLAGS_A_DASHING;
    r.PrevX = r.PosX;
    r.PrevY = r.PosY;
    if ((r.KindWord & KIND_WORD_GRACE) && TheBattleTouch != nullptr && !TheBattleTouch->IsEnemyTouchingMember(slot))
        r.KindWord &= ~KIND_WORD_GRACE;
    if (const std::uint32_t grace = GetBits(r.FlagsB, FLAGS_B_GRACE_COUNT, 7); grace != 0)
        SetBits(r.FlagsB, FLAGS_B_GRACE_COUNT, 7, grace - 1);
    if (r.DropShown)
        AdvanceDropPicture(slot);
    if (!UpdateEnemyState(slot))
        return;
    if (r.KindTimer != 0)
        UpdateEnemyKindSpecial(*this, slot);
    ActAndMove(slot);
    TickEnemyStatus(slot);
    if (std::fabs(r.MoveX) <= kNoMotion)
        r.MoveX = 0.0f;
    if (std::fabs(r.MoveY) <= kNoMotion)
        r.MoveY = 0.0f;
    WalkAndFace(slot);
    MoveEnemy(slot);
    ReactToTarget(slot);
    CountDownHolds(slot);
    if (KindDefs[slot]->PoseSprite)
        StepPose(slot);
    UpdateSpriteFrame(slot);
}

// The state's own frame; false when nothing else happens for the enemy.
bool CEnemyGroup::UpdateEnemyState(int slot)
{
    EnemyRecord& r = Records[slot];
    switch (r.State) {
    case ENEMY_FLINCH:
        if (r.FlinchTimer < r.FlinchFrames) {
            r.FlagsA &= ~FLAGS_A_MAY_ACT;
            ++r.FlinchTimer;
        } else {
            r.FlagsA &= ~(FLAGS_A_ACTION_RUNNING | FLAGS_A_MOVE_RUNNING | FLAGS_A_ACTION_ENDED);
            r.KindWord &= ~KIND_WORD_MOVE_ENDED;
            r.State = ENEMY_NORMAL;
        }
        return true;
    case ENEMY_KNOCKBACK:
        if (r.KnockbackTimer < r.KnockbackFrames) {
            PushKnockback(slot);
            r.FlagsA &= ~FLAGS_A_MAY_ACT;
            ++r.KnockbackTimer;
        } else {
            EndKnockback(slot);
        }
        return true;
    case ENEMY_DEFEATED:
        r.FlagsA &= ~FLAGS_A_MAY_ACT;
        if (!(r.FlagsC & FLAGS_C_DEFEAT_DONE)) {
            const std::uint32_t frames = GetBits(r.FlagsB, FLAGS_B_DEFEAT_FRAMES, 6) + 1;
            SetBits(r.FlagsB, FLAGS_B_DEFEAT_FRAMES, 6, frames);
            if (frames >= kDefeatFrames)
                r.FlagsC |= FLAGS_C_DEFEAT_DONE;
        }
        if (ThirdCounterRunning(r))
            TickEffectTimers(r.Status);
        if (r.FlagsF & FLAGS_F_DEFEAT_FOLLOW_UP)
            UpdateEnemyAfterlifeTimer(*this, slot);
        return false;
    case ENEMY_FLEEING:
        if (!(r.KindWord & KIND_WORD_GONE)) {
            UpdateFleeingEnemy(slot);
            if (ThirdCounterRunning(r))
                TickEffectTimers(r.Status);
        }
        return false;
    case ENEMY_APPEARING:
        if (r.Alpha < 255) {
            r.FlagsA &= ~FLAGS_A_MAY_ACT;
            r.Alpha = static_cast<std::int16_t>(std::min(255, r.Alpha + kAppearStep));
        } else {
            r.Alpha = 255;
            r.KindWord &= ~KIND_WORD_NOT_PRESENT;
            if (!KindDefs[slot]->NoContact)
                r.KindWord |= KIND_WORD_GRACE;
            SetBits(r.FlagsB, FLAGS_B_GRACE_COUNT, 7, kGraceFrames);
            StopAction(slot);
            StopMove(slot);
            r.State = ENEMY_NORMAL;
        }
        return true;
    default:
        return true;
    }
}

// The action first, then the movement the action still allows.
void CEnemyGroup::ActAndMove(int slot)
{
    EnemyRecord& r = Records[slot];
    if (!(r.FlagsA & FLAGS_A_MAY_ACT)) {
        r.FlagsC &= ~FLAGS_C_ACTING;
        r.FlagsA &= ~FLAGS_A_MAY_MOVE;
        return;
    }
    r.FlagsA |= FLAGS_A_MAY_MOVE;
    const bool moveExcludesAction =
        (r.FlagsA & FLAGS_A_MOVE_RUNNING) && MoveCount(slot) > 0 && !RunningMove(slot).WithAction;
    SetFlag(r.FlagsC, FLAGS_C_ACTING, !moveExcludesAction);
    if (moveExcludesAction || r.ActionHold != 0) {
        StopAction(slot);
    } else {
        if (!(r.FlagsA & FLAGS_A_ACTION_RUNNING))
            SelectEnemyAction(slot);
        if (r.FlagsA & FLAGS_A_ACTION_RUNNING)
            ExecuteEnemyAction(slot);
    }
    if (!(r.FlagsA & FLAGS_A_MAY_MOVE) || r.MoveHold != 0) {
        StopMove(slot);
        return;
    }
    if (!(r.FlagsA & FLAGS_A_MOVE_RUNNING))
        SelectEnemyMove(slot);
    if (r.FlagsA & FLAGS_A_MOVE_RUNNING)
        ExecuteEnemyMove(slot);
}

void CEnemyGroup::TickEnemyStatus(int slot)
{
    EnemyRecord& r = Records[slot];
    if ((r.Status.effectBits & kAnyStatus) != 0) {
        if (r.Status.HasEffect(EFFECT_POISON))
            TickStatusDamage(slot);
        if (r.Status.HasEffect(EFFECT_CONFUSION) && r.State == ENEMY_NORMAL) {
            r.MoveX = -r.MoveX;
            r.MoveY = -r.MoveY;
        }
        TickStatusEffects(r.Status, 1, true);
    }
    if (ThirdCounterRunning(r))
        TickEffectTimers(r.Status);
}

void CEnemyGroup::WalkAndFace(int slot)
{
    EnemyRecord& r = Records[slot];
    if ((r.MoveX == 0.0f && r.MoveY == 0.0f) || r.State == ENEMY_KNOCKBACK) {
        r.WalkFrame = 0;
        r.FlagsA &= ~FLAGS_A_WALKING;
        return;
    }
    int facing;
    if (std::fabs(r.MoveX) >= std::fabs(r.MoveY))
        facing = r.MoveX >= 0.0f ? 2 : 0;
    else
        facing = r.MoveY >= 0.0f ? 3 : 1;
    SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facing));
    if (r.Status.HasEffect(EFFECT_BIND)) {
        r.FlagsA &= ~FLAGS_A_WALKING;
        r.WalkFrame = 0;
        return;
    }
    if (r.FlagsA & FLAGS_A_WALKING)
        r.WalkFrame = (r.WalkFrame + 1) % kWalkCycle;
    r.FlagsA |= FLAGS_A_WALKING;
}

void CEnemyGroup::MoveAlongAxis(int slot, bool horizontal, float amount)
{
    EnemyRecord& r = Records[slot];
    if (amount == 0.0f)
        return;
    if (horizontal)
        SetEnemyPosition(slot, r.PosX + amount, r.PosY);
    else
        SetEnemyPosition(slot, r.PosX, r.PosY + amount);
    if (TheBattleTouch != nullptr)
        TheBattleTouch->TestEnemyTouch(slot, horizontal ? (amount < 0.0f ? 0 : 2) : (amount < 0.0f ? 1 : 3));
    ClampMotion(slot, horizontal ? 2 : 1);
}

// A slipping enemy on an edge-handling walk bounces off the field's edges.
void CEnemyGroup::ClampMotion(int slot, int axes)
{
    if (Records[slot].Status.HasEffect(EFFECT_SLIP) && IsRunningGroupedMove(slot))
        ClampEnemyToFieldBounce(slot, axes);
    else
        ClampEnemyToField(slot, axes);
}

// The smaller component moves first, so the enemy slides along what it pushes.
void CEnemyGroup::MoveEnemy(int slot)
{
    EnemyRecord& r = Records[slot];
    if (r.Status.HasEffect(EFFECT_BIND))
        return;
    if (r.Status.HasEffect(EFFECT_SLIP))
        EaseEnemyInertia(r);
    if (r.MoveX == 0.0f && r.MoveY == 0.0f)
        return;
    const bool xFirst = std::fabs(r.MoveX) < std::fabs(r.MoveY);
    MoveAlongAxis(slot, xFirst, xFirst ? r.MoveX : r.MoveY);
    MoveAlongAxis(slot, !xFirst, xFirst ? r.MoveY : r.MoveX);
    ClampMotion(slot, 3);
}

void CEnemyGroup::ReactToTarget(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyKindDef& def = *KindDefs[slot];
    const int member = def.AiType == kSharedAiType ? static_cast<int>(GetBits(GroupBits2, 12, 2))
                                                   : static_cast<int>(GetBits(r.FlagsB, FLAGS_B_RANDOM_MEMBER, 2));
    const bool flagged = TheCharacter != nullptr && member < PARTY_MEMBER_COUNT &&
                         (TheCharacter->members[member].flags & kMemberReactFlag) != 0;
    bool react;
    if (def.ReactFrames == 0) {
        react = (def.AiType == kReactingAiType || def.AiType == kSharedAiType) && flagged;
    } else {
        if (r.State != ENEMY_DEFEATED && r.ReactTimer < 65535)
            ++r.ReactTimer;
        react = r.ReactTimer >= def.ReactFrames || flagged;
    }
    if (react && TheCharacter != nullptr && !IsPartyDown())
        RetargetEnemy(*this, slot, member);
}

void CEnemyGroup::CountDownHolds(int slot)
{
    EnemyRecord& r = Records[slot];
    if (r.ActionHold > 0)
        --r.ActionHold;
    if (r.MoveHold > 0)
        --r.MoveHold;
    if (r.Status.HasEffect(EFFECT_STOP) || r.State == ENEMY_APPEARING)
        return;
    for (std::uint16_t& c : r.ActionCooldown)
        c -= c != 0 ? 1 : 0;
    for (std::uint16_t& c : r.MoveCooldown)
        c -= c != 0 ? 1 : 0;
    if (r.ActionCooldownAll > 0)
        --r.ActionCooldownAll;
    if (r.MoveCooldownAll > 0)
        --r.MoveCooldownAll;
}

// The dropped item's picture falls to its place and shows for 120 frames.
void CEnemyGroup::AdvanceDropPicture(int slot)
{
    constexpr int kShownFrames = 120;
    EnemyRecord& r = Records[slot];
    const std::uint32_t timer = GetBits(r.FlagsC, FLAGS_C_DROP_TIMER, 8) + 1;
    SetBits(r.FlagsC, FLAGS_C_DROP_TIMER, 8, timer);
    if (r.DropFall < r.DropFallLimit)
        r.DropFall = std::min(r.DropFallLimit, r.DropFall + static_cast<float>(timer) * 0.75f);
    if (timer >= kShownFrames)
        r.DropShown = false;
}

void CEnemyGroup::StepPose(int slot)
{
    constexpr std::uint32_t kPoseFrames = 16;
    EnemyRecord& r = Records[slot];
    if (r.State == ENEMY_DEFEATED || r.Status.HasEffect(EFFECT_STOP))
        return;
    const std::uint32_t timer = GetBits(r.FlagsB, FLAGS_B_POSE_TIMER, 5) + 1;
    SetBits(r.FlagsB, FLAGS_B_POSE_TIMER, 5, timer % kPoseFrames);
    if (timer >= kPoseFrames)
        r.KindWord ^= KIND_WORD_POSE;
}

void CEnemyGroup::ClampEnemyToFieldBounce(int slot, int axes)
{
    EnemyRecord& r = Records[slot];
    const float x = r.PosX;
    const float y = r.PosY;
    ClampEnemyToField(slot, axes);
    if ((axes & 1) && r.PosY != y)
        r.InertiaY = -r.InertiaY;
    if ((axes & 2) && r.PosX != x)
        r.InertiaX = -r.InertiaX;
}

bool CEnemyGroup::IsRunningGroupedMove(int slot) const
{
    const EnemyRecord& r = Records[slot];
    return r.State == ENEMY_NORMAL && (r.FlagsA & FLAGS_A_MOVE_RUNNING) && MoveCount(slot) > 0 &&
           IsGroupedMoveType(RunningMove(slot).MoveType);
}

void CEnemyGroup::ClampEnemyToField(int slot, int axes)
{
    EnemyRecord& r = Records[slot];
    float x = r.PosX;
    float y = r.PosY;
    if (axes & 1) {
        if (y < FIELD_TOP - r.OuterBox.top)
            y = FIELD_TOP - r.OuterBox.top;
        else if (y + r.OuterBox.bottom > FIELD_BOTTOM - 1.0f)
            y = FIELD_BOTTOM - 1.0f - r.OuterBox.bottom;
    }
    if (axes & 2) {
        if (x < FIELD_LEFT - r.OuterBox.left)
            x = FIELD_LEFT - r.OuterBox.left;
        else if (x + r.OuterBox.right > FIELD_RIGHT - 1.0f)
            x = FIELD_RIGHT - 1.0f - r.OuterBox.right;
    }
    SetEnemyPosition(slot, x, y);
}

int GetNearestFieldEdge(float x, float y)
{
    int edge = 0;
    float distance = x - FIELD_LEFT;
    if (distance > y - FIELD_TOP) {
        edge = 1;
        distance = y - FIELD_TOP;
    }
    if (distance > FIELD_RIGHT - x) {
        edge = 2;
        distance = FIELD_RIGHT - x;
    }
    if (distance > FIELD_BOTTOM - y)
        edge = 3;
    return edge;
}

int HpPercent(std::int32_t hp, std::int32_t maxHp)
{
    if (maxHp <= 0)
        return 0;
    return static_cast<int>(static_cast<std::int64_t>(hp) * 100 / maxHp);
}
