// The per-kind answers that the shot patterns and volleys ask for. Patterns
// 37, 48 and 52 and the column order have no kind case: each is a settled
// neutral rule of the game. The others answer for the kinds with shots of
// their own and take the default named for every other kind.
#pragma once

class CEnemyGroup;

// Pattern 37: a shot spawned at (x, y) keeps the heading the pattern gave it.
float GetKindEdgeShotHeading(CEnemyGroup& group, int slot, float x, float y, float heading);
// Pattern 48: no kind names a member of its own (-1), so the shot goes back behind the kind.
int GetKindTargetMember(CEnemyGroup& group, int slot);
// Pattern 52: the kind's own aim is straight down (0).
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
// 47: the shots take the columns in order, m mod n.
float GetKindColumnOrder(CEnemyGroup& group, int slot, int m, int n);
