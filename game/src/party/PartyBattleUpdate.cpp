// One frame of the action phase for the party: input, timers, each member's
// action and movement with the field's edges.
#include "battle/BattleServices.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "party/BattleButtons.h"
#include "party/Character.h"
#include "party/HitCombo.h"
#include "party/Leader.h"
#include "party/MemberActions.h"
#include "party/MemberAttacks.h"
#include "party/MemberStRegen.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"
#include "party/StatusEffects.h"
#include "party/ThirdMember.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kQuickKindMagic = 1;
constexpr int kQuickKindItem = 2;
constexpr int kQuickKindAttack = 4;
constexpr int kPlanPeriod = 300;
constexpr int kFlashFrames = 48;
constexpr std::uint32_t kNoHitFrames = 152;
constexpr int kAbilityPushInShotField = 14;

// Step 4: the quick commands of buttons 4-9.
void RunQuickCommands(CCharacter& party)
{
    for (int button = BUTTON_QUICK_FIRST; button < BUTTON_QUICK_FIRST + QUICK_SLOTS_PER_PAGE; ++button) {
        if (!Pushed(button))
            continue;
        const QuickSlot& slot = QuickSlotOfButton(button);
        const bool orderPending = PendingOrderKind::IsSet(party.partyWordC);
        if (slot.kind == kQuickKindMagic && !orderPending)
            QueueThirdMemberMagic(slot.id);
        else if (slot.kind == kQuickKindItem && !ItemCooldownRunning::IsSet(party.partyWordB)) {
            if (!UseBattleItem(slot.id, party.Leader(), true))
                PlaySoundEffect(SE_REFUSE);
        } else if (slot.kind == kQuickKindAttack && !orderPending)
            QueueThirdMemberAttack(slot.id);
    }
}

// Steps 6 to 10: the party's timers.
void TickPartyCounters(CCharacter& party)
{
    TickItemCooldown();
    if (party.Leader() != 2) {
        if (PlanCounter::Get(party.partyWordB) == 0)
            RefreshMagicPlan();
        PlanCounter::Set(party.partyWordB, (PlanCounter::Get(party.partyWordB) + 1) % kPlanPeriod);
    }
    for (int k = 0; k < STOCK_COUNT; ++k) {
        // The speed is a 3-bit index into the periods.
        const int speed = party.stockRegenSpeed[k] & 7;
        if (speed == 0)
            continue;
        if (++party.stockRegenFrame[k] >= ChargeDivisorTable[speed]) {
            party.stockRegenFrame[k] = 0;
            SetPartyStock(k, 1, false);
        }
    }
    if (FramesSinceHit::Get(party.partyWordA) < kNoHitFrames)
        TickHitCombo();
    AdvanceLeaderMarker();
    if (ItemReadyShown::IsSet(party.partyWordC)) {
        ItemReadyCounter::Set(party.partyWordC, ItemReadyCounter::Get(party.partyWordC) + 1);
        if (ItemReadyCounter::Get(party.partyWordC) >= kFlashFrames)
            ItemReadyShown::Clear(party.partyWordC);
    }
}

bool PullActive()
{
    return TheEnemyGroup != nullptr && TheEnemyGroup->pullFlag != 0;
}

// Sub-steps 1 to 6: what every member does before its action.
void PrepareMember(CCharacter& party, int m)
{
    BattleMember& record = party.members[m];
    if (party.fieldShotActive != 0)
        TheEnemyGroup->UpdateCharacterShotState(m);
    if (PullActive())
        TheEnemyGroup->ApplyEnemyPullToMember(m);
    record.velX = record.velY = 0.0f;
    record.prevX = record.x;
    record.prevY = record.y;
    record.moveBits = 0;
    FacingSetThisFrame::Clear(record.flags);
    if (JustRevived::IsSet(record.state))
        ClearRevivedFlagIfFree(m);
    if (record.invincibleFrames != 0) {
        record.invincibleFrames -= record.HasEffect(EFFECT_CURSE) && record.invincibleFrames >= 2 ? 2 : 1;
        if (record.invincibleFrames < 1)
            Invincible::Clear(record.state);
    }
    if (GaugeEvent::IsSet(record.flags)) {
        FlashCounter::Set(record.flags, FlashCounter::Get(record.flags) + 1);
        if (FlashCounter::Get(record.flags) >= kFlashFrames)
            GaugeEvent::Clear(record.flags);
    }
    if (!record.HasEffect(EFFECT_STOP) && !record.IsDown() && ++record.spRegenFrame >= record.spRegenPeriod) {
        record.spRegenFrame = 0;
        if (party.sp[m] < party.maxSp[m])
            SetMemberMP(m, 1, false);
    }
    // ST regenerates before the action: the frame an action ends still counts as acting.
    TickMemberStRegen(m);
}

