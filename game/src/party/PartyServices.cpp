// The party services the game data, the save files and the use rules call:
// the new game's party, the refresh after a load or a new game, and the
// members to heal first.
#include "party/Character.h"

#include <algorithm>

#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"
#include "party/PartyBattle.h"
#include "party/PartyOptions.h"
#include "party/PartyServices.h"
#include "party/PartyStats.h"
#include "record/Pipkorn.h"

int GetMaxPartyLevel()
{
    if (TheCharacter == nullptr)
        return 0;
    int highest = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        if (TheCharacter->level[m] > highest)
            highest = TheCharacter->level[m];
    return highest;
}

namespace {

constexpr std::int32_t kNewGameMaxHp[PARTY_MEMBER_COUNT] = {200, 160, 120};
constexpr std::int16_t kNewGameSp = 255;
constexpr std::int16_t kNewGameStock = 255;
constexpr std::uint32_t kNewGameCurable = AILMENT_EFFECT_BITS;
constexpr int kNewGameOptions[BATTLE_OPTION_COUNT] = {3, 5, 4, 0, 0, 0};
constexpr int kFixedSlots = 2; // the first set's slots 0 and 1

} // namespace

void InitPartyNewGame()
{
    if (TheCharacter == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    party.ResetKeepingTextures();
    std::fill(std::begin(party.learned), std::end(party.learned), std::uint8_t{0});
    std::fill(std::begin(party.autoMagicAllowed), std::end(party.autoMagicAllowed), std::uint8_t{0});
    party.learned[0] = 1;
    party.autoMagicAllowed[0] = 1;
    party.curableMask = kNewGameCurable;
    party.money = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.exp[m] = 0;
        party.level[m] = 1;
        for (int s = 0; s < 4; ++s)
            party.statsA[m][s] = static_cast<std::int16_t>(MEMBER_STAT_TABLE[m][s]);
        party.baseMaxHp[m] = kNewGameMaxHp[m];
        party.maxHp[m] = kNewGameMaxHp[m];
        party.hp[m] = kNewGameMaxHp[m];
        party.hpPercent[m] = 100;
        party.sp[m] = kNewGameSp;
        party.equipment[EQUIP_WEAPON][m] = 0;
        party.equipment[EQUIP_ARMOR][m] = 0;
        party.equipment[EQUIP_ACCESSORY][m] = -1;
        party.memberOptions[m][1] = 1;
        party.memberOptions[m][2] = 1;
    }
    for (int set = 0; set < QUICK_SLOT_PAGES; ++set)
        for (int slot = set == 0 ? kFixedSlots : 0; slot < QUICK_SLOTS_PER_PAGE; ++slot)
            party.quickSlots[set][slot] = {0, 0};
    for (int option = 0; option < BATTLE_OPTION_COUNT; ++option)
        SetBattleOption(option, kNewGameOptions[option], false);
    LeaderField::Set(party.partyWordC, 0);
    MagicOff::Clear(party.partyWordC);
    RefreshMagicUsable();
    SkillPoints::Set(party.partyWordD, 0);
    // The stocks start full; the first map's maxima cut them.
    std::fill(std::begin(party.stock), std::end(party.stock), kNewGameStock);
}

namespace {

std::uint8_t Percent(std::int64_t value, std::int64_t maximum)
{
    return static_cast<std::uint8_t>(maximum <= 0 ? 100 : value * 100 / maximum);
}

// The leader when it lacks some and healing it first is on, else the lowest
// share (ties keep the lower index; a maximum of 0 counts as full).
template <typename Value, typename Maximum> int PickLowest(const Value* values, const Maximum* maxima)
{
    if (TheCharacter == nullptr)
        return 0;
    const int leader = TheCharacter->Leader();
    if (TheCharacter->HealsLeaderFirst() && leader < PARTY_MEMBER_COUNT && values[leader] < maxima[leader])
        return leader;
    int lowest = 0;
    for (int m = 1; m < PARTY_MEMBER_COUNT; ++m)
        if (Percent(values[m], maxima[m]) < Percent(values[lowest], maxima[lowest]))
            lowest = m;
    return lowest;
}

// The member's figures as they stand, on the status panel; the setters
// would clamp them to maxima the re-equipping has not recomputed yet.
void ShowMember(const CCharacter& party, int m)
{
    CBattleBackground* panel = TheBattleBackground;
    if (panel == nullptr)
        return;
    panel->SetHudLevel(m, party.level[m]);
    panel->SetHudExp(m, party.exp[m]);
    panel->SetHudHp(m, party.hp[m]);
    panel->SetHudMaxHp(m, party.maxHp[m]);
    panel->SetHudSp(m, party.sp[m]);
    panel->SetHudMaxSp(m, party.maxSp[m]);
    for (int s = 0; s < 4; ++s) {
        panel->SetHudMemberValueA(m, s, static_cast<std::uint16_t>(party.statsA[m][s]));
        panel->SetHudMemberValueB(m, s, static_cast<std::uint16_t>(party.statsB[m][s]));
    }
}

// Everything derived comes from the pieces again (a save keeps only the ids).
void ReequipMember(CCharacter& party, int m)
{
    for (int kind : {EQUIP_WEAPON, EQUIP_ARMOR, EQUIP_ACCESSORY})
        EquipMemberItem(m, kind, party.equipment[kind][m]);
    SetMemberMaxHP(m, party.baseMaxHp[m], party.abilityBits[m]);
}

} // namespace

int PickLowestHPMember()
{
    return TheCharacter == nullptr ? 0 : PickLowest(TheCharacter->hp, TheCharacter->maxHp);
}

int PickLowestMPMember()
{
    return TheCharacter == nullptr ? 0 : PickLowest(TheCharacter->sp, TheCharacter->maxSp);
}

void RefreshPartyDisplay()
{
    if (TheCharacter != nullptr) {
        CCharacter& party = *TheCharacter;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            ShowMember(party, m);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            ReequipMember(party, m);
        if (TheBattleBackground != nullptr) {
            // The stocks as they stand: a new game's 255 waits for the first map's maxima.
            for (int k = 0; k < STOCK_COUNT; ++k)
                TheBattleBackground->SetHudColumnValue(k, party.stock[k]);
            TheBattleBackground->SetHudColumnMaxima(party.stockMax);
            TheBattleBackground->SetHudHitCount(0);
        }
        SetMoney(party.money, true);
        RefreshMagicUsable();
    }
    if (TheMapMenu != nullptr)
        TheMapMenu->ResetMapMenuState();
    if (TheGameData != nullptr)
        TheGameData->RebuildItemLists(LIST_ALL, false);
}

void SetPartyFlag30Ex(std::uint32_t value, bool toggle, bool refreshIndicators, bool sound)
{
    if (TheCharacter == nullptr)
        return;
    CCharacter& party = *TheCharacter;
    if (sound)
        PlaySoundEffect(5);
    MagicOff::Set(party.partyWordC, toggle ? !party.PartyFlag30() : (value & 1u));
    const BattleMember& third = party.members[2];
    if (party.PartyFlag30() && third.Action() == ACTION_MAGIC && !third.IsDown() &&
        !KeepMagic::IsSet(party.partyWordC) && party.Leader() != 2) {
        ResetMemberFlagsAndAction(2);
        party.SetMemberSpriteRect(2);
    }
    if (refreshIndicators)
        RebuildMemberIndicators();
}
