// The result window of a won battle: the battle's experience, money and best
// hit combo, each member's level and experience with what it gains, the
// money with what it gains, and the items obtained.
#include <algorithm>

#include "battle/BattleBackground.h"
#include "battle/BattleMenu.h"
#include "core/EquipmentRows.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "BattleMenu";
constexpr int kMinResultDigits = 3;
constexpr int kMaxResultDigits = 6;
constexpr int kMinMoneyDigits = 4;
constexpr float kLargeDigitWidth = 15.0f;
constexpr float kTotalsColumn = 60.0f;
constexpr float kLargeLineAdvance = 34.0f;
constexpr float kTextDigitWidth = 8.0f;
constexpr float kItemNameColumn = 19.0f;
constexpr float kNarrowItemWidth = 128.0f;
constexpr float kWideItemWidth = 168.0f;
constexpr float kItemRowGap = 2.0f;
constexpr int kItemListMost = 8;
constexpr int kItemCategoryMost = 7;
constexpr int kEmptyCategory = 15;
constexpr int kGainedExpLength = 4;

// 1 plus the powers of ten not above the value.
int DecimalDigits(std::int64_t value)
{
    int digits = 1;
    for (std::int64_t power = 10; power <= value && digits < 19; power *= 10)
        ++digits;
    return digits;
}

int ObtainedCount()
{
    return std::min(static_cast<int>(GetBits(TheEnemyGroup->GroupBits, GROUP_DROP_LIST_LENGTH, 5)), kItemListMost);
}

bool DrawLarge(float x, float y, float z, const char16_t* text, int length, float lineAdvance, int line)
{
    const float position[3] = {x, y, z};
    if (BattleLargeTextTexture != nullptr &&
        BattleLargeTextTexture->DrawString(position, BATTLE_TEXT_BLACK, text, length, lineAdvance, TEXT_NO_WRAP,
                                           TEXT_WHOLE, 0))
        return true;
    REPORT_ERROR(kSource, line, ERROR_TEXTURE_LOAD);
    return false;
}

bool DrawSmall(float x, float y, float z, const char16_t* text, int length, int line)
{
    return CBattleMenu::DrawBattleMenuText(x, y, z, BATTLE_TEXT_BLACK, text, length, line);
}

// An obtained item's name from the table of its category: 0 the items,
// 1-3 the members' weapons, 4-6 their armour, 7 the accessories. False for
// a row its table does not hold.
bool ReadObtainedName(int category, int row, char16_t name[16], int& length)
{
    if (category == 0) {
        MenuItemRow item{};
        if (!ReadMenuItemRow(row, item))
            return false;
        std::copy(std::begin(item.name), std::end(item.name), name);
        length = item.nameLength;
        return true;
    }
    EquipmentRow piece{};
    if (!ReadEquipmentRow(category - 1, row, piece))
        return false;
    std::copy(std::begin(piece.name), std::end(piece.name), name);
    length = piece.nameLength;
    return true;
}

} // namespace

void CBattleMenu::PrepareBattleResult()
{
    CEnemyGroup& group = *TheEnemyGroup;
    CCharacter& party = *TheCharacter;
    group.ComputeBattleRewards();
    const std::int32_t exp = std::max(group.ExpTotal, 0);
    const std::int32_t money = std::max(group.MoneyTotal, 0);
    const std::int32_t hits = static_cast<std::int32_t>(BestCombo::Get(party.partyWordA));
    DistributeBattleRewards(static_cast<std::uint32_t>(exp));
    const int expDigits = DecimalDigits(exp);
    const int moneyDigits = DecimalDigits(money);
    const int hitDigits = DecimalDigits(hits);
    const int digits = std::max({expDigits, moneyDigits, hitDigits});
    SetBattleMoneyReward(static_cast<std::uint32_t>(money),
                         static_cast<std::int8_t>(std::max(moneyDigits, kMinMoneyDigits)));
    ResultDigits = static_cast<std::uint8_t>(std::clamp(digits, kMinResultDigits, kMaxResultDigits));
    FormatNumberRight(ExpText, exp, expDigits, ResultDigits);
    FormatNumberRight(GoldText, money, moneyDigits, ResultDigits);
    FormatNumberRight(HitText, hits, hitDigits, ResultDigits);

    CFixedWindowSet& frames = *TheFixedWindowSet;
    auto& totals = frames.cursorRects[BATTLE_FRAME_RESULT];
    totals.right = totals.left + ResultDigits * kLargeDigitWidth + kTotalsColumn;
    frames.SetCursorFrameRect(BATTLE_FRAME_RESULT);
    const int count = ObtainedCount();
    if (count == 0)
        return;
    auto& items = frames.cursorRects[BATTLE_FRAME_RESULT_ITEMS];
    const bool wide = (group.GroupBits & GROUP_DROP_RECORDED) != 0;
    items.right = items.left + kItemNameColumn + (wide ? kWideItemWidth : kNarrowItemWidth);
    items.bottom = items.top + count * BATTLE_MENU_ROW_HEIGHT - kItemRowGap;
    frames.SetCursorFrameRect(BATTLE_FRAME_RESULT_ITEMS);
}

