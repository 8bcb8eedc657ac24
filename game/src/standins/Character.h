// Stand-in for the part CCharacter: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested; it already holds the party values the game-data record and the
// save files read and write, with the few services they call
// (PartyServices.cpp). Delete this file when the part itself lands in game/src.
//
// What the field calls and reads of the party is here too: the services a
// map entry and the player's buttons use, and the values the status
// display and the balloon over the player show.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

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

struct QuickSlot {
    std::uint8_t kind; // 0 empty, 1 magic order, 2 battle item, 3 fixed, 4 attack order
    std::int16_t id;
};

class CCharacter {
public:
    CCharacter();

    void InitCharacter() { SceneTrace::Note("InitCharacter"); }
    void ReleaseCharacter() { SceneTrace::Note("ReleaseCharacter"); }
    int GetBattlePhase() { return battlePhase; }

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
    std::uint32_t curableMask; // the option word the save keeps whole
    std::uint32_t money;
    std::int16_t statsA[PARTY_MEMBER_COUNT][4];
    std::int16_t level[PARTY_MEMBER_COUNT];
    std::int16_t exp[PARTY_MEMBER_COUNT];
    std::int16_t sp[PARTY_MEMBER_COUNT];
    std::int16_t stock[STOCK_COUNT];
    std::int16_t equipment[3][PARTY_MEMBER_COUNT]; // kind (weapon, armour, accessory) by member; -1 none
    std::uint8_t memberOptions[PARTY_MEMBER_COUNT][3];
    std::uint8_t learned[MAGIC_COUNT];
    std::uint8_t autoMagicAllowed[MAGIC_COUNT];
    std::uint32_t partyWordC; // first state word: leader in bits 18-19
    std::uint32_t partyWordD; // second state word
};

extern CCharacter* TheCharacter;

// The highest of the three members' levels.
int GetMaxPartyLevel();

// Adds `value` (set false) or stores it (set true), kept within 0 to 99999999.
void SetMoney(std::int64_t value, bool set);

// The new-game values of the party.
void InitPartyNewGame();

// Each worn piece no longer held is replaced by the first piece of its list, or none.
void ValidateEquipment();
