#include "enemies/EnemyServices.h"

#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyMoveTypes.h"
#include "enemies/EnemySupportRoutines.h"

namespace {

CEnemyGroup* GroupFor(int enemy)
{
    return (TheEnemyGroup != nullptr && enemy >= 0 && enemy < TheEnemyGroup->EnemyCount()) ? TheEnemyGroup : nullptr;
}

bool MoveRuns(const EnemyRecord& r)
{
    return (r.FlagsA & FLAGS_A_MAY_MOVE) && (r.FlagsA & FLAGS_A_MOVE_RUNNING);
}

} // namespace

void InterruptEnemyMagic(int enemy)
{
    CEnemyGroup* group = GroupFor(enemy);
    if (group == nullptr)
        return;
    EnemyRecord& r = group->Records[enemy];
    if (r.State != ENEMY_NORMAL)
        return;
    // While it walks, the kind's own casting end finishes the action instead.
    if ((r.FlagsA & FLAGS_A_ACTION_RUNNING) && group->ActionCount(enemy) != 0 && !group->RunningAction(enemy).IsSpell) {
        if (MoveRuns(r))
            EndEnemyCasting(*group, enemy);
        else
            group->CancelEnemyAction(enemy, true, false, false);
    }
    if (MoveRuns(r) && group->MoveCount(enemy) != 0 && IsInterruptibleMove(group->RunningMove(enemy).MoveType))
        group->CancelEnemyAction(enemy, true, true, false);
}

void StopEnemyAction(int enemy)
{
    if (CEnemyGroup* group = GroupFor(enemy))
        group->CancelEnemyAction(enemy, true, false, false);
}

void InterruptEnemyMotion(int enemy)
{
    CEnemyGroup* group = GroupFor(enemy);
    if (group == nullptr)
        return;
    const EnemyRecord& r = group->Records[enemy];
    if (r.State != ENEMY_NORMAL)
        return;
    const bool vanishing = (r.FlagsA & FLAGS_A_ACTION_RUNNING) && group->ActionCount(enemy) != 0 &&
                           IsVanishAction(group->RunningAction(enemy).ActionType);
    const bool vanishMove =
        MoveRuns(r) && group->MoveCount(enemy) != 0 && IsInterruptibleMove(group->RunningMove(enemy).MoveType);
    if (vanishing || vanishMove)
        group->CancelEnemyAction(enemy, vanishing, vanishMove, false);
}

void CancelEnemyAction(int enemy, int action, int movement, int reset)
{
    if (CEnemyGroup* group = GroupFor(enemy))
        group->CancelEnemyAction(enemy, action != 0, movement != 0, reset != 0);
}
