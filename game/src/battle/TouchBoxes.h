// The boxes the contact tests compare: a member's foot and body boxes, an
// enemy's body and hurt boxes, an enemy shot's boxes and a party shot's box,
// all in screen pixels. Boxes touch only when they overlap strictly. Also the
// ranges of the alignment searches.
#pragma once

#include "battle/BattleServices.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

// Squared distances of the alignment searches; the last covers the whole field.
extern const double TouchRangeTable[TOUCH_RANGES];

struct TouchBox {
    float left, top, right, bottom;
};

constexpr bool BoxesTouch(const TouchBox& a, const TouchBox& b)
{
    return a.right > b.left && b.right > a.left && a.bottom > b.top && b.bottom > a.top;
}

constexpr TouchBox Grown(const TouchBox& box, float margin)
{
    return {box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
}

// A member's foot box (against enemy bodies) as if its top-left were (x, y).
constexpr TouchBox FootBoxAt(float x, float y)
{
    return {x + 3.0f, y + 9.0f, x + 29.0f, y + 22.0f};
}
inline TouchBox FootBox(const BattleMember& m)
{
    return FootBoxAt(m.x, m.y);
}
// A member's body box (against enemy shots).
constexpr TouchBox BodyBoxAt(float x, float y)
{
    return {x + 5.0f, y + 6.0f, x + 27.0f, y + 25.0f};
}
inline TouchBox BodyBox(const BattleMember& m)
{
    return BodyBoxAt(m.x, m.y);
}

inline TouchBox EnemyBodyBoxAt(const EnemyRecord& r, float x, float y)
{
    return {x + r.BodyBox.left, y + r.BodyBox.top, x + r.BodyBox.right, y + r.BodyBox.bottom};
}
inline TouchBox EnemyBodyBox(const EnemyRecord& r)
{
    return EnemyBodyBoxAt(r, r.PosX, r.PosY);
}
inline TouchBox EnemyHurtBox(const EnemyRecord& r)
{
    return {r.PosX + r.HitBox.left, r.PosY + r.HitBox.top, r.PosX + r.HitBox.right, r.PosY + r.HitBox.bottom};
}

// An enemy shot against members, and against the party shots that cancel it.
inline TouchBox EnemyShotBox(const EnemyShotNode& s)
{
    return {s.X + 2.0f, s.Y + 2.0f, s.X + 13.0f, s.Y + 13.0f};
}
inline TouchBox EnemyShotCancelBox(const EnemyShotNode& s)
{
    return {s.X - 2.0f, s.Y - 2.0f, s.X + 17.0f, s.Y + 17.0f};
}

constexpr int SHOT_BOX_ROWS = 9;
constexpr TouchBox ShotBoxTable[SHOT_BOX_ROWS] = {
    {2, 9, 32, 22},  {10, 2, 23, 32},  {0, 10, 30, 23},  {9, 0, 22, 30}, {4, 11, 13, 20},
    {12, 4, 21, 13}, {19, 12, 28, 21}, {11, 19, 20, 28}, {2, 2, 29, 29},
};

// The party shot's box by its box index; false for an index past the table
// (such a shot hits nothing).
inline bool CharaShotBox(const CharaShotNode& s, TouchBox& box)
{
    const auto row = ShotHitBox::Get(s.shotBits);
    if (row >= SHOT_BOX_ROWS)
        return false;
    const TouchBox& r = ShotBoxTable[row];
    box = {s.x + r.left, s.y + r.top, s.x + r.right, s.y + r.bottom};
    return true;
}

// The side a hit from a to b travels in: 0 left, 1 up, 2 right, 3 down.
int SideFromPoints(float ax, float ay, float bx, float by);
// The dominant side of a movement: horizontal when |vx| >= |vy|.
int DominantSide(float vx, float vy);
