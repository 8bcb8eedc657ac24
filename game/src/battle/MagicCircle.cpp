#include "battle/MagicCircle.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "core/BattleAngles.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "media/Texture.h"
#include "party/PartyServices.h"

namespace {

constexpr const char* kSource = "MagicCircle";
constexpr int kCircleLoop = 0;
constexpr float kWidth = 48.0f;
constexpr float kHeight = 20.0f;
constexpr float kOutlineX = 240.0f;
constexpr float kGuideX = 288.0f;
constexpr float kDepthBase = 0.8f;
constexpr float kDepthScale = 480.0f * 8.0f;

enum class Growth { Leftward, Upward, Rightward, Downward };

// A rectangle of the normal-size circle that grows from one edge, and where
// its picture starts in the texture (x; its rows follow its top and bottom).
struct GrowingPiece {
    float left, top, right, bottom;
    float textureX;
    int length;
    Growth growth;
};

constexpr GrowingPiece kStrokes[5] = {
    {1, 12, 24, 20, kOutlineX + 1, 23, Growth::Leftward},   {0, 8, 1, 12, kOutlineX + 0, 4, Growth::Upward},
    {1, 0, 46, 8, kOutlineX + 1, 45, Growth::Rightward},    {46, 8, 47, 12, kOutlineX + 46, 4, Growth::Downward},
    {24, 12, 46, 20, kOutlineX + 24, 22, Growth::Leftward},
};
constexpr GrowingPiece kPieces[5] = {
    {7, 0, 24, 17, 336, 17, Growth::Leftward},  {7, 5, 44, 17, 354, 37, Growth::Rightward},
    {3, 5, 44, 6, 392, 41, Growth::Leftward},   {3, 5, 40, 17, 434, 37, Growth::Rightward},
    {23, 0, 40, 17, 472, 17, Growth::Leftward},
};

std::uint32_t WithAlpha(std::uint32_t colour, int alpha)
{
    return (colour & 0x00FFFFFFu) | (static_cast<std::uint32_t>(alpha) << 24);
}

// Descending by key; on equal keys enemy circles first, then the higher
// slot, then the earlier entry.
bool TakeLeft(const MagicCircleRecord& left, float leftKey, const MagicCircleRecord& right, float rightKey)
{
    if (leftKey != rightKey)
        return leftKey > rightKey;
    if (left.side != right.side)
        return left.side < right.side;
    return left.slot >= right.slot;
}

void SetLoop(bool on, bool fade)
{
    if (ThePlaySE != nullptr)
        ThePlaySE->SetLoopSE(kCircleLoop, on, fade);
}

} // namespace

void CMagicCircle::InitMagicCircle()
{
    ClearMagicCircles();
    texture = new (std::nothrow) CTexture();
    if (texture == nullptr) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return;
    }
    texture->LoadTexture(0, PACK_MAGIC_CIRCLES);
}

void CMagicCircle::ReleaseMagicCircle()
{
    ClearMagicCircles();
    delete texture;
    texture = nullptr;
}

// A duration below 1 is kept as 1, so the last frame's piece always has a span to grow over.
void CMagicCircle::SpawnMagicCircle(int side, int slot, int duration, int kind, bool large)
{
    MagicCircleRecord circle;
    circle.side = side != 0 ? MAGIC_CIRCLE_SIDE_PARTY : MAGIC_CIRCLE_SIDE_ENEMY;
    circle.slot = slot & 0xF;
    circle.kind = kind & 0x7;
    circle.large = large;
    circle.duration = std::max(1, duration);
    circle.imageRow = static_cast<float>(MAGIC_CIRCLE_ROW * circle.kind);
    circle.x = large ? -2 * kWidth : -kWidth;
    circle.y = -kHeight;
    try {
        circles.push_back(circle);
    } catch (const std::bad_alloc&) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
    }
}

void CMagicCircle::KillMagicCircles(int side, int slot)
{
    for (MagicCircleRecord& circle : circles)
        if (!circle.dying && circle.side == side && circle.slot == slot) {
            circle.dying = true;
            circle.fadeCounter = 0;
        }
}

bool CMagicCircle::HasMagicCircleOfSide(int side, int slot) const
{
    return std::any_of(circles.begin(), circles.end(),
                       [&](const MagicCircleRecord& c) { return !c.dying && c.side == side && c.slot == slot; });
}

bool CMagicCircle::HasMagicCircle(int kind, bool enemiesOnly) const
{
    return std::any_of(circles.begin(), circles.end(), [&](const MagicCircleRecord& c) {
        return !c.dying && c.kind == kind && (!enemiesOnly || c.side == MAGIC_CIRCLE_SIDE_ENEMY);
    });
}

