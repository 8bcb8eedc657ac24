// The battle menu's states: the per-frame dispatch, opening a state with
// fresh selections, showing one with the selections kept, closing, and the
// actions the state handlers share.
#include "battle/BattleMenu.h"
#include "battle/MagicCircle.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

// The looping sound that magic circles keep running.
constexpr int kCircleLoop = 0;

// Each state's window: the battle frame its cursor stands in.
constexpr int kStateFrame[BATTLE_MENU_STATE_COUNT] = {
    BATTLE_FRAME_COMMAND,
    BATTLE_FRAME_ITEM_LAST,
    BATTLE_FRAME_ITEM_TARGET,
    BATTLE_FRAME_MAGIC_LAST,
    BATTLE_FRAME_MAGIC_TARGET,
    BATTLE_FRAME_SKILL_MEMBERS,
    BATTLE_FRAME_SKILLS,
    BATTLE_FRAME_SKILL_TARGET,
    BATTLE_FRAME_SETTINGS,
    BATTLE_FRAME_SHORTCUT_SLOTS,
    BATTLE_FRAME_SHORTCUT_ACTION,
    BATTLE_FRAME_SHORTCUT_ITEM_LAST,
    BATTLE_FRAME_SHORTCUT_MAGIC_LAST,
    BATTLE_FRAME_SHORTCUT_SKILLS,
    BATTLE_FRAME_LEADER,
    BATTLE_FRAME_AI_MAGIC,
    BATTLE_FRAME_PERCENT,
    BATTLE_FRAME_PERCENT,
    BATTLE_FRAME_PERCENT,
    BATTLE_FRAME_AILMENTS,
    BATTLE_FRAME_INTERRUPT,
    BATTLE_FRAME_ITEM_PRIORITY,
    BATTLE_FRAME_CHANT_CHECK,
    BATTLE_FRAME_ESCAPE,
};

// The ailment toggles stand in two columns this far apart.
constexpr int kAilmentColumns = 2;
constexpr float kAilmentColumnPitch = 56.0f;

CMapMenu& Keys()
{
    return *TheMapMenu;
}

// An option value read from the party's words, kept inside its window.
std::int8_t ClampedOption(std::uint32_t value, int count)
{
    return static_cast<std::int8_t>(static_cast<int>(value) < count ? static_cast<int>(value) : count - 1);
}

} // namespace

void CBattleMenu::UpdateBattleMenu()
{
    SceneTrace::Note("UpdateBattleMenu");
    Keys().UpdateKeyRepeat();
    switch (BattleMenuState) {
    case BATTLE_MENU_COMMAND:
        return UpdateCommandState();
    case BATTLE_MENU_ITEMS:
        return UpdateItemListState();
    case BATTLE_MENU_ITEM_TARGET:
        return UpdateItemTargetState();
    case BATTLE_MENU_MAGIC:
        return UpdateMagicListState();
    case BATTLE_MENU_MAGIC_TARGET:
        return UpdateMagicTargetState();
    case BATTLE_MENU_SKILL_MEMBER:
        return UpdateSkillMemberState();
    case BATTLE_MENU_SKILLS:
        return UpdateSkillListState();
    case BATTLE_MENU_SKILL_TARGET:
        return UpdateSkillTargetState();
    case BATTLE_MENU_ESCAPE:
        return UpdateEscapeState();
    default:
        if (BattleMenuState >= BATTLE_MENU_SETTINGS && BattleMenuState < BATTLE_MENU_ESCAPE)
            UpdateBattleSettingStates();
        return;
    }
}

