// Which way member 2 turns for an attack or a magic: towards the enemy it
// aims at, towards the member it heals or cures, or towards the nearest enemy.
#include "core/BattleAngles.h"
#include "enemies/EnemyServices.h"
#include "party/Character.h"
#include "party/PartyServices.h"
#include "party/ThirdMember.h"

namespace {

constexpr int kHealOne = 16;
constexpr int kCure = 17;
constexpr int kHealSeveral = 18;
constexpr int kRevive = 19;

void Turn(int member, float angle)
{
    FacingField::Set(TheCharacter->members[member].state, static_cast<std::uint32_t>(FacingFromAngle(angle)));
    TheCharacter->SetMemberSpriteRect(member);
}

bool Ailing(const CCharacter& party, int member)
{
    return !party.IsKnockedOut(member) && (party.members[member].effectBits & AILMENT_EFFECT_BITS) != 0;
}

// The nearest present enemy still open to the status (not immune, not under it yet).
int NearestEnemyTaking(int effect, float x, float y)
{
    int best = -1;
    float bestDistance = 0.0f;
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot) {
        const EnemyRecord* record = PresentEnemy(slot);
        if (record == nullptr || ((record->ImmunityMask | record->Status.effectBits) >> effect & 1u) != 0)
            continue;
        const float dx = record->CenterX - x;
        const float dy = record->CenterY - y;
        if (best < 0 || dx * dx + dy * dy < bestDistance) {
            best = slot;
            bestDistance = dx * dx + dy * dy;
        }
    }
    return best;
}

// The nearest enemy; for an enemy status, the nearest one it can still take hold on.
void FaceNearestEnemy(int magic)
{
    const BattleMember& third = TheCharacter->members[THIRD_MEMBER];
    const int enemy =
        magic >= FIRST_ENEMY_STATUS_MAGIC && magic < MAGIC_COUNT
            ? NearestEnemyTaking(EnemyStatusOfMagic[magic - FIRST_ENEMY_STATUS_MAGIC], third.centerX, third.centerY)
            : FindNearestEnemyOrNone(THIRD_MEMBER, third.centerX, third.centerY, -1, false);
    if (enemy >= 0)
        FaceEnemy(THIRD_MEMBER, enemy);
}

} // namespace

void FaceEnemy(int member, int enemy)
{
    if (member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    const BattleMember& record = TheCharacter->members[member];
    float angle = 0.0f;
    if (GetEnemyAngleTo(angle, enemy, record.centerX, record.centerY))
        Turn(member, angle);
}

void FaceMember(int target)
{
    if (target < 0 || target >= THIRD_MEMBER)
        return;
    const BattleMember& third = TheCharacter->members[THIRD_MEMBER];
    float angle = 0.0f;
    if (GetAngleToMember(angle, target, third.centerX, third.centerY, false))
        Turn(THIRD_MEMBER, angle);
}

void FaceForMagic(int magic)
{
    const CCharacter& party = *TheCharacter;
    switch (magic) {
    case kHealOne:
    case kRevive:
        FaceMember(static_cast<int>(MagicTarget::Get(party.members[THIRD_MEMBER].state)));
        return;
    case kCure:
        if (Ailing(party, 0))
            FaceMember(0);
        else if (Ailing(party, 1))
            FaceMember(1);
        return;
    case kHealSeveral: {
        const bool up0 = !party.IsKnockedOut(0);
        const bool up1 = !party.IsKnockedOut(1);
        if (up0 && (!up1 || party.hpPercent[0] <= party.hpPercent[1]))
            FaceMember(0);
        else if (up1)
            FaceMember(1);
        return;
    }
    default:
        FaceNearestEnemy(magic);
        return;
    }
}
