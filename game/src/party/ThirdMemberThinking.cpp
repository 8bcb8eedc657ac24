// Member 2's thinking while the player does not steer it: once a second it
// tries, in order, its support magic, its self-heal, the cure and the enemy
// statuses, the magic planned for the fullest stocks, its protection and
// last its plain shot at an enemy close by. A magic starts only when the
// enemies' coming actions make its cost due before the cast ends.
#include <vector>

#include "battle/BattleServices.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "party/Character.h"
#include "party/MemberAttacks.h"
#include "party/MemberStRegen.h"
#include "party/MemberThinking.h"
#include "party/PartyBattleHelpers.h"
#include "party/PartyServices.h"
#include "party/ThirdMember.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kThinkPeriod = 60;
constexpr int kCureMagic = 17;
constexpr int kCircleMagic = 21;
constexpr int kBoostBreakMagic = 20;
constexpr int kUnplannedKind = 4;
constexpr int kCircleMargin = 104;
constexpr int kBoostOutlasts = 176;
constexpr double kShotRadiusSquared = 225.0 * 225.0;
// ST from which a shot would drop it below what the strike needs.
constexpr int kStrikeKeepLow = 60;
constexpr int kStrikeKeepHigh = 64;
constexpr int kSupportOrder[3] = {19, 18, 16};

BattleMember& Third()
{
    return TheCharacter->members[THIRD_MEMBER];
}

bool MagicBarred(const CCharacter& party)
{
    return party.HasEffect(THIRD_MEMBER, EFFECT_MAGIC_SEAL) || party.HasEffect(THIRD_MEMBER, EFFECT_STOP);
}

bool SkillBarred(const CCharacter& party)
{
    return party.HasEffect(THIRD_MEMBER, EFFECT_SKILL_SEAL) || party.HasEffect(THIRD_MEMBER, EFFECT_STOP);
}

bool InForce(const CCharacter& party, int magic)
{
    return (MagicInForce::Get(party.partyWordA) >> (magic - FIRST_ENEMY_STATUS_MAGIC)) & 1u;
}

// The enemies' coming actions make the magic's cost due before it would end.
bool CostComesDue(int magic)
{
    const int due =
        TheEnemyGroup != nullptr ? TheEnemyGroup->CountDueEnemyActions(MagicStock(magic), GetMagicTimeLeft(magic)) : 0;
    return MagicCostTable[magic] <= due;
}

bool AutoOn(const CCharacter& party, int magic)
{
    return party.autoMagicAllowed[magic] != 0;
}

bool StartMagic(int magic, int aimedEnemy)
{
    return StartMemberMagic(THIRD_MEMBER, magic, false, aimedEnemy >= 0 ? 1 : 0, aimedEnemy, -1);
}

bool TrySupportMagic()
{
    const CCharacter& party = *TheCharacter;
    if (MagicBarred(party))
        return false;
    for (int magic : kSupportOrder)
        if (IsSupportMagicNeeded(magic, magic == 16) && AutoOn(party, magic) && CostComesDue(magic) &&
            StartMagic(magic, -1))
            return true;
    return false;
}

// The cure, then the circle status on an enemy standing in a circle, then
// the boost breaker on the nearest enemy whose boost outlasts its cast.
bool TryCureAndEnemyStatus()
{
    const CCharacter& party = *TheCharacter;
    if (MagicBarred(party))
        return false;
    if (IsSupportMagicNeeded(kCureMagic, false) && AutoOn(party, kCureMagic) && CostComesDue(kCureMagic) &&
        StartMagic(kCureMagic, -1))
        return true;
    int slot = -1;
    if (!InForce(party, kCircleMagic) && TheMagicCircle != nullptr &&
        TheMagicCircle->PickMagicCircleSlot(slot, kCircleMargin) && AutoOn(party, kCircleMagic) &&
        CostComesDue(kCircleMagic) && StartMagic(kCircleMagic, slot))
        return true;
    const BattleMember& third = Third();
    return !InForce(party, kBoostBreakMagic) &&
           FindNearestEnemyFor(third.centerX, third.centerY, kBoostOutlasts, slot) && AutoOn(party, kBoostBreakMagic) &&
           CostComesDue(kBoostBreakMagic) && StartMagic(kBoostBreakMagic, slot);
}