void CBattleMenu::EnterBattleMenuState(int state)
{
    SceneTrace::Note("EnterBattleMenuState", state);
    const CCharacter& party = *TheCharacter;
    switch (state) {
    case BATTLE_MENU_COMMAND:
        ThePlaySE->SetLoopSE(kCircleLoop, false, true);
        PlaySoundEffect(SE_MENU_OPEN_CLOSE);
        TheGameData->RebuildItemLists(LIST_BATTLE_ITEMS, false);
        TheCharacter->SetBattlePhase(BATTLE_PHASE_MENU);
        RebuildMemberIndicators();
        TopCursor = 0;
        break;
    case BATTLE_MENU_ITEMS:
    case BATTLE_MENU_MAGIC:
    case BATTLE_MENU_SHORTCUT_ITEM:
    case BATTLE_MENU_SHORTCUT_MAGIC:
        PageText = PageNumberLine{};
        ListIndex = ListPage = ListCount = 0;
        ListRows = 0;
        break;
    case BATTLE_MENU_ITEM_TARGET:
    case BATTLE_MENU_MAGIC_TARGET:
    case BATTLE_MENU_SKILL_TARGET:
        TargetCursor = 0;
        break;
    case BATTLE_MENU_SKILL_MEMBER:
        SkillMember = 0;
        break;
    case BATTLE_MENU_SKILLS:
    case BATTLE_MENU_SHORTCUT_SKILL:
        SkillIndex = 0;
        break;
    case BATTLE_MENU_SETTINGS:
        SettingIndex = SettingPage = 0;
        SettingRows = 0;
        break;
    case BATTLE_MENU_SHORTCUT_SLOTS:
        ShortcutSlot = 0;
        break;
    case BATTLE_MENU_SHORTCUT_ACTION:
        ShortcutAction = 0;
        break;
    case BATTLE_MENU_LEADER:
        SetOptionEntry(PARTY_MEMBER_COUNT, LeaderField::Get(party.partyWordC));
        break;
    case BATTLE_MENU_AI_MAGIC:
        SetOptionEntry(2, MagicOff::Get(party.partyWordC));
        break;
    case BATTLE_MENU_HEAL_PERCENT:
        SetOptionEntry(10, HpThresholdA::Get(party.partyWordC));
        break;
    case BATTLE_MENU_PRAYER_PERCENT:
        SetOptionEntry(10, HpThresholdIndex::Get(party.partyWordD));
        break;
    case BATTLE_MENU_GROUP_HEAL_PERCENT:
        SetOptionEntry(10, HpThresholdB::Get(party.partyWordC));
        break;
    case BATTLE_MENU_AILMENTS:
        OptionValue = 0;
        break;
    case BATTLE_MENU_INTERRUPT:
        SetOptionEntry(2, KeepActionsOption::Get(party.partyWordD));
        break;
    case BATTLE_MENU_ITEM_PRIORITY:
        SetOptionEntry(2, 1u - HealLeaderFirst::Get(party.partyWordC));
        break;
    case BATTLE_MENU_CHANT_CHECK:
        SetOptionEntry(2, 1u - IgnoreStockCheck::Get(party.partyWordC));
        break;
    case BATTLE_MENU_ESCAPE:
        EscapeCursor = 1;
        flags = IsPartyActionable() ? (flags | kCanEscape) : (flags & ~kCanEscape);
        break;
    default:
        break;
    }
    SetBattleMenuState(state);
    switch (state) {
    case BATTLE_MENU_ITEMS:
    case BATTLE_MENU_ITEM_TARGET:
    case BATTLE_MENU_MAGIC:
    case BATTLE_MENU_MAGIC_TARGET:
    case BATTLE_MENU_SKILL_TARGET:
    case BATTLE_MENU_SETTINGS:
    case BATTLE_MENU_SHORTCUT_ITEM:
    case BATTLE_MENU_SHORTCUT_MAGIC:
        RefreshBattleMenuWindow(state, true);
        break;
    case BATTLE_MENU_SHORTCUT_ACTION:
        TheGameData->RebuildItemLists(LIST_BATTLE_ITEMS, false);
        break;
    default:
        break;
    }
}

void CBattleMenu::SetOptionEntry(int count, std::uint32_t value)
{
    OptionCount = static_cast<std::int8_t>(count);
    OptionValue = ClampedOption(value, count);
}

