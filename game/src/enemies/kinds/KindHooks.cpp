// The hook dispatchers with their neutral defaults, the periodic-special
// counter with its forcing, and the cost gate round a kind's special attack.
// Each dispatcher only hands a kind with a case to its routine.
#include "enemies/kinds/KindHooks.h"

#include "enemies/Enemy.h"
#include "enemies/kinds/KindDefeatFollowUps.h"
#include "enemies/kinds/KindPhaseChanges.h"
#include "enemies/kinds/KindReactions.h"
#include "enemies/kinds/KindSpecials.h"
#include "party/PartyServices.h"

namespace {

// Whether a status or the state holds the periodic special back this frame.
bool SpecialHeldBack(const EnemyRecord& r)
{
    if (r.State == ENEMY_DEFEATED || r.State == ENEMY_FLEEING || r.State == ENEMY_APPEARING)
        return true;
    if (r.Status.HasEffect(EFFECT_STOP))
        return true;
    return !(r.FlagsF & FLAGS_F_SPECIAL_STOPS_ONLY_ON_15) && r.Status.HasEffect(EFFECT_SKILL_SEAL);
}

} // namespace

void UpdateEnemyKindSpecial(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.KindTimer <= 0 || SpecialHeldBack(r))
        return;
    if (++r.SpecialCounter >= r.KindTimer) {
        r.SpecialCounter = 0;
        ExecuteEnemyKindSpecial(group, slot);
    }
}

void ForceEnemySpecial(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.KindTimer <= 0)
        return;
    r.SpecialCounter = static_cast<std::uint16_t>(r.KindTimer - 1);
    UpdateEnemyKindSpecial(group, slot);
}

void ForceEnemyKindSpecial(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.SpecialCounter + r.SpecialStep >= r.KindTimer)
        ForceEnemySpecial(group, slot);
    else
        r.SpecialCounter = static_cast<std::uint16_t>(r.SpecialCounter + r.SpecialStep);
}

void ExecuteEnemyKindSpecial(CEnemyGroup& group, int slot)
{
    switch (group.KindOf(slot)) {
    case 20:
        FireTurningShot(group, slot);
        break;
    case 42:
    case 81:
        FireTurnedCross(group, slot);
        break;
    case 50:
        FireDiagonalsByHp(group, slot);
        break;
    case 78:
        RainShotsFromTop(group, slot, 1.0f, 1.25f, 3.0f, 4.0f, 11, 3);
        break;
    case 94:
        TogglePhaseByChance(group, slot);
        break;
    case 99:
        FireRandomSlowShot(group, slot);
        break;
    case 102:
        EdgeShotsAtMember(group, slot, 3.0f, 1.0f, 80, 13, 3);
        break;
    case 110:
        RainShotsFromTop(group, slot, 1.0f, 1.1f, 2.5f, 3.5f, 8, 2);
        break;
    case 111:
        FireOppositePair(group, slot);
        break;
    case 114:
        FirePartnerRain(group, slot);
        break;
    case 115:
        FirePartnerDrop(group, slot);
        break;
    case 124:
        EdgeShotsAtMember(group, slot, 2.0f, 1.2f, 120, 0, 0);
        break;
    case 162:
        FireArcingBurst(group, slot);
        break;
    case 166:
        FirePatternPair(group, slot);
        break;
    case 171:
        FireShotByPartyCentre(group, slot);
        break;
    case 183:
        KindVolley(group, slot);
        break;
    default:
        break;
    }
}

void ExecuteEnemyKindAttack(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    const EnemyActionDef& def = group.RunningAction(slot);
    const bool due =
        r.ActionFrame == 0 || (def.RepeatPeriod != 0 && !def.SingleShot && r.ActionFrame % def.RepeatPeriod == 0);
    if (due) {
        if (group.PayActionStock(slot, def))
            RunEnemyKindAttackCase(group, slot);
        else
            r.FlagsC |= FLAGS_C_ATTACK_DONE;
    }
    group.FinishActionStep(slot, def.EndWithMove != 0);
}

