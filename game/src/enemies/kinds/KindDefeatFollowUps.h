// What a defeat sets off: the partner's stronger special, a new chosen slot
// for the group, the end of the enemy's own shots; and the shots two kinds
// keep firing after their defeat.
#pragma once

class CEnemyGroup;

void WakePartner(CEnemyGroup& group, int slot, int partnerKind, bool savePoint); // 114, 115
void HandOnChosenSlot(CEnemyGroup& group, int slot);                             // 177
void EndOwnShots(CEnemyGroup& group, int slot);                                  // 178
void DropWaitingShots(CEnemyGroup& group, int slot);                             // 190

void StartAfterlife(CEnemyGroup& group, int slot, int period);
// One frame of the after-defeat timer; true when its period came round.
bool AfterlifeDue(CEnemyGroup& group, int slot);
void AfterlifeRain(CEnemyGroup& group, int slot); // 144
void AfterlifeRows(CEnemyGroup& group, int slot); // 190
// Kind 190's volleys to wait before the first rows.
void StartAfterlifeRowCount(CEnemyGroup& group, int slot);
