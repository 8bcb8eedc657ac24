// The item and magic pages: their lists, and the target windows that use
// an item or order the third member's magic.
#include "battle/BattleMenu.h"
#include "battle/BattleMenuKeys.h"
#include "core/Parts.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

// The battle item under the list's selection, or -1 past the list.
int SelectedItem(const CBattleMenu& menu)
{
    const GameData& data = *TheGameData;
    return menu.ListIndex >= 0 && menu.ListIndex < data.battleItemCount ? data.battleItemList[menu.ListIndex] : -1;
}

int SelectedMagic(const CBattleMenu& menu)
{
    const GameData& data = *TheGameData;
    return menu.ListIndex >= 0 && menu.ListIndex < data.magicListCount ? data.magicList[menu.ListIndex] : -1;
}

int TargetRows(const CBattleMenu& menu)
{
    return menu.TargetKind == BATTLE_TARGET_MEMBERS ? 4 : 2;
}

bool OnCancelRow(const CBattleMenu& menu)
{
    return menu.TargetCursor == TargetRows(menu) - 1;
}

} // namespace

void CBattleMenu::UpdateItemListState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_SHORTCUTS);
    if (buttons & MENU_BUTTON_CONFIRM)
        return EnterWithConfirm(BATTLE_MENU_ITEM_TARGET);
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_COMMAND);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & BATTLE_SHORTCUT_BUTTONS) {
        ClearRepeatAndSwing();
        return TheCharacter->AssignItemShortcut(SelectedItem(*this), static_cast<int>(buttons));
    }
    PageMoveList();
}

void CBattleMenu::UpdateItemTargetState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_SHORTCUTS);
    if (buttons & MENU_BUTTON_CONFIRM) {
        if (OnCancelRow(*this)) {
            PlaySoundEffect(SE_CONFIRM);
            return SetBattleMenuState(BATTLE_MENU_ITEMS);
        }
        ClearRepeatAndSwing();
        const int item = SelectedItem(*this);
        if (item < 0 || TargetMask[TargetCursor] == 0 || ItemCooldownRunning::IsSet(TheCharacter->partyWordB) ||
            !UseBattleItem(item, TargetCursor, false))
            return PlaySoundEffect(SE_REFUSE);
        RebuildMemberIndicators();
        if (TheGameData->HeldCount(ITEM_CATEGORY_ITEM, item) == 0) {
            // The last one is gone: the list is rebuilt and the selection re-clamped.
            SetBattleMenuState(BATTLE_MENU_ITEMS);
            return RefreshBattleMenuWindow(BATTLE_MENU_ITEMS, true);
        }
        BuildItemCountText(TheGameData->battleItemList, TheGameData->battleItemCount);
        return SetBattleMenuState(BATTLE_MENU_ITEMS);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_ITEMS);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & BATTLE_SHORTCUT_BUTTONS) {
        ClearRepeatAndSwing();
        return TheCharacter->AssignItemShortcut(SelectedItem(*this), static_cast<int>(buttons));
    }
    MoveStateCursor(TargetCursor, TargetRows(*this));
}

void CBattleMenu::UpdateMagicListState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_SHORTCUTS);
    if (buttons & MENU_BUTTON_CONFIRM)
        return EnterWithConfirm(BATTLE_MENU_MAGIC_TARGET);
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_COMMAND);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & MENU_BUTTON_SECOND)
        return ToggleSelectedMagic();
    if (buttons & BATTLE_SHORTCUT_BUTTONS) {
        ClearRepeatAndSwing();
        return TheCharacter->AssignMagicShortcut(SelectedMagic(*this), static_cast<int>(buttons));
    }
    PageMoveList();
}

void CBattleMenu::UpdateMagicTargetState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_SHORTCUTS);
    if (buttons & MENU_BUTTON_CONFIRM) {
        if (OnCancelRow(*this)) {
            PlaySoundEffect(SE_CONFIRM);
            return SetBattleMenuState(BATTLE_MENU_MAGIC);
        }
        ClearRepeatAndSwing();
        const int magic = SelectedMagic(*this);
        if (magic < 0 || TargetMask[TargetCursor] == 0 ||
            !OrderThirdMemberMagic(static_cast<std::uint32_t>(magic), static_cast<std::uint32_t>(TargetCursor)))
            return PlaySoundEffect(SE_REFUSE);
        PlaySoundEffect(SE_CONFIRM);
        TheGameData->CheckMagicUsable(magic, TargetMask, true);
        return SetBattleMenuState(BATTLE_MENU_MAGIC);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_MAGIC);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & BATTLE_SHORTCUT_BUTTONS) {
        ClearRepeatAndSwing();
        TheCharacter->AssignMagicShortcut(SelectedMagic(*this), static_cast<int>(buttons));
        return ReplanThirdMember();
    }
    MoveStateCursor(TargetCursor, TargetRows(*this));
}

// Button 3 on a magic: the third member may or may not cast it by itself.
void CBattleMenu::ToggleSelectedMagic()
{
    PlaySoundEffect(SE_TOGGLE);
    ClearRepeatAndSwing();
    TheCharacter->ToggleSkillEnabled(SelectedMagic(*this));
    ReplanThirdMember();
}
