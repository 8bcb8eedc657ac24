// The settings list and the settings page in the description band: the
// description of the row under the cursor, the buttons some rows name, and
// the current value; the choice windows and the ailment window.
#include <algorithm>

#include "core/GameConstants.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuSettingValues.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"
#include "record/KeyNames.h"

namespace {

constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kLine = 32.0f;
constexpr float kDimmedOffset = 0.1f;
constexpr float kTextNearer = 0.001f;
constexpr float kChoiceDepth = 0.295f;
constexpr float kCell = 12.0f;
constexpr float kFullWidth = 22.0f;
constexpr int kRowsPerPage = 10;
constexpr int kSettingRows = 17;
constexpr int kDescriptionLength = 33;
constexpr float kValueX = 134.0f;
constexpr int kAilmentWindow = 43;
constexpr int kAilments = 14;
constexpr float kAilmentPitch = 76.0f;
constexpr std::uint32_t kNotCured = 0xFFA0A0A0u;

constexpr const char16_t* kSettingNames[kSettingRows] = {
    u"ショートカット", u"魔法習得",         u"操作キャラクター", u"ウィンドウ表示", u"BGM音量",    u"SE音量",
    u"文章表示速度",   u"画面効果",         u"通常移動",         u"AIの魔法使用",   u"HP回復使用", u"祈り使用",
    u"全体HP回復使用", u"状態異常回復使用", u"行動の中断",       u"道具使用優先",   u"詠唱判定",
};

constexpr const char16_t* kDescriptions[kSettingRows] = {
    u"ショートカットボタン",
    u"魔法の習得",
    u"操作するキャラクター",
    u"マップ移動時のウィンドウ表示方法",
    u"BGMの音量　0で演奏しない",
    u"効果音の音量　0で演奏しない",
    u"文章を表示する速度",
    u"特殊な画面効果を使用するか",
    u"を押していない時の移動速度",
    u"AIが魔法を使用するか",
    u"AIがHP回復魔法を使用するHP%",
    u"AIが祈りを使用するHP%",
    u"AIが全体HP回復魔法を使用するHP%(対象2名以上)",
    u"AIが状態異常回復魔法を使用する状態異常",
    u"AIが行動できない、する必要がない状態になった時\n行動を中断するか",
    u"ショートカットによる道具使用を\n操作キャラクター優先にするか",
    u"使用する色が足りない場合でも\nショートカットによる詠唱を開始するか",
};

// The buttons a row's extra line names; 0 ends the list.
struct ExtraButtons {
    int first, second;
};
constexpr ExtraButtons kExtraButtons[kSettingRows] = {
    {0, 0},  {0, 0}, {3, 0}, {2, 10}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0},
    {1, 10}, {0, 0}, {0, 0}, {0, 0},  {0, 0}, {0, 0}, {0, 0}, {0, 0},
};
constexpr int kRowLearning = 1;
constexpr int kRowWalkSpeed = 8;
constexpr int kRowCureAilments = 13;
constexpr int kFirstLongRow = 14;

constexpr const char16_t* kAilmentTexts[kAilments] = {
    u"5秒毎に最大HPの4%のダメージ　攻撃力-10%",
    u"特技が使用できなくなる",
    u"魔法が使用できなくなる",
    u"移動方向が反転する",
    u"移動速度-50%",
    u"移動できなくなる",
    u"移動時に滑るようになる",
    u"体力回復速度が減少する　攻撃力-15%",
    u"攻撃力-25% 防御力-33%",
    u"防御、魔防が0になる",
    u"行動できなくなる",
    u"物理攻撃を受ければ即死する",
    u"ダメージ時の無敵時間が半減する",
    u"敵に狙われやすくなる",
};

// At most `length` characters, ending at the text's zero.
int Within(const char16_t* text, int length)
{
    return std::min(MenuTextLength(text), length);
}

