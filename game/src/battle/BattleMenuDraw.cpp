// The menu frame: the status panel in its menu layout, the command window,
// the windows of the current state in their order, and the hand cursor.
#include "battle/BattleBackground.h"
#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "media/FixedWindowSet.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kCommandBound = 8;
constexpr int kRemainBound = 4;
constexpr int kWindowsPerState = 5;
// The skills on the shortcut page are the third member's.
constexpr int kShortcutSkillMember = 2;

using WindowDrawer = void (*)(CBattleMenu&);

void ItemDescription(CBattleMenu& menu)
{
    const GameData& data = *TheGameData;
    if (menu.ListIndex >= 0 && menu.ListIndex < data.battleItemCount)
        menu.DrawItemDescription(data.battleItemList[menu.ListIndex]);
}
void MagicDescription(CBattleMenu& menu)
{
    const GameData& data = *TheGameData;
    if (menu.ListIndex >= 0 && menu.ListIndex < data.magicListCount)
        menu.DrawMagicDescription(data.magicList[menu.ListIndex]);
}
void SkillDescription(CBattleMenu& menu)
{
    menu.DrawSkillDescription(menu.SkillMember, menu.SkillIndex);
}
void ShortcutSkillDescription(CBattleMenu& menu)
{
    menu.DrawSkillDescription(kShortcutSkillMember, menu.SkillIndex);
}
void AilmentDescription(CBattleMenu& menu)
{
    menu.DrawAilmentDescription(menu.OptionValue);
}
void RemainCount(CBattleMenu& menu)
{
    if (ItemUsesLimited::IsSet(TheCharacter->partyWordD))
        menu.DrawRemainCountWindow();
}
void ItemTarget(CBattleMenu& menu)
{
    menu.DrawTargetWindow(BATTLE_FRAME_ITEM_TARGET, BATTLE_MENU_DEPTH_SUB, menu.TargetMask, menu.TargetKind);
}
void MagicTarget(CBattleMenu& menu)
{
    menu.DrawTargetWindow(BATTLE_FRAME_MAGIC_TARGET, BATTLE_MENU_DEPTH_SUB, menu.TargetMask, menu.TargetKind);
}
void SkillTarget(CBattleMenu& menu)
{
    menu.DrawTargetWindow(BATTLE_FRAME_SKILL_TARGET, BATTLE_MENU_DEPTH_SKILL_TARGET, menu.TargetMask, menu.TargetKind);
}
void ItemList(CBattleMenu& menu)
{
    menu.DrawItemListWindow();
}
void MagicList(CBattleMenu& menu)
{
    menu.DrawMagicListWindow();
}
void SkillMembers(CBattleMenu& menu)
{
    menu.DrawSkillMemberWindow();
}
void SkillList(CBattleMenu& menu)
{
    menu.DrawSkillListWindow();
}
void SettingHelp(CBattleMenu& menu)
{
    menu.DrawSettingHelp();
}
void SettingList(CBattleMenu& menu)
{
    menu.DrawSettingListWindow();
}
void ShortcutDescription(CBattleMenu& menu)
{
    menu.DrawShortcutDescription();
}
void ShortcutSlots(CBattleMenu& menu)
{
    menu.DrawShortcutSlotWindow();
}
void ShortcutActions(CBattleMenu& menu)
{
    menu.DrawShortcutActionWindow();
}
void ShortcutItems(CBattleMenu& menu)
{
    menu.DrawShortcutItemList();
}
void ShortcutMagic(CBattleMenu& menu)
{
    menu.DrawShortcutMagicList();
}
void ShortcutSkills(CBattleMenu& menu)
{
    menu.DrawShortcutSkillList();
}
void LeaderChoice(CBattleMenu& menu)
{
    menu.DrawLeaderChoiceWindow();
}
void AiMagicChoice(CBattleMenu& menu)
{
    menu.DrawAiMagicChoiceWindow();
}
void PercentChoice(CBattleMenu& menu)
{
    menu.DrawPercentChoiceWindow();
}
void AilmentToggles(CBattleMenu& menu)
{
    menu.DrawAilmentToggleWindow();
}
void InterruptChoice(CBattleMenu& menu)
{
    menu.DrawInterruptChoiceWindow();
}
void ItemPriorityChoice(CBattleMenu& menu)
{
    menu.DrawItemPriorityChoiceWindow();
}
void ChantCheckChoice(CBattleMenu& menu)
{
    menu.DrawChantCheckChoiceWindow();
}
void EscapeWindow(CBattleMenu& menu)
{
    menu.DrawEscapeWindow();
}

