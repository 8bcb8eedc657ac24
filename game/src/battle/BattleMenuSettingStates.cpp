// The settings page: the ten settings, the shortcut slots with what goes
// into them, the option windows and the ailment toggles.
#include "battle/BattleMenu.h"
#include "battle/BattleMenuKeys.h"
#include "core/Parts.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

// What each settings row opens.
constexpr int kSettingState[BATTLE_SETTING_COUNT] = {
    BATTLE_MENU_SHORTCUT_SLOTS, BATTLE_MENU_LEADER,         BATTLE_MENU_AI_MAGIC,
    BATTLE_MENU_HEAL_PERCENT,   BATTLE_MENU_PRAYER_PERCENT, BATTLE_MENU_GROUP_HEAL_PERCENT,
    BATTLE_MENU_AILMENTS,       BATTLE_MENU_INTERRUPT,      BATTLE_MENU_ITEM_PRIORITY,
    BATTLE_MENU_CHANT_CHECK,
};

enum ShortcutActionRow : int {
    SHORTCUT_ITEM = 0,
    SHORTCUT_MAGIC = 1,
    SHORTCUT_SKILL = 2,
    SHORTCUT_CLEAR = 3,
    SHORTCUT_ACTION_ROWS = 4,
};

// Slot kinds the shortcut window writes.
enum ShortcutKind : int {
    SHORTCUT_KIND_EMPTY = 0,
    SHORTCUT_KIND_MAGIC = 1,
    SHORTCUT_KIND_ITEM = 2,
    SHORTCUT_KIND_SKILL = 4,
};

// The shortcut rows are slots 2 to 5 of the first set, then the six of the second.
constexpr int kShortcutRows = 10;
constexpr int kFirstShortcutSlot = 2;

// The battle options the option windows store.
enum BattleOptionNumber : int {
    OPTION_HEAL = 0,
    OPTION_GROUP_HEAL = 1,
    OPTION_PRAYER = 2,
    OPTION_INTERRUPT = 3,
    OPTION_ITEM_PRIORITY = 4,
    OPTION_CHANT_CHECK = 5,
};

// The ailment toggles: 14 entries, 2 columns of 56 pixels, 7 rows; bit 5
// of the cure choices is the first ailment.
constexpr int kAilmentColumns = 2;
constexpr float kAilmentColumnPitch = 56.0f;
constexpr int kAilmentRows = 7;
// The magic that cures ailments stops when the choices change.
constexpr std::uint32_t kCureMagic = 17;

constexpr int kSkillRows = 2;

} // namespace

void CBattleMenu::UpdateBattleSettingStates()
{
    switch (BattleMenuState) {
    case BATTLE_MENU_SETTINGS:
        return UpdateSettingListState();
    case BATTLE_MENU_SHORTCUT_SLOTS:
        return UpdateShortcutSlotState();
    case BATTLE_MENU_SHORTCUT_ACTION:
        return UpdateShortcutActionState();
    case BATTLE_MENU_SHORTCUT_ITEM:
        return UpdateShortcutItemState();
    case BATTLE_MENU_SHORTCUT_MAGIC:
        return UpdateShortcutMagicState();
    case BATTLE_MENU_SHORTCUT_SKILL:
        return UpdateShortcutSkillState();
    case BATTLE_MENU_AILMENTS:
        return UpdateAilmentToggleState();
    default:
        return UpdateOptionState();
    }
}

void CBattleMenu::UpdateSettingListState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_BASIC);
    if (buttons & MENU_BUTTON_CONFIRM) {
        if (SettingIndex < 0 || SettingIndex >= BATTLE_SETTING_COUNT)
            return;
        return EnterWithConfirm(kSettingState[SettingIndex]);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_COMMAND);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    PageMoveSettings();
}

void CBattleMenu::UpdateShortcutSlotState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_BASIC);
    if (buttons & MENU_BUTTON_CONFIRM)
        return EnterWithConfirm(BATTLE_MENU_SHORTCUT_ACTION);
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SETTINGS);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    MoveStateCursor(ShortcutSlot, kShortcutRows);
}

void CBattleMenu::UpdateShortcutActionState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_BASIC);
    if (buttons & MENU_BUTTON_CONFIRM) {
        switch (ShortcutAction) {
        case SHORTCUT_ITEM:
            return TheGameData->battleItemCount == 0 ? Refuse() : EnterWithConfirm(BATTLE_MENU_SHORTCUT_ITEM);
        case SHORTCUT_MAGIC:
            return EnterWithConfirm(BATTLE_MENU_SHORTCUT_MAGIC);
        case SHORTCUT_SKILL:
            return EnterWithConfirm(BATTLE_MENU_SHORTCUT_SKILL);
        default:
            return WriteSelectedSlot(SHORTCUT_KIND_EMPTY, 0);
        }
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SHORTCUT_SLOTS);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    MoveStateCursor(ShortcutAction, SHORTCUT_ACTION_ROWS);
}

