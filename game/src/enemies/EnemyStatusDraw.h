// What floats over an enemy: the icon of the status effect its list shows
// now, and the labels of effects that just took hold. The battle's unit
// list draws them after the sprites.
#pragma once

// The 16 × 16 icon above the enemy's status marker, in the enemy's alpha.
void DrawEnemyStatusIcon(int slot);
// The effect labels, stacked above the enemy's markers.
void DrawEnemyEffects(int slot);
