// The per-kind routines the set-up and creation call. Kinds with their own
// behaviour get a case here as they are built; every other kind takes the
// neutral default, which changes nothing.
#pragma once

class CEnemyGroup;

// The boss set-up of one enemy of a boss battle.
void ApplyKindBossSetup(CEnemyGroup& group, int slot);
// The strong-battle rule for one enemy of a strong battle.
void ApplyStrongBattle(CEnemyGroup& group, int slot);
// Whether formation slot `slot` carries its drop on the current map, given its kind's draw.
bool OverrideFormationDrop(int slot, bool drawn);
// The kind an encounter brings instead of `kind` on the current map.
int SubstituteEncounterKind(int kind);
// Group code -17: fills up to eight kinds; returns how many.
int BuildKindGroup17(CEnemyGroup& group, int kinds[8]);
// Length of a kind's rotating-phase cycle; 0 does not rotate.
int PhaseCycleLength(int kind);
// Creation-time set-ups of kinds that ask for them.
void SetupKindTimer(CEnemyGroup& group, int slot);
void RunKindCreationHook(CEnemyGroup& group, int slot);
void RegisterKindDrawing(CEnemyGroup& group, int slot);
