// Whether an item, a magic or the third member's special command can be used
// now and on whom: the menus grey out entries and mark targets by these masks.
#include <algorithm>
#include <cstring>

#include "party/PartyServices.h"
#include "record/Pipkorn.h"
#include "record/UseRuleTables.h"

namespace {

// The third member cannot cast under these effects, nor use its special command.
constexpr std::uint32_t kMagicBlockingEffects = 0x8080;
constexpr std::uint32_t kSpecialBlockingEffects = 0x8040;
constexpr std::uint32_t kSpecialCuredEffect = 1u << 4;

bool IsSingleTargetItem(int item)
{
    switch (item) {
    case 0:
    case 1:
    case 3:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 11:
    case 13:
    case 14:
    case 15:
    case 16:
    case 18:
    case 19:
    case 20:
    case 35:
    case 36:
    case 37:
    case 38:
    case 39:
    case 40:
    case 41:
    case 45:
    case 46:
        return true;
    default:
        return false;
    }
}

// The party as the checks see it; being knocked out counts only in battle.
class PartyView {
public:
    PartyView(const CCharacter& party, bool inBattle) : party_(party), inBattle_(inBattle) {}

    bool Down(int m) const { return inBattle_ && party_.IsKnockedOut(m); }
    bool Up(int m) const { return !Down(m); }
    bool Hurt(int m) const { return party_.hp[m] < party_.maxHp[m]; }
    bool HurtAndUp(int m) const { return Hurt(m) && Up(m); }
    bool LacksSp(int m) const { return party_.sp[m] < party_.maxSp[m]; }
    bool LacksGauge(int m) const { return party_.st[m] < party_.maxSt[m]; }
    bool Ailing(int m) const { return (party_.members[m].effectBits & AILMENT_EFFECT_BITS) != 0; }
    bool StatBelowCap(int m, int stat) const { return party_.statsA[m][stat] < GROWTH_STAT_CAP; }
    bool AnyStock() const
    {
        return std::any_of(party_.stock, party_.stock + STOCK_COUNT, [](std::int16_t s) { return s != 0; });
    }

    // What the magic's stock holds for it; in battle what has charged counts too.
    int UsableStock(int magic) const
    {
        const int k = MagicStock(magic);
        if (!inBattle_)
            return party_.stock[k];
        // A charge level outside the table charges nothing, like level 0.
        const int level = party_.stockRegenSpeed[k] < 8 ? party_.stockRegenSpeed[k] : 0;
        return party_.stock[k] + (party_.stockRegenFrame[k] + MagicChargeBonusTable[magic]) / ChargeDivisorTable[level];
    }

private:
    const CCharacter& party_;
    bool inBattle_;
};

template <typename Rule> void MarkMembers(std::uint8_t mask[3], Rule rule)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        mask[m] = rule(m);
}

template <typename Test> bool AnyMember(Test test)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (test(m))
            return true;
    return false;
}

std::uint8_t Mark(bool valid)
{
    return valid ? USE_MARK_VALID : USE_MARK_NONE;
}

// The item cooldown runs (the word is negative), or the battle limits item
// uses and none is left.
bool NoItemsInBattle(const CCharacter& party)
{
    const bool cooldown = static_cast<std::int32_t>(party.partyWordB) < 0;
    const bool usesLimited = (party.partyWordD & (1u << 28)) != 0;
    const bool noUsesLeft = ((party.partyWordD >> 18) & 7u) == 0;
    return cooldown || (usesLimited && noUsesLeft);
}

bool MapAllowsStockDrain()
{
    return !MapRefillsStocks();
}

} // namespace

