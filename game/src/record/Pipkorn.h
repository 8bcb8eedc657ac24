// The game-data record: the player's progress (play time, event flags,
// battle records, held counts, position, options) and the run-time state that
// goes with it (sorted item lists, local flags, pending moves). The save
// files carry the progress part field by field (SavePayload).
#pragma once

#include <cstdint>

#include "media/FixedWindowSet.h"
#include "platform/Device.h"

constexpr int EVENT_FLAG_WORDS = 16;
constexpr int EVENT_FLAG_COUNT = 512;
constexpr int LOCAL_FLAG_COUNT = 32; // ids -1 to -31 (byte 0 unused)
constexpr int OWNED_KEY_COUNT = 32;
constexpr int ENEMY_RECORD_COUNT = 194;
constexpr int ITEM_CATEGORY_COUNT = 8;
constexpr int ITEM_CATEGORY_ITEM = 0;
constexpr int ITEM_CATEGORY_WEAPON = 1; // + member
constexpr int ITEM_CATEGORY_ARMOR = 4;  // + member
constexpr int ITEM_CATEGORY_ACCESSORY = 7;
constexpr int ITEM_CATEGORY_MONEY = 8;
constexpr int HELD_COUNT_CAP = 99;
constexpr int CategoryRowCount[ITEM_CATEGORY_COUNT] = {70, 35, 35, 35, 34, 34, 34, 83};
constexpr int BATTLE_ITEM_COUNT = 35;   // items 0 to 34 can be used in battle
constexpr int SHORTCUT_ITEM_LIMIT = 36; // items 0 to 35 can be put on a shortcut button
constexpr int HIGHEST_ATTACK_LEVEL = 2; // the third member's skill levels 0 to 2 go on shortcut buttons
constexpr int LIST_CAPACITY = 83;
constexpr int LIST_MAGIC = 8;
constexpr int LIST_ENEMIES = 9;
constexpr int LIST_BATTLE_ITEMS = 10;
constexpr int LIST_OWNED_KEYS = 11;
constexpr int LIST_ALL = 12;
constexpr std::uint32_t BATTLE_COUNTER_CAP = 4000000000u;
constexpr int ENEMY_DEFEAT_CAP = 9999;
constexpr int PLAY_HOURS_CAP = 9999;
// The window frames of the status displays, in order.
enum GameDataFrame {
    FRAME_COLUMN_LEFT_UPPER,
    FRAME_COLUMN_LEFT_LOWER,
    FRAME_COLUMN_RIGHT_UPPER,
    FRAME_COLUMN_RIGHT_LOWER,
    FRAME_HP_LEFT,
    FRAME_HP_RIGHT,
    FRAME_RECORD_0,
    FRAME_RECORD_1,
    FRAME_WIDE_STATUS,
    FRAME_LONG_COLUMN,
    FRAME_PLACE_NAME,
    GAME_DATA_FRAME_COUNT
};

class GameData {
public:
    GameData();
    ~GameData();

    void NewGameData();
    void ResetSessionState();

    // Flags: ids 0 to 511 are saved bits, -1 to -31 local bytes; other ids are ignored (read as 0).
    void SetGameFlag(int id, std::uint8_t value);
    std::uint8_t GetGameFlag(int id) const;
    void ClearLocalFlags();
    void SetItemOwnedFlag(int key);

    // Counters; each stops at its cap.
    void AddPlayTimeSecond();
    int PlayHours() const { return static_cast<int>(playTime & 0x7FFF); }
    int PlayMinutes() const { return static_cast<int>((playTime >> 15) & 0x7F); }
    int PlaySeconds() const { return static_cast<int>((playTime >> 22) & 0x7F); }
    void CountBattleWin();
    void CountEnemyDefeat(int member, int kind);
    void MarkEnemyKindMet(int kind);
    void MarkEnemyKindDropTaken(int kind);

    // Options of the settings page.
    void SetMessageSpeedOption(int value) { textSpeed = static_cast<std::uint8_t>(value); }
    void SetEffectOption(int value) { effectOption = static_cast<std::uint8_t>(value); }
    void SetAutoRunOption(int value) { autoRun = static_cast<std::uint8_t>(value); }
    void SetMapHudMode(int value) { hudMode = static_cast<std::uint8_t>(value); }
    void CycleMapHudMode() { hudMode = static_cast<std::uint8_t>((hudMode + 1) % 4); }

    // Movement and position.
    void RequestMapTransfer(int x, int y, int facing);
    void ClearMapTransfer();
    void StoreMapPosition(int map, int x, int y);
    // One cell step (0 up, 1 left, 2 down, 3 right) on the current map: a
    // coordinate that leaves a looping map comes in at the other side, on any
    // other map the result is false. The coordinates stay moved either way.
    bool StepMapPosition(int& x, int& y, int direction) const;

    // The held counts and HP kept at a battle's start for a retry.
    void SaveBattleSnapshot();
    void RestoreBattleSnapshot(bool restoreParty);

    // The back buffer kept for the screen captures; released around a device reset.
    bool AcquireBackBuffer();
    void ReleaseBackBuffer();

    // Window layouts of the status displays (digits are 12 pixels wide).
    void LayoutGameDataWindows(); // the record windows, once with the game object
    void LayoutHudWindows(int variant);
    void LayoutHudColumnWindows(int digits);
    // The place-name window for a place number and the map's own name
    // (zero-terminated, may be empty), measured with the main text object.
    void LayoutAreaNameWindow(int place, const char16_t* mapName);

