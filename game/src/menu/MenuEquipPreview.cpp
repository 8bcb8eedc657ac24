// The candidate list of the equipment page and the preview of the piece
// under its cursor: the member's figures as they would be, each marked by
// whether it rises, stays or falls.
#include <algorithm>

#include "core/EquipmentRows.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuLayoutRules.h"
#include "menu/MenuNumberTexts.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextOrigins.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kRowsPerPage = 10;
constexpr int kListWindow = 10;     // the last page; 11 the others
constexpr int kFullListWindow = 11; //
constexpr int kStatDigitsMost = 9999;
constexpr int kSmallFigureMost = 999;

// The game data's list of an equipment category.
int ListCategory(int category)
{
    if (category < EQUIP_CATEGORY_ARMOR)
        return ITEM_CATEGORY_WEAPON + category;
    if (category < EQUIP_CATEGORY_ACCESSORY)
        return ITEM_CATEGORY_ARMOR + category - EQUIP_CATEGORY_ARMOR;
    return ITEM_CATEGORY_ACCESSORY;
}

// Armour and accessory lists end with a row for wearing nothing.
int EquipListCount(int category)
{
    const int listed = TheGameData->categoryListCount[ListCategory(category)];
    return category < EQUIP_CATEGORY_ARMOR ? listed : listed + 1;
}

int Digits(int value, int most, char16_t* out)
{
    return FormatNumber(std::clamp(value, 0, most), out);
}

} // namespace

int CMapMenu::CompareStatValue(int current, int next)
{
    return current < next ? EQUIP_RISES : (current == next ? EQUIP_STAYS : EQUIP_FALLS);
}

int CMapMenu::GetEquipListItemId() const
{
    if (slotKind < 0 || slotKind > 2 || memberCursor < 0 || memberCursor > 2)
        return -1;
    const int category = ListCategory(EquipCategoryOf(slotKind, memberCursor));
    const int at = mainList.position;
    if (at < 0 || at >= TheGameData->categoryListCount[category])
        return -1;
    return TheGameData->categoryList[category][at];
}

void CMapMenu::RefreshEquipList(bool rebuild)
{
    mainList.blinkCounter = 0;
    ResetMenuCursorAnimation();
    equipCategory = static_cast<std::int8_t>(EquipCategoryOf(slotKind, memberCursor));
    if (rebuild)
        TheGameData->RebuildItemLists(ListCategory(equipCategory), false);
    mainList.count = EquipListCount(equipCategory);
    if (rebuild) {
        SizeEquipListWindow();
        if (mode != MenuEquipList)
            return;
    }
    if (mainList.count <= 0)
        return;
    // Past the last page: the first entry of the last page. A clamped
    // cursor stands on another candidate, so the comparison follows it (as
    // the shop's goods do); a page turn previewed the entry before the clamp.
    const float top = TheFixedWindowSet->windowRects[kListWindow].top;
    const int before = mainList.position;
    if (mainList.page >= mainList.pageCount) {
        mainList.page = mainList.pageCount - 1;
        mainList.position = mainList.page * kRowsPerPage;
        PlaceMenuCursorRow(top, 0);
    } else if (mainList.position >= mainList.count) {
        mainList.position = mainList.count - 1;
        PlaceMenuCursorRow(top, mainList.position - mainList.page * kRowsPerPage);
    }
    if (mainList.position != before)
        OnListPositionChanged();
    const int left = mainList.count - mainList.page * kRowsPerPage;
    mainList.rowsOnPage = static_cast<std::int8_t>(std::min(left, kRowsPerPage));
    FormatEquipCountColumn();
    BuildPageNumberLine(pageLines[0], mainList.page, mainList.pageCount);
    PlacePageNumberOrigin(textOrigins[ORIGIN_EQUIP_PAGE], kListWindow, pageLines[0].width);
    PlacePageNumberOrigin(textOrigins[ORIGIN_EQUIP_FULL_PAGE], kFullListWindow, pageLines[0].width);
}

void CMapMenu::SizeEquipListWindow()
{
    mainList.pageCount = (mainList.count + kRowsPerPage - 1) / kRowsPerPage;
    if (mainList.count <= 0) {
        PlaceCursorForMode(MenuEquipEmpty);
        return;
    }
    // A longer list's last page is as tall as its rows, with the page line below.
    int lastRows = mainList.count % kRowsPerPage;
    if (lastRows == 0)
        lastRows = kRowsPerPage;
    auto& rect = TheFixedWindowSet->windowRects[kListWindow];
    rect.bottom =
        rect.top + MenuWindowHeight(lastRows) + (mainList.count > kRowsPerPage ? MENU_PAGE_LINE_HEIGHT : 0.0f);
    TheFixedWindowSet->SetFixedWindowRect(kListWindow);
}

void CMapMenu::PreviewEquipCandidate()
{
    ComputeEquipPreview(memberCursor, slotKind, GetEquipListItemId());
}

void CMapMenu::ComputeEquipPreview(int member, int kind, int candidate)
{
    if (member < 0 || member >= PARTY_MEMBER_COUNT || kind < 0 || kind > 2)
        return;
    const CCharacter& party = *TheCharacter;
    int ids[3] = {party.equipment[EQUIP_WEAPON][member], party.equipment[EQUIP_ARMOR][member],
                  party.equipment[EQUIP_ACCESSORY][member]};
    ids[kind] = candidate;
    MemberStats stats;
    ComputeMemberStats(member, stats, ids[0], ids[1], ids[2]);

    EquipPreview& preview = equipPreview;
    preview = EquipPreview{};
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s) {
        char16_t digits[MENU_NUMBER_CHARS];
        const int length = Digits(stats.stats[s], kStatDigitsMost, digits);
        std::copy_n(digits, length + 1, preview.statText[s]);
        preview.statLength[s] = static_cast<std::uint8_t>(length);
        preview.statChange[s] = static_cast<std::uint8_t>(CompareStatValue(party.statsB[member][s], stats.stats[s]));
    }
    char16_t digits[MENU_NUMBER_CHARS];
    preview.staminaLength = static_cast<std::uint8_t>(Digits(stats.maxStamina, kSmallFigureMost, digits));
    std::copy_n(digits, preview.staminaLength + 1, preview.staminaText);
    preview.staminaChange = static_cast<std::uint8_t>(CompareStatValue(party.maxSt[member], stats.maxStamina));
    preview.spLength = static_cast<std::uint8_t>(Digits(stats.maxSp, kSmallFigureMost, digits));
    std::copy_n(digits, preview.spLength + 1, preview.spText);
    preview.spChange = static_cast<std::uint8_t>(CompareStatValue(party.maxSp[member], stats.maxSp));
    // A colour level is better lower: the comparison runs the other way.
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c) {
        preview.colourLevel[c] = stats.colourLevels[c];
        preview.colourChange[c] =
            static_cast<std::uint8_t>(CompareStatValue(stats.colourLevels[c], party.elementLevel[member][c]));
    }
}
