// The settings page of the command menu: the list of the ten battle
// settings, the help of the one under the cursor with its current value, the
// option windows that offer the values, and the escape window.
#include <algorithm>

#include "battle/BattleMenu.h"
#include "battle/BattleMenuTables.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/KeyNames.h"

namespace {

using battlemenu::PercentValueTable;

constexpr float kHelpX = 128.0f;
constexpr float kHelpY = 394.0f;
constexpr float kValueX = 224.0f;
constexpr float kDepth = BATTLE_MENU_DEPTH_BACK;
constexpr int kHelpBound = 33;
constexpr int kSettingNameBound = 8;
constexpr float kAilmentColumnPitch = 56.0f;

// Settings by number, as the help and its value read them.
enum SettingNumber : int {
    SETTING_SHORTCUT = 0,
    SETTING_LEADER = 2,
    SETTING_AI_MAGIC = 9,
    SETTING_HEAL = 10,
    SETTING_PRAYER = 11,
    SETTING_GROUP_HEAL = 12,
    SETTING_AILMENTS = 13,
    SETTING_INTERRUPT = 14,
    SETTING_ITEM_PRIORITY = 15,
    SETTING_CHANT_CHECK = 16,
};

// The buttons the help of a setting names.
constexpr int kLeaderButton = 3;
constexpr int kAiMagicButton = 1;
constexpr int kShiftButton = 10;

const CFixedWindowSet::Rect& FrameRect(int frame)
{
    return TheFixedWindowSet->cursorRects[frame];
}

// The setting number of a battle settings row, or -1 past the list.
int SettingOfRow(int row)
{
    return row >= 0 && row < battlemenu::BATTLE_SETTING_ROWS ? battlemenu::BattleSettingNumbers[row] : -1;
}

// A threshold field holds 0 to 9 for 9 % to 99 %; a damaged record may hold
// more, which shows as the highest.
const char16_t* PercentText(std::uint32_t value)
{
    return PercentValueTable[std::min<std::uint32_t>(value, battlemenu::PERCENT_VALUE_COUNT - 1)];
}

// The current value a setting's help shows, or null for none.
const char16_t* CurrentValueText(int setting)
{
    const std::uint32_t c = TheCharacter->partyWordC;
    const std::uint32_t d = TheCharacter->partyWordD;
    switch (setting) {
    case SETTING_LEADER:
        return MemberNameTable[std::min<std::uint32_t>(LeaderField::Get(c), MEMBER_NAME_COUNT - 1)];
    case SETTING_AI_MAGIC:
        return MagicOff::IsSet(c) ? u"使用しない" : u"使用する";
    case SETTING_HEAL:
        return PercentText(HpThresholdA::Get(c));
    case SETTING_PRAYER:
        return PercentText(HpThresholdIndex::Get(d));
    case SETTING_GROUP_HEAL:
        return PercentText(HpThresholdB::Get(c));
    case SETTING_INTERRUPT:
        return KeepActionsOption::IsSet(d) ? u"中断しない" : u"中断する";
    case SETTING_ITEM_PRIORITY:
        return HealLeaderFirst::IsSet(c) ? u"優先する" : u"優先しない";
    case SETTING_CHANT_CHECK:
        return IgnoreStockCheck::IsSet(c) ? u"詠唱する" : u"詠唱しない";
    default:
        return nullptr;
    }
}

// Rows of fixed texts from a frame's left and top, in an option window.
template <int N> void DrawOptionRows(int frame, const char16_t* const (&rows)[N], int line)
{
    TheFixedWindowSet->DrawCursorFrame(frame, BATTLE_WINDOW_ACTIVE);
    const auto& rect = FrameRect(frame);
    for (int r = 0; r < N; ++r)
        if (!CBattleMenu::DrawBattleMenuText(rect.left, rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(r),
                                             BATTLE_MENU_DEPTH_SUB, BATTLE_TEXT_BLACK, rows[r], MenuTextLength(rows[r]),
                                             line))
            return;
}

} // namespace

