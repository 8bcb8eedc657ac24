// The party member an enemy's shots aim at, by where the members stand
// round the enemy, who is casting, or the enemy's stored target masks.
#pragma once

class CEnemyGroup;

// The member in the enemy's front sector (the nearer of two), else the nearest.
int ChooseFrontTarget(const CEnemyGroup& group, int slot);
// Member 2 while it casts, else the nearest.
int ChooseCasterOrNearest(const CEnemyGroup& group, int slot);
// Member 2 while it casts inside the front sector, else the nearest.
int ChooseFrontCasterOrNearest(const CEnemyGroup& group, int slot);
bool IsCasterInFront(const CEnemyGroup& group, int slot);
// A member of the action's (movement's) target mask at random; with none
// marked a random member still fighting.
int PickActionTarget(const CEnemyGroup& group, int slot);
int PickMoveTarget(const CEnemyGroup& group, int slot);
