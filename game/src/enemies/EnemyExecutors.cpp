// One frame of an enemy's running action and running movement: the fade-in
// and start delay round every action, the types built here, and the hand-over
// of the others to the parts that own them.
#include <algorithm>
#include <climits>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyBehaviour.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemySteering.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/EnemyVolleys.h"
#include "enemies/ShotHeadingRules.h"
#include "enemies/kinds/KindHooks.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kFadeStep = 8;
constexpr int kKindMoveType = 41;
constexpr int kSeDrain = 35;
constexpr std::uint32_t kStockMask = 7;
constexpr std::uint32_t kStockRaise = 8;
constexpr int kLastStock = 5;
constexpr float kFacingHeadings[4] = {-BATTLE_PI / 2.0f, -BATTLE_PI, BATTLE_PI / 2.0f, 0.0f};

float RandomHeading()
{
    return static_cast<float>(GameRandom() >> 5) * (2.0f * BATTLE_PI / 1024.0f) - BATTLE_PI;
}

bool IsSubPatternType(int type)
{
    switch (type) {
    case 1:
    case 3:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 14:
    case 15:
    case 16:
    case 31:
    case 32:
    case 34:
    case 35:
    case 40:
    case 41:
    case 42:
    case 45:
    case 46:
    case 47:
        return true;
    default:
        return false;
    }
}

// Sub-pattern attacks at a member chosen on their first frame.
bool IsMemberAimedType(int type)
{
    return type >= 11 && type <= 13;
}

// Types whose frame belongs to the support, steering and per-kind parts.
bool IsDelegatedActionType(int type)
{
    return type == 4 || (type >= 17 && type <= 20) || (type >= 22 && type <= 27) || type == 29 || type == 30 ||
           type == 33 || type == 37 || type == 39 || type == 43 || type == 44;
}

} // namespace

float CEnemyGroup::ApplySpeedStatus(int slot, float speed) const
{
    const EnemyRecord& r = Records[slot];
    if (r.Status.HasEffect(EFFECT_SPEED_UP)) {
        if (speed > 0.0f)
            speed += 1.0f;
        else if (speed < 0.0f)
            speed -= 1.0f;
        speed = std::clamp(speed, -8.0f, 8.0f);
    }
    if (r.Status.HasEffect(EFFECT_SLOW))
        speed /= 2.0f;
    return speed;
}

void CEnemyGroup::WalkAlongHeading(int slot, float speed, float heading)
{
    WalkAlongHeadingRaw(slot, ApplySpeedStatus(slot, speed), heading);
}

void CEnemyGroup::WalkAlongHeadingRaw(int slot, float speed, float heading)
{
    Records[slot].MoveX = std::sin(heading) * speed;
    Records[slot].MoveY = std::cos(heading) * speed;
}

void CEnemyGroup::StepTowardPoint(int slot, float x, float y, float speed)
{
    EnemyRecord& r = Records[slot];
    const float step = std::fabs(ApplySpeedStatus(slot, speed));
    const float dx = x - r.CenterX;
    const float dy = y - r.CenterY;
    r.MoveX = std::copysign(std::min(step, std::fabs(dx)), dx);
    r.MoveY = std::copysign(std::min(step, std::fabs(dy)), dy);
}

void CEnemyGroup::StepAwayFromMember(int slot, int member, float speed)
{
    EnemyRecord& r = Records[slot];
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    const float step = ApplySpeedStatus(slot, speed);
    const BattleMember& m = TheCharacter->members[member];
    r.MoveX = m.centerX <= r.CenterX ? step : -step;
    r.MoveY = m.centerY <= r.CenterY ? step : -step;
}

