// The enemies' share of the party's frame: whether a whirl is out and the
// drift it gives (the pull of a pulling action is with that action), and the
// stock that pending actions will take. The scene traces see the whirl
// question asked; until the stock forecast is built, the stock due is what the
// party holds now.
#include <algorithm>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "party/Character.h"

bool CEnemyGroup::HasActiveSubShot()
{
    SceneTrace::Note("HasActiveSubShot");
    return TheEnemyShotList != nullptr && TheEnemyShotList->HasActiveSubShot();
}

void CEnemyGroup::UpdateCharacterShotState(int member)
{
    if (TheEnemyShotList != nullptr)
        TheEnemyShotList->UpdateCharacterShotState(member);
}

std::uint16_t CEnemyGroup::CountDueEnemyActions(int stock, int)
{
    SceneTrace::Note("CountDueEnemyActions", stock);
    if (TheCharacter == nullptr || stock < 0 || stock >= STOCK_COUNT)
        return 0;
    return static_cast<std::uint16_t>(std::max<int>(TheCharacter->stock[stock], 0));
}
