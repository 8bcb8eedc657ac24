// What heals the party outside the battle's own steps, and the leader and
// flag operations the menus and the battle end call.
#include "party/PartyRecovery.h"

#include <algorithm>

#include "battle/BattleServices.h"
#include "media/PlaySE.h"
#include "party/Character.h"
#include "party/Leader.h"
#include "party/MemberActions.h"
#include "party/MemberAttacks.h"
#include "party/PartyServices.h"

namespace {

constexpr int kPopupHealSp = 5;
constexpr int kSeHealSp = 8;
constexpr int kWholePercent = 100;
constexpr std::uint32_t kWholeSp = 255;

bool ValidMember(int member)
{
    return TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT;
}

void RefillSt(CCharacter& party, int member, bool marks)
{
    if (party.st[member] < party.maxSt[member])
        SetMemberGauge(member, party.maxSt[member] - party.st[member], marks, false);
}

} // namespace

void HealMemberMP(int member, std::uint32_t amount, bool sound, bool popup)
{
    if (!ValidMember(member) || TheCharacter->IsKnockedOut(member))
        return;
    CCharacter& party = *TheCharacter;
    const auto lacking = static_cast<std::uint32_t>(std::max(0, party.maxSp[member] - party.sp[member]));
    const auto given = static_cast<std::int32_t>(std::min(amount, lacking));
    SetMemberMP(member, given, false);
    if (popup && TheBattleEffect != nullptr)
        TheBattleEffect->AddDamagePopup(true, member, kPopupHealSp, false, given);
    if (sound)
        PlaySoundEffect(kSeHealSp);
}

void RestoreMemberFully(int member)
{
    if (!ValidMember(member))
        return;
    CCharacter& party = *TheCharacter;
    HealMemberPercent(member, kWholePercent, true, true);
    if (!party.IsKnockedOut(member))
        RemoveStatusEffectsFrom5(party.members[member]);
    HealMemberMP(member, kWholeSp, false, false);
    if (!party.IsKnockedOut(member))
        RefillSt(party, member, false);
}

void ReviveParty()
{
    if (TheCharacter == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        BattleMember& record = party.members[m];
        KnockedOut::Clear(record.state);
        record.effectBits = 0;
        ActiveEffectCount::Clear(record.effectState);
        ShownEffectIndex::Clear(record.effectState);
        MarkCount::Clear(record.effectState);
        if (party.hp[m] == 0)
            SetMemberHP(m, 1, false);
        RefillSt(party, m, false);
    }
}

void SelectLeader(std::uint32_t index, bool cycle)
{
    if (TheCharacter == nullptr)
        return;
    const int old = TheCharacter->Leader();
    if (static_cast<int>(index) == old && !cycle)
        return;
    ResetMemberThinking(old);
    ChangeLeader(index, !cycle);
    RebuildMemberIndicators();
}

void SetPartyFlag30(std::uint32_t value)
{
    if (TheCharacter != nullptr)
        MagicOff::Set(TheCharacter->partyWordC, value & 1u);
}

void ClearPartyFlag31()
{
    if (TheCharacter != nullptr)
        ItemCooldownRunning::Clear(TheCharacter->partyWordB);
}
