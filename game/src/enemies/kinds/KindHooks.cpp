#include "enemies/kinds/KindHooks.h"

#include "enemies/Enemy.h"

void ApplyKindBossSetup(CEnemyGroup&, int) {}

void ApplyStrongBattle(CEnemyGroup&, int) {}

bool OverrideFormationDrop(int, bool drawn)
{
    return drawn;
}

int SubstituteEncounterKind(int kind)
{
    return kind;
}

int BuildKindGroup17(CEnemyGroup&, int[8])
{
    return 0;
}

int PhaseCycleLength(int)
{
    return 0;
}

void SetupKindTimer(CEnemyGroup& group, int slot)
{
    group.Records[slot].KindTimer = 0;
}

void RunKindCreationHook(CEnemyGroup&, int) {}

void RegisterKindDrawing(CEnemyGroup&, int) {}

void RunKindPeriodicSpecial(CEnemyGroup&, int) {}

void RunKindDefeatFollowUp(CEnemyGroup&, int) {}

void RunKindReaction(CEnemyGroup&, int, int) {}

bool ResumesMoveAfterKnockback(CEnemyGroup&, int)
{
    return false;
}

void RunKindHitReaction(CEnemyGroup&, int) {}

void RunKindCounterReaction(CEnemyGroup&, int) {}

void RunKindKnockReactions(CEnemyGroup&, int) {}

void RunKindBreakReaction(CEnemyGroup&, int) {}

int KindActionRollBonus(CEnemyGroup&, int)
{
    return 0;
}

int KindMoveRollBonus(CEnemyGroup&, int)
{
    return 0;
}

void RunKindActionStart(CEnemyGroup&, int) {}

void RunKindMoveStart(CEnemyGroup&, int) {}

bool KindAllowsShot(CEnemyGroup&, int)
{
    return true;
}