void CBattleMenu::DrawSettingListWindow()
{
    TheFixedWindowSet->DrawCursorFrame(
        BATTLE_FRAME_SETTINGS, BattleMenuState == BATTLE_MENU_SETTINGS ? BATTLE_WINDOW_ACTIVE : BATTLE_WINDOW_BEHIND);
    const auto& rect = FrameRect(BATTLE_FRAME_SETTINGS);
    for (int r = 0; r < SettingRows; ++r) {
        const int setting = SettingOfRow(SettingPage * battlemenu::BATTLE_SETTING_ROWS + r);
        if (setting < 0)
            continue;
        if (!DrawBattleMenuText(rect.left, rect.top + BATTLE_MENU_ROW_HEIGHT * static_cast<float>(r),
                                BATTLE_MENU_DEPTH_LIST, BATTLE_TEXT_BLACK, battlemenu::SettingNameTable[setting].name,
                                kSettingNameBound, __LINE__))
            return;
    }
}

void CBattleMenu::DrawSettingHelp()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
    const int setting = SettingOfRow(SettingIndex);
    if (setting < 0)
        return;
    if (!DrawBattleMenuText(kHelpX, kHelpY, kDepth, BATTLE_TEXT_BLACK, battlemenu::SettingNameTable[setting].help,
                            kHelpBound, __LINE__, BATTLE_MENU_ROW_HEIGHT))
        return;
    // The help of settings 14 to 16 takes two lines.
    float y = kHelpY + BATTLE_MENU_ROW_HEIGHT * (setting < SETTING_INTERRUPT ? 1.0f : 2.0f);
    if (setting == SETTING_LEADER || setting == SETTING_AI_MAGIC) {
        MenuTextOrigin pen{kHelpX, y, kDepth};
        const bool drawn = setting == SETTING_LEADER ? DrawButtonLabel(pen, kLeaderButton)
                                                     : DrawButtonLabel(pen, kAiMagicButton) && DrawPlusSign(pen) &&
                                                           DrawButtonLabel(pen, kShiftButton);
        if (!drawn)
            return;
        y += BATTLE_MENU_ROW_HEIGHT;
    }
    const char16_t* value = CurrentValueText(setting);
    if (value == nullptr)
        return;
    if (DrawBattleMenuText(kHelpX, y, kDepth, BATTLE_TEXT_BLACK, u"現在の設定:", 6, __LINE__))
        DrawBattleMenuText(kValueX, y, kDepth, BATTLE_TEXT_BLACK, value, MenuTextLength(value), __LINE__);
}

bool CBattleMenu::DrawButtonLabel(MenuTextOrigin& pen, int button)
{
    if (button < 0 || button >= KEY_NAME_SLOT_COUNT)
        return true;
    const char16_t number[3] = {button < 10 ? static_cast<char16_t>(u'0' + button) : u'1',
                                button < 10 ? u'\0' : static_cast<char16_t>(u'0' + button - 10), 0};
    const int digits = button < 10 ? 1 : 2;
    if (!DrawBattleMenuText(pen.x, pen.y, pen.z, BATTLE_TEXT_BLACK, u"ボタン", 3, __LINE__))
        return false;
    pen.x += 48.0f;
    if (!DrawBattleMenuText(pen.x, pen.y, pen.z, BATTLE_TEXT_BLACK, number, digits, __LINE__))
        return false;
    pen.x += 8.0f * static_cast<float>(digits);
    if (!DrawBattleMenuText(pen.x, pen.y, pen.z, BATTLE_TEXT_BLACK, u"(", 1, __LINE__))
        return false;
    pen.x += 8.0f;
    const char16_t* name = KeyNameText[button] != nullptr ? KeyNameText[button] : u"";
    if (!DrawBattleMenuText(pen.x, pen.y, pen.z, BATTLE_TEXT_BLACK, name, MenuTextLength(name), __LINE__))
        return false;
    pen.x += 8.0f * static_cast<float>(KeyNameHalfCount[button]) + 16.0f * static_cast<float>(KeyNameFullCount[button]);
    if (!DrawBattleMenuText(pen.x, pen.y, pen.z, BATTLE_TEXT_BLACK, u")", 1, __LINE__))
        return false;
    pen.x += 8.0f;
    return true;
}

