// The record page on screen: the record menu, dimmed behind the slot list
// and the questions, and the three two-row question windows.
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "record/Pipkorn.h"

namespace {

constexpr float kActiveDepth = 0.298f;
constexpr float kDimmedDepth = 0.398f;
constexpr float kTextNearer = 0.001f;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kSlotConfirmDepth = 0.293f;
constexpr float kQuestionDepth = 0.295f;

constexpr char16_t kSave[] = u"セーブ";
constexpr char16_t kLoad[] = u"ロード";
constexpr char16_t kMiddleRows[] = u"ロード\nタイトルに戻る\nゲーム終了";
constexpr char16_t kReturn[] = u"元に戻す";
constexpr char16_t kCancelRow[] = u"やめる";
constexpr char16_t kTitleQuestion[] = u"戻る\nやめる";
constexpr char16_t kQuitQuestion[] = u"終了する\n終了しない";

// A row that can be chosen or not, on the active or a dimmed window.
std::uint32_t ChoiceColour(bool active, bool choosable)
{
    if (active)
        return choosable ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    return choosable ? MENU_TEXT_GREY : MENU_TEXT_DARK_GREY;
}

// One two-line text whose lines the text object spaces by its own line height.
void DrawQuestion(int window, const char16_t* text, int line)
{
    TheFixedWindowSet->DrawFixedWindowAtDepth(window, 0, WindowDepth(window));
    const auto& rect = TheFixedWindowSet->windowRects[window];
    DrawMenuText(rect.left + kInset, rect.top + kInset, kQuestionDepth, MENU_TEXT_WHITE, text, MenuTextLength(text),
                 line);
}

} // namespace

void CMapMenu::DrawRecordMenu(bool active)
{
    const float depth = active ? kActiveDepth : kDimmedDepth;
    TheFixedWindowSet->DrawFixedWindowAtDepth(MENU_RECORD_WINDOW, active ? 0 : 1, depth);
    const auto& rect = TheFixedWindowSet->windowRects[MENU_RECORD_WINDOW];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    const float z = depth - kTextNearer;
    const bool saving = TheMap->Header().AllowsSaving();
    const bool returning = TheGameData->pendingMove != 0;
    DrawMenuText(x, y, z, ChoiceColour(active, saving), kSave, MenuTextLength(kSave), __LINE__) &&
        DrawMenuText(x, y + kRow, z, ChoiceColour(active, true), kMiddleRows, MenuTextLength(kMiddleRows), __LINE__,
                     kRow) &&
        DrawMenuText(x, y + 4.0f * kRow, z, ChoiceColour(active, returning), kReturn, MenuTextLength(kReturn),
                     __LINE__);
}

void CMapMenu::DrawSlotConfirmWindow()
{
    TheFixedWindowSet->DrawFixedWindowAtDepth(MENU_SLOT_CONFIRM_WINDOW, 0, WindowDepth(MENU_SLOT_CONFIRM_WINDOW));
    const auto& rect = TheFixedWindowSet->windowRects[MENU_SLOT_CONFIRM_WINDOW];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    const char16_t* action = recordRow == 0 ? kSave : kLoad;
    if (DrawMenuText(x, y, kSlotConfirmDepth, MENU_TEXT_WHITE, action, MenuTextLength(action), __LINE__))
        DrawMenuText(x, y + kRow, kSlotConfirmDepth, MENU_TEXT_WHITE, kCancelRow, MenuTextLength(kCancelRow), __LINE__);
}

void CMapMenu::DrawTitleConfirmWindow()
{
    DrawQuestion(MENU_TITLE_CONFIRM_WINDOW, kTitleQuestion, __LINE__);
}

void CMapMenu::DrawQuitConfirmWindow()
{
    DrawQuestion(MENU_QUIT_CONFIRM_WINDOW, kQuitQuestion, __LINE__);
}
