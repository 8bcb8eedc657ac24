// The list windows of the command menu: the item and magic lists (also as
// the shortcut page's lists), the skills member window and a member's
// skills, and the target windows that open beside a list.
#include "battle/BattleMenu.h"
#include "battle/BattleMenuTables.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kSkillNameBound = 5;

// The frames, depth and text origins one drawing of a paged list uses.
struct PagedListLook {
    int lastPageFrame, fullPageFrame;
    int colourSet;
    float depth;
    int pageOriginFull, pageOriginLast;
};

const CFixedWindowSet::Rect& FrameRect(int frame)
{
    return TheFixedWindowSet->cursorRects[frame];
}

// The fitted frame on the last page, the full one on every other.
int ListFrame(const CBattleMenu& menu, const PagedListLook& look)
{
    return menu.ListPageCount == menu.ListPage + 1 ? look.lastPageFrame : look.fullPageFrame;
}

// The entry at a row of the visible page, or -1 when the row lies past the
// list (a damaged record can leave the counters beyond it).
int ListPosition(const CBattleMenu& menu, int row, int count, int capacity)
{
    const int at = menu.ListPage * BATTLE_LIST_PAGE_ROWS + row;
    return at >= 0 && at < count && at < capacity ? at : -1;
}

bool DrawPageText(const CBattleMenu& menu, const PagedListLook& look, int frame, int line)
{
    if (menu.ListPageCount <= 1)
        return true;
    const MenuTextOrigin& at = menu.TextPos[frame == look.fullPageFrame ? look.pageOriginFull : look.pageOriginLast];
    return CBattleMenu::DrawBattleMenuText(at.x, at.y, at.z, BATTLE_TEXT_BLACK, menu.PageText.text,
                                           menu.PageText.length, line);
}

// The battle item list's visible page: names, the held-count column, the page text.
void DrawItemPage(CBattleMenu& menu, const PagedListLook& look, int countOrigin)
{
    const int frame = ListFrame(menu, look);
    TheFixedWindowSet->DrawCursorFrame(frame, look.colourSet);
    const auto& rect = FrameRect(frame);
    const GameData& data = *TheGameData;
    for (int row = 0; row < menu.ListRows; ++row) {
        const int at = ListPosition(menu, row, data.battleItemCount, BATTLE_ITEM_COUNT);
        MenuItemRow item;
        if (at < 0 || !ReadMenuItemRow(data.battleItemList[at], item))
            continue;
        if (!CBattleMenu::DrawBattleMenuText(rect.left, rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(row),
                                             look.depth, BATTLE_TEXT_BLACK, item.name, item.nameLength, __LINE__))
            return;
    }
    if (menu.CountTextLength != 0) {
        const MenuTextOrigin& at = menu.TextPos[countOrigin];
        if (!CBattleMenu::DrawBattleMenuText(at.x, at.y, at.z, BATTLE_TEXT_BLACK, menu.CountText, menu.CountTextLength,
                                             __LINE__, BATTLE_MENU_ROW_HEIGHT))
            return;
    }
    DrawPageText(menu, look, frame, __LINE__);
}

// The magic list's visible page; a magic the third member may not cast
// stays listed in `offColour`.
void DrawMagicPage(CBattleMenu& menu, const PagedListLook& look, std::uint32_t offColour)
{
    const int frame = ListFrame(menu, look);
    TheFixedWindowSet->DrawCursorFrame(frame, look.colourSet);
    const auto& rect = FrameRect(frame);
    const GameData& data = *TheGameData;
    for (int row = 0; row < menu.ListRows; ++row) {
        const int at = ListPosition(menu, row, data.magicListCount, MAGIC_COUNT);
        const int magic = at < 0 ? -1 : data.magicList[at];
        if (magic < 0 || magic >= battlemenu::MAGIC_NAME_COUNT)
            continue;
        const char16_t* name = battlemenu::MagicNameTable[magic].name;
        const std::uint32_t colour = TheCharacter->autoMagicAllowed[magic] != 0 ? BATTLE_TEXT_BLACK : offColour;
        if (!CBattleMenu::DrawBattleMenuText(rect.left, rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(row),
                                             look.depth, colour, name, MenuTextLength(name), __LINE__))
            return;
    }
    DrawPageText(menu, look, frame, __LINE__);
}

int SetUnless(const CBattleMenu& menu, int state)
{
    return menu.BattleMenuState == state ? BATTLE_WINDOW_ACTIVE : BATTLE_WINDOW_BEHIND;
}

// The two skills of a member at (x, y), 18 pixels apart, greyed by the member's use flags.
void DrawSkillNames(int member, float x, float y, float z, std::uint32_t offColour)
{
    for (int k = 0; k < battlemenu::SKILLS_PER_MEMBER; ++k) {
        const std::uint32_t colour = TheCharacter->memberOptions[member][k + 1] != 0 ? BATTLE_TEXT_BLACK : offColour;
        if (!CBattleMenu::DrawBattleMenuText(x, y + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(k), z, colour,
                                             battlemenu::SkillNameTable[member][k].name, kSkillNameBound, __LINE__))
            return;
    }
}

} // namespace

