// The parts of the menu not built yet. The choice and result windows do
// nothing yet. The text, icon and page-text helpers of the menu's drawing
// are here in their plain form until the menu's frame drawing lands with them.
#include "battle/BattleBackground.h"
#include "battle/BattleMenu.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "media/Texture.h"

namespace {

constexpr const char* kSource = "BattleMenu";
constexpr int kTextFailed = 10;
constexpr int kWholeText = 0x7FFFFFFF;
constexpr std::uint32_t kQuadFormat = 0x144;
constexpr float kCell = 16.0f;

// The menu texture on stage 0 and the quad format, through the shared caches.
void DrawIconQuad(const CBattleMenu& menu, const TexturedVertex quad[4])
{
    if (D3DDevice == nullptr)
        return;
    SetCachedTexture(menu.MenuTexture != nullptr ? GetTextureHandle(*menu.MenuTexture) : nullptr);
    SetCachedFvf(kQuadFormat);
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}

} // namespace

void CBattleMenu::OpenBattleChoice() {}

int CBattleMenu::UpdateBattleChoice()
{
    return 0;
}

void CBattleMenu::DrawBattleChoice() {}

void CBattleMenu::PrepareBattleResult() {}

void CBattleMenu::DrawBattleResult()
{
    SceneTrace::Note("DrawBattleResult");
}

bool CBattleMenu::DrawBattleMenuText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int bound,
                                     int line, float lineAdvance, float lineWidth)
{
    const float origin[3] = {x, y, z};
    if (BattleTextTexture != nullptr && text != nullptr && bound >= 0 &&
        BattleTextTexture->DrawString(origin, colour, text, bound, lineAdvance, lineWidth, kWholeText, 0))
        return true;
    REPORT_ERROR(kSource, line, kTextFailed);
    return false;
}

void CBattleMenu::DrawMenuIcon(int cell)
{
    if (cell < 0 || cell >= BATTLE_ICON_COUNT)
        return;
    for (int i = 0; i < 4; ++i)
        IconQuad[i].u = IconU[cell][i];
    DrawIconQuad(*this, IconQuad);
}

void CBattleMenu::DrawMenuIconAt(int cell, float x, float y, float z, std::uint32_t colour)
{
    if (cell < 0 || cell >= BATTLE_ICON_COUNT)
        return;
    for (int i = 0; i < 4; ++i) {
        TexturedVertex& v = CursorQuad[i];
        v.u = IconU[cell][i];
        v.v = IconV[i];
        v.z = z;
        v.colour = colour;
        v.x = x + ((i & 1) != 0 ? kCell : 0.0f) - 0.5f;
        v.y = y + ((i & 2) != 0 ? kCell : 0.0f) - 0.5f;
    }
    DrawIconQuad(*this, CursorQuad);
}

void CBattleMenu::BuildListPageText(PageNumberLine& record, int page, int pages)
{
    const int digits = CMapMenu::FormatPageNumberText(record, page, pages);
    if (digits != 0)
        record.width = 8.0f * static_cast<float>(digits) + 20.0f;
}
