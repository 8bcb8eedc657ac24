// One battle frame of the whirls, then of every enemy shot: start, timed
// action, motion, edge, the off-screen cut, visibility, age and end.
#include "core/GameConstants.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyShotMotion.h"
#include "media/PlaySE.h"

namespace {

constexpr int kSeShotStarts = 33;

bool IsActionFrame(const EnemyShotNode& node)
{
    if (node.Period == 0 || node.Age == 0 || node.Age % node.Period != 0)
        return false;
    return !eshot::Once::IsSet(node.BitsB) || node.Age == node.Period;
}

// Frames since the last action ran.
int SinceAction(const EnemyShotNode& node)
{
    if (node.Period == 0)
        return node.Age;
    if (!eshot::Once::IsSet(node.BitsB))
        return node.Age % node.Period;
    return node.Age >= node.Period ? node.Age - node.Period : node.Age;
}

bool FarOffScreen(const EnemyShotNode& node)
{
    return node.X < -ENEMY_SHOT_SIZE - ENEMY_SHOT_OFF_SCREEN || node.X > SCREEN_WIDTH + ENEMY_SHOT_OFF_SCREEN ||
           node.Y < -ENEMY_SHOT_SIZE - ENEMY_SHOT_OFF_SCREEN || node.Y > SCREEN_HEIGHT + ENEMY_SHOT_OFF_SCREEN;
}

bool OnScreen(const EnemyShotNode& node)
{
    return node.Age >= 0 && node.X + ENEMY_SHOT_SIZE >= 0.0f && node.X <= SCREEN_WIDTH &&
           node.Y + ENEMY_SHOT_SIZE >= 0.0f && node.Y <= SCREEN_HEIGHT;
}

// One frame of a started shot; false when it is spent.
bool Fly(EnemyShotNode& node)
{
    if (IsActionFrame(node) && RunEnemyShotAction(node))
        return false;
    if (ApplyEnemyShotMotion(node, SinceAction(node)))
        return false;
    node.X += node.VelX;
    node.Y += node.VelY;
    return true;
}

// One frame of a shot; false when it must go.
bool StepShot(EnemyShotNode& node)
{
    if (node.Age == 0) {
        if (eshot::ChildRow::Get(node.BitsB) != ENEMY_SHOT_SILENT_ROW)
            PlaySoundEffect(kSeShotStarts);
        StartEnemyShot(node);
    }
    if (node.Age >= 0 && !Fly(node))
        return false;
    if (eshot::EdgeMode::Get(node.BitsA) != 0 && ApplyEnemyShotEdge(node))
        return false;
    if (FarOffScreen(node))
        return false;
    eshot::Visible::Set(node.BitsA, OnScreen(node) ? 1u : 0u);
    ++node.Age;
    if (node.Life <= node.Age)
        return false;
    if (node.Life <= node.Age + ENEMY_SHOT_ENDING_FRAMES)
        eshot::Ending::Set(node.BitsB, 1);
    return true;
}

} // namespace

void CEnemyShotList::UpdateEnemyShot()
{
    SceneTrace::Note("UpdateEnemyShot");
    if (SubShotHead != nullptr)
        UpdateEnemySubShots();
    ++walkDepth_;
    // The next shot is read before this one moves: the children of a burst
    // join the walk at the tail, so they start this frame unless the shot
    // that burst was the last one.
    for (EnemyShotNode* node = NextLive(ShotHead); node != nullptr;) {
        EnemyShotNode* next = node->Next;
        if (!StepShot(*node))
            RemoveEnemyShot(node);
        node = next != nullptr ? NextLive(next) : nullptr;
    }
    --walkDepth_;
    FreeMarked();
}