bool CMagicCircle::HasMagicCircleOfKind(int kind) const
{
    return std::any_of(circles.begin(), circles.end(), [&](const MagicCircleRecord& c) {
        return !c.dying && c.kind == kind && c.side == MAGIC_CIRCLE_SIDE_PARTY;
    });
}

bool CMagicCircle::PickMagicCircleSlot(int& slot, int margin) const
{
    int picked = -1;
    for (const MagicCircleRecord& circle : circles) {
        if (circle.dying || circle.side != MAGIC_CIRCLE_SIDE_ENEMY)
            continue;
        if (TheEnemyGroup->IsEnemyInvulnerable(circle.slot) && !CanEnemyTakeCircleStatus(circle.slot))
            continue;
        if (circle.duration - circle.elapsed <= margin + 2)
            continue;
        picked = picked < 0 ? circle.slot : NearerEnemyToParty(picked, circle.slot);
    }
    if (picked < 0)
        return false;
    slot = picked;
    return true;
}

void CMagicCircle::UpdateDyingMagicCircles()
{
    SceneTrace::Note("UpdateDyingMagicCircles");
    bool anyLive = false;
    for (auto it = circles.begin(); it != circles.end();) {
        MagicCircleRecord& circle = *it;
        if (circle.dying) {
            if (++circle.fadeCounter >= MAGIC_CIRCLE_FADE_FRAMES) {
                it = circles.erase(it);
                continue;
            }
            const float left = 1.0f - static_cast<float>(circle.fadeCounter) / MAGIC_CIRCLE_FADE_FRAMES;
            circle.colour = WithAlpha(circle.colour, std::min(255, static_cast<int>(left * 255.0f)));
        } else {
            anyLive = true;
            if (++circle.elapsed > circle.duration) {
                circle.elapsed = circle.duration;
                circle.dying = true;
                circle.fadeCounter = 0;
            }
        }
        ++it;
    }
    // A circle spawned or killed between frames leaves the draw list stale:
    // the list is rebuilt by the placing that follows in every phase.
    drawCount = 0;
    SetLoop(anyLive, !anyLive);
}

void CMagicCircle::UpdateMagicCircle()
{
    SceneTrace::Note("UpdateMagicCircle");
    drawCount = 0;
    for (MagicCircleRecord& circle : circles) {
        if (drawCount == MAGIC_CIRCLE_DRAWN)
            break;
        const float scale = circle.large ? 2.0f : 1.0f;
        float foot = 0.0f;
        if (circle.side == MAGIC_CIRCLE_SIDE_PARTY) {
            if (!circle.dying) {
                circle.x = TheCharacter->members[circle.slot % 3].x - 8.0f;
                circle.y = TheCharacter->members[circle.slot % 3].y + 21.0f;
            }
            foot = circle.y - 30.0f + 9.0f + 32.0f;
        } else {
            const EnemyRecord& r = TheEnemyGroup->Records[circle.slot % ENEMY_SLOTS];
            if (!circle.dying) {
                circle.x = r.PosX + r.Width / 2.0f - kWidth * scale / 2.0f;
                circle.y = r.PosY + r.Height - 9.0f * scale;
            }
            foot = circle.y - r.Height + 9.0f + r.BodyBox.bottom;
        }
        circle.depth = kDepthBase - foot / kDepthScale;
        drawList[drawCount++] = {&circle, circle.depth};
    }
    for (int i = 0; i < drawCount; ++i)
        order[i] = static_cast<std::uint16_t>(i);
    SortMagicCircles(0, drawCount - 1);
}

void CMagicCircle::SortMagicCircles(int low, int high)
{
    if (low >= high)
        return;
    const int mid = (low + high) / 2;
    SortMagicCircles(low, mid);
    SortMagicCircles(mid + 1, high);
    int left = low, right = mid + 1, out = low;
    while (left <= mid && right <= high) {
        const DrawEntry& a = drawList[order[left]];
        const DrawEntry& b = drawList[order[right]];
        scratch[out++] = TakeLeft(*a.record, a.key, *b.record, b.key) ? order[left++] : order[right++];
    }
    while (left <= mid)
        scratch[out++] = order[left++];
    while (right <= high)
        scratch[out++] = order[right++];
    std::copy(scratch + low, scratch + high + 1, order + low);
}

void CMagicCircle::AnyMagicCircle() const
{
    if (std::any_of(circles.begin(), circles.end(), [](const MagicCircleRecord& c) { return !c.dying; }))
        SetLoop(true, true);
}

void CMagicCircle::ClearMagicCircles()
{
    circles.clear();
    drawCount = 0;
}

