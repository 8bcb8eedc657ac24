// The command window (items, magic, skills, settings, escape) and the
// escape window.
#include "battle/BattleEnd.h"
#include "battle/BattleMenu.h"
#include "battle/BattleMenuKeys.h"
#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

enum CommandRow : int {
    COMMAND_ITEMS = 0,
    COMMAND_MAGIC = 1,
    COMMAND_SKILLS = 2,
    COMMAND_SETTINGS = 3,
    COMMAND_ESCAPE = 4,
    COMMAND_ROWS = 5,
};

enum EscapeRow : int {
    ESCAPE_RUN = 0,
    ESCAPE_CANCEL = 1,
    ESCAPE_ROWS = 2,
};

} // namespace

void CBattleMenu::UpdateCommandState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_EXTRA);
    if (buttons & MENU_BUTTON_CONFIRM) {
        switch (TopCursor) {
        case COMMAND_ITEMS:
            return TheGameData->battleItemCount == 0 ? Refuse() : EnterWithConfirm(BATTLE_MENU_ITEMS);
        case COMMAND_MAGIC:
            return EnterWithConfirm(BATTLE_MENU_MAGIC);
        case COMMAND_SKILLS:
            return EnterWithConfirm(BATTLE_MENU_SKILL_MEMBER);
        case COMMAND_SETTINGS:
            return EnterWithConfirm(BATTLE_MENU_SETTINGS);
        default:
            return EscapeAllowed::IsSet(TheCharacter->partyWordD) ? EnterWithConfirm(BATTLE_MENU_ESCAPE) : Refuse();
        }
    }
    if (buttons & MENU_BUTTON_CANCEL) {
        // With button 10 held, cancel switches the AI's magic on or off instead of closing.
        if (BattleMenuModifierHeld())
            return SetPartyFlag30Ex(0, true, true, true);
        return CloseWithSound(SE_CANCEL);
    }
    if (buttons & MENU_BUTTON_MENU) {
        if (!BattleMenuModifierHeld())
            return CloseWithSound(SE_MENU_OPEN_CLOSE);
        AdvanceAilmentRounds();
    } else if (buttons & MENU_BUTTON_SECOND) {
        SelectLeader(0, true);
    }
    MoveStateCursor(TopCursor, COMMAND_ROWS);
}

void CBattleMenu::UpdateEscapeState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_BASIC);
    if (buttons & MENU_BUTTON_CONFIRM) {
        if (EscapeCursor == ESCAPE_CANCEL) {
            PlaySoundEffect(SE_CONFIRM);
            return SetBattleMenuState(BATTLE_MENU_COMMAND);
        }
        if (!CanEscape())
            return Refuse();
        PlaySoundEffect(SE_ESCAPE);
        return TheBattleEnd->BeginBattleEnd(BATTLE_END_ESCAPED);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_COMMAND);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    MoveStateCursor(EscapeCursor, ESCAPE_ROWS);
}
