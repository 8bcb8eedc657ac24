// What some kinds change when one of their actions or movements starts.
#pragma once

class CEnemyGroup;

void PhaseByAction135(CEnemyGroup& group, int slot, int action);
void PhaseByAction174(CEnemyGroup& group, int slot, int action);
void FaceShotTargetOnAction(CEnemyGroup& group, int slot, int action); // 175
void CountdownByHpOnAction(CEnemyGroup& group, int slot, int action);  // 176
void DeadlineOnAction(CEnemyGroup& group, int slot, int action);       // 177
void RestOnAction(CEnemyGroup& group, int slot, int action);           // 178
void VolleyChoiceOnAction(CEnemyGroup& group, int slot, int action);   // 183
void CountDefeatedOnAction(CEnemyGroup& group, int slot, int action);  // 185
// Kinds 135 and 174 on their second movement; kind 182 on its first.
void PhaseByMove(CEnemyGroup& group, int slot, int move);
void ClearHitWindowOnMove(CEnemyGroup& group, int slot, int move);
