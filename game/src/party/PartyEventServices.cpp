
#include <algorithm>

#include "core/Parts.h"
#include "field/FieldServices.h"
#include "party/Character.h"
#include "party/PartyServices.h"

namespace {

constexpr int kFifth = -1;
constexpr int kDownToOne = -2;
constexpr std::uint32_t kWholeMaximumBit = 1u << 14;

} // namespace

bool DamagePartyNonLethal(int amount)
{
    const bool whole = TheMap != nullptr && TheMap->HasMap() && (TheMap->FlagsB() & kWholeMaximumBit) != 0;
    std::int64_t damage[PARTY_MEMBER_COUNT];
    bool allFall = true;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const std::int64_t hp = TheCharacter->hp[m];
        const std::int64_t maximum = TheCharacter->maxHp[m];
        if (amount == kFifth)
            damage[m] = whole ? maximum : (maximum + 4) / 5;
        else
            damage[m] = amount == kDownToOne ? hp - 1 : amount;
        // A negative amount heals nobody, and a member already down loses nothing.
        damage[m] = std::max<std::int64_t>(damage[m], 0);
        allFall = allFall && hp <= damage[m];
    }
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const std::int64_t hp = TheCharacter->hp[m];
        const std::int64_t loss = allFall ? hp : std::min(damage[m], hp - 1);
        if (loss > 0)
            SetMemberHP(m, static_cast<std::int32_t>(-loss), false);
    }
    return !allFall;
}

void AddPartyRecovery(int kind, int amount)
{
    const auto step = [amount](std::int64_t value, std::int64_t maximum) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(maximum - value, 0, std::max(amount, 0)));
    };
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (kind == 0 && step(TheCharacter->hp[m], TheCharacter->maxHp[m]) != 0) {
            SetMemberHP(m, step(TheCharacter->hp[m], TheCharacter->maxHp[m]), false);
            // A member given HP back stands again rather than fighting on at 0.
            KnockedOut::Clear(TheCharacter->members[m].state);
        }
        if (kind == 1 && step(TheCharacter->sp[m], TheCharacter->maxSp[m]) != 0)
            SetMemberMP(m, step(TheCharacter->sp[m], TheCharacter->maxSp[m]), false);
    }
    for (int k = 0; kind == 2 && k < STOCK_COUNT; ++k)
        if (step(TheCharacter->stock[k], TheCharacter->stockMax[k]) != 0)
            SetPartyStock(k, step(TheCharacter->stock[k], TheCharacter->stockMax[k]), false);
}

int GetMaxEquipLevel()
{
    int highest = TheCharacter->statsA[0][0];
    for (int m = 1; m < PARTY_MEMBER_COUNT; ++m)
        highest = std::max<int>(highest, TheCharacter->statsA[m][0]);
    return highest;
}
