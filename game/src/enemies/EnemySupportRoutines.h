// Routines of the enemy part that the generic update, the action executors
// and the enemy shots call: damage sharing, turning and retargeting, a few
// action types, the stock help of the start test, the shot-index helpers and
// geometric queries over the group.
#pragma once

#include <cstdint>

class CEnemyGroup;

// The group's per-battle random 0..3, drawn on first use.
int GroupBattleRandom4(CEnemyGroup& group);

// Moves `amount` of damage from the standing enemy with the most HP onto this one.
void ShareDamageWithStrongest(CEnemyGroup& group, int slot, int amount);
// The member a shot pattern aims at among those in the enemy's front half; false for none.
bool PickPatternTarget(CEnemyGroup& group, int slot, int& member);

void FaceMember(CEnemyGroup& group, int slot, int member);
void FaceEnemy(CEnemyGroup& group, int slot, int other);

// Action types 4 (turn), 33 (aim at an enemy), 44 (pair up) and the heading of a type-2 lunge; the pull (43)
// goes with the whirls.
void TurnEnemy(CEnemyGroup& group, int slot);
void AttackEnemyAction(CEnemyGroup& group, int slot);
void ChooseEnemyTarget(CEnemyGroup& group, int slot, int mode);
void PairUpAction(CEnemyGroup& group, int slot);
float LungeDirection(CEnemyGroup& group, int slot);
// One frame of the action types above and of the kinds' special attack; false for other types.
bool RunKindSupportAction(CEnemyGroup& group, int slot, int type);

// A free kind-173 enemy that holds this one as its target and is about to grab; -1 for none.
int PairWithKind173(CEnemyGroup& group, int slot, double maxDistanceSq);

// Moves the AI target to another member by the kind's AI type.
void RetargetEnemy(CEnemyGroup& group, int slot, int member);
// Whether the movement a knock-back interrupted goes on afterwards.
bool ResumesMoveAfterKnockback(CEnemyGroup& group, int slot);
// A cast broken off: the action ends, the wait is raised, circles and popups go.
void EndEnemyCasting(CEnemyGroup& group, int slot);
// A knock-back during a drain gives the drained stock back.
void ReturnDrainedStock(CEnemyGroup& group, int slot);
bool CanReviveAction(CEnemyGroup& group, int slot, int action);
int PickStockMember(CEnemyGroup& group, int slot, int v);

// The volley's shot index i of n by mode; the offset of variant 4 drawn once per volley.
float OrderShotIndex(int i, int n, int mode);
struct ShotOffset {
    bool drawn = false;
    int offset = 0;
};
int OffsetShotIndex(ShotOffset& state, int variant, int index, int step, int n, int count);

// Geometric queries.
bool IsMemberAheadOfEnemy(CEnemyGroup& group, int slot, int v);
bool IsEnemyRunningAction(const CEnemyGroup& group, int slot, int type);
int NearestEnemyToPoint(const CEnemyGroup& group, float x, float y, double& distanceSq);
int NearestEnemyInQuarter(const CEnemyGroup& group, float x, float y, int quarter, double& distanceSq);
bool AngleToFieldCentre(float x, float y, float& angle);
void ShuffleBytes(std::uint8_t* bytes, int n);
