#include "record/SavePayload.h"

#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"

namespace {

std::uint32_t Bits(std::uint32_t word, int shift, int width)
{
    return (word >> shift) & ((width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1u));
}

std::uint32_t Field(std::uint32_t value, int shift, int width)
{
    return (value & ((width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1u))) << shift;
}

// Equipment is a 9-bit signed field: all ones is -1, nothing worn.
std::int16_t SignExtend9(std::uint32_t value)
{
    value &= 0x1FF;
    return static_cast<std::int16_t>((value & 0x100) != 0 ? static_cast<int>(value) - 0x200 : static_cast<int>(value));
}

// Saved quick slot s is slot s + 2 of the first page for s < 4, else slot s - 4 of the second.
QuickSlot& SavedSlot(CCharacter& party, int s)
{
    return s < 4 ? party.quickSlots[0][s + 2] : party.quickSlots[1][s - 4];
}

const QuickSlot& SavedSlot(const CCharacter& party, int s)
{
    return s < 4 ? party.quickSlots[0][s + 2] : party.quickSlots[1][s - 4];
}

constexpr std::uint32_t kSavedWordCBits = 0xFu << 10 | 0xFu << 14 | 3u << 18 | 1u << 25 | 1u << 27 | 1u << 30;
constexpr std::uint32_t kSavedWordDBits = 0x7Fu | 0xFu << 14 | 1u << 26;

// Bytes 588 to 947: the held counts, one byte each.
template <typename State, typename Visit> void ForEachHeldCount(State& s, Visit visit)
{
    int at = 588;
    for (auto& c : s.heldItems)
        visit(at++, c);
    for (auto& member : s.heldWeapons)
        for (auto& c : member)
            visit(at++, c);
    for (auto& member : s.heldArmor)
        for (auto& c : member)
            visit(at++, c);
    for (auto& c : s.heldAccessories)
        visit(at++, c);
}

std::uint8_t ByteOf(const SavePayloadWords& w, int at)
{
    return static_cast<std::uint8_t>(w[static_cast<std::size_t>(at / 4)] >> (8 * (at % 4)));
}

void SetByte(SavePayloadWords& w, int at, std::uint8_t value)
{
    auto& word = w[static_cast<std::size_t>(at / 4)];
    const int shift = 8 * (at % 4);
    word = (word & ~(0xFFu << shift)) | static_cast<std::uint32_t>(value) << shift;
}

bool EquipmentValid(std::int16_t id, int rows)
{
    return id == -1 || (id >= 0 && id < rows);
}

bool QuickSlotValid(std::uint8_t kind, std::uint8_t id)
{
    switch (kind) {
    case 0:
    case 3:
        return true;
    case 4:
        return id <= HIGHEST_ATTACK_LEVEL; // the third member's skill levels
    case 1:
        return id < MAGIC_COUNT;
    case 2:
        return id < SHORTCUT_ITEM_LIMIT;
    default:
        return false;
    }
}

} // namespace