void CEnemyGroup::ExecuteEnemyAction(int slot)
{
    EnemyRecord& r = Records[slot];
    if (ActionCount(slot) == 0) {
        StopAction(slot);
        return;
    }
    const EnemyActionDef& def = RunningAction(slot);
    const int type = def.ActionType;
    if (r.ActionFrame == 0 && r.Alpha < 255 && type != 0 && (def.StartDelay != 0 || !def.EndWithMove) &&
        !def.NoFadeIn) {
        r.Alpha = static_cast<std::int16_t>(std::min(255, r.Alpha + kFadeStep));
        r.FlagsA &= ~FLAGS_A_MAY_MOVE;
        return;
    }
    if (r.ActionWait < r.ActionDelay) {
        if (r.ActionWait == 0 && def.IsSpell && TheMagicCircle != nullptr)
            TheMagicCircle->SpawnMagicCircle(0, slot, r.ActionDelay, def.GaugeMember, KindDefs[slot]->CircleFlag != 0);
        if (r.ActionWait == 0)
            AnnounceActionTarget(slot);
        if (def.TrackTarget)
            FaceTrackedTarget(slot);
        if (++r.ActionWait >= r.ActionDelay && def.IsSpell && TheMagicCircle != nullptr)
            TheMagicCircle->KillMagicCircles(0, slot);
        if (!(def.NoFadeIn && type == 0))
            r.FlagsA &= ~FLAGS_A_MAY_MOVE;
        return;
    }
    switch (type) {
    case 0:
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
        StepAction(slot, true);
        break;
    case 2:
        RunDash(slot);
        break;
    case 11:
    case 12:
    case 13:
        RunMemberAimedAttack(slot);
        break;
    case ENEMY_ACTION_SELF_DESTRUCT:
        RunSelfDestruct(slot);
        break;
    case ENEMY_ACTION_STOCK_DRAIN:
        RunStockDrain(slot);
        break;
    case 36:
        RunUpsideDown(slot);
        break;
    case 38:
        RunSubPatternAttack(slot, false);
        break;
    default:
        RunOtherActionType(slot, type);
        break;
    }
}

void CEnemyGroup::RunOtherActionType(int slot, int type)
{
    if (IsSubPatternType(type))
        RunSubPatternAttack(slot, true);
    else if (!IsDelegatedActionType(type))
        StopAction(slot);
    else if (!RunDelegatedAction(*this, slot, type))
        FinishActionNow(slot);
}

// The member to aim at is chosen on the first frame: 11 a random living
// one, 12 the nearest, 13 the AI's choice.
void CEnemyGroup::RunMemberAimedAttack(int slot)
{
    EnemyRecord& r = Records[slot];
    if (r.ActionFrame == 0) {
        int member = static_cast<int>(GetBits(r.FlagsB, FLAGS_B_RANDOM_MEMBER, 2));
        if (r.ActionType == 11 && TheCharacter != nullptr)
            member = PickRandomAliveMember();
        else if (r.ActionType == 12 && TheCharacter != nullptr)
            member = FindNearestMember(r.CenterX, r.CenterY, -1);
        else if (TheCharacter != nullptr)
            member = GetAiTarget(slot);
        SetBits(r.FlagsB, FLAGS_B_ACTION_MEMBER, 2, static_cast<std::uint32_t>(std::clamp(member, 0, 2)));
    }
    RunSubPatternAttack(slot, true);
}

void CEnemyGroup::FaceTrackedTarget(int slot)
{
    FaceMember(*this, slot, static_cast<int>(GetBits(Records[slot].FlagsE, FLAGS_E_TRACKED_TARGET, 2)));
}

