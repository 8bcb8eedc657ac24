// Enemy bodies and enemy shots against the members: contact damage, the
// crush of an enemy standing on a member, and shot hits with their count.
#include <cmath>

#include "battle/BattleTouch.h"
#include "battle/TouchBoxes.h"
#include "battle/TouchRoles.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr int kContactEffectBits = 6;
constexpr float kCrushShrink = 16.0f;

bool EnemyTouchesHarmfully(int enemy)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    return !EnemyIsDefeated(r) && !EnemyIsIntangible(r) && !EnemyIsAppearing(r) && EnemyAppearGrace(r) == 0;
}

bool MemberTakesHits(const BattleMember& m)
{
    return !m.IsDown() && !MemberIsInvincible(m);
}

std::uint32_t ContactMask(int enemy)
{
    const EnemyKindDef* kind = KindOfSlot(enemy);
    if (kind == nullptr)
        return 0;
    const int element = TouchNoOp(0, 0, kind->ContactElement & 15);
    return GetShotKindMask(kind->ContactEffect & ((1 << kContactEffectBits) - 1), element, false);
}

bool ShotIsLive(const EnemyShotNode& s)
{
    return !s.Removed && s.Started() && !eshot::Ending::IsSet(s.BitsB);
}

} // namespace

void CBattleTouch::UpdateEnemyBodyContact()
{
    SceneTrace::Note("UpdateEnemyBodyContact");
    for (int enemy = 0; enemy < TheEnemyGroup->EnemyCount(); ++enemy) {
        const EnemyKindDef* kind = KindOfSlot(enemy);
        if (kind == nullptr || kind->HarmfulTouch == 0 || !EnemyTouchesHarmfully(enemy))
            continue;
        const TouchBox body = EnemyBodyBox(TheEnemyGroup->Records[enemy]);
        for (int member = 0; member < PARTY_MEMBER_COUNT; ++member) {
            const BattleMember& m = TheCharacter->members[member];
            if (MemberTakesHits(m) && BoxesTouch(FootBox(m), body))
                HitMemberByEnemyBody(enemy, member);
        }
    }
    if (EnemyGroupChecksCrush())
        CheckEnemyTouchParty();
}

void CBattleTouch::HitMemberByEnemyBody(int enemy, int member)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    const BattleMember& m = TheCharacter->members[member];
    const float movedX = std::fabs(r.PosX - r.PrevX);
    const float movedY = std::fabs(r.PosY - r.PrevY);
    int side = 0;
    if (movedX + movedY >= 2.0f) {
        if (movedX >= movedY)
            side = r.MoveX >= 0.0f ? FACING_RIGHT : FACING_LEFT;
        else
            side = r.MoveY >= 0.0f ? FACING_DOWN : FACING_UP;
    } else {
        side = SideFromPoints(r.CenterX, r.CenterY, m.centerX, m.centerY);
    }
    HurtMemberByBody(enemy, member, CalcContactDamageToMember(enemy, member, 1.0f), side, 0);
}

// A body touch or a ram lands. The game's rule: a kind that hurts itself on
// contact takes the same damage through the group's own DamageEnemy, with
// no status and on the member's account, before the member is hurt.
void CBattleTouch::HurtMemberByBody(int enemy, int member, std::int32_t damage, int side, int level)
{
    const EnemyKindDef* kind = KindOfSlot(enemy);
    if (kind != nullptr && kind->SelfDamage != 0 && damage != 0 && !EnemyIsDefeated(TheEnemyGroup->Records[enemy]))
        TheEnemyGroup->DamageEnemy(enemy, damage, 0, 0, member);
    DamagePartyMember(damage, member, ContactMask(enemy), NO_ATTACK_KIND, side, level);
}

void CBattleTouch::CheckEnemyTouchParty()
{
    CCharacter& party = *TheCharacter;
    for (int enemy = 0; enemy < TheEnemyGroup->EnemyCount(); ++enemy) {
        if (!EnemyCrushes(enemy) || !EnemyTouchesHarmfully(enemy))
            continue;
        const TouchBox body = EnemyBodyBox(TheEnemyGroup->Records[enemy]);
        for (int member = 0; member < PARTY_MEMBER_COUNT; ++member) {
            BattleMember& m = party.members[member];
            if (m.IsDown() || m.Action() == ACTION_STRIKE || !BoxesTouch(Grown(FootBox(m), -kCrushShrink), body))
                continue;
            // The count stops at its largest value instead of starting over.
            const auto frames = KnockOutCleared::Get(m.flags2);
            if (frames < CRUSH_COUNTER_MAX)
                KnockOutCleared::Set(m.flags2, frames + 1);
            if (static_cast<int>(KnockOutCleared::Get(m.flags2)) >= CRUSH_FRAMES)
                DamagePartyMember(party.hp[member], member, 0, NO_ATTACK_KIND, m.FacingDirection() ^ 2, 0);
        }
    }
}

void CBattleTouch::UpdateEnemyShotHits()
{
    SceneTrace::Note("UpdateEnemyShotHits");
    if (TheCharacter->GetBattlePhase() == BATTLE_PHASE_VICTORY)
        return;
    CEnemyShotList& shots = *TheEnemyShotList;
    // A member's reaction to a hit may remove shots: they are freed after the pass.
    shots.BeginShotWalk();
    for (EnemyShotNode* shot = shots.ShotHead; shot != nullptr;) {
        EnemyShotNode* next = shot->Next;
        for (int member = 0; ShotIsLive(*shot) && member < PARTY_MEMBER_COUNT; ++member) {
            const BattleMember& m = TheCharacter->members[member];
            if (!MemberTakesHits(m) || !BoxesTouch(EnemyShotBox(*shot), BodyBox(m)))
                continue;
            HitMemberWithEnemyShot(*shot, member);
            const auto hits = eshot::Hits::Get(shot->BitsA);
            if (hits == 0)
                continue;
            eshot::Hits::Set(shot->BitsA, hits - 1);
            if (hits == 1) {
                shots.RemoveEnemyShot(shot);
                break;
            }
        }
        shot = next;
    }
    shots.EndShotWalk();
}

void CBattleTouch::HitMemberWithEnemyShot(const EnemyShotNode& shot, int member)
{
    const BattleMember& m = TheCharacter->members[member];
    const float speed = std::fabs(shot.VelX) + std::fabs(shot.VelY);
    const int level = static_cast<int>(eshot::Knock::Get(shot.BitsA));
    const int side = speed >= 2.0f || (speed > 0.0f && level != 0)
                         ? DominantSide(shot.VelX, shot.VelY)
                         : SideFromPoints(shot.X + 8.0f, shot.Y + 8.0f, m.centerX, m.centerY);
    const std::int32_t damage = CalcEnemyShotDamageToMember(shot, member);
    const int element = TouchNoOp(0, 0, static_cast<int>(eshot::AilmentRate::Get(shot.BitsD)));
    const std::uint32_t mask = GetShotKindMask(static_cast<int>(eshot::Ailment::Get(shot.BitsC)), element, false);
    // Set before the damage: a hit that knocks by angle reads it when its stun starts.
    SetMemberHitAngle(member, shot);
    DamagePartyMember(damage, member, mask, static_cast<int>(eshot::Action::Get(shot.BitsA)), side, level);
}
