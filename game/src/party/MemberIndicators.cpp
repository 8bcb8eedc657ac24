// The members' indicators: which of the six apply, their pairing row by row,
// and the three that fade out after 32 opaque frames. The entry points note
// their runs (see SceneTrace.h) for the battle frame's tests.
#include <algorithm>
#include <array>

#include "core/FadeInAlphaColor.h"
#include "core/GameConstants.h"
#include "core/SceneTrace.h"
#include "party/Character.h"
#include "party/MemberIndicators.h"
#include "party/PartyIcon.h"
#include "party/PartyServices.h"

namespace {

constexpr int kThird = 2;
constexpr float kIconSize = 16.0f;
constexpr int kOpaqueFrames = 32;
constexpr int kFadeStep = 16;
constexpr float kIndicatorDepth = 0.08f;
constexpr float kMagicOffDepth = 0.1f;
constexpr float kDepthScale = SCREEN_HEIGHT * 128.0f;
constexpr float kLeaderMarkerDepth = 0.061f;
constexpr int kRetargetCounter = 2;
enum GaugeEventKind : std::uint32_t { kGaugeFull = 1, kGaugeLow = 2 };

bool SlotApplies(const CCharacter& party, int member, int slot)
{
    const BattleMember& record = party.members[member];
    switch (slot) {
    case INDICATOR_EFFECTS:
        return record.effectBits != 0;
    case INDICATOR_MAGIC_OFF:
        return member == kThird && party.PartyFlag30() && !record.IsDown();
    case INDICATOR_CASTING:
        return member == kThird && (record.Action() == ACTION_ATTACK || record.Action() == ACTION_MAGIC);
    case INDICATOR_GAUGE:
        return GaugeEvent::IsSet(record.flags);
    case INDICATOR_ITEM_READY:
        return ItemReadyShown::IsSet(party.partyWordC) && party.Leader() == member;
    default:
        return LeaderMarkerShown::IsSet(party.partyWordB) &&
               static_cast<int>(MarkedMember::Get(party.partyWordC)) == member;
    }
}

void RebuildMember(CCharacter& party, int member)
{
    BattleMember& record = party.members[member];
    int count = 0;
    for (int slot = 0; slot < INDICATOR_SLOTS; ++slot) {
        record.indicatorShown[slot] = SlotApplies(party, member, slot) ? 1 : 0;
        count += record.indicatorShown[slot];
    }
    IndicatorCount::Set(record.flags, static_cast<std::uint32_t>(count));
    int before = 0;
    for (int slot = 0; slot < INDICATOR_SLOTS; ++slot) {
        if (record.indicatorShown[slot] == 0)
            continue;
        const bool anotherFollows = before + 1 < count;
        record.indicatorLook[slot] = static_cast<std::uint8_t>(before % 2 == 1 ? 2 : (anotherFollows ? 1 : 0));
        record.indicatorRow[slot] = static_cast<std::uint8_t>(before / 2);
        ++before;
    }
}

// One 16 × 16 icon at the slot's place over the member.
void DrawIcon(CCharacter& party, int member, int slot, const float* u, float depth, std::uint32_t colour)
{
    if (party.iconTexture == nullptr || GetTextureHandle(*party.iconTexture) == nullptr)
        return;
    const BattleMember& record = party.members[member];
    const float left =
        static_cast<float>(static_cast<int>(record.x)) + party.iconOffsetX[record.indicatorLook[slot] % 3];
    const float top = static_cast<float>(static_cast<int>(record.y)) - party.iconOffsetY[record.indicatorRow[slot] % 3];
    for (int i = 0; i < 4; ++i) {
        TexturedVertex& vertex = party.quad[i];
        vertex.x = left + ((i & 1) != 0 ? kIconSize : 0.0f) - PARTY_QUAD_EDGE_SHIFT;
        vertex.y = top + ((i & 2) != 0 ? kIconSize : 0.0f) - PARTY_QUAD_EDGE_SHIFT;
        vertex.z = depth;
        vertex.rhw = 1.0f;
        vertex.colour = colour;
        vertex.u = u[i];
        vertex.v = party.iconRowV[i];
    }
    SetCachedTexture(GetTextureHandle(*party.iconTexture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(party.quad, sizeof(TexturedVertex));
}

// The members back to front, as the battle's draw list lays them.
std::array<int, PARTY_MEMBER_COUNT> MembersBackToFront(const CCharacter& party)
{
    std::array<int, PARTY_MEMBER_COUNT> order{0, 1, 2};
    std::stable_sort(order.begin(), order.end(),
                     [&party](int a, int b) { return party.members[a].y < party.members[b].y; });
    return order;
}

} // namespace

void RebuildMemberIndicators()
{
    SceneTrace::Note("RebuildMemberIndicators");
    CCharacter& party = *TheCharacter;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        RebuildMember(party, m);
}

void DrawMemberIndicators()
{
    SceneTrace::Note("DrawMemberIndicators");
    CCharacter& party = *TheCharacter;
    for (const int m : MembersBackToFront(party)) {
        const BattleMember& record = party.members[m];
        const float depth = kIndicatorDepth - (record.y + 32.0f) / kDepthScale;
        const std::uint32_t event = GaugeEvent::Get(record.flags);
        if (event != 0) {
            const int counter = static_cast<int>(FlashCounter::Get(record.flags));
            DrawIcon(party, m, INDICATOR_GAUGE, event == kGaugeFull ? party.iconUV31 : party.iconUV30, depth,
                     FadeInAlphaColor(kOpaqueFrames, counter, kFadeStep));
        }
        if (ItemReadyShown::IsSet(party.partyWordC) && party.Leader() == m) {
            const int counter = static_cast<int>(ItemReadyCounter::Get(party.partyWordC));
            DrawIcon(party, m, INDICATOR_ITEM_READY, party.iconUV26, depth,
                     FadeInAlphaColor(kOpaqueFrames, counter, kFadeStep));
        }
    }
}

void DrawPartyOverlayIfFlagged()
{
    SceneTrace::Note("DrawPartyOverlayIfFlagged");
    CCharacter& party = *TheCharacter;
    if (!LeaderMarkerShown::IsSet(party.partyWordB))
        return;
    const int member = static_cast<int>(MarkedMember::Get(party.partyWordC)) % PARTY_MEMBER_COUNT;
    const int counter = static_cast<int>(LeaderMarkerCounter::Get(party.partyWordB));
    DrawIcon(party, member, INDICATOR_LEADER, party.memberIconUV[member], kLeaderMarkerDepth,
             FadeInAlphaColor(kOpaqueFrames, counter, kFadeStep));
}

void DrawMemberBattleSprite()
{
    SceneTrace::Note("DrawMemberBattleSprite");
    CCharacter& party = *TheCharacter;
    if (!party.PartyFlag30() || party.IsKnockedOut(kThird))
        return;
    const float depth = kMagicOffDepth - (party.members[kThird].y + 32.0f) / kDepthScale;
    DrawIcon(party, kThird, INDICATOR_MAGIC_OFF, party.iconUV25, depth, 0xFFFFFFFFu);
}

void ClearMemberTargetOf(int enemy)
{
    CCharacter& party = *TheCharacter;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (m != party.Leader() && static_cast<int>(TargetEnemy::Get(party.members[m].flags)) == enemy)
            party.members[m].moveCounters[kRetargetCounter] = 0;
}