SaveState CaptureSaveState(const GameData& data, const CCharacter& party)
{
    SaveState s{};
    for (int i = 0; i < OWNED_KEY_COUNT; ++i)
        s.ownedKeyFlags[i] = data.ownedKeyFlags[i] != 0 ? 1 : 0;
    for (int i = 0; i < MAGIC_COUNT; ++i) {
        s.learned[i] = party.learned[i] != 0 ? 1 : 0;
        s.magicSwitch[i] = party.autoMagicAllowed[i] != 0 ? 1 : 0;
    }
    s.optionWord = party.curableMask;
    s.money = party.money;
    for (int m = 0; m < 3; ++m) {
        for (int k = 0; k < 4; ++k)
            s.baseStats[m][k] = static_cast<std::uint16_t>(party.statsA[m][k]);
        s.hp[m] = party.hp[m] & 0x1FFFF;
        s.baseMaxHp[m] = party.baseMaxHp[m] & 0x1FFFF;
        s.weapon[m] = SignExtend9(static_cast<std::uint16_t>(party.equipment[EQUIP_WEAPON][m]));
        s.armor[m] = SignExtend9(static_cast<std::uint16_t>(party.equipment[EQUIP_ARMOR][m]));
        s.accessory[m] = SignExtend9(static_cast<std::uint16_t>(party.equipment[EQUIP_ACCESSORY][m]));
        s.exp[m] = static_cast<std::int16_t>(party.exp[m] & 0x3FF);
        s.level[m] = static_cast<std::int16_t>(party.level[m] & 0x3FF);
        s.sp[m] = static_cast<std::int16_t>(party.sp[m] & 0xFF);
        s.memberFlag1[m] = party.memberOptions[m][1] & 1;
        s.memberFlag2[m] = party.memberOptions[m][2] & 1;
    }
    for (int k = 0; k < STOCK_COUNT; ++k)
        s.stock[k] = static_cast<std::int16_t>(party.stock[k] & 0xFF);
    for (int q = 0; q < SAVED_QUICK_SLOTS; ++q) {
        s.quickKind[q] = SavedSlot(party, q).kind & 7;
        s.quickId[q] = static_cast<std::uint8_t>(SavedSlot(party, q).id & 0x3F);
    }
    s.stateWordC = party.partyWordC & kSavedWordCBits;
    s.stateWordD = party.partyWordD & kSavedWordDBits;
    s.textSpeed = data.textSpeed & 3;
    s.hudMode = data.hudMode & 3;
    s.effectOption = data.effectOption & 1;
    s.autoRun = data.autoRun & 1;
    s.facing = data.playerFacing & 3;
    s.map = data.playerMap & 0xFFF;
    s.x = data.playerX & 0x3FF;
    s.y = data.playerY & 0x3FF;
    s.playTime = data.playTime & 0x1FFFFFFF;
    for (int i = 0; i < EVENT_FLAG_WORDS; ++i)
        s.eventFlags[i] = data.eventFlags[i];
    s.battlesWon = data.battlesWon;
    s.enemiesDefeated = data.enemiesDefeated;
    for (int m = 0; m < 3; ++m)
        s.defeatedByMember[m] = data.defeatedByMember[m];
    for (int k = 0; k < ENEMY_RECORD_COUNT; ++k)
        s.enemyRecords[k] = data.enemyRecords[k];
    for (int i = 0; i < 70; ++i)
        s.heldItems[i] = data.heldItems[i];
    for (int m = 0; m < 3; ++m) {
        for (int i = 0; i < 35; ++i)
            s.heldWeapons[m][i] = data.heldWeapons[m][i];
        for (int i = 0; i < 34; ++i)
            s.heldArmor[m][i] = data.heldArmor[m][i];
    }
    for (int i = 0; i < 83; ++i)
        s.heldAccessories[i] = data.heldAccessories[i];
    return s;
}

void ApplySaveState(const SaveState& s, GameData& data, CCharacter& party)
{
    for (int i = 0; i < OWNED_KEY_COUNT; ++i)
        data.ownedKeyFlags[i] = s.ownedKeyFlags[i];
    for (int i = 0; i < MAGIC_COUNT; ++i) {
        party.learned[i] = s.learned[i];
        party.autoMagicAllowed[i] = s.magicSwitch[i];
    }
    party.curableMask = s.optionWord;
    party.money = s.money;
    for (int m = 0; m < 3; ++m) {
        for (int k = 0; k < 4; ++k)
            party.statsA[m][k] = static_cast<std::int16_t>(s.baseStats[m][k]);
        party.hp[m] = s.hp[m];
        party.baseMaxHp[m] = s.baseMaxHp[m];
        party.equipment[EQUIP_WEAPON][m] = s.weapon[m];
        party.equipment[EQUIP_ARMOR][m] = s.armor[m];
        party.equipment[EQUIP_ACCESSORY][m] = s.accessory[m];
        party.exp[m] = s.exp[m];
        party.level[m] = s.level[m];
        party.sp[m] = s.sp[m];
        party.memberOptions[m][1] = static_cast<std::uint8_t>((party.memberOptions[m][1] & ~1u) | s.memberFlag1[m]);
        party.memberOptions[m][2] = static_cast<std::uint8_t>((party.memberOptions[m][2] & ~1u) | s.memberFlag2[m]);
    }
    for (int k = 0; k < STOCK_COUNT; ++k)
        party.stock[k] = s.stock[k];
    for (int q = 0; q < SAVED_QUICK_SLOTS; ++q)
        SavedSlot(party, q) = {s.quickKind[q], static_cast<std::int16_t>(s.quickId[q])};
    party.partyWordC = (party.partyWordC & ~kSavedWordCBits) | s.stateWordC;
    party.partyWordD = (party.partyWordD & ~kSavedWordDBits) | s.stateWordD;
    data.textSpeed = s.textSpeed;
    data.hudMode = s.hudMode;
    data.effectOption = s.effectOption;
    data.autoRun = s.autoRun;
    data.playerFacing = s.facing;
    data.playerMap = s.map;
    data.playerX = s.x;
    data.playerY = s.y;
    data.playTime = s.playTime;
    for (int i = 0; i < EVENT_FLAG_WORDS; ++i)
        data.eventFlags[i] = s.eventFlags[i];
    data.battlesWon = s.battlesWon;
    data.enemiesDefeated = s.enemiesDefeated;
    for (int m = 0; m < 3; ++m)
        data.defeatedByMember[m] = s.defeatedByMember[m];
    for (int k = 0; k < ENEMY_RECORD_COUNT; ++k)
        data.enemyRecords[k] = s.enemyRecords[k];
    for (int i = 0; i < 70; ++i)
        data.heldItems[i] = s.heldItems[i];
    for (int m = 0; m < 3; ++m) {
        for (int i = 0; i < 35; ++i)
            data.heldWeapons[m][i] = s.heldWeapons[m][i];
        for (int i = 0; i < 34; ++i)
            data.heldArmor[m][i] = s.heldArmor[m][i];
    }
    for (int i = 0; i < 83; ++i)
        data.heldAccessories[i] = s.heldAccessories[i];
}

