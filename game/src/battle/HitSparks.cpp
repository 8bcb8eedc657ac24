// The sparkles that rain down over a healed or cured actor: four per call,
// in a random order of four places across the actor's box, each turning as
// it falls and fading over its last frames.
#include <algorithm>
#include <cmath>
#include <new>

#include "battle/BattleEffect.h"
#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "media/Texture.h"
#include "party/PartyServices.h"

namespace {

constexpr int kSparksPerCall = 4;
constexpr int kSparkLife = 50;
constexpr int kSparkFadeFrom = 43;
constexpr float kSparkTurn = 0.08f;
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kSparkSize = 16.0f;
constexpr float kMemberBoxLeft = 3.0f;
constexpr float kMemberBoxRight = 29.0f;
constexpr float kMemberBoxBottom = 32.0f;

} // namespace

void CBattleEffect::AddPartyHitSparks(int member, int variant)
{
    if (member >= 0 && member < SPARK_MEMBERS)
        AddSparks(memberSparks[member], kMemberBoxLeft, kMemberBoxRight, variant);
}

void CBattleEffect::AddEnemyHitSparks(int slot, int variant)
{
    if (slot >= 0 && slot < SPARK_ENEMIES) {
        const EnemyBox& box = TheEnemyGroup->Records[slot].BodyBox;
        AddSparks(enemySparks[slot], box.left, box.right, variant);
    }
}

void CBattleEffect::AddSparks(std::list<HitSpark>& sparks, float left, float right, int variant)
{
    const float centre = left + (right - left) / 2.0f;
    const float spread = std::max(0.0f, right - left - 16.0f) + 8.0f;
    const float start = centre - spread / 2.0f - 8.0f;
    const float spacing = spread / 4.0f * 3.5f / 3.0f;
    const float jitter = spread / 8.0f / 256.0f;

    // A random order of the four places: two drawn, the other two in either order.
    int place[kSparksPerCall];
    place[0] = GameRandom() / 8192;
    place[1] = (place[0] + 1 + GameRandom() * 3 / 32768) % kSparksPerCall;
    int rest = 2;
    for (int p = 0; p < kSparksPerCall; ++p)
        if (p != place[0] && p != place[1])
            place[rest++] = p;
    if (GameRandom() / 16384 == 0)
        std::swap(place[2], place[3]);

    for (int i = 0; i < kSparksPerCall; ++i) {
        HitSpark spark;
        spark.variant = static_cast<std::uint8_t>(variant);
        spark.timer = static_cast<std::int16_t>(-(6 * i + GameRandom() * 3 / 32768) - 1);
        spark.offsetX =
            static_cast<float>(place[i]) * spacing + start + static_cast<float>(GameRandom() / 128) * jitter;
        // A sparkle that cannot be had is reported and ends the call.
        try {
            sparks.push_back(spark);
        } catch (const std::bad_alloc&) {
            REPORT_ERROR(BATTLE_EFFECT_SOURCE, __LINE__, ERROR_NO_MEMORY);
            return;
        }
    }
}

// Only the enemy slots the group holds age.
void CBattleEffect::UpdateHitSparks()
{
    const auto age = [](std::list<HitSpark>& sparks) {
        for (auto it = sparks.begin(); it != sparks.end();) {
            if (++it->timer >= kSparkLife) {
                it = sparks.erase(it);
                continue;
            }
            it->angle += kSparkTurn;
            if (it->angle >= kPi)
                it->angle -= kTwoPi;
            ++it;
        }
    };
    for (auto& sparks : memberSparks)
        age(sparks);
    const int enemies = TheEnemyGroup != nullptr ? TheEnemyGroup->EnemyCount() : 0;
    for (int slot = 0; slot < enemies; ++slot)
        age(enemySparks[slot]);
}

bool CBattleEffect::HasEnemySparks(int slot) const
{
    return slot >= 0 && slot < SPARK_ENEMIES && !enemySparks[slot].empty();
}

void CBattleEffect::DrawPartyHitSparks(int member, float z)
{
    if (member < 0 || member >= SPARK_MEMBERS)
        return;
    const auto& record = TheCharacter->members[member];
    DrawSparks(memberSparks[member], record.x, record.y, 0.0f, kMemberBoxBottom, z);
}

void CBattleEffect::DrawEnemyHitSparks(int slot, float z)
{
    if (slot < 0 || slot >= SPARK_ENEMIES)
        return;
    const EnemyRecord& r = TheEnemyGroup->Records[slot];
    DrawSparks(enemySparks[slot], r.PosX, r.PosY, r.BodyBox.top, r.BodyBox.bottom, z);
}

// Each sparkle falls from above the box top to below its bottom over its
// life, turned about its centre; no sparkle texture, no draw.
void CBattleEffect::DrawSparks(const std::list<HitSpark>& sparks, float x, float y, float boxTop, float boxBottom,
                               float z)
{
    if (sparks.empty() || sparkTexture == nullptr)
        return;
    SetCachedTexture(GetTextureHandle(*sparkTexture));
    SetCachedFvf(FVF_TEXTURED);
    const float fall = (boxBottom - boxTop - kSparkSize + 18.0f) / static_cast<float>(kSparkLife);
    for (const HitSpark& spark : sparks) {
        if (spark.timer < 0)
            continue;
        const float left = std::trunc(x + spark.offsetX);
        const float top = std::trunc(y + boxTop - 8.0f + fall * static_cast<float>(spark.timer));
        const float c = std::cos(spark.angle), s = std::sin(spark.angle);
        const auto dx = static_cast<float>(RoundToInt(-8.0f * c + 8.0f * s + 8.0f));
        const auto dy = static_cast<float>(RoundToInt(-8.0f * s - 8.0f * c + 8.0f));
        const float corners[4][2] = {{left + dx, top + dy},
                                     {left + kSparkSize - dy, top + dx},
                                     {left + dy, top + kSparkSize - dx},
                                     {left + kSparkSize - dx, top + kSparkSize - dy}};
        const int alpha = spark.timer < kSparkFadeFrom ? 255 : 255 - 32 * (spark.timer - 42);
        const std::uint32_t colour = (static_cast<std::uint32_t>(alpha) << 24) | 0x00FFFFFFu;
        const float u0 = spark.variant == 0 ? 0.0f : 0.5f;
        for (int i = 0; i < 4; ++i)
            effectQuad[i] = {
                corners[i][0] - 0.5f,      corners[i][1] - 0.5f, z, 1.0f, colour, u0 + ((i & 1) != 0 ? 0.5f : 0.0f),
                (i & 2) != 0 ? 1.0f : 0.0f};
        DrawQuadStrip(effectQuad, sizeof(TexturedVertex));
    }
}
