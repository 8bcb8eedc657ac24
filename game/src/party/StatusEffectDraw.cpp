// A member's status marks floating over its head, and the icon of the
// effect its list shows now.
#include <algorithm>

#include "battle/BattleServices.h"
#include "party/PartyServices.h"
#include "party/StatusEffectTable.h"

namespace {

constexpr float kIconSize = 16.0f;
constexpr float kDepthScale = 480.0f * 128.0f;
constexpr int kFadeStart = 32;
constexpr std::uint32_t kWhite = 0x00FFFFFFu;

} // namespace

const char16_t* GetEffectColor(int kind, int level)
{
    level = std::clamp(level, 0, 3);
    if (kind == EFFECT_ATTACK_UP)
        return AttackLevelLabels[level];
    if (kind == EFFECT_DEFENCE_UP)
        return GuardLevelLabels[level];
    return kind >= 0 && kind < STATUS_EFFECT_COUNT ? EffectNames[kind] : u"";
}

float GetEffectScale(int kind, int level)
{
    return GetStatusLabelWidth(GetEffectColor(kind, level));
}

std::uint32_t FadeAlphaColor(int timer)
{
    if (timer <= kFadeStart)
        return 0xFFFFFFFFu;
    const int alpha = std::max(0, 255 - (timer - kFadeStart) * 16);
    return (static_cast<std::uint32_t>(alpha) << 24) | kWhite;
}

void DrawMemberEffects(int member)
{
    const BattleMember& record = TheCharacter->members[member];
    const int rows = (static_cast<int>(IndicatorCount::Get(record.flags)) + 1) / 2;
    const int count = static_cast<int>(MarkCount::Get(record.effectState));
    const float z = 0.09f - (record.y + 32.0f) / kDepthScale;
    for (int i = 0; i < count && record.markTimer[i] >= 0; ++i) {
        const int kind = record.markKind[i];
        const int level = record.markLevel[i];
        const float x = static_cast<float>(static_cast<int>(record.x + 16.0f - GetEffectScale(kind, level) / 2.0f));
        const float y = static_cast<float>(static_cast<int>(record.y - 18.0f - 18.0f * static_cast<float>(rows)));
        DrawBattleLabel(x, y, z, GetEffectColor(kind, level), FadeAlphaColor(record.markTimer[i]));
    }
}

void DrawPartyBattleOverlay(int member)
{
    CCharacter& party = *TheCharacter;
    const BattleMember& record = party.members[member];
    const int count = static_cast<int>(ActiveEffectCount::Get(record.effectState));
    const int shown = static_cast<int>(ShownEffectIndex::Get(record.effectState));
    if (count == 0 || shown >= count || party.iconTexture == nullptr || GetTextureHandle(*party.iconTexture) == nullptr)
        return;
    const int effect = record.effectOrder[shown] % STATUS_EFFECT_COUNT;
    const float left = static_cast<float>(static_cast<int>(record.x)) + party.iconOffsetX[record.indicatorLook[0] % 3];
    const float top = static_cast<float>(static_cast<int>(record.y)) - party.iconOffsetY[record.indicatorRow[0] % 3];
    for (int i = 0; i < 4; ++i) {
        TexturedVertex& vertex = party.quad[i];
        vertex.x = left + ((i & 1) != 0 ? kIconSize : 0.0f) - 0.5f;
        vertex.y = top + ((i & 2) != 0 ? kIconSize : 0.0f) - 0.5f;
        vertex.z = 0.1f - (record.y + 32.0f) / kDepthScale;
        vertex.rhw = 1.0f;
        vertex.colour = 0xFFFFFFFFu;
        vertex.u = party.effectIconUV[effect][i];
        vertex.v = party.iconRowV[i];
    }
    SetCachedTexture(GetTextureHandle(*party.iconTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(party.quad, sizeof(TexturedVertex));
}