void ReactEnemyKindToKnockback(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    const EnemyRecord& r = group.Records[slot];
    if (r.Status.HasEffect(EFFECT_SKILL_SEAL) || r.Status.HasEffect(EFFECT_STOP))
        return;
    switch (group.KindOf(slot)) {
    case 30:
        CounterIntoHitQuarter(group, slot);
        break;
    case 60:
        CounterByComrades(group, slot);
        break;
    case 74:
        CounterFromFieldEdge(group, slot, hit);
        break;
    case 116:
        CounterTurningRound(group, slot);
        break;
    case 158:
        CounterAhead(group, slot, hit);
        break;
    case 180:
        BurstCounterAhead(group, slot, hit);
        break;
    default:
        break;
    }
}

void OnEnemyKindActionStart(CEnemyGroup& group, int slot, int actionIndex)
{
    switch (group.KindOf(slot)) {
    case 135:
        PhaseByAction135(group, slot, actionIndex);
        break;
    case 174:
        PhaseByAction174(group, slot, actionIndex);
        break;
    case 175:
        FaceShotTargetOnAction(group, slot, actionIndex);
        break;
    case 176:
        CountdownByHpOnAction(group, slot, actionIndex);
        break;
    case 177:
        DeadlineOnAction(group, slot, actionIndex);
        break;
    case 178:
        RestOnAction(group, slot, actionIndex);
        break;
    case 183:
        VolleyChoiceOnAction(group, slot, actionIndex);
        break;
    case 185:
        CountDefeatedOnAction(group, slot, actionIndex);
        break;
    default:
        break;
    }
}

void OnEnemyKindMoveStart(CEnemyGroup& group, int slot, int moveIndex)
{
    switch (group.KindOf(slot)) {
    case 135:
    case 174:
        PhaseByMove(group, slot, moveIndex);
        break;
    case 182:
        ClearHitWindowOnMove(group, slot, moveIndex);
        break;
    default:
        break;
    }
}

void OnEnemyKindDefeated(CEnemyGroup& group, int slot)
{
    switch (group.KindOf(slot)) {
    case 114:
        WakePartner(group, slot, 115, true);
        break;
    case 115:
        WakePartner(group, slot, 114, false);
        break;
    case 177:
        HandOnChosenSlot(group, slot);
        break;
    case 178:
        EndOwnShots(group, slot);
        break;
    case 190:
        DropWaitingShots(group, slot);
        break;
    default:
        break;
    }
}

void OnEnemyKindTargetChosen(CEnemyGroup&, int, int) {}

void StartEnemyAfterlifeTimer(CEnemyGroup& group, int slot)
{
    switch (group.KindOf(slot)) {
    case 144:
        StartAfterlife(group, slot, 300);
        break;
    case 190:
        StartAfterlife(group, slot, 60);
        StartAfterlifeRowCount(group, slot);
        break;
    default:
        break;
    }
}

void UpdateEnemyAfterlifeTimer(CEnemyGroup& group, int slot)
{
    if (!AfterlifeDue(group, slot))
        return;
    switch (group.KindOf(slot)) {
    case 144:
        AfterlifeRain(group, slot);
        break;
    case 190:
        AfterlifeRows(group, slot);
        break;
    default:
        break;
    }
}

void RunKindHitReaction(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    if (group.KindOf(slot) == 120)
        ShiftPhaseOnHit(group, slot, hit);
}

void RunKindKnockReactions(CEnemyGroup& group, int slot, const KindKnockHit& hit)
{
    EnemyRecord& r = group.Records[slot];
    if (r.FlagsE & FLAGS_E_KIND_TICKS) {
        const int limit = KindField(r, FLAGS_E_KIND_TICK_LIMIT);
        const int tick = KindField(r, FLAGS_E_KIND_TICK) + 1;
        SetKindField(r, FLAGS_E_KIND_TICK, tick >= limit ? 0 : tick);
    }
    if (r.FlagsF & FLAGS_F_KIND_REACTION_A)
        ForceEnemyKindSpecial(group, slot);
    if (r.FlagsF & FLAGS_F_RECORDS_HITTERS)
        RecordHitter(group, slot, hit);
    if (r.FlagsG & FLAGS_G_KIND_REACTION)
        CountHitsInWindow(group, slot);
}

// The neutral rules (KindHooks.h says why each is neutral).
void ApplyKindBossSetup(CEnemyGroup&, int) {}

int PhaseCycleLength(int)
{
    return 0;
}

void RegisterKindDrawing(CEnemyGroup&, int) {}

bool KindAllowsShot(CEnemyGroup&, int)
{
    return true;
}
