// Stand-in for the part CCharacter: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested; it already holds the party values the game-data record, the
// save files and the item and magic use rules read and write, with the few
// services they call (PartyServices.cpp). Its setters only clamp: there is
// no status display yet. Delete this file when the part itself lands in
// game/src.
//
// What the field calls and reads of the party is here too: the services a
// map entry and the player's buttons use, and the values the status
// display and the balloon over the player show.
#pragma once

#include <cstdint>

#include "core/Parts.h"
#include "core/SceneTrace.h"

class CTexture;

constexpr int PARTY_MEMBER_COUNT = 3;
constexpr int MAGIC_COUNT = 24;
constexpr int STOCK_COUNT = 6;
constexpr int QUICK_SLOT_PAGES = 2;
constexpr int QUICK_SLOTS_PER_PAGE = 6;
constexpr std::int32_t PARTY_MAX_HP = 99999;
constexpr std::uint32_t PARTY_MAX_MONEY = 99999999;
constexpr int PARTY_MAX_STAT = 9999;
constexpr int EQUIP_WEAPON = 0;
constexpr int EQUIP_ARMOR = 1;
constexpr int EQUIP_ACCESSORY = 2;

// Status effects 5 to 18 are the ailments; a member's state word marks a
// knocked-out member with bit 28.
constexpr std::uint32_t AILMENT_EFFECT_BITS = 0x7FFE0;
constexpr std::uint32_t MEMBER_KNOCKED_OUT = 1u << 28;

struct QuickSlot {
    std::uint8_t kind; // 0 empty, 1 magic order, 2 battle item, 3 fixed, 4 attack order
    std::int16_t id;
};

// What the use rules read of a member's battle record.
struct BattleMember {
    std::uint32_t effectBits; // bit i: status effect i active
    std::uint32_t state;      // bit 28 knocked out
};

class CCharacter {
public:
    CCharacter();

    void InitCharacter() { SceneTrace::Note("InitCharacter"); }
    void ReleaseCharacter() { SceneTrace::Note("ReleaseCharacter"); }
    int GetBattlePhase() { return battlePhase; }
    int Leader() const { return static_cast<int>((partyWordC >> 18) & 3u); }
    bool HealsLeaderFirst() const { return (partyWordC & (1u << 25)) != 0; }
    bool IsKnockedOut(int member) const { return (members[member].state & MEMBER_KNOCKED_OUT) != 0; }

    int battlePhase;

    // What a map sets on entry.
    void SetPartyStockMax(const std::uint8_t*) { SceneTrace::Note("SetPartyStockMax"); }
    void SetPartyEquipmentKinds(const std::uint8_t*) { SceneTrace::Note("SetPartyEquipmentKinds"); }
    void RestorePartyStock() { SceneTrace::Note("RestorePartyStock"); }
    void RestoreParty() { SceneTrace::Note("RestoreParty"); }
    void SetMusicSwitch(bool on) { musicSwitch = on ? -1 : 0; }

    // The player's buttons on the field.
    void CycleLeader(int) { SceneTrace::Note("CycleLeader"); }
    void TogglePartyFlag30(int) { SceneTrace::Note("TogglePartyFlag30"); }
    void RollPartyStockRegen() { SceneTrace::Note("RollPartyStockRegen"); }

    // Gives (flag 1) or takes one status effect of a member or an enemy
    // (side 0) through its status block.
    void ApplyHitStatusEffects(void*, int side, int index, int effect, int flag)
    {
        SceneTrace::Note("ApplyHitStatusEffects", ((side * 8 + index) * 32 + effect) * 2 + flag);
    }

    std::int8_t musicSwitch = 0;
    std::int16_t stockMax[STOCK_COUNT] = {};
    // The balloon over the player: offsets, the sprite texture and the icons'
    // texture corners (three leader icons, then the two party-flag icons).
    float balloonOffsetX = 0.0f;
    float balloonOffsetY = 0.0f;
    CTexture* spriteTexture = nullptr;
    float balloonU[5][4] = {};
    float balloonV[5][4] = {};
    std::uint8_t partyFlag30 = 0;

    // Party values read by the save files and the game-data record.
    QuickSlot quickSlots[QUICK_SLOT_PAGES][QUICK_SLOTS_PER_PAGE];
    std::int32_t hp[PARTY_MEMBER_COUNT];
    std::int32_t baseMaxHp[PARTY_MEMBER_COUNT];
    std::int32_t maxHp[PARTY_MEMBER_COUNT];        // after ability scaling
    std::uint32_t abilityBits[PARTY_MEMBER_COUNT]; // bits 25 and 26 scale the maximum HP
    std::uint8_t hpPercent[PARTY_MEMBER_COUNT];
    BattleMember members[PARTY_MEMBER_COUNT];
    std::uint32_t curableMask; // the option word the save keeps whole
    std::uint32_t money;
    std::int16_t statsA[PARTY_MEMBER_COUNT][4];
    std::int16_t level[PARTY_MEMBER_COUNT];
    std::int16_t exp[PARTY_MEMBER_COUNT];
    std::int16_t sp[PARTY_MEMBER_COUNT];
    std::int16_t maxSp[PARTY_MEMBER_COUNT];
    std::int16_t st[PARTY_MEMBER_COUNT]; // the gauge
    std::int16_t maxSt[PARTY_MEMBER_COUNT];
    std::int16_t stock[STOCK_COUNT];
    std::int16_t stockRegenFrame[STOCK_COUNT];     // the charge of each stock
    std::uint8_t stockRegenSpeed[STOCK_COUNT];     // its charge level 0 to 7
    std::int16_t equipment[3][PARTY_MEMBER_COUNT]; // kind (weapon, armour, accessory) by member; -1 none
    std::uint8_t memberOptions[PARTY_MEMBER_COUNT][3];
    std::uint8_t learned[MAGIC_COUNT];
    std::uint8_t autoMagicAllowed[MAGIC_COUNT];
    std::uint32_t partyWordB; // bit 31: the battle item cooldown runs
    std::uint32_t partyWordC; // first state word: leader in bits 18-19, heal the leader first in bit 25
    std::uint32_t partyWordD; // second state word: bit 28 battle items limited, bits 18-20 uses left
};

// The highest of the three members' levels.
int GetMaxPartyLevel();

// Adds `value` (set false) or stores it (set true), kept within 0 to 99999999.
void SetMoney(std::int64_t value, bool set);

// The new-game values of the party.
void InitPartyNewGame();

// The party's setters: add (set false) or store (set true), kept within 0
// and the maximum.
void SetMemberHP(int member, std::int32_t value, bool set);
void SetMemberMP(int member, std::int32_t value, bool set);
void SetPartyStock(int kind, std::int32_t value, bool set);
// The base maximum HP (capped at 99999) and the maximum scaled by ability bits 25 and 26.
void SetMemberMaxHP(int member, std::int32_t value, std::uint32_t abilityBits);
// One of the member's four base stat values.
void SetMemberSlotA(int member, int index, int value, bool refresh);

// The member to heal: the leader when healing the leader first is on and it
// lacks HP (SP), else the one with the lowest share of its maximum.
int PickLowestHPMember();
int PickLowestMPMember();

// Recomputes the members' maxima from the party values and rebuilds every
// sorted list of the game data.
void RefreshPartyDisplay();

// Each worn piece no longer held is replaced by the first piece of its list, or none.
void ValidateEquipment();
