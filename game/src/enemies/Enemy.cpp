#include "enemies/Enemy.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "battle/BattleServices.h"
#include "field/FieldServices.h"

namespace {

constexpr const char* kSource = "Enemy";
constexpr int kMarkTexEntry = PACK_ENEMY_GROUP_TEXTURES[0];
constexpr int kBadgeTexEntry = PACK_ENEMY_GROUP_TEXTURES[1];
constexpr int kUnderlayEntries[2] = {PACK_ENEMY_GROUP_TEXTURES[2], PACK_ENEMY_GROUP_TEXTURES[3]};
constexpr int kArrowTexEntry = PACK_ENEMY_GROUP_TEXTURES[4];
constexpr int kCandidateWeightsOffset = 60;
constexpr int kCandidateCount = 10;
constexpr int kFixedGroupCount = 4;

// A texture object loaded from `entry`, or null ("none") when it cannot be
// made or loaded; the failure is reported and the caller goes on.
CTexture* LoadShared(int entry)
{
    auto* texture = new (std::nothrow) CTexture();
    if (texture == nullptr) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return nullptr;
    }
    if (!texture->LoadTexture(0, entry)) {
        delete texture;
        return nullptr;
    }
    return texture;
}

void FreeTexture(CTexture*& texture)
{
    delete texture;
    texture = nullptr;
}

void CellUv(const CTexture* texture, float left, float top, float right, float bottom, float uv[4])
{
    if (texture == nullptr)
        return;
    float u[4], v[4];
    texture->RectToUV(left, top, right, bottom, u, v);
    uv[0] = u[0];
    uv[1] = v[0];
    uv[2] = u[1];
    uv[3] = v[2];
}

} // namespace

void CEnemyGroup::InitEnemy()
{
    static_assert(std::is_trivially_copyable_v<CEnemyGroup>, "the part is cleared with memset");
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    for (TexturedVertex& v : DropQuad)
        v.rhw = 1.0f;
    for (int i = 0; i < ENEMY_TEXTURE_CACHE; ++i) {
        TexCacheIds[i] = ENEMY_CACHE_EMPTY;
        TexCacheAge[i] = static_cast<std::uint8_t>(i);
    }
    ShotFadeAlpha = 255;
    FormationCount = 1;
    SetEnemyCount(1);
    MarkOffset[0] = -8.0f;
    MarkOffset[1] = 1.0f;
    MarkOffset[2] = -17.0f;
    MarkSpacing[0] = 16.0f;
    MarkSpacing[1] = 34.0f;
    LoadSharedTextures();
}

// In the order mark, arrow, underlays, badge; one that fails is left out
// and the rest still load.
void CEnemyGroup::LoadSharedTextures()
{
    MarkTex = LoadShared(kMarkTexEntry);
    CellUv(MarkTex, 112.0f, 112.0f, 128.0f, 128.0f, MarkUv);
    std::memcpy(MarkUvExtra, MarkUv, sizeof MarkUv);
    ArrowTex = LoadShared(kArrowTexEntry);
    CellUv(ArrowTex, 0.0f, 0.0f, 24.0f, 24.0f, ArrowRowUv[0]);
    CellUv(ArrowTex, 24.0f, 0.0f, 48.0f, 24.0f, ArrowRowUv[1]);
    UnderlayTex[0] = LoadShared(kUnderlayEntries[0]);
    UnderlayTex[1] = LoadShared(kUnderlayEntries[1]);
    BadgeTex = LoadShared(kBadgeTexEntry);
    CellUv(BadgeTex, 0.0f, 0.0f, 24.0f, 24.0f, BadgeUv);
    std::memcpy(BadgeUvExtra, BadgeUv, sizeof BadgeUv);
}

void CEnemyGroup::ReleaseEnemy()
{
    for (int i = 0; i < ENEMY_TEXTURE_CACHE; ++i) {
        FreeTexture(TexCache[i]);
        TexCacheIds[i] = ENEMY_CACHE_EMPTY;
    }
    FreeTexture(BadgeTex);
    FreeTexture(UnderlayTex[1]);
    FreeTexture(UnderlayTex[0]);
    FreeTexture(ArrowTex);
    FreeTexture(MarkTex);
}

void CEnemyGroup::SetMapBit(bool on)
{
    GroupBits2 = on ? GroupBits2 | GROUP2_STAT_BONUS : GroupBits2 & ~GROUP2_STAT_BONUS;
}

void CEnemyGroup::ReadMapEnemyFlags()
{
    int candidates = 0;
    int groups = 0;
    if (CurrentMap != nullptr) {
        while (candidates < kCandidateCount && CurrentMap[kCandidateWeightsOffset + candidates] != 0)
            ++candidates;
        while (groups < kFixedGroupCount && CurrentMap[mapblob::kGroupWeightsOffset + groups] != 0)
            ++groups;
    }
    SetBits(GroupBits, GROUP_CANDIDATES, 5, static_cast<std::uint32_t>(candidates));
    SetBits(GroupBits, GROUP_FIXED_GROUPS, 4, static_cast<std::uint32_t>(groups));
}