// Sub-steps 8 and 9.
void TickMemberEffects(BattleMember& record, int m)
{
    if (record.effectBits != 0) {
        if (record.HasEffect(EFFECT_POISON))
            TickPoisonDamage(m);
        if (record.HasEffect(EFFECT_SLIP) && !record.HasEffect(EFFECT_BIND) && !record.HasEffect(EFFECT_STOP))
            EaseMemberVector(record, record.velX, record.velY);
        TickStatusEffects(record, 0, true);
    }
    if (MarkCount::IsSet(record.effectState))
        TickEffectTimers(record);
}

// Member 0 may push itself free of enemies only while it walks unhindered.
bool MayPushOut(const CCharacter& party, int m)
{
    const BattleMember& record = party.members[m];
    const bool pulled = PullActive() && (record.pullX != 0.0f || record.pullY != 0.0f);
    return m == 0 && record.Action() == ACTION_FREE && !record.HasEffect(EFFECT_SLOW) &&
           !record.HasEffect(EFFECT_BIND) && !record.HasEffect(EFFECT_SLIP) && !record.HasEffect(EFFECT_STOP) &&
           (party.fieldShotActive == 0 || ((party.abilityBits[0] >> kAbilityPushInShotField) & 1u)) && !pulled;
}

// Sub-steps 10 to 13: the frame's movement, one axis at a time, then the edges.
void MoveMember(CCharacter& party, int m)
{
    BattleMember& record = party.members[m];
    if (party.fieldShotActive != 0) {
        record.velX += record.driftX;
        record.velY += record.driftY;
    }
    if (PullActive() && (record.pullX != 0.0f || record.pullY != 0.0f)) {
        record.velX += record.pullX;
        record.velY += record.pullY;
    }
    const bool pushOut = MayPushOut(party, m);
    if (record.velY != 0.0f) {
        party.SetMemberPosY(m, record.y + record.velY);
        TheBattleTouch->TestMemberTouch(m, record.velY >= 0.0f ? FACING_DOWN : FACING_UP, pushOut);
    }
    if (record.y < MEMBER_MIN_Y)
        party.SetMemberPosY(m, MEMBER_MIN_Y);
    if (record.y > MEMBER_MAX_Y)
        party.SetMemberPosY(m, MEMBER_MAX_Y);
    if (record.velX != 0.0f) {
        party.SetMemberPosX(m, record.x + record.velX);
        TheBattleTouch->TestMemberTouch(m, record.velX >= 0.0f ? FACING_RIGHT : FACING_LEFT, pushOut);
    }
    if (record.x < MEMBER_MIN_X)
        party.SetMemberPosX(m, MEMBER_MIN_X);
    if (record.x > MEMBER_MAX_X)
        party.SetMemberPosX(m, MEMBER_MAX_X);
}

void UpdateMember(CCharacter& party, int m)
{
    BattleMember& record = party.members[m];
    PrepareMember(party, m);
    RunMemberAction(m);
    // A knocked-out member only counts its marks down.
    if (record.Action() == ACTION_KNOCKED_OUT) {
        if (MarkCount::IsSet(record.effectState))
            TickEffectTimers(record);
        return;
    }
    TickMemberEffects(record, m);
    MoveMember(party, m);
    party.SetMemberSpriteRect(m);
}

} // namespace

void RunMemberAction(int m)
{
    switch (TheCharacter->members[m].Action()) {
    case ACTION_FREE:
        HandleMemberFreeState(m);
        break;
    case ACTION_ATTACK:
        HandleMemberAttackState(m);
        break;
    case ACTION_MAGIC:
        UpdateMemberMagicState(m);
        break;
    case ACTION_HIT_STUN:
        UpdateMemberKnockback(m);
        break;
    case ACTION_STRIKE:
        UpdateMemberStrike(m);
        break;
    default:
        break;
    }
}

bool UpdatePartyBattle()
{
    SceneTrace::Note("UpdatePartyBattle");
    CCharacter& party = *TheCharacter;
    PendingOrderKind::Clear(party.partyWordC);
    ReadBattlePushMask();
    if (Pushed(BUTTON_MENU)) {
        TheBattleMenu->EnterBattleMenuState(0);
        return false;
    }
    if (Pushed(BUTTON_LEADER)) {
        ResetMemberThinking(party.Leader());
        ChangeLeader(0, false);
    }
    RunQuickCommands(party);
    if (Pushed(BUTTON_STRIKE) && Held(BUTTON_SHIFT))
        SetPartyFlag30Ex(0, true, false, true);
    TickPartyCounters(party);
    party.fieldShotActive = TheEnemyGroup != nullptr && TheEnemyGroup->HasActiveSubShot() ? 1 : 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        UpdateMember(party, m);
    Member1HoldsFire::Clear(party.partyWordE);
    return true;
}