bool White(float x, float y, float z, const char16_t* text, int length, int line, float advance = 0.0f)
{
    return DrawMenuText(x, y, z, MENU_TEXT_WHITE, text, length, line, advance);
}

} // namespace

void CMapMenu::DrawSettingsList()
{
    const bool active = mode == MenuSettings;
    const bool lastPage = settingsList.page + 1 >= settingsList.pageCount;
    const int window = lastPage ? MENU_SETTINGS_WINDOW : MENU_SETTINGS_FULL_WINDOW;
    const float depth = WindowDepth(window) + (active ? 0.0f : kDimmedOffset);
    TheFixedWindowSet->DrawFixedWindowAtDepth(window, active ? 0 : 1, depth);
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float z = depth - kTextNearer;
    const std::uint32_t colour = active ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    for (int row = 0; row < settingsList.rowsOnPage; ++row) {
        const int at = settingsList.page * kRowsPerPage + row;
        if (at < 0 || at >= kSettingRows)
            break;
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), z, colour,
                          kSettingNames[at], Within(kSettingNames[at], 8), __LINE__))
            return;
    }
    if (settingsList.pageCount <= 1)
        return;
    const MenuTextOrigin& origin = textOrigins[lastPage ? ORIGIN_SETTINGS_PAGE : ORIGIN_SETTINGS_FULL_PAGE];
    if (!DrawMenuNumber(origin.x, origin.y, z, colour, pageLines[1].text, pageLines[1].length, __LINE__))
        return;
    if (active)
        TheEvent->DrawFadedQuads(rect.left, rect.right, rect.bottom, z, settingsList.blinkCounter, settingsList.page,
                                 settingsList.pageCount);
}

void CMapMenu::DrawSettingsPage()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int row = std::clamp(static_cast<int>(settingsList.position), 0, kSettingRows - 1);
    const float left = BOTTOM_TEXT_X;
    const float z = BOTTOM_TEXT_DEPTH;
    float x = left;
    float y = BOTTOM_TEXT_Y;
    // Row 8's description goes on behind the label of button 1.
    if (row == kRowWalkSpeed && !DrawButtonLabel(x, y, z, 1))
        return;
    if (!White(x, y, z, kDescriptions[row], Within(kDescriptions[row], kDescriptionLength), __LINE__, kLine))
        return;
    y += row >= kFirstLongRow ? 2.0f * kLine : kLine;

    x = left;
    const ExtraButtons& buttons = kExtraButtons[row];
    if (row == kRowLearning) {
        if (!DrawMagicLearnNote(x, y, z))
            return;
        y += kLine;
    } else if (buttons.first != 0) {
        if (!DrawButtonLabel(x, y, z, buttons.first))
            return;
        if (buttons.second != 0 && (!DrawPlusSign(x, y, z) || !DrawButtonLabel(x, y, z, buttons.second)))
            return;
        y += kLine;
    }

    const int choiceMode = SettingRowMode(row);
    const SettingChoices* choices = SettingChoicesOf(choiceMode);
    if (choices == nullptr || row == kRowCureAilments)
        return;
    const char16_t* value = choices->texts[StoredSettingValue(choiceMode)];
    if (White(left, y, z, u"現在の設定:", 6, __LINE__))
        White(left + kValueX, y, z, value, Within(value, choices->length), __LINE__);
}

