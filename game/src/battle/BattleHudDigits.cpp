// The status panel's digit strings: each party number, capped, split into
// decimal digits once as it changes; the widths the field's status windows
// take from the members' maximum HP and the stocks' maxima.
#include <algorithm>

#include "battle/BattleBackground.h"
#include "core/Parts.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kHpCap = 99999;
constexpr int kGaugeCap = 255;
constexpr int kHitCap = 999;
constexpr int kExpCap = 1000;
constexpr std::uint32_t kMoneyCap = 99999999;
constexpr int kStatCap = 9999;
constexpr int kNarrowestColumn = 3;

bool IsMember(int member)
{
    return member >= 0 && member < HUD_MEMBERS;
}

std::uint32_t Capped(int value, int cap)
{
    return static_cast<std::uint32_t>(std::clamp(value, 0, cap));
}

} // namespace

std::int8_t CBattleBackground::SplitDigits(std::uint32_t value, char16_t* out)
{
    int count = 1;
    std::uint64_t power = 10;
    while (power <= value) {
        ++count;
        power *= 10;
    }
    for (int k = 0; k < count; ++k) {
        out[k] = static_cast<char16_t>(u'0' + (value % power) / (power / 10));
        power /= 10;
    }
    out[count] = 0;
    return static_cast<std::int8_t>(count);
}

void CBattleBackground::SetHudHp(int member, int value)
{
    if (IsMember(member))
        HudHpDigits[member] = SplitDigits(Capped(value, kHpCap), HudHpText[member]);
}

// The column's width follows the maximum HP; the field's status windows are
// laid out again only when the widest column, or this member's, changes.
void CBattleBackground::SetHudMaxHp(int member, int value)
{
    if (!IsMember(member))
        return;
    HudMaxHpDigits[member] = SplitDigits(Capped(value, kHpCap), HudMaxHpText[member]);
    HudColumnWidth[member] = std::max<std::int8_t>(kNarrowestColumn, HudMaxHpDigits[member]);
    if (TheGameData == nullptr)
        return;
    const std::int8_t widest = std::max({HudColumnWidth[0], HudColumnWidth[1], HudColumnWidth[2]});
    if (widest != TheGameData->hpDigits) {
        TheGameData->hpDigits = widest;
        TheGameData->LayoutHudWindows(0);
    }
    if (HudColumnWidth[member] != TheGameData->statusDigits[member]) {
        TheGameData->statusDigits[member] = HudColumnWidth[member];
        TheGameData->LayoutHudWindows(1);
    }
}

void CBattleBackground::SetHudSp(int member, int value)
{
    if (IsMember(member))
        HudSpDigits[member] = SplitDigits(Capped(value, kGaugeCap), HudSpText[member]);
}

void CBattleBackground::SetHudMaxSp(int member, int value)
{
    if (IsMember(member))
        HudMaxSpDigits[member] = SplitDigits(Capped(value, kGaugeCap), HudMaxSpText[member]);
}

void CBattleBackground::SetHudSt(int member, int value)
{
    if (IsMember(member))
        HudStDigits[member] = SplitDigits(Capped(value, kGaugeCap), HudStText[member]);
}

void CBattleBackground::SetHudMaxSt(int member, int value)
{
    if (IsMember(member))
        HudMaxStDigits[member] = SplitDigits(Capped(value, kGaugeCap), HudMaxStText[member]);
}

void CBattleBackground::SetHudColumnValue(int row, int value)
{
    if (row >= 0 && row < HUD_STOCKS)
        HudStockDigits[row] = SplitDigits(Capped(value, kGaugeCap), HudStockText[row]);
}

void CBattleBackground::SetHudColumnMaxima(const std::int16_t* maxima)
{
    std::int8_t widest = 0;
    for (int row = 0; row < HUD_STOCKS; ++row) {
        HudStockMaxDigits[row] = SplitDigits(Capped(maxima[row], kGaugeCap), HudStockMaxText[row]);
        widest = std::max(widest, HudStockMaxDigits[row]);
    }
    if (TheGameData != nullptr && widest != TheGameData->columnDigits)
        TheGameData->LayoutHudColumnWindows(widest);
}

void CBattleBackground::SetHudHitCount(int value)
{
    HudHitDigits = SplitDigits(Capped(value, kHitCap), HudHitText);
}

void CBattleBackground::SetHudLevel(int member, int value)
{
    if (IsMember(member))
        HudLevelDigits[member] = SplitDigits(Capped(value, kGaugeCap), HudLevelText[member]);
}

void CBattleBackground::SetHudExp(int member, int value)
{
    if (IsMember(member))
        HudExpDigits[member] = SplitDigits(Capped(value, kExpCap), HudExpText[member]);
}

void CBattleBackground::SetHudGold(std::uint32_t value)
{
    HudMoneyDigits = SplitDigits(std::min(value, kMoneyCap), HudMoneyText);
}

void CBattleBackground::SetHudMemberValueA(int member, int stat, int value)
{
    if (IsMember(member) && stat >= 0 && stat < HUD_STATS)
        HudStatDigitsA[member][stat] = SplitDigits(Capped(value, kStatCap), HudStatTextA[member][stat]);
}

void CBattleBackground::SetHudMemberValueB(int member, int stat, int value)
{
    if (IsMember(member) && stat >= 0 && stat < HUD_STATS)
        HudStatDigitsB[member][stat] = SplitDigits(Capped(value, kStatCap), HudStatTextB[member][stat]);
}
