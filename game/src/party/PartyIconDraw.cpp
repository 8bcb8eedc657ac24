// One status icon of the party's icon sheet, for the menus that list a
// member's effects.
#include "party/Character.h"
#include "party/PartyIcon.h"
#include "party/PartyServices.h"

namespace {

constexpr float kIconSize = 16.0f;

} // namespace

void DrawMemberIcon(int icon, float x, float y, float z)
{
    if (TheCharacter == nullptr || icon < 0 || icon >= STATUS_EFFECT_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    if (party.iconTexture == nullptr || GetTextureHandle(*party.iconTexture) == nullptr)
        return;
    for (int i = 0; i < 4; ++i) {
        TexturedVertex& vertex = party.quad[i];
        vertex.x = x + ((i & 1) != 0 ? kIconSize : 0.0f) - PARTY_QUAD_EDGE_SHIFT;
        vertex.y = y + ((i & 2) != 0 ? kIconSize : 0.0f) - PARTY_QUAD_EDGE_SHIFT;
        vertex.z = z;
        vertex.rhw = 1.0f;
        vertex.colour = 0xFFFFFFFFu;
        vertex.u = party.effectIconUV[icon][i];
        vertex.v = party.iconRowV[i];
    }
    SetCachedTexture(GetTextureHandle(*party.iconTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(party.quad, sizeof(TexturedVertex));
}
