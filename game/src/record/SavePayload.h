// The 948-byte save payload: what a save file carries of the game-data record
// and the party, packed into 237 little-endian words field by field, and
// unpacked with every field checked before anything is applied.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "party/PartyServices.h"
#include "record/Pipkorn.h"

constexpr int SAVE_PAYLOAD_BYTES = 948;
constexpr int SAVE_PAYLOAD_WORDS = 237;
constexpr int SAVE_KEY_WORD = 48;
constexpr int SAVE_CHECKSUM_WORD = 49;
constexpr int SAVED_QUICK_SLOTS = 10;

// Everything a save holds, unpacked.
struct SaveState {
    std::uint8_t ownedKeyFlags[OWNED_KEY_COUNT];
    std::uint8_t learned[MAGIC_COUNT];
    std::uint8_t magicSwitch[MAGIC_COUNT];
    std::uint32_t optionWord;
    std::uint32_t money;
    std::uint16_t baseStats[3][4];
    std::int32_t hp[3];
    std::int32_t baseMaxHp[3];
    std::int16_t weapon[3], armor[3], accessory[3];
    std::int16_t exp[3];
    std::int16_t level[3];
    std::int16_t sp[3];              // low 8 bits
    std::int16_t stock[STOCK_COUNT]; // low 8 bits
    std::uint8_t quickKind[SAVED_QUICK_SLOTS];
    std::uint8_t quickId[SAVED_QUICK_SLOTS];
    std::uint32_t stateWordC;                    // only the saved bits
    std::uint32_t stateWordD;                    // only the saved bits
    std::uint8_t memberFlag1[3], memberFlag2[3]; // bit 0 of the second and third option bytes
    std::uint8_t textSpeed, hudMode, effectOption, autoRun, facing;
    std::int32_t map, x, y;
    std::uint32_t playTime;
    std::uint32_t eventFlags[EVENT_FLAG_WORDS];
    std::uint32_t battlesWon, enemiesDefeated, defeatedByMember[3];
    std::uint16_t enemyRecords[ENEMY_RECORD_COUNT];
    std::int8_t heldItems[70];
    std::int8_t heldWeapons[3][35];
    std::int8_t heldArmor[3][34];
    std::int8_t heldAccessories[83];

    bool operator==(const SaveState&) const = default;
};

using SavePayloadWords = std::array<std::uint32_t, SAVE_PAYLOAD_WORDS>;

SaveState CaptureSaveState(const GameData& data, const CCharacter& party);
void ApplySaveState(const SaveState& state, GameData& data, CCharacter& party);

// Words 48 and 49 (key and checksum) are left zero.
SavePayloadWords PackSavePayload(const SaveState& state);

// Tells whether the player's cell lies on the map; the game asks the map in
// the pack. Without a check every cell the fields can hold is taken.
using MapCellCheck = std::function<bool(int map, int x, int y)>;

// False, leaving `state` unspecified, when any field is out of its range.
bool UnpackSavePayload(const SavePayloadWords& words, SaveState& state, const MapCellCheck& cellCheck);
