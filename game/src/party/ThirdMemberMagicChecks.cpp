// Whether member 2 may cast a magic now: it is switched on and its stock can
// hold it, an attack magic would really hurt enough enemies before their
// statuses change, a support magic's target still needs it, an enemy status
// can still take hold. And the magic it plans for each stock.
#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/EnemyDefs.h"
#include "core/Random.h"
#include "enemies/EnemyServices.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MagicShotTable.h"
#include "party/PartyOptions.h"
#include "party/PartyServices.h"
#include "party/StatusEffectTable.h"
#include "party/StatusEffects.h"
#include "party/ThirdMember.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kAttackMagicCount = 16;
constexpr int kUnplannedKind = 4;
constexpr int kSelfHealSp = 40;
constexpr int kFixedLeastDamage = 5;
constexpr float kRateOnlyMargin = 0.9375f;
constexpr int kMaxNarrowShots = 4;
constexpr int kNarrowMagic = 13;
constexpr int kAttendMagic = 15;
// Frames beyond the cast over which an attack magic's shots still hurt.
constexpr int kExtraLookAhead[kAttackMagicCount] = {10, 10, 10, 10, 5, 20, 15, 10, 5, 135, 15, 150, 5, 20, 5, 10};
constexpr float kRateOnlyFactor[kAttackMagicCount] = {2.0f, 2.5f, 2.5f, 3.0f, 5.0f, 3.0f,  4.0f, 2.0f,
                                                      2.0f, 3.5f, 1.0f, 2.0f, 3.5f, 1.25f, 3.0f, 0.75f};

const CCharacter& Party()
{
    return *TheCharacter;
}

bool HpAtMost(const CCharacter& party, int member, std::uint32_t setting)
{
    return party.hpPercent[member] <= HpThresholdPercent(setting);
}

bool AnyEnemyBoundOrStopped()
{
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot) {
        const EnemyRecord* record = PresentEnemy(slot);
        if (record != nullptr && (record->Status.HasEffect(EFFECT_BIND) || record->Status.HasEffect(EFFECT_STOP)))
            return true;
    }
    return false;
}

std::uint32_t ShotsOfSubtype(int subtype)
{
    return TheCharaShot != nullptr ? TheCharaShot->CountMagicShotsOfSubtype(subtype) : 0u;
}

bool EnemyStatusCanTakeHold(int magic)
{
    const CCharacter& party = Party();
    if ((MagicInForce::Get(party.partyWordA) >> (magic - FIRST_ENEMY_STATUS_MAGIC)) & 1u)
        return false;
    if (AnyEnemyAcceptsStatus(EffectBit(EnemyStatusOfMagic[magic - FIRST_ENEMY_STATUS_MAGIC])))
        return true;
    int slot = -1;
    const BattleMember& third = party.members[THIRD_MEMBER];
    switch (magic) {
    case 20:
        return FindNearestEnemyFor(third.centerX, third.centerY, GetMagicTimeLeft(magic), slot);
    case 21:
        return TheMagicCircle != nullptr && TheMagicCircle->PickMagicCircleSlot(slot, GetMagicTimeLeft(magic));
    default:
        return false;
    }
}

// The least damage worth a target: 5 % of member 2's magic power (at least 1), or 5 in fixed damage.
int LeastDamage(const CCharacter& party, bool fixedDamage)
{
    return fixedDamage ? kFixedLeastDamage : std::max(1, static_cast<int>(party.statsB[THIRD_MEMBER][1] * 0.05));
}

bool CountsAsTarget(int magic, int slot, float factor, int least, bool fixedDamage, int frames)
{
    const EnemyRecord& record = TheEnemyGroup->Records[slot];
    const std::uint32_t effects = GetExpiringEffects(record.Status, frames + kExtraLookAhead[magic], EFFECT_ROW_ENEMY);
    if ((effects & EffectBit(EFFECT_PIERCE)) != 0)
        return true;
    const int kind = MagicStock(magic);
    const float rate = TheEnemyGroup->GetEnemyDamageRate(slot, true, kind);
    const EnemyKindDef* def = TheEnemyGroup->KindDefs[slot];
    if (def != nullptr && def->RateOnly != 0)
        return rate * kRateOnlyFactor[magic] * kRateOnlyMargin >= 1.0f;
    const int power = Party().statsB[THIRD_MEMBER][1];
    const int damage = fixedDamage ? record.FixedDamage[THIRD_MEMBER] : power - record.DefenceB;
    return damage > 0 && static_cast<int>(static_cast<float>(damage) * factor * rate) >= least;
}

} // namespace

