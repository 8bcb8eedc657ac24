// The battle menu's orders to member 2: cast a magic, use a skill, or stop;
// an order member 2 cannot take now (knocked back, striking) waits for it.
#include "party/AttackCosts.h"
#include "party/BattleOutcome.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "party/MemberAttacks.h"
#include "party/PartyBattle.h"
#include "party/PartyServices.h"
#include "party/ThirdMember.h"

namespace {

constexpr int kThird = 2;
constexpr int kSupportMagicA = 16;
constexpr int kSupportMagicB = 19;
// A stored magic order's target when none was named: member 2 chooses.
constexpr std::uint32_t kNoTarget = 7;

BattleMember& Third()
{
    return TheCharacter->members[kThird];
}

int TargetOf(std::uint32_t target)
{
    return target >= PARTY_MEMBER_COUNT ? -1 : static_cast<int>(target);
}

bool StartMagic(std::uint32_t magic, std::uint32_t target)
{
    return StartMemberMagic(kThird, static_cast<int>(magic), true, 0, 0, TargetOf(target));
}

bool InterruptAnd(bool (*start)(std::uint32_t, std::uint32_t), std::uint32_t a, std::uint32_t b)
{
    InterruptMemberAction(kThird);
    return start(a, b);
}

bool StartSkill(std::uint32_t level, std::uint32_t)
{
    return StartThirdMemberAttack(static_cast<int>(level), false, false, 0);
}

// Knocked back or striking: the order waits until member 2 is free.
void StoreOrder(bool magic, std::uint32_t id, std::uint32_t target)
{
    CCharacter& party = *TheCharacter;
    DeferredOrderFirst::Set(party.partyWordD, 1);
    DeferredOrderSecond::Set(party.partyWordD, magic ? 1u : 0u);
    DeferredOrderIdE::Set(party.partyWordE, id);
    DeferredOrderKind::Set(party.partyWordD, target);
}

void RefreshThird()
{
    TheCharacter->SetMemberSpriteRect(kThird);
    RebuildMemberIndicators();
}

// Member 2 acts for itself now (not led, not knocked out).
bool ActsForItself()
{
    return TheCharacter->Leader() != kThird && !TheCharacter->IsKnockedOut(kThird);
}

void StopAttack()
{
    EndMemberAction(kThird);
    ThinkCounter::Clear(TheCharacter->partyWordB);
    RefreshThird();
}

void StopCast()
{
    ResetMemberFlagsAndAction(kThird);
    RefreshThird();
}

} // namespace

bool OrderThirdMemberMagic(std::uint32_t magic, std::uint32_t target)
{
    CCharacter& party = *TheCharacter;
    if (magic >= MAGIC_COUNT || party.IsKnockedOut(kThird) || party.HasEffect(kThird, EFFECT_MAGIC_SEAL) ||
        party.HasEffect(kThird, EFFECT_STOP))
        return false;
    const BattleMember& third = Third();
    bool accepted = false;
    switch (third.Action()) {
    case ACTION_FREE:
        accepted = StartMagic(magic, target);
        break;
    case ACTION_ATTACK:
        accepted = InterruptAnd(StartMagic, magic, target);
        break;
    case ACTION_MAGIC:
        if (MagicIdField::Get(third.state) != magic || IsOtherSupportTarget(target)) {
            accepted = InterruptAnd(StartMagic, magic, target);
        } else {
            KeepMagic::Set(party.partyWordC, 1);
            return true;
        }
        break;
    case ACTION_HIT_STUN:
    case ACTION_STRIKE:
        StoreOrder(true, magic, target);
        return true;
    default:
        return false;
    }
    RefreshThird();
    return accepted;
}

