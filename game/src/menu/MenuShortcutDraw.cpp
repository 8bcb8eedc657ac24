// The shortcut pages: the ten shortcuts with what each holds, the detail of
// the one under the cursor with its buttons, the kind window and the item,
// magic and skill lists to choose from.
#include "core/GameConstants.h"
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

constexpr int kListWindow = 25;
constexpr int kKindWindow = 26;
constexpr int kSkillWindow = 31;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kLine = 32.0f;
constexpr float kTextNearer = 0.001f;
constexpr float kCell = 12.0f;
constexpr float kListDepth = 0.291f;
constexpr int kShortcuts = 10;
constexpr int kFirstShortcutButton = 4;
constexpr int kModifierButton = 10;
constexpr int kSkillMember = 2;
constexpr std::uint32_t kOff = 0xFFA0A0A0u;

enum SlotKind : int { kSlotMagic = 1, kSlotItem = 2, kSlotSkill = 4 };
constexpr int kItemIcon = 0, kSkillIcon = 3, kMagicIcon = 8;

// What a slot shows: its icon (-1 none) and name; an id outside its kind's
// table shows as an empty slot.
struct SlotView {
    int kind; // 0 when the slot shows nothing
    int icon;
    const char16_t* name;
    int length;
    MenuItemRow item;
};

SlotView ViewOf(const QuickSlot& slot)
{
    SlotView view{0, -1, u"なし", 2, {}};
    const int id = slot.id;
    switch (slot.kind) {
    case kSlotMagic:
        if (id >= 0 && id < MENU_MAGIC_COUNT)
            view = {kSlotMagic, kMagicIcon, MagicNameTable[id], MenuTextLength(MagicNameTable[id]), {}};
        break;
    case kSlotItem:
        if (ReadMenuItemRow(id, view.item)) {
            view.kind = kSlotItem;
            view.icon = kItemIcon;
            view.name = view.item.name;
            view.length = view.item.nameLength;
        }
        break;
    case kSlotSkill:
        if (id >= 1 && id < MENU_SKILL_COUNT)
            view = {kSlotSkill, kSkillIcon, SkillNameTable[id], MenuTextLength(SkillNameTable[id]), {}};
        break;
    default:
        break;
    }
    return view;
}

// Shortcut row r is slot r + 2 of the two sets of six.
const QuickSlot& SlotOfRow(int row)
{
    const int slot = row + 2;
    return TheCharacter->quickSlots[slot / QUICK_SLOTS_PER_PAGE][slot % QUICK_SLOTS_PER_PAGE];
}

} // namespace

void CMapMenu::DrawShortcutList()
{
    const bool active = mode == MenuShortcutButton;
    const float depth = active ? 0.296f : 0.396f;
    TheFixedWindowSet->DrawFixedWindowAtDepth(kListWindow, active ? 0 : 1, depth);
    const auto& rect = TheFixedWindowSet->windowRects[kListWindow];
    const float z = depth - kTextNearer;
    const std::uint32_t colour = active ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    for (int row = 0; row < kShortcuts; ++row) {
        const float x = rect.left + kInset;
        const float y = rect.top + kInset + kRow * static_cast<float>(row);
        const int k = row + 1;
        const char16_t number[3] = {k >= 10 ? u'1' : static_cast<char16_t>(u'0' + k), k >= 10 ? u'0' : u'\0', u'\0'};
        const SlotView view = ViewOf(SlotOfRow(row));
        if (!DrawMenuText(x, y, z, colour, u"ショートカット", 7, __LINE__) ||
            !DrawMenuText(x + 154.0f, y, z, colour, number, k >= 10 ? 2 : 1, __LINE__))
            return;
        if (view.icon >= 0)
            TheEvent->DrawEventIconTinted(view.icon, x + 190.0f, y, z, colour);
        if (!DrawMenuText(x + 216.0f, y, z, colour, view.name, view.length, __LINE__))
            return;
    }
}

void CMapMenu::DrawShortcutDetail()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int row = shortcutButtonCursor;
    const int slot = row + 2;
    const SlotView view = ViewOf(SlotOfRow(row));
    int lines = 0;
    switch (view.kind) {
    case kSlotMagic:
        DrawMagicDescription(SlotOfRow(row).id, true);
        lines = 3;
        break;
    case kSlotItem:
        DrawItemDescription(SlotOfRow(row).id);
        lines = 2;
        break;
    case kSlotSkill:
        DrawSkillDescription(kSkillMember, SlotOfRow(row).id - 1);
        lines = 3;
        break;
    default:
        break;
    }
    float x = BOTTOM_TEXT_X;
    const float y = BOTTOM_TEXT_Y + kLine * static_cast<float>(lines);
    if (!DrawButtonLabel(x, y, BOTTOM_TEXT_DEPTH, kFirstShortcutButton + slot % QUICK_SLOTS_PER_PAGE))
        return;
    if (slot >= QUICK_SLOTS_PER_PAGE && DrawPlusSign(x, y, BOTTOM_TEXT_DEPTH))
        DrawButtonLabel(x, y, BOTTOM_TEXT_DEPTH, kModifierButton);
}

