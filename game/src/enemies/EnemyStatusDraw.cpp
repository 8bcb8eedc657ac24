// The enemy's status icon and effect labels: the party's icon sheet, label
// texts, colours and fade, placed over the enemy's picture.
#include "enemies/EnemyServices.h"

#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "enemies/Enemy.h"
#include "party/PartyServices.h"

namespace {

constexpr float kIconSize = 16.0f;
constexpr float kIconDepth = 0.1f;
constexpr float kLabelDepth = 0.09f;
constexpr float kDepthScale = SCREEN_HEIGHT * 128.0f;
constexpr float kLabelRow = 18.0f;
constexpr int FLAGS_D_MARKERS_SHOWN = 27; // 3 bits

const EnemyRecord* DrawnEnemy(int slot)
{
    if (TheEnemyGroup == nullptr || slot < 0 || slot >= ENEMY_SLOTS || TheEnemyGroup->KindDefs[slot] == nullptr)
        return nullptr;
    return &TheEnemyGroup->Records[slot];
}

} // namespace

void DrawEnemyStatusIcon(int slot)
{
    const EnemyRecord* found = DrawnEnemy(slot);
    if (found == nullptr || TheCharacter == nullptr)
        return;
    const EnemyRecord& r = *found;
    const CEnemyGroup& group = *TheEnemyGroup;
    const CCharacter& party = *TheCharacter;
    const int count = static_cast<int>(ActiveEffectCount::Get(r.Status.effectState));
    const int shown = static_cast<int>(ShownEffectIndex::Get(r.Status.effectState));
    if (count == 0 || shown >= count || party.iconTexture == nullptr || GetTextureHandle(*party.iconTexture) == nullptr)
        return;
    const int effect = r.Status.effectOrder[shown] % STATUS_EFFECT_COUNT;
    // Over the status marker: its place in a pair and its row.
    const int shape = group.MarkerShape[slot][0];
    const float left = std::trunc(r.PosX) + r.Width / 2.0f + group.MarkOffset[shape == 0 ? 0 : shape == 1 ? 2 : 1];
    const float top =
        std::trunc(r.PosY) + r.OuterBox.top - group.MarkSpacing[std::min<int>(group.MarkerRow[slot][0], 1)];
    const std::uint32_t colour = static_cast<std::uint32_t>(std::clamp<int>(r.Alpha, 0, 255)) << 24 | 0x00FFFFFFu;
    TexturedVertex quad[4];
    for (int i = 0; i < 4; ++i) {
        quad[i].x = left + ((i & 1) != 0 ? kIconSize : 0.0f) - 0.5f;
        quad[i].y = top + ((i & 2) != 0 ? kIconSize : 0.0f) - 0.5f;
        quad[i].z = kIconDepth - (r.PosY + r.OuterBox.bottom) / kDepthScale;
        quad[i].rhw = 1.0f;
        quad[i].colour = colour;
        quad[i].u = party.effectIconUV[effect][i];
        quad[i].v = party.iconRowV[i];
    }
    SetCachedTexture(GetTextureHandle(*party.iconTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}

void DrawEnemyEffects(int slot)
{
    const EnemyRecord* found = DrawnEnemy(slot);
    if (found == nullptr)
        return;
    const EnemyRecord& r = *found;
    const bool left = (r.FlagsA & FLAGS_A_ESCAPED) != 0;
    const float x0 = std::trunc(left ? r.EscapeDrawX : r.PosX);
    const float y0 = std::trunc(left ? r.EscapeDrawY : r.PosY);
    const int markerRows = (static_cast<int>(GetBits(r.FlagsD, FLAGS_D_MARKERS_SHOWN, 3)) + 1) / 2;
    const float y = y0 + r.OuterBox.top - kLabelRow - static_cast<float>(markerRows) * kLabelRow;
    const float depth = kLabelDepth - ((left ? r.EscapeDrawY : r.PosY) + r.OuterBox.bottom) / kDepthScale;
    const int count = static_cast<int>(MarkCount::Get(r.Status.effectState));
    for (int i = 0; i < count && i < STATUS_EFFECT_COUNT && r.Status.markTimer[i] >= 0; ++i) {
        const int kind = r.Status.markKind[i];
        const int level = r.Status.markLevel[i];
        const float x = x0 + r.Width / 2.0f - GetEffectScale(kind, level) / 2.0f;
        DrawBattleLabel(x, y, depth, GetEffectColor(kind, level), FadeAlphaColor(r.Status.markTimer[i]));
    }
}
