// The members the battle items and member 2's heals pick by themselves: the
// leader first when the party asks for it and the leader lacks something,
// else the member with the lowest share. A maximum of 0 counts as full.
#include "party/Character.h"
#include "party/ThirdMember.h"

namespace {

// The share of a value in hundredths; a maximum of 0 counts as full.
long long Percent(std::int32_t value, std::int32_t maximum)
{
    return maximum > 0 ? static_cast<long long>(value) * 100 / maximum : 100;
}

// The member (up unless `anyone`) with the lowest share; ties keep the lowest index; member 0 when none.
template <typename Value> int LowestShare(const Value* values, const Value* maxima, bool anyone)
{
    const CCharacter& party = *TheCharacter;
    int best = -1;
    long long lowest = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        if (!anyone && party.IsKnockedOut(m))
            continue;
        const long long share = Percent(values[m], maxima[m]);
        if (best < 0 || share < lowest) {
            best = m;
            lowest = share;
        }
    }
    return best < 0 ? 0 : best;
}

} // namespace

int ChooseHealTarget()
{
    const CCharacter& party = *TheCharacter;
    const int leader = party.Leader();
    if (party.HealsLeaderFirst() && !party.IsKnockedOut(leader) && Percent(party.hp[leader], party.maxHp[leader]) < 100)
        return leader;
    return LowestShare(party.hp, party.maxHp, false);
}

int ChooseLowestSpMember()
{
    const CCharacter& party = *TheCharacter;
    const int leader = party.Leader();
    if (party.HealsLeaderFirst() && !party.IsKnockedOut(leader) && party.sp[leader] < party.maxSp[leader])
        return leader;
    return LowestShare(party.sp, party.maxSp, false);
}

int ChooseLowestStMember()
{
    const CCharacter& party = *TheCharacter;
    const int leader = party.Leader();
    if (party.HealsLeaderFirst() && party.st[leader] < party.maxSt[leader])
        return leader;
    return LowestShare(party.st, party.maxSt, true);
}
