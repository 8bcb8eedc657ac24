// The party's setters: every change of a party number goes through one of
// these, which clamp it, keep the HP percentage and tell the status panel.
#include "battle/BattleServices.h"
#include "party/Character.h"
#include "party/Equipment.h"
#include "party/PartyOptions.h"

namespace {

constexpr std::int16_t kStThreshold[PARTY_MEMBER_COUNT] = {10, 15, 5};

bool ValidMember(int member)
{
    return TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT;
}

std::int64_t Clamp(std::int64_t value, std::int64_t highest)
{
    return value < 0 ? 0 : value > highest ? highest : value;
}

std::uint8_t Percent(std::int64_t value, std::int64_t maximum)
{
    return static_cast<std::uint8_t>(maximum <= 0 ? 100 : value * 100 / maximum);
}

// The panel is told when there is one (not in every test world).
CBattleBackground* Panel()
{
    return TheBattleBackground;
}

// SP, ST and stocks are 16-bit fields: the sum is taken wide and clamped,
// so a large change cannot wrap round into the range.
std::int64_t Sum(std::int64_t current, std::int64_t value, bool set)
{
    return set ? value : current + value;
}

} // namespace

void SetMemberHP(int member, std::int32_t value, bool set)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    party.hp[member] =
        static_cast<std::int32_t>(Clamp(set ? value : std::int64_t{party.hp[member]} + value, party.maxHp[member]));
    party.hpPercent[member] = Percent(party.hp[member], party.maxHp[member]);
    if (Panel() != nullptr)
        Panel()->SetHudHp(member, party.hp[member]);
}

void SetMemberMaxHP(int member, std::int32_t value, std::uint32_t abilityBits)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    party.baseMaxHp[member] = value;
    std::int64_t scaled = value;
    const bool raise = (abilityBits & (1u << 25)) != 0;
    const bool lower = (abilityBits & (1u << 26)) != 0;
    if (raise && !lower)
        scaled = static_cast<std::int64_t>(static_cast<float>(value) * 1.25f);
    else if (lower && !raise)
        scaled = static_cast<std::int64_t>(static_cast<float>(value) * 0.8f);
    party.maxHp[member] = static_cast<std::int32_t>(Clamp(scaled, PARTY_MAX_HP));
    if (Panel() != nullptr)
        Panel()->SetHudMaxHp(member, party.maxHp[member]);
    if (party.maxHp[member] < party.hp[member])
        SetMemberHP(member, party.maxHp[member], true);
    party.hpPercent[member] = Percent(party.hp[member], party.maxHp[member]);
}

void SetMemberMP(int member, std::int32_t value, bool set)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    party.sp[member] = static_cast<std::int16_t>(Clamp(Sum(party.sp[member], value, set), party.maxSp[member]));
    if (Panel() != nullptr)
        Panel()->SetHudSp(member, party.sp[member]);
}

void SetMemberMaxMP(int member, std::int32_t value)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    party.maxSp[member] = static_cast<std::int16_t>(Clamp(value, 255));
    if (Panel() != nullptr)
        Panel()->SetHudMaxSp(member, party.maxSp[member]);
    if (party.maxSp[member] < party.sp[member])
        SetMemberMP(member, party.maxSp[member], true);
}

void SetMemberGauge(int member, std::int32_t value, bool event, bool set)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    const std::int64_t st = party.st[member];
    if (event && !set) {
        const std::int64_t threshold = kStThreshold[member];
        if (st < party.maxSt[member] && st + value >= party.maxSt[member]) {
            GaugeEvent::Set(record.flags, 1);
            FlashCounter::Clear(record.flags);
        } else if (value < 0 && st + value < threshold && st >= threshold) {
            GaugeEvent::Set(record.flags, 2);
            FlashCounter::Clear(record.flags);
            StFullSinceAction::Clear(record.flags2);
        }
    }
    party.st[member] = static_cast<std::int16_t>(Clamp(Sum(st, value, set), party.maxSt[member]));
    if (Panel() != nullptr)
        Panel()->SetHudSt(member, party.st[member]);
}

void SetMemberMaxGauge(int member, std::int32_t value)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    party.maxSt[member] = static_cast<std::int16_t>(Clamp(value, 255));
    if (Panel() != nullptr)
        Panel()->SetHudMaxSt(member, party.maxSt[member]);
    SetMemberGauge(member, party.maxSt[member], false, true);
}

void SetPartyStock(int kind, std::int32_t value, bool set)
{
    if (TheCharacter == nullptr || kind < 0 || kind >= STOCK_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    party.stock[kind] = static_cast<std::int16_t>(Clamp(Sum(party.stock[kind], value, set), party.stockMax[kind]));
    if (Panel() != nullptr)
        Panel()->SetHudColumnValue(kind, party.stock[kind]);
}

void SetPartyStockMax(const std::uint8_t maxima[STOCK_COUNT])
{
    if (TheCharacter == nullptr || maxima == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    for (int k = 0; k < STOCK_COUNT; ++k) {
        party.stockMax[k] = maxima[k];
        if (party.stock[k] > party.stockMax[k])
            SetPartyStock(k, party.stockMax[k], true);
    }
    if (Panel() != nullptr)
        Panel()->SetHudColumnMaxima(party.stockMax);
    RefreshMagicUsable();
}

void SetMemberSlotA(int member, int index, int value, bool refresh)
{
    if (!ValidMember(member) || index < 0 || index >= 4)
        return;
    TheCharacter->statsA[member][index] = static_cast<std::int16_t>(value);
    if (Panel() != nullptr)
        Panel()->SetHudMemberValueA(member, index, static_cast<std::uint16_t>(value));
    // Re-equipping what the member wears makes the derived stats follow.
    if (refresh)
        SetMemberEquipAndRefresh(member);
}

void SetMemberSlotB(int member, int index, int value)
{
    if (!ValidMember(member) || index < 0 || index >= 4)
        return;
    TheCharacter->statsB[member][index] = static_cast<std::int16_t>(value);
    if (Panel() != nullptr)
        Panel()->SetHudMemberValueB(member, index, static_cast<std::uint16_t>(value));
}

void SetMoney(std::int64_t value, bool set)
{
    if (TheCharacter == nullptr)
        return;
    const std::int64_t money = set ? value : static_cast<std::int64_t>(TheCharacter->money) + value;
    TheCharacter->money = static_cast<std::uint32_t>(Clamp(money, PARTY_MAX_MONEY));
    if (Panel() != nullptr)
        Panel()->SetHudGold(TheCharacter->money);
}