std::uint8_t OrderThirdMemberSkill(std::uint32_t level)
{
    CCharacter& party = *TheCharacter;
    if (level >= ATTACK_LEVEL_COUNT || party.IsKnockedOut(kThird) || party.HasEffect(kThird, EFFECT_SKILL_SEAL) ||
        party.HasEffect(kThird, EFFECT_STOP) || party.sp[kThird] < MemberAttackSpCost[kThird][level])
        return 0;
    const BattleMember& third = Third();
    bool accepted = false;
    switch (third.Action()) {
    case ACTION_FREE:
        accepted = StartSkill(level, 0);
        break;
    case ACTION_ATTACK:
        if (AttackLevel::Get(third.state) == level) {
            KeepAttack::Set(party.partyWordC, 1);
            return 1;
        }
        accepted = InterruptAnd(StartSkill, level, 0);
        break;
    case ACTION_MAGIC:
        accepted = InterruptAnd(StartSkill, level, 0);
        break;
    case ACTION_HIT_STUN:
    case ACTION_STRIKE:
        StoreOrder(false, level, 0);
        return 1;
    default:
        return 0;
    }
    RefreshThird();
    return accepted ? 1 : 0;
}

bool RunPendingThirdMemberOrder()
{
    CCharacter& party = *TheCharacter;
    if (!DeferredOrderFirst::IsSet(party.partyWordD))
        return false;
    DeferredOrderFirst::Clear(party.partyWordD);
    const std::uint32_t id = DeferredOrderIdE::Get(party.partyWordE);
    if (DeferredOrderSecond::IsSet(party.partyWordD))
        return StartMagic(id, DeferredOrderKind::Get(party.partyWordD));
    return StartSkill(id, 0);
}

bool RunQueuedThirdMemberOrder()
{
    CCharacter& party = *TheCharacter;
    const std::uint32_t kind = OpeningOrderKind::Get(party.partyWordE);
    const std::uint32_t id = OpeningOrderId::Get(party.partyWordE);
    OpeningOrderKind::Clear(party.partyWordE);
    OpeningOrderId::Clear(party.partyWordE);
    if (kind == 0)
        return false;
    return kind == 1 ? StartMagic(id, kNoTarget) : StartSkill(id, 0);
}

bool IsOtherSupportTarget(std::uint32_t target)
{
    const BattleMember& third = Third();
    const std::uint32_t magic = MagicIdField::Get(third.state);
    return third.Action() == ACTION_MAGIC && (magic == kSupportMagicA || magic == kSupportMagicB) &&
           MagicTarget::Get(third.state) != target;
}

void ReplanThirdMember()
{
    CCharacter& party = *TheCharacter;
    if (!ActsForItself())
        return;
    PlanCounter::Clear(party.partyWordB);
    RefreshMagicPlan();
    PlanCounter::Set(party.partyWordB, 1);
    const BattleMember& third = Third();
    if (third.Action() == ACTION_MAGIC && party.autoMagicAllowed[MagicIdField::Get(third.state) % MAGIC_COUNT] == 0 &&
        !KeepMagic::IsSet(party.partyWordC))
        StopCast();
}

void StopThirdMemberState1()
{
    CCharacter& party = *TheCharacter;
    const BattleMember& third = Third();
    if (!ActsForItself() || third.Action() != ACTION_ATTACK || KeepAttack::IsSet(party.partyWordC))
        return;
    if (party.memberOptions[kThird][AttackLevel::Get(third.state) % ATTACK_LEVEL_COUNT] == 0)
        StopAttack();
}

void StopThirdMemberMagicIf(std::uint32_t id)
{
    const BattleMember& third = Third();
    if (!ActsForItself() || third.Action() != ACTION_MAGIC || MagicIdField::Get(third.state) != id ||
        KeepMagic::IsSet(TheCharacter->partyWordC) || IsSupportMagicNeeded(static_cast<int>(id), false))
        return;
    StopCast();
}

void StopThirdMemberSkillIfUnready()
{
    const BattleMember& third = Third();
    if (!ActsForItself() || third.Action() != ACTION_ATTACK || AttackLevel::Get(third.state) != 1 ||
        KeepAttack::IsSet(TheCharacter->partyWordC) || IsThirdMemberAttackReady(1))
        return;
    StopAttack();
}
