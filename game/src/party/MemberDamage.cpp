// Hits taken by a member, and the two ways a member's action is stopped.
#include "battle/BattleServices.h"
#include "core/Random.h"
#include "media/PlaySE.h"
#include "party/BattleOutcome.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSeMemberHit = 18;
constexpr int kHitInvincibleFrames = 30;
constexpr int kAbilityRandomAilment = 27;
constexpr int kAbilityResistAilments = 28;
constexpr int kRandomAilmentChance = 6553; // 20 %
constexpr int kResistChance = 26213;       // 80 %
constexpr int kMagicCircleSideParty = 1;

bool HasAbility(int member, int bit)
{
    return (TheCharacter->abilityBits[member] >> bit) & 1u;
}

void GrantInvincibility(BattleMember& record)
{
    record.invincibleFrames = kHitInvincibleFrames;
    Invincible::Set(record.state, 1);
}

void KillMemberCircles(int member)
{
    if (TheMagicCircle != nullptr)
        TheMagicCircle->KillMagicCircles(kMagicCircleSideParty, member);
}

void FlushMemberPopups(int member)
{
    if (TheBattleEffect != nullptr)
        TheBattleEffect->FlushDamagePopups(true, member);
}

// Member 0's blow goes, member 2's circles end, the member's bursts fade.
void DropMemberAttachments(int member)
{
    if (member == 0 && TheCharaShot != nullptr)
        TheCharaShot->StopChargeShot();
    if (member == 2)
        KillMemberCircles(member);
    FlushMemberPopups(member);
}

// SP grows with the share of MaxHP lost, or drains for attack kind 60.
void ChargeSpFromHit(CCharacter& party, int member, int damage, int attackKind)
{
    if (attackKind == ATTACK_KIND_DRAIN_SP) {
        SetMemberMP(member, 0, true);
        return;
    }
    const float share = static_cast<float>(damage) / static_cast<float>(party.maxHp[member]) / 2.0f;
    int gain = static_cast<int>(share * static_cast<float>(party.maxSp[member]));
    if (gain < 1)
        gain = 1;
    SetMemberMP(member, gain, false);
}

// Steps 4.3 to 4.5: the hit's status effects.
void ApplyHitEffects(BattleMember& record, int member, std::uint32_t effectMask, int attackKind)
{
    if (attackKind > ATTACK_KIND_BY_ANGLE)
        RemoveStatusEffectsBelow5(record);
    if (HasAbility(member, kAbilityRandomAilment) && GameRandom() < kRandomAilmentChance)
        effectMask |= 1u << (GameRandom() * AILMENT_COUNT / 32768 + FIRST_AILMENT_EFFECT);
    for (int effect = 0; effect < STATUS_EFFECT_COUNT; ++effect) {
        if (((effectMask >> effect) & 1u) == 0)
            continue;
        if (effect >= FIRST_AILMENT_EFFECT && HasAbility(member, kAbilityResistAilments) &&
            GameRandom() < kResistChance)
            continue;
        ApplyHitStatusEffects(record, EFFECT_SIDE_PARTY, member, effect, 0);
    }
}

void StartHitStun(BattleMember& record, int attackKind, int knockSide, int knockKind)
{
    ActionState::Set(record.state, ACTION_HIT_STUN);
    KnockSide::Set(record.state, static_cast<std::uint32_t>(knockSide));
    KnockKind::Set(record.state, static_cast<std::uint32_t>(knockKind));
    record.stunFrame = 0;
    // Attack kind 62 knocks back along the angle its caller set.
    if (attackKind != ATTACK_KIND_BY_ANGLE)
        KnockByAngle::Clear(record.flags2);
}

void KnockOutMember(CCharacter& party, int member)
{
    BattleMember& record = party.members[member];
    LastKnockedOut::Set(party.partyWordB, static_cast<std::uint32_t>(member));
    ActionState::Set(record.state, ACTION_KNOCKED_OUT);
    KnockedOut::Set(record.state, 1);
    record.spRegenFrame = 0;
    record.stRegenWait = 0;
    KnockOutCleared::Clear(record.flags2);
    if (member == 2)
        DeferredOrderFirst::Clear(party.partyWordD);
    ClearStatusEffects(record);
    party.SetMemberSpriteRect(member);
    CheckPartyDown();
}

} // namespace

void DamagePartyMember(int damage, int member, std::uint32_t effectMask, int attackKind, int knockSide, int knockKind)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    if (damage < 0)
        damage = 0;
    if (TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(true, member, POPUP_DAMAGE, false, damage);
    if (damage == 0) {
        PlaySoundEffect(SE_NO_DAMAGE);
        GrantInvincibility(record);
        return;
    }
    PlaySoundEffect(kSeMemberHit);
    DamagedByHit::Set(record.flags2, 1);
    SetMemberHP(member, -damage, false);
    if (party.hp[member] > 0) {
        GrantInvincibility(record);
        ChargeSpFromHit(party, member, damage, attackKind);
        ApplyHitEffects(record, member, effectMask, attackKind);
        // Hardened or stopped, the member keeps its action.
        if (record.HasEffect(EFFECT_HARDENING) || record.HasEffect(EFFECT_STOP))
            return;
        StartHitStun(record, attackKind, knockSide, knockKind);
    } else {
        KnockOutMember(party, member);
    }
    Walking::Clear(record.state);
    record.walkFrame = 0;
    for (auto& counter : record.moveCounters)
        counter = 0;
    record.flags &= ~kApproachFlagBits;
    record.flags2 &= ~kApproachFlag2Bits;
    DropMemberAttachments(member);
    party.SetMemberSpriteRect(member);
}

void InterruptMemberAction(int member)
{
    TheCharacter->members[member].moveBits = 0;
    EndMemberAction(member);
    DropMemberAttachments(member);
}

void ResetMemberFlagsAndAction(int member)
{
    EndMemberAction(member);
    ThinkCounter::Clear(TheCharacter->partyWordB);
    KillMemberCircles(member);
}

void ClearRevivedFlagIfFree(int member)
{
    if (TheBattleTouch == nullptr || !TheBattleTouch->IsMemberTouchingEnemy(member))
        JustRevived::Clear(TheCharacter->members[member].state);
}