void CMapMenu::DrawShortcutKindWindow()
{
    const bool active = mode == MenuShortcutKind;
    const float depth = active ? 0.294f : 0.394f;
    TheFixedWindowSet->DrawFixedWindowAtDepth(kKindWindow, active ? 0 : 1, depth);
    const auto& rect = TheFixedWindowSet->windowRects[kKindWindow];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    const float z = depth - kTextNearer;
    const bool items = TheGameData->battleItemCount > 0;
    const std::uint32_t itemColour =
        active ? (items ? MENU_TEXT_WHITE : MENU_TEXT_GREY) : (items ? MENU_TEXT_GREY : MENU_TEXT_DARK_GREY);
    const std::uint32_t colour = active ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    if (DrawMenuText(x, y, z, itemColour, u"道具", 2, __LINE__) &&
        DrawMenuText(x, y + kRow, z, colour, u"魔法", 2, __LINE__) &&
        DrawMenuText(x, y + 2.0f * kRow, z, colour, u"特技", 2, __LINE__) &&
        DrawMenuText(x + 44.0f, y + 2.0f * kRow, z, colour, u":", 1, __LINE__) &&
        DrawMenuText(x + 44.0f + kCell, y + 2.0f * kRow, z, colour, MemberNameTable[kSkillMember], MEMBER_NAME_LENGTH,
                     __LINE__))
        DrawMenuText(x, y + 3.0f * kRow, z, colour, u"設定しない", 5, __LINE__);
}

void CMapMenu::DrawShortcutItemList()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const GameData& data = *TheGameData;
    const int at = mainList.position;
    if (at >= 0 && at < data.battleItemCount)
        DrawItemDescription(data.battleItemList[at]);
    DrawPagedListFrame(ModeCursorWindow(MenuShortcutItem), true, ORIGIN_SHORTCUT_ITEM_PAGE);
    const int window = mainList.page + 1 >= mainList.pageCount ? 27 : 28;
    const auto& rect = TheFixedWindowSet->windowRects[window];
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int entry = mainList.page * 10 + row;
        MenuItemRow item;
        if (entry >= data.battleItemCount || !ReadMenuItemRow(data.battleItemList[entry], item))
            continue;
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), kListDepth,
                          MENU_TEXT_WHITE, item.name, item.nameLength, __LINE__))
            return;
    }
    if (countTextLength > 0) {
        const MenuTextOrigin& counts = textOrigins[ORIGIN_SHORTCUT_COUNT];
        DrawMenuNumber(counts.x, rect.top + kInset, kListDepth, MENU_TEXT_WHITE, countText, countTextLength, __LINE__,
                       kRow);
    }
}

void CMapMenu::DrawShortcutMagicList()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int listed = ListedMagic();
    if (listed >= 0)
        DrawMagicDescription(listed, true);
    DrawPagedListFrame(ModeCursorWindow(MenuShortcutMagic), true, ORIGIN_SHORTCUT_MAGIC_PAGE);
    const int window = mainList.page + 1 >= mainList.pageCount ? 29 : 30;
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const GameData& data = *TheGameData;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int entry = mainList.page * 10 + row;
        const int magic = entry < data.magicListCount ? data.magicList[entry] : -1;
        if (magic < 0 || magic >= MENU_MAGIC_COUNT)
            continue;
        const std::uint32_t colour = TheCharacter->autoMagicAllowed[magic] != 0 ? MENU_TEXT_WHITE : kOff;
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), kListDepth, colour,
                          MagicNameTable[magic], MenuTextLength(MagicNameTable[magic]), __LINE__))
            return;
    }
}

void CMapMenu::DrawShortcutSkillList()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    DrawSkillDescription(kSkillMember, skillCursor);
    TheFixedWindowSet->DrawFixedWindow(kSkillWindow, 0);
    const auto& rect = TheFixedWindowSet->windowRects[kSkillWindow];
    for (int skill = 1; skill < MENU_SKILL_COUNT; ++skill) {
        const std::uint32_t colour = TheCharacter->memberOptions[kSkillMember][skill] != 0 ? MENU_TEXT_WHITE : kOff;
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(skill - 1), kListDepth,
                          colour, SkillNameTable[skill], MenuTextLength(SkillNameTable[skill]), __LINE__))
            return;
    }
}
