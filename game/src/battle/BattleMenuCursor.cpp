// The battle menu's hand cursor: placed by frame and row, stepped with
// wrap-around, moved by the direction keys and drawn with the field menu's swing.
#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "media/Texture.h"
#include "menu/MenuServices.h"

namespace {

// The cursor icon stands this far left of its window's text.
constexpr float kCursorLead = 18.0f;
constexpr float kCursorSize = 16.0f;

float FrameTop(int frame)
{
    return TheFixedWindowSet->cursorRects[frame].top;
}

template <typename Cursor> bool MoveCursor(CBattleMenu& menu, Cursor& cursor, int count)
{
    CMapMenu& keys = *TheMapMenu;
    const int pushed = ZephKeyInput->GetDirectionPush();
    const int current = cursor;
    int step = 0;
    if (pushed & MENU_PUSH_DOWN) {
        keys.StartKeyRepeat(MENU_DOWN);
        step = 1;
    } else if (pushed & MENU_PUSH_UP) {
        keys.StartKeyRepeat(MENU_UP);
        step = -1;
    } else if (pushed & MENU_PUSH_RIGHT) {
        keys.ResetKeyRepeat();
        step = count - 1 - current;
    } else if (pushed & MENU_PUSH_LEFT) {
        keys.ResetKeyRepeat();
        step = -current;
    } else if (keys.repeatCounters[MENU_DOWN] == MENU_REPEAT_POINT) {
        step = 1;
    } else if (keys.repeatCounters[MENU_UP] == MENU_REPEAT_POINT) {
        step = -1;
    } else {
        return false;
    }
    cursor = static_cast<Cursor>(menu.StepBattleMenuCursor(current, step, count, FrameTop(menu.CursorFrame)));
    return true;
}

} // namespace

void CBattleMenu::AlignBattleMenuCursorX(float frameLeft)
{
    CursorX = frameLeft - kCursorLead;
}

void CBattleMenu::SetBattleMenuCursorX(float frameLeft, float offset)
{
    SceneTrace::Note("SetBattleMenuCursorX", static_cast<int>(offset));
    CursorX = frameLeft - kCursorLead + offset;
}

void CBattleMenu::SetBattleMenuCursorRow(float frameTop, int row)
{
    SceneTrace::Note("SetBattleMenuCursorRow", row);
    CursorY = static_cast<float>(row) * BATTLE_MENU_ROW_HEIGHT + frameTop;
}

int CBattleMenu::StepBattleMenuCursor(int current, int step, int count, float frameTop)
{
    // An empty window has no row to go to: the cursor stays.
    if (count <= 0)
        return current;
    int next = current + step;
    if (next < 0)
        next = count - 1;
    else if (next >= count)
        next = 0;
    if (next == current)
        return next;
    PlaySoundEffect(SE_CURSOR);
    CursorY = static_cast<float>(next) * BATTLE_MENU_ROW_HEIGHT + frameTop;
    return next;
}

bool CBattleMenu::MoveBattleMenuCursor(std::int8_t& cursor, int count)
{
    return MoveCursor(*this, cursor, count);
}

bool CBattleMenu::MoveBattleMenuCursor(std::uint8_t& cursor, int count)
{
    return MoveCursor(*this, cursor, count);
}

void CBattleMenu::DrawBattleMenuCursor()
{
    // Without the menu sheet there is no hand to draw.
    if (MenuTexture == nullptr)
        return;
    for (int i = 0; i < 4; ++i) {
        CursorQuad[i].u = CursorIconU[i];
        CursorQuad[i].v = CursorIconV[i];
        CursorQuad[i].colour = BATTLE_TEXT_WHITE;
        CursorQuad[i].z = BATTLE_MENU_CURSOR_DEPTH;
    }
    SetCachedTexture(GetTextureHandle(*MenuTexture));
    SetCachedFvf(FVF_TEXTURED);
    const float swing = TheMapMenu != nullptr ? TheMapMenu->cursorSwing : 0.0f;
    const float x0 = CursorX + swing - 0.5f;
    const float y0 = CursorY - 0.5f;
    for (int i = 0; i < 4; ++i) {
        CursorQuad[i].x = x0 + ((i & 1) != 0 ? kCursorSize : 0.0f);
        CursorQuad[i].y = y0 + ((i & 2) != 0 ? kCursorSize : 0.0f);
    }
    DrawQuadStrip(CursorQuad, sizeof(TexturedVertex));
}