// The count is a signed 5-bit field: a negative count is no enemy, and no
// loop over the enemies runs past the eight records.
int CEnemyGroup::EnemyCount() const
{
    const int field = static_cast<int>(GetBits(GroupBits, GROUP_COUNT, 5));
    const int count = field >= 16 ? field - 32 : field;
    return std::clamp(count, 0, ENEMY_SLOTS);
}

void CEnemyGroup::SetEnemyCount(int count)
{
    SetBits(GroupBits, GROUP_COUNT, 5, static_cast<std::uint32_t>(std::clamp(count, 0, ENEMY_SLOTS)));
}

bool CEnemyGroup::IsBossBattle() const
{
    return TheBattleTouch != nullptr && (TheBattleTouch->flagWord & 1u) != 0;
}

void CEnemyGroup::SetDropItem(int i, int id, int count, int category)
{
    SetBits(DropList[i], 0, 9, static_cast<std::uint32_t>(id));
    SetBits(DropList[i], 9, 4, static_cast<std::uint32_t>(count));
    SetBits(DropList[i], 13, 4, static_cast<std::uint32_t>(category));
}

int CEnemyGroup::StretchDelay(int slot, int d) const
{
    if (Records[slot].Status.HasEffect(STATUS_SLOW))
        return std::min(static_cast<int>(static_cast<double>(d) * 1.5), 65535);
    return d;
}

void CEnemyGroup::SetEnemyPosition(int slot, float x, float y)
{
    EnemyRecord& r = Records[slot];
    r.PosX = x;
    r.PosY = y;
    r.CenterX = x + r.Width / 2.0f;
    r.CenterY = y + r.Height / 2.0f;
}

const CTexture* CEnemyGroup::EnemyTexture(int slot) const
{
    const int cacheSlot = static_cast<int>(GetBits(Records[slot].FlagsA, FLAGS_A_TEXTURE_SLOT, 4));
    return cacheSlot < ENEMY_TEXTURE_CACHE ? TexCache[cacheSlot] : nullptr;
}

void CEnemyGroup::UpdateSpriteFrame(int slot)
{
    const EnemyRecord& r = Records[slot];
    const CTexture* texture = EnemyTexture(slot);
    if (texture == nullptr || KindDefs[slot] == nullptr)
        return;
    const bool knockedBack = r.State == ENEMY_KNOCKBACK;
    int column = 0;
    if (KindDefs[slot]->PoseSprite)
        column = ((r.KindWord & KIND_WORD_POSE) ? 1 : 0) + (knockedBack ? 2 : 0);
    else if (knockedBack)
        column = 3;
    else if (r.FlagsA & FLAGS_A_WALKING)
        column = r.WalkFrame / 8 + 1;
    const int row = (r.FlagsE & FLAGS_E_ONE_ROW) ? 0 : static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    const float left = static_cast<float>(column) * r.FrameWidth;
    const float top = static_cast<float>(row) * r.FrameHeight;
    CellUv(texture, left, top, left + r.FrameWidth, top + r.FrameHeight, SpriteUv[slot]);
    std::memcpy(SpriteUvExtra[slot], SpriteUv[slot], sizeof SpriteUv[slot]);
}

void CEnemyGroup::StepRotatingPhase()
{
    if (PhasePeriod == 0 || ++PhaseTimer < PhasePeriod)
        return;
    PhaseTimer = 0;
    for (int slot = 0; slot < EnemyCount(); ++slot) {
        EnemyRecord& r = Records[slot];
        const std::uint32_t length = GetBits(r.FlagsD, FLAGS_D_PHASE_LENGTH, 3);
        if (KindDefs[slot] == nullptr || !KindDefs[slot]->PhaseRotation || length == 0)
            continue;
        SetBits(r.FlagsD, FLAGS_D_PHASE_INDEX, 3, (GetBits(r.FlagsD, FLAGS_D_PHASE_INDEX, 3) + 1) % length);
    }
}

void CEnemyGroup::UpdateFleeSprite(int slot)
{
    const EnemyRecord& r = Records[slot];
    const CTexture* texture = EnemyTexture(slot);
    if (texture == nullptr || KindDefs[slot] == nullptr)
        return;
    const int column =
        KindDefs[slot]->PoseSprite ? ((r.KindWord & KIND_WORD_POSE) ? 1 : 0) : (r.FleeFrame % 16) / 8 + 1;
    const int row = (r.FlagsE & FLAGS_E_ONE_ROW) ? 0 : static_cast<int>(GetBits(r.FlagsA, FLAGS_A_FACING, 2));
    const float left = static_cast<float>(column) * r.FrameWidth;
    const float top = static_cast<float>(row) * r.FrameHeight;
    CellUv(texture, left, top, left + r.FrameWidth, top + r.FrameHeight, SpriteUv[slot]);
    std::memcpy(SpriteUvExtra[slot], SpriteUv[slot], sizeof SpriteUv[slot]);
}
