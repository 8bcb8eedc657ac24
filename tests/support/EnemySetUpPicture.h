// A battle's enemies as set up, drawn on the software device without the
// battle scene: the backdrop, then each enemy's current sprite frame at its
// place, in slot order. Enough to look at a set-up before enemies draw
// themselves.
#pragma once

#include <cstdint>

#include "core/PackCatalogue.h"
#include "enemies/Enemy.h"
#include "media/Texture.h"

namespace testsupport {

inline void DrawTexturedQuad(const CTexture& texture, float left, float top, float right, float bottom,
                             const float uv[4], std::uint32_t colour = 0xFFFFFFFF)
{
    const TexturedVertex quad[4] = {
        {left, top, 0.5f, 1.0f, colour, uv[0], uv[1]},
        {right, top, 0.5f, 1.0f, colour, uv[2], uv[1]},
        {left, bottom, 0.5f, 1.0f, colour, uv[0], uv[3]},
        {right, bottom, 0.5f, 1.0f, colour, uv[2], uv[3]},
    };
    SetCachedFvf(FVF_TEXTURED);
    SetCachedTexture(GetTextureHandle(texture));
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}

// Draws backdrop `backdrop` (0 to 3) and every enemy of the group.
inline void DrawEnemySetUp(const CEnemyGroup& group, int backdrop)
{
    CTexture background;
    if (background.LoadTexture(0, PACK_BATTLE_BACKDROP_FIRST + backdrop)) {
        const float whole[4] = {0.0f, 0.0f, 1.0f, 1.0f};
        DrawTexturedQuad(background, 0.0f, 0.0f, 640.0f, 480.0f, whole);
    }
    for (int slot = 0; slot < group.EnemyCount(); ++slot) {
        const EnemyRecord& r = group.Records[slot];
        const CTexture* texture = group.EnemyTexture(slot);
        if (texture == nullptr)
            continue;
        DrawTexturedQuad(*texture, r.PosX, r.PosY, r.PosX + r.Width, r.PosY + r.Height, group.SpriteUv[slot]);
    }
    SetCachedTexture(nullptr);
}

} // namespace testsupport
