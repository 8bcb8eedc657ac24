// The equipment page's windows: the members, the chosen member's three
// slots, the candidates of a slot with the description and comparison of
// the one under the cursor, and the window saying no piece can replace it.
#include "core/EquipmentRows.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kTextNearer = 0.001f;
constexpr int kRowsPerPage = 10;
constexpr int kMemberWindow = 8;
constexpr int kSlotWindow = 9;
constexpr int kListWindow = 10; // the last page; 11 the others
constexpr int kNoCandidateWindow = 12;
constexpr int kComparisonWindow = 13; // + slot kind
constexpr float kMemberDepths[2] = {0.298f, 0.398f};
constexpr float kSlotDepths[2] = {0.296f, 0.396f};
constexpr float kListDepth = MENU_DEPTH_THIRD;
constexpr float kSlotNameShift = 68.0f;
constexpr std::uint32_t kWornColour = 0xFF7FFF7Fu;
constexpr char16_t kSlotLabels[] = u"武器:\n防具:\n装飾:";
constexpr char16_t kNothing[] = u"なし";
constexpr char16_t kWearNothing[] = u"装備しない";
constexpr char16_t kNoChange[] = u"変更しない";

struct Look {
    int colourSet;
    float depth;
    std::uint32_t text;
};

Look LookOf(bool active, const float depths[2])
{
    return active ? Look{0, depths[0], MENU_TEXT_WHITE} : Look{1, depths[1], MENU_TEXT_GREY};
}

int ListCategoryOf(int category)
{
    if (category < EQUIP_CATEGORY_ARMOR)
        return ITEM_CATEGORY_WEAPON + category;
    if (category < EQUIP_CATEGORY_ACCESSORY)
        return ITEM_CATEGORY_ARMOR + category - EQUIP_CATEGORY_ARMOR;
    return ITEM_CATEGORY_ACCESSORY;
}

} // namespace

void CMapMenu::DrawEquipMemberWindow()
{
    const Look look = LookOf(mode == MenuEquipMember, kMemberDepths);
    TheFixedWindowSet->DrawFixedWindowAtDepth(kMemberWindow, look.colourSet, look.depth);
    const auto& rect = TheFixedWindowSet->windowRects[kMemberWindow];
    for (int m = 0; m < MEMBER_NAME_COUNT; ++m)
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(m),
                          look.depth - kTextNearer, look.text, MemberNameTable[m], MEMBER_NAME_LENGTH, __LINE__))
            return;
}

void CMapMenu::DrawEquipSlotWindow()
{
    const Look look = LookOf(mode == MenuEquipSlot, kSlotDepths);
    TheFixedWindowSet->DrawFixedWindowAtDepth(kSlotWindow, look.colourSet, look.depth);
    const auto& rect = TheFixedWindowSet->windowRects[kSlotWindow];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    const float z = look.depth - kTextNearer;
    if (!DrawMenuText(x, y, z, look.text, kSlotLabels, MenuTextLength(kSlotLabels), __LINE__, kRow))
        return;
    const int member = memberCursor;
    for (int kind = 0; kind < 3; ++kind) {
        EquipmentRow row;
        const bool worn = member >= 0 && member < PARTY_MEMBER_COUNT &&
                          ReadEquipmentRow(EquipCategoryOf(kind, member), TheCharacter->equipment[kind][member], row);
        const char16_t* name = worn ? row.name : kNothing;
        const int length = worn ? row.nameLength : MenuTextLength(kNothing);
        if (!DrawMenuText(x + kSlotNameShift, y + kRow * static_cast<float>(kind), z, look.text, name, length,
                          __LINE__))
            return;
    }
}

void CMapMenu::DrawEquipCandidateList()
{
    const int member = memberCursor;
    const int category = equipCategory;
    if (member < 0 || member >= PARTY_MEMBER_COUNT || category < 0 || category >= EQUIP_CATEGORY_COUNT)
        return;
    // The description of the piece under the cursor.
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int candidate = GetEquipListItemId();
    if (candidate != -1) {
        if (slotKind == EQUIP_WEAPON)
            DrawWeaponDescription(member, candidate);
        else
            DrawArmorDescription(category, candidate);
    }
    const bool lastPage = mainList.page + 1 >= mainList.pageCount;
    const int window = lastPage ? kListWindow : kListWindow + 1;
    TheFixedWindowSet->DrawFixedWindow(window, 0);
    const auto& rect = TheFixedWindowSet->windowRects[window];
    // 3.-4. The worn piece stands first in light green; the armour and
    // accessory lists end with the row for wearing nothing.
    const bool wearNothingRow = category >= EQUIP_CATEGORY_ARMOR && lastPage;
    const int rows = mainList.rowsOnPage - (wearNothingRow ? 1 : 0);
    const std::int16_t* list = TheGameData->categoryList[ListCategoryOf(category)];
    const int worn = TheCharacter->equipment[slotKind][member];
    for (int row = 0; row < rows; ++row) {
        const int at = mainList.page * kRowsPerPage + row;
        EquipmentRow piece;
        if (!ReadEquipmentRow(category, list[at], piece))
            continue;
        const std::uint32_t colour = at == 0 && list[at] == worn ? kWornColour : MENU_TEXT_WHITE;
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), kListDepth, colour,
                          piece.name, piece.nameLength, __LINE__))
            return;
    }
    if (wearNothingRow && rows >= 0 &&
        !DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(rows), kListDepth,
                      MENU_TEXT_WHITE, kWearNothing, MenuTextLength(kWearNothing), __LINE__))
        return;
    const MenuTextOrigin& counts = textOrigins[ORIGIN_EQUIP_COUNT];
    if (countTextLength > 0 && !DrawMenuNumber(counts.x, rect.top + kInset, kListDepth, MENU_TEXT_WHITE, countText,
                                               countTextLength, __LINE__, kRow))
        return;
    if (mainList.pageCount > 1) {
        const MenuTextOrigin& page = textOrigins[lastPage ? ORIGIN_EQUIP_PAGE : ORIGIN_EQUIP_FULL_PAGE];
        if (!DrawMenuNumber(page.x, page.y, kListDepth, MENU_TEXT_WHITE, pageLines[0].text, pageLines[0].length,
                            __LINE__))
            return;
        TheEvent->DrawFadedQuads(rect.left, rect.right, rect.bottom, kListDepth, mainList.blinkCounter, mainList.page,
                                 mainList.pageCount);
    }
    const int comparison = kComparisonWindow + slotKind;
    TheFixedWindowSet->DrawFixedWindow(comparison, 0);
    if (slotKind == EQUIP_WEAPON)
        DrawWeaponComparison(comparison, member, candidate, false);
    else
        DrawArmorComparison(comparison, member, slotKind, candidate);
}

void CMapMenu::DrawNoCandidateWindow()
{
    TheFixedWindowSet->DrawFixedWindow(kNoCandidateWindow, 0);
    const auto& rect = TheFixedWindowSet->windowRects[kNoCandidateWindow];
    if (!DrawMenuText(rect.left + kInset, rect.top + kInset, kListDepth, MENU_TEXT_WHITE, kNoChange,
                      MenuTextLength(kNoChange), __LINE__))
        return;
    if (slotKind != EQUIP_WEAPON || memberCursor < 0 || memberCursor >= PARTY_MEMBER_COUNT)
        return;
    TheFixedWindowSet->DrawFixedWindow(kComparisonWindow, 0);
    DrawWeaponComparison(kComparisonWindow, memberCursor, TheCharacter->equipment[EQUIP_WEAPON][memberCursor], true);
}