bool CBattleMenu::DrawPlusSign(MenuTextOrigin& pen)
{
    pen.x += 4.0f;
    if (!DrawBattleMenuText(pen.x, pen.y, pen.z, BATTLE_TEXT_BLACK, u"+", 1, __LINE__))
        return false;
    pen.x += 12.0f;
    return true;
}

void CBattleMenu::DrawLeaderChoiceWindow()
{
    DrawOptionRows(BATTLE_FRAME_LEADER, MemberNameTable, __LINE__);
}

void CBattleMenu::DrawAiMagicChoiceWindow()
{
    static const char16_t* const kRows[] = {u"使用する", u"使用しない"};
    DrawOptionRows(BATTLE_FRAME_AI_MAGIC, kRows, __LINE__);
}

void CBattleMenu::DrawPercentChoiceWindow()
{
    DrawOptionRows(BATTLE_FRAME_PERCENT, PercentValueTable, __LINE__);
}

void CBattleMenu::DrawInterruptChoiceWindow()
{
    static const char16_t* const kRows[] = {u"中断する", u"中断しない"};
    DrawOptionRows(BATTLE_FRAME_INTERRUPT, kRows, __LINE__);
}

void CBattleMenu::DrawItemPriorityChoiceWindow()
{
    static const char16_t* const kRows[] = {u"優先する", u"優先しない"};
    DrawOptionRows(BATTLE_FRAME_ITEM_PRIORITY, kRows, __LINE__);
}

void CBattleMenu::DrawChantCheckChoiceWindow()
{
    static const char16_t* const kRows[] = {u"詠唱する", u"詠唱しない"};
    DrawOptionRows(BATTLE_FRAME_CHANT_CHECK, kRows, __LINE__);
}

// Fourteen ailments in seven rows of two, each black when the computer-driven
// members cure it.
void CBattleMenu::DrawAilmentToggleWindow()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_AILMENTS, BATTLE_WINDOW_ACTIVE);
    const auto& rect = FrameRect(BATTLE_FRAME_AILMENTS);
    float x = rect.left;
    float y = rect.top;
    constexpr int kFirst = FIRST_AILMENT_EFFECT;
    for (int e = kFirst; e < kFirst + AILMENT_COUNT; ++e) {
        const std::uint32_t colour = (TheCharacter->curableMask >> e) & 1u ? BATTLE_TEXT_BLACK : BATTLE_LIST_UNUSABLE;
        const char16_t* name = battlemenu::AilmentNameTable[e];
        if (!DrawBattleMenuText(x, y, BATTLE_MENU_DEPTH_SUB, colour, name, MenuTextLength(name), __LINE__))
            return;
        if ((e - kFirst) % 2 == 1) {
            x = rect.left;
            y += BATTLE_MENU_ROW_HEIGHT;
        } else {
            x += kAilmentColumnPitch;
        }
    }
}

void CBattleMenu::DrawEscapeWindow()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_ESCAPE, BATTLE_WINDOW_ACTIVE);
    const MenuTextOrigin& at = TextPos[BATTLE_TEXT_ESCAPE_WINDOW];
    if (DrawBattleMenuText(at.x, at.y, at.z, CanEscape() ? BATTLE_TEXT_BLACK : BATTLE_TEXT_UNUSABLE, u"逃げる", 3,
                           __LINE__))
        DrawBattleMenuText(at.x, at.y + BATTLE_MENU_ROW_HEIGHT, at.z, BATTLE_TEXT_BLACK, u"やめる", 3, __LINE__);
}
