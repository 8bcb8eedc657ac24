// A member's sprite in the battle, drawn at the depth the sorted draw gives.
#include "battle/BattleServices.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/PartyServices.h"

namespace {

constexpr float kSize = static_cast<float>(MEMBER_SPRITE_SIZE);

std::uint32_t WhiteWithAlpha(std::int16_t alpha)
{
    const std::uint32_t a = alpha < 0 ? 0u : alpha > 255 ? 255u : static_cast<std::uint32_t>(alpha);
    return (a << 24) | 0x00FFFFFFu;
}

void DrawMemberSprite(CCharacter& party, int member, float z)
{
    const CTexture* sheet = party.memberTextures[member];
    if (sheet == nullptr || GetTextureHandle(*sheet) == nullptr)
        return;
    const BattleMember& record = party.members[member];
    const float left = static_cast<float>(static_cast<int>(record.x)) - 0.5f;
    const float top = static_cast<float>(static_cast<int>(record.y)) - 0.5f;
    for (int i = 0; i < 4; ++i) {
        TexturedVertex& vertex = party.quad[i];
        vertex.x = left + ((i & 1) != 0 ? kSize : 0.0f);
        vertex.y = top + ((i & 2) != 0 ? kSize : 0.0f);
        vertex.z = z;
        vertex.rhw = 1.0f;
        vertex.colour = WhiteWithAlpha(record.alpha);
        vertex.u = record.spriteU[i];
        vertex.v = record.spriteV[i];
    }
    SetCachedTexture(GetTextureHandle(*sheet));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(party.quad, sizeof(TexturedVertex));
}

} // namespace

void DrawPartyBattle(int member, float z)
{
    CCharacter& party = *TheCharacter;
    DrawMemberSprite(party, member, z);
    if (member == 0 && TheCharaShot != nullptr && TheCharaShot->attachedVisible != 0)
        TheCharaShot->DrawCharaShot(TheCharaShot->attachedShot, z);
    if (TheBattleEffect != nullptr)
        TheBattleEffect->DrawPartyHitSparks(member, z);
}
