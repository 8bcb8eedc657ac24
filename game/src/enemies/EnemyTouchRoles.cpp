#include "enemies/EnemyServices.h"

#include <cstring>

#include "party/PartyServices.h"

namespace {

EnemyRecord* RecordOf(int slot)
{
    if (TheEnemyGroup == nullptr || slot < 0 || slot >= ENEMY_SLOTS)
        return nullptr;
    return &TheEnemyGroup->Records[slot];
}

} // namespace

void ClearEnemyShotHitCounts(int slot)
{
    if (EnemyRecord* r = RecordOf(slot))
        std::memset(r->KindBytes, 0, sizeof r->KindBytes);
}

void StoreEnemyPushedDisplacement(int slot, float dx, float dy)
{
    EnemyRecord* r = RecordOf(slot);
    if (r == nullptr || !r->Status.HasEffect(EFFECT_SLIP))
        return;
    if (dx != 0.0f)
        r->InertiaX = dx;
    if (dy != 0.0f)
        r->InertiaY = dy;
}