SavePayloadWords PackSavePayload(const SaveState& s)
{
    SavePayloadWords w{};
    for (int i = 0; i < OWNED_KEY_COUNT; ++i)
        w[0] |= Field(s.ownedKeyFlags[i], i, 1);
    for (int i = 0; i < MAGIC_COUNT; ++i) {
        w[1] |= Field(s.learned[i], i, 1);
        w[2] |= Field(s.magicSwitch[i], i, 1);
    }
    w[3] = s.optionWord;
    w[4] = s.money;
    for (int m = 0; m < 3; ++m)
        for (int k = 0; k < 4; ++k) {
            const int index = m * 4 + k;
            w[static_cast<std::size_t>(5 + index / 2)] |= Field(s.baseStats[m][k], 16 * (index % 2), 16);
        }
    for (int m = 0; m < 3; ++m) {
        w[static_cast<std::size_t>(11 + m)] = Field(static_cast<std::uint32_t>(s.hp[m]), 0, 17) |
                                              Field(static_cast<std::uint32_t>(s.weapon[m]), 17, 9) |
                                              Field(s.quickId[m], 26, 6);
        w[static_cast<std::size_t>(14 + m)] = Field(static_cast<std::uint32_t>(s.baseMaxHp[m]), 0, 17) |
                                              Field(static_cast<std::uint32_t>(s.armor[m]), 17, 9) |
                                              Field(s.quickId[3 + m], 26, 6);
        w[17] |= Field(static_cast<std::uint32_t>(s.exp[m]), 10 * m, 10);
        w[18] |= Field(static_cast<std::uint32_t>(s.level[m]), 10 * m, 10);
        w[19] |= Field(static_cast<std::uint32_t>(s.accessory[m]), 9 * m, 9);
        w[25] |= Field(static_cast<std::uint32_t>(s.sp[m]), 8 * m, 8);
    }
    w[17] |= Field(s.textSpeed, 30, 2);
    w[18] |= Field(s.hudMode, 30, 2);
    w[19] |= Field(Bits(s.stateWordC, 10, 4), 27, 4) | Field(s.effectOption, 31, 1);
    for (int q = 6; q < SAVED_QUICK_SLOTS; ++q)
        w[20] |= Field(s.quickId[q], 6 * (q - 6), 6);
    w[20] |= Field(Bits(s.stateWordC, 14, 4), 24, 4) | Field(Bits(s.stateWordD, 14, 4), 28, 4);
    for (int q = 0; q < SAVED_QUICK_SLOTS; ++q)
        w[21] |= Field(s.quickKind[q], 3 * q, 3);
    w[21] |= Field(Bits(s.stateWordC, 18, 2), 30, 2);
    for (int k = 0; k < 4; ++k)
        w[22] |= Field(static_cast<std::uint32_t>(s.stock[k]), 8 * k, 8);
    w[23] = Field(static_cast<std::uint32_t>(s.map), 0, 12) | Field(static_cast<std::uint32_t>(s.x), 12, 10) |
            Field(static_cast<std::uint32_t>(s.y), 22, 10);
    w[24] = Field(static_cast<std::uint32_t>(s.stock[4]), 0, 8) | Field(static_cast<std::uint32_t>(s.stock[5]), 8, 8) |
            Field(Bits(s.stateWordD, 0, 7), 16, 7) | Field(s.facing, 23, 2) | Field(s.autoRun, 25, 1) |
            Field(Bits(s.stateWordC, 25, 1), 26, 1) | Field(Bits(s.stateWordC, 27, 1), 27, 1) |
            Field(Bits(s.stateWordC, 30, 1), 28, 1) | Field(Bits(s.stateWordD, 26, 1), 29, 1) |
            Field(s.memberFlag1[0], 30, 1) | Field(s.memberFlag2[0], 31, 1);
    w[25] |= Field(s.memberFlag1[1], 24, 1) | Field(s.memberFlag2[1], 25, 1) | Field(s.memberFlag1[2], 26, 1) |
             Field(s.memberFlag2[2], 27, 1);
    w[26] = s.playTime & 0x1FFFFFFF;
    for (int i = 0; i < EVENT_FLAG_WORDS; ++i)
        w[static_cast<std::size_t>(27 + i)] = s.eventFlags[i];
    w[43] = s.battlesWon;
    w[44] = s.enemiesDefeated;
    for (int m = 0; m < 3; ++m)
        w[static_cast<std::size_t>(45 + m)] = s.defeatedByMember[m];
    for (int k = 0; k < ENEMY_RECORD_COUNT; ++k)
        w[static_cast<std::size_t>(50 + k / 2)] |= Field(s.enemyRecords[k], 16 * (k % 2), 16);
    ForEachHeldCount(s, [&](int at, std::int8_t count) { SetByte(w, at, static_cast<std::uint8_t>(count)); });
    return w;
}

