// Member 2's magic icon, drawn over it while it casts or uses a magic, and
// the indicators of the members when any shows one.
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "party/Character.h"
#include "party/MemberIndicators.h"
#include "party/PartyIcon.h"
#include "party/PartyServices.h"

namespace {

constexpr int kCaster = 2;
constexpr int kIconSlot = 2;
constexpr float kIconSize = 16.0f;
constexpr float kIconDepth = 0.081f;

bool AnyIndicatorShown(const CCharacter& party)
{
    if (ItemReadyShown::IsSet(party.partyWordC))
        return true;
    for (const BattleMember& record : party.members)
        if (GaugeEvent::IsSet(record.flags))
            return true;
    return false;
}

void DrawMagicIcon(CCharacter& party)
{
    const CTexture* sheet = TheEnemyGroup != nullptr ? TheEnemyGroup->MarkTex : nullptr;
    if (sheet == nullptr || GetTextureHandle(*sheet) == nullptr)
        return;
    const BattleMember& caster = party.members[kCaster];
    const float left =
        static_cast<float>(static_cast<int>(caster.x)) + party.iconOffsetX[caster.indicatorLook[kIconSlot] % 3];
    const float top =
        static_cast<float>(static_cast<int>(caster.y)) - party.iconOffsetY[caster.indicatorRow[kIconSlot] % 3];
    for (int i = 0; i < 4; ++i) {
        TexturedVertex& vertex = party.quad[i];
        vertex.x = left + ((i & 1) != 0 ? kIconSize : 0.0f) - PARTY_QUAD_EDGE_SHIFT;
        vertex.y = top + ((i & 2) != 0 ? kIconSize : 0.0f) - PARTY_QUAD_EDGE_SHIFT;
        vertex.z = kIconDepth;
        vertex.rhw = 1.0f;
        vertex.colour = 0xFFFFFFFFu;
        vertex.u = party.magicIconUV[0][i];
        vertex.v = party.magicIconUV[1][i];
    }
    SetCachedTexture(GetTextureHandle(*sheet));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(party.quad, sizeof(TexturedVertex));
}

} // namespace

void DrawPartyMagicSprite()
{
    SceneTrace::Note("DrawPartyMagicSprite");
    CCharacter& party = *TheCharacter;
    const std::uint32_t action = party.members[kCaster].Action();
    if (action == ACTION_ATTACK || action == ACTION_MAGIC)
        DrawMagicIcon(party);
    if (AnyIndicatorShown(party))
        DrawMemberIndicators();
}