void CBattleMenu::DrawItemListWindow()
{
    const PagedListLook look{BATTLE_FRAME_ITEM_LAST, BATTLE_FRAME_ITEM_FULL,     SetUnless(*this, BATTLE_MENU_ITEMS),
                             BATTLE_MENU_DEPTH_LIST, BATTLE_TEXT_ITEM_PAGE_FULL, BATTLE_TEXT_ITEM_PAGE_LAST};
    DrawItemPage(*this, look, BATTLE_TEXT_ITEM_COUNTS);
}

void CBattleMenu::DrawMagicListWindow()
{
    const PagedListLook look{BATTLE_FRAME_MAGIC_LAST, BATTLE_FRAME_MAGIC_FULL,     SetUnless(*this, BATTLE_MENU_MAGIC),
                             BATTLE_MENU_DEPTH_LIST,  BATTLE_TEXT_MAGIC_PAGE_FULL, BATTLE_TEXT_MAGIC_PAGE_LAST};
    DrawMagicPage(*this, look,
                  BattleMenuState == BATTLE_MENU_MAGIC ? BATTLE_LIST_UNUSABLE : BATTLE_LIST_UNUSABLE_BEHIND);
}

void CBattleMenu::DrawShortcutItemList()
{
    const PagedListLook look{
        BATTLE_FRAME_SHORTCUT_ITEM_LAST, BATTLE_FRAME_SHORTCUT_ITEM_FULL,     BATTLE_WINDOW_ACTIVE,
        BATTLE_MENU_DEPTH_SHORTCUT,      BATTLE_TEXT_SHORTCUT_ITEM_PAGE_FULL, BATTLE_TEXT_SHORTCUT_ITEM_PAGE_LAST};
    DrawItemPage(*this, look, BATTLE_TEXT_SHORTCUT_ITEM_COUNTS);
}

void CBattleMenu::DrawShortcutMagicList()
{
    const PagedListLook look{
        BATTLE_FRAME_SHORTCUT_MAGIC_LAST, BATTLE_FRAME_SHORTCUT_MAGIC_FULL,     BATTLE_WINDOW_ACTIVE,
        BATTLE_MENU_DEPTH_SHORTCUT,       BATTLE_TEXT_SHORTCUT_MAGIC_PAGE_FULL, BATTLE_TEXT_SHORTCUT_MAGIC_PAGE_LAST};
    DrawMagicPage(*this, look, BATTLE_LIST_UNUSABLE);
}

void CBattleMenu::DrawShortcutSkillList()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_SHORTCUT_SKILLS, BATTLE_WINDOW_ACTIVE);
    const MenuTextOrigin& at = TextPos[BATTLE_TEXT_SHORTCUT_SKILLS];
    DrawSkillNames(PARTY_MEMBER_COUNT - 1, at.x, at.y, at.z, BATTLE_LIST_UNUSABLE);
}

void CBattleMenu::DrawSkillMemberWindow()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_SKILL_MEMBERS, SetUnless(*this, BATTLE_MENU_SKILL_MEMBER));
    const auto& rect = FrameRect(BATTLE_FRAME_SKILL_MEMBERS);
    for (int m = 0; m < MEMBER_NAME_COUNT; ++m)
        if (!DrawBattleMenuText(rect.left, rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(m),
                                BATTLE_MENU_DEPTH_LIST, BATTLE_TEXT_BLACK, MemberNameTable[m], MEMBER_NAME_LENGTH,
                                __LINE__))
            return;
}

void CBattleMenu::DrawSkillListWindow()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_SKILLS, SetUnless(*this, BATTLE_MENU_SKILLS));
    if (SkillMember < 0 || SkillMember >= PARTY_MEMBER_COUNT)
        return;
    const auto& rect = FrameRect(BATTLE_FRAME_SKILLS);
    DrawSkillNames(SkillMember, rect.left, rect.top, BATTLE_MENU_DEPTH_SUB,
                   BattleMenuState == BATTLE_MENU_SKILLS ? BATTLE_LIST_UNUSABLE : BATTLE_LIST_UNUSABLE_BEHIND);
}

void CBattleMenu::DrawTargetWindow(int frame, float depth, const std::uint8_t mask[3], std::uint8_t kind)
{
    TheFixedWindowSet->DrawCursorFrame(frame, BATTLE_WINDOW_ACTIVE);
    const auto& rect = FrameRect(frame);
    const float x = rect.left;
    float y = rect.top;
    // A mask value the usability checks never write reads as "cannot be chosen".
    const auto colourOf = [](std::uint8_t value) {
        return battlemenu::TargetColourTable[value < battlemenu::TARGET_COLOUR_COUNT ? value : 0];
    };
    if (kind == BATTLE_TARGET_MEMBERS) {
        for (int m = 0; m < MEMBER_NAME_COUNT; ++m, y += BATTLE_MENU_ROW_HEIGHT) {
            const std::uint32_t colour = colourOf(mask[m]);
            if (!DrawBattleMenuText(x, y, depth, colour, u"使う:", 3, __LINE__) ||
                !DrawBattleMenuText(x + 40.0f, y, depth, colour, MemberNameTable[m], MEMBER_NAME_LENGTH, __LINE__))
                return;
        }
    } else {
        if (!DrawBattleMenuText(x, y, depth, colourOf(mask[0]), u"使う", 2, __LINE__))
            return;
        y += BATTLE_MENU_ROW_HEIGHT;
    }
    DrawBattleMenuText(x, y, depth, BATTLE_TEXT_BLACK, u"やめる", 3, __LINE__);
}
