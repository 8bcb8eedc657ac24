// The per-kind answers that the shot patterns and volleys ask for. Kinds
// with their own shots get a case here as they are built; every other kind
// takes the neutral default named at each hook.
#pragma once

class CEnemyGroup;

// Pattern 37: the heading of a shot spawned at (x, y); default the heading as given.
float GetKindEdgeShotHeading(CEnemyGroup& group, int slot, float x, float y, float heading);
// Pattern 48: the member the kind aims at; default -1 (none).
int GetKindTargetMember(CEnemyGroup& group, int slot);
// Pattern 52: default 0 (straight down).
float GetKindAimAngle(CEnemyGroup& group, int slot);
// Pattern 57: default the facing's heading.
float GetMovingShotAngle(CEnemyGroup& group, int slot);
// Patterns 58 and 66 for shot i of n: default 0.
float GetKindPatternAngle(CEnemyGroup& group, int slot, int i, int n);
float GetKindPatternAngleB(CEnemyGroup& group, int slot, int i, int n);
// A volley of an action with the kind-volley bit: the kind may change the
// shots per repetition, the slot count and the index offset; default unchanged.
void ApplyKindVolleyHook(CEnemyGroup& group, int slot, int& count, int& slots, int& offset);
// The column (row) 0 to n - 1 of edge shot m for action types 7, 35, 40 and
// 47; default m mod n.
float GetKindColumnOrder(CEnemyGroup& group, int slot, int m, int n);