// With no circle texture the circles still age and answer, but are not drawn.
void CMagicCircle::DrawMagicCircles()
{
    SceneTrace::Note("DrawMagicCircles");
    if (drawCount == 0 || texture == nullptr || GetTextureHandle(*texture) == nullptr)
        return;
    SetCachedTexture(GetTextureHandle(*texture));
    SetCachedFvf(FVF_TEXTURED);
    for (int i = 0; i < drawCount; ++i)
        DrawCircle(*drawList[order[i]].record);
}

namespace {

// The part of a piece grown to m pixels from its growth edge, on screen
// (normal-size offsets) and in the texture.
void GrowPiece(const GrowingPiece& piece, int m, float screen[4], float tex[4])
{
    const float texRight = piece.textureX + (piece.right - piece.left);
    screen[0] = piece.left, screen[1] = piece.top, screen[2] = piece.right, screen[3] = piece.bottom;
    tex[0] = piece.textureX, tex[1] = piece.top, tex[2] = texRight, tex[3] = piece.bottom;
    const auto grown = static_cast<float>(m);
    switch (piece.growth) {
    case Growth::Leftward:
        screen[0] = piece.right - grown, tex[0] = texRight - grown;
        break;
    case Growth::Upward:
        screen[1] = piece.bottom - grown, tex[1] = piece.bottom - grown;
        break;
    case Growth::Rightward:
        screen[2] = piece.left + grown, tex[2] = piece.textureX + grown;
        break;
    case Growth::Downward:
        screen[3] = piece.top + grown, tex[3] = piece.top + grown;
        break;
    }
}

} // namespace

void CMagicCircle::DrawPiece(const MagicCircleRecord& circle, float left, float top, float right, float bottom,
                             float texLeft, float texTop, float texRight, float texBottom, std::uint32_t colour)
{
    const float scale = circle.large ? 2.0f : 1.0f;
    const float x0 = std::trunc(circle.x + left * scale) - 0.5f;
    const float y0 = std::trunc(circle.y + top * scale) - 0.5f;
    const float x1 = std::trunc(circle.x + right * scale) - 0.5f;
    const float y1 = std::trunc(circle.y + bottom * scale) - 0.5f;
    float u[4], v[4];
    texture->RectToUV(texLeft, circle.imageRow + texTop, texRight, circle.imageRow + texBottom, u, v);
    for (int i = 0; i < 4; ++i)
        quad[i] = {(i & 1) != 0 ? x1 : x0, (i & 2) != 0 ? y1 : y0, circle.depth, 1.0f, colour, u[i], v[i]};
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}

void CMagicCircle::DrawCircle(const MagicCircleRecord& circle)
{
    const int D = circle.duration;
    const int q = D / 8;
    const int e = circle.elapsed;
    float screen[4], tex[4];
    if (e < 3 * q) {
        const float p = static_cast<float>(e) / static_cast<float>(3 * q);
        const int guide = std::min(255, RoundToInt(p * 255.0f));
        const int recordAlpha = static_cast<int>(circle.colour >> 24);
        const auto alpha =
            static_cast<int>(static_cast<float>(guide) / 255.0f * static_cast<float>(recordAlpha) / 255.0f * 255.0f);
        if (alpha != 0)
            DrawPiece(circle, 0, 0, kWidth, kHeight, kGuideX, 0, kGuideX + kWidth, kHeight,
                      WithAlpha(circle.colour, alpha));
        int n = std::min(MAGIC_CIRCLE_STROKE_LENGTH, RoundToInt(p * MAGIC_CIRCLE_STROKE_LENGTH));
        for (const GrowingPiece& stroke : kStrokes) {
            if (n <= 0)
                break;
            GrowPiece(stroke, std::min(n, stroke.length), screen, tex);
            DrawPiece(circle, screen[0], screen[1], screen[2], screen[3], tex[0], tex[1], tex[2], tex[3],
                      circle.colour);
            n -= stroke.length;
        }
        return;
    }
    const int frame = q > 0 ? std::min(4, (e - 3 * q) / q) : 4;
    const auto frameX = static_cast<float>(48 * frame);
    DrawPiece(circle, 0, 0, kWidth, kHeight, frameX, 0, frameX + kWidth, kHeight, circle.colour);
    const GrowingPiece& piece = kPieces[frame];
    const float span = frame < 4 ? static_cast<float>(q) : static_cast<float>(D - 7 * q);
    const float run = static_cast<float>(e - (3 + frame) * q);
    const int m = std::min(piece.length, RoundToInt(run / span * static_cast<float>(piece.length)));
    if (m <= 0)
        return;
    GrowPiece(piece, m, screen, tex);
    DrawPiece(circle, screen[0], screen[1], screen[2], screen[3], tex[0], tex[1], tex[2], tex[3], circle.colour);
}
