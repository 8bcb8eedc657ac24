// The equipment pages (a member, a slot, a candidate, or the window saying
// there is none) and the skill pages (a member, its two skills). Equipping
// is the party's service; a map that restores lets it restore the party.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"

namespace {

constexpr int kEquipButtons = 3;
constexpr int kSkillListButtons = 10;
constexpr int kShortcutButtons = 0x3F0; // buttons 4 to 9
constexpr int kMemberRows = 3;
constexpr int kSlotRows = 3;
constexpr int kSkillRows = 2;
constexpr int kShortcutSkillMember = 2; // only the third member's skills go on the buttons

} // namespace

void CMapMenu::UpdateEquipMember()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kEquipButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        SetMapMenuMode(MenuEquipSlot);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(homeMode, SE_CANCEL);
    } else if (!LeftWithMenuButton(pushed)) {
        MoveMenuCursorByKeys(memberCursor, kMemberRows);
        AnimateMenuCursor();
    }
}

void CMapMenu::UpdateEquipSlot()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kEquipButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        SetMapMenuMode(MenuEquipList);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuEquipMember, SE_CANCEL);
    } else if (!LeftWithMenuButton(pushed)) {
        MoveMenuCursorByKeys(slotKind, kSlotRows);
        AnimateMenuCursor();
    }
}

void CMapMenu::UpdateEquipList()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kEquipButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_SET);
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        EquipMemberItem(memberCursor, slotKind, GetEquipListItemId());
        if (TheMap->Header().RestoresParty())
            TheCharacter->RestoreParty();
        PlaceCursorForMode(MenuEquipSlot);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuEquipSlot, SE_CANCEL);
    } else if (!LeftWithMenuButton(pushed)) {
        UpdateListWaiting();
    }
}

// Nothing to offer: either button goes back to the slots.
void CMapMenu::UpdateEquipEmpty()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kEquipButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        BackTo(MenuEquipSlot, SE_CONFIRM);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuEquipSlot, SE_CANCEL);
    } else if (!LeftWithMenuButton(pushed)) {
        AnimateMenuCursor();
    }
}

void CMapMenu::UpdateSkillMember()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kEquipButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        SetMapMenuMode(MenuSkillList);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(homeMode, SE_CANCEL);
    } else if (!LeftWithMenuButton(pushed)) {
        MoveMenuCursorByKeys(memberCursor, kMemberRows);
        AnimateMenuCursor();
    }
}

// A skill cannot be used from here; its second action switches it on or off
// for the member's own use, and the third member's go on the shortcut buttons.
void CMapMenu::UpdateSkillList()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kSkillListButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        PlaySoundEffect(SE_REFUSE);
    } else if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuSkillMember, SE_CANCEL);
    } else if (LeftWithMenuButton(pushed)) {
    } else if (pushed & MENU_BUTTON_SECOND) {
        PlaySoundEffect(SE_TOGGLE);
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        ToggleMemberOption(memberCursor, skillCursor + 1);
    } else if (pushed & kShortcutButtons) {
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        if (memberCursor == kShortcutSkillMember)
            AssignCommandToSlot(skillCursor + 1, pushed);
        else
            PlaySoundEffect(SE_REFUSE);
    } else {
        MoveMenuCursorByKeys(skillCursor, kSkillRows);
        AnimateMenuCursor();
    }
}
