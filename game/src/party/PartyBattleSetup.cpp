// Setting the party up for a battle: the party's battle fields cleared, the
// members placed and refilled, and the equipment's battle-start effects.
#include <cstring>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Random.h"
#include "party/AttackCosts.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/Leader.h"
#include "party/PartyBattle.h"
#include "party/PartyBattleHelpers.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr std::uint32_t kNoHitFrames = 152;
constexpr float kMember1ShotReach = 16.0f + 360.0f - 32.0f;
constexpr std::uint8_t kNoPlannedMagic = 255;
constexpr int kBattleKindWithRetry = 2;

// Ability bits of the equipment read here.
constexpr int kAbilityFastSp = 17;
constexpr int kAbilityStartPoison = 19;
constexpr int kAbilityStartAilment = 20;
constexpr int kAbilityStartBoost = 21;
constexpr int kAbilityStartSpeed = 22;
// Ability bits 0-13 make the member immune to effects 5-18.

bool HasAbility(const CCharacter& party, int member, int bit)
{
    return (party.abilityBits[member] >> bit) & 1u;
}

// Steps 3 to 6: the party's battle counters.
void ClearPartyBattleFields(CCharacter& party)
{
    MagicInForce::Clear(party.partyWordA);
    FramesSinceHit::Set(party.partyWordA, kNoHitFrames);
    ComboCount::Clear(party.partyWordA);
    BestCombo::Clear(party.partyWordA);
    LastKnockedOut::Clear(party.partyWordB);
    party.hitCountColorA = party.hitCountColorB = 0;
    party.hitCountRed = 0;
    party.shotReach = kMember1ShotReach;
    party.knockDistance = 0.0f;
    party.knockFrames = 0;

    ThinkCounter::Set(party.partyWordB, 59);
    PlanCounter::Clear(party.partyWordB);
    PendingMagicId::Clear(party.partyWordB);
    LeaderMarkerShown::Clear(party.partyWordB);
    ItemCooldownRunning::Clear(party.partyWordB);
    party.itemCooldownFrame = 0;
    PendingOrderKind::Clear(party.partyWordC);
    ItemReadyShown::Clear(party.partyWordC);
    ItemReadyCounter::Clear(party.partyWordC);
    KeepMagic::Clear(party.partyWordC);
    KeepAttack::Clear(party.partyWordC);
    party.SetBattlePhase(0);
    party.pushedButtons = 0;
    PendingOrderId::Clear(party.partyWordD);
    DeferredOrderKind::Clear(party.partyWordD);
    DeferredOrderFirst::Clear(party.partyWordD);
    DeferredOrderSecond::Clear(party.partyWordD);
    OpeningOrderId::Clear(party.partyWordE);
    MagicAimBits::Clear(party.partyWordE);
    OpeningOrderKind::Clear(party.partyWordE);
    party.fieldShotActive = 0;
    Member1HoldsFire::Set(party.partyWordE, 1);

    ItemUsesLeft::Set(party.partyWordD, 5);

    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        party.pendingExp[m] = party.shownExp[m] = 0;
    party.pendingMoney = party.shownMoney = 0;
    for (int k = 0; k < STOCK_COUNT; ++k) {
        party.stockRegenFrame[k] = 0;
        party.plannedMagic[k] = kNoPlannedMagic;
    }
}

void ShowMemberOnPanel(const CCharacter& party, int m)
{
    if (TheBattleBackground == nullptr)
        return;
    TheBattleBackground->SetHudHp(m, party.hp[m]);
    TheBattleBackground->SetHudMaxHp(m, party.maxHp[m]);
    TheBattleBackground->SetHudSp(m, party.sp[m]);
    TheBattleBackground->SetHudMaxSp(m, party.maxSp[m]);
    TheBattleBackground->SetHudSt(m, party.st[m]);
    TheBattleBackground->SetHudMaxSt(m, party.maxSt[m]);
}

// Step 8 for one member.
void PlaceMember(CCharacter& party, int m)
{
    BattleMember& record = party.members[m];
    party.SetMemberPosX(m, MemberStartX[m]);
    party.SetMemberPosY(m, MemberStartY[m]);
    record.prevX = record.x;
    record.prevY = record.y;
    record.alpha = 255;
    record.spRegenPeriod = static_cast<std::int16_t>(HasAbility(party, m, kAbilityFastSp) ? 100 : 150);
    SlideSubDirection::Set(record.flags, 3);
    record.targetX = FIELD_LEFT;
    record.targetY = FIELD_TOP;
    record.immuneEffects = GetMemberInitFlags(m);
    record.guardFactor = 1.0f;
    ApplyMemberElementSpecial(m);
    if (m == 2)
        RollMemberSpecial34(m);
    party.st[m] = party.maxSt[m];
    party.hpPercent[m] =
        static_cast<std::uint8_t>(party.maxHp[m] <= 0 ? 100 : std::int64_t{party.hp[m]} * 100 / party.maxHp[m]);
    // A member without HP starts the battle knocked out.
    if (party.hp[m] <= 0) {
        ActionState::Set(record.state, ACTION_KNOCKED_OUT);
        KnockedOut::Set(record.state, 1);
    }
    party.SetMemberSpriteRect(m);
    ShowMemberOnPanel(party, m);
}

// Step 11 for one member.
void ApplyBattleStartEffects(CCharacter& party, int m)
{
    StatusEffectBlock& block = party.members[m];
    if (HasAbility(party, m, kAbilityStartSpeed))
        ApplyHitStatusEffects(block, EFFECT_SIDE_PARTY, m, EFFECT_SPEED_UP, 0);
    if (HasAbility(party, m, kAbilityStartBoost))
        RollBattleStartBoost(m);
    if (HasAbility(party, m, kAbilityStartPoison))
        ApplyHitStatusEffects(block, EFFECT_SIDE_PARTY, m, EFFECT_POISON, 0);
    if (HasAbility(party, m, kAbilityStartAilment))
        ApplyHitStatusEffects(block, EFFECT_SIDE_PARTY, m, GameRandom() * AILMENT_COUNT / 32768 + FIRST_AILMENT_EFFECT,
                              0);
}

} // namespace

void SetupPartyForBattle(int kind, bool escapeAllowed, bool itemLimit, bool retry)
{
    CCharacter& party = *TheCharacter;
    if (!retry) {
        EscapeAllowed::Set(party.partyWordD, escapeAllowed ? 1u : 0u);
        ItemUsesLimited::Set(party.partyWordD, itemLimit ? 1u : 0u);
        BattleKind::Set(party.partyWordD, static_cast<std::uint32_t>(kind));
    }
    if (BattleKind::Get(party.partyWordD) == kBattleKindWithRetry && TheGameData != nullptr)
        TheGameData->SaveBattleSnapshot();
    ClearPartyBattleFields(party);
    std::memset(static_cast<void*>(party.members), 0, sizeof(party.members));
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        PlaceMember(party, m);
    if (TheBattleBackground != nullptr) {
        for (int k = 0; k < STOCK_COUNT; ++k)
            TheBattleBackground->SetHudColumnValue(k, party.stock[k]);
        TheBattleBackground->SetHudHitCount(0);
    }
    ShowLeaderMarker(party.Leader());
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        ApplyBattleStartEffects(party, m);
    if (TheCharaShot != nullptr)
        TheCharaShot->ResetCharaShotCounters();
}
