// The enemies' share of the party's frame: the field shot's drift, the pull
// of a pulling action and the stock that pending actions will take. The
// shots and actions behind them are not built yet: each notes its call.
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"

bool CEnemyGroup::HasActiveSubShot()
{
    SceneTrace::Note("HasActiveSubShot");
    return false;
}

void CEnemyGroup::UpdateCharacterShotState(int member)
{
    SceneTrace::Note("UpdateCharacterShotState", member);
}

void CEnemyGroup::ApplyEnemyPullToMember(int member)
{
    SceneTrace::Note("ApplyEnemyPullToMember", member);
}

std::uint16_t CEnemyGroup::CountDueEnemyActions(int stock, int)
{
    SceneTrace::Note("CountDueEnemyActions", stock);
    return 0;
}
