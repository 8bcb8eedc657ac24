// The shortcut pages of the battle settings: the ten shortcut rows with what
// each holds, the description of the row under the cursor with the buttons
// that fire it, and the window of what to put in a row.
#include "battle/BattleMenu.h"
#include "battle/BattleMenuTables.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kShortcutRows = 10;
constexpr int kHiddenSlots = 2; // slots 0 and 1 of page 0 have no row
constexpr float kNumberShift = 112.0f;
constexpr float kEntryShift = 24.0f;
constexpr float kTextShift = 19.0f;
constexpr std::uint32_t kIconLit = 0xFFFFFFFFu;
constexpr std::uint32_t kIconDimmed = 0xFF808080u;
constexpr int kFirstSlotButton = 4;
constexpr int kShiftButton = 10;
constexpr float kDescriptionLeft = 128.0f;
constexpr float kDescriptionTop = 394.0f;
constexpr float kDescriptionPitch = 21.0f;

enum SlotKind : int { SLOT_EMPTY = 0, SLOT_MAGIC = 1, SLOT_ITEM = 2, SLOT_SKILL = 4 };

// What a shortcut row holds as the menu shows it: an entry with its icon
// and name, or none ("なし") for an empty slot, an unknown kind or an id
// outside its table (a damaged record).
struct SlotEntry {
    int kind;
    int id; // the magic, the item, or the skill (0 or 1) of the third member
    int icon;
    const char16_t* name;
    int nameLength;
    MenuItemRow item;
};

struct SlotPlace {
    int page, slot;
};

SlotPlace PlaceOfRow(int row)
{
    return {(row + kHiddenSlots) / QUICK_SLOTS_PER_PAGE, (row + kHiddenSlots) % QUICK_SLOTS_PER_PAGE};
}

SlotEntry ReadSlot(int row)
{
    SlotEntry entry{SLOT_EMPTY, 0, -1, u"なし", 2, {}};
    if (row < 0 || row >= kShortcutRows)
        return entry;
    const SlotPlace place = PlaceOfRow(row);
    const QuickSlot& slot = TheCharacter->quickSlots[place.page][place.slot];
    const int id = slot.id;
    if (slot.kind == SLOT_MAGIC && id >= 0 && id < battlemenu::MAGIC_NAME_COUNT) {
        const char16_t* name = battlemenu::MagicNameTable[id].name;
        entry = {SLOT_MAGIC, id, BATTLE_ICON_MAGIC, name, MenuTextLength(name), {}};
    } else if (slot.kind == SLOT_ITEM && ReadMenuItemRow(id, entry.item)) {
        entry.kind = SLOT_ITEM;
        entry.id = id;
        entry.icon = BATTLE_ICON_ITEM;
        entry.name = entry.item.name;
        entry.nameLength = entry.item.nameLength;
    } else if (slot.kind == SLOT_SKILL && id >= 1 && id <= battlemenu::SKILLS_PER_MEMBER) {
        const char16_t* name = battlemenu::SkillNameTable[THIRD_MEMBER][id - 1].name;
        entry = {SLOT_SKILL, id - 1, BATTLE_ICON_SKILL_FIRST + THIRD_MEMBER, name, MenuTextLength(name), {}};
    }
    return entry;
}

} // namespace

void CBattleMenu::DrawShortcutSlotWindow()
{
    const bool active = BattleMenuState == BATTLE_MENU_SHORTCUT_SLOTS;
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_SHORTCUT_SLOTS,
                                       active ? BATTLE_WINDOW_ACTIVE : BATTLE_WINDOW_BEHIND);
    const auto& rect = TheFixedWindowSet->cursorRects[BATTLE_FRAME_SHORTCUT_SLOTS];
    const float z = BATTLE_MENU_DEPTH_SUB;
    for (int row = 0; row < kShortcutRows; ++row) {
        const float y = rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(row);
        float x = rect.left;
        const char16_t number[3] = {row + 1 < 10 ? static_cast<char16_t>(u'1' + row) : u'1',
                                    row + 1 < 10 ? u'\0' : u'0', 0};
        if (!DrawBattleMenuText(x, y, z, BATTLE_TEXT_BLACK, u"ショートカット", 7, __LINE__))
            return;
        x += kNumberShift;
        if (!DrawBattleMenuText(x, y, z, BATTLE_TEXT_BLACK, number, row + 1 < 10 ? 1 : 2, __LINE__))
            return;
        x += kEntryShift;
        const SlotEntry entry = ReadSlot(row);
        if (entry.icon >= 0)
            DrawMenuIconAt(entry.icon, x, y, z, active ? kIconLit : kIconDimmed);
        x += kTextShift;
        if (!DrawBattleMenuText(x, y, z, BATTLE_TEXT_BLACK, entry.name, entry.nameLength, __LINE__))
            return;
    }
}

void CBattleMenu::DrawShortcutDescription()
{
    const SlotEntry entry = ReadSlot(ShortcutSlot);
    int lines = 0;
    switch (entry.kind) {
    case SLOT_MAGIC:
        DrawMagicDescription(entry.id);
        lines = 3;
        break;
    case SLOT_ITEM:
        DrawItemDescription(entry.id);
        lines = 2;
        break;
    case SLOT_SKILL:
        DrawSkillDescription(THIRD_MEMBER, entry.id);
        lines = 3;
        break;
    default:
        TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
        break;
    }
    if (ShortcutSlot < 0 || ShortcutSlot >= kShortcutRows)
        return;
    const SlotPlace place = PlaceOfRow(ShortcutSlot);
    MenuTextOrigin pen{kDescriptionLeft, kDescriptionTop + kDescriptionPitch * static_cast<float>(lines),
                       BATTLE_MENU_DEPTH_BACK};
    if (DrawButtonLabel(pen, place.slot + kFirstSlotButton) && place.page == 1 && DrawPlusSign(pen))
        DrawButtonLabel(pen, kShiftButton);
}

void CBattleMenu::DrawShortcutActionWindow()
{
    const bool active = BattleMenuState == BATTLE_MENU_SHORTCUT_ACTION;
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_SHORTCUT_ACTION,
                                       active ? BATTLE_WINDOW_ACTIVE : BATTLE_WINDOW_BEHIND);
    const auto& rect = TheFixedWindowSet->cursorRects[BATTLE_FRAME_SHORTCUT_ACTION];
    const float x = rect.left;
    const float z = BATTLE_MENU_DEPTH_SKILL_TARGET;
    const auto rowY = [&rect](int row) { return rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(row); };
    const std::uint32_t items = TheGameData->battleItemCount > 0
                                    ? BATTLE_TEXT_BLACK
                                    : (active ? BATTLE_TEXT_UNUSABLE : BATTLE_TEXT_UNUSABLE_BEHIND);
    DrawBattleMenuText(x, rowY(0), z, items, u"道具", 2, __LINE__) &&
        DrawBattleMenuText(x, rowY(1), z, BATTLE_TEXT_BLACK, u"魔法", 2, __LINE__) &&
        DrawBattleMenuText(x, rowY(2), z, BATTLE_TEXT_BLACK, u"特技", 2, __LINE__) &&
        DrawBattleMenuText(x + 32.0f, rowY(2), z, BATTLE_TEXT_BLACK, u":", 1, __LINE__) &&
        DrawBattleMenuText(x + 40.0f, rowY(2), z, BATTLE_TEXT_BLACK, MemberNameTable[THIRD_MEMBER], MEMBER_NAME_LENGTH,
                           __LINE__) &&
        DrawBattleMenuText(x, rowY(3), z, BATTLE_TEXT_BLACK, u"設定しない", 5, __LINE__);
}
