// The menu sheet's icons: in the description window, and anywhere through
// the cursor's quad (which the cursor rewrites before it is drawn).
#include "battle/BattleMenu.h"
#include "media/Texture.h"

namespace {

constexpr float kIconSize = 16.0f;

bool ValidCell(int cell)
{
    return cell >= 0 && cell < BATTLE_ICON_COUNT;
}

} // namespace

void CBattleMenu::DrawMenuIcon(int cell)
{
    // Without the menu sheet there are no icons to draw.
    if (MenuTexture == nullptr || !ValidCell(cell))
        return;
    for (int i = 0; i < 4; ++i)
        IconQuad[i].u = IconU[cell][i];
    SetCachedTexture(GetTextureHandle(*MenuTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(IconQuad, sizeof(TexturedVertex));
}

void CBattleMenu::DrawMenuIconAt(int cell, float x, float y, float z, std::uint32_t colour)
{
    if (MenuTexture == nullptr || !ValidCell(cell))
        return;
    for (int i = 0; i < 4; ++i) {
        CursorQuad[i].u = IconU[cell][i];
        CursorQuad[i].v = IconV[i];
        CursorQuad[i].z = z;
        CursorQuad[i].colour = colour;
        CursorQuad[i].x = x + ((i & 1) != 0 ? kIconSize : 0.0f) - 0.5f;
        CursorQuad[i].y = y + ((i & 2) != 0 ? kIconSize : 0.0f) - 0.5f;
    }
    SetCachedTexture(GetTextureHandle(*MenuTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(CursorQuad, sizeof(TexturedVertex));
}
