// The game over's three-row choice window: retry, the field menu first, or
// return. It has no cancel: one of the rows must be chosen.
#include <iterator>

#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"

namespace {

constexpr int kChoiceRows = 3;
constexpr int kConfirmButton = 0;
constexpr char16_t kChoiceText[] = u"リトライ\nメニュー\n戻る";

} // namespace

void CBattleMenu::OpenBattleChoice()
{
    ChoiceCursor = 0;
    TheMapMenu->ResetMenuCursorAnimation();
    TheMapMenu->ResetKeyRepeat();
    CursorFrame = BATTLE_FRAME_CHOICE;
    const auto& frame = TheFixedWindowSet->cursorRects[BATTLE_FRAME_CHOICE];
    AlignBattleMenuCursorX(frame.left);
    CursorY = frame.top;
}

int CBattleMenu::UpdateBattleChoice()
{
    TheMapMenu->UpdateKeyRepeat();
    if (ZephKeyInput->IsButtonPush(kConfirmButton)) {
        PlaySoundEffect(SE_CONFIRM);
        return ChoiceCursor + 1;
    }
    MoveBattleMenuCursor(ChoiceCursor, kChoiceRows);
    TheMapMenu->AnimateMenuCursor();
    return 0;
}

void CBattleMenu::DrawBattleChoice()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_CHOICE, BATTLE_WINDOW_ACTIVE);
    const MenuTextOrigin& origin = TextPos[BATTLE_TEXT_CHOICE];
    if (!DrawBattleMenuText(origin.x, origin.y, origin.z, BATTLE_TEXT_BLACK, kChoiceText,
                            static_cast<int>(std::size(kChoiceText)) - 1, __LINE__, BATTLE_MENU_ROW_HEIGHT))
        return;
    DrawBattleMenuCursor();
}
