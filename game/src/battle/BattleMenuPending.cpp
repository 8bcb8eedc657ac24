// The menu's windows whose contents are not built yet: each draws only its
// battle frame in the colour set it will have, so the menu can be walked
// and its frames seen.
#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"

namespace {

void DrawFrame(int frame, int colourSet)
{
    if (TheFixedWindowSet != nullptr)
        TheFixedWindowSet->DrawCursorFrame(frame, colourSet);
}

// Active while the menu is in `state`, else behind the window that is.
int SetUnless(const CBattleMenu& menu, int state)
{
    return menu.BattleMenuState == state ? BATTLE_WINDOW_ACTIVE : BATTLE_WINDOW_BEHIND;
}

bool OnLastPage(const CBattleMenu& menu)
{
    return menu.ListPageCount == menu.ListPage + 1;
}

} // namespace

void CBattleMenu::DrawItemListWindow()
{
    DrawFrame(OnLastPage(*this) ? BATTLE_FRAME_ITEM_LAST : BATTLE_FRAME_ITEM_FULL, SetUnless(*this, BATTLE_MENU_ITEMS));
}

void CBattleMenu::DrawMagicListWindow()
{
    DrawFrame(OnLastPage(*this) ? BATTLE_FRAME_MAGIC_LAST : BATTLE_FRAME_MAGIC_FULL,
              SetUnless(*this, BATTLE_MENU_MAGIC));
}

void CBattleMenu::DrawItemDescription(int)
{
    DrawFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawMagicDescription(int)
{
    DrawFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawSkillDescription(int, int)
{
    DrawFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawAilmentDescription(int)
{
    DrawFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawTargetWindow(int frame, float, const std::uint8_t*, std::uint8_t)
{
    DrawFrame(frame, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawSkillMemberWindow()
{
    DrawFrame(BATTLE_FRAME_SKILL_MEMBERS, SetUnless(*this, BATTLE_MENU_SKILL_MEMBER));
}

void CBattleMenu::DrawSkillListWindow()
{
    DrawFrame(BATTLE_FRAME_SKILLS, SetUnless(*this, BATTLE_MENU_SKILLS));
}

void CBattleMenu::DrawSettingListWindow()
{
    DrawFrame(BATTLE_FRAME_SETTINGS, SetUnless(*this, BATTLE_MENU_SETTINGS));
}

void CBattleMenu::DrawSettingHelp()
{
    DrawFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
}

bool CBattleMenu::DrawButtonLabel(MenuTextOrigin&, int)
{
    return true;
}

bool CBattleMenu::DrawPlusSign(MenuTextOrigin&)
{
    return true;
}

void CBattleMenu::DrawShortcutSlotWindow()
{
    DrawFrame(BATTLE_FRAME_SHORTCUT_SLOTS, SetUnless(*this, BATTLE_MENU_SHORTCUT_SLOTS));
}

void CBattleMenu::DrawShortcutDescription()
{
    DrawFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawShortcutActionWindow()
{
    DrawFrame(BATTLE_FRAME_SHORTCUT_ACTION, SetUnless(*this, BATTLE_MENU_SHORTCUT_ACTION));
}

void CBattleMenu::DrawShortcutItemList()
{
    DrawFrame(OnLastPage(*this) ? BATTLE_FRAME_SHORTCUT_ITEM_LAST : BATTLE_FRAME_SHORTCUT_ITEM_FULL,
              BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawShortcutMagicList()
{
    DrawFrame(OnLastPage(*this) ? BATTLE_FRAME_SHORTCUT_MAGIC_LAST : BATTLE_FRAME_SHORTCUT_MAGIC_FULL,
              BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawShortcutSkillList()
{
    DrawFrame(BATTLE_FRAME_SHORTCUT_SKILLS, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawLeaderChoiceWindow()
{
    DrawFrame(BATTLE_FRAME_LEADER, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawAiMagicChoiceWindow()
{
    DrawFrame(BATTLE_FRAME_AI_MAGIC, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawPercentChoiceWindow()
{
    DrawFrame(BATTLE_FRAME_PERCENT, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawInterruptChoiceWindow()
{
    DrawFrame(BATTLE_FRAME_INTERRUPT, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawItemPriorityChoiceWindow()
{
    DrawFrame(BATTLE_FRAME_ITEM_PRIORITY, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawChantCheckChoiceWindow()
{
    DrawFrame(BATTLE_FRAME_CHANT_CHECK, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawAilmentToggleWindow()
{
    DrawFrame(BATTLE_FRAME_AILMENTS, BATTLE_WINDOW_ACTIVE);
}

void CBattleMenu::DrawEscapeWindow()
{
    DrawFrame(BATTLE_FRAME_ESCAPE, BATTLE_WINDOW_ACTIVE);
}
