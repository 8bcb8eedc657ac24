// The party falling, the victory phase and the reset at the battle end.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "media/PlayBGM.h"
#include "party/BattleButtons.h"
#include "party/BattleOutcome.h"
#include "party/Character.h"
#include "party/HitCombo.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"
#include "party/StatusEffects.h"

namespace {

constexpr int kMarkerFrames = 48;
constexpr std::uint32_t kComboShownAtVictory = 32;
constexpr int kVictoryMusicTrack = 1;
constexpr unsigned kVictoryMusicFadeMs = 2000;

bool AllKnockedOut(const CCharacter& party)
{
    return party.IsKnockedOut(0) && party.IsKnockedOut(1) && party.IsKnockedOut(2);
}

// A 48-frame marker: its counter runs while it shows.
template <typename Shown, typename Counter> void TickMarker(std::uint32_t& word)
{
    if (!Shown::IsSet(word))
        return;
    Counter::Set(word, Counter::Get(word) + 1);
    if (static_cast<int>(Counter::Get(word)) >= kMarkerFrames)
        Shown::Clear(word);
}

void TickGaugeFlash(BattleMember& record)
{
    if (!GaugeEvent::IsSet(record.flags))
        return;
    FlashCounter::Set(record.flags, FlashCounter::Get(record.flags) + 1);
    if (static_cast<int>(FlashCounter::Get(record.flags)) >= kMarkerFrames)
        GaugeEvent::Clear(record.flags);
}

bool IsActing(const BattleMember& record)
{
    return record.Action() == ACTION_ATTACK || record.Action() == ACTION_MAGIC;
}

void HandOverDefeat(int kind)
{
    switch (kind) {
    case BATTLE_KIND_LOSS_GOES_ON:
        TheBattleEnd->BeginBattleEnd(BATTLE_END_LOST);
        break;
    case BATTLE_KIND_RETRY:
        TheGameOverEffect->StartGameOver(true, true);
        break;
    default:
        // Kind 3 has no defeat of its own: it ends as a plain game over
        // rather than leaving the defeat phase running for ever.
        TheGameOverEffect->StartGameOver(true, false);
        break;
    }
}

// The win wait only plays out what runs: a free member starts nothing and
// takes only its movement input, the leader's held directions.
void AdvanceMemberInVictory(CCharacter& party, int m)
{
    BattleMember& record = party.members[m];
    if (record.Action() != ACTION_FREE) {
        RunMemberAction(m);
        return;
    }
    if (m == party.Leader() && !record.HasEffect(EFFECT_STOP))
        record.moveBits = HeldDirections();
    ApplyMemberMoveInput(m);
}

// The victory phase's movement: the frame's velocity, then the field's edges.
void MoveMemberInVictory(CCharacter& party, int m)
{
    BattleMember& record = party.members[m];
    if (record.HasEffect(EFFECT_SLIP) && !record.HasEffect(EFFECT_BIND) && !record.HasEffect(EFFECT_STOP))
        EaseMemberVector(record, record.velX, record.velY);
    party.SetMemberPosX(m, std::clamp(record.x + record.velX, MEMBER_MIN_X, MEMBER_MAX_X));
    party.SetMemberPosY(m, std::clamp(record.y + record.velY, MEMBER_MIN_Y, MEMBER_MAX_Y));
    party.SetMemberSpriteRect(m);
}

} // namespace

void CheckPartyDown()
{
    CCharacter& party = *TheCharacter;
    if (!AllKnockedOut(party))
        return;
    party.SetBattlePhase(BATTLE_PHASE_DEFEAT);
    party.downCountdown = 0;
}

bool PartyDownWaitTick()
{
    SceneTrace::Note("PartyDownWaitTick");
    CCharacter& party = *TheCharacter;
    // The count stops one past the hand-over, so it happens once.
    if (party.downCountdown <= PARTY_DOWN_FRAMES)
        ++party.downCountdown;
    if (party.downCountdown < PARTY_DOWN_FRAMES) {
        TickPartyTimers();
        return true;
    }
    if (party.downCountdown == PARTY_DOWN_FRAMES)
        HandOverDefeat(static_cast<int>(BattleKind::Get(party.partyWordD)));
    return false;
}

void TickPartyTimers()
{
    CCharacter& party = *TheCharacter;
    TickMarker<LeaderMarkerShown, LeaderMarkerCounter>(party.partyWordB);
    if (static_cast<int>(FramesSinceHit::Get(party.partyWordA)) < HIT_COMBO_IDLE)
        TickHitCombo();
    TickMarker<ItemReadyShown, ItemReadyCounter>(party.partyWordC);
    for (BattleMember& record : party.members) {
        TickGaugeFlash(record);
        if (record.effectBits != 0)
            TickStatusEffects(record, EFFECT_ROW_PARTY, true);
        if (MarkCount::IsSet(record.effectState))
            TickEffectTimers(record);
    }
}

void BeginPartyPhase4()
{
    CCharacter& party = *TheCharacter;
    party.SetBattlePhase(BATTLE_PHASE_VICTORY);
    // The killing frame's pushes end with the action phase.
    party.pushedButtons = 0;
    DeferredOrderFirst::Clear(party.partyWordD);
    PendingOrderKind::Clear(party.partyWordC);
    if (!party.IsKnockedOut(2) && IsActing(party.members[2])) {
        InterruptMemberAction(2);
        party.SetMemberSpriteRect(2);
    }
    if (FramesSinceHit::Get(party.partyWordA) < kComboShownAtVictory)
        FramesSinceHit::Set(party.partyWordA, kComboShownAtVictory);
    if (party.MusicSwitchOn() && ThePlayBGM != nullptr)
        ThePlayBGM->FadeOut(kVictoryMusicTrack, kVictoryMusicFadeMs);
}

void UpdatePartyVictory()
{
    SceneTrace::Note("UpdatePartyVictory");
    CCharacter& party = *TheCharacter;
    TickPartyTimers();
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        BattleMember& record = party.members[m];
        record.velX = record.velY = 0.0f;
        record.prevX = record.x;
        record.prevY = record.y;
        record.moveBits = 0;
        FacingSetThisFrame::Clear(record.flags);
        AdvanceMemberInVictory(party, m);
        if (record.Action() == ACTION_KNOCKED_OUT)
            continue;
        MoveMemberInVictory(party, m);
    }
}

void ResetPartyAfterBattle()
{
    CCharacter& party = *TheCharacter;
    for (BattleMember& record : party.members) {
        record.effectBits = 0;
        ActiveEffectCount::Clear(record.effectState);
        ShownEffectIndex::Clear(record.effectState);
        MarkCount::Clear(record.effectState);
        GaugeEvent::Clear(record.flags);
    }
    if (IsActing(party.members[2]))
        InterruptMemberAction(2);
    ItemReadyShown::Clear(party.partyWordC);
    LeaderMarkerShown::Clear(party.partyWordB);
    FramesSinceHit::Set(party.partyWordA, HIT_COMBO_IDLE);
    RebuildMemberIndicators();
}

void StopThirdMemberStrike()
{
    CCharacter& party = *TheCharacter;
    BattleMember& third = party.members[2];
    if (party.IsKnockedOut(2) || third.Action() != ACTION_STRIKE)
        return;
    third.alpha = 255;
    InterruptMemberAction(2);
    party.SetMemberSpriteRect(2);
}

void AdvanceAilmentRounds()
{
    for (BattleMember& record : TheCharacter->members)
        if (record.effectBits != 0)
            AdvanceShownEffect(record);
    RebuildMemberIndicators();
}
