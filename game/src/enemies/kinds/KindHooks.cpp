// The hook dispatchers with their neutral defaults, the periodic-special
// counter with its forcing, and the cost gate round a kind's special attack.
// The kinds' own specials, attacks, movements and reactions have no cases
// yet: every kind takes the default.
#include "enemies/kinds/KindHooks.h"

#include "enemies/Enemy.h"
#include "party/Character.h"

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

void ExecuteEnemyKindSpecial(CEnemyGroup&, int) {}

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

float ExecuteEnemyKindMove(CEnemyGroup&, int)
{
    return 0.0f;
}

void ReactEnemyKindToKnockback(CEnemyGroup&, int) {}

void OnEnemyKindActionStart(CEnemyGroup&, int, int) {}

void OnEnemyKindMoveStart(CEnemyGroup&, int, int) {}

void OnEnemyKindDefeated(CEnemyGroup&, int) {}

void StartEnemyAfterlifeTimer(CEnemyGroup&, int) {}

void UpdateEnemyAfterlifeTimer(CEnemyGroup&, int) {}

// The kind-120 phase change on a knock-back has no case yet.
void RunKindHitReaction(CEnemyGroup&, int) {}

void RunKindKnockReactions(CEnemyGroup& group, int slot)
{
    EnemyRecord& r = group.Records[slot];
    if (r.FlagsE & FLAGS_E_KIND_TICKS) {
        const int limit = KindField(r, FLAGS_E_KIND_TICK_LIMIT);
        const int tick = KindField(r, FLAGS_E_KIND_TICK) + 1;
        SetKindField(r, FLAGS_E_KIND_TICK, tick >= limit ? 0 : tick);
    }
    if (r.FlagsF & FLAGS_F_KIND_REACTION_A)
        ForceEnemyKindSpecial(group, slot);
}

void ApplyKindBossSetup(CEnemyGroup&, int) {}

int PhaseCycleLength(int)
{
    return 0;
}

void RegisterKindDrawing(CEnemyGroup&, int) {}

void RunKindReaction(CEnemyGroup&, int, int) {}

bool KindAllowsShot(CEnemyGroup&, int)
{
    return true;
}
