// The comparison beside the candidate list: the member's figures now, an
// arrow, and the figures with the candidate coloured by how they change.
// Weapons compare one stat, SP and 体力; armour three stats and accessories
// four, then 体力 and the four colour levels as percentages.
#include <algorithm>

#include "battle/BattleServices.h"
#include "core/EquipmentRows.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MenuEquipTables.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"

namespace {

constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kTextNearer = 0.001f;
constexpr float kCell = 12.0f;
constexpr int kFigureCells = 4;
constexpr float kCurrentColumn = 56.0f;
constexpr float kArrowColumn = 116.0f;
constexpr float kNewColumn = 150.0f;
constexpr float kPercentShift = 36.0f; // from a figure column's left edge
constexpr char16_t kArrows[] = u"→\n→\n→\n→\n→\n→\n→\n→\n→";
constexpr char16_t kPercents[] = u"%\n%\n%\n%";
constexpr int kWeaponArrowChars = 5;
constexpr char16_t kStamina[] = u"体力";

// Where a comparison's texts start: 10 pixels inside its window, just in front of it.
struct Origin {
    float x, y, z;
};

Origin OriginOf(int window)
{
    const auto& rect = TheFixedWindowSet->windowRects[window];
    return {rect.left + kInset, rect.top + kInset, WindowDepth(window) - kTextNearer};
}

// A figure right-aligned in four 12-pixel cells.
bool Figure(float column, float y, float z, std::uint32_t colour, const char16_t* text, int length, int line)
{
    return DrawMenuText(column + static_cast<float>(kFigureCells - length) * kCell, y, z, colour, text, length, line);
}

// A colour level's percentage, right-aligned so that it and the sign after it fill the cells.
bool Percentage(float column, float y, float z, std::uint32_t colour, int level, int line)
{
    const char16_t* text = ColorLevelTable[std::clamp(level, 0, MENU_COLOR_LEVEL_COUNT - 1)];
    const int length = MenuTextLength(text);
    return DrawMenuText(column + static_cast<float>(kFigureCells - (length + 1)) * kCell, y, z, colour, text, length,
                        line);
}

std::uint32_t ChangeColour(int change)
{
    return ChangeColorTable[std::clamp(change, 0, 2)];
}

} // namespace