    // Inventory: held counts and the sorted lists.
    std::int8_t* HeldCounts(int category);
    int HeldCount(int category, int id) const;
    void AddItem(int category, int id, int count);
    void AddBattleItemReward(int category, int id, int count);
    int RemoveItem(int category, int id, int count);
    void RebuildItemLists(int list, bool keepAll);
    void ResetItemListCursors();

    // Using items and magic outside battle; each is true when it had an effect.
    bool UseFieldItem(int item, int member, bool autoTarget, bool throughList);
    bool ApplyRestoreItem(int item, bool inBattle);
    bool UseFieldMagic(int magic, int member, bool autoTarget);
    // Who can be chosen now, one byte a member (USE_MARK_*); true when the
    // thing is aimed at one member, else the first byte answers for the party.
    bool CheckItemUsable(int item, std::uint8_t mask[3], bool inBattle) const;
    bool CheckMagicUsable(int magic, std::uint8_t mask[3], bool inBattle) const;
    bool CheckSpecialUsable(int kind, std::uint8_t mask[3]) const;

    // --- Progress (what the save files carry) ---
    std::uint32_t playTime; // bits 0-14 hours, 15-21 minutes, 22-28 seconds
    std::uint32_t eventFlags[EVENT_FLAG_WORDS];
    std::uint32_t battlesWon;
    std::uint32_t enemiesDefeated;
    std::uint32_t defeatedByMember[3];
    std::uint16_t enemyRecords[ENEMY_RECORD_COUNT]; // bits 0-13 defeats, 14 met, 15 drop taken
    std::int8_t heldItems[70];
    std::int8_t heldWeapons[3][35];
    std::int8_t heldArmor[3][34];
    std::int8_t heldAccessories[83];
    std::uint8_t ownedKeyFlags[OWNED_KEY_COUNT];
    std::int32_t playerMap, playerX, playerY;
    std::uint8_t textSpeed;    // 0 to 2
    std::uint8_t effectOption; // 0 = screen effects on
    std::uint8_t autoRun;
    std::uint8_t playerFacing; // 0 to 3
    std::uint8_t hudMode;      // 0 to 3

    // --- Run-time state ---
    std::int32_t mapPositionMap, mapPositionX, mapPositionY;
    std::int32_t lastPlaceShown;
    std::int32_t placeNameLength, mapNameLength; // in characters
    float placeNameWidth;                        // the place name's width + 12
    std::int32_t pendingMoveX, pendingMoveY;
    std::int8_t pendingMoveFacing;
    std::uint8_t pendingMove;
    std::int32_t eventWord;
    std::uint8_t localFlags[LOCAL_FLAG_COUNT];

    std::int32_t snapshotHp[3];
    std::int16_t snapshotSp[3];
    std::int16_t snapshotStock[6];
    std::int8_t snapshotItems[BATTLE_ITEM_COUNT];

    // Lists 0 to 7 by category, with the last-added markers of 1 to 7.
    std::int16_t categoryList[ITEM_CATEGORY_COUNT][LIST_CAPACITY];
    std::int16_t categoryListCount[ITEM_CATEGORY_COUNT];
    std::int16_t lastAdded[ITEM_CATEGORY_COUNT];
    std::int8_t magicList[24];
    std::int8_t magicListCount;
    std::int16_t enemyList[ENEMY_RECORD_COUNT];
    std::int16_t enemyListCount;
    std::int16_t battleItemList[BATTLE_ITEM_COUNT];
    std::int16_t battleItemCount;
    std::int16_t ownedKeyList[OWNED_KEY_COUNT];
    std::int32_t ownedKeyCount;
    std::int16_t mergeScratch[LIST_CAPACITY];
    std::int8_t heldScratch[LIST_CAPACITY];
    std::uint8_t shufflePool[8];
    ColouredVertex frames[GAME_DATA_FRAME_COUNT][CFixedWindowSet::kFrameVertexCount];
    std::int8_t hpDigits;        // widest HP digit count
    std::int8_t statusDigits[3]; // digit counts of the wide status window
    std::int8_t columnDigits;    // digit count of the right-hand column

    // Non-zero: the colour stocks do not regenerate on steps.
    std::uint8_t noStockRegen = 0;

private:
    // Play time, flags, battle records, held counts and owned keys to zero.
    void ClearProgress();
    void SortList(std::int16_t* list, int category, int lo, int hi);
    void RebuildCategoryList(int category, bool keepAll);
};

// The marks of a use check's target mask.
enum UseMark : std::uint8_t {
    USE_MARK_NONE = 0,     // not a target
    USE_MARK_VALID = 1,    // a valid target
    USE_MARK_NO_STOCK = 2, // the stock does not cover the magic
    USE_MARK_NO_EFFECT = 3 // can be chosen, but does nothing
};

extern GameData* TheGameData;
extern Direct3DSurface9* BackBufferSurface;

// Writes `value` in `width` characters ("0" or blank fill); no terminator. Returns the characters written.
int FormatNumberText(char16_t* out, int value, int width, bool fixed, bool zeroFill);
// The lowest min(digits, width) digits right-aligned in `width` characters, then a terminating 0.
void FormatNumberRight(char16_t* out, int value, int digits, int width);
// A random order of 0 to n - 1 (n at most 8).
void ShuffleIndices(std::uint8_t* out, int n);