bool IsSupportMagicNeeded(int magic, bool strict)
{
    const CCharacter& party = Party();
    switch (magic) {
    case 16: {
        const std::uint32_t healOne = HpThresholdA::Get(party.partyWordC);
        for (int m = 0; m < THIRD_MEMBER; ++m)
            if (!party.IsKnockedOut(m) && HpAtMost(party, m, healOne))
                return true;
        if (party.IsKnockedOut(THIRD_MEMBER) || !HpAtMost(party, THIRD_MEMBER, healOne))
            return false;
        const bool selfHealReady = !party.HasEffect(THIRD_MEMBER, EFFECT_SKILL_SEAL) &&
                                   !party.HasEffect(THIRD_MEMBER, EFFECT_STOP) &&
                                   HpAtMost(party, THIRD_MEMBER, HpThresholdIndex::Get(party.partyWordD)) &&
                                   party.sp[THIRD_MEMBER] >= kSelfHealSp;
        if (!selfHealReady)
            return true;
        if (party.Leader() != THIRD_MEMBER && party.memberOptions[THIRD_MEMBER][1] == 0)
            return true;
        return !strict;
    }
    case 17: {
        const int frames = GetMagicTimeLeft(magic);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (!party.IsKnockedOut(m) &&
                (GetExpiringEffects(party.members[m], frames, EFFECT_ROW_PARTY) & AILMENT_EFFECT_BITS) != 0)
                return true;
        return false;
    }
    case 18: {
        int hurt = 0;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            hurt += !party.IsKnockedOut(m) && HpAtMost(party, m, HpThresholdB::Get(party.partyWordC)) ? 1 : 0;
        return hurt >= 2;
    }
    case 19:
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (party.IsKnockedOut(m))
                return true;
        return false;
    default:
        return false;
    }
}

int GetMagicTimeLeft(int magic)
{
    if (magic < 0 || magic >= MAGIC_COUNT)
        return 0;
    const BattleMember& third = Party().members[THIRD_MEMBER];
    if (third.Action() == ACTION_MAGIC && static_cast<int>(MagicIdField::Get(third.state)) == magic)
        return third.magicTime - third.actionFrame;
    return MagicChargeBonusTable[magic];
}

bool IsMagicUsable(int magic, bool countTargets)
{
    if (magic < 0 || magic >= MAGIC_COUNT || Party().autoMagicAllowed[magic] == 0 || !IsMagicUsable(magic))
        return false;
    int targets = 0;
    if (countTargets && magic < kAttackMagicCount) {
        targets = CountMagicTargets(magic);
        if (targets == 0)
            return false;
    }
    switch (magic) {
    case 5:
    case 7:
    case 10:
        return !countTargets || targets >= 2;
    case 12:
    case 14:
        return !AnyEnemyBoundOrStopped();
    case kNarrowMagic:
        return ShotsOfSubtype(kNarrowMagic) < kMaxNarrowShots;
    case kAttendMagic:
        return ShotsOfSubtype(kAttendMagic) == 0;
    case 16:
    case 17:
    case 18:
    case 19:
        return IsSupportMagicNeeded(magic, false);
    case 20:
    case 21:
    case 22:
    case 23:
        return EnemyStatusCanTakeHold(magic);
    default:
        return true;
    }
}

int CountMagicTargets(int magic)
{
    if (magic < 0 || magic >= kAttackMagicCount || TheEnemyGroup == nullptr)
        return 0;
    const CCharacter& party = Party();
    const BattleMember& third = party.members[THIRD_MEMBER];
    const bool fixedDamage = TheBattleTouch != nullptr && TheBattleTouch->FixedDamageMode();
    const int least = LeastDamage(party, fixedDamage);
    const int frames = GetMagicTimeLeft(magic);
    const float factor =
        GetAttackFactor(GetExpiringEffects(third, frames, EFFECT_ROW_PARTY),
                        static_cast<int>(AttackUpLevel::Get(third.boostLevels)), true, MagicStock(magic));
    int count = 0;
    for (int slot = 0; slot < EnemySlotsInUse(); ++slot) {
        const EnemyRecord* record = PresentEnemy(slot);
        if (record != nullptr && record->State != ENEMY_APPEARING &&
            CountsAsTarget(magic, slot, factor, least, fixedDamage, frames))
            ++count;
    }
    return count;
}

float GetAttackFactor(std::uint32_t effects, int attackUpLevel, bool useKindBoost, int kind)
{
    const BattleMember& third = Party().members[THIRD_MEMBER];
    float factor = 1.0f;
    if (useKindBoost && kind >= 0 && kind < 4 && ((GuardDirections::Get(third.flags2) >> kind) & 1u) != 0)
        factor *= third.guardFactor;
    if ((effects & EffectBit(EFFECT_ATTACK_UP)) != 0)
        factor *= AttackUpFactor[attackUpLevel & 3];
    if ((effects & EffectBit(EFFECT_POISON)) != 0)
        factor *= 0.9000001f;
    if ((effects & EffectBit(EFFECT_WEAKNESS)) != 0)
        factor *= 0.85f;
    if ((effects & EffectBit(EFFECT_ABILITY_DOWN)) != 0)
        factor *= 0.75f;
    return factor;
}

void PlanMagicForKind(int kind)
{
    CCharacter& party = *TheCharacter;
    if (kind < 0 || kind >= STOCK_COUNT)
        return;
    int usable[4];
    int count = 0;
    for (int magic = kind * 4; magic < kind * 4 + 4; ++magic)
        if (IsMagicUsable(magic, true))
            usable[count++] = magic;
    party.plannedMagic[kind] =
        count == 0 ? NO_PLANNED_MAGIC : static_cast<std::uint8_t>(usable[GameRandom() * count / 32768]);
}

void RefreshMagicPlan()
{
    const CCharacter& party = Party();
    for (int kind = 0; kind < STOCK_COUNT; ++kind) {
        if (kind == kUnplannedKind)
            continue;
        const int planned = party.plannedMagic[kind];
        if (planned >= MAGIC_COUNT || !IsMagicUsable(planned, true))
            PlanMagicForKind(kind);
    }
}
