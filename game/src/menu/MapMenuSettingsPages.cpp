// The settings pages' input: the 17-row settings list, the choice windows
// that store a value only on confirm, the ailment grid, the shortcut pages
// and magic learning.
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "menu/MenuSettingValues.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kPageButtons = 3;
constexpr int kSecondActionButtons = 4;
constexpr int kRowsPerPage = 10;
constexpr int kBlinkFrames = 52;
constexpr int kShortcutButtons = 10;
constexpr int kShortcutKinds = 4;
constexpr int kSkillRows = 2;
constexpr int kLearnRows = 2;
constexpr int kLearnYes = 0;
constexpr int kAilmentColumns = 2;
constexpr float kAilmentPitch = 76.0f;
constexpr int kAilmentRows = 7;
constexpr std::uint32_t kLearningPoints = 0x7F;
constexpr int kSkillMember = 2;

// The slot kinds of the party's shortcut table.
enum SlotKind : int { kSlotNone = 0, kSlotMagic = 1, kSlotItem = 2, kSlotSkill = 4 };
// Battle option fields of the party.
enum BattleOption : int { kHealPercent, kGroupHealPercent, kPrayPercent, kNoInterrupt, kItemsLeader, kChantAnyway };

// The shortcut button row r is slot r + 2 of the two sets of six.
int ShortcutSet(int row)
{
    return (row + 2) / 6;
}
int ShortcutSlot(int row)
{
    return (row + 2) % 6;
}

// The party's values as the choice windows store them.
void StoreSetting(int mode, int value)
{
    switch (mode) {
    case MenuWindowDisplay:
        TheGameData->SetMapHudMode(value);
        break;
    case MenuBgmVolume:
        ThePlayBGM->SetMusicVolume(value);
        break;
    case MenuSeVolume:
        ThePlaySE->SetSoundEffectVolume(value);
        break;
    case MenuTextSpeed:
        TheGameData->SetMessageSpeedOption(value);
        break;
    case MenuScreenEffect:
        TheGameData->SetEffectOption(value);
        break;
    case MenuWalkSpeed:
        TheGameData->SetAutoRunOption(value);
        break;
    case MenuAiMagic:
        SetPartyFlag30Ex(static_cast<std::uint32_t>(value), false, true, false);
        break;
    case MenuAiHealPercent:
        SetBattleOption(kHealPercent, value, 0);
        break;
    case MenuAiPrayPercent:
        SetBattleOption(kPrayPercent, value, 0);
        break;
    case MenuAiGroupHealPercent:
        SetBattleOption(kGroupHealPercent, value, 0);
        break;
    case MenuActionInterrupt:
        SetBattleOption(kNoInterrupt, value, 0);
        break;
    case MenuItemPriority: // row 0 is the stored bit set
        SetBattleOption(kItemsLeader, 1 - value, 0);
        break;
    case MenuChantCheck:
        SetBattleOption(kChantAnyway, 1 - value, 0);
        break;
    default:
        break;
    }
}

// The balloon the player shows after a leader or AI change goes once the
// change is made here.
void ClearPlayerBalloon(int shown)
{
    if (TheMapCharacter != nullptr && TheMapCharacter->balloonState == shown)
        TheMapCharacter->ClearBalloonState();
}

} // namespace

void CMapMenu::UpdateSettingsPages()
{
    switch (mode) {
    case MenuSettings:
        UpdateSettingsList();
        break;
    case MenuShortcutButton:
        UpdateShortcutButtons();
        break;
    case MenuShortcutKind:
        UpdateShortcutKind();
        break;
    case MenuShortcutItem:
    case MenuShortcutMagic:
        UpdateShortcutEntries(mode == MenuShortcutMagic);
        break;
    case MenuShortcutSkill:
        UpdateShortcutSkill();
        break;
    case MenuMagicLearn:
        UpdateMagicLearnList();
        break;
    case MenuMagicLearnConfirm:
        UpdateMagicLearnConfirm();
        break;
    case MenuAiCureAilments:
        UpdateAilmentGrid();
        break;
    default:
        if (mode >= MenuControlledMember && mode <= MenuChantCheck)
            UpdateSettingChoice();
        break;
    }
}

// Refused: the refusal sound, and the cursor starts its repeat and swing again.
void CMapMenu::Refuse()
{
    PlaySoundEffect(SE_REFUSE);
    ResetKeyRepeat();
    ResetMenuCursorAnimation();
}

// Back to a page that was open before, its cursor where it was left.
void CMapMenu::BackTo(int page, int sound)
{
    PlaySoundEffect(sound);
    PlaceCursorForMode(page);
}

void CMapMenu::UpdateSettingsList()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        const int row = settingsList.position;
        PlaySoundEffect(SE_CONFIRM);
        // Rows 0 and 1 open the shortcut and learning pages, the others their choice window.
        SetMapMenuMode(row == 0 ? MenuShortcutButton : row == 1 ? MenuMagicLearn : SettingRowMode(row));
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(homeMode, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    if (MoveListCursorByKeys(kRowsPerPage, settingsList))
        return;
    AnimateMenuCursor();
    settingsList.blinkCounter = (settingsList.blinkCounter + 1) % kBlinkFrames;
}

