// What the party and enemy code ask the contact code: who touches whom, and
// whether a place or a rectangle would meet an enemy.
#include "battle/BattleTouch.h"
#include "battle/TouchBoxes.h"
#include "battle/TouchRoles.h"

void CBattleTouch::InitBattleTouch()
{
    for (TouchEntry& entry : entries)
        entry = TouchEntry{};
    count = 0;
    for (int i = 0; i < TOUCH_ENTRY_COUNT; ++i)
        order[i] = mergeScratch[i] = 0;
    flagWord = 0;
    flags = 0;
}

bool CBattleTouch::IsMemberTouchingEnemy(int member)
{
    const TouchBox foot = FootBox(TheCharacter->members[member]);
    for (int enemy = 0; enemy < TheEnemyGroup->EnemyCount(); ++enemy) {
        const EnemyRecord& r = TheEnemyGroup->Records[enemy];
        if (EnemyHasBodyCollision(enemy) && !EnemyIsDefeated(r) && !EnemyIsAppearing(r) &&
            BoxesTouch(EnemyBodyBox(r), foot))
            return true;
    }
    return false;
}

bool CBattleTouch::IsEnemyTouchingMember(int enemy)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    if (EnemyIsDefeated(r))
        return false;
    for (const BattleMember& m : TheCharacter->members)
        if (!m.IsDown() && BoxesTouch(FootBox(m), EnemyBodyBox(r)))
            return true;
    return false;
}

bool CBattleTouch::IsSpotBlockedByEnemy(int, float x, float y)
{
    const TouchBox foot = FootBoxAt(x, y);
    for (int enemy = 0; enemy < TheEnemyGroup->EnemyCount(); ++enemy) {
        const EnemyRecord& r = TheEnemyGroup->Records[enemy];
        if (EnemyHasBodyCollision(enemy) && !EnemyIsDefeated(r) && !EnemyIsAppearing(r) && !EnemyMayOverlapParty(r) &&
            BoxesTouch(EnemyBodyBox(r), foot))
            return true;
    }
    return false;
}

bool CBattleTouch::IsRectTouchingEnemy(float left, float top, float right, float bottom, int enemy)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    if (EnemyIsDefeated(r) || EnemyIsIntangible(r) || EnemyIsAppearing(r))
        return false;
    return BoxesTouch({left, top, right, bottom}, EnemyHurtBox(r));
}

bool CBattleTouch::IsMemberTouchingEnemyAt(int member, int enemy, float x, float y)
{
    const BattleMember& m = TheCharacter->members[member];
    if (m.IsDown())
        return false;
    return BoxesTouch(FootBox(m), EnemyBodyBoxAt(TheEnemyGroup->Records[enemy], x, y));
}