bool GameData::CheckItemUsable(int item, std::uint8_t mask[3], bool inBattle) const
{
    std::memset(mask, USE_MARK_NONE, 3);
    const bool single = IsSingleTargetItem(item);
    if (TheCharacter == nullptr || item < 0 || item >= FIELD_ITEM_LIMIT)
        return single;
    const CCharacter& party = *TheCharacter;
    if (inBattle ? item >= FIRST_GROWTH_ITEM || NoItemsInBattle(party) : item == 13 || item == 21)
        return single;
    const PartyView view(party, inBattle);
    switch (item) {
    case 0:
    case 1:
    case 2:
    case 14:
    case 20:
    case 40:
    case 42:
    case 45:
    case 47:
        MarkMembers(mask, [&](int m) { return Mark(view.HurtAndUp(m)); });
        break;
    case 3:
    case 4:
    case 15:
    case 17:
        MarkMembers(mask, [&](int m) { return Mark(inBattle && view.Ailing(m) && view.Up(m)); });
        break;
    case 5:
    case 18:
        MarkMembers(mask, [&](int m) { return Mark(view.HurtAndUp(m) || (inBattle && view.Ailing(m) && view.Up(m))); });
        break;
    case 6:
    case 7:
    case 16:
        MarkMembers(mask, [&](int m) {
            return view.Down(m) ? USE_MARK_VALID : view.HurtAndUp(m) ? USE_MARK_NO_EFFECT : USE_MARK_NONE;
        });
        break;
    case 8:
    case 9:
    case 10:
    case 19:
    case 41:
    case 43:
    case 44:
    case 46:
        MarkMembers(mask, [&](int m) { return Mark(view.LacksSp(m) && view.Up(m)); });
        break;
    case 11:
    case 12:
        MarkMembers(mask, [&](int m) {
            return Mark(view.Hurt(m) || view.LacksSp(m) || (inBattle && (view.Ailing(m) || view.LacksGauge(m))));
        });
        break;
    case 13:
    case 21:
        MarkMembers(mask, [&](int m) { return Mark(view.Down(m)); });
        break;
    case DRAIN_STOCK_ITEM:
        mask[0] = Mark((inBattle || MapAllowsStockDrain()) && view.AnyStock());
        break;
    case 35:
        MarkMembers(mask, [&](int m) { return Mark(party.baseMaxHp[m] < PARTY_MAX_HP); });
        break;
    case 36: // members 0 and 1 gain from the first stat, the third member only looks on
        MarkMembers(mask, [&](int m) {
            return view.StatBelowCap(m, 0) ? (m < 2 ? USE_MARK_VALID : USE_MARK_NO_EFFECT) : USE_MARK_NONE;
        });
        break;
    case 37: // the second stat serves the third member
        MarkMembers(mask, [&](int m) {
            return view.StatBelowCap(m, 1) ? (m < 2 ? USE_MARK_NO_EFFECT : USE_MARK_VALID) : USE_MARK_NONE;
        });
        break;
    case 38:
    case 39:
        MarkMembers(mask, [&](int m) { return Mark(view.StatBelowCap(m, item - 36)); });
        break;
    default:
        if (item >= FIRST_STOCK_ITEM && item < DRAIN_STOCK_ITEM) {
            const int kind = (item - FIRST_STOCK_ITEM) % STOCK_COUNT;
            mask[0] = Mark(party.stock[kind] < party.stockMax[kind]);
        }
        break;
    }
    if (!single && AnyMember([&](int m) { return mask[m] == USE_MARK_VALID; }))
        mask[0] = USE_MARK_VALID;
    return single;
}

bool GameData::CheckMagicUsable(int magic, std::uint8_t mask[3], bool inBattle) const
{
    std::memset(mask, USE_MARK_NONE, 3);
    const bool single = magic == 16 || magic == 19;
    if (TheCharacter == nullptr || magic < 0 || magic >= MAGIC_COUNT)
        return single;
    const CCharacter& party = *TheCharacter;
    const PartyView view(party, inBattle);
    if (inBattle &&
        ((party.members[THIRD_MEMBER].effectBits & kMagicBlockingEffects) != 0 || party.IsKnockedOut(THIRD_MEMBER)))
        return single;
    if (view.UsableStock(magic) < MagicCostTable[magic]) {
        if (inBattle)
            std::memset(mask, USE_MARK_NO_STOCK, 3);
        return single;
    }
    switch (magic) {
    case 16:
        MarkMembers(mask, [&](int m) { return Mark(view.HurtAndUp(m)); });
        break;
    case 17:
        mask[0] = Mark(inBattle && AnyMember([&](int m) { return view.Ailing(m); }));
        break;
    case 18:
        mask[0] = Mark(AnyMember([&](int m) { return view.HurtAndUp(m); }));
        break;
    case 19:
        MarkMembers(mask, [&](int m) {
            return view.Down(m) ? USE_MARK_VALID : view.Hurt(m) ? USE_MARK_NO_EFFECT : USE_MARK_NONE;
        });
        break;
    default:
        if (inBattle)
            std::memset(mask, USE_MARK_VALID, 3);
        break;
    }
    if (inBattle)
        std::replace(mask, mask + 3, std::uint8_t{USE_MARK_NONE}, std::uint8_t{USE_MARK_NO_EFFECT});
    return single;
}

bool GameData::CheckSpecialUsable(int kind, std::uint8_t mask[3]) const
{
    std::memset(mask, USE_MARK_NONE, 3);
    if (TheCharacter == nullptr || (kind != 1 && kind != 2))
        return false;
    const CCharacter& party = *TheCharacter;
    const std::uint32_t effects = party.members[THIRD_MEMBER].effectBits;
    if (party.IsKnockedOut(THIRD_MEMBER) || (effects & kSpecialBlockingEffects) != 0 ||
        party.sp[THIRD_MEMBER] < SpecialCostTable[kind])
        return false;
    if (kind == 1)
        mask[0] = party.hp[THIRD_MEMBER] < party.maxHp[THIRD_MEMBER] ? USE_MARK_VALID : USE_MARK_NO_EFFECT;
    else
        mask[0] = (effects & kSpecialCuredEffect) != 0 ? USE_MARK_NO_EFFECT : USE_MARK_VALID;
    return false;
}
