#include "party/Leader.h"

#include "media/PlaySE.h"
#include "party/BattleButtons.h"
#include "party/Character.h"

void ChangeLeader(std::uint32_t index, bool direct)
{
    CCharacter& party = *TheCharacter;
    if (direct) {
        // Only members 0-2 can lead; a leader of 3 would steer nobody.
        if (index >= PARTY_MEMBER_COUNT)
            return;
        LeaderField::Set(party.partyWordC, index);
    } else {
        PlaySoundEffect(SE_LEADER_CHANGE);
        const int step = Held(BUTTON_SHIFT) ? PARTY_MEMBER_COUNT - 1 : 1;
        LeaderField::Set(party.partyWordC, static_cast<std::uint32_t>((party.Leader() + step) % PARTY_MEMBER_COUNT));
    }
    // A third member taken over while it casts or attacks finishes that action.
    const BattleMember& third = party.members[2];
    if (party.Leader() == 2 && !third.IsDown()) {
        if (third.Action() == ACTION_MAGIC)
            KeepMagic::Set(party.partyWordC, 1);
        else if (third.Action() == ACTION_ATTACK)
            KeepAttack::Set(party.partyWordC, 1);
    }
    ShowLeaderMarker(party.Leader());
}

void AdvanceLeaderMarker()
{
    CCharacter& party = *TheCharacter;
    if (!LeaderMarkerShown::IsSet(party.partyWordB))
        return;
    LeaderMarkerCounter::Set(party.partyWordB, LeaderMarkerCounter::Get(party.partyWordB) + 1);
    if (LeaderMarkerCounter::Get(party.partyWordB) >= LEADER_MARKER_FRAMES)
        LeaderMarkerShown::Clear(party.partyWordB);
}

void ShowLeaderMarker(int member)
{
    CCharacter& party = *TheCharacter;
    LeaderMarkerShown::Set(party.partyWordB, 1);
    LeaderMarkerCounter::Clear(party.partyWordB);
    MarkedMember::Set(party.partyWordC, static_cast<std::uint32_t>(member));
}
