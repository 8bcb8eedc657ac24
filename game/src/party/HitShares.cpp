#include "party/HitShares.h"

#include <cmath>

#include "core/Parts.h"
#include "core/Random.h"
#include "party/Character.h"

namespace {

constexpr double kShareByKind[2][PARTY_MEMBER_COUNT] = {{0.1, 0.1, 0.18}, {0.14, 0.11, 0.08}};
constexpr double kShareWhilePierced[PARTY_MEMBER_COUNT] = {0.2, 0.25, 0.3333333333333333};

constexpr int kLastRolledCode = 33;
constexpr int kStatusBitOffset = 4;
constexpr int kRandomAilmentCode = 13;
constexpr int kSealCode = 33;
constexpr std::uint32_t kSealBits = 2048;
constexpr int kFirstRandomAilment = 5;
constexpr int kRandomAilmentCount = 12;

// The roll a code's status needs to succeed (rand() below it); 0 never.
int RollLimit(int code)
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

} // namespace

std::int32_t ScaleMemberMaxHp(int member, int kind)
{
    const CCharacter& party = *TheCharacter;
    const double share =
        party.HasEffect(member, EFFECT_PIERCE) ? kShareWhilePierced[member] : kShareByKind[kind != 0 ? 1 : 0][member];
    return static_cast<std::int32_t>(std::ceil(party.maxHp[member] * share));
}

std::uint32_t RollOnHitStatus(int code)
{
    if (code < 1 || code > kLastRolledCode)
        return 0;
    const int limit = RollLimit(code);
    if (limit == 0 || GameRandom() >= limit)
        return 0;
    if (code == kRandomAilmentCode)
        return 1u << (kFirstRandomAilment + GameRandom() * kRandomAilmentCount / 32768);
    if (code == kSealCode)
        return kSealBits;
    return 1u << (code + kStatusBitOffset);
}
