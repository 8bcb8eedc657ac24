// Stand-in for the contact queries the members' own thinking asks: not built
// yet. Each notes that it ran (see SceneTrace.h) and answers from the plain
// geometry of the enemies' body boxes against a member's 32 × 32 cell, so
// members can approach, stand off and back away. Delete this file when the
// contact queries land in game/src/battle/.
#pragma once

#include <cmath>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyQueries.h"
#include "party/Character.h"

namespace contactstandin {

inline bool Overlaps(float l0, float t0, float r0, float b0, float l1, float t1, float r1, float b1)
{
    return l0 < r1 && l1 < r0 && t0 < b1 && t1 < b0;
}

// Whether the cell at (x, y) grown by `margin` meets the enemy's body box.
inline bool CellMeetsEnemy(float x, float y, float margin, int slot)
{
    float l = 0.0f, t = 0.0f, r = 0.0f, b = 0.0f;
    const EnemyRecord* enemy = PresentEnemy(slot);
    return enemy != nullptr && enemy->Alpha != 0 && GetEnemyBodyEdges(slot, l, t, r, b) &&
           Overlaps(x - margin, y - margin, x + 32.0f + margin, y + 32.0f + margin, l, t, r, b);
}

} // namespace contactstandin

// 0 nothing within the margins of the cell at (x, y); 1 a moving enemy; 2 only standing ones.
inline int IsMemberNearEnemyEx(float x, float y, float enemyMargin, float, int excluded, bool)
{
    SceneTrace::Note("IsMemberNearEnemyEx");
    int result = 0;
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot) {
        if (slot == excluded || !contactstandin::CellMeetsEnemy(x, y, enemyMargin, slot))
            continue;
        const EnemyRecord& enemy = *PresentEnemy(slot);
        if (enemy.PosX != enemy.PrevX || enemy.PosY != enemy.PrevY)
            return 1;
        result = 2;
    }
    return result;
}

inline bool IsMemberNearEnemy(int member, float enemyMargin, float shotMargin)
{
    SceneTrace::Note("IsMemberNearEnemy", member);
    const BattleMember& record = TheCharacter->members[member];
    return !record.IsDown() && IsMemberNearEnemyEx(record.x, record.y, enemyMargin, shotMargin, -1, false) != 0;
}

// 0 no way out; 1 free at `angle`, straight away from the nearest enemy.
inline int FindMemberEscapeDirection(int member, float, float& angle)
{
    SceneTrace::Note("FindMemberEscapeDirection", member);
    const BattleMember& record = TheCharacter->members[member];
    const int slot = FindNearestEnemyOrNone(member, record.centerX, record.centerY, -1, true);
    float ex = 0.0f, ey = 0.0f;
    if (slot < 0 || !GetEnemyCentre(slot, ex, ey) || (ex == record.centerX && ey == record.centerY))
        return 0;
    angle = std::atan2(record.centerY - ey, record.centerX - ex);
    return 1;
}

inline bool IsMemberTouchingEnemyAt(int member, int slot, float enemyX, float enemyY)
{
    SceneTrace::Note("IsMemberTouchingEnemyAt", member);
    const BattleMember& record = TheCharacter->members[member];
    const EnemyRecord* enemy = PresentEnemy(slot);
    if (record.IsDown() || enemy == nullptr)
        return false;
    const EnemyBox& box = enemy->BodyBox;
    return contactstandin::Overlaps(record.x, record.y, record.x + 32.0f, record.y + 32.0f, enemyX + box.left,
                                    enemyY + box.top, enemyX + box.right, enemyY + box.bottom);
}

inline bool IsRectTouchingEnemy(float left, float top, float right, float bottom, int slot)
{
    SceneTrace::Note("IsRectTouchingEnemy", slot);
    float l = 0.0f, t = 0.0f, r = 0.0f, b = 0.0f;
    return GetEnemyHitEdges(slot, l, t, r, b) && contactstandin::Overlaps(left, top, right, bottom, l, t, r, b);
}