int CBattleMenu::StateCursorRow(int state) const
{
    switch (state) {
    case BATTLE_MENU_COMMAND:
        return TopCursor;
    case BATTLE_MENU_ITEMS:
    case BATTLE_MENU_MAGIC:
    case BATTLE_MENU_SHORTCUT_ITEM:
    case BATTLE_MENU_SHORTCUT_MAGIC:
        return ListIndex - BATTLE_LIST_PAGE_ROWS * ListPage;
    case BATTLE_MENU_ITEM_TARGET:
    case BATTLE_MENU_MAGIC_TARGET:
    case BATTLE_MENU_SKILL_TARGET:
        return TargetCursor;
    case BATTLE_MENU_SKILL_MEMBER:
        return SkillMember;
    case BATTLE_MENU_SKILLS:
    case BATTLE_MENU_SHORTCUT_SKILL:
        return SkillIndex;
    case BATTLE_MENU_SETTINGS:
        return SettingIndex - BATTLE_LIST_PAGE_ROWS * SettingPage;
    case BATTLE_MENU_SHORTCUT_SLOTS:
        return ShortcutSlot;
    case BATTLE_MENU_SHORTCUT_ACTION:
        return ShortcutAction;
    case BATTLE_MENU_AILMENTS:
        return OptionValue / kAilmentColumns;
    case BATTLE_MENU_ESCAPE:
        return EscapeCursor;
    default:
        return OptionValue;
    }
}

void CBattleMenu::SetBattleMenuState(int state)
{
    BattleMenuState = state;
    ClearRepeatAndSwing();
    if (state < 0 || state >= BATTLE_MENU_STATE_COUNT)
        return;
    CursorFrame = kStateFrame[state];
    const CFixedWindowSet::Rect& frame = TheFixedWindowSet->cursorRects[CursorFrame];
    const float column = state == BATTLE_MENU_AILMENTS ? kAilmentColumnPitch * (OptionValue % kAilmentColumns) : 0.0f;
    SetBattleMenuCursorX(frame.left, column);
    SetBattleMenuCursorRow(frame.top, StateCursorRow(state));
}

void CBattleMenu::CloseBattleMenu()
{
    SceneTrace::Note("CloseBattleMenu");
    TheCharacter->SetBattlePhase(BATTLE_PHASE_ACTION);
    // The circles' loop was faded out when the menu opened; it comes back only while one lives.
    if (TheMagicCircle != nullptr)
        TheMagicCircle->AnyMagicCircle();
}

// --- The actions the handlers share ---

void CBattleMenu::ClearRepeatAndSwing()
{
    Keys().ResetMenuCursorAnimation();
    Keys().ResetKeyRepeat();
}

void CBattleMenu::EnterWithConfirm(int state)
{
    PlaySoundEffect(SE_CONFIRM);
    EnterBattleMenuState(state);
}

void CBattleMenu::BackTo(int state)
{
    PlaySoundEffect(SE_CANCEL);
    SetBattleMenuState(state);
}

void CBattleMenu::Refuse()
{
    PlaySoundEffect(SE_REFUSE);
    ClearRepeatAndSwing();
}

void CBattleMenu::CloseWithSound(int sound)
{
    PlaySoundEffect(sound);
    CloseBattleMenu();
}

void CBattleMenu::MoveStateCursor(std::int8_t& cursor, int count)
{
    MoveBattleMenuCursor(cursor, count);
    Keys().AnimateMenuCursor();
}

void CBattleMenu::MoveStateCursor(std::uint8_t& cursor, int count)
{
    MoveBattleMenuCursor(cursor, count);
    Keys().AnimateMenuCursor();
}

void CBattleMenu::PageMoveList()
{
    if (!MoveListCursorWithPages(BATTLE_LIST_PAGE_ROWS, &ListIndex, &ListCount, &ListPage, &ListPageCount, &ListRows))
        Keys().AnimateMenuCursor();
}

void CBattleMenu::PageMoveSettings()
{
    if (!MoveListCursorWithPages(BATTLE_LIST_PAGE_ROWS, &SettingIndex, &SettingCount, &SettingPage, &SettingPageCount,
                                 &SettingRows))
        Keys().AnimateMenuCursor();
}