bool UnpackSavePayload(const SavePayloadWords& w, SaveState& s, const MapCellCheck& cellCheck)
{
    s = SaveState{};
    for (int i = 0; i < OWNED_KEY_COUNT; ++i)
        s.ownedKeyFlags[i] = static_cast<std::uint8_t>(Bits(w[0], i, 1));
    for (int i = 0; i < MAGIC_COUNT; ++i) {
        s.learned[i] = static_cast<std::uint8_t>(Bits(w[1], i, 1));
        s.magicSwitch[i] = static_cast<std::uint8_t>(Bits(w[2], i, 1));
    }
    s.optionWord = w[3];
    s.money = w[4];
    for (int m = 0; m < 3; ++m)
        for (int k = 0; k < 4; ++k) {
            const int index = m * 4 + k;
            s.baseStats[m][k] =
                static_cast<std::uint16_t>(Bits(w[static_cast<std::size_t>(5 + index / 2)], 16 * (index % 2), 16));
        }
    for (int m = 0; m < 3; ++m) {
        const std::uint32_t a = w[static_cast<std::size_t>(11 + m)];
        const std::uint32_t b = w[static_cast<std::size_t>(14 + m)];
        s.hp[m] = static_cast<std::int32_t>(Bits(a, 0, 17));
        s.weapon[m] = SignExtend9(Bits(a, 17, 9));
        s.quickId[m] = static_cast<std::uint8_t>(Bits(a, 26, 6));
        s.baseMaxHp[m] = static_cast<std::int32_t>(Bits(b, 0, 17));
        s.armor[m] = SignExtend9(Bits(b, 17, 9));
        s.quickId[3 + m] = static_cast<std::uint8_t>(Bits(b, 26, 6));
        s.exp[m] = static_cast<std::int16_t>(Bits(w[17], 10 * m, 10));
        s.level[m] = static_cast<std::int16_t>(Bits(w[18], 10 * m, 10));
        s.accessory[m] = SignExtend9(Bits(w[19], 9 * m, 9));
        s.sp[m] = static_cast<std::int16_t>(Bits(w[25], 8 * m, 8));
    }
    s.textSpeed = static_cast<std::uint8_t>(Bits(w[17], 30, 2));
    s.hudMode = static_cast<std::uint8_t>(Bits(w[18], 30, 2));
    s.effectOption = static_cast<std::uint8_t>(Bits(w[19], 31, 1));
    for (int q = 6; q < SAVED_QUICK_SLOTS; ++q)
        s.quickId[q] = static_cast<std::uint8_t>(Bits(w[20], 6 * (q - 6), 6));
    for (int q = 0; q < SAVED_QUICK_SLOTS; ++q)
        s.quickKind[q] = static_cast<std::uint8_t>(Bits(w[21], 3 * q, 3));
    s.stateWordC = Bits(w[19], 27, 4) << 10 | Bits(w[20], 24, 4) << 14 | Bits(w[21], 30, 2) << 18 |
                   Bits(w[24], 26, 1) << 25 | Bits(w[24], 27, 1) << 27 | Bits(w[24], 28, 1) << 30;
    s.stateWordD = Bits(w[24], 16, 7) | Bits(w[20], 28, 4) << 14 | Bits(w[24], 29, 1) << 26;
    for (int k = 0; k < 4; ++k)
        s.stock[k] = static_cast<std::int16_t>(Bits(w[22], 8 * k, 8));
    s.stock[4] = static_cast<std::int16_t>(Bits(w[24], 0, 8));
    s.stock[5] = static_cast<std::int16_t>(Bits(w[24], 8, 8));
    s.map = static_cast<std::int32_t>(Bits(w[23], 0, 12));
    s.x = static_cast<std::int32_t>(Bits(w[23], 12, 10));
    s.y = static_cast<std::int32_t>(Bits(w[23], 22, 10));
    s.facing = static_cast<std::uint8_t>(Bits(w[24], 23, 2));
    s.autoRun = static_cast<std::uint8_t>(Bits(w[24], 25, 1));
    s.memberFlag1[0] = static_cast<std::uint8_t>(Bits(w[24], 30, 1));
    s.memberFlag2[0] = static_cast<std::uint8_t>(Bits(w[24], 31, 1));
    s.memberFlag1[1] = static_cast<std::uint8_t>(Bits(w[25], 24, 1));
    s.memberFlag2[1] = static_cast<std::uint8_t>(Bits(w[25], 25, 1));
    s.memberFlag1[2] = static_cast<std::uint8_t>(Bits(w[25], 26, 1));
    s.memberFlag2[2] = static_cast<std::uint8_t>(Bits(w[25], 27, 1));
    s.playTime = w[26] & 0x1FFFFFFF;
    for (int i = 0; i < EVENT_FLAG_WORDS; ++i)
        s.eventFlags[i] = w[static_cast<std::size_t>(27 + i)];
    s.battlesWon = w[43];
    s.enemiesDefeated = w[44];
    for (int m = 0; m < 3; ++m)
        s.defeatedByMember[m] = w[static_cast<std::size_t>(45 + m)];
    for (int k = 0; k < ENEMY_RECORD_COUNT; ++k)
        s.enemyRecords[k] = static_cast<std::uint16_t>(Bits(w[static_cast<std::size_t>(50 + k / 2)], 16 * (k % 2), 16));
    ForEachHeldCount(s, [&](int at, std::int8_t& count) { count = static_cast<std::int8_t>(ByteOf(w, at)); });

    // Every field must lie in its range before any of it is used.
    if (s.map >= MAP_COUNT || (cellCheck && !cellCheck(s.map, s.x, s.y)))
        return false;
    if (Bits(s.stateWordC, 18, 2) > 2 || s.textSpeed > 2)
        return false;
    if (s.money > PARTY_MAX_MONEY)
        return false;
    for (int m = 0; m < 3; ++m) {
        if (!EquipmentValid(s.weapon[m], WEAPON_ROW_COUNT) || !EquipmentValid(s.armor[m], ARMOR_ROW_COUNT) ||
            !EquipmentValid(s.accessory[m], ACCESSORY_ROW_COUNT))
            return false;
        if (s.hp[m] > PARTY_MAX_HP || s.baseMaxHp[m] > PARTY_MAX_HP)
            return false;
        if (s.level[m] < 1 || s.level[m] > 255 || s.exp[m] >= 1000)
            return false;
        for (int k = 0; k < 4; ++k)
            if (s.baseStats[m][k] > PARTY_MAX_STAT)
                return false;
        if (s.defeatedByMember[m] > BATTLE_COUNTER_CAP)
            return false;
    }
    for (int q = 0; q < SAVED_QUICK_SLOTS; ++q)
        if (!QuickSlotValid(s.quickKind[q], s.quickId[q]))
            return false;
    const std::uint32_t hours = Bits(s.playTime, 0, 15);
    const std::uint32_t minutes = Bits(s.playTime, 15, 7);
    const std::uint32_t seconds = Bits(s.playTime, 22, 7);
    if (hours > PLAY_HOURS_CAP || minutes >= 60 || seconds >= 60)
        return false;
    if (s.battlesWon > BATTLE_COUNTER_CAP || s.enemiesDefeated > BATTLE_COUNTER_CAP)
        return false;
    for (std::uint16_t record : s.enemyRecords)
        if ((record & 0x3FFF) > ENEMY_DEFEAT_CAP)
            return false;
    bool countsValid = true;
    ForEachHeldCount(
        s, [&](int, std::int8_t& count) { countsValid = countsValid && count >= 0 && count <= HELD_COUNT_CAP; });
    return countsValid;
}
