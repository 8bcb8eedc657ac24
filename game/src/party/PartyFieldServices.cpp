// What the field asks of the party: the stocks a map sets up and lets
// regenerate on steps, the full recovery some maps and menus give, and the
// leader and party flag 30 the player switches while walking.
#include <algorithm>

#include "core/Random.h"
#include "core/SceneTrace.h"
#include "field/FieldServices.h"
#include "media/PlaySE.h"
#include "party/Character.h"
#include "party/BattleButtons.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kRegenKinds = 16;
// One chance in T[kind] per step; kinds 0 and 8 practically never.
constexpr int kRegenOdds[kRegenKinds] = {32767, 9, 6, 5, 4, 3, 2, 1, 32767, 180, 120, 100, 80, 60, 45, 20};
constexpr std::uint32_t kNoRegenMapBit = 1u << 11;
constexpr int kRandomMost = 32767;

bool RegenStopped()
{
    if (TheGameData != nullptr && TheGameData->noStockRegen != 0)
        return true;
    return TheMap != nullptr && TheMap->HasMap() && (TheMap->FlagsB() & kNoRegenMapBit) != 0;
}

} // namespace

void CCharacter::SetPartyEquipmentKinds(const std::uint8_t* kinds)
{
    SceneTrace::Note("SetPartyEquipmentKinds");
    for (int k = 0; k < STOCK_COUNT; ++k)
        stockRegenSpeed[k] = kinds != nullptr && kinds[k] < kRegenKinds ? kinds[k] : 0;
}

void CCharacter::RestorePartyStock()
{
    SceneTrace::Note("RestorePartyStock");
    for (int k = 0; k < STOCK_COUNT; ++k)
        if (stock[k] < stockMax[k])
            SetPartyStock(k, stockMax[k], true);
}

void CCharacter::RestoreParty()
{
    SceneTrace::Note("RestoreParty");
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        KnockedOut::Clear(members[m].state);
        SetMemberHP(m, maxHp[m], true);
        SetMemberMP(m, maxSp[m], true);
        if (st[m] < maxSt[m])
            SetMemberGauge(m, maxSt[m] - st[m], true, false);
    }
}

void CCharacter::CycleLeader(int refreshPlayer)
{
    SceneTrace::Note("CycleLeader");
    PlaySoundEffect(SE_LEADER_CHANGE);
    const int step = Held(BUTTON_SHIFT) ? PARTY_MEMBER_COUNT - 1 : 1;
    LeaderField::Set(partyWordC, static_cast<std::uint32_t>((Leader() + step) % PARTY_MEMBER_COUNT));
    if (refreshPlayer != 0 && TheMapCharacter != nullptr)
        TheMapCharacter->SetPlayerStateA(Leader());
}

void CCharacter::TogglePartyFlag30(int refreshPlayer)
{
    SceneTrace::Note("TogglePartyFlag30");
    PlaySoundEffect(SE_TOGGLE);
    MagicOff::Set(partyWordC, PartyFlag30() ? 0u : 1u);
    if (refreshPlayer != 0 && TheMapCharacter != nullptr)
        TheMapCharacter->SetPlayerStateB();
}

void CCharacter::RollPartyStockRegen()
{
    SceneTrace::Note("RollPartyStockRegen");
    if (RegenStopped())
        return;
    for (int k = 0; k < STOCK_COUNT; ++k) {
        const int kind = stockRegenSpeed[k];
        if (kind == 0 || kind >= kRegenKinds)
            continue;
        if (GameRandom() < kRandomMost / kRegenOdds[kind])
            SetPartyStock(k, 1, false);
    }
}
