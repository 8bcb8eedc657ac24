
#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "enemies/EnemyServices.h"
#include "party/Character.h"
#include "party/PartyServices.h"
#include "party/PartyWords.h"

namespace {

// The kind whose shots carry the heading their victims are thrown along.
constexpr int kSteeringShotKind = 139;

bool OwnerSteersHits(const EnemyShotNode& shot)
{
    if (TheEnemyGroup == nullptr)
        return false;
    const int owner = static_cast<int>(eshot::OwnerSlot::Get(shot.BitsB));
    return owner < TheEnemyGroup->EnemyCount() && TheEnemyGroup->KindDefs[owner] != nullptr &&
           TheEnemyGroup->KindOf(owner) == kSteeringShotKind;
}

} // namespace

void SetMemberHitAngle(int member, const EnemyShotNode& shot)
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    BattleMember& record = TheCharacter->members[member];
    KnockByAngle::Set(record.flags2, 1);
    const bool steered = OwnerSteersHits(shot);
    record.knockAngle = steered ? shot.Angle : ReverseAngle(shot.Angle);
    HitAngleSource::Set(record.flags2, steered ? 1u : 0u);
}