bool CMapMenu::DrawButtonLabel(float& x, float y, float z, int button)
{
    if (!White(x, y, z, u"ボタン", 3, __LINE__))
        return false;
    x += 3.0f * kFullWidth;
    const char16_t number[3] = {button >= 10 ? u'1' : static_cast<char16_t>(u'0' + button),
                                button >= 10 ? static_cast<char16_t>(u'0' + button % 10) : u'\0', u'\0'};
    const int digits = button >= 10 ? 2 : 1;
    if (!White(x, y, z, number, digits, __LINE__))
        return false;
    x += kCell * static_cast<float>(digits);
    if (!White(x, y, z, u"(", 1, __LINE__))
        return false;
    x += kCell;
    const bool named = button >= 0 && button < KEY_NAME_SLOT_COUNT && KeyNameText[button] != nullptr;
    if (named) {
        const int half = KeyNameHalfCount[button];
        const int full = KeyNameFullCount[button];
        if (!White(x, y, z, KeyNameText[button], half + full, __LINE__))
            return false;
        x += kCell * static_cast<float>(half) + kFullWidth * static_cast<float>(full);
    }
    if (!White(x, y, z, u")", 1, __LINE__))
        return false;
    x += kCell;
    return true;
}

bool CMapMenu::DrawPlusSign(float& x, float y, float z)
{
    x += 6.0f;
    if (!White(x, y, z, u"+", 1, __LINE__))
        return false;
    x += 6.0f + kCell;
    return true;
}

bool CMapMenu::DrawMagicLearnNote(float x, float y, float z)
{
    return White(x, y, z, MemberNameTable[2], MEMBER_NAME_LENGTH, __LINE__) &&
           White(x + 3.0f * kFullWidth, y, z, u"のLvが1上がる毎に習得ポイントが1増加", 20, __LINE__);
}

// The choice window of the mode on top of the settings page, one value a row.
void CMapMenu::DrawSettingChoices()
{
    const SettingChoices* choices = SettingChoicesOf(mode);
    if (choices == nullptr)
        return;
    TheFixedWindowSet->DrawFixedWindow(choices->window, 0);
    const auto& rect = TheFixedWindowSet->windowRects[choices->window];
    for (int row = 0; row < choices->count; ++row) {
        const char16_t* text = choices->texts[row];
        if (!White(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), kChoiceDepth, text,
                   Within(text, choices->length), __LINE__))
            return;
    }
}

// The ailment under the grid cursor in the description band, and the grid
// with the ailments the party's cure magic treats in white.
void CMapMenu::DrawCureAilmentWindow()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    const int ailment = std::clamp(static_cast<int>(optionValue), 0, kAilments - 1);
    const int effect = FIRST_AILMENT_EFFECT + ailment;
    const float x = BOTTOM_TEXT_X;
    const float y = BOTTOM_TEXT_Y;
    const float z = BOTTOM_TEXT_DEPTH;
    DrawPartyIcon(effect, x + 4.0f, y + 4.0f, z);
    const MenuNumberText& seconds = durationTexts[ailment];
    const float digitsX = x + 4.0f * kFullWidth; // right behind the label
    if (!White(x + 26.0f, y, z, StatusNameTable[effect], 2, __LINE__) ||
        !White(x, y + kLine, z, u"効果時間", 4, __LINE__) ||
        !White(digitsX, y + kLine, z, seconds.text, seconds.length, __LINE__) ||
        !White(digitsX + kCell * static_cast<float>(seconds.length), y + kLine, z, u"秒", 1, __LINE__) ||
        !White(x, y + 2.0f * kLine, z, kAilmentTexts[ailment], Within(kAilmentTexts[ailment], 24), __LINE__, kLine))
        return;

    TheFixedWindowSet->DrawFixedWindow(kAilmentWindow, 0);
    const auto& rect = TheFixedWindowSet->windowRects[kAilmentWindow];
    const std::uint32_t cured = TheCharacter->curableMask;
    for (int a = 0; a < kAilments; ++a) {
        const int e = FIRST_AILMENT_EFFECT + a;
        const std::uint32_t colour = (cured >> e) & 1u ? MENU_TEXT_WHITE : kNotCured;
        if (!DrawMenuText(rect.left + kInset + kAilmentPitch * static_cast<float>(a % 2),
                          rect.top + kInset + kRow * static_cast<float>(a / 2), kChoiceDepth, colour,
                          StatusNameTable[e], 2, __LINE__))
            return;
    }
}
