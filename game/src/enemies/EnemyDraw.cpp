// The enemies on the battle field: each sprite as an entry of the battle's
// draw order, the status and action markers above them, their names and
// the picture of a dropped item. Every piece is one textured quad.
#include <algorithm>
#include <cmath>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyBehaviour.h"
#include "media/Texture.h"

namespace {

constexpr float kMarkSize = 16.0f;
constexpr float kArrowSize = 24.0f;
constexpr float kBadgeSize = 24.0f;
constexpr float kMarkerDepth = 0.07f;
constexpr float kNameDepth = 0.09f;
constexpr float kDepthScale = SCREEN_HEIGHT * 128.0f;
constexpr int kNameFadeFrames = 74;
constexpr int kNameFadeStep = 9;
constexpr int kBadgeFadeFrames = 16;
constexpr int kBadgeFadeStep = 16;
constexpr int kDoneArrowU = 192;
constexpr int kIconColumns = 6;
constexpr int kIconRows = 7;
constexpr int kDoneIconRow = 7;

// The party's fade: opaque once `elapsed` reaches `total`, `step` less alpha
// for each frame before.
std::uint32_t FadeColour(int total, int elapsed, int step)
{
    const int alpha = elapsed >= total ? 255 : std::max(0, 255 - (total - elapsed) * step);
    return static_cast<std::uint32_t>(alpha) << 24 | 0x00FFFFFFu;
}

std::uint32_t White(int alpha)
{
    return static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24 | 0x00FFFFFFu;
}

// A quad at (x, y) of w × h in strip order with the texture rectangle `uv`
// (left, top, right, bottom).
void FillQuad(TexturedVertex quad[4], float x, float y, float w, float h, const float uv[4], float depth,
              std::uint32_t colour)
{
    for (int i = 0; i < 4; ++i) {
        quad[i].x = x - 0.5f + ((i & 1) != 0 ? w : 0.0f);
        quad[i].y = y - 0.5f + ((i & 2) != 0 ? h : 0.0f);
        quad[i].z = depth;
        quad[i].rhw = 1.0f;
        quad[i].colour = colour;
        quad[i].u = (i & 1) != 0 ? uv[2] : uv[0];
        quad[i].v = (i & 2) != 0 ? uv[3] : uv[1];
    }
}

// The texture rectangle of a pixel cell.
void CellUv(const CTexture* texture, float left, float top, float size, float uv[4])
{
    if (texture == nullptr || texture->width <= 0.0f || texture->height <= 0.0f)
        return;
    uv[0] = left / texture->width;
    uv[1] = top / texture->height;
    uv[2] = (left + size) / texture->width;
    uv[3] = (top + size) / texture->height;
}

} // namespace

void CEnemyGroup::DrawEnemyObject(int slot, float depth)
{
    if (slot < 0 || slot >= EnemyCount() || KindDefs[slot] == nullptr)
        return;
    const EnemyRecord& r = Records[slot];
    const bool escaped = (r.FlagsA & FLAGS_A_ESCAPED) != 0;
    if (r.State == ENEMY_DEFEATED && !escaped) {
        DrawDefeatEffect(slot, depth);
    } else {
        float uv[4];
        std::copy(SpriteUv[slot], SpriteUv[slot] + 4, uv);
        if (r.FlagsE & FLAGS_E_UPSIDE_DOWN)
            std::swap(uv[1], uv[3]);
        const float x = std::trunc(escaped ? r.EscapeDrawX : r.PosX);
        const float y = std::trunc(escaped ? r.EscapeDrawY : r.PosY);
        FillQuad(DropQuad, x, y, r.Width, r.Height, uv, depth, White(r.Alpha));
        DrawTexturedQuad(EnemyTexture(slot), DropQuad);
    }
    if (TheBattleEffect != nullptr)
        TheBattleEffect->DrawEnemyHitSparks(slot, depth);
    if (r.DropShown)
        DrawEnemyDrop(slot, depth);
}

