// The kinds' own special attacks (action type 37), one family a file; the
// dispatcher runs the case of the enemy's kind on the action's first frame
// and on every repeat of its interval. Each case marks the action done
// itself, at once or when its last shots are out.
#pragma once

class CEnemyGroup;
struct EnemyActionDef;
struct EnemyRecord;

// Helpers the families share.
int KindAttackIndex(const EnemyRecord& r);
void MarkKindAttackDone(EnemyRecord& r);
int KindShotPattern(const EnemyRecord& r);
// The member named by the target mode (3, 4, 5 for members 0, 1, 2); -1 for none.
int KindNamedMember(const EnemyRecord& r);
// The running action copied into the record, for a case to change before firing.
EnemyActionDef& CopyRunningAction(CEnemyGroup& group, int slot);
// n shots of `def` from the enemy's centre at the pattern's angles (p, i, n).
void FirePatternShots(CEnemyGroup& group, int slot, const EnemyActionDef& def, int n);

// Stages and phases: the stage step that forces the periodic special, the
// target pick, the stock-taking attack and the volley choice of kind 183.
void StepKindStage(CEnemyGroup& group, int slot);
void PickKindTarget(CEnemyGroup& group, int slot);
void TakeAllStocksAttack(CEnemyGroup& group, int slot);
void ChooseKindVolley(CEnemyGroup& group, int slot, int variant);

// Rings and patterns round the enemy.
void CrowdRing(CEnemyGroup& group, int slot);
void GaugePatternShots(CEnemyGroup& group, int slot);
void RememberedHittersShots(CEnemyGroup& group, int slot);
void CentreRings(CEnemyGroup& group, int slot);
void AimedCopyShots(CEnemyGroup& group, int slot);
void ChildRowCopyShots(CEnemyGroup& group, int slot);
void GrowingRings(CEnemyGroup& group, int slot);

// Shots from the field's edges.
void TopEdgeRow(CEnemyGroup& group, int slot);
void TopEdgeLanes(CEnemyGroup& group, int slot);
void EdgeShotAtMember(CEnemyGroup& group, int slot);
void EdgeShotBackAtNearest(CEnemyGroup& group, int slot);

// Fans.
void UpwardFan(CEnemyGroup& group, int slot);
void AlternatingRing(CEnemyGroup& group, int slot);
void LeadAndFan(CEnemyGroup& group, int slot);

// Shots at members or enemies it checks first, and columns from both sides.
void ShotsAtMarkedMembersInFront(CEnemyGroup& group, int slot);
void ShotsWhileNearOtherKind(CEnemyGroup& group, int slot);
void SideColumns(CEnemyGroup& group, int slot);
void FixedPairShots(CEnemyGroup& group, int slot);

// Shots scaled up by the group's losses.
void ScaledByLossesShots(CEnemyGroup& group, int slot);
