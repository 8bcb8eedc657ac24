// One enemy shot as a quad of its sheet cell, fading over its last frames
// and with the list's fade after a win.
#include <algorithm>
#include <cmath>

#include "enemies/EnemyShot.h"
#include "media/Texture.h"

void CEnemyShotList::DrawEnemyShotSprite(const EnemyShotNode* node, float depth)
{
    if (node == nullptr)
        return;
    const float x = std::trunc(node->X);
    const float y = std::trunc(node->Y);
    int alpha = Alpha;
    if (node->Life < node->Age + ENEMY_SHOT_FADE_FRAMES)
        alpha = std::min(alpha, 255 - (node->Age + ENEMY_SHOT_FADE_FRAMES - node->Life) * 8);
    const std::uint32_t colour = (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24) | 0x00FFFFFFu;
    for (int i = 0; i < 4; ++i) {
        TexturedVertex& v = Quad[i];
        v.x = x - 0.5f + ((i & 1) != 0 ? ENEMY_SHOT_SIZE : 0.0f);
        v.y = y - 0.5f + ((i & 2) != 0 ? ENEMY_SHOT_SIZE : 0.0f);
        v.z = depth;
        v.rhw = 1.0f;
        v.colour = colour;
        v.u = node->U[i];
        v.v = node->V[i];
    }
    // A sheet that did not load draws nothing.
    DrawTexturedQuad(ShotTexture, Quad);
}
