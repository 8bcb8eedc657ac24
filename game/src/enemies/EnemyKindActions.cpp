// The action types that turn an enemy, aim it at another enemy, pull a
// member or pair two enemies up, the heading of a lunge, and the member a
// shot pattern aims at.
#include <cmath>

#include "battle/BattleServices.h"
#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemySupportRoutines.h"
#include "enemies/EnemyVolleys.h"
#include "enemies/kinds/KindDrains.h"
#include "enemies/kinds/KindHooks.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kTurnType = 4;
constexpr int kAttackEnemyType = 33;
constexpr int kKindAttackType = 37;
constexpr int kPairType = 44;
constexpr int kDrainType = 39;
constexpr int kShotAimKind = 169;
constexpr int kPairKind = 173;
constexpr int kPartnerKind = 90;
constexpr int kPartnerEffect = 37;
constexpr int kPartnerStep = 2;
constexpr double kPairReachSq = 6400.0; // 80 px
constexpr int kPairDelay = 30;
constexpr int kHeldPopup = 4;
constexpr int FLAGS_D_ENEMY_TARGET = 17; // 4 bits
constexpr float kFacingHeadings[4] = {-BATTLE_PI / 2.0f, -BATTLE_PI, BATTLE_PI / 2.0f, 0.0f};
constexpr int kLungeMembers[3][2] = {{8, 62}, {9, 63}, {10, 64}};

double CentreDistanceSq(const EnemyRecord& a, const EnemyRecord& b)
{
    const double dx = a.CenterX - b.CenterX;
    const double dy = a.CenterY - b.CenterY;
    return dx * dx + dy * dy;
}

bool Standing(const CEnemyGroup& group, int s)
{
    return (group.Records[s].FlagsA & FLAGS_A_DEFEATED) == 0;
}

int Pairing(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsG, FLAGS_G_PAIRING, 2));
}

int PairTarget(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsC, FLAGS_C_PAIR_TARGET, 3));
}

int RunningIndex(const EnemyRecord& r)
{
    return static_cast<int>(GetBits(r.FlagsA, FLAGS_A_ACTION_INDEX, 5));
}

// Marks the action done and ends it this frame.
void EndActionNow(EnemyRecord& r)
{
    r.FlagsC |= FLAGS_C_ATTACK_DONE;
    r.FlagsA &= ~FLAGS_A_ACTION_RUNNING;
    r.FlagsA |= FLAGS_A_ACTION_ENDED;
}

bool IsFirstFrameOrRepeat(const EnemyRecord& r, const EnemyActionDef& def)
{
    return r.ActionFrame == 0 || (def.RepeatPeriod != 0 && r.ActionFrame % def.RepeatPeriod == 0);
}

int NearestPartnerRunningEffect(CEnemyGroup& group, int slot)
{
    int best = -1;
    double bestSq = 0.0;
    for (int s = 0; s < group.EnemyCount(); ++s) {
        if (s == slot || group.KindOf(s) != kPartnerKind || !IsEnemyRunningAction(group, s, kPartnerEffect))
            continue;
        const double d = CentreDistanceSq(group.Records[slot], group.Records[s]);
        if (best < 0 || d < bestSq) {
            best = s;
            bestSq = d;
        }
    }
    return best;
}

void SeekPartner(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const int partner = PairWithKind173(group, slot, kPairReachSq);
    if (partner >= 0) {
        FaceEnemy(group, slot, partner);
        // It starts its own grab a little after the partner's grab ends.
        const EnemyRecord& p = group.Records[partner];
        const int partnerLeft = std::max(0, p.ActionDelay - p.ActionWait) + std::max(0, p.ActionLength - p.ActionFrame);
        r.ActionHold = static_cast<std::int16_t>(std::min<int>(r.ActionHold, partnerLeft + kPairDelay));
    }
    EndActionNow(r);
}

void Grab(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const int target = PairTarget(r);
    const bool targetValid = target != slot && target < group.EnemyCount();
    if (IsFirstFrameOrRepeat(r, def) && targetValid)
        FaceEnemy(group, slot, target);
    if (r.ActionFrame == def.ActionLength18) {
        if (targetValid && Standing(group, target) && group.KindOf(target) == kPairKind &&
            Pairing(group.Records[target]) == PAIR_FREE && CentreDistanceSq(r, group.Records[target]) < kPairReachSq) {
            FaceEnemy(group, slot, target);
            SetBits(group.Records[target].FlagsG, FLAGS_G_PAIRING, 2, PAIR_HELD);
            SetBits(r.FlagsG, FLAGS_G_PAIRING, 2, PAIR_HOLDING);
            if (TheBattleEffect != nullptr)
                TheBattleEffect->AddDamagePopup(false, target, kHeldPopup, false, 0);
        }
        EndActionNow(r);
        return;
    }
    group.FinishActionStep(slot, def.EndWithMove != 0);
}

void AimShotsUntilDone(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const int interval = std::max(1, def.TargetKindId);
    if (r.ActionFrame % interval == 0) {
        int member = 0;
        const bool aims = TheEnemyShotList != nullptr && TheEnemyShotList->FindEnemyShotAim(member, slot, 0, false) &&
                          TheCharacter != nullptr && !TheCharacter->IsKnockedOut(member);
        if (aims && r.ActionFrame >= def.ActionLength18) {
            EndActionNow(r);
            return;
        }
        if (!aims)
            r.ActionFrame = std::max(r.ActionFrame, def.ActionLength18);
    }
    group.FinishActionStep(slot, def.EndWithMove != 0);
}

} // namespace

void FaceMember(CEnemyGroup& group, int slot, int member)
{
    EnemyRecord& r = group.Records[slot];
    float angle = 0.0f;
    if (TheCharacter != nullptr && GetAngleToMember(angle, member, r.CenterX, r.CenterY, false))
        SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(FacingFromAngle(angle)));
}

