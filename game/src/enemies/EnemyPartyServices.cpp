// The enemies' share of the party's frame: the field shot's drift and the
// pull of a pulling action. The shots and actions behind them are not built
// yet: each notes its call.
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
