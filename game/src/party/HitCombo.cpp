// The hit combo of partyWordA and its colours on the status panel.
#include <algorithm>

#include "battle/BattleServices.h"
#include "party/Character.h"
#include "party/HitCombo.h"
#include "party/PartyServices.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr int kFadeFrom = 121;

std::uint32_t RedLevel(const CCharacter& party)
{
    return static_cast<std::uint32_t>(party.hitCountRed) << 16;
}

} // namespace

void AdvancePartyCounter999()
{
    CCharacter& party = *TheCharacter;
    std::uint32_t combo = ComboCount::Get(party.partyWordA);
    combo =
        FramesSinceHit::Get(party.partyWordA) > HIT_COMBO_GAP ? 1 : std::min<std::uint32_t>(combo + 1, HIT_COMBO_MAX);
    ComboCount::Set(party.partyWordA, combo);
    if (combo > BestCombo::Get(party.partyWordA))
        BestCombo::Set(party.partyWordA, combo);
    FramesSinceHit::Clear(party.partyWordA);
    party.hitCountRed = static_cast<std::int32_t>(std::min<std::uint32_t>(combo * 8, 255));
    party.hitCountColorA = kOpaque;
    party.hitCountColorB = kOpaque + RedLevel(party);
    if (TheBattleBackground != nullptr)
        TheBattleBackground->SetHudHitCount(static_cast<int>(combo));
}

void TickHitCombo()
{
    CCharacter& party = *TheCharacter;
    const int frames = static_cast<int>(FramesSinceHit::Get(party.partyWordA));
    if (frames >= HIT_COMBO_IDLE)
        return;
    FramesSinceHit::Set(party.partyWordA, static_cast<std::uint32_t>(frames + 1));
    if (frames + 1 < kFadeFrom)
        return;
    const auto alpha = static_cast<std::uint32_t>(std::max(0, 1215 - 8 * (frames + 1)));
    party.hitCountColorA = alpha << 24;
    party.hitCountColorB = (alpha << 24) + RedLevel(party);
}
