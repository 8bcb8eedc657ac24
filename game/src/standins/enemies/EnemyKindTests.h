// Stand-in for the per-kind tests the selectors ask: the type test of a
// bound enemy, the magic circles an action waits for and the target test of
// status actions. Nothing is blocked; delete this file when the per-kind
// parts land in game/src/enemies/.
#pragma once

class CEnemyGroup;

inline bool IsTypeBlockedByStatus(CEnemyGroup&, int, int)
{
    return false;
}
inline bool PassesCircleTest(CEnemyGroup&, int, int)
{
    return true;
}
inline bool PassesSupportTargetTest(CEnemyGroup&, int, int)
{
    return true;
}
