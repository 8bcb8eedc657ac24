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

// The per-frame routines of kinds with their own behaviour.
void RunKindPeriodicSpecial(CEnemyGroup& group, int slot);
void RunKindDefeatFollowUp(CEnemyGroup& group, int slot);
// The reaction to the target member (its timer ran out or the member is flagged).
void RunKindReaction(CEnemyGroup& group, int slot, int member);
// Whether a movement a knock-back interrupted goes on afterwards.
bool ResumesMoveAfterKnockback(CEnemyGroup& group, int slot);
// Reactions to a hit: the kind's own, a counter, those flagged per kind, the
// break of a running type-39 action.
void RunKindHitReaction(CEnemyGroup& group, int slot);
void RunKindCounterReaction(CEnemyGroup& group, int slot);
void RunKindKnockReactions(CEnemyGroup& group, int slot);
void RunKindBreakReaction(CEnemyGroup& group, int slot);
// Bonus to the action (movement) roll of kinds that ask for one.
int KindActionRollBonus(CEnemyGroup& group, int slot);
int KindMoveRollBonus(CEnemyGroup& group, int slot);
// What a kind does as an action or movement starts.
void RunKindActionStart(CEnemyGroup& group, int slot);
void RunKindMoveStart(CEnemyGroup& group, int slot);
// Whether a kind flagged for it may fire the chosen shot kind.
bool KindAllowsShot(CEnemyGroup& group, int slot);
