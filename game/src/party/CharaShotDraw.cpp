// A party shot drawn as one quad: its cell, turned by its spin for magic and
// homing shots, fading out at the end of its life.
#include <algorithm>
#include <cmath>

#include "core/BattleAngles.h"
#include "media/Texture.h"
#include "party/CharaShot.h"
#include "party/MagicShotTable.h"

namespace {

// Corner offsets of a 32-px quad turned by `spin` about its centre, in strip order.
void TurnQuad(TexturedVertex quad[4], float spin)
{
    const float s = std::sin(spin);
    const float c = std::cos(spin);
    const float a = static_cast<float>(RoundToInt(16.0f - 16.0f * c + 16.0f * s));
    const float b = static_cast<float>(RoundToInt(16.0f - 16.0f * s - 16.0f * c));
    const float dx[4] = {a, -b, b, -a};
    const float dy[4] = {b, a, -a, -b};
    for (int i = 0; i < 4; ++i) {
        quad[i].x += dx[i];
        quad[i].y += dy[i];
    }
}

bool FadesAtEnd(const CharaShotNode& node)
{
    return node.Kind() == SHOT_HOMING ||
           (node.Kind() == SHOT_MAGIC && MagicShotTable[std::min(node.Subtype(), MAGIC_SHOT_EXPIRED)].fades);
}

} // namespace

std::uint32_t CCharaShot::ShotAlphaOf(const CharaShotNode& node) const
{
    if (node.Kind() == SHOT_ATTACHED)
        return 255;
    int alpha = shotAlpha & 0xFF;
    if (node.Kind() == SHOT_STRAIGHT && node.life < node.age + 16)
        alpha = std::min(alpha, 255 - 16 * (node.age + 16 - node.life));
    else if (FadesAtEnd(node) && node.life < node.age + 32)
        alpha = std::min(alpha, 255 - 8 * (node.age + 32 - node.life));
    return static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
}

void CCharaShot::DrawCharaShot(CharaShotNode* node, float z)
{
    if (node == nullptr)
        return;
    const float left = std::trunc(node->x);
    const float top = std::trunc(node->y);
    for (int i = 0; i < 4; ++i) {
        quad[i].u = node->texU[i];
        quad[i].v = node->texV[i];
        quad[i].x = left + ((i & 1) != 0 ? node->width : 0.0f);
        quad[i].y = top + ((i & 2) != 0 ? node->height : 0.0f);
    }
    if (node->Kind() == SHOT_MAGIC || node->Kind() == SHOT_HOMING)
        TurnQuad(quad, node->spin);
    const std::uint32_t colour = (ShotAlphaOf(*node) << 24) | 0x00FFFFFFu;
    for (auto& vertex : quad) {
        vertex.x -= 0.5f;
        vertex.y -= 0.5f;
        vertex.z = z;
        vertex.rhw = 1.0f;
        vertex.colour = colour;
    }
    // A sheet that did not load draws nothing.
    DrawTexturedQuad(texture, quad);
}