void CBattleMenu::DrawBattleResult()
{
    CFixedWindowSet& frames = *TheFixedWindowSet;
    const int count = ObtainedCount();
    frames.DrawCursorFrame(BATTLE_FRAME_RESULT, BATTLE_WINDOW_ACTIVE);
    frames.DrawCursorFrame(BATTLE_FRAME_RESULT_MEMBERS, BATTLE_WINDOW_ACTIVE);
    if (count != 0)
        frames.DrawCursorFrame(BATTLE_FRAME_RESULT_ITEMS, BATTLE_WINDOW_ACTIVE);

    // The battle's totals in large digits.
    const auto& totals = frames.cursorRects[BATTLE_FRAME_RESULT];
    const float z = BATTLE_MENU_DEPTH_BACK;
    const float x = totals.left + kTotalsColumn;
    if (!DrawLarge(totals.left, totals.top, z, u"EXP\nG\nHIT", TEXT_WHOLE, kLargeLineAdvance, __LINE__) ||
        !DrawLarge(x, totals.top, z, ExpText, ResultDigits, 0.0f, __LINE__) ||
        !DrawLarge(x, totals.top + kLargeLineAdvance, z, GoldText, ResultDigits, 0.0f, __LINE__) ||
        !DrawLarge(x, totals.top + 2 * kLargeLineAdvance, z, HitText, ResultDigits, 0.0f, __LINE__))
        return;

    // Each member's level and experience with what it gains.
    const CCharacter& party = *TheCharacter;
    const CBattleBackground& panel = *TheBattleBackground;
    const auto& members = frames.cursorRects[BATTLE_FRAME_RESULT_MEMBERS];
    float y = members.top;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m, y += BATTLE_MENU_ROW_HEIGHT) {
        const int levelDigits = panel.HudLevelDigits[m];
        const int expDigits = panel.HudExpDigits[m];
        float pen = members.left;
        if (!DrawSmall(pen, y, z, MemberNameTable[m], MEMBER_NAME_LENGTH, __LINE__))
            return;
        pen += 64.0f;
        if (!DrawSmall(pen, y, z, u"Lv", 2, __LINE__))
            return;
        pen += (3 - levelDigits) * kTextDigitWidth + 24.0f;
        if (!DrawSmall(pen, y, z, panel.HudLevelText[m], levelDigits, __LINE__))
            return;
        pen += levelDigits * kTextDigitWidth + 16.0f;
        if (!DrawSmall(pen, y, z, u"EXP", 3, __LINE__))
            return;
        pen += (4 - expDigits) * kTextDigitWidth + 32.0f;
        if (!DrawSmall(pen, y, z, panel.HudExpText[m], expDigits, __LINE__))
            return;
        pen += expDigits * kTextDigitWidth + 8.0f;
        if (!DrawSmall(pen, y, z, u"+", 1, __LINE__))
            return;
        pen += 16.0f;
        if (!DrawSmall(pen, y, z, party.expText[m], kGainedExpLength, __LINE__))
            return;
    }

    // The money with what it gains, right-aligned in the window.
    const int moneyDigits = panel.HudMoneyDigits;
    const int width = std::max(moneyDigits, kMinMoneyDigits);
    const int gainedLength = static_cast<int>(MoneyTextWidth::Get(party.partyWordE));
    const float moneyY = y + 4.0f; // under the third member line
    float pen = members.right - ((gainedLength + 3 + width) * kTextDigitWidth + 16.0f);
    if (!DrawSmall(pen, moneyY, z, u"G", 1, __LINE__))
        return;
    pen += (width - moneyDigits) * kTextDigitWidth + 16.0f;
    if (!DrawSmall(pen, moneyY, z, panel.HudMoneyText, moneyDigits, __LINE__))
        return;
    pen += moneyDigits * kTextDigitWidth + 8.0f;
    if (!DrawSmall(pen, moneyY, z, u"+", 1, __LINE__))
        return;
    pen += 16.0f;
    if (!DrawSmall(pen, moneyY, z, party.moneyText, gainedLength, __LINE__))
        return;

    // The items obtained, a line each; an entry that names nothing draws none.
    const CEnemyGroup& group = *TheEnemyGroup;
    const auto& list = frames.cursorRects[BATTLE_FRAME_RESULT_ITEMS];
    for (int i = 0; i < count; ++i) {
        const int category = group.DropItemCategory(i);
        const int quantity = group.DropItemCount(i);
        char16_t name[16] = {};
        int nameLength = 0;
        if (category == kEmptyCategory || category > kItemCategoryMost || quantity == 0 ||
            !ReadObtainedName(category, group.DropItemId(i), name, nameLength))
            continue;
        const float lineY = list.top + i * BATTLE_MENU_ROW_HEIGHT;
        float itemX = list.left;
        DrawMenuIconAt(category, itemX, lineY, z, BATTLE_TEXT_WHITE);
        itemX += kItemNameColumn;
        if (!DrawSmall(itemX, lineY, z, name, nameLength, __LINE__))
            return;
        if (quantity <= 1)
            continue;
        itemX += 136.0f;
        if (!DrawSmall(itemX, lineY, z, u"×", 1, __LINE__))
            return;
        itemX += 24.0f;
        // Up to 15 of one item: two digits from 10.
        const char16_t digits[3] = {static_cast<char16_t>(u'0' + quantity / 10),
                                    static_cast<char16_t>(u'0' + quantity % 10), 0};
        if (!DrawSmall(itemX, lineY, z, quantity >= 10 ? digits : digits + 1, quantity >= 10 ? 2 : 1, __LINE__))
            return;
    }
}