// The windows of each state, back to front.
constexpr WindowDrawer kStateWindows[BATTLE_MENU_STATE_COUNT][kWindowsPerState] = {
    {RemainCount},
    {ItemDescription, ItemList},
    {ItemDescription, ItemList, ItemTarget},
    {MagicDescription, MagicList},
    {MagicDescription, MagicList, MagicTarget},
    {SkillMembers},
    {SkillDescription, SkillMembers, SkillList},
    {SkillDescription, SkillMembers, SkillList, SkillTarget},
    {SettingHelp, SettingList},
    {ShortcutDescription, SettingList, ShortcutSlots},
    {ShortcutDescription, SettingList, ShortcutSlots, ShortcutActions},
    {ItemDescription, SettingList, ShortcutSlots, ShortcutActions, ShortcutItems},
    {MagicDescription, SettingList, ShortcutSlots, ShortcutActions, ShortcutMagic},
    {ShortcutSkillDescription, SettingList, ShortcutSlots, ShortcutActions, ShortcutSkills},
    {SettingHelp, SettingList, LeaderChoice},
    {SettingList, SettingHelp, AiMagicChoice},
    {SettingHelp, SettingList, PercentChoice},
    {SettingHelp, SettingList, PercentChoice},
    {SettingHelp, SettingList, PercentChoice},
    {AilmentDescription, SettingList, AilmentToggles},
    {SettingHelp, SettingList, InterruptChoice},
    {SettingHelp, SettingList, ItemPriorityChoice},
    {SettingHelp, SettingList, ChantCheckChoice},
    {EscapeWindow},
};

} // namespace

void CBattleMenu::DrawBattleMenu()
{
    SceneTrace::Note("DrawBattleMenu");
    TheBattleBackground->DrawBattleHudInMenu();
    const bool commandActive = BattleMenuState == BATTLE_MENU_COMMAND;
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_COMMAND,
                                       commandActive ? BATTLE_WINDOW_ACTIVE : BATTLE_WINDOW_BEHIND);
    // An entry that cannot be chosen now is grey, darker behind another window.
    const std::uint32_t grey = commandActive ? BATTLE_TEXT_UNUSABLE : BATTLE_TEXT_UNUSABLE_BEHIND;
    const std::uint32_t items = TheGameData->battleItemCount != 0 ? BATTLE_TEXT_BLACK : grey;
    const std::uint32_t escape = EscapeAllowed::IsSet(TheCharacter->partyWordD) ? BATTLE_TEXT_BLACK : grey;
    const MenuTextOrigin& first = TextPos[BATTLE_TEXT_ITEMS_ENTRY];
    const MenuTextOrigin& rest = TextPos[BATTLE_TEXT_COMMANDS];
    const MenuTextOrigin& last = TextPos[BATTLE_TEXT_ESCAPE_ENTRY];
    if (!DrawBattleMenuText(first.x, first.y, first.z, items, u"道具", kCommandBound, __LINE__) ||
        !DrawBattleMenuText(rest.x, rest.y, rest.z, BATTLE_TEXT_BLACK, u"魔法\n特技\n設定", kCommandBound, __LINE__,
                            BATTLE_MENU_ROW_HEIGHT) ||
        !DrawBattleMenuText(last.x, last.y, last.z, escape, u"逃走", kCommandBound, __LINE__))
        return;
    if (BattleMenuState >= 0 && BattleMenuState < BATTLE_MENU_STATE_COUNT)
        for (WindowDrawer draw : kStateWindows[BattleMenuState])
            if (draw != nullptr)
                draw(*this);
    DrawBattleMenuCursor();
}

void CBattleMenu::DrawRemainCountWindow()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_REMAIN, BATTLE_WINDOW_ACTIVE);
    const MenuTextOrigin& at = TextPos[BATTLE_TEXT_REMAIN];
    DrawBattleMenuText(at.x, at.y, at.z, BATTLE_TEXT_BLACK, RemainText, kRemainBound, __LINE__);
}