void CMapMenu::UpdateSettingChoice()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    std::int8_t& value = SettingValue(mode);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        if (mode == MenuControlledMember) {
            SetPartyLeader(value, false);
            ClearPlayerBalloon(CMapCharacter::kBalloonLeader);
        } else {
            StoreSetting(mode, value);
            if (mode == MenuAiMagic)
                ClearPlayerBalloon(CMapCharacter::kBalloonPartyFlag);
        }
        PlaceCursorForMode(MenuSettings);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuSettings, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveMenuCursorByKeys(value, valueCount);
    AnimateMenuCursor();
}

void CMapMenu::UpdateAilmentGrid()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kSecondActionButtons);
    if (pushed & (MENU_BUTTON_CONFIRM | MENU_BUTTON_SECOND)) {
        PlaySoundEffect(SE_TOGGLE);
        TogglePartyOptionBit(FIRST_AILMENT_EFFECT + optionValue);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuSettings, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveGridCursorByKeys(optionValue, AILMENT_COUNT, kAilmentColumns, kAilmentPitch, kAilmentRows, false);
    AnimateMenuCursor();
}

void CMapMenu::UpdateShortcutButtons()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        PlaySoundEffect(SE_CONFIRM);
        SetMapMenuMode(MenuShortcutKind);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuSettings, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveMenuCursorByKeys(shortcutButtonCursor, kShortcutButtons);
    AnimateMenuCursor();
}

void CMapMenu::UpdateShortcutKind()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        switch (shortcutKindCursor) {
        case 0:
            if (TheGameData->battleItemCount <= 0) {
                Refuse();
                return;
            }
            PlaySoundEffect(SE_CONFIRM);
            SetMapMenuMode(MenuShortcutItem);
            return;
        case 1:
            PlaySoundEffect(SE_CONFIRM);
            SetMapMenuMode(MenuShortcutMagic);
            return;
        case 2:
            PlaySoundEffect(SE_CONFIRM);
            SetMapMenuMode(MenuShortcutSkill);
            return;
        default:
            SetShortcut(kSlotNone, 0);
            return;
        }
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuShortcutButton, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveMenuCursorByKeys(shortcutKindCursor, kShortcutKinds);
    AnimateMenuCursor();
}

// The chosen button's slot takes the entry; back to the buttons.
void CMapMenu::SetShortcut(int kind, int id)
{
    PlaySoundEffect(SE_SET);
    SetCommandSlot(ShortcutSlot(shortcutButtonCursor), ShortcutSet(shortcutButtonCursor), kind, id);
    PlaceCursorForMode(MenuShortcutButton);
}

void CMapMenu::UpdateShortcutEntries(bool magic)
{
    const int pushed = ZephKeyInput->GetButtonPushMask(magic ? kSecondActionButtons : kPageButtons);
    const GameData& data = *TheGameData;
    const int at = mainList.position;
    if (pushed & MENU_BUTTON_CONFIRM) {
        const int count = magic ? data.magicListCount : data.battleItemCount;
        if (at < 0 || at >= count) {
            Refuse();
            return;
        }
        SetShortcut(magic ? kSlotMagic : kSlotItem, magic ? data.magicList[at] : data.battleItemList[at]);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuShortcutKind, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    if (magic && (pushed & MENU_BUTTON_SECOND)) {
        PlaySoundEffect(SE_TOGGLE);
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        TheCharacter->ToggleSkillEnabled(ListedMagic());
        return;
    }
    UpdateListWaiting();
}

void CMapMenu::UpdateShortcutSkill()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kSecondActionButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        SetShortcut(kSlotSkill, skillCursor + 1);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuShortcutKind, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    if (pushed & MENU_BUTTON_SECOND) {
        PlaySoundEffect(SE_TOGGLE);
        ResetKeyRepeat();
        ResetMenuCursorAnimation();
        ToggleMemberOption(kSkillMember, skillCursor + 1);
        return;
    }
    MoveMenuCursorByKeys(skillCursor, kSkillRows);
    AnimateMenuCursor();
}

void CMapMenu::UpdateMagicLearnList()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        const int at = mainList.position;
        if (at < 0 || at >= MENU_LEARNABLE_MAGIC || learnStates[at] != MAGIC_LEARNABLE) {
            Refuse();
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        SetMapMenuMode(MenuMagicLearnConfirm);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuSettings, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    UpdateListWaiting();
}

void CMapMenu::UpdateMagicLearnConfirm()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        if (learnConfirmCursor != kLearnYes) {
            BackTo(MenuMagicLearn, SE_CONFIRM);
            return;
        }
        const int magic = mainList.position;
        const int points = static_cast<int>(TheCharacter->partyWordD & kLearningPoints);
        if (magic < 0 || magic >= MENU_LEARNABLE_MAGIC || MAGIC_LEARN_COSTS[magic % MAGIC_CHAIN_LENGTH] > points) {
            Refuse();
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        LearnMagic(magic);
        RefreshMenuList(MenuMagicLearn, true);
        PlaceCursorForMode(MenuMagicLearn);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        BackTo(MenuMagicLearn, SE_CANCEL);
        return;
    }
    if (LeftWithMenuButton(pushed))
        return;
    MoveMenuCursorByKeys(learnConfirmCursor, kLearnRows);
    AnimateMenuCursor();
}
