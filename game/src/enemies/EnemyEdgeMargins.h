// How near an enemy's outer box comes to the field's edges: the margins
// that the conditions name by index, and the tests on them.
#pragma once

#include "core/GameConstants.h"
#include "enemies/EnemyRecord.h"

inline constexpr float ENEMY_EDGE_MARGINS[4] = {8.0f, 16.0f, 32.0f, 96.0f};

// Side 0 left, 1 top, 2 right, 3 bottom: the outer box comes within `margin` of it.
inline bool OuterNear(const EnemyRecord& r, int side, float margin)
{
    switch (side) {
    case 0:
        return r.PosX + r.OuterBox.left < FIELD_LEFT + margin;
    case 1:
        return r.PosY + r.OuterBox.top < FIELD_TOP + margin;
    case 2:
        return r.PosX + r.OuterBox.right > FIELD_RIGHT - margin;
    default:
        return r.PosY + r.OuterBox.bottom > FIELD_BOTTOM - margin;
    }
}

// Near any edge by margin index `p` (0 to 3; other indices never are).
inline bool IsEnemyNearAnyEdge(const EnemyRecord& r, int p)
{
    if (p < 0 || p > 3)
        return false;
    const float margin = ENEMY_EDGE_MARGINS[p];
    return OuterNear(r, 0, margin) || OuterNear(r, 1, margin) || OuterNear(r, 2, margin) || OuterNear(r, 3, margin);
}