// The magic planned for each kind, fullest stocks first.
bool TryPlannedMagic()
{
    CCharacter& party = *TheCharacter;
    if (MagicBarred(party) || party.PartyFlag30())
        return false;
    RankPartyStocks();
    for (std::uint8_t kind : party.stockOrder) {
        if (kind == kUnplannedKind || kind >= STOCK_COUNT)
            continue;
        const int magic = party.plannedMagic[kind];
        if (magic >= MAGIC_COUNT || !AutoOn(party, magic) || !CostComesDue(magic))
            continue;
        if (IsMagicUsable(magic, true)) {
            if (StartMagic(magic, -1))
                return true;
        } else {
            party.plannedMagic[kind] = NO_PLANNED_MAGIC;
        }
    }
    return false;
}

// The plain shot at an enemy within reach once ST has filled since the last action.
bool TryPlainShot()
{
    const CCharacter& party = *TheCharacter;
    const BattleMember& third = Third();
    if (!StFullSinceAction::IsSet(third.flags2) || party.st[THIRD_MEMBER] < 5)
        return false;
    int slot = -1;
    if (!HasEnemyNear(third.centerX, third.centerY, kShotRadiusSquared, slot))
        return false;
    if (party.st[THIRD_MEMBER] >= kStrikeKeepLow && party.st[THIRD_MEMBER] <= kStrikeKeepHigh)
        return false;
    return StartThirdMemberAttack(0, false, true, slot);
}

} // namespace

bool ChooseThirdMemberAction()
{
    const CCharacter& party = *TheCharacter;
    const bool magicOff = party.PartyFlag30();
    if (!magicOff && TrySupportMagic())
        return true;
    if (!SkillBarred(party) && IsThirdMemberAttackReady(1) && StartThirdMemberAttack(1, false, false, 0))
        return true;
    if (!magicOff && TryCureAndEnemyStatus())
        return true;
    if (TryPlannedMagic())
        return true;
    if (!SkillBarred(party) && IsThirdMemberAttackReady(2) && StartThirdMemberAttack(2, false, false, 0))
        return true;
    return TryPlainShot();
}

bool RunThirdMemberAuto()
{
    CCharacter& party = *TheCharacter;
    BattleMember& third = Third();
    MarkGaugeFull(THIRD_MEMBER);
    if (TheBattleTouch != nullptr && TheBattleTouch->IsThirdMemberStrikeReady() && StartMemberStrike(THIRD_MEMBER)) {
        third.velX = third.velY = 0.0f;
        return true;
    }
    if (CheckMemberCrowding(THIRD_MEMBER) == 1)
        return false;
    const std::uint32_t counter = ThinkCounter::Get(party.partyWordB);
    if (counter == 0 && ChooseThirdMemberAction())
        return true;
    ThinkCounter::Set(party.partyWordB, (counter + 1) % kThinkPeriod);
    TakeMemberPushStep(THIRD_MEMBER);
    return false;
}

bool ChooseThirdMemberMagic()
{
    const CCharacter& party = *TheCharacter;
    if (TrySupportMagic() || TryCureAndEnemyStatus())
        return true;
    if (MagicBarred(party))
        return false;
    std::vector<int> choices;
    for (int magic = 0; magic < MAGIC_COUNT; ++magic)
        if (AutoOn(party, magic) && CostComesDue(magic) && IsMagicUsable(magic, true))
            choices.push_back(magic);
    if (choices.empty())
        return false;
    const auto pick = static_cast<std::size_t>(GameRandom()) * choices.size() / 32768u;
    return StartMagic(choices[pick], -1);
}
