// The ST regeneration tick: after a wait that depends on the member and its
// ailments, the member regains 1 ST on the steps its pattern row allows.
#include <algorithm>

#include "party/Character.h"
#include "party/MemberStRegen.h"

namespace {

constexpr int kWaitCap = 512;
constexpr int kWait[PARTY_MEMBER_COUNT] = {60, 45, 120};
constexpr int kRow[PARTY_MEMBER_COUNT] = {0, 0, 2};
constexpr int kPatternSteps = 8;
constexpr int kPatternRows = 5;
constexpr std::uint8_t kPattern[kPatternRows][kPatternSteps] = {
    {1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 1, 1, 1, 0}, {1, 0, 1, 0, 1, 0, 1, 0},
    {1, 0, 1, 0, 0, 1, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0},
};
constexpr int kThird = 2;
constexpr std::uint32_t kSkippedCycle = 3;

// Member 2 regenerates on three frames of four while it acts; the others not at all.
bool RegeneratesWhileActing(CCharacter& party, int member)
{
    if (member != kThird)
        return false;
    const std::uint32_t previous = Member2RegenCycle::Get(party.partyWordE);
    Member2RegenCycle::Set(party.partyWordE, (previous + 1) & 3u);
    return previous != kSkippedCycle;
}

int WaitFor(const BattleMember& record, int member)
{
    if (!record.HasEffect(EFFECT_WEAKNESS))
        return kWait[member];
    return record.HasEffect(EFFECT_POISON) ? kWait[member] * 5 / 2 : kWait[member] * 3 / 2;
}

int RowFor(const BattleMember& record, int member)
{
    if (!record.HasEffect(EFFECT_WEAKNESS))
        return kRow[member];
    return kRow[member] + (record.HasEffect(EFFECT_POISON) ? 2 : 1);
}

} // namespace

void TickMemberStRegen(int member)
{
    CCharacter& party = *TheCharacter;
    BattleMember& record = party.members[member];
    const std::uint32_t action = record.Action();
    if (action > ACTION_HIT_STUN)
        return;
    if ((action == ACTION_ATTACK || action == ACTION_MAGIC) && !RegeneratesWhileActing(party, member))
        return;
    if (record.stRegenWait < kWaitCap)
        ++record.stRegenWait;
    if (record.stRegenWait < WaitFor(record, member))
        return;
    const int row = std::min(RowFor(record, member), kPatternRows - 1);
    if (kPattern[row][record.stRegenStep % kPatternSteps] != 0 && party.st[member] < party.maxSt[member])
        SetMemberGauge(member, 1, true, false);
    ++record.stRegenStep;
}

void ReducePartyGauges(int amount)
{
    CCharacter& party = *TheCharacter;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (party.IsKnockedOut(m))
            continue;
        BattleMember& record = party.members[m];
        record.stRegenWait = 0;
        record.stRegenStep = 0;
        if (party.st[m] != 0)
            SetMemberGauge(m, -std::min<int>(amount, party.st[m]), true, false);
    }
}

void MarkGaugeFull(int member)
{
    CCharacter& party = *TheCharacter;
    if (party.st[member] == party.maxSt[member])
        StFullSinceAction::Set(party.members[member].flags2, 1);
}
