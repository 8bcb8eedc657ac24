// The predicates that the generic condition codes and the kinds' own
// conditions share.
#pragma once

class CEnemyGroup;

// No other acting, standing enemy runs an action of this effect code.
bool NoOtherEnemyRunningEffect(const CEnemyGroup& group, int slot, int code);
bool OtherEnemyRunningEffectNear(const CEnemyGroup& group, int slot, int code, double distanceSq);
// Standing enemies other than this one nearer than the distance (squared).
int CountEnemiesNear(const CEnemyGroup& group, int slot, double distanceSq);
// A standing enemy of another kind nearer than the distance (squared).
bool OtherKindNear(const CEnemyGroup& group, int slot, double distanceSq);
// The field edge ahead (or behind, p bit 2) lies within the margin p bits 0-1 pick.
bool IsEnemyAtEdgeAhead(const CEnemyGroup& group, int slot, int p);
bool AreAllStandingOfKind(const CEnemyGroup& group, int kind);
bool RecentlyKnockedBack(const CEnemyGroup& group, int slot, int index);
// p exceeds the sub-shots' speeds plus the speeds of the other enemies running action type 30.
bool ShotSpeedSumBelow(const CEnemyGroup& group, int slot, int p, float subShotSpeeds);