void CEnemyGroup::RunUpsideDown(int slot)
{
    EnemyRecord& r = Records[slot];
    if (r.ActionFrame == 0) {
        r.FlagsE |= FLAGS_E_UPSIDE_DOWN;
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    StepAction(slot, false);
}

// After each executed frame: the action holds the enemy unless it lets it
// move, and ends at its length.
void CEnemyGroup::StepAction(int slot, bool keepMayMove)
{
    EnemyRecord& r = Records[slot];
    if (!keepMayMove)
        r.FlagsA &= ~FLAGS_A_MAY_MOVE;
    if (++r.ActionFrame >= r.ActionLength) {
        r.FlagsA &= ~FLAGS_A_ACTION_RUNNING;
        r.FlagsA |= FLAGS_A_ACTION_ENDED;
    }
}

// The sub-pattern goes off unless `Param` asks for a quiet end; no member
// is credited with the defeat.
void CEnemyGroup::RunSelfDestruct(int slot)
{
    if (RunningAction(slot).Param == 0)
        FireSubPattern(slot);
    DefeatEnemy(slot, ENEMY_NO_DEFEATER);
}

// An action whose frame nobody runs yet ends as if it had run to its end.
void CEnemyGroup::FinishActionNow(int slot)
{
    EnemyRecord& r = Records[slot];
    r.FlagsC |= FLAGS_C_ATTACK_DONE;
    r.FlagsA &= ~FLAGS_A_ACTION_RUNNING;
    r.FlagsA |= FLAGS_A_ACTION_ENDED;
}

void CEnemyGroup::FireSubPattern(int slot)
{
    FireActionVolley(*this, slot);
}

// Fires on the first frame (unless told not to) and on each multiple of the
// repeat period.
void CEnemyGroup::RunSubPatternAttack(int slot, bool fireOnFirstFrame)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    const bool repeats = def.RepeatPeriod != 0 && !def.SingleShot;
    if (def.TrackTarget && !(r.FlagsC & FLAGS_C_ATTACK_DONE) && !IsMemberAimedType(r.ActionType))
        FaceTrackedTarget(slot);
    if (r.ActionFrame == 0 ? fireOnFirstFrame : repeats && r.ActionFrame % def.RepeatPeriod == 0)
        FireSubPattern(slot);
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::RunDash(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame < def.ActionCount16) {
        if (r.ActionFrame == 0)
            r.DashHeading =
                def.Param != 0 ? LungeDirection(*this, slot) : kFacingHeadings[GetBits(r.FlagsA, FLAGS_A_FACING, 2)];
        WalkAlongHeading(slot, def.ActionParam0, r.DashHeading);
        r.FlagsA |= FLAGS_A_DASHING;
    } else {
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
        r.FlagsA &= ~FLAGS_A_DASHING;
    }
    StepAction(slot, false);
}

// The party's stock `Param` bits 0-2 goes up (bit 3) or down by one every
// period; only the six stocks are touched and a period of 0 counts as 1.
void CEnemyGroup::RunStockDrain(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame < def.ActionLength18) {
        if (r.ActionFrame == 0) {
            PlaySoundEffect(kSeDrain);
            r.DrainCount = 0;
        }
        const int period = std::max(1, def.ActionCount16);
        const int stock = static_cast<int>(static_cast<std::uint32_t>(def.Param) & kStockMask);
        if (r.ActionFrame % period == 0 && stock <= kLastStock && TheCharacter != nullptr) {
            const bool raise = (static_cast<std::uint32_t>(def.Param) & kStockRaise) != 0;
            // What a lowering drain really took goes back if a knock-back breaks it.
            const int before = TheCharacter->stock[stock];
            SetPartyStock(stock, raise ? 1 : -1, false);
            if (!raise)
                r.DrainCount += before - TheCharacter->stock[stock];
        }
    } else {
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::SpawnActionShot(int slot, float x, float y, float angle, int shotKind, int value)
{
    if (TheEnemyShotList == nullptr || ActionCount(slot) == 0)
        return;
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if ((r.FlagsE & FLAGS_E_KIND_SHOT_TEST) && !KindAllowsShot(*this, slot))
        shotKind = 11;
    EnemyShotSpec spec{};
    spec.x = x;
    spec.y = y;
    spec.speed = def.ActionParam0;
    spec.turn = def.ActionParam1;
    spec.accel = def.ActionParam2;
    spec.power = def.ActionParam3;
    spec.attack = r.AttackPower;
    spec.startAge = value;
    spec.lifeMin = def.ActionCount16;
    spec.lifeMax = def.ActionLength18;
    spec.owner = &r;
    spec.period = static_cast<std::int16_t>(def.TargetKindId);
    spec.element = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_PHASE_INDEX, 3));
    spec.aimKind = shotKind;
    spec.motion = def.ShotMotion;
    spec.action = def.ShotAction;
    spec.edgeMode = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_SUBPATTERN_MODE, 5));
    spec.knock = def.ShotKnock;
    spec.magic = def.UsesAttackB != 0;
    spec.erasable = def.ShotErasable != 0;
    spec.hits = def.ShotHits;
    spec.targetMode = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_TARGET_MODE, 5));
    spec.once = def.ShotOnce != 0;
    spec.chance = def.ShotChance;
    spec.childCount = def.ShotChildCount;
    spec.childRow = def.ShotChildRow;
    spec.ownerSlot = slot;
    spec.orbitSlot = def.GaugeMember;
    spec.spread = def.ShotSpread;
    spec.ailment = def.ShotAilment;
    spec.ailmentRate = def.ShotAilmentRate;
    if (def.AngleMode != 0)
        angle = MirrorHeading(*this, slot, angle, def.AngleMode);
    auto fire = [&](float heading) {
        spec.angle = WrapHeading(heading);
        spec.index = static_cast<std::int16_t>(r.ShotCount);
        TheEnemyShotList->CreateEnemyShot(spec);
        ++r.ShotCount;
    };
    fire(angle);
    if (def.BackShot)
        fire(angle + BATTLE_PI);
    if (def.SideShots) {
        fire(angle + BATTLE_PI / 2.0f);
        fire(angle - BATTLE_PI / 2.0f);
    }
    if (def.TriShot) {
        fire(angle + 2.0943952f);
        fire(angle - 2.0943952f);
    }
    if (float aimed = 0.0f; def.AimedExtraShot && HeadingToMoveTarget(slot, aimed))
        fire(aimed);
}

