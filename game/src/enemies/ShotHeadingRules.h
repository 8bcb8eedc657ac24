// The heading corrections round an enemy shot's spawn: shots that enter from
// an edge or a corner turn into the field, shots that aim at a point turn
// to it, an action's angle mode mirrors the heading; and the two random
// headings into the sector in front of an enemy that movements use.
#pragma once

class CEnemyGroup;

// The heading of shot number m spawned at (x, y) by its resolved pattern.
float AdjustSpawnedShotHeading(CEnemyGroup& group, int slot, float heading, int pattern, float x, float y, int m);
// Mirrors a heading at the edge line (x, y) lies on; false when the heading
// already runs straight into the field there and is left alone.
bool MirrorEdgeShotHeading(float& heading, float x, float y);
// The action's angle mode: 1 up and down, 2 left and right, 3 both, 4 along
// the facing, 5 across it; others unchanged. The result lies in [-pi, pi).
float MirrorHeading(const CEnemyGroup& group, int slot, float heading, int mode);
// A random heading strictly inside the 90° sector in front (256 steps), and
// one in the half-plane in front (512 steps).
float RandomHeadingInFront90(const CEnemyGroup& group, int slot);
float RandomHeadingInFront180(const CEnemyGroup& group, int slot);
