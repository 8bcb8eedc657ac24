// The party's small battle answers; every draw goes through the game's generator.
#include <array>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Random.h"
#include "party/AttackCosts.h"
#include "party/Character.h"
#include "party/Equipment.h"
#include "party/PartyBattleHelpers.h"
#include "party/PartyServices.h"

namespace {

constexpr double kContactShare[2][PARTY_MEMBER_COUNT] = {{0.1, 0.1, 0.18}, {0.14, 0.11, 0.08}};
constexpr double kPiercedShare[PARTY_MEMBER_COUNT] = {0.2, 0.25, 0.3333333333333333};
constexpr float kCornerNear = 16.0f;
constexpr float kCornerFar = 623.0f;
constexpr float kCornerTop = 96.0f;
constexpr float kCornerBottom = 463.0f;
constexpr float kPartyCentreX = 320.0f;
constexpr float kPartyCentreY = 280.0f;
constexpr std::uint32_t kAilmentBits = 0x7FFE0u;
constexpr std::uint32_t kBoostBits = 0x1Fu;
constexpr int kFlagChance = 6553;
constexpr std::uint32_t kImmunityAbilityBits = 0x3FFF;
constexpr int kBoostCount = 5;

// The chance out of 32768 each special code 1-12 and 33 gives its effect.
int OnHitChance(int code)
{
    switch (code) {
    case 1:
    case 8:
    case 33:
        return 3276;
    case 2:
        return 655;
    case 3:
    case 7:
    case 9:
    case 10:
    case 13:
        return 1638;
    case 4:
    case 5:
    case 6:
        return 983;
    case 11:
    case 12:
        return 218;
    default:
        return 0;
    }
}

// The index of the largest (smallest) ratio among the kinds left; first (last) of equals.
int TakeHighest(const std::array<bool, STOCK_COUNT>& taken, const float* ratio)
{
    int best = -1;
    float value = -0.1f;
    for (int k = 0; k < STOCK_COUNT; ++k)
        if (!taken[k] && ratio[k] > value) {
            value = ratio[k];
            best = k;
        }
    return best;
}
int TakeLowest(const std::array<bool, STOCK_COUNT>& taken, const float* ratio)
{
    int best = -1;
    float value = 1.1f;
    for (int k = 0; k < STOCK_COUNT; ++k)
        if (!taken[k] && ratio[k] <= value) {
            value = ratio[k];
            best = k;
        }
    return best;
}

// Level 0 to 3 of a start boost: 19, 7, 4 and 2 in 32.
int RandomBoostLevel()
{
    const int draw = GameRandom() >> 10;
    return draw < 19 ? 0 : draw < 26 ? 1 : draw < 30 ? 2 : 3;
}

} // namespace

std::uint32_t ScaleMemberMaxHp(int member, int kind)
{
    const CCharacter& party = *TheCharacter;
    const double share =
        party.HasEffect(member, EFFECT_PIERCE) ? kPiercedShare[member] : kContactShare[kind != 0 ? 1 : 0][member];
    return static_cast<std::uint32_t>(std::ceil(static_cast<double>(party.maxHp[member]) * share));
}

void RankPartyStocks()
{
    CCharacter& party = *TheCharacter;
    for (int k = 0; k < STOCK_COUNT; ++k)
        party.stockRatio[k] = party.stockMax[k] > 0 ? static_cast<float>(party.stock[k]) / party.stockMax[k] : 0.0f;
    std::array<bool, STOCK_COUNT> taken{};
    const auto take = [&taken](int k) {
        taken[k] = true;
        return static_cast<std::uint8_t>(k);
    };
    const std::uint8_t hi1 = take(TakeHighest(taken, party.stockRatio));
    const std::uint8_t lo1 = take(TakeLowest(taken, party.stockRatio));
    const std::uint8_t hi2 = take(TakeHighest(taken, party.stockRatio));
    const std::uint8_t lo2 = take(TakeLowest(taken, party.stockRatio));
    std::uint8_t middle[2] = {0, 0};
    int count = 0;
    for (int k = 0; k < STOCK_COUNT; ++k)
        if (!taken[k])
            middle[count++] = static_cast<std::uint8_t>(k);
    if (party.stockRatio[middle[1]] > party.stockRatio[middle[0]])
        std::swap(middle[0], middle[1]);
    const std::uint8_t order[STOCK_COUNT] = {hi1, hi2, middle[0], middle[1], lo2, lo1};
    for (int k = 0; k < STOCK_COUNT; ++k)
        party.stockOrder[k] = order[k];
}

