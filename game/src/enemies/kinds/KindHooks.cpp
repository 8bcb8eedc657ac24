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
