// The headings of an enemy attack's shots: each of the 70 shot patterns turns
// a shot number i of n into a heading (fixed, rings, fans round the facing,
// random, aimed at members, per-kind). A few patterns that depend on where
// the party stands are first resolved into an aim at one member when the
// action starts.
#pragma once

class CEnemyGroup;

constexpr int SHOT_PATTERN_COUNT = 70;

// A heading of pi or more comes back by one turn.
float WrapHeadingOnce(float heading);
// The heading of a direction number: 0 left, 1 up, 2 right, 3 down.
float GetDirectionAngle(int direction);
// Shot i of the n slots of a fan of 45°, 90° or 180° centred on direction d;
// with jitter each shot lands anywhere in the first part of its slot.
float GetFanAngle45(int direction, int i, int n, bool jitter);
float GetFanAngle90(int direction, int i, int n, bool jitter);
float GetFanAngle180(int direction, int i, int n, bool jitter);
// The pattern that aims at one member: 0 → 8, 1 → 9, 2 → 10 (any other → 8).
int MemberToShotPattern(int member);

// The pattern an action keeps as it starts: those that depend on the
// party's position become an aim at one member (51 also marks the enemy).
int ResolveShotPattern(CEnemyGroup& group, int slot, int pattern);
// The heading of shot i of n (n below 1 counts as 1). Pattern 59 stores the
// member it chose as the enemy's resolved pattern.
float GetShotPatternAngle(CEnemyGroup& group, int slot, int pattern, int i, int n);