void CMapMenu::DrawWeaponComparison(int window, int member, int candidate, bool unchanged)
{
    if (member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    const Origin at = OriginOf(window);
    const int stat = member == 2 ? EQUIP_STAT_MAGIC : EQUIP_STAT_ATTACK;
    // Labels, then the current figures.
    if (!DrawMenuText(at.x, at.y, at.z, MENU_TEXT_WHITE, EquipStatLabelTable[stat], 2, __LINE__) ||
        !DrawMenuText(at.x, at.y + kRow, at.z, MENU_TEXT_WHITE, u"SP", 2, __LINE__) ||
        !DrawMenuText(at.x, at.y + 2.0f * kRow, at.z, MENU_TEXT_WHITE, kStamina, 2, __LINE__))
        return;
    float y = at.y;
    if (!DrawWeaponUnchangedColumn(window, member, candidate, y, at.x + kCurrentColumn, stat))
        return;
    if (!DrawMenuText(at.x + kArrowColumn, at.y, at.z, MENU_TEXT_WHITE, kArrows, kWeaponArrowChars, __LINE__, kRow))
        return;
    // The new figures: the candidate's, or the current ones again when nothing can change.
    const float column = at.x + kNewColumn;
    if (unchanged) {
        y = at.y;
        DrawWeaponUnchangedColumn(window, member, candidate, y, column, stat);
        return;
    }
    const EquipPreview& preview = equipPreview;
    Figure(column, at.y, at.z, ChangeColour(preview.statChange[stat]), preview.statText[stat], preview.statLength[stat],
           __LINE__) &&
        Figure(column, at.y + kRow, at.z, ChangeColour(preview.spChange), preview.spText, preview.spLength, __LINE__) &&
        Figure(column, at.y + 2.0f * kRow, at.z, ChangeColour(preview.staminaChange), preview.staminaText,
               preview.staminaLength, __LINE__);
}

bool CMapMenu::DrawWeaponUnchangedColumn(int window, int member, int /*candidate*/, float& y, float columnX, int stat)
{
    const float z = OriginOf(window).z;
    const CBattleBackground& panel = *TheBattleBackground;
    const struct {
        const char16_t* text;
        int length;
    } figures[3] = {
        {panel.HudStatTextB[member][stat], panel.HudStatDigitsB[member][stat]},
        {panel.HudMaxSpText[member], panel.HudMaxSpDigits[member]},
        {panel.HudMaxStText[member], panel.HudMaxStDigits[member]},
    };
    for (const auto& figure : figures) {
        if (!Figure(columnX, y, z, MENU_TEXT_WHITE, figure.text, figure.length, __LINE__))
            return false;
        y += kRow;
    }
    return true;
}

void CMapMenu::DrawArmorComparison(int window, int member, int kind, int /*candidate*/)
{
    if (member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    const Origin at = OriginOf(window);
    const CBattleBackground& panel = *TheBattleBackground;
    const EquipPreview& preview = equipPreview;
    // Armour leaves out the stat its wearer does not fight with.
    const int leftOut = kind == EQUIP_ARMOR ? (member == 2 ? EQUIP_STAT_ATTACK : EQUIP_STAT_MAGIC) : -1;
    int shown[EQUIP_STAT_COUNT];
    int stats = 0;
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        if (s != leftOut)
            shown[stats++] = s;
    const int rows = stats + 1 + EQUIP_COLOUR_COUNT;
    auto rowY = [&](int row) { return at.y + kRow * static_cast<float>(row); };
    const float current = at.x + kCurrentColumn;
    const float next = at.x + kNewColumn;

    // 2.-3. Labels and the current figures.
    for (int r = 0; r < stats; ++r) {
        const int s = shown[r];
        if (!DrawMenuText(at.x, rowY(r), at.z, MENU_TEXT_WHITE, EquipStatLabelTable[s], 2, __LINE__) ||
            !Figure(current, rowY(r), at.z, MENU_TEXT_WHITE, panel.HudStatTextB[member][s],
                    panel.HudStatDigitsB[member][s], __LINE__))
            return;
    }
    if (!DrawMenuText(at.x, rowY(stats), at.z, MENU_TEXT_WHITE, kStamina, 2, __LINE__) ||
        !Figure(current, rowY(stats), at.z, MENU_TEXT_WHITE, panel.HudMaxStText[member], panel.HudMaxStDigits[member],
                __LINE__))
        return;
    const int firstColour = stats + 1;
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c) {
        const float y = rowY(firstColour + c);
        if (!DrawMenuText(at.x, y, at.z, ColorMarkTable[c].colour, ColorMarkTable[c].name, 1, __LINE__) ||
            !Percentage(current, y, at.z, MENU_TEXT_WHITE, TheCharacter->elementLevel[member][c], __LINE__))
            return;
    }
    if (!DrawMenuText(current + kPercentShift, rowY(firstColour), at.z, MENU_TEXT_WHITE, kPercents,
                      MenuTextLength(kPercents), __LINE__, kRow))
        return;
    if (!DrawMenuText(at.x + kArrowColumn, at.y, at.z, MENU_TEXT_WHITE, kArrows, 2 * rows - 1, __LINE__, kRow))
        return;
    // The figures with the candidate.
    for (int r = 0; r < stats; ++r) {
        const int s = shown[r];
        if (!Figure(next, rowY(r), at.z, ChangeColour(preview.statChange[s]), preview.statText[s],
                    preview.statLength[s], __LINE__))
            return;
    }
    if (!Figure(next, rowY(stats), at.z, ChangeColour(preview.staminaChange), preview.staminaText,
                preview.staminaLength, __LINE__))
        return;
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c)
        if (!Percentage(next, rowY(firstColour + c), at.z, ChangeColour(preview.colourChange[c]),
                        preview.colourLevel[c], __LINE__))
            return;
    DrawMenuText(next + kPercentShift, rowY(firstColour), at.z, MENU_TEXT_WHITE, kPercents, MenuTextLength(kPercents),
                 __LINE__, kRow);
}