void CBattleMenu::UpdateShortcutItemState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_BASIC);
    if (buttons & MENU_BUTTON_CONFIRM) {
        if (ListIndex < 0 || ListIndex >= TheGameData->battleItemCount)
            return Refuse();
        return WriteSelectedSlot(SHORTCUT_KIND_ITEM, TheGameData->battleItemList[ListIndex]);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SHORTCUT_ACTION);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    PageMoveList();
}

void CBattleMenu::UpdateShortcutMagicState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_EXTRA);
    if (buttons & MENU_BUTTON_CONFIRM) {
        if (ListIndex < 0 || ListIndex >= TheGameData->magicListCount)
            return Refuse();
        return WriteSelectedSlot(SHORTCUT_KIND_MAGIC, TheGameData->magicList[ListIndex]);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SHORTCUT_ACTION);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & MENU_BUTTON_SECOND)
        return ToggleSelectedMagic();
    PageMoveList();
}

void CBattleMenu::UpdateShortcutSkillState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_EXTRA);
    if (buttons & MENU_BUTTON_CONFIRM)
        return WriteSelectedSlot(SHORTCUT_KIND_SKILL, SkillIndex + 1);
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SHORTCUT_ACTION);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    if (buttons & MENU_BUTTON_SECOND)
        return ToggleSelectedSkill(PARTY_MEMBER_COUNT - 1);
    MoveStateCursor(SkillIndex, kSkillRows);
}

void CBattleMenu::UpdateOptionState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_BASIC);
    if (buttons & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        ApplyOptionValue();
        return SetBattleMenuState(BATTLE_MENU_SETTINGS);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SETTINGS);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    MoveStateCursor(OptionValue, OptionCount);
}

void CBattleMenu::UpdateAilmentToggleState()
{
    const std::uint32_t buttons = BattleMenuButtons(BATTLE_KEYS_EXTRA);
    if (buttons & (MENU_BUTTON_CONFIRM | MENU_BUTTON_SECOND)) {
        PlaySoundEffect(SE_TOGGLE);
        TogglePartyOptionBit(OptionValue + FIRST_AILMENT_EFFECT);
        return StopThirdMemberMagicIf(kCureMagic);
    }
    if (buttons & MENU_BUTTON_CANCEL)
        return BackTo(BATTLE_MENU_SETTINGS);
    if (buttons & MENU_BUTTON_MENU)
        return CloseWithSound(SE_MENU_OPEN_CLOSE);
    TheMapMenu->MoveGridCursorByKeys(OptionValue, AILMENT_COUNT, kAilmentColumns, kAilmentColumnPitch, kAilmentRows,
                                     true);
    TheMapMenu->AnimateMenuCursor();
}

// The value chosen in an option window goes where its setting lives.
void CBattleMenu::ApplyOptionValue()
{
    const int value = OptionValue;
    switch (BattleMenuState) {
    case BATTLE_MENU_LEADER:
        return SelectLeader(static_cast<std::uint32_t>(value), false);
    case BATTLE_MENU_AI_MAGIC:
        return SetPartyFlag30Ex(static_cast<std::uint32_t>(value), false, true, false);
    case BATTLE_MENU_HEAL_PERCENT:
        return SetBattleOption(OPTION_HEAL, value, true);
    case BATTLE_MENU_PRAYER_PERCENT:
        return SetBattleOption(OPTION_PRAYER, value, true);
    case BATTLE_MENU_GROUP_HEAL_PERCENT:
        return SetBattleOption(OPTION_GROUP_HEAL, value, true);
    case BATTLE_MENU_INTERRUPT:
        return SetBattleOption(OPTION_INTERRUPT, value, true);
    // The first value shown ("優先する", "詠唱する") is the set bit.
    case BATTLE_MENU_ITEM_PRIORITY:
        return SetBattleOption(OPTION_ITEM_PRIORITY, 1 - value, true);
    case BATTLE_MENU_CHANT_CHECK:
        return SetBattleOption(OPTION_CHANT_CHECK, 1 - value, true);
    default:
        return;
    }
}

// A shortcut row's slot gets the entry, and the slot window comes back.
void CBattleMenu::WriteSelectedSlot(int kind, int id)
{
    PlaySoundEffect(SE_SET);
    const int slot = ShortcutSlot + kFirstShortcutSlot;
    SetCommandSlot(slot % QUICK_SLOTS_PER_PAGE, slot / QUICK_SLOTS_PER_PAGE, kind, id);
    SetBattleMenuState(BATTLE_MENU_SHORTCUT_SLOTS);
}
