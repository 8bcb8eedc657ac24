// The three members lying down in the corner of the game-over screen.
#include "party/Character.h"
#include "party/PartyServices.h"

namespace {

constexpr float kCellSize = 64.0f;
constexpr float kFirstX = 496.0f;
constexpr float kStepX = 32.0f; // each overlaps the one before by half
constexpr float kTop = 400.0f;
constexpr float kDepth[PARTY_MEMBER_COUNT] = {0.6f, 0.59f, 0.58f};

} // namespace

void DrawPartyGameOver()
{
    CCharacter& party = *TheCharacter;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const CTexture* sheet = party.memberTextures[m];
        if (sheet == nullptr || GetTextureHandle(*sheet) == nullptr)
            continue;
        const float left = kFirstX + kStepX * static_cast<float>(m) - 0.5f;
        for (int i = 0; i < 4; ++i) {
            TexturedVertex& vertex = party.quad[i];
            vertex.x = left + ((i & 1) != 0 ? kCellSize : 0.0f);
            vertex.y = kTop - 0.5f + ((i & 2) != 0 ? kCellSize : 0.0f);
            vertex.z = kDepth[m];
            vertex.rhw = 1.0f;
            vertex.colour = 0xFFFFFFFFu;
            vertex.u = party.downCellU[i];
            vertex.v = party.downCellV[i];
        }
        SetCachedTexture(GetTextureHandle(*sheet));
        SetCachedFvf(FVF_TEXTURED);
        DrawQuadStrip(party.quad, sizeof(TexturedVertex));
    }
}
