// Orders to member 2 from the quick-command buttons: queued in the action
// phase, stored as the opening order before it; and the opening's input.
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "party/AttackCosts.h"
#include "party/BattleButtons.h"
#include "party/Character.h"
#include "party/Leader.h"
#include "party/MemberActions.h"
#include "party/PartyServices.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kOrderMagic = 1;
constexpr int kOrderAttack = 4;
constexpr int kOpeningMagic = 1;
constexpr int kOpeningAttack = 2;
constexpr int kQuickKindMagic = 1;
constexpr int kQuickKindAttack = 4;
constexpr std::uint32_t kDeferredMagicKind = 7;

bool ValidMagic(int magic)
{
    return magic >= 0 && magic < MAGIC_COUNT;
}

bool ValidLevel(int level)
{
    return level >= 0 && level < ATTACK_LEVEL_COUNT;
}

// The stock of the magic's kind, counting what regenerates before the cast
// would end, covers its cost (or the battle ignores stock).
bool StockCovers(const CCharacter& party, int magic)
{
    if (IgnoreStockCheck::IsSet(party.partyWordC))
        return true;
    const int kind = MagicStock(magic);
    const int divisor = ChargeDivisorTable[party.stockRegenSpeed[kind] & 7];
    const int available = party.stock[kind] + (party.stockRegenFrame[kind] + MagicChargeBonusTable[magic]) / divisor;
    return MagicCostTable[magic] <= available;
}

bool CanTakeMagicOrder(const CCharacter& party)
{
    return !party.IsKnockedOut(2) && !party.HasEffect(2, EFFECT_MAGIC_SEAL) && !party.HasEffect(2, EFFECT_STOP);
}

bool CanTakeAttackOrder(const CCharacter& party, int level)
{
    return !party.IsKnockedOut(2) && party.sp[2] >= MemberAttackSpCost[2][level] &&
           !party.HasEffect(2, EFFECT_SKILL_SEAL) && !party.HasEffect(2, EFFECT_STOP);
}

void SetPendingOrder(CCharacter& party, int kind, int id)
{
    PendingOrderKind::Set(party.partyWordC, static_cast<std::uint32_t>(kind));
    PendingOrderId::Set(party.partyWordD, static_cast<std::uint32_t>(id));
}

// Knocked back or striking, member 2 takes the order when it is free again.
void SetDeferredOrder(CCharacter& party, int id, bool second, std::uint32_t kind)
{
    DeferredOrderIdE::Set(party.partyWordE, static_cast<std::uint32_t>(id));
    DeferredOrderFirst::Set(party.partyWordD, 1);
    DeferredOrderSecond::Set(party.partyWordD, second ? 1u : 0u);
    DeferredOrderKind::Set(party.partyWordD, kind);
}

void SetOpeningOrder(CCharacter& party, int kind, int id)
{
    OpeningOrderKind::Set(party.partyWordE, static_cast<std::uint32_t>(kind));
    OpeningOrderId::Set(party.partyWordE, static_cast<std::uint32_t>(id));
}

bool Refuse()
{
    PlaySoundEffect(SE_REFUSE);
    return false;
}

} // namespace

void QueueThirdMemberMagic(int magic)
{
    CCharacter& party = *TheCharacter;
    if (!ValidMagic(magic) || !StockCovers(party, magic) || !CanTakeMagicOrder(party)) {
        Refuse();
        return;
    }
    const BattleMember& third = party.members[2];
    const std::uint32_t action = third.Action();
    if (action == ACTION_MAGIC && static_cast<int>(MagicIdField::Get(third.state)) == magic)
        KeepMagic::Set(party.partyWordC, 1);
    else if (action <= ACTION_MAGIC)
        SetPendingOrder(party, kOrderMagic, magic);
    else if (action == ACTION_HIT_STUN || action == ACTION_STRIKE)
        SetDeferredOrder(party, magic, true, kDeferredMagicKind);
    else
        Refuse();
}

void QueueThirdMemberAttack(int level)
{
    CCharacter& party = *TheCharacter;
    if (!ValidLevel(level) || !CanTakeAttackOrder(party, level)) {
        Refuse();
        return;
    }
    const BattleMember& third = party.members[2];
    const std::uint32_t action = third.Action();
    if (action == ACTION_ATTACK && static_cast<int>(AttackLevel::Get(third.state)) == level)
        KeepAttack::Set(party.partyWordC, 1);
    else if (action <= ACTION_MAGIC)
        SetPendingOrder(party, kOrderAttack, level);
    else if (action == ACTION_HIT_STUN || action == ACTION_STRIKE)
        SetDeferredOrder(party, level, false, 0);
    else
        Refuse();
}

bool QueueOpeningMagic(int magic)
{
    CCharacter& party = *TheCharacter;
    if (!ValidMagic(magic) || !StockCovers(party, magic) || !CanTakeMagicOrder(party))
        return Refuse();
    SetOpeningOrder(party, kOpeningMagic, magic);
    return true;
}

bool QueueOpeningAttack(int level)
{
    CCharacter& party = *TheCharacter;
    if (!ValidLevel(level) || !CanTakeAttackOrder(party, level))
        return Refuse();
    SetOpeningOrder(party, kOpeningAttack, level);
    return true;
}

void UpdatePartyBattleInput()
{
    SceneTrace::Note("UpdatePartyBattleInput");
    CCharacter& party = *TheCharacter;
    ReadBattlePushMask();
    if (Pushed(BUTTON_LEADER)) {
        ResetMemberThinking(party.Leader());
        ChangeLeader(0, false);
    }
    for (int button = BUTTON_QUICK_FIRST; button < BUTTON_QUICK_FIRST + QUICK_SLOTS_PER_PAGE; ++button) {
        if (!Pushed(button))
            continue;
        const QuickSlot& slot = QuickSlotOfButton(button);
        if (slot.kind == kQuickKindMagic && QueueOpeningMagic(slot.id))
            break;
        if (slot.kind == kQuickKindAttack && QueueOpeningAttack(slot.id))
            break;
    }
    if (Pushed(BUTTON_STRIKE) && Held(BUTTON_SHIFT))
        SetPartyFlag30Ex(0, true, false, true);
    // Nothing ticks while the enemies fade in.
    if (TheEnemyGroup == nullptr || TheEnemyGroup->openingAlpha != 0)
        return;
    AdvanceLeaderMarker();
    for (auto& member : party.members) {
        if (member.effectBits != 0)
            TickStatusEffects(member, 0, true);
        if (MarkCount::IsSet(member.effectState))
            TickEffectTimers(member);
    }
}
