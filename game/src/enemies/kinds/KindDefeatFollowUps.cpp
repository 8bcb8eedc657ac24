// Follow-ups of a defeat: the partner of kinds 114 and 115 starts its rain,
// kind 177 hands the group's chosen slot on, kinds 178 and 190 end their
// own shots.
#include <algorithm>
#include <cstdint>

#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyQueries.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShot.h"
#include "enemies/kinds/KindDefeatFollowUps.h"
#include "enemies/kinds/KindHooks.h"

namespace {

constexpr int kMaxStage = 7;
constexpr int kChargedMotion = 20;

// The enemy in the other of slots 0 and 1; -1 for an enemy elsewhere.
int PartnerSlot(int slot)
{
    return slot == 0 ? 1 : slot == 1 ? 0 : -1;
}

} // namespace

void WakePartner(CEnemyGroup& group, int slot, int partnerKind, bool savePoint)
{
    const int partner = PartnerSlot(slot);
    if (partner < 0 || partner >= group.EnemyCount() || !group.IsPresent(partner) ||
        group.Records[partner].State == ENEMY_DEFEATED || group.KindOf(partner) != partnerKind)
        return;
    EnemyRecord& p = group.Records[partner];
    const EnemyRecord& r = group.Records[slot];
    p.SpecialCounter = 0;
    if (savePoint) {
        p.SavedPoint[0] = r.CenterX - ENEMY_SHOT_SIZE / 2.0f;
        p.SavedPoint[1] = r.CenterY - ENEMY_SHOT_SIZE / 2.0f;
    }
    SetKindField(p, FLAGS_E_KIND_STAGE, std::min(KindField(p, FLAGS_E_KIND_STAGE) + 1, kMaxStage));
}

void HandOnChosenSlot(CEnemyGroup& group, int slot)
{
    if (static_cast<int>(GetBits(group.GroupBits2, GROUP2_KIND_SLOT, 2)) == slot)
        SetBits(group.GroupBits2, GROUP2_KIND_SLOT, 2, static_cast<std::uint32_t>(PickOtherEnemy(slot, -1)));
}

void EndOwnShots(CEnemyGroup&, int slot)
{
    if (TheEnemyShotList == nullptr)
        return;
    TheEnemyShotList->ShortenEnemyShots(slot, kChargedMotion, false, 0, false);
    TheEnemyShotList->ShortenEnemyShots(slot, 0, false, 0, true);
}

void DropWaitingShots(CEnemyGroup&, int slot)
{
    if (TheEnemyShotList != nullptr)
        TheEnemyShotList->RemoveEnemyShotsOfOwner(slot);
}