// The defeat sequence: 16 cells of a 4 × 4 sheet, three frames each, over
// the enemy's rectangle; nothing once the sequence is over.
void CEnemyGroup::DrawDefeatEffect(int slot, float depth)
{
    const EnemyRecord& r = Records[slot];
    if (r.FlagsC & FLAGS_C_DEFEAT_DONE)
        return;
    const bool alt = (r.FlagsF & FLAGS_F_ALT_UNDERLAY) != 0;
    const CTexture* sheet = UnderlayTex[alt ? 1 : 0];
    const int frame = std::min(static_cast<int>(GetBits(r.FlagsB, FLAGS_B_DEFEAT_FRAMES, 6)) / 3, 15);
    const float cell = alt ? 48.0f : 32.0f;
    float uv[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    CellUv(sheet, static_cast<float>(frame % 4) * cell, static_cast<float>(frame / 4) * cell, cell, uv);
    FillQuad(DropQuad, std::trunc(r.PosX), std::trunc(r.PosY), r.Width, r.Height, uv, depth, White(255));
    DrawTexturedQuad(sheet, DropQuad);
}

void CEnemyGroup::DrawEnemyDrop(int slot, float depth)
{
    const EnemyRecord& r = Records[slot];
    const int timer = static_cast<int>(GetBits(r.FlagsC, FLAGS_C_DROP_TIMER, 8));
    const float uv[4] = {BadgeUv[0], BadgeUv[1], BadgeUv[2], BadgeUv[3]};
    FillQuad(DropQuad, r.CenterX - kBadgeSize / 2.0f, r.CenterY - kBadgeSize / 2.0f + r.DropFall, kBadgeSize,
             kBadgeSize, uv, depth, FadeColour(kBadgeFadeFrames, timer, kBadgeFadeStep));
    DrawTexturedQuad(BadgeTex, DropQuad);
}

// Markers sit above the enemy: one alone centred, two side by side, a third
// on the row above.
void CEnemyGroup::DrawEnemyMarkers()
{
    SceneTrace::Note("DrawEnemyMarkers");
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        const EnemyRecord& r = Records[slot];
        if (KindDefs[slot] == nullptr)
            continue;
        const float x0 = std::trunc(r.PosX) + r.Width / 2.0f;
        const float y0 = std::trunc(r.PosY) + r.OuterBox.top;
        const float depth = kMarkerDepth - (r.PosY + r.OuterBox.bottom) / kDepthScale;
        const std::uint32_t colour = White(r.Alpha);
        auto place = [&](int marker, float& x, float& y) {
            const int shape = MarkerShape[slot][marker];
            x = x0 + MarkOffset[shape == 0 ? 0 : shape == 1 ? 2 : 1];
            y = y0 - MarkSpacing[std::min<int>(MarkerRow[slot][marker], 1)];
        };
        float x, y;
        if (MarkerFlags[slot] & 1u) {
            place(0, x, y);
            FillQuad(DropQuad, x, y, kMarkSize, kMarkSize, MarkUv, depth, colour);
            DrawTexturedQuad(MarkTex, DropQuad);
        }
        if (!(MarkerFlags[slot] & 4u) || r.State != ENEMY_NORMAL || !(r.FlagsA & FLAGS_A_ACTION_RUNNING) ||
            r.Alpha == 0 || ActionCount(slot) == 0)
            continue;
        const EnemyActionDef& def = RunningAction(slot);
        const int icon = def.IconId;
        if (icon < 0)
            continue;
        place(2, x, y);
        const bool done = (r.FlagsC & FLAGS_C_ATTACK_DONE) != 0;
        float uv[4] = {};
        if (def.ShieldedWhileAttacking && (!done || def.ShieldedThroughAction)) {
            CellUv(ArrowTex, done ? kDoneArrowU : static_cast<float>(icon % 8) * kArrowSize,
                   icon >= 8 ? kArrowSize : 0.0f, kArrowSize, uv);
            FillQuad(DropQuad, x - 4.0f, y - 4.0f, kArrowSize, kArrowSize, uv, depth, colour);
            DrawTexturedQuad(ArrowTex, DropQuad);
        }
        int column, row;
        if (done) {
            column = def.IconRow;
            row = kDoneIconRow;
        } else if (icon < kIconColumns) {
            column = icon;
            row = def.IconRow;
        } else {
            column = (icon - kIconColumns) / kIconRows + kIconColumns;
            row = (icon - kIconColumns) % kIconRows;
        }
        CellUv(MarkTex, static_cast<float>(column) * kMarkSize, static_cast<float>(row) * kMarkSize, kMarkSize, uv);
        FillQuad(DropQuad, x, y, kMarkSize, kMarkSize, uv, depth, colour);
        DrawTexturedQuad(MarkTex, DropQuad);
    }
}

void CEnemyGroup::DrawEnemyNames()
{
    SceneTrace::Note("DrawEnemyNames");
    if (TheBattleBackground == nullptr)
        return;
    const std::uint32_t colour = FadeColour(kNameFadeFrames, OpeningFrames, kNameFadeStep);
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        const EnemyRecord& r = Records[slot];
        if (KindDefs[slot] == nullptr || r.State == ENEMY_DEFEATED || (r.FlagsA & FLAGS_A_DEFEATED))
            continue;
        const float x = std::trunc(r.CenterX - r.NameWidth / 2.0f);
        const float y = std::trunc(r.PosY + r.LabelHeight - 12.0f);
        const float depth = kNameDepth - (r.PosY + r.InnerBox.bottom) / kDepthScale;
        TheBattleEffect->DrawBattleLabelEx(KindDefs[slot]->Name, KindDefs[slot]->NameLength, x, y, depth, colour);
    }
}

// Status, movement and action markers take places 0, 1, 2 in that order:
// place 1 is the right of a pair, an even place that is the last stands alone.
void CEnemyGroup::UpdateEnemyMarkers()
{
    SceneTrace::Note("UpdateEnemyMarkers");
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        const EnemyRecord& r = Records[slot];
        MarkerFlags[slot] = 0;
        if (KindDefs[slot] == nullptr)
            continue;
        bool shown[3] = {};
        shown[0] = (r.Status.effectBits & ((1u << STATUS_EFFECT_COUNT) - 1u)) != 0;
        if ((r.FlagsA & FLAGS_A_MOVE_RUNNING) && MoveCount(slot) > 0) {
            const EnemyMoveDef& move = RunningMove(slot);
            shown[1] = move.Shielded && (r.MoveFrame < move.Duration || move.ShieldedPastDuration);
        }
        if (r.State == ENEMY_NORMAL && (r.FlagsA & FLAGS_A_ACTION_RUNNING) && ActionCount(slot) > 0)
            shown[2] = RunningAction(slot).IconId != -1;
        int count = 0;
        for (bool s : shown)
            count += s ? 1 : 0;
        int position = 0;
        for (int marker = 0; marker < 3; ++marker) {
            if (!shown[marker])
                continue;
            MarkerFlags[slot] |= static_cast<std::uint8_t>(1u << marker);
            MarkerShape[slot][marker] = position == 1 ? 2 : (position + 1 == count ? 0 : 1);
            MarkerRow[slot][marker] = static_cast<std::uint8_t>(position / 2);
            ++position;
        }
        SetBits(Records[slot].FlagsD, 27, 3, static_cast<std::uint32_t>(count));
    }
}