void CEnemyGroup::ExecuteEnemyMove(int slot)
{
    EnemyRecord& r = Records[slot];
    if (MoveCount(slot) == 0) {
        StopMove(slot);
        return;
    }
    const EnemyMoveDef& def = RunningMove(slot);
    if (!def.Endless && r.MoveFrame != 0 && r.MoveFrame >= def.Duration) {
        StepMove(slot);
        return;
    }
    if (r.MoveFrame == 0 && def.FadeOutFirst && r.Alpha != 0) {
        r.FlagsC |= FLAGS_C_BLINK_PHASE;
        r.Alpha = static_cast<std::int16_t>(std::max(0, r.Alpha - kFadeStep));
        return;
    }
    switch (def.MoveType) {
    case 0:
        break;
    case 7:
        RunAimedWalk(slot, false);
        break;
    case 22:
        RunAimedWalk(slot, true);
        break;
    case kKindMoveType:
        // The kind decides the heading at each decision; the walk keeps it between them.
        if (r.MoveFrame == 0 || (def.Period != 0 && r.MoveFrame % def.Period == 0))
            r.Heading = ExecuteEnemyKindMove(*this, slot);
        WalkAlongHeading(slot, def.Speed, r.Heading);
        break;
    default:
        if (!RunSteeredMove(slot, def.MoveType))
            RunDelegatedMove(*this, slot, def.MoveType);
        break;
    }
    StepMove(slot);
}

// A random heading on the first frame and every period (never again with
// period 0); a turning walk turns by Speed2 on the frames between.
void CEnemyGroup::RunAimedWalk(int slot, bool turning)
{
    EnemyRecord& r = Records[slot];
    const EnemyMoveDef& def = RunningMove(slot);
    if (r.MoveFrame == 0 || (def.Period != 0 && r.MoveFrame % def.Period == 0))
        r.Heading = RandomHeading();
    else if (turning)
        r.Heading = WrapHeading(r.Heading + def.Speed2);
    WalkAlongHeading(slot, def.Speed, r.Heading);
}

// After each executed frame of a movement: its frame count, the fade back in
// at its end, and the blinking of a vanishing movement.
void CEnemyGroup::StepMove(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyMoveDef& def = RunningMove(slot);
    r.MoveFrame = r.MoveFrame == INT_MAX ? (def.Period == 0 ? 1 : 0) : r.MoveFrame + 1;
    if (!def.Endless && r.MoveFrame >= r.MoveLimit) {
        if (r.Alpha < 255) {
            r.Alpha = static_cast<std::int16_t>(std::min(255, r.Alpha + kFadeStep));
            return;
        }
        r.FlagsA &= ~FLAGS_A_MOVE_RUNNING;
        r.KindWord |= KIND_WORD_MOVE_ENDED;
        return;
    }
    if (!def.FadeOutFirst)
        return;
    if (r.FlagsC & FLAGS_C_BLINK_PHASE)
        r.Alpha = static_cast<std::int16_t>(std::max(0, r.Alpha - kFadeStep));
    else
        r.Alpha = static_cast<std::int16_t>(std::min(255, r.Alpha + kFadeStep));
    if (r.MoveFrame == def.Duration)
        r.FlagsC &= ~FLAGS_C_BLINK_PHASE;
    if (def.StepDivisor != 0) {
        const int period = std::max(1, (def.Duration + 32) / def.StepDivisor);
        if ((r.MoveFrame + 32) % period == 0)
            r.FlagsC ^= FLAGS_C_BLINK_PHASE;
    }
}