void FaceEnemy(CEnemyGroup& group, int slot, int other)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyRecord& o = group.Records[other];
    if (other == slot || (o.CenterX == r.CenterX && o.CenterY == r.CenterY))
        return;
    const float angle = AngleFromDelta(o.CenterX - r.CenterX, o.CenterY - r.CenterY);
    SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(FacingFromAngle(angle)));
}

bool PickPatternTarget(CEnemyGroup& group, int slot, int& member)
{
    const EnemyRecord& r = group.Records[slot];
    if (TheCharacter == nullptr)
        return false;
    std::uint8_t marks[3] = {0, 0, 0};
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    MarkMembersInHalfA(marks, r.CenterX, r.CenterY, facing);
    int best = -1;
    double bestSq = 0.0;
    for (int m = 0; m < 3; ++m) {
        if (!marks[m])
            continue;
        const double dx = TheCharacter->members[m].centerX - r.CenterX;
        const double dy = TheCharacter->members[m].centerY - r.CenterY;
        const double d = dx * dx + dy * dy;
        if (best < 0 || d < bestSq) {
            best = m;
            bestSq = d;
        }
    }
    if (best < 0)
        return false;
    member = best;
    return true;
}

void TurnEnemy(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    if (!IsFirstFrameOrRepeat(r, def)) {
        group.FinishActionStep(slot, def.EndWithMove != 0);
        return;
    }
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    switch (def.Param) {
    case 0:
        SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facing + 3));
        break;
    case 1:
        SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facing + 1));
        break;
    case 2:
        FaceMember(group, slot, group.GetAiTarget(slot));
        break;
    case 3:
        if (const int partner = NearestPartnerRunningEffect(group, slot); partner >= 0)
            FaceEnemy(group, slot, partner);
        break;
    default:
        break;
    }
    if (r.RepeatsLeft > 0)
        --r.RepeatsLeft;
    if (r.RepeatsLeft == 0)
        EndActionNow(r);
    else
        group.FinishActionStep(slot, def.EndWithMove != 0);
}

void ChooseEnemyTarget(CEnemyGroup& group, int slot, int mode)
{
    EnemyRecord& r = group.Records[slot];
    if (r.KindWord & KIND_WORD_TARGET_CHOSEN)
        return;
    int target = slot;
    if (mode != 1) {
        target = PickOtherEnemy(slot, -1);
        if (target < 0 || target >= group.EnemyCount())
            target = slot;
        FaceEnemy(group, slot, target);
    }
    SetBits(r.FlagsD, FLAGS_D_ENEMY_TARGET, 4, static_cast<std::uint32_t>(target));
    r.KindWord |= KIND_WORD_TARGET_CHOSEN;
}

void AttackEnemyAction(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    if (r.ActionFrame == 0)
        ChooseEnemyTarget(group, slot, def.Param);
    if (IsFirstFrameOrRepeat(r, def)) {
        const int target = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_ENEMY_TARGET, 4));
        if (target >= group.EnemyCount() || !Standing(group, target)) {
            EndActionNow(r);
            return;
        }
        FireActionVolley(group, slot);
    }
    group.FinishActionStep(slot, def.EndWithMove != 0);
}

int PairWithKind173(CEnemyGroup& group, int slot, double maxDistanceSq)
{
    for (int s = 0; s < group.EnemyCount(); ++s) {
        const EnemyRecord& o = group.Records[s];
        if (s == slot || group.KindOf(s) != kPairKind || !Standing(group, s) || Pairing(o) != PAIR_FREE)
            continue;
        if (!(o.FlagsA & FLAGS_A_ACTION_RUNNING) || o.ActionType != kPairType || RunningIndex(o) != kPartnerStep ||
            (o.FlagsC & FLAGS_C_ATTACK_DONE) || PairTarget(o) != slot)
            continue;
        if (CentreDistanceSq(group.Records[slot], o) < maxDistanceSq)
            return s;
    }
    return -1;
}

void PairUpAction(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    switch (group.KindOf(slot)) {
    case kShotAimKind:
        AimShotsUntilDone(group, slot);
        break;
    case kPairKind:
        if (RunningIndex(r) == 0) {
            if (r.ActionFrame == 0)
                SeekPartner(group, slot);
            else
                EndActionNow(r);
        } else {
            Grab(group, slot);
        }
        break;
    default:
        group.FinishActionStep(slot, group.RunningAction(slot).EndWithMove != 0);
        break;
    }
}

float LungeDirection(CEnemyGroup& group, int slot)
{
    const EnemyRecord& r = group.Records[slot];
    const int facing = static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    const int code = static_cast<int>(GetBits(r.FlagsD, FLAGS_D_AIM_MODE, 7));
    for (int m = 0; m < 3; ++m) {
        if (code != kLungeMembers[m][0] && code != kLungeMembers[m][1])
            continue;
        float angle = 0.0f;
        if (TheCharacter != nullptr && IsMemberInFacing(m, r.CenterX, r.CenterY, facing) &&
            GetAngleToMember(angle, m, r.CenterX, r.CenterY, false))
            return angle;
    }
    return kFacingHeadings[facing];
}

bool RunKindSupportAction(CEnemyGroup& group, int slot, int type)
{
    switch (type) {
    case kTurnType:
        TurnEnemy(group, slot);
        return true;
    case kAttackEnemyType:
        AttackEnemyAction(group, slot);
        return true;
    case kKindAttackType:
        ExecuteEnemyKindAttack(group, slot);
        return true;
    case kPairType:
        PairUpAction(group, slot);
        return true;
    case kDrainType:
        DrainPartyStock(group, slot);
        return true;
    default:
        return false;
    }
}