void GetPartyCentre(float& x, float& y)
{
    const CCharacter& party = *TheCharacter;
    float sumX = 0.0f, sumY = 0.0f;
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (party.IsKnockedOut(m))
            continue;
        sumX += party.members[m].centerX;
        sumY += party.members[m].centerY;
        ++count;
    }
    x = count > 0 ? sumX / static_cast<float>(count) : kPartyCentreX;
    y = count > 0 ? sumY / static_cast<float>(count) : kPartyCentreY;
}

int MarkMembersOffField(std::uint8_t flags[3], bool skip)
{
    const CCharacter& party = *TheCharacter;
    int count = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        flags[m] = 0;
        if (skip || party.IsKnockedOut(m))
            continue;
        const BattleMember& record = party.members[m];
        const bool side = record.x <= kCornerNear || record.x + 32.0f >= kCornerFar;
        const bool end = record.y <= kCornerTop || record.y + 32.0f >= kCornerBottom;
        if (side && end) {
            flags[m] = 1;
            ++count;
        }
    }
    return count;
}

bool CanMemberBeTargeted(int member)
{
    const BattleMember& record = TheCharacter->members[member];
    return !Invincible::IsSet(record.state) && !record.HasEffect(EFFECT_HARDENING);
}

bool AnyMemberHasBoost()
{
    const CCharacter& party = *TheCharacter;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (!party.IsKnockedOut(m) && (party.members[m].effectBits & kBoostBits) != 0)
            return true;
    return false;
}

int GetMemberSpecialCode(int member)
{
    const CCharacter& party = *TheCharacter;
    const int code = party.specialCode[member];
    const BattleMember& record = party.members[member];
    const bool holds = (code != 15 || (record.effectBits & kAilmentBits) != 0) &&
                       (code != 20 || party.hp[member] == party.maxHp[member]) &&
                       (code != 21 || (party.maxHp[member] > 0 &&
                                       static_cast<long long>(party.hp[member]) * 100 / party.maxHp[member] < 25)) &&
                       (code != 35 || !DamagedByHit::IsSet(record.flags2));
    return holds ? code : 0;
}

std::uint32_t RollOnHitStatus(int code)
{
    const int chance = OnHitChance(code);
    if (chance == 0 || GameRandom() >= chance)
        return 0;
    if (code == 13)
        return 1u << (FIRST_AILMENT_EFFECT + (GameRandom() * 12 >> 15));
    if (code == 33)
        return 1u << 11;
    return 1u << (code + 4);
}

std::uint32_t RollMemberFlagChance(int)
{
    if (GameRandom() >= kFlagChance)
        return 0;
    return 1u << (FIRST_AILMENT_EFFECT + (GameRandom() * 14 >> 15));
}

bool MarkMembersLackingFlags(std::uint32_t bits, std::uint8_t marks[3])
{
    const CCharacter& party = *TheCharacter;
    bool any = false;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const BattleMember& record = party.members[m];
        const std::uint32_t held = record.effectBits | record.immuneEffects;
        marks[m] = marks[m] != 0 && !party.IsKnockedOut(m) && (held & bits) != bits ? 1 : 0;
        any = any || marks[m] != 0;
    }
    return any;
}

void ApplyMemberElementSpecial(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    const int code = party.specialCode[member];
    GuardDirections::Set(record.flags2, static_cast<std::uint32_t>(GetCommandDirectionBits(code)));
    record.guardFactor = GetElementBoostFactor(code);
}

void SetBattleItemCounter(int value, bool absolute)
{
    CCharacter& party = *TheCharacter;
    const int count = absolute ? value : static_cast<int>(ItemUsesLeft::Get(party.partyWordD)) + value;
    ItemUsesLeft::Set(party.partyWordD, static_cast<std::uint32_t>(count & 7));
    // The command menu's remaining-count box shows the new count.
    if (TheBattleMenu != nullptr)
        TheBattleMenu->SetBattleMenuDigit(count & 7);
}

std::uint32_t GetMemberInitFlags(int member)
{
    std::uint32_t flags = (TheCharacter->abilityBits[member] & kImmunityAbilityBits) << FIRST_AILMENT_EFFECT;
    if (member != 2)
        flags |= 1u << EFFECT_MAGIC_SEAL;
    return flags;
}

void RollMemberSpecial34(int member)
{
    CCharacter& party = *TheCharacter;
    QuickMagic::Set(party.members[member].flags2,
                    party.specialCode[member] == QUICK_MAGIC_SPECIAL && GameRandom() < QUICK_MAGIC_CHANCE ? 1u : 0u);
}

void RollBattleStartBoost(int member)
{
    const int effect = GameRandom() * kBoostCount >> 15;
    const int level = effect <= EFFECT_DEFENCE_UP ? RandomBoostLevel() : 0;
    ApplyHitStatusEffects(TheCharacter->members[member], EFFECT_SIDE_PARTY, member, effect, level);
}
