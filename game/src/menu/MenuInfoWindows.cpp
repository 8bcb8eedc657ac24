// The information menu's five rows and a member's status window: level,
// HP, SP and experience, the four stats with and without equipment, 体力
// and the four colour levels, all figures right-aligned in 12-pixel cells.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kInfoWindow = 18;
constexpr int kStatusWindow = 19;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kTextNearer = 0.001f;
constexpr float kActiveDepth = 0.298f;
constexpr float kDimmedDepth = 0.398f;
constexpr float kStatusDepth = 0.295f;

// The status window's columns, from its text origin.
constexpr float kNameArea = 212.0f;
constexpr float kFullWidth = 22.0f;
constexpr float kCell = 12.0f;
constexpr int kColumnCells = 5;
constexpr float kFirstColumn = 12.0f + 44.0f;
constexpr float kSlashX = 128.0f;
constexpr float kSecondColumn = 152.0f;
constexpr float kExpLimitX = 164.0f;

constexpr const char16_t* kStatLabels[4] = {u"攻撃", u"魔攻", u"防御", u"魔防"};
constexpr char16_t kSlashes[] = u"/\n/\n/\n/\n/\n/";
constexpr int kSlashesShown = 5; // three slashes on three rows

// A panel text's digit count, kept within its buffer.
int Digits(int count, int capacity)
{
    return std::clamp(count, 0, capacity - 1);
}

// A figure of `length` digits ending where a column of five cells ends.
float RightAligned(float column, int length)
{
    return column + static_cast<float>(kColumnCells - length) * kCell;
}

} // namespace

void CMapMenu::DrawInfoMenuWindow()
{
    const bool active = mode == MenuInfo;
    const float depth = active ? kActiveDepth : kDimmedDepth;
    TheFixedWindowSet->DrawFixedWindowAtDepth(kInfoWindow, active ? 0 : 1, depth);
    const auto& rect = TheFixedWindowSet->windowRects[kInfoWindow];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    const float z = depth - kTextNearer;
    const std::uint32_t named = active ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    for (int m = 0; m < MEMBER_NAME_COUNT; ++m)
        if (!DrawMenuText(x, y + kRow * static_cast<float>(m), z, named, MemberNameTable[m], MEMBER_NAME_LENGTH,
                          __LINE__))
            return;
    // "敵" can be chosen only once an enemy is known.
    const bool known = TheGameData->enemyListCount > 0;
    const std::uint32_t enemies =
        active ? (known ? MENU_TEXT_WHITE : MENU_TEXT_GREY) : (known ? MENU_TEXT_GREY : MENU_TEXT_DARK_GREY);
    if (DrawMenuText(x, y + 3.0f * kRow, z, enemies, u"敵", 1, __LINE__))
        DrawMenuText(x, y + 4.0f * kRow, z, named, u"総合", 2, __LINE__);
}

void CMapMenu::DrawMemberStatusWindow(int member)
{
    if (member < 0 || member >= MEMBER_NAME_COUNT)
        return;
    TheFixedWindowSet->DrawFixedWindow(kStatusWindow, 0);
    const auto& rect = TheFixedWindowSet->windowRects[kStatusWindow];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    const float z = kStatusDepth;
    const CBattleBackground& panel = *TheBattleBackground;
    auto row = [&](int n) { return y + kRow * static_cast<float>(n); };
    auto text = [&](float at, int rowIndex, const char16_t* what, int length, float advance = 0.0f) {
        return DrawMenuText(x + at, row(rowIndex), z, MENU_TEXT_WHITE, what, length, __LINE__, advance);
    };
    auto figure = [&](float column, int rowIndex, const char16_t* digits, int count, int capacity) {
        const int length = Digits(count, capacity);
        return DrawMenuText(x + RightAligned(column, length), row(rowIndex), z, MENU_TEXT_WHITE, digits, length,
                            __LINE__);
    };

    const float nameX = static_cast<float>(static_cast<int>((kNameArea - kFullWidth * 3.0f) / 2.0f));
    if (!text(nameX, 0, MemberNameTable[member], MEMBER_NAME_LENGTH) || !text(0.0f, 1, u"Lv\nHP", 5, kRow) ||
        !figure(kFirstColumn, 1, panel.HudLevelText[member], panel.HudLevelDigits[member], 4) ||
        !figure(kFirstColumn, 2, panel.HudHpText[member], panel.HudHpDigits[member], 8) ||
        !text(kSlashX, 2, kSlashes, kSlashesShown, kRow) ||
        !figure(kSecondColumn, 2, panel.HudMaxHpText[member], panel.HudMaxHpDigits[member], 6) ||
        !text(0.0f, 3, u"SP", 2) || !figure(kFirstColumn, 3, panel.HudSpText[member], panel.HudSpDigits[member], 6) ||
        !figure(kSecondColumn, 3, panel.HudMaxSpText[member], panel.HudMaxSpDigits[member], 6) ||
        !text(0.0f, 4, u"EXP", 3) ||
        !figure(kFirstColumn, 4, panel.HudExpText[member], panel.HudExpDigits[member], 5) ||
        !text(kExpLimitX, 4, u"1000", 4))
        return;
    for (int s = 0; s < 4; ++s) {
        const int r = 5 + s;
        if (!text(0.0f, r, kStatLabels[s], 2) ||
            !figure(kFirstColumn, r, panel.HudStatTextA[member][s], panel.HudStatDigitsA[member][s], 5) ||
            !figure(kSecondColumn, r, panel.HudStatTextB[member][s], panel.HudStatDigitsB[member][s], 5))
            return;
    }
    if (!text(0.0f, 9, u"体力", 2) || !figure(kFirstColumn, 9, panel.HudStText[member], panel.HudStDigits[member], 4))
        return;
    for (int c = 0; c < MENU_COLOR_MARK_COUNT; ++c) {
        const int r = 10 + c;
        // A level outside 0-7 would read past the table: it shows the nearest one.
        const int level = std::clamp(static_cast<int>(static_cast<std::int8_t>(TheCharacter->elementLevel[member][c])),
                                     0, MENU_COLOR_LEVEL_COUNT - 1);
        const char16_t* percent = ColorLevelTable[level];
        const int length = MenuTextLength(percent);
        const float at = RightAligned(kFirstColumn, length + 1);
        if (!DrawMenuText(x, row(r), z, ColorMarkTable[c].colour, ColorMarkTable[c].name, 1, __LINE__) ||
            !text(at, r, percent, length) || !text(at + kCell * static_cast<float>(length), r, u"%", 1))
            return;
    }
}
