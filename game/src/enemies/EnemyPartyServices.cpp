// The enemies' share of the party's frame: the field shot's drift, the pull
// of a pulling action and the stock that pending actions will take. The
// shots and actions behind them are not built yet: each notes its call, and
// with no action pending the stock due is what the party holds now.
#include <algorithm>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "party/Character.h"

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
    if (TheCharacter == nullptr || stock < 0 || stock >= STOCK_COUNT)
        return 0;
    return static_cast<std::uint16_t>(std::max<int>(TheCharacter->stock[stock], 0));
}
