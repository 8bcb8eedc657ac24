// The party's settings: each lives in a field of the party words, so the
// saves keep them with the words.
#include "party/PartyOptions.h"

#include "core/SceneTrace.h"
#include "party/BattleOutcome.h"
#include "party/Character.h"
#include "party/PartyServices.h"
#include "record/UseRuleTables.h"

namespace {

constexpr std::uint32_t kHealMagic = 16;
constexpr std::uint32_t kGroupHealMagic = 18;

} // namespace

void SetPartyLeader(int member, bool clearFlag)
{
    SceneTrace::Note("SetPartyLeader", member);
    // Only members 0-2 can lead: a leader of 3 would steer nobody.
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    LeaderField::Set(TheCharacter->partyWordC, static_cast<std::uint32_t>(member));
    if (clearFlag)
        LeaderMarkerShown::Clear(TheCharacter->partyWordB);
}

void SetBattleOption(int option, int value, bool apply)
{
    SceneTrace::Note("SetBattleOption", option * 100 + value);
    if (TheCharacter == nullptr || option < 0 || option >= BATTLE_OPTION_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    const auto field = static_cast<std::uint32_t>(value);
    switch (option) {
    case 0:
        HpThresholdA::Set(party.partyWordC, field);
        if (apply)
            StopThirdMemberMagicIf(kHealMagic);
        break;
    case 1:
        HpThresholdB::Set(party.partyWordC, field);
        if (apply)
            StopThirdMemberMagicIf(kGroupHealMagic);
        break;
    case 2:
        HpThresholdIndex::Set(party.partyWordD, field);
        if (apply)
            StopThirdMemberSkillIfUnready();
        break;
    case 3:
        KeepActionsOption::Set(party.partyWordD, field);
        break;
    case 4:
        HealLeaderFirst::Set(party.partyWordC, field);
        break;
    default:
        IgnoreStockCheck::Set(party.partyWordC, field);
        break;
    }
}

void TogglePartyOptionBit(int bit)
{
    SceneTrace::Note("TogglePartyOptionBit", bit);
    if (TheCharacter != nullptr && bit >= 0 && bit < 32)
        TheCharacter->curableMask ^= 1u << bit;
}

void ToggleMemberOption(int member, int option)
{
    SceneTrace::Note("ToggleMemberOption", member * 10 + option);
    if (TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT && option >= 0 && option < 3)
        TheCharacter->memberOptions[member][option] ^= 1u;
}

void LearnMagic(int magic)
{
    SceneTrace::Note("LearnMagic", magic);
    if (TheCharacter == nullptr || magic < 0 || magic >= MAGIC_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    const int points = static_cast<int>(SkillPoints::Get(party.partyWordD));
    if (party.learned[magic] != 0 || points < LearnCost(magic))
        return;
    SkillPoints::Set(party.partyWordD, static_cast<std::uint32_t>(points - LearnCost(magic)));
    party.learned[magic] = 1;
    party.autoMagicAllowed[magic] = 1;
    RefreshMagicUsable();
}

void GainLearningPoint()
{
    if (TheCharacter == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    int missing = 0;
    for (int magic = 0; magic < MAGIC_COUNT; ++magic)
        if (party.learned[magic] == 0)
            missing += LearnCost(magic);
    const std::uint32_t points = SkillPoints::Get(party.partyWordD);
    if (static_cast<int>(points) < missing)
        SkillPoints::Set(party.partyWordD, points + 1);
}

bool IsMagicUsable(int magic)
{
    if (TheCharacter == nullptr || magic < 0 || magic >= MAGIC_COUNT || TheCharacter->learned[magic] == 0)
        return false;
    return TheCharacter->stockMax[MagicStock(magic)] >= MagicCostTable[magic];
}

void RefreshMagicUsable()
{
    if (TheCharacter == nullptr)
        return;
    for (int magic = 0; magic < MAGIC_COUNT; ++magic)
        TheCharacter->magicUsable[magic] = IsMagicUsable(magic) ? 1 : 0;
}
