// The movements and actions that belong to an enemy's kind: whole-frame
// kind movements, the headings the kind chooses for the aimed walks that
// leave the choice to it, and the per-kind action types. Kinds get a case
// as they are built; every other kind takes the neutral default.
#pragma once

class CEnemyGroup;

// One frame of a kind movement type; false (standing still) for none.
bool RunKindMovement(CEnemyGroup& group, int slot, int type);
// The heading a kind walk takes at its decision; the neutral default keeps the current one.
float KindMoveHeading(CEnemyGroup& group, int slot, int type);
// The kind's own step before each frame of the up-down lined-up walk; none by default.
void RunKindAlignWalkPreStep(CEnemyGroup& group, int slot);
// One frame of a per-kind action type; false ends it at once.
bool RunKindAction(CEnemyGroup& group, int slot, int type);
