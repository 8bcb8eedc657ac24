// The enemies' share of the party's frame: whether a whirl is out and the
// drift it gives (the pull of a pulling action is with that action). The
// scene traces see the whirl question asked.
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "party/PartyServices.h"

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
