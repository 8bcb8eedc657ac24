// The skills page: a member, that member's two skills, and the target
// window that orders the third member's special.
#include "battle/BattleMenu.h"
#include "battle/BattleMenuKeys.h"
#include "core/Parts.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

// Only the third member takes orders for its skills.
constexpr int kOrderedMember = 2;
constexpr int kSkillRows = 2;

int TargetRows(const CBattleMenu& menu)
{
    return menu.TargetKind == BATTLE_TARGET_MEMBERS ? 4 : 2;
}

} // namespace

void CBattleMenu::UpdateSkillMemberState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_BASIC);
    if (buttons & MENU_BUTTON_CONFIRM)
        return EnterWithConfirm(BATTLE_MENU_SKILLS);
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_COMMAND);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    MoveStateCursor(SkillMember, PARTY_MEMBER_COUNT);
}

void CBattleMenu::UpdateSkillListState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_SHORTCUTS);
    if (buttons & MENU_BUTTON_CONFIRM)
        return SkillMember == kOrderedMember ? EnterWithConfirm(BATTLE_MENU_SKILL_TARGET) : Refuse();
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SKILL_MEMBER);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & MENU_BUTTON_SECOND)
        return ToggleSelectedSkill(SkillMember);
    if (buttons & BATTLE_SHORTCUT_BUTTONS)
        return AssignSelectedSkill(buttons);
    MoveStateCursor(SkillIndex, kSkillRows);
}

void CBattleMenu::UpdateSkillTargetState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_SHORTCUTS);
    if (buttons & MENU_BUTTON_CONFIRM) {
        if (TargetCursor == TargetRows(*this) - 1) {
            PlaySoundEffect(SE_CONFIRM);
            return SetBattleMenuState(BATTLE_MENU_SKILLS);
        }
        if (TargetMask[TargetCursor] == 0 || OrderThirdMemberSkill(static_cast<std::uint32_t>(SkillIndex + 1)) == 0)
            return Refuse();
        PlaySoundEffect(SE_CONFIRM);
        return SetBattleMenuState(BATTLE_MENU_SKILLS);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SKILLS);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & BATTLE_SHORTCUT_BUTTONS)
        return AssignSelectedSkill(buttons);
    MoveStateCursor(TargetCursor, TargetRows(*this));
}

// Button 3 on a skill: the member may or may not use it by itself.
void CBattleMenu::ToggleSelectedSkill(int member)
{
    PlaySoundEffect(SE_TOGGLE);
    ClearRepeatAndSwing();
    ToggleMemberOption(member, SkillIndex + 1);
    StopThirdMemberState1();
}

// A shortcut button on a skill: only the third member's skills go on the buttons.
void CBattleMenu::AssignSelectedSkill(std::uint32_t buttons)
{
    ClearRepeatAndSwing();
    if (SkillMember != kOrderedMember)
        return PlaySoundEffect(SE_REFUSE);
    AssignCommandToSlot(SkillIndex + 1, static_cast<int>(buttons));
}
