// A shot bursting into a ring, fan or spray of children, made from one row
// of a constant table; a row names its children's own row and count, so
// children may burst again.
#pragma once

struct EnemyShotNode;

constexpr int CHILD_SHOT_ROWS = 17;

// One row of the child table. A value of -1 takes the parent's speed, turn
// or acceleration; a lifeMax of 0 the parent's life; an edge of 255 the
// parent's edge mode; a non-zero minCount makes a random count from it up
// to the asked count.
struct ChildShotRow {
    float speed, turn, accel;
    int lifeMin, lifeMax;
    int period, motion, action, hits, knock, chance, childCount, childRow, once, edge, minCount;
};

extern const ChildShotRow ChildShotTable[CHILD_SHOT_ROWS];

// Creates the children of `parent` (which its caller then removes): `count`
// of table row `row`, headed by the spread code. A row beyond the table
// makes none.
void SpawnChildShot(const EnemyShotNode& parent, int count, int spreadCode, int row);
// The heading of child i of n by the spread code, around the parent's heading.
float ChildShotHeading(const EnemyShotNode& parent, int spreadCode, int i, int n);
